#pragma once

#include "ui/look.h"

#include <QHash>
#include <QList>
#include <QString>

class QColor;
class QFont;
class QIcon;
class QPixmap;
class QWidget;
struct FontDesign;
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

// Puts a top-level window in the middle of the primary screen's free area.
void centreOnScreen(QWidget *window);

// A design colour 0x00BBGGRR.
QColor designColour(quint32 bgr);

// A picture of the program; on a high-density screen its @2x version.
QPixmap designPicture(const char *resourcePath);
