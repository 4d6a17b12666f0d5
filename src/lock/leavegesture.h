#pragma once

#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>

class QLabel;

// A button that must be held down, by a mouse or a finger, for a while: it
// fills as it is held, empties when let go early, and says held() once
// full.
class HoldButton : public QWidget
{
    Q_OBJECT
public:
    explicit HoldButton(int holdMs, QWidget *parent = nullptr);
    // 0 .. 1, how far it has filled.
    qreal filled() const;

signals:
    void held();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void tick();

    const int m_holdMs;
    QElapsedTimer m_pressed;
    QTimer m_tick;
};

// What a grown-up sees after Ctrl+Shift+Q in the locked window: what to do
// to leave, and the button to hold. It goes by itself if nobody holds the
// button.
class LeaveGesture : public QWidget
{
    Q_OBJECT
public:
    static constexpr int kHoldMs = 3000;
    static constexpr int kShownMs = 10000;

    explicit LeaveGesture(QWidget *parent);
    // Shows it in the middle of its parent, at the parent's scale.
    void start(qreal scale);
    HoldButton *button() const { return m_button; }

signals:
    void left();

private:
    QLabel *m_text = nullptr;
    HoldButton *m_button = nullptr;
    QTimer m_giveUp;
};
