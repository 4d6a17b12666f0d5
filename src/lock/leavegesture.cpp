#include "leavegesture.h"

#include "ui/look.h"
#include "ui/design.h"

#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QVBoxLayout>

HoldButton::HoldButton(int holdMs, QWidget *parent)
    : QWidget(parent)
    , m_holdMs(holdMs)
{
    setAttribute(Qt::WA_AcceptTouchEvents, false); // a finger comes as a mouse
    setCursor(Qt::PointingHandCursor);
    m_tick.setInterval(30);
    connect(&m_tick, &QTimer::timeout, this, &HoldButton::tick);
}

qreal HoldButton::filled() const
{
    if (!m_pressed.isValid())
        return 0;
    return std::min<qreal>(1.0, qreal(m_pressed.elapsed()) / m_holdMs);
}

void HoldButton::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    m_pressed.start();
    m_tick.start();
    update();
}

void HoldButton::mouseReleaseEvent(QMouseEvent *)
{
    // Let go before it was full: it starts again from empty.
    m_pressed.invalidate();
    m_tick.stop();
    update();
}

void HoldButton::tick()
{
    update();
    if (filled() >= 1.0) {
        m_pressed.invalidate();
        m_tick.stop();
        emit held();
    }
}

void HoldButton::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r = QRectF(rect()).adjusted(2, 2, -2, -2);
    const qreal radius = r.height() / 4;
    p.setPen(QPen(QColor(0x1c, 0x2f, 0x7a), 3));
    p.setBrush(Qt::white);
    p.drawRoundedRect(r, radius, radius);
    // Fills from the right, as the window reads.
    const qreal part = filled();
    if (part > 0) {
        p.save();
        p.setClipRect(QRectF(r.right() - r.width() * part, r.top(), r.width() * part, r.height()));
        p.setBrush(QColor(0x4f, 0xae, 0x3c));
        p.drawRoundedRect(r, radius, radius);
        p.restore();
    }
}

LeaveGesture::LeaveGesture(QWidget *parent)
    : QWidget(parent)
{
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, QColor(0xf2, 0xfb, 0xff));
    palette.setColor(QPalette::WindowText, QColor(0x10, 0x2a, 0x78));
    setPalette(palette);
    // Words for the grown-up, in their language and its direction, over a
    // window that keeps its own.
    setLayoutDirection(QGuiApplication::layoutDirection());
    auto *layout = new QVBoxLayout(this);
    m_text = new QLabel(this);
    m_text->setAlignment(Qt::AlignCenter);
    m_text->setWordWrap(true);
    m_text->setText(tr("To leave full screen: hold this button until it fills with green (three seconds)."));
    m_button = new HoldButton(kHoldMs, this);
    m_button->setAccessibleName(tr("Hold for three seconds to leave"));
    layout->addWidget(m_text);
    layout->addWidget(m_button, 1);
    m_giveUp.setSingleShot(true);
    m_giveUp.setInterval(kShownMs);
    connect(&m_giveUp, &QTimer::timeout, this, [this] {
        // Still held: it waits for the hand.
        if (m_button->filled() > 0)
            m_giveUp.start();
        else
            hide();
    });
    connect(m_button, &HoldButton::held, this, [this] {
        hide();
        emit left();
    });
    hide();
}

void LeaveGesture::start(qreal scale)
{
    m_text->setFont(grownUpsFont(14 * scale, true));
    const QSize size(qRound(420 * scale), qRound(150 * scale));
    QRect place(QPoint(), size);
    place.moveCenter(parentWidget()->rect().center());
    setGeometry(place);
    layout()->setContentsMargins(int(12 * scale), int(12 * scale), int(12 * scale), int(12 * scale));
    show();
    raise();
    m_giveUp.start();
}
