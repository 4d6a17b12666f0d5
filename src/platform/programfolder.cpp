#include "programfolder.h"

#include <QCoreApplication>

QString programFolder()
{
    return QCoreApplication::applicationDirPath();
}
