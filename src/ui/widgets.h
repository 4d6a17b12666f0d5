#pragma once

#include <QAbstractButton>
#include <QBasicTimer>
#include <QColor>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QWidget>

// The control kinds the window designs are made of.

// A graphical push button: a face of one colour with a picture drawn at its
// natural size in the middle, no caption. Carries a Tag string, as the board
// buttons use it for the contest's right-answer mark.
// A picture as a control shows it: at a size, in device pixels, made once
// and kept until the picture or the size changes.
class ScaledPicture
{
public:
    const QPixmap &at(const QPixmap &source, QSizeF size, qreal ratio);

private:
    QPixmap m_pixmap;
    qint64 m_source = 0;
};

class PictureButton : public QAbstractButton
{
    Q_OBJECT
public:
    explicit PictureButton(QWidget *parent = nullptr);

    void setFace(const QColor &face);
    void setPicture(const QPixmap &picture);
    const QPixmap &picture() const { return m_picture; }

    // Shows the same picture as another button, and takes its accessible
    // name with it, so that a screen reader names what the child sees.
    void copyPictureFrom(const PictureButton &source);

    QString tag() const { return m_tag; }
    void setTag(const QString &tag) { m_tag = tag; }

    // The window's scale: the picture and the edge drawn that much larger.
    void setScale(qreal scale);

    // A letter not yet in play, asleep: a flat grey tile with its letter in
    // a darker grey, quiet beside the raised, white letters in play, and
    // still legible.
    void setFaded(bool faded);
    bool isFaded() const { return m_faded; }
    // "Not yet", when an asleep letter is clicked: the tile sinks into a
    // darker grey for kNotYetMs and comes back by itself. Nothing waits
    // for it; a second click starts it afresh. Asleep buttons only.
    void showNotYet();
    bool isShowingNotYet() const { return m_notYet.isActive(); }
    static constexpr int kNotYetMs = 350;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void timerEvent(QTimerEvent *event) override;

private:
    void paintAsleep(QPainter &p);
    void drawFocus(QPainter &p, qreal band);

    QColor m_face;
    QPixmap m_picture;
    QString m_tag;
    bool m_faded = false;
    qreal m_scale = 1.0;
    ScaledPicture m_shown;
    // The asleep drawing of the picture, made from m_shown's, and what it
    // was made from (its pixmap and whether sunk for "not yet").
    QPixmap m_asleep;
    qint64 m_asleepFrom = 0;
    bool m_asleepSunk = false;
    QBasicTimer m_notYet;
};

// An image control: its picture stretched to the control's size.
class PictureImage : public QWidget
{
    Q_OBJECT
public:
    explicit PictureImage(QWidget *parent = nullptr);
    void setPicture(const QPixmap &picture);
    const QPixmap &picture() const { return m_picture; }

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    QPixmap m_picture;
    ScaledPicture m_shown;
};

// A label that reports clicks.
class ClickLabel : public QLabel
{
    Q_OBJECT
public:
    using QLabel::QLabel;

    // The caption's figures ringed in white, in proportion to its font:
    // they read over the pictures under them.
    void setBackdrop(bool on);
    QSize sizeHint() const override;

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    bool m_backdrop = false;
};

// A box the program writes a number in, no more: no caret, no typing. Its
// figures are drawn in its font, made smaller where they would not fit
// (three digits in a box made for two), never larger.
class NumberBox : public QLineEdit
{
    Q_OBJECT
public:
    explicit NumberBox(const QString &text, QWidget *parent = nullptr);

protected:
    void changeEvent(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void fit();

    QFont m_font;
    bool m_fitting = false;
};

// An outline frame drawn over the background; it takes no clicks.
class FrameShape : public QWidget
{
    Q_OBJECT
public:
    FrameShape(int borderWidth, bool rounded, QWidget *parent = nullptr);
    void setBorderWidth(qreal width);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    qreal m_borderWidth;
    bool m_rounded;
};

// A choose-only drop-down list. clicked() is its Click event: it comes when
// the user picks an entry, even the one already chosen, and at once when an
// entry is selected from code with setListIndex().
//
// Child-proof: it changes only by a pick from its open popup or by the
// keyboard while it has focus, never by a mouse wheel turned over it.
class ChoiceList : public QComboBox
{
    Q_OBJECT
public:
    explicit ChoiceList(QWidget *parent = nullptr);
    void setListIndex(int index);
    // The font the entry shown is drawn in: the list's, smaller where a
    // window made smaller to fit its screen leaves the entry less room than
    // the arrow's place.
    QFont entryFont() const;

signals:
    void clicked();

protected:
    void wheelEvent(QWheelEvent *event) override;
    // Its arrow in proportion to its height: the style's is of a fixed
    // size, a speck on a list scaled to a 4K screen.
    void paintEvent(QPaintEvent *event) override;
};
