#include "historyapp.h"

#include "history/historydb.h"

#include <QCoreApplication>
#include <QFile>
#include <QLibrary>
#include <QSaveFile>

#include <cstdio>

int runExportHistory(const QString &historyPath, const QString &file)
{
    const QString connection = QStringLiteral("export");
    const history::Opened opened = history::open(historyPath, connection);
    int code = 0;
    if (!opened.ok()) {
        std::fprintf(stderr, "huroof: cannot read the learning history: %s\n", qUtf8Printable(opened.error));
        code = 1;
    } else if (file == QLatin1String("-")) {
        QFile out;
        if (!out.open(stdout, QIODevice::WriteOnly) || !history::exportCsv(QSqlDatabase::database(connection), out)
            || !out.flush()) {
            std::fprintf(stderr, "huroof: cannot write the export\n");
            code = 1;
        }
    } else {
        QSaveFile out(file);
        if (!out.open(QIODevice::WriteOnly) || !history::exportCsv(QSqlDatabase::database(connection), out)
            || !out.commit()) {
            std::fprintf(stderr, "huroof: %s: %s\n", qUtf8Printable(file), qUtf8Printable(out.errorString()));
            code = 1;
        }
    }
    history::close(connection);
    return code;
}

int runProgressWindow()
{
    QLibrary module(QCoreApplication::applicationDirPath() + QStringLiteral("/huroof-progress"));
    using Entry = int (*)();
    const auto entry = reinterpret_cast<Entry>(module.resolve("huroofProgressWindow"));
    if (!entry) {
        std::fprintf(stderr, "huroof: cannot open the progress window: %s\n", qUtf8Printable(module.errorString()));
        return 1;
    }
    return entry();
}
