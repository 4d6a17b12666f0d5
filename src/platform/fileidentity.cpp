#include "fileidentity.h"

#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

FileIdentity fileIdentity(const QString &path)
{
#ifdef Q_OS_UNIX
    struct stat info{};
    if (::stat(QFile::encodeName(path).constData(), &info) == 0)
        return {quint64(info.st_dev), quint64(info.st_ino)};
#else
    Q_UNUSED(path);
#endif
    return {};
}

FileIdentity fileIdentity(int descriptor)
{
#ifdef Q_OS_UNIX
    struct stat info{};
    if (::fstat(descriptor, &info) == 0)
        return {quint64(info.st_dev), quint64(info.st_ino)};
#else
    Q_UNUSED(descriptor);
#endif
    return {};
}

bool sameFile(const QString &a, const QString &b)
{
    const FileIdentity first = fileIdentity(a);
    if (first.known())
        return first == fileIdentity(b);
    // Where the system says nothing of identities: the same place once
    // links are followed (a hard link then goes unseen).
    const QString place = QFileInfo(a).canonicalFilePath();
    return !place.isEmpty() && place == QFileInfo(b).canonicalFilePath();
}
