#include "soundpath.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

QString joinSoundPath(const QString &folder, const QString &relativeName)
{
    QString name = relativeName;
    name.replace(QLatin1Char('\\'), QLatin1Char('/'));
    const QStringList parts = name.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    if (parts.isEmpty())
        return {};
    for (const QString &part : parts) {
        if (part == QLatin1String("..") || part == QLatin1String(".") || part.contains(QLatin1Char(':')))
            return {};
    }
    QString base = folder;
    while (base.endsWith(QLatin1Char('/')))
        base.chop(1);
    return QDir::toNativeSeparators(base + QLatin1Char('/') + parts.join(QLatin1Char('/')));
}

QString soundFileToOpen(const QString &joinedPath)
{
    const QFileInfo info(joinedPath);
    if (!info.exists() && !info.isSymLink() && info.suffix().isEmpty())
        return joinedPath + QLatin1String(".wav");
    return joinedPath;
}

QString findSoundFile(const QStringList &folders, const QString &relativeName)
{
    QString file;
    for (const QString &folder : folders) {
        const QString joined = joinSoundPath(folder, relativeName);
        if (joined.isEmpty())
            return {};
        file = soundFileToOpen(joined);
        if (QFileInfo::exists(file))
            return file;
    }
    return file;
}
