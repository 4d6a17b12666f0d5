#include "board/shuffle.h"
#include "history/historyapp.h"
#include "history/historydb.h"
#include "history/sqlitehistory.h"
#include "platform/programfolder.h"
#include "platform/sdlsoundplayer.h"
#include "platform/timeofday.h"
#include "platform/webopener.h"
#include "shell/form1.h"
#include "splash/frmsplash.h"
#include "voices/voicefiles.h"
#include "voices/voicesapp.h"

#include <QApplication>
#include <QProcess>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>

int main(int argc, char *argv[])
{
#ifdef SIGPIPE
    // A sound server or output that goes away must not end the program with
    // SIGPIPE. Set here, once: every child process (the browser included)
    // inherits it, so it belongs to the program, not to the sound player.
    std::signal(SIGPIPE, SIG_IGN);
#endif
    const QStringList arguments = [&] {
        QStringList list;
        for (int i = 1; i < argc; ++i)
            list << QString::fromLocal8Bit(argv[i]);
        return list;
    }();
    if (arguments.value(0) == QLatin1String("--import-voice")) {
        QCoreApplication app(argc, argv);
        QCoreApplication::setApplicationName(QStringLiteral("huroof"));
        return runImportVoice(arguments.mid(1));
    }
    if (arguments.value(0) == QLatin1String("--export-history")) {
        QCoreApplication app(argc, argv);
        QCoreApplication::setApplicationName(QStringLiteral("huroof"));
        if (arguments.size() != 2) {
            std::fprintf(stderr, "huroof: usage: huroof --export-history FILE (or - for standard output)\n");
            return 2;
        }
        return runExportHistory(history::defaultPath(), arguments[1]);
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("huroof"));
    QApplication::setApplicationDisplayName(QStringLiteral("برنامج الحروف"));
    QGuiApplication::setDesktopFileName(QStringLiteral("example.huroof.Huroof"));

    if (arguments.value(0) == QLatin1String("--voices"))
        return runVoicesWindow();
    if (arguments.value(0) == QLatin1String("--progress"))
        return runProgressWindow();

    // The splash goes on screen before anything else is built.
    auto splash = std::make_unique<frmSplash>();
    splash->showEarly();

    // A grown-up's own voice first, then the program's.
    SdlSoundPlayer sound(QStringList{voices::userVoicesFolder(), programFolder()}, SdlSoundPlayer::builtInAlert());
    DesktopWebOpener web;
    SystemTimeOfDay clock;
    MersenneUnitRandom random;
    // Every contest answer, kept after its sound and marks.
    SqliteHistory history(history::defaultPath());

    // The grown-ups' windows run as processes of their own: nothing they
    // load costs the child's window, and they never change what it does.
    const auto openGrownUps = [](GrownUpsWindow which) {
        const QString option = which == GrownUpsWindow::Voices ? QStringLiteral("--voices") : QStringLiteral("--progress");
        QProcess::startDetached(QCoreApplication::applicationFilePath(), {option});
    };
    Form1 form(Form1Services{sound, web, clock, random, [&splash] { frmSplash::showModal(splash); }, openGrownUps,
                             &history});
    form.Form_Load();
    form.show();
    const int code = app.exec();
    // Once the window is gone the program ends, even when the sound worker
    // is stuck in a frozen sound server: then without further destructors,
    // and without flushing C streams, whose locks a stuck thread may hold.
    if (!history.stop(std::chrono::milliseconds(1500)) || !sound.stop(std::chrono::milliseconds(1500)))
        std::_Exit(code);
    return code;
}
