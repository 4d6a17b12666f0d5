#pragma once

#include <QColor>
#include <QFont>
#include <QRectF>
#include <QString>

class QPainter;

// A vowelled word drawn whole, shaped and joined as one, with one letter
// (a range of its characters, the letter and its marks) drawn again over
// it in another colour: the glyphs the shaping gave that letter, so the
// word's joins and its other letters are exactly those of the plain word.
struct WordLook
{
    QFont font;       // its pixel size is chosen to fit
    QColor ink;
    QColor letterInk;
};

// The largest pixel size, at most `largest`, at which `vowelled` fits in
// `box` on one line, marks included.
int fittingPixelSize(const QString &vowelled, QFont font, QSizeF box, int largest);

// Draws `vowelled` centred in `box`, right to left, and the characters
// [from, from + length) again in letterInk; length 0: the plain word.
// Returns the bounds of the coloured glyphs (empty for none).
QRectF drawWord(QPainter &painter, const QRectF &box, const QString &vowelled, int from, int length,
                const WordLook &look);
