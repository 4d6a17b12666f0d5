#include "widgets.h"

#include <QImage>
#include <QPainterPath>
#include <QMouseEvent>
#include <QWheelEvent>
#include <QPainter>
#include <QStyleOptionFocusRect>
#include <QStyleOptionFrame>
#include <QStylePainter>
#include <QStyledItemDelegate>
#include <QTimerEvent>

namespace {

// An asleep letter's greys: a flat face a little lighter than the window's
// mid grey, the letter in a darker grey, and its rim between the two. A
// click sinks it for a moment into the darker pair.
struct AsleepGreys
{
    QColor face, ink, rim;
};
const AsleepGreys kAsleep{QColor(168, 168, 168), QColor(100, 100, 100), QColor(150, 150, 150)};
const AsleepGreys kSunk{QColor(138, 138, 138), QColor(76, 76, 76), QColor(120, 120, 120)};

// The letter's picture redrawn in two greys: its white the face, its ink the
// ink, and the shades between in proportion, so the letter keeps its smooth
// edges and no white plate shows on the face.
QPixmap inGreys(const QPixmap &picture, const AsleepGreys &greys)
{
    QImage image = picture.toImage().convertToFormat(QImage::Format_RGB32);
    const int face = greys.face.red();
    const int ink = greys.ink.red();
    for (int y = 0; y < image.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int amount = 255 - qGray(line[x]);
            const int v = face + ((ink - face) * amount + 127) / 255;
            line[x] = qRgb(v, v, v);
        }
    }
    QPixmap out = QPixmap::fromImage(image);
    out.setDevicePixelRatio(picture.devicePixelRatio());
    return out;
}

} // namespace

const QPixmap &ScaledPicture::at(const QPixmap &source, QSizeF size, qreal ratio)
{
    const QSize pixels = (size * ratio).toSize();
    if (source.cacheKey() != m_source || pixels != m_pixmap.size() || ratio != m_pixmap.devicePixelRatio()) {
        // At its own size and density it is copied as it is; otherwise scaled
        // smoothly once, not pixel by pixel, and not at every paint.
        m_pixmap = pixels == source.size() ? source
                                           : source.scaled(pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        m_pixmap.setDevicePixelRatio(ratio);
        m_source = source.cacheKey();
    }
    return m_pixmap;
}

PictureButton::PictureButton(QWidget *parent)
    : QAbstractButton(parent)
{
    setFocusPolicy(Qt::StrongFocus);
}

void PictureButton::setFace(const QColor &face)
{
    m_face = face;
    update();
}

void PictureButton::setPicture(const QPixmap &picture)
{
    m_picture = picture;
    update();
}

void PictureButton::copyPictureFrom(const PictureButton &source)
{
    setPicture(source.picture());
    setAccessibleName(source.accessibleName());
}

void PictureButton::setScale(qreal scale)
{
    if (m_scale == scale)
        return;
    m_scale = scale;
    update();
}

void PictureButton::setFaded(bool faded)
{
    if (m_faded == faded)
        return;
    m_faded = faded;
    if (!faded) {
        m_notYet.stop();
        m_asleep = QPixmap();
        m_asleepFrom = 0;
    }
    update();
}

void PictureButton::showNotYet()
{
    if (!m_faded)
        return;
    m_notYet.start(kNotYetMs, this);
    update();
}

void PictureButton::timerEvent(QTimerEvent *event)
{
    if (event->timerId() != m_notYet.timerId()) {
        QAbstractButton::timerEvent(event);
        return;
    }
    m_notYet.stop();
    update();
}

QSize PictureButton::sizeHint() const
{
    return m_picture.deviceIndependentSize().toSize() + QSize(8, 8);
}

void PictureButton::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    if (m_faded) {
        paintAsleep(p);
        return;
    }
    const QRectF r = rect();
    const bool down = isDown();
    p.fillRect(r, m_face);

    // The picture in the middle at its own size (times the window's scale),
    // a little lower and to the right while pressed. Drawn at another
    // density than it was made for, it is scaled smoothly, not pixel by
    // pixel; at its own density it is copied as it is.
    if (!m_picture.isNull()) {
        const QSizeF size = m_picture.deviceIndependentSize() * m_scale;
        QPointF topLeft((r.width() - size.width()) / 2.0, (r.height() - size.height()) / 2.0);
        if (down)
            topLeft += QPointF(m_scale, m_scale);
        topLeft = QPointF(std::floor(topLeft.x()), std::floor(topLeft.y()));
        p.drawPixmap(topLeft, m_shown.at(m_picture, size, devicePixelRatioF()));
    }

    // The 3D edge over the picture: a black outline and a two-pixel bevel,
    // raised, or sunken while the mouse or Space holds the button. Each band
    // is a filled strip from edge to edge, not a line: at 1.25 or 1.5 a
    // line's pen falls between device pixels and leaves a seam at the
    // button's edge, or no outline at all.
    // A band is never thinner than a pixel, in a window made smaller.
    const qreal band = std::max<qreal>(1.0, m_scale);
    const auto frame = [&](int n, const QColor &topLeft, const QColor &bottomRight) {
        const QRectF box = r.adjusted(n * band, n * band, -n * band, -n * band);
        p.fillRect(QRectF(box.left(), box.top(), box.width(), band), topLeft);
        p.fillRect(QRectF(box.left(), box.top(), band, box.height()), topLeft);
        p.fillRect(QRectF(box.left(), box.bottom() - band, box.width(), band), bottomRight);
        p.fillRect(QRectF(box.right() - band, box.top(), band, box.height()), bottomRight);
    };
    const QColor light = m_face.lighter(160);
    const QColor shade = m_face.darker(150);
    const QColor dark = m_face.darker(250);
    frame(0, Qt::black, Qt::black);
    if (down) {
        frame(1, dark, light);
        frame(2, shade, m_face);
    } else {
        frame(1, light, dark);
        frame(2, m_face.lighter(120), shade);
    }

    drawFocus(p, band);
}

