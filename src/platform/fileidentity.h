#pragma once

#include <QString>

// Which file a path names, links followed: two paths of one file (a hard
// link, a symbolic link, "a/../b") have the same identity, and a path has
// another once its file is replaced or moved aside. All zero when nothing
// is there, or where the system cannot say.
struct FileIdentity
{
    quint64 device = 0;
    quint64 node = 0;
    bool known() const { return device != 0 || node != 0; }
    bool operator==(const FileIdentity &) const = default;
};

FileIdentity fileIdentity(const QString &path);
// The file open as `descriptor` (1: standard output).
FileIdentity fileIdentity(int descriptor);

// Whether both paths name one file that is there.
bool sameFile(const QString &a, const QString &b);
