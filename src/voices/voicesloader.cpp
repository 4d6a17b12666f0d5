#include "voicesloader.h"

#include <QCoreApplication>
#include <QLibrary>

#include <cstdio>

int runVoicesTask(VoicesTask task, const QStringList &arguments)
{
    QLibrary module(QCoreApplication::applicationDirPath() + QStringLiteral("/huroof-voices"));
    using Entry = int (*)(int, const QStringList &);
    const auto entry = reinterpret_cast<Entry>(module.resolve("huroofVoicesTask"));
    if (!entry) {
        std::fprintf(stderr, "huroof: %s\n",
                     qUtf8Printable(QCoreApplication::translate("CommandLine", "cannot open the voices: %1")
                                        .arg(module.errorString())));
        return 1;
    }
    return entry(int(task), arguments);
}
