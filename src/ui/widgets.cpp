#include "widgets.h"

#include <QMouseEvent>
#include <QWheelEvent>
#include <QPainter>
#include <QStyleOptionFocusRect>
#include <QStyledItemDelegate>

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
    update();
}

QSize PictureButton::sizeHint() const
{
    return m_picture.deviceIndependentSize().toSize() + QSize(8, 8);
}

void PictureButton::paintEvent(QPaintEvent *)
{
    QPainter p(this);
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
        p.setOpacity(m_faded ? 0.22 : 1.0);
        p.drawPixmap(topLeft, m_shown.at(m_picture, size, devicePixelRatioF()));
        p.setOpacity(1.0);
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

    if (hasFocus()) {
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.rect = r.adjusted(4 * band, 4 * band, -4 * band, -4 * band).toRect();
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &p, this);
    }
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

void ChoiceList::setListIndex(int index)
{
    setCurrentIndex(index);
    emit clicked();
}
