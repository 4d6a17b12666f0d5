#include "wordbook.h"

#include <QFile>
#include <QResource>

#include <cstdio>

namespace {

const QString kTable = QStringLiteral(":/words/words.tsv");

} // namespace

WordTable loadWordTable(const QString &programFolder)
{
    if (!QFile::exists(kTable))
        QResource::registerResource(programFolder + QStringLiteral("/words.rcc"));
    QFile file(kTable);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    WordTable table = parseWordTable(file.readAll());
    for (const QString &problem : std::as_const(table.problems))
        std::fprintf(stderr, "huroof: words.tsv: %s\n", qUtf8Printable(problem));
    return table;
}
