#include "progressviews.h"

#include "shell/letters.h"
#include "ui/design.h"
#include "ui/look.h"

#include <QHBoxLayout>
#include <QHelpEvent>
#include <QLabel>
#include <QLocale>
#include <QPainter>
#include <QRegularExpression>
#include <QToolTip>

#include <algorithm>

namespace {

constexpr int kCell = 52;      // a letter of the letter map, in pixels
constexpr int kGap = 6;
constexpr int kSquare = 36;    // a square of the confusion map
constexpr int kHeader = 36;    // its letters along the edges
constexpr int kAxisTitle = 26; // the names of its axes

constexpr int kMostLetters = 8; // rows, and columns, of the confusion map

const QColor kNotAsked(0xe0, 0xe0, 0xe0);
const QColor kKnownColour(0x1f, 0x5f, 0x1f);
constexpr int kMark = 11; // the tick of a known letter, clear of the counts

QString axisAsked()
{
    return ConfusionMap::tr("Letter asked");
}

QString axisClicked()
{
    return ConfusionMap::tr("Letter clicked instead");
}

} // namespace

QFont mapLetterFont()
{
    return designFont(FontDesign{"Arial", 20, true});
}

QColor shareColour(double share)
{
    // Hue from red (0) through yellow (60) to green (120).
    return QColor::fromHsv(int(120 * std::clamp(share, 0.0, 1.0)), 150, 235);
}

QString inSentence(const QString &words, Qt::LayoutDirection direction)
{
    if (direction == Qt::RightToLeft)
        return words;
    return QChar(0x2068) + words + QChar(0x2069);
}

QString chartDateFormat(const QLocale &locale, bool withYear)
{
    QString format = locale.dateFormat(QLocale::ShortFormat);
    format.remove(QRegularExpression(QStringLiteral("[\\x{200e}\\x{200f}\\x{61c}]")));
    if (withYear)
        return format.replace(QRegularExpression(QStringLiteral("y+")), QStringLiteral("yy"));
    // The year goes with the separator that joins it to the rest: after it
    // where it comes first ("yy. M. d."), before it elsewhere ("dd/MM/yyyy").
    if (format.startsWith(QLatin1Char('y')))
        return format.remove(QRegularExpression(QStringLiteral("^y+[^dM]*")));
    return format.remove(QRegularExpression(QStringLiteral("[^dM]*y+")));
}

QWidget *swatch(const QColor &colour, const QString &words, QWidget *parent)
{
    auto *item = new QWidget(parent);
    auto *row = new QHBoxLayout(item);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(6);
    auto *square = new QLabel(item);
    const int side = item->fontMetrics().height() * 3 / 4;
    square->setFixedSize(side, side);
    square->setStyleSheet(QStringLiteral("background: %1; border: 1px solid #707070;").arg(colour.name()));
    row->addWidget(square);
    row->addWidget(new QLabel(words, item));
    return item;
}

void drawKnownMark(QPainter &painter, const QRectF &square)
{
    // White on a dark disc: it reads on every colour of the scale.
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(kKnownColour);
    painter.drawEllipse(square);
    const auto at = [&square](double x, double y) {
        return QPointF(square.left() + x * square.width(), square.top() + y * square.height());
    };
    QPen tick(Qt::white, std::max(1.5, square.width() / 7));
    tick.setCapStyle(Qt::RoundCap);
    tick.setJoinStyle(Qt::RoundJoin);
    painter.setPen(tick);
    painter.setBrush(Qt::NoBrush);
    const QPointF points[] = {at(0.27, 0.53), at(0.44, 0.7), at(0.74, 0.33)};
    painter.drawPolyline(points, 3);
    painter.restore();
}

namespace {

class KnownMark : public QWidget
{
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        drawKnownMark(p, QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5));
    }
};

} // namespace

QWidget *knownMarkSwatch(const QString &words, QWidget *parent)
{
    auto *item = new QWidget(parent);
    auto *row = new QHBoxLayout(item);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(6);
    auto *mark = new KnownMark(item);
    const int side = item->fontMetrics().height() * 3 / 4 + 2;
    mark->setFixedSize(side, side);
    row->addWidget(mark);
    row->addWidget(new QLabel(words, item));
    return item;
}

LetterMap::LetterMap(QWidget *parent)
    : QWidget(parent)
{
    setAccessibleName(tr("The letters, coloured by answers right on the first try"));
}

void LetterMap::setScores(const std::array<history::LetterScore, 28> &scores)
{
    m_scores = scores;
    describe();
}

void LetterMap::setKnown(const std::bitset<28> &known)
{
    m_known = known;
    describe();
}