// Asleep: flat, no edge that stands out and no press, whatever the mouse
// does; the letter where an awake one has it, so that it wakes in place.
void PictureButton::paintAsleep(QPainter &p)
{
    const QRectF r = rect();
    const bool sunk = m_notYet.isActive();
    const AsleepGreys &greys = sunk ? kSunk : kAsleep;
    p.fillRect(r, greys.face);
    const qreal band = std::max<qreal>(1.0, m_scale);
    const QRectF inner = r.adjusted(band, band, -band, -band);
    p.fillRect(QRectF(r.left(), r.top(), r.width(), band), greys.rim);
    p.fillRect(QRectF(r.left(), inner.bottom(), r.width(), band), greys.rim);
    p.fillRect(QRectF(r.left(), r.top(), band, r.height()), greys.rim);
    p.fillRect(QRectF(inner.right(), r.top(), band, r.height()), greys.rim);

    if (!m_picture.isNull()) {
        const QSizeF size = m_picture.deviceIndependentSize() * m_scale;
        const QPointF topLeft(std::floor((r.width() - size.width()) / 2.0),
                              std::floor((r.height() - size.height()) / 2.0));
        const QPixmap &shown = m_shown.at(m_picture, size, devicePixelRatioF());
        if (shown.cacheKey() != m_asleepFrom || sunk != m_asleepSunk) {
            m_asleep = inGreys(shown, greys);
            m_asleepFrom = shown.cacheKey();
            m_asleepSunk = sunk;
        }
        p.drawPixmap(topLeft, m_asleep);
    }
    drawFocus(p, band);
}

void PictureButton::drawFocus(QPainter &p, qreal band)
{
    if (!hasFocus())
        return;
    QStyleOptionFocusRect option;
    option.initFrom(this);
    option.rect = QRectF(rect()).adjusted(4 * band, 4 * band, -4 * band, -4 * band).toRect();
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &p, this);
}

PictureImage::PictureImage(QWidget *parent)
    : QWidget(parent)
{
}

void PictureImage::setPicture(const QPixmap &picture)
{
    m_picture = picture;
    update();
}

void PictureImage::paintEvent(QPaintEvent *)
{
    if (m_picture.isNull())
        return;
    QPainter p(this);
    p.drawPixmap(0, 0, m_shown.at(m_picture, size(), devicePixelRatioF()));
}

void PictureImage::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

void ClickLabel::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
    QLabel::mouseReleaseEvent(event);
}

void ClickLabel::setBackdrop(bool on)
{
    m_backdrop = on;
    update();
}

namespace {

// `font`, or a smaller one where `text` would not fit in `room` pixels.
QFont fittedFont(QFont font, const QString &text, int room)
{
    const auto size = [](const QFont &f) { return f.pixelSize() > 0 ? f.pixelSize() : qRound(f.pointSizeF() * 96 / 72); };
    while (size(font) > 6 && QFontMetrics(font).boundingRect(text).width() > room)
        font.setPixelSize(size(font) - 1);
    return font;
}

// The width of the white ring around a label's figures.
qreal haloWidth(const QFont &font)
{
    return std::max(2.0, QFontMetricsF(font).height() / 7);
}

} // namespace

