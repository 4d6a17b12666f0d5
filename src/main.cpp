#include "board/shuffle.h"
#include "platform/programfolder.h"
#include "platform/sdlsoundplayer.h"
#include "platform/timeofday.h"
#include "platform/webopener.h"
#include "shell/form1.h"
#include "splash/frmsplash.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("huroof"));
    QApplication::setApplicationDisplayName(QStringLiteral("برنامج الحروف"));
    QGuiApplication::setDesktopFileName(QStringLiteral("example.huroof.Huroof"));

    // The splash goes on screen before anything else is built.
    auto splash = std::make_unique<frmSplash>();
    splash->showEarly();

    SdlSoundPlayer sound(programFolder(), SdlSoundPlayer::builtInAlert());
    DesktopWebOpener web;
    SystemTimeOfDay clock;
    MersenneUnitRandom random;

    Form1 form(Form1Services{sound, web, clock, random, [&splash] { frmSplash::showModal(splash); }});
    form.Form_Load();
    form.show();
    return app.exec();
}