void LetterMap::describe()
{
    QStringList described;
    for (int k = 0; k < 28; ++k) {
        const history::LetterScore &s = m_scores[std::size_t(k)];
        QString letter = letterGlyph(k);
        if (s.firstTries > 0)
            letter = tr("%1: %2 of %3", "a letter: its first tries right, of all its first tries")
                         .arg(letterGlyph(k))
                         .arg(s.firstTryRight)
                         .arg(s.firstTries);
        else if (!m_known.test(std::size_t(k)))
            continue;
        if (m_known.test(std::size_t(k)))
            letter = tr("%1, known", "a letter's description, of a letter practice calls known").arg(letter);
        described << letter;
    }
    setAccessibleDescription(described.join(tr(", ", "between the letters' descriptions")));
    update();
}

QString LetterMap::toolTipOf(int k) const
{
    const history::LetterScore &s = m_scores.at(std::size_t(k));
    const QString period = s.firstTries > 0 ? tr("Right on the first try: %1 of %2",
                                                 "a letter's first tries right, of its first tries in the period")
                                                  .arg(s.firstTryRight)
                                                  .arg(s.firstTries)
                                            : tr("Not asked in this period");
    // Known in practice's own meaning, whatever the period shows.
    const QString known = m_known.test(std::size_t(k))
        ? tr("Known: found on the first try after a day or more away, twice")
        : tr("Not known yet: known once found on the first try after a day or more away, twice");
    return period + QLatin1Char('\n') + known;
}

bool LetterMap::event(QEvent *event)
{
    if (event->type() == QEvent::ToolTip) {
        auto *help = static_cast<QHelpEvent *>(event);
        for (int k = 0; k < 28; ++k) {
            if (cellOf(k).contains(help->pos())) {
                // Shown until the pointer leaves the letter it is about.
                QToolTip::showText(help->globalPos(), toolTipOf(k), this, cellOf(k));
                return true;
            }
        }
        QToolTip::hideText();
        event->ignore();
        return true;
    }
    return QWidget::event(event);
}

QSize LetterMap::sizeHint() const
{
    return {7 * kCell + 6 * kGap + 2, 4 * kCell + 3 * kGap + 2};
}

QRect LetterMap::cellOf(int k) const
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
        return kNotAsked;
    return shareColour(double(s.firstTryRight) / s.firstTries);
}

void LetterMap::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const QFont glyphFont = mapLetterFont();
    QFont countFont = designFont(FontDesign{"Arial", 9, true});
    for (int k = 0; k < 28; ++k) {
        const QRect r = cellOf(k);
        const history::LetterScore &s = m_scores[std::size_t(k)];
        // Flat: no rounded corners, no shading, no raised edge.
        p.fillRect(r, colourOf(k));
        p.setPen(Qt::black);
        p.setFont(glyphFont);
        p.drawText(r.adjusted(0, -8, 0, -8), Qt::AlignCenter, letterGlyph(k));
        if (s.firstTries > 0) {
            p.setFont(countFont);
            p.drawText(r.adjusted(0, 0, 0, -1), Qt::AlignHCenter | Qt::AlignBottom,
                       QStringLiteral("%1/%2").arg(s.firstTryRight).arg(s.firstTries));
        }
        // Below the letter, clear of its dots, where reading starts.
        if (m_known.test(std::size_t(k))) {
            const int x = layoutDirection() == Qt::RightToLeft ? r.right() - kMark : r.left() + 1;
            drawKnownMark(p, QRectF(x, r.bottom() - kMark, kMark, kMark));
        }
    }
}

ConfusionMap::ConfusionMap(QWidget *parent)
    : QWidget(parent)
{
    setAccessibleName(tr("Mix-up map: the letter asked against the letter clicked instead"));
}

void ConfusionMap::setConfusions(const QList<history::Confusion> &confusions)
{
    m_times = {};
    m_most = 0;
    m_rows.clear();
    m_columns.clear();
    for (const history::Confusion &c : confusions) {
        if (c.asked < 1 || c.asked > 28 || c.clicked < 1 || c.clicked > 28)
            continue;
        m_times[std::size_t(c.asked - 1)][std::size_t(c.clicked - 1)] = c.times;
        m_most = std::max(m_most, c.times);
        // The most frequent first: a child who clicks at random must not
        // turn the map into 28 rows of single mistakes.
        const bool row = m_rows.contains(c.asked) || m_rows.size() < kMostLetters;
        const bool column = m_columns.contains(c.clicked) || m_columns.size() < kMostLetters;
        if (!row || !column)
            continue;
        if (!m_rows.contains(c.asked))
            m_rows << c.asked;
        if (!m_columns.contains(c.clicked))
            m_columns << c.clicked;
    }
    std::sort(m_rows.begin(), m_rows.end());
    std::sort(m_columns.begin(), m_columns.end());
    updateGeometry();
    update();
}

