#include "voicesapp.h"

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
#include <QProcess>
#include <QRegularExpression>

#include <chrono>
#include <cstdio>
#include <cstdlib>

void importInOwnProcess(QObject *window, const QString &executable, int voice, const QString &file,
                        std::function<void(const voices::Change &)> done)
{
    auto *process = new QProcess(window);
    const auto finish = [process, done](const voices::Change &change) {
        process->deleteLater();
        done(change);
    };
    QObject::connect(process, &QProcess::finished, window, [process, finish](int code, QProcess::ExitStatus status) {
        const QString out = QString::fromUtf8(process->readAllStandardOutput()).trimmed();
        QString err = QString::fromUtf8(process->readAllStandardError()).trimmed();
        err = err.section(QLatin1Char('\n'), -1).remove(QRegularExpression(QStringLiteral("^huroof: ")));
        if (status == QProcess::NormalExit && code == 0)
            finish({out, {}});
        else
            finish({{}, err.isEmpty() ? QStringLiteral("تعذّر استيراد الملف.") : err});
    });
    QObject::connect(process, &QProcess::errorOccurred, window, [process, finish](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            finish({{}, QStringLiteral("تعذّر استيراد الملف: %1").arg(process->errorString())});
    });
    // "--" before the file: a file whose name starts with a dash is still
    // a file.
    process->start(executable, {QStringLiteral("--import-voice"), voices::voiceArgument(voice), QStringLiteral("--"), file});
}

int runVoicesWindow()
{
    SdlSoundPlayer sound(QStringList{voices::userVoicesFolder(), programFolder()}, SdlSoundPlayer::builtInAlert());
    SdlRecorder recorder;
    int code = 0;
    {
        VoicesWindow *window = nullptr;
        VoicesWindow built(VoicesServices{
            sound,
            recorder,
            voices::VoiceFolder(voices::userVoicesFolder()),
            voices::Loudness{},
            [&window] {
                return QFileDialog::getOpenFileName(
                    window, QStringLiteral("اختر ملف صوت"), QString(),
                    QStringLiteral("أصوات (*.wav *.ogg *.oga *.flac *.mp3 *.opus *.aiff *.aif *.voc);;كل الملفات (*)"));
            },
            [&window](int voice, const QString &file, std::function<void(const voices::Change &)> done) {
                importInOwnProcess(window, QCoreApplication::applicationFilePath(), voice, file, std::move(done));
            },
            [&window] {
                return QFileDialog::getSaveFileName(window, QStringLiteral("احفظ أصواتك في ملف"),
                                                    QStringLiteral("huroof-voices.zip"),
                                                    QStringLiteral("أصوات برنامج الحروف (*.zip)"));
            },
            [&window] {
                return QFileDialog::getOpenFileName(window, QStringLiteral("خذ الأصوات من ملف"), QString(),
                                                    QStringLiteral("أصوات برنامج الحروف (*.zip);;كل الملفات (*)"));
            }});
        window = &built;
        built.show();
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
        std::fprintf(stderr, "huroof: usage: huroof --import-voice NAME FILE\n");
        return 2;
    }
    const std::optional<int> voice = voices::voiceNamed(nameAndFile[0]);
    if (!voice) {
        std::fprintf(stderr, "huroof: %s ليس اسم صوت: اكتب رقمًا من 1 إلى 28، أو الحرف نفسه، أو yes أو no.\n",
                     qUtf8Printable(nameAndFile[0]));
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
        std::fprintf(stderr, "huroof: usage: huroof --export-voices FILE\n");
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
        std::fprintf(stderr, "huroof: usage: huroof --import-voices FILE\n");
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
