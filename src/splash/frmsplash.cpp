#include "frmsplash.h"

#include <QKeyEvent>

#include "ui/design.h"
#include "ui/widgets.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QWindow>
#include <QMouseEvent>
#include <QPainter>
#include <QRegion>

frmSplash::frmSplash(QWidget *parent)
    // A tool window stays out of the taskbar. (A splash-screen window type
    // would too, but a modal exec() of one never returns in Qt 6.4.)
    : QDialog(parent, Qt::Tool | Qt::FramelessWindowHint)
    , m_background(designPicture(kClassroomPicture))
{
    // The count starts with the window, not when it is first shown.
    m_timer3.setTimerType(Qt::PreciseTimer);
    m_timer3.setSingleShot(true);
    connect(&m_timer3, &QTimer::timeout, this, &frmSplash::closeSplash);
    m_timer3.start(kCloseAfterMs);

    m_controls = buildWindow(this, splashDesign());
    m_image1 = m_controls.get<PictureImage>(QStringLiteral("Image1"));
    connect(m_image1, &PictureImage::clicked, this, &frmSplash::closeSplash);
    setFixedSize(size());
    setModal(true);
    centreOnScreen(this);
}

void frmSplash::keyPressEvent(QKeyEvent *event)
{
    // A dialog would close on Escape; this one waits for its timer or a click.
    event->accept();
}

void frmSplash::closeSplash()
{
    m_timer3.stop();
    done(QDialog::Accepted);
}

void frmSplash::Form_Click()
{
    closeSplash();
}

void frmSplash::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        Form_Click();
}

void frmSplash::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    if (m_scale == 1.0 && m_origin.isNull()) {
        // Drawn at its natural size from the top-left corner; the window is
        // smaller than the picture, so it fills the window.
        p.drawPixmap(0, 0, m_background);
        return;
    }
    // Full screen: the design's window in the middle, scaled, the rest in
    // the main window's colour.
    const QSizeF design = designSize(splashDesign());
    const QRectF window(m_origin, design * m_scale);
    p.fillRect(rect(), QColor(0x80, 0x80, 0x80));
    p.setClipRect(window);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawPixmap(QRectF(m_origin, m_background.deviceIndependentSize() * m_scale), m_background,
                 QRectF(m_background.rect()));
}

void frmSplash::setFullScreen()
{
    m_fullScreen = true;
    setMinimumSize(0, 0);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    fillScreen(this);
}

void frmSplash::resizeEvent(QResizeEvent *)
{
    if (!m_fullScreen)
        return;
    const auto [scale, origin] = fillArea(splashDesign(), size());
    if (scale == m_scale && origin == m_origin)
        return;
    const QSizeF design = designSize(splashDesign());
    m_scale = scale;
    m_origin = origin;
    placeControls(splashDesign(), m_controls, scale, origin);
    // The picture's control reaches past the window's right edge, where
    // the window's edge hides it; here nothing would.
    const QRect window = QRectF(origin, design * scale).toAlignedRect();
    m_image1->setMask(QRegion(window.translated(-m_image1->pos())));
    update();
}

void frmSplash::showModal(std::unique_ptr<frmSplash> &splash)
{
    if (!splash)
        splash = std::make_unique<frmSplash>();
    splash->exec();
    splash.reset();
}

void frmSplash::showEarly()
{
    show();
    // Paint it now: the main window is built next, and the splash should be
    // on screen, not blank, while that happens.
    QElapsedTimer waited;
    waited.start();
    while (!windowHandle()->isExposed() && waited.elapsed() < 500)
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents | QEventLoop::WaitForMoreEvents, 50);
    repaint();
}
