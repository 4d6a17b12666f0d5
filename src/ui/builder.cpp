#include "builder.h"

#include "design.h"
#include "look.h"
#include "widgets.h"

#include <QApplication>
#include <QColor>
#include <QFont>
#include <QIcon>
#include <QLineEdit>
#include <QPixmap>
#include <QScreen>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

QString key(const QString &name, int index)
{
    return index < 0 ? name : name + QLatin1Char('(') + QString::number(index) + QLatin1Char(')');
}

void setColours(QWidget *control, const ControlDesign &d)
{
    QPalette palette = control->palette();
    if (d.fore != kDefaultColour) {
        palette.setColor(QPalette::WindowText, designColour(d.fore));
        palette.setColor(QPalette::Text, designColour(d.fore));
    }
    if (d.back != kDefaultColour)
        palette.setColor(QPalette::Base, designColour(d.back));
    control->setPalette(palette);
}

QWidget *makeControl(QWidget *window, const ControlDesign &d)
{
    const QString caption = QString::fromUtf8(d.caption);
    switch (d.kind) {
    case ControlKind::Button: {
        auto *button = new PictureButton(window);
        button->setFace(designColour(d.back));
        return button;
    }
    case ControlKind::Label: {
        auto *label = new ClickLabel(caption, window);
        label->setAlignment(d.align);
        // A label keeps a pixel clear at each side, so that no stroke of
        // its caption is cut at its edge (drawn from its left, at a scale
        // that rounds the caption's place down, it would touch it).
        label->setContentsMargins(1, 0, 1, 0);
        label->setAttribute(Qt::WA_TranslucentBackground);
        label->setBackdrop(d.backdrop);
        return label;
    }
    case ControlKind::TextBox: {
        // The only text box shows what the program writes there (the
        // question number): no caret, no typing, no keyboard focus.
        auto *box = new NumberBox(caption, window);
        box->setAlignment(d.align);
        return box;
    }
    case ControlKind::List: {
        // Arabic entries read from the right: text flush right, the arrow
        // on the left, the popup right to left; the list stays where it is.
        auto *list = new ChoiceList(window);
        list->setLayoutDirection(Qt::RightToLeft);
        return list;
    }
    case ControlKind::Image:
        return new PictureImage(window);
    case ControlKind::Shape:
        return new FrameShape(d.border, d.rounded, window);
    }
    return nullptr;
}

} // namespace

void Controls::add(const QString &name, int index, QWidget *control)
{
    m_byName.insert(key(name, index), control);
    m_inOrder.append(control);
}

QWidget *Controls::find(const QString &name, int index) const
{
    return m_byName.value(key(name, index));
}

void centreOnScreen(QWidget *window)
{
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        QRect frame(QPoint(), window->size());
        frame.moveCenter(screen->availableGeometry().center());
        window->move(frame.topLeft());
    }
}

void fillScreen(QWidget *window)
{
    // The area first: Qt takes a window that is given a new geometry out
    // of full screen.
    if (const QScreen *screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen())
        window->setGeometry(screen->geometry());
    window->setWindowState((window->windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized))
                           | Qt::WindowFullScreen);
}

QColor designColour(quint32 bgr)
{
    return QColor(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF));
}

QPixmap designPicture(const char *resourcePath, qreal density)
{
    const QString name = QString::fromLatin1(resourcePath);
    // Where the picture is shown larger than made, a denser source: sharp
    // where the 1x picture would be blown up.
    for (int factor : {4, 2}) {
        if (density <= factor / 2.0)
            continue;
        const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
        QPixmap sharp = readPicture(name.left(dot) + QStringLiteral("@%1x").arg(factor) + name.mid(dot));
        if (!sharp.isNull()) {
            sharp.setDevicePixelRatio(factor);
            return sharp;
        }
    }
    return readPicture(name);
}

QPixmap designPicture(const char *resourcePath)
{
    return designPicture(resourcePath, qApp ? qApp->devicePixelRatio() : 1.0);
}

QSize designSize(const WindowDesign &design)
{
    return {twipsToPixels(design.clientWidth), twipsToPixels(design.clientHeight)};
}

DesignFill fillArea(const WindowDesign &design, QSize area)
{
    const QSizeF size = designSize(design);
    const qreal scale = std::min(area.width() / size.width(), area.height() / size.height());
    return {scale, QPointF((area.width() - size.width() * scale) / 2, (area.height() - size.height() * scale) / 2)};
}