void ClickLabel::paintEvent(QPaintEvent *event)
{
    if (!m_backdrop || text().isEmpty()) {
        QLabel::paintEvent(event);
        return;
    }
    // The figures in their colour, ringed in white: they read over a red
    // cross or a green tick alike.
    QPainterPath figures;
    figures.addText(0, 0, font(), text());
    const QRectF box = figures.boundingRect();
    figures.translate(QRectF(rect()).center() - box.center());
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.strokePath(figures, QPen(Qt::white, 2 * haloWidth(font()), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.fillPath(figures, palette().color(QPalette::WindowText));
}

QSize ClickLabel::sizeHint() const
{
    // Room for the ring around the figures.
    QSize size = QLabel::sizeHint();
    if (m_backdrop) {
        const int ring = int(std::ceil(haloWidth(font()))) + 1;
        size += QSize(2 * ring, 2 * ring);
    }
    return size;
}

NumberBox::NumberBox(const QString &text, QWidget *parent)
    : QLineEdit(text, parent)
    , m_font(font())
{
    setReadOnly(true);
    setFocusPolicy(Qt::NoFocus);
    connect(this, &QLineEdit::textChanged, this, &NumberBox::fit);
}

void NumberBox::changeEvent(QEvent *event)
{
    QLineEdit::changeEvent(event);
    if (event->type() == QEvent::FontChange && !m_fitting) {
        m_font = font();
        fit();
    }
}

void NumberBox::resizeEvent(QResizeEvent *event)
{
    QLineEdit::resizeEvent(event);
    fit();
}

void NumberBox::fit()
{
    // The room the line edit draws its text in: its contents less the two
    // pixels it keeps at each side, and one more for the ink's overhang.
    QStyleOptionFrame option;
    initStyleOption(&option);
    const int room = style()->subElementRect(QStyle::SE_LineEditContents, &option, this).width() - 6;
    const QFont fitted = fittedFont(m_font, text(), room);
    if (fitted == font())
        return;
    m_fitting = true;
    setFont(fitted);
    m_fitting = false;
}

FrameShape::FrameShape(int borderWidth, bool rounded, QWidget *parent)
    : QWidget(parent)
    , m_borderWidth(borderWidth)
    , m_rounded(rounded)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void FrameShape::setBorderWidth(qreal width)
{
    m_borderWidth = width;
    update();
}

void FrameShape::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing, m_rounded);
    QPen pen(palette().color(QPalette::WindowText), m_borderWidth);
    pen.setJoinStyle(Qt::MiterJoin);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    const qreal half = m_borderWidth / 2.0;
    const QRectF r = QRectF(rect()).adjusted(half, half, -half, -half);
    if (m_rounded) {
        const qreal radius = std::min(r.width(), r.height()) / 6.0;
        p.drawRoundedRect(r, radius, radius);
    } else {
        p.drawRect(r);
    }
}

ChoiceList::ChoiceList(QWidget *parent)
    : QComboBox(parent)
{
    setEditable(false);
    // The popup's entries drawn by an item delegate, which follows the
    // list's direction (the menu-like one draws every entry from the left).
    setItemDelegate(new QStyledItemDelegate(this));
    connect(this, &QComboBox::activated, this, &ChoiceList::clicked);
}

void ChoiceList::wheelEvent(QWheelEvent *event)
{
    // Passed on to the window, which does nothing with it.
    event->ignore();
}

QFont ChoiceList::entryFont() const
{
    QStyleOptionComboBox option;
    initStyleOption(&option);
    const QRect entry = style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
    return fittedFont(font(), currentText(), entry.width() - 4);
}

void ChoiceList::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    const QRect arrowRoom = style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxArrow, this);
    option.subControls &= ~QStyle::SC_ComboBoxArrow;
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    painter.setFont(entryFont());
    painter.drawControl(QStyle::CE_ComboBoxLabel, option);
    // A triangle pointing down, as wide as a third of the list's height
    // (the style's own is about that at the size the design was made for),
    // centred in the arrow's place.
    const qreal side = height() / 3.0;
    const QPointF centre = QRectF(arrowRoom).center();
    QPainterPath arrow;
    arrow.moveTo(centre.x() - side / 2, centre.y() - side / 4);
    arrow.lineTo(centre.x() + side / 2, centre.y() - side / 4);
    arrow.lineTo(centre.x(), centre.y() + side / 4);
    arrow.closeSubpath();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillPath(arrow, palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
}

void ChoiceList::setListIndex(int index)
{
    setCurrentIndex(index);
    emit clicked();
}
