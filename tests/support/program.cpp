#include "program.h"

#include <QFile>
#include <QProcess>

ProgramRun runProgram(const QString &program, const QStringList &arguments, const QProcessEnvironment &environment,
                      int timeoutMs, const QString &workingDirectory)
{
    QProcess p;
    p.setProcessEnvironment(environment);
    if (!workingDirectory.isEmpty())
        p.setWorkingDirectory(workingDirectory);
    p.start(program, arguments);
    if (!p.waitForFinished(timeoutMs)) {
        p.kill();
        p.waitForFinished();
        return {};
    }
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, p.readAllStandardOutput(),
            p.readAllStandardError()};
}

qint64 statusBytes(const char *field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(field))
            return line.mid(qstrlen(field)).trimmed().split(' ').first().toLongLong() * 1024;
    }
    return 0;
}
