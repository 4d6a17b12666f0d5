#pragma once

#include "ui/builder.h"

#include <QDialog>
#include <QPixmap>
#include <QTimer>

#include <memory>

class PictureImage;

// The splash window: the program's title picture over a classroom picture,
// without a title bar or a taskbar entry. It closes 22 seconds after it was
// created, or at the first click on the picture or on the strip of
// background below it, whichever comes first. It handles no key: Escape
// does not close it either.
class frmSplash : public QDialog
{
    Q_OBJECT
public:
    static constexpr int kCloseAfterMs = 22000;

    explicit frmSplash(QWidget *parent = nullptr);

    // The one closing routine of the timer and of both clicks.
    void closeSplash();

    const QTimer &Timer3() const { return m_timer3; }
    PictureImage *Image1() const { return m_image1; }

    // Shows the splash, creating it unless it exists already, modally with no
    // owner, and returns once it has closed; nothing of it remains then.
    static void showModal(std::unique_ptr<frmSplash> &splash);

    // Shows the splash at once, without waiting for it: the program puts it
    // on screen first, and builds its main window behind it.
    void showEarly();

    // Fills the screen when it shows, scaled as a whole and centred, as the
    // main window does in full screen.
    void setFullScreen();
    qreal scale() const { return m_scale; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void Form_Click();

    QTimer m_timer3;
    QPixmap m_background;
    Controls m_controls;
    PictureImage *m_image1 = nullptr;
    bool m_fullScreen = false;
    qreal m_scale = 1.0;
    QPointF m_origin;
};
