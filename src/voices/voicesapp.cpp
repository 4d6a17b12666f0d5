#include "voicesapp.h"

#include "i18n/languagechoice.h"
#include "platform/programfolder.h"
#include "platform/sdlsoundplayer.h"
#include "voices/import.h"
#include "voices/recorder.h"
#include "voices/voicefiles.h"
#include "voices/voicepack.h"
#include "voices/voiceswindow.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QPointer>
#include <QProcess>
#include <QTimer>
#include <QRegularExpression>

#include <QCoreApplication>

#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace {

// What the voices' file dialogs and command line say, in the grown-ups'
// language.
struct VoicesApp
{
    Q_DECLARE_TR_FUNCTIONS(VoicesApp)
};

} // namespace

std::function<void()> importInOwnProcess(QObject *window, const QString &executable, int voice, const QString &file,
                                         std::function<void(const voices::Change &)> done, int longest)
{
    auto *process = new QProcess(window);
    auto *timer = new QTimer(process);
    auto finished = std::make_shared<bool>(false);
    // Once, whichever comes first: the process's end, its failure to
    // start, the time bound or the grown-up's stop.
    const auto finish = [process, done, finished](const voices::Change &change) {
        if (*finished)
            return;
        *finished = true;
        process->deleteLater();
        done(change);
    };
    const auto stop = [process, finish](const QString &why) {
        finish({{}, why});
        process->kill();
    };
    timer->setSingleShot(true);
    QObject::connect(timer, &QTimer::timeout, process, [stop, longest] {
        stop(VoicesApp::tr("The file was still being read after %n second(s): stopped, nothing changed.", "",
                           longest / 1000));
    });
    timer->start(longest);
    QObject::connect(process, &QProcess::finished, window, [process, finish](int code, QProcess::ExitStatus status) {
        const QString out = QString::fromUtf8(process->readAllStandardOutput()).trimmed();
        QString err = QString::fromUtf8(process->readAllStandardError()).trimmed();
        err = err.section(QLatin1Char('\n'), -1).remove(QRegularExpression(QStringLiteral("^huroof: ")));
        if (status == QProcess::NormalExit && code == 0)
            finish({out, {}});
        else
            finish({{}, err.isEmpty() ? VoicesApp::tr("The file could not be imported.") : err});
    });
    QObject::connect(process, &QProcess::errorOccurred, window, [process, finish](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            finish({{}, VoicesApp::tr("The file could not be imported: %1").arg(process->errorString())});
    });
    // "--" before the file: a file whose name starts with a dash is still
    // a file.
    process->start(executable, {QStringLiteral("--import-voice"), voices::voiceArgument(voice), QStringLiteral("--"), file});
    QPointer<QProcess> alive(process);
    return [alive, stop] {
        if (alive)
            stop(VoicesApp::tr("The import was stopped: nothing changed."));
    };
}

