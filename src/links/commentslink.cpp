#include "shell/form1.h"

#include "links/commentslink.h"
#include "platform/webopener.h"

#include <QUrl>

void Form1::Label9_Click()
{
    // Locked, a browser would open over the child's full screen: the page
    // is a grown-up's, and waits until the leave gesture ends the lock.
    if (m_fullScreen)
        return;
    // Handed over and forgotten: nothing else changes, a contest goes on.
    m_services.web.open(QUrl(QString::fromLatin1(kCommentsAddress)));
}