namespace {

// A design rectangle at a scale: its edges rounded, so that neighbours
// stay neighbours and equal controls stay equal.
QRect scaledRect(const ControlDesign &d, qreal scale, QPointF origin)
{
    return scaledPlace({d.left, d.top, d.width, d.height}, scale, origin);
}

// Where a label's caption of `width` starts: centred on its box, but kept
// `gap` clear of the controls beside it in the design (those wholly to its
// left or right at its height) and inside the frame around it.
int captionLeft(const WindowDesign &design, std::size_t label, const QRect &box, int width, qreal scale, QPointF origin)
{
    const int gap = qRound(4 * scale);
    int low = std::numeric_limits<int>::min() / 2;
    int high = std::numeric_limits<int>::max() / 2;
    if (design.controls[label].index < 0) {
        for (std::size_t i = 0; i < design.controls.size(); ++i) {
            const ControlDesign &d = design.controls[i];
            const QRect other = scaledRect(d, scale, origin);
            if (i == label || other.bottom() < box.top() || other.top() > box.bottom())
                continue;
            if (d.kind == ControlKind::Shape && other.contains(box)) {
                const int border = qRound(d.border * scale);
                low = std::max(low, other.left() + border);
                high = std::min(high, other.right() + 1 - border);
            } else if (other.right() < box.left()) {
                low = std::max(low, other.right() + 1);
            } else if (other.left() > box.right()) {
                high = std::min(high, other.left());
            }
        }
    }
    const int centred = box.center().x() - width / 2;
    if (high - low < width + 2 * gap)
        return low + (high - low - width) / 2;
    return std::clamp(centred, low + gap, high - gap - width);
}

} // namespace

QRect scaledPlace(const TwipsRect &d, qreal scale, QPointF origin)
{
    if (scale == 1.0 && origin.isNull())
        return {twipsToPixels(d.left), twipsToPixels(d.top), twipsToPixels(d.width), twipsToPixels(d.height)};
    const qreal k = scale / kTwipsPerPixel;
    const int left = qRound(origin.x() + d.left * k);
    const int top = qRound(origin.y() + d.top * k);
    return {left, top, qRound(origin.x() + (d.left + d.width) * k) - left, qRound(origin.y() + (d.top + d.height) * k) - top};
}

void placeControls(const WindowDesign &design, const Controls &controls, qreal scale, QPointF origin)
{
    const qreal density = scale * (qApp ? qApp->devicePixelRatio() : 1.0);
    const QList<QWidget *> &all = controls.all();
    for (std::size_t i = 0; i < design.controls.size() && i < std::size_t(all.size()); ++i) {
        const ControlDesign &d = design.controls[i];
        QWidget *control = all[qsizetype(i)];
        if (d.font.face) {
            QFont font = designFont(d.font);
            if (scale != 1.0)
                font.setPixelSize(std::max(1, qRound(font.pixelSize() * scale)));
            control->setFont(font);
        }
        if (auto *button = qobject_cast<PictureButton *>(control)) {
            button->setScale(scale);
            if (d.picture)
                button->setPicture(designPicture(d.picture, density));
        } else if (auto *image = qobject_cast<PictureImage *>(control)) {
            if (d.picture)
                image->setPicture(designPicture(d.picture, density));
        } else if (auto *frame = qobject_cast<FrameShape *>(control)) {
            frame->setBorderWidth(d.border * scale);
        }
        control->setGeometry(scaledRect(d, scale, origin));
        if (d.kind == ControlKind::Label && d.autoSize) {
            // The label takes the size of its caption in the font at hand,
            // which differs from the design's; it keeps the design's centre
            // so that it stays beside its control, moved only as far as
            // keeps a caption wider than its box clear of its neighbours.
            const QRect designed = control->geometry();
            control->adjustSize();
            control->move(captionLeft(design, i, designed, control->width(), scale, origin), control->y());
        }
    }
}

Controls buildWindow(QWidget *window, const WindowDesign &design)
{
    window->setWindowTitle(QString::fromUtf8(design.caption));
    // The design places every control in its own coordinates: the window
    // keeps them whatever language the grown-ups' windows speak.
    window->setLayoutDirection(Qt::LeftToRight);
    window->resize(twipsToPixels(design.clientWidth), twipsToPixels(design.clientHeight));
    if (design.background != kDefaultColour) {
        QPalette palette = window->palette();
        palette.setColor(QPalette::Window, designColour(design.background));
        window->setPalette(palette);
        window->setAutoFillBackground(true);
    }
    if (design.programIcon)
        window->setWindowIcon(programIcon());

    Controls controls;
    for (const ControlDesign &d : design.controls) {
        QWidget *control = makeControl(window, d);
        control->setObjectName(key(QString::fromLatin1(d.name), d.index));
        setColours(control, d);
        control->setVisible(d.visible);
        controls.add(QString::fromLatin1(d.name), d.index, control);
    }
    placeControls(design, controls, 1.0, {});
    return controls;
}
