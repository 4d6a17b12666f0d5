#pragma once

#include <QByteArray>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

// A program run to its end, as a script would run it.
struct ProgramRun
{
    int code = -1; // -1 also when it crashed or did not end in time
    QByteArray out;
    QByteArray err;
};

// A field of this process's /proc/self/status ("VmRSS:", "VmHWM:"), in
// bytes; 0 where there is none.
qint64 statusBytes(const char *field);

// Runs the program and waits for it, at most `timeoutMs`; one that does
// not end by then is killed.
ProgramRun runProgram(const QString &program, const QStringList &arguments, const QProcessEnvironment &environment,
                      int timeoutMs = 30000, const QString &workingDirectory = {});
