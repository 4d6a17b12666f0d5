#include "wordtable.h"

#include <QHash>
#include <QRegularExpression>

#include <array>

namespace {

// The characters that write each letter in a word, by letter 0..27.
const std::array<const char16_t *, 28> kWritten{
    u"\u0627\u0623\u0625\u0622\u0671", // ا أ إ آ ٱ
    u"\u0628", u"\u062A\u0629", u"\u062B", u"\u062C", u"\u062D", u"\u062E", u"\u062F", u"\u0630", u"\u0631",
    u"\u0632", u"\u0633", u"\u0634", u"\u0635", u"\u0636", u"\u0637", u"\u0638", u"\u0639", u"\u063A",
    u"\u0641", u"\u0642", u"\u0643", u"\u0644", u"\u0645", u"\u0646",
    u"\u0647\u0629",       // ه ة
    u"\u0648\u0624",       // و ؤ
    u"\u064A\u0649\u0626", // ي ى ئ
};

bool writes(QChar c, int letter)
{
    return QStringView(kWritten[std::size_t(letter)]).contains(c);
}

// The harakat and the other marks a letter carries; tatweel stretches the
// letter before it.
bool carried(QChar c)
{
    return c.isMark() || c == QChar(0x0640);
}

} // namespace

TextRange findLetter(const QString &vowelled, int letter, Word::Position position)
{
    if (letter < 0 || letter >= int(kWritten.size()))
        return {};
    QList<int> letters;
    for (int i = 0; i < vowelled.size(); ++i) {
        if (!carried(vowelled[i]) && !vowelled[i].isSpace())
            letters << i;
    }
    if (letters.isEmpty())
        return {};
    int at = -1;
    switch (position) {
    case Word::Position::Start:
        at = letters.first();
        break;
    case Word::Position::End:
        at = letters.last();
        break;
    case Word::Position::Middle:
        for (qsizetype n = 1; n + 1 < letters.size() && at < 0; ++n) {
            if (writes(vowelled[letters[n]], letter))
                at = letters[n];
        }
        break;
    }
    if (at < 0 || !writes(vowelled[at], letter))
        return {};
    int end = at + 1;
    while (end < vowelled.size() && carried(vowelled[end]))
        ++end;
    return {at, end - at};
}

WordTable parseWordTable(const QByteArray &tsv)
{
    WordTable table;
    const QStringList lines = QString::fromUtf8(tsv).split(QLatin1Char('\n'));
    if (lines.isEmpty())
        return table;
    const QStringList header = lines.first().trimmed().split(QLatin1Char('\t'));
    QHash<QString, int> column;
    for (int i = 0; i < header.size(); ++i)
        column.insert(header[i].trimmed(), i);
    static const QStringList kColumns{"id", "word", "vowelled", "letter", "position", "picture"};
    for (const QString &name : kColumns) {
        if (!column.contains(name)) {
            table.problems << QStringLiteral("the header has no column %1").arg(name);
            return table;
        }
    }
    static const QRegularExpression kId(QStringLiteral("^[a-z0-9_]+$"));
    static const QRegularExpression kStem(QStringLiteral("^[a-z0-9_-]+$"));
    static const QHash<QString, Word::Position> kPositions{
        {QStringLiteral("start"), Word::Position::Start},
        {QStringLiteral("middle"), Word::Position::Middle},
        {QStringLiteral("end"), Word::Position::End},
    };
    for (qsizetype n = 1; n < lines.size(); ++n) {
        QString line = lines[n];
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (line.trimmed().isEmpty())
            continue;
        const QStringList fields = line.split(QLatin1Char('\t'));
        const auto field = [&](const char *name) { return fields.value(column.value(QLatin1String(name))).trimmed(); };
        const auto leftOut = [&](const QString &why) { table.problems << QStringLiteral("line %1: %2").arg(n + 1).arg(why); };
        Word w;
        w.id = field("id");
        w.word = field("word");
        w.vowelled = field("vowelled");
        w.picture = field("picture");
        bool number = false;
        w.letter = field("letter").toInt(&number) - 1;
        if (!kId.match(w.id).hasMatch()) {
            leftOut(QStringLiteral("the id \"%1\" is not of a-z, 0-9 and _").arg(w.id));
            continue;
        }
        if (w.word.isEmpty() || w.vowelled.isEmpty()) {
            leftOut(QStringLiteral("%1 has no word").arg(w.id));
            continue;
        }
        if (!number || w.letter < 0 || w.letter > 27) {
            leftOut(QStringLiteral("%1: the letter is not 1 to 28").arg(w.id));
            continue;
        }
        if (!kPositions.contains(field("position"))) {
            leftOut(QStringLiteral("%1: the position is not start, middle or end").arg(w.id));
            continue;
        }
        w.position = kPositions.value(field("position"));
        if (!kStem.match(w.picture).hasMatch()) {
            leftOut(QStringLiteral("%1: the picture \"%2\" is not a file's stem").arg(w.id, w.picture));
            continue;
        }
        const TextRange range = findLetter(w.vowelled, w.letter, w.position);
        if (range.from < 0) {
            leftOut(QStringLiteral("%1: letter %2 is not at the %3 of %4")
                        .arg(w.id)
                        .arg(w.letter + 1)
                        .arg(field("position"), w.vowelled));
            continue;
        }
        w.from = range.from;
        w.length = range.length;
        table.words << w;
    }
    return table;
}

QString recordingOf(const Word &word)
{
    return QStringLiteral("\\words\\%1.wav").arg(word.id);
}
