// The child's window at any size: fitted to a small screen, or filling the
// screen, locked.
#include "shell/form1.h"

#include "lock/leavegesture.h"
#include "shell/letters.h"
#include "ui/design.h"
#include "ui/builder.h"
#include "ui/widgets.h"
#include "words/wordpanel.h"

#include <QGuiApplication>
#include <QResizeEvent>
#include <QScreen>
#include <QTimer>

namespace {

// Room a window manager's frame and title take around a window.
const QSize kFrame(16, 48);

} // namespace

void Form1::setFullScreen(bool on)
{
    if (on == m_fullScreen && (on ? isFullScreen() : !isFullScreen()))
        return;
    m_fullScreen = on;
    if (on) {
        setWindowFlag(Qt::WindowStaysOnTopHint, true);
        fillScreen(this);
        show();
        resizeEvent(nullptr);
        raise();
        activateWindow();
    } else {
        m_leave->hide();
        setWindowFlag(Qt::WindowStaysOnTopHint, false);
        showNormal();
        fitToScreen();
        centreOnScreen(this);
    }
}

// At its own size unless the screen's free area is smaller: then smaller
// as a whole, never cut off.
void Form1::fitToScreen()
{
    const QSize design = designSize(form1Design());
    qreal scale = 1.0;
    if (const QScreen *screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen()) {
        const QSize room = screen->availableGeometry().size() - kFrame;
        scale = std::min({1.0, qreal(room.width()) / design.width(), qreal(room.height()) / design.height()});
    }
    resize(QSize(qRound(design.width() * scale), qRound(design.height() * scale)));
    applyScale(scale, {});
}

void Form1::resizeEvent(QResizeEvent *)
{
    // Full screen: as large as the screen allows, in the middle; the rest
    // of the screen is the window's own colour. Otherwise the controls stay
    // where they are.
    if (!m_fullScreen)
        return;
    const DesignFill fill = fillArea(form1Design(), size());
    applyScale(fill.scale, fill.origin);
    if (m_leave->isVisible())
        m_leave->start(m_scale);
}

void Form1::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    // Locked, the window takes itself back to the front, as long as the
    // desktop lets it.
    if (event->type() == QEvent::ActivationChange && m_fullScreen && !isActiveWindow()) {
        QTimer::singleShot(100, this, [this] {
            if (m_fullScreen && !isActiveWindow()) {
                raise();
                activateWindow();
            }
        });
    }
}

void Form1::applyScale(qreal scale, QPointF origin)
{
    if (scale == m_scale && origin == m_origin)
        return;
    // The marks the results panel shows now, to show again from the new
    // pictures.
    std::array<bool, kLetterCount> crossed{};
    for (int k = 0; k < kLetterCount; ++k)
        crossed[std::size_t(k)] = Ima[k]->picture().cacheKey() == m_panelCross.cacheKey();
    m_scale = scale;
    m_origin = origin;
    placeControls(form1Design(), m_controls, scale, origin);
    const qreal density = scale * devicePixelRatioF();
    m_panelTick = designPicture(kPanelTickPicture, density);
    m_panelCross = designPicture(kPanelCrossPicture, density);
    for (int k = 0; k < kLetterCount; ++k)
        Ima[k]->setPicture(crossed[std::size_t(k)] ? m_panelCross : m_panelTick);
    // The board shows the results panel's pictures, now the new ones.
    placeLettersOnBoard();
    if (m_wordPanel)
        m_wordPanel->setGeometry(scaledPlace(kWordPanelPlace, m_scale, m_origin));
}
