#pragma once

#include "words/wordtable.h"

#include <QPixmap>
#include <QWidget>

// A word's picture and its vowelled word, large, the letter asked in
// another colour; in the child's window, in the results panel's place.
// Everything in it is drawn from the vector picture and the font at the
// size and density it is shown at, so it is as sharp at full screen on a
// 4K screen as at the window's own size.
class WordPanel final : public QWidget
{
    Q_OBJECT
public:
    explicit WordPanel(QWidget *parent = nullptr);

    void setWord(const Word &word);
    const Word &word() const { return m_word; }

    // Where the picture and the word are drawn, in the panel.
    QRectF pictureBox() const;
    QRectF wordBox() const;

    static const QColor kInk;
    static const QColor kLetterInk;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    const QPixmap &picture(QSize deviceSize);

    Word m_word;
    // The picture as last drawn, and for what.
    QPixmap m_picture;
    QString m_pictureOf;
    QSize m_pictureSize;
};

// The resource path of a word's picture.
QString picturePath(const Word &word);
