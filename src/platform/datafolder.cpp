#include "datafolder.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

QString userDataFolder()
{
#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)
    const QString xdg = qEnvironmentVariable("XDG_DATA_HOME");
    if (!xdg.isEmpty() && QDir::isAbsolutePath(xdg))
        return QDir::cleanPath(xdg);
    return QDir::cleanPath(QDir::homePath() + QStringLiteral("/.local/share"));
#else
    return QDir::cleanPath(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation));
#endif
}

QString programDataFolder()
{
    return QDir::cleanPath(userDataFolder() + QStringLiteral("/huroof"));
}

bool makePrivateFolder(const QString &folder)
{
    const QString clean = QDir::cleanPath(QDir(folder).absolutePath());
    if (QFileInfo(clean).isDir())
        return true;
    const QString parent = QFileInfo(clean).path();
    if (parent != clean && !makePrivateFolder(parent))
        return false;
    // Another process may make it at the same moment: what counts is that
    // it is there.
    return QDir().mkdir(clean, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner) || QFileInfo(clean).isDir();
}
