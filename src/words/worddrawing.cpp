#include "worddrawing.h"

#include <QGlyphRun>
#include <QPainter>
#include <QRawFont>
#include <QTextLayout>

namespace {

// One line, right to left, unbroken.
void layOut(QTextLayout &layout)
{
    QTextOption option;
    option.setTextDirection(Qt::RightToLeft);
    option.setWrapMode(QTextOption::NoWrap);
    layout.setTextOption(option);
    layout.setCacheEnabled(true);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    line.setLineWidth(1e6);
    layout.endLayout();
}

// What the word's glyphs cover, from the layout's origin: the marks above
// and below the letters too, which may reach past the font's ascent and
// descent.
QRectF inkBounds(const QTextLayout &layout)
{
    QRectF bounds;
    for (const QGlyphRun &run : layout.glyphRuns())
        bounds |= run.boundingRect();
    return bounds;
}

} // namespace

int fittingPixelSize(const QString &vowelled, QFont font, QSizeF box, int largest)
{
    for (int size = largest; size > 4; size = size * 15 / 16) {
        font.setPixelSize(size);
        QTextLayout layout(vowelled, font);
        layOut(layout);
        const QRectF ink = inkBounds(layout);
        if (ink.width() <= box.width() && ink.height() <= box.height())
            return size;
    }
    return 4;
}

QRectF drawWord(QPainter &painter, const QRectF &box, const QString &vowelled, int from, int length,
                const WordLook &look)
{
    QTextLayout layout(vowelled, look.font);
    layOut(layout);
    const QRectF ink = inkBounds(layout);
    // The ink's own centre in the box's centre.
    const QPointF origin = box.center() - ink.center();

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(look.ink);
    layout.draw(&painter, origin);
    QRectF coloured;
    if (length > 0) {
        painter.setPen(look.letterInk);
        for (const QGlyphRun &run : layout.glyphRuns(from, length)) {
            painter.drawGlyphRun(origin, run);
            coloured |= run.boundingRect().translated(origin);
        }
    }
    painter.restore();
    return coloured;
}
