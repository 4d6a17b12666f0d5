#include "exportfile.h"

#include "history/historydb.h"
#include "platform/fileidentity.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace history {

namespace {

QString write(const QString &historyPath, QIODevice &out, ByteOrderMark mark)
{
    if (mark == ByteOrderMark::With && out.write("\xEF\xBB\xBF") < 0)
        return out.errorString();
    return exportCsv(historyPath, out);
}

const char *const kHistoryFiles[] = {"", "-wal", "-shm"};

} // namespace

bool isHistoryFile(const QString &historyPath, const QString &target)
{
    for (const char *suffix : kHistoryFiles) {
        if (sameFile(target, historyPath + QLatin1String(suffix)))
            return true;
    }
    return false;
}

bool isHistoryFile(const QString &historyPath, int descriptor)
{
    const FileIdentity target = fileIdentity(descriptor);
    for (const char *suffix : kHistoryFiles) {
        if (target.known() && target == fileIdentity(historyPath + QLatin1String(suffix)))
            return true;
    }
    return false;
}

QString exportToFile(const QString &historyPath, const QString &target, ByteOrderMark mark)
{
    // Written over, the history would be lost for a CSV of itself.
    if (isHistoryFile(historyPath, target))
        return QCoreApplication::translate("History", "%1 is the learning history itself; choose another file.")
            .arg(target);
    const QFileInfo info(target);
    if (info.exists() && !info.isFile()) {
        QFile out(target);
        if (!out.open(QIODevice::WriteOnly))
            return QStringLiteral("%1: %2").arg(target, out.errorString());
        const QString error = write(historyPath, out, mark);
        if (!error.isEmpty())
            return error;
        return out.flush() ? QString() : QStringLiteral("%1: %2").arg(target, out.errorString());
    }
    QSaveFile out(target);
    if (!out.open(QIODevice::WriteOnly))
        return QStringLiteral("%1: %2").arg(target, out.errorString());
    const QString error = write(historyPath, out, mark);
    if (!error.isEmpty()) {
        out.cancelWriting();
        return error;
    }
    return out.commit() ? QString() : QStringLiteral("%1: %2").arg(target, out.errorString());
}

} // namespace history
