#pragma once

#include "history/historydb.h"

#include <QWidget>

#include <array>

// The pictures of the progress window, drawn from the history's numbers.

// The 28 letters on the board's own layout, each coloured by its share of
// questions answered right at the first try: red for none, through yellow,
// to green for all; grey for a letter not asked yet.
class LetterMap : public QWidget
{
    Q_OBJECT
public:
    explicit LetterMap(QWidget *parent = nullptr);
    void setScores(const std::array<history::LetterScore, 28> &scores);
    QSize sizeHint() const override;
    // The colour letter k (0 ... 27) is drawn in; for tests.
    QColor colourOf(int k) const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QRect cell(int k) const;
    std::array<history::LetterScore, 28> m_scores{};
};

// Letter asked (rows) against letter clicked (columns), darker for more
// wrong answers, both in alphabetical order from the right.
class ConfusionMap : public QWidget
{
    Q_OBJECT
public:
    explicit ConfusionMap(QWidget *parent = nullptr);
    void setConfusions(const QList<history::Confusion> &confusions);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    std::array<std::array<int, 28>, 28> m_times{};
    int m_most = 0;
};

// The share as a colour, 0 red ... 1 green.
QColor shareColour(double share);
