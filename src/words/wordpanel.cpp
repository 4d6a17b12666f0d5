#include "wordpanel.h"

#include "ui/design.h"
#include "ui/look.h"
#include "words/worddrawing.h"

#include <QImageReader>
#include <QPainter>
#include <QPainterPath>

const QColor WordPanel::kInk(0x21, 0x21, 0x21);
// Deep orange: as far from the word's near-black in lightness as in hue.
const QColor WordPanel::kLetterInk(0xE6, 0x4A, 0x19);

QString picturePath(const Word &word)
{
    return QStringLiteral(":/words/pictures/words/%1.svg").arg(word.picture);
}

WordPanel::WordPanel(QWidget *parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void WordPanel::setWord(const Word &word)
{
    m_word = word;
    setAccessibleName(word.vowelled);
    update();
}

// A card with a margin of 1/16 of its width: the picture a square at the
// top, the word in what is left under it.
QRectF WordPanel::pictureBox() const
{
    const qreal margin = width() / 16.0;
    const qreal side = width() - 2 * margin;
    return {margin, margin, side, side};
}

QRectF WordPanel::wordBox() const
{
    const qreal margin = width() / 16.0;
    const QRectF picture = pictureBox();
    const qreal top = picture.bottom() + margin;
    return {margin, top, width() - 2 * margin, std::max(0.0, height() - margin - top)};
}

// The picture drawn from its SVG at the device pixels it covers; read
// again only when the word or the size changes.
const QPixmap &WordPanel::picture(QSize deviceSize)
{
    const QString path = picturePath(m_word);
    if (path == m_pictureOf && deviceSize == m_pictureSize)
        return m_picture;
    m_pictureOf = path;
    m_pictureSize = deviceSize;
    QImageReader reader(path);
    const QSize natural = reader.size();
    QSize size = deviceSize;
    if (natural.isValid() && !natural.isEmpty())
        size = natural.scaled(deviceSize, Qt::KeepAspectRatio);
    reader.setScaledSize(size);
    m_picture = QPixmap::fromImage(reader.read());
    return m_picture;
}

void WordPanel::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal radius = width() / 12.0;
    QPainterPath card;
    card.addRoundedRect(QRectF(rect()), radius, radius);
    p.fillPath(card, Qt::white);
    if (m_word.vowelled.isEmpty())
        return;

    const qreal ratio = devicePixelRatioF();
    const QRectF box = pictureBox();
    const QPixmap &shown = picture((box.size() * ratio).toSize());
    if (!shown.isNull()) {
        const QSizeF size = QSizeF(shown.size()) / ratio;
        p.drawPixmap(QRectF(box.center() - QPointF(size.width(), size.height()) / 2, size), shown,
                     QRectF(shown.rect()));
    }

    const QRectF words = wordBox();
    WordLook look{designFont(FontDesign{"Arial", 12, true}), kInk, kLetterInk};
    look.font.setPixelSize(fittingPixelSize(m_word.vowelled, look.font, words.size(), int(words.height() * 0.8)));
    drawWord(p, words, m_word.vowelled, m_word.from, m_word.length, look);
}
