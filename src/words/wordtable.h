#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// A word of the letter-in-a-word mode, as the word table gives it.
struct Word
{
    enum class Position { Start, Middle, End };

    QString id;        // [a-z0-9_]: its recording is words/<id>.wav
    QString word;      // unvowelled
    QString vowelled;  // fully vowelled, as it is shown
    int letter = 0;    // the letter asked, 0..27 in alphabetical order
    Position position = Position::Start;
    QString picture;   // the stem of its picture, pictures/words/<picture>.svg

    // Where the letter asked lies in `vowelled`: its character and the
    // marks that follow it (harakat, shadda, sukun), in QString indexes.
    int from = 0;
    int length = 0;

    bool operator==(const Word &) const = default;
};

struct WordTable
{
    QList<Word> words;
    // One line per row left out, and why; for a developer, never the child.
    QStringList problems;
};

// Reads the table: UTF-8, tab-separated, a header naming the columns id,
// word, vowelled, letter (1..28), position (start, middle or end) and
// picture, in any order; then a word a line. A row that is not whole, or
// whose letter is not found at its position in the vowelled word, is
// left out and said in `problems`.
WordTable parseWordTable(const QByteArray &tsv);

// Where letter k (0..27) stands at `position` in `vowelled`: the first
// character, the last, or the first between them that writes the letter
// (alif in any of its forms, ة for ت and ه, ى and ئ for ي, ؤ for و), with
// the marks after it. {-1, 0} when it is not there.
struct TextRange
{
    int from = -1;
    int length = 0;
};
TextRange findLetter(const QString &vowelled, int letter, Word::Position position);

// Its recording, as the sound player is asked for it: "\words\<id>.wav".
QString recordingOf(const Word &word);
