#include "screen.h"

#include <QScreen>
#include <QWidget>

namespace {

QString place(const QRect &r)
{
    return QStringLiteral("%1x%2+%3+%4").arg(r.width()).arg(r.height()).arg(r.x()).arg(r.y());
}

} // namespace

QString outsideTheFreeArea(const QWidget &window)
{
    const QRect room = window.screen()->availableGeometry();
    const QRect framed = window.frameGeometry();
    if (room.contains(framed))
        return {};
    return QStringLiteral("window and frame %1 in %2").arg(place(framed), place(room));
}
