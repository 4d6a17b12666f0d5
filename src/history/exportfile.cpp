#include "exportfile.h"

#include "history/historydb.h"

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

} // namespace

QString exportToFile(const QString &historyPath, const QString &target, ByteOrderMark mark)
{
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
