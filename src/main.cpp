#include "board/shuffle.h"
#include "platform/programfolder.h"
#include "platform/sdlsoundplayer.h"
#include "platform/timeofday.h"
#include "platform/webopener.h"
#include "shell/form1.h"
#include "splash/frmsplash.h"

#include <QApplication>

#include <chrono>
#include <csignal>
#include <cstdlib>

int main(int argc, char *argv[])
{
#ifdef SIGPIPE
    // A sound server or output that goes away must not end the program with
    // SIGPIPE. Set here, once: every child process (the browser included)
    // inherits it, so it belongs to the program, not to the sound player.
    std::signal(SIGPIPE, SIG_IGN);
#endif
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
    const int code = app.exec();
    // Once the window is gone the program ends, even when the sound worker
    // is stuck in a frozen sound server: then without further destructors,
    // and without flushing C streams, whose locks a stuck thread may hold.
    if (!sound.stop(std::chrono::milliseconds(1500)))
        std::_Exit(code);
    return code;
}
