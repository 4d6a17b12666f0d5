#include "board/shuffle.h"
#include "history/historyapp.h"
#include "history/historydb.h"
#include "history/sqlitehistory.h"
#include "i18n/language.h"
#include "platform/programfolder.h"
#include "platform/sdlsoundplayer.h"
#include "platform/timeofday.h"
#include "platform/webopener.h"
#include "shell/commandline.h"
#include "shell/form1.h"
#include "splash/frmsplash.h"
#include "ui/look.h"
#include "voices/voicefiles.h"
#include "voices/voicesloader.h"

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
        for (int i = 0; i < argc; ++i)
            list << QString::fromLocal8Bit(argv[i]);
        return list;
    }();
    // Read once to know which application to make; what it prints is read
    // again once the grown-up's language is in place.
    CommandLine command = parseCommandLine(arguments);
    switch (command.action) {
    case CommandLine::Action::Version:
        std::printf("huroof %s\n", HUROOF_VERSION);
        return 0;
    case CommandLine::Action::Help:
    case CommandLine::Action::Wrong:
    case CommandLine::Action::ImportVoice:
    case CommandLine::Action::ExportVoices:
    case CommandLine::Action::ImportVoices:
    case CommandLine::Action::ExportHistory: {
        QCoreApplication app(argc, argv);
        QCoreApplication::setApplicationName(QStringLiteral("huroof"));
        i18n::useLanguage(i18n::chosenLanguage());
        command = parseCommandLine(arguments);
        switch (command.action) {
        case CommandLine::Action::Help:
            std::fputs(qUtf8Printable(command.help), stdout);
            return 0;
        case CommandLine::Action::Wrong:
            std::fprintf(stderr, "huroof: %s\n%s\n", qUtf8Printable(command.error), qUtf8Printable(commandLineHint()));
            return 2;
        case CommandLine::Action::ImportVoice:
            return runVoicesTask(VoicesTask::ImportVoice, {command.voice, command.file});
        case CommandLine::Action::ExportVoices:
        case CommandLine::Action::ImportVoices:
            return runVoicesTask(command.action == CommandLine::Action::ExportVoices ? VoicesTask::ExportPack
                                                                                     : VoicesTask::ImportPack,
                                 {command.file});
        default:
            return runExportHistory(history::defaultPath(), command.file);
        }
    }
    case CommandLine::Action::ChildWindow:
    case CommandLine::Action::Voices:
    case CommandLine::Action::Progress:
        break;
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("huroof"));
    QGuiApplication::setDesktopFileName(QStringLiteral("example.huroof.Huroof"));

    if (command.action == CommandLine::Action::Voices || command.action == CommandLine::Action::Progress) {
        i18n::useLanguage(i18n::chosenLanguage());
        QApplication::setApplicationDisplayName(QCoreApplication::translate("CommandLine", "Huroof"));
        return command.action == CommandLine::Action::Voices ? runVoicesTask(VoicesTask::Window, {})
                                                             : runProgressWindow();
    }
    QApplication::setApplicationDisplayName(QStringLiteral("برنامج الحروف"));

    // Full screen (and locked) when asked, or as a grown-up chose to keep.
    const bool fullScreen = command.fullScreen || keptFullScreen();
    // The splash goes on screen before anything else is built.
    auto splash = std::make_unique<frmSplash>();
    if (fullScreen)
        splash->setFullScreen();
    splash->showEarly();

    // The child's window is Arabic in every language; only the lock's words
    // for a grown-up, and the first child's name, are in theirs: in place
    // before the window and the history are made, not before the splash.
    // Qt's own texts appear in no child's window.
    i18n::useLanguage(i18n::chosenLanguage(), i18n::QtTexts::Not);

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
    if (fullScreen)
        form.setFullScreen(true);
    else
        form.show();
    const int code = app.exec();
    // Once the window is gone the program ends, even when the sound worker
    // is stuck in a frozen sound server: then without further destructors,
    // and without flushing C streams, whose locks a stuck thread may hold.
    if (!history.stop(std::chrono::milliseconds(1500)) || !sound.stop(std::chrono::milliseconds(1500)))
        std::_Exit(code);
    return code;
}
