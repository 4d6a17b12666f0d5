#include "progressviews.h"

#include "shell/letters.h"
#include "ui/look.h"
#include "ui/design.h"

#include <QPainter>

namespace {

constexpr int kCell = 56;    // a letter of the board, in pixels
constexpr int kGap = 10;
constexpr int kGrid = 16;    // a square of the confusion map
constexpr int kMargin = 28;  // room for the letters along its edges

QFont letterFont(double points)
{
    return designFont(FontDesign{"Arial", points, true});
}

} // namespace

QColor shareColour(double share)
{
    // Hue from red (0) through yellow (60) to green (120).
    return QColor::fromHsv(int(120 * std::clamp(share, 0.0, 1.0)), 150, 235);
}

LetterMap::LetterMap(QWidget *parent)
    : QWidget(parent)
{
    setAccessibleName(QStringLiteral("الحروف ملونة بحسب الإجابة الصحيحة من أول مرة"));
}

void LetterMap::setScores(const std::array<history::LetterScore, 28> &scores)
{
    m_scores = scores;
    QStringList described;
    for (int k = 0; k < 28; ++k) {
        const history::LetterScore &s = m_scores[std::size_t(k)];
        if (s.firstTries > 0)
            described << QStringLiteral("%1: %2 من %3").arg(letterGlyph(k)).arg(s.firstTryRight).arg(s.firstTries);
    }
    setAccessibleDescription(described.join(QStringLiteral("، ")));
    update();
}

QSize LetterMap::sizeHint() const
{
    return {7 * kCell + 6 * kGap + 2, 4 * kCell + 3 * kGap + 2};
}

QRect LetterMap::cell(int k) const
{
    // The board's places, right to left from the top right corner.
    const TwipsRect place = boardPlace(k);
    const TwipsRect first = boardPlace(0);
    const int column = (first.left - place.left) / 840;
    const int row = (place.top - first.top) / 840;
    return {width() - 1 - (column + 1) * kCell - column * kGap, 1 + row * (kCell + kGap), kCell, kCell};
}

QColor LetterMap::colourOf(int k) const
{
    const history::LetterScore &s = m_scores.at(std::size_t(k));
    if (s.firstTries == 0)
        return QColor(0xe0, 0xe0, 0xe0);
    return shareColour(double(s.firstTryRight) / s.firstTries);
}

void LetterMap::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QFont glyphFont = letterFont(20);
    const QFont countFont = letterFont(8);
    for (int k = 0; k < 28; ++k) {
        const QRect r = cell(k);
        const history::LetterScore &s = m_scores[std::size_t(k)];
        p.setPen(QPen(QColor(0x60, 0x60, 0x60), 1));
        p.setBrush(colourOf(k));
        p.drawRoundedRect(r, 6, 6);
        p.setPen(Qt::black);
        p.setFont(glyphFont);
        p.drawText(r.adjusted(0, -8, 0, -8), Qt::AlignCenter, letterGlyph(k));
        if (s.firstTries > 0) {
            p.setFont(countFont);
            p.drawText(r.adjusted(0, 0, 0, -2), Qt::AlignHCenter | Qt::AlignBottom,
                       QStringLiteral("%1/%2").arg(s.firstTryRight).arg(s.firstTries));
        }
    }
}

ConfusionMap::ConfusionMap(QWidget *parent)
    : QWidget(parent)
{
    setAccessibleName(QStringLiteral("خريطة الخلط: الحرف المطلوب أمام الحرف المضغوط"));
}

void ConfusionMap::setConfusions(const QList<history::Confusion> &confusions)
{
    m_times = {};
    m_most = 0;
    for (const history::Confusion &c : confusions) {
        if (c.asked < 1 || c.asked > 28 || c.clicked < 1 || c.clicked > 28)
            continue;
        m_times[std::size_t(c.asked - 1)][std::size_t(c.clicked - 1)] = c.times;
        m_most = std::max(m_most, c.times);
    }
    update();
}

QSize ConfusionMap::sizeHint() const
{
    return {28 * kGrid + kMargin + 2, 28 * kGrid + kMargin + 2};
}

void ConfusionMap::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const int right = width() - kMargin; // asked letters stand right of the grid
    const int top = kMargin;             // clicked letters above it
    p.setFont(letterFont(7));
    for (int k = 0; k < 28; ++k) {
        const int x = right - (k + 1) * kGrid;
        const int y = top + k * kGrid;
        p.setPen(Qt::black);
        p.drawText(QRect(x, 0, kGrid, kMargin - 2), Qt::AlignCenter | Qt::AlignBottom, letterGlyph(k));
        p.drawText(QRect(right + 2, y, kMargin - 2, kGrid), Qt::AlignCenter, letterGlyph(k));
    }
    for (int asked = 0; asked < 28; ++asked) {
        for (int clicked = 0; clicked < 28; ++clicked) {
            const QRect r(right - (clicked + 1) * kGrid, top + asked * kGrid, kGrid, kGrid);
            const int times = m_times[std::size_t(asked)][std::size_t(clicked)];
            QColor fill = asked == clicked ? QColor(0xf0, 0xf0, 0xf0) : Qt::white;
            if (times > 0) {
                const double strength = 0.25 + 0.75 * double(times) / m_most;
                fill = QColor::fromRgbF(1.0, 1.0 - 0.8 * strength, 1.0 - 0.9 * strength);
            }
            p.fillRect(r, fill);
            p.setPen(QColor(0xd8, 0xd8, 0xd8));
            p.drawRect(r);
        }
    }
}
