#include "platform/programfolder.h"
#include "platform/sdlsoundplayer.h"

#include <QApplication>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    SdlSoundPlayer sound(programFolder(), SdlSoundPlayer::builtInAlert());
    QWidget window;
    window.show();
    return app.exec();
}