QSize ConfusionMap::sizeHint() const
{
    const int titleWidth = QFontMetrics(font()).horizontalAdvance(axisClicked());
    const int grid = int(m_columns.size()) * kSquare;
    return {kAxisTitle + kHeader + std::max(grid, titleWidth) + 2,
            kAxisTitle + kHeader + int(m_rows.size()) * kSquare + 2};
}

int ConfusionMap::widestWidth() const
{
    const int titleWidth = QFontMetrics(font()).horizontalAdvance(axisClicked());
    return kAxisTitle + kHeader + std::max(kMostLetters * kSquare, titleWidth) + 2;
}

int ConfusionMap::gridRight() const
{
    return width() - 1 - kAxisTitle - kHeader;
}

int ConfusionMap::gridTop() const
{
    return kAxisTitle + kHeader;
}

QRect ConfusionMap::cellOf(int asked, int clicked) const
{
    const qsizetype row = m_rows.indexOf(asked);
    const qsizetype column = m_columns.indexOf(clicked);
    if (row < 0 || column < 0)
        return {};
    return {gridRight() - int(column + 1) * kSquare, gridTop() + int(row) * kSquare, kSquare, kSquare};
}

QString ConfusionMap::toolTipAt(const QPoint &pos) const
{
    for (int asked : m_rows) {
        for (int clicked : m_columns) {
            if (!cellOf(asked, clicked).contains(pos))
                continue;
            const int times = m_times[std::size_t(asked - 1)][std::size_t(clicked - 1)];
            if (times == 0)
                return tr("“%1” asked, “%2” never clicked instead")
                    .arg(inSentence(letterGlyph(asked - 1), layoutDirection()),
                         inSentence(letterGlyph(clicked - 1), layoutDirection()));
            return tr("“%1” asked, “%2” clicked: %n time(s)", "", times)
                .arg(inSentence(letterGlyph(asked - 1), layoutDirection()),
                     inSentence(letterGlyph(clicked - 1), layoutDirection()));
        }
    }
    return {};
}

bool ConfusionMap::event(QEvent *event)
{
    if (event->type() == QEvent::ToolTip) {
        auto *help = static_cast<QHelpEvent *>(event);
        const QString text = toolTipAt(help->pos());
        if (text.isEmpty()) {
            QToolTip::hideText();
            event->ignore();
        } else {
            // Shown until the pointer leaves the square it is about.
            const int column = (gridRight() - help->pos().x()) / kSquare;
            const int row = (help->pos().y() - gridTop()) / kSquare;
            QToolTip::showText(help->globalPos(), text, this,
                               QRect(gridRight() - (column + 1) * kSquare, gridTop() + row * kSquare, kSquare, kSquare));
        }
        return true;
    }
    return QWidget::event(event);
}

void ConfusionMap::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const int right = gridRight();
    const int top = gridTop();
    const int columns = int(m_columns.size());
    const int rows = int(m_rows.size());
    // The axes' names: above the letters clicked, beside the letters asked.
    p.setPen(QColor(0x30, 0x30, 0x30));
    p.setFont(font());
    p.drawText(QRect(0, 0, right + 1, kAxisTitle), Qt::AlignRight | Qt::AlignVCenter, axisClicked());
    p.save();
    p.translate(width() - 1, top);
    p.rotate(90);
    p.drawText(QRect(0, 0, std::max(rows * kSquare, 1), kAxisTitle), Qt::AlignLeft | Qt::AlignVCenter, axisAsked());
    p.restore();

    p.setFont(mapLetterFont());
    p.setPen(Qt::black);
    for (int c = 0; c < columns; ++c)
        p.drawText(QRect(right - (c + 1) * kSquare, kAxisTitle, kSquare, kHeader), Qt::AlignCenter,
                   letterGlyph(m_columns[c] - 1));
    for (int r = 0; r < rows; ++r)
        p.drawText(QRect(right + 1, top + r * kSquare, kHeader, kSquare), Qt::AlignCenter, letterGlyph(m_rows[r] - 1));
    for (int asked : m_rows) {
        for (int clicked : m_columns) {
            const QRect r = cellOf(asked, clicked);
            const int times = m_times[std::size_t(asked - 1)][std::size_t(clicked - 1)];
            QColor fill = asked == clicked ? QColor(0xf0, 0xf0, 0xf0) : Qt::white;
            if (times > 0) {
                const double strength = 0.25 + 0.75 * double(times) / m_most;
                fill = QColor::fromRgbF(1.0, 1.0 - 0.8 * strength, 1.0 - 0.9 * strength);
            }
            p.fillRect(r, fill);
            p.setPen(QColor(0xc8, 0xc8, 0xc8));
            p.drawRect(r);
        }
    }
}
