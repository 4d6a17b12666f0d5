#include "program.h"

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
