#pragma once

#include "history/historydb.h"

#include <QWidget>

#include <array>
#include <bitset>

class QLocale;
class QPainter;
class QRectF;

// The pictures of the progress window, drawn from the history's numbers.

// The face the letters of both maps are drawn in: the size of the letters
// on the letter map, large enough that every dot shows.
QFont mapLetterFont();

// The 28 letters on the board's own layout, each coloured by its share of
// questions answered right at the first try in the period: red for none,
// through yellow, to green for all; grey for a letter not asked in it. The
// letters practice calls known (recalled after a day away, twice) carry a
// tick, whatever their colour: a letter can be right every time today and
// not be known yet. Flat squares, for reading, not for pressing; hovering
// one says both in words.
class LetterMap : public QWidget
{
    Q_OBJECT
public:
    explicit LetterMap(QWidget *parent = nullptr);
    void setScores(const std::array<history::LetterScore, 28> &scores);
    // The letters practice calls known, bit k for letter k (0 ... 27).
    void setKnown(const std::bitset<28> &known);
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }
    // The colour letter k (0 ... 27) is drawn in; for tests.
    QColor colourOf(int k) const;
    bool marksKnown(int k) const { return m_known.test(std::size_t(k)); }
    // Where letter k is drawn, and what hovering it shows.
    QRect cellOf(int k) const;
    QString toolTipOf(int k) const;

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void describe();
    std::array<history::LetterScore, 28> m_scores{};
    std::bitset<28> m_known;
};

// The tick the letter map puts on a known letter, drawn in `square`.
void drawKnownMark(QPainter &painter, const QRectF &square);

// The letters asked (rows, named on the right) against the letters clicked
// instead (columns, named above), both in alphabetical order from the
// right; only letters of the most frequent confusions have a row or a
// column, eight of each at most. Darker for more wrong answers; a cell's
// count shows on hover.
class ConfusionMap : public QWidget
{
    Q_OBJECT
public:
    explicit ConfusionMap(QWidget *parent = nullptr);
    void setConfusions(const QList<history::Confusion> &confusions);
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }
    // Its width with the most columns it ever has.
    int widestWidth() const;

    // What hovering at `pos` shows: the two letters and how many times;
    // empty away from the cells.
    QString toolTipAt(const QPoint &pos) const;
    // Where the cell of `asked` against `clicked` (1 ... 28) is drawn;
    // empty when neither takes part. For tests.
    QRect cellOf(int asked, int clicked) const;

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    int gridRight() const;
    int gridTop() const;

    std::array<std::array<int, 28>, 28> m_times{};
    QList<int> m_rows;    // letters asked, 1 ... 28, in order
    QList<int> m_columns; // letters clicked
    int m_most = 0;
};

// A small square of a colour, beside its words, for the legends.
QWidget *swatch(const QColor &colour, const QString &words, QWidget *parent);
// The letter map's tick, beside its words, for its legend.
QWidget *knownMarkSwatch(const QString &words, QWidget *parent);

// An Arabic letter or a child's name set into a sentence of the window's
// language. Left to right, it is isolated (U+2068 … U+2069): else the
// numbers and punctuation after it join its right-to-left run, and
// "« ت » : 3 fois" shows as "3 : « ت fois". An Arabic sentence needs nothing.
QString inSentence(const QString &words, Qt::LayoutDirection direction);

// How the daily chart writes a day, for QDate::toString() (Western digits
// whatever the language): the day and the month in the order of `locale`'s
// short dates, the year too, in two digits, where asked. Without the
// direction marks some locales put between the numbers: the chart places
// its labels itself.
QString chartDateFormat(const QLocale &locale, bool withYear);

// The share as a colour, 0 red ... 1 green.
QColor shareColour(double share);
