#pragma once

#include "ui/look.h"

#include <QHash>
#include <QList>
#include <QPointF>
#include <QRect>
#include <QSize>
#include <QString>

class QColor;
class QFont;
class QIcon;
class QPixmap;
class QWidget;
struct FontDesign;
struct TwipsRect;
struct WindowDesign;

// The controls of a built window, found by name and index.
class Controls
{
public:
    void add(const QString &name, int index, QWidget *control);
    QWidget *find(const QString &name, int index = -1) const;

    template<class T>
    T *get(const QString &name, int index = -1) const
    {
        return qobject_cast<T *>(find(name, index));
    }

    const QList<QWidget *> &all() const { return m_inOrder; }

private:
    QHash<QString, QWidget *> m_byName;
    QList<QWidget *> m_inOrder;
};

// Makes the window of a design: caption, client size, background, icon, and
// every control of the design as a child, in the design's order (later
// controls lie on top of earlier ones).
Controls buildWindow(QWidget *window, const WindowDesign &design);

// Places every control of a window built from `design` at `scale` times
// its designed place and size, from `origin` in the window: fonts, frames'
// borders and button pictures grow with it, and pictures come from sources
// as dense as the screen shows them. At scale 1 from (0, 0), the design as
// it is.
void placeControls(const WindowDesign &design, const Controls &controls, qreal scale, QPointF origin);

// A design rectangle at `scale` from `origin`, in pixels, its edges
// rounded as the controls' are.
QRect scaledPlace(const TwipsRect &place, qreal scale, QPointF origin);

// The size of a design's client area, in pixels.
QSize designSize(const WindowDesign &design);

// A design as large as `area` allows, uniformly, in its middle.
struct DesignFill
{
    qreal scale = 1.0;
    QPointF origin;
};
DesignFill fillArea(const WindowDesign &design, QSize area);

// Puts a top-level window in the middle of the primary screen's free area.
void centreOnScreen(QWidget *window);

// Makes a top-level window fill its screen, shown or not yet: full screen
// for a window manager to keep it so, and the screen's whole area asked for
// as well, which an X server with no window manager (a kiosk's session that
// runs the program alone) gives it as it is, knowing no full screen.
void fillScreen(QWidget *window);

// A design colour 0x00BBGGRR.
QColor designColour(quint32 bgr);

// A picture of the program, from the source that suits `density` device
// pixels to a design pixel (the screen's ratio times the window's scale):
// @2x above 1, @4x above 2. Its device-independent size is always the
// design's.
QPixmap designPicture(const char *resourcePath, qreal density);
// The same for the screen's own ratio at 1:1.
QPixmap designPicture(const char *resourcePath);
