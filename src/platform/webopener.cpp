#include "webopener.h"

#include <QDesktopServices>
#include <QUrl>

void DesktopWebOpener::open(const QUrl &address)
{
    // The desktop service starts the handler detached and does not wait for it.
    QDesktopServices::openUrl(address);
}
