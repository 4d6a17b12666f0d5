#include "shell/form1.h"

#include "links/commentslink.h"
#include "platform/webopener.h"

#include <QUrl>

void Form1::Label9_Click()
{
    // Handed over and forgotten: nothing else changes, a contest goes on.
    m_services.web.open(QUrl(QString::fromLatin1(kCommentsAddress)));
}
