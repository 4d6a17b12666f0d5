#pragma once

#include <QString>

namespace history {

// Whether the export starts with UTF-8's byte-order mark, by which a
// spreadsheet on any desktop knows the text is UTF-8 (and shows Arabic
// names as Arabic).
enum class ByteOrderMark { Without, With };

// Writes every answer of the history at `historyPath` as CSV to `target`,
// reading the history only. A regular file (or a new one) is replaced in
// one step, so a failure leaves the old one whole; anything else that
// exists (a FIFO, a terminal, /dev/stdout) is written into, never replaced.
// A target that is one of the history's own files, under any name, is
// refused. The error, empty on success, in the grown-ups' language.
QString exportToFile(const QString &historyPath, const QString &target, ByteOrderMark mark);

// Whether the file at `target`, or the one open as `descriptor`, is one of
// the history's own files (the database, its -wal or its -shm), through
// any link.
bool isHistoryFile(const QString &historyPath, const QString &target);
bool isHistoryFile(const QString &historyPath, int descriptor);

} // namespace history
