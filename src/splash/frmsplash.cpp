#include "frmsplash.h"

#include <QKeyEvent>

#include "ui/design.h"
#include "ui/widgets.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QWindow>
#include <QMouseEvent>
#include <QPainter>

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
    // Drawn at its natural size from the top-left corner; the window is
    // smaller than the picture, so it fills the window.
    p.drawPixmap(0, 0, m_background);
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