int runVoicesWindow()
{
    SdlSoundPlayer sound(QStringList{voices::userVoicesFolder(), programFolder()}, SdlSoundPlayer::builtInAlert());
    SdlRecorder recorder;
    int code = 0;
    {
        // Built again in the language a grown-up picks in it (never while a
        // take waits or a recording runs: the window does not let them).
        WindowInLanguage shown([&sound, &recorder](QWidget *) {
            // The window the dialogs belong to, known once it is built.
            auto window = std::make_shared<QWidget *>(nullptr);
            auto built = std::make_unique<VoicesWindow>(VoicesServices{
                sound, recorder, voices::VoiceFolder(voices::userVoicesFolder()), voices::Loudness{},
                [window] {
                    return QFileDialog::getOpenFileName(
                        *window, VoicesApp::tr("Choose a sound file"), QString(),
                        VoicesApp::tr("Sounds (%1)")
                                .arg(QStringLiteral("*.wav *.ogg *.oga *.flac *.mp3 *.opus *.aiff *.aif"))
                            + QStringLiteral(";;") + VoicesApp::tr("All files (%1)").arg(QStringLiteral("*")));
                },
                [window](int voice, const QString &file, std::function<void(const voices::Change &)> done) {
                    return importInOwnProcess(*window, QCoreApplication::applicationFilePath(), voice, file,
                                              std::move(done));
                },
                [window] {
                    return QFileDialog::getSaveFileName(*window, VoicesApp::tr("Save your voices to a file"),
                                                        QStringLiteral("huroof-voices.zip"),
                                                        VoicesApp::tr("Huroof voices (%1)").arg(QStringLiteral("*.zip")));
                },
                [window] {
                    return QFileDialog::getOpenFileName(*window, VoicesApp::tr("Take voices from a file"), QString(),
                                                        VoicesApp::tr("Huroof voices (%1)").arg(QStringLiteral("*.zip"))
                                                            + QStringLiteral(";;")
                                                            + VoicesApp::tr("All files (%1)").arg(QStringLiteral("*")));
                }});
            *window = built.get();
            return built;
        });
        code = QApplication::exec();
    }
    // The window is gone; the process ends even when the microphone or the
    // sound output is stuck in a frozen sound server: then without further
    // destructors, and without flushing C streams, whose locks a stuck
    // thread may hold.
    if (!recorder.finish(std::chrono::milliseconds(1500)) || !sound.stop(std::chrono::milliseconds(1500)))
        std::_Exit(code);
    return code;
}

int runImportVoice(const QStringList &nameAndFile)
{
    if (nameAndFile.size() != 2) {
        std::fprintf(stderr, "huroof: %s\n", qUtf8Printable(VoicesApp::tr("usage: huroof --import-voice NAME FILE")));
        return 2;
    }
    const std::optional<int> voice = voices::voiceNamed(nameAndFile[0]);
    if (!voice) {
        std::fprintf(stderr, "huroof: %s\n",
                     qUtf8Printable(VoicesApp::tr("%1 is not the name of a voice: write a number from 1 to 28, the "
                                                  "letter itself, yes or no.")
                                        .arg(nameAndFile[0])));
        return 2;
    }
    const voices::Change change = voices::importVoice(voices::VoiceFolder(voices::userVoicesFolder()), *voice,
                                                      nameAndFile[1], voices::Loudness{});
    if (!change.ok()) {
        std::fprintf(stderr, "huroof: %s\n", qUtf8Printable(change.error));
        return 1;
    }
    std::printf("%s\n", qUtf8Printable(change.path));
    return 0;
}

int runExportVoices(const QStringList &file)
{
    if (file.size() != 1) {
        std::fprintf(stderr, "huroof: %s\n", qUtf8Printable(VoicesApp::tr("usage: huroof --export-voices FILE")));
        return 2;
    }
    const voices::Change change = voices::exportPack(voices::VoiceFolder(voices::userVoicesFolder()), file[0]);
    if (!change.ok()) {
        std::fprintf(stderr, "huroof: %s\n", qUtf8Printable(change.error));
        return 1;
    }
    // A FIFO or a device written into may be standard output itself.
    if (QFileInfo(change.path).isFile())
        std::printf("%s\n", qUtf8Printable(change.path));
    return 0;
}

int runImportVoices(const QStringList &file)
{
    if (file.size() != 1) {
        std::fprintf(stderr, "huroof: %s\n", qUtf8Printable(VoicesApp::tr("usage: huroof --import-voices FILE")));
        return 2;
    }
    const voices::PackOutcome outcome = voices::importPack(voices::VoiceFolder(voices::userVoicesFolder()), file[0]);
    for (const QString &path : outcome.replaced)
        std::printf("%s\n", qUtf8Printable(path));
    std::fflush(stdout);
    if (!outcome.ok()) {
        std::fprintf(stderr, "huroof: %s\n", qUtf8Printable(outcome.error));
        return 1;
    }
    return 0;
}
