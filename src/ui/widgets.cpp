#include "widgets.h"

#include <QMouseEvent>
#include <QWheelEvent>
#include <QPainter>
#include <QStyleOptionFocusRect>
#include <QStyledItemDelegate>

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
    // A picture drawn at another density than it was made for (a 2x picture
    // on a 1.25 or 1.5 screen) is scaled smoothly, not pixel by pixel; at its
    // own density it is copied as it is.
    p.setRenderHint(QPainter::SmoothPixmapTransform, m_picture.devicePixelRatio() != devicePixelRatioF());
    const QRect r = rect();
    const bool down = isDown();
    p.fillRect(r, m_face);

    // The picture at its own size in the middle, a little lower and to the
    // right while pressed.
    if (!m_picture.isNull()) {
        const QSizeF size = m_picture.deviceIndependentSize();
        QPointF topLeft((r.width() - size.width()) / 2.0, (r.height() - size.height()) / 2.0);
        if (down)
            topLeft += QPointF(1, 1);
        p.setOpacity(m_faded ? 0.22 : 1.0);
        p.drawPixmap(QPointF(std::floor(topLeft.x()), std::floor(topLeft.y())), m_picture);
        p.setOpacity(1.0);
    }

    // The 3D edge over the picture: a black outline and a two-pixel bevel,
    // raised, or sunken while the mouse or Space holds the button.
    const QColor light = m_face.lighter(160);
    const QColor shade = m_face.darker(150);
    const QColor dark = m_face.darker(250);
    const auto bevel = [&p](QRect box, const QColor &topLeft, const QColor &bottomRight) {
        p.setPen(topLeft);
        p.drawLine(box.topLeft(), box.topRight());
        p.drawLine(box.topLeft(), box.bottomLeft());
        p.setPen(bottomRight);
        p.drawLine(box.bottomLeft(), box.bottomRight());
        p.drawLine(box.topRight(), box.bottomRight());
    };
    p.setPen(Qt::black);
    p.drawRect(r.adjusted(0, 0, -1, -1));
    const QRect outer = r.adjusted(1, 1, -1, -1);
    const QRect inner = r.adjusted(2, 2, -2, -2);
    if (down) {
        bevel(outer, dark, light);
        bevel(inner, shade, m_face);
    } else {
        bevel(outer, light, dark);
        bevel(inner, m_face.lighter(120), shade);
    }

    if (hasFocus()) {
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.rect = r.adjusted(4, 4, -4, -4);
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
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawPixmap(rect(), m_picture);
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
