#include "historyapp.h"

#include "history/exportfile.h"
#include "history/historydb.h"

#include <QCoreApplication>
#include <QFile>
#include <QLibrary>

#include <cstdio>

int runExportHistory(const QString &historyPath, const QString &file)
{
    QString error;
    if (file == QLatin1String("-")) {
        // For a script, or another program: no byte-order mark.
        QFile out;
        if (history::isHistoryFile(historyPath, fileno(stdout)))
            error = QCoreApplication::translate("History", "the standard output is the learning history itself.");
        else if (!out.open(stdout, QIODevice::WriteOnly))
            error = out.errorString();
        else if (error = history::exportCsv(historyPath, out); error.isEmpty() && !out.flush())
            error = out.errorString();
    } else {
        error = history::exportToFile(historyPath, file, history::ByteOrderMark::Without);
    }
    if (error.isEmpty())
        return 0;
    std::fprintf(stderr, "huroof: %s\n",
                 qUtf8Printable(QCoreApplication::translate("CommandLine", "cannot export the learning history: %1")
                                    .arg(error.simplified())));
    return 1;
}

int runProgressWindow()
{
    QLibrary module(QCoreApplication::applicationDirPath() + QStringLiteral("/huroof-progress"));
    using Entry = int (*)();
    const auto entry = reinterpret_cast<Entry>(module.resolve("huroofProgressWindow"));
    if (!entry) {
        std::fprintf(stderr, "huroof: %s\n",
                     qUtf8Printable(QCoreApplication::translate("CommandLine", "cannot open the progress window: %1")
                                        .arg(module.errorString())));
        return 1;
    }
    return entry();
}
