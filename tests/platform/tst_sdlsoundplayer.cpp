// The sound player end to end: real SDL_mixer output through SDL's "disk"
// audio driver, read back and recognised by frequency.
#include "platform/sdlsoundplayer.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QtEndian>
#include <QTest>
#include <QThread>

#include <memory>
#include <random>

#include "support/audiofixtures.h"
#include "support/program.h"

namespace {

constexpr double kFirst = 440;   // wa/1.wav, 0.3 s
constexpr double kLong = 880;    // wa/2.wav, 1.2 s
constexpr double kYes = 660;     // yes.wav, 0.3 s
constexpr double kAlert = 1320;  // the alert, 0.25 s

// The disk driver starts its file afresh each time the device opens, so the
// tests that read it keep the device open throughout.
SdlSoundOptions keepOpen()
{
    SdlSoundOptions options;
    options.idleClose = std::chrono::seconds(30);
    return options;
}

} // namespace

class TestSdlSoundPlayer : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void playsTheRecordingAsked();
    void newSoundCutsOffTheOld();
    void everyWaveVariant_data();
    void everyWaveVariant();
    void badRecordings_data();
    void badRecordings();
    void newRequestAbandonsALargeFile();
    void readsTheFileWhenItPlays();
    void ownVoiceFirstThenTheProgramsVoice();
    void deviceClosesWhenSilentAndReopens();
    void aLostDeviceIsOpenedAfresh();
    void stopGivesUpOnAStuckWorker();
    void noAudioDeviceIsHarmless();

private:
    // Plays the names one after another, pausing between them, and returns
    // what came out of the audio device.
    QList<Heard> hear(const QStringList &names, int pauseMs, int tailMs);

    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestSdlSoundPlayer::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    writeTone(m_dir->filePath("wa/1.wav"), kFirst, 0.3);
    writeTone(m_dir->filePath("wa/2.wav"), kLong, 1.2);
    writeTone(m_dir->filePath("yes.wav"), kYes, 0.3);
    qputenv("SDL_AUDIODRIVER", "disk");
    qputenv("SDL_DISKAUDIOFILE", m_dir->filePath("out.raw").toLocal8Bit());
}

QList<Heard> TestSdlSoundPlayer::hear(const QStringList &names, int pauseMs, int tailMs)
{
    {
        SdlSoundPlayer player(m_dir->path(), toneWav(kAlert, 0.25), keepOpen());
        for (const QString &name : names) {
            player.play(name);
            player.waitUntilHandled();
            QThread::msleep(pauseMs);
        }
        QThread::msleep(tailMs);
    }
    return readDiskOutput(m_dir->filePath("out.raw"));
}

void TestSdlSoundPlayer::playsTheRecordingAsked()
{
    const QList<Heard> heard = hear({"\\wa\\1.wav"}, 0, 500);
    QVERIFY2(heard.size() == 1, qPrintable(describe(heard)));
    QVERIFY2(runsAt(heard, kFirst).size() == 1, qPrintable(describe(heard)));
    QVERIFY2(std::abs(heard[0].length - 0.3) < 0.04, qPrintable(describe(heard)));
}

void TestSdlSoundPlayer::newSoundCutsOffTheOld()
{
    const QList<Heard> heard = hear({"\\wa\\2.wav", "\\wa\\1.wav"}, 200, 500);
    const QList<Heard> cut = runsAt(heard, kLong);
    const QList<Heard> second = runsAt(heard, kFirst);
    QVERIFY2(cut.size() == 1 && second.size() == 1, qPrintable(describe(heard)));
    // The long tone stops when the second starts, well before its 1.2 s,
    QVERIFY2(cut[0].length < 0.4, qPrintable(describe(heard)));
    QVERIFY2(second[0].start >= cut[0].start + cut[0].length - 0.015, qPrintable(describe(heard)));
    // and the second one is heard to its end.
    QVERIFY2(std::abs(second[0].length - 0.3) < 0.04, qPrintable(describe(heard)));
}

namespace {

// A WAV header for 16-bit PCM with the given fields, claiming dataBytes.
QByteArray waveHeader(int channels, int rate, quint32 dataBytes)
{
    QByteArray h = toneWav(440, 0.01).left(44);
    qToLittleEndian<quint16>(quint16(channels), h.data() + 22);
    qToLittleEndian<quint32>(quint32(rate), h.data() + 24);
    qToLittleEndian<quint32>(quint32(rate * channels * 2), h.data() + 28);
    qToLittleEndian<quint16>(quint16(channels * 2), h.data() + 32);
    qToLittleEndian<quint32>(dataBytes + 36, h.data() + 4);
    qToLittleEndian<quint32>(dataBytes, h.data() + 40);
    return h;
}

// A valid WAV file of the given length that starts with the test tone and
// is silent after it; sparse on disk, so that it is quick to make.
void writeLongWave(const QString &path, int channels, int rate, qint64 seconds)
{
    const qint64 frames = seconds * rate;
    const quint32 dataBytes = quint32(frames * channels * 2);
    const QByteArray tone = toneWav(kFirst, 0.3, rate).mid(44);
    QByteArray start = waveHeader(channels, rate, dataBytes);
    for (qsizetype i = 0; i < tone.size(); i += 2) {
        for (int c = 0; c < channels; ++c)
            start.append(tone.mid(i, 2));
    }
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(start);
    QVERIFY(f.resize(44 + qint64(dataBytes)));
}

// Runs sox; false when it is missing or fails.
bool runSox(const QStringList &arguments)
{
    QProcess sox;
    sox.start("sox", arguments);
    return sox.waitForFinished(60000) && sox.exitStatus() == QProcess::NormalExit && sox.exitCode() == 0;
}

// The process's peak resident memory, in bytes.
qint64 peakMemory()
{
    return statusBytes("VmHWM:");
}

// Starts counting the peak afresh; returns the memory in use now.
qint64 startPeakMemory()
{
    QFile clear("/proc/self/clear_refs");
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5");
    return statusBytes("VmRSS:");
}

} // namespace

void TestSdlSoundPlayer::everyWaveVariant_data()
{
    // sox's options for the file: encoding, bits, rate, channels.
    QTest::addColumn<QStringList>("format");
    QTest::newRow("8-bit unsigned") << QStringList{"-e", "unsigned-integer", "-b", "8", "-r", "11025", "-c", "1"};
    QTest::newRow("16-bit stereo 48 kHz") << QStringList{"-e", "signed-integer", "-b", "16", "-r", "48000", "-c", "2"};
    QTest::newRow("24-bit") << QStringList{"-e", "signed-integer", "-b", "24", "-r", "44100", "-c", "1"};
    QTest::newRow("32-bit") << QStringList{"-e", "signed-integer", "-b", "32", "-r", "22050", "-c", "1"};
    QTest::newRow("32-bit float") << QStringList{"-e", "floating-point", "-b", "32", "-r", "44100", "-c", "2"};
    QTest::newRow("mu-law 8 kHz") << QStringList{"-e", "mu-law", "-r", "8000", "-c", "1"};
    QTest::newRow("A-law 8 kHz") << QStringList{"-e", "a-law", "-r", "8000", "-c", "1"};
    QTest::newRow("IMA ADPCM") << QStringList{"-e", "ima-adpcm", "-r", "22050", "-c", "1"};
    QTest::newRow("MS ADPCM") << QStringList{"-e", "ms-adpcm", "-r", "22050", "-c", "1"};
}

// Recordings made with old tools come in many WAVE forms; all of them play.
void TestSdlSoundPlayer::everyWaveVariant()
{
    QFETCH(QStringList, format);
    QVERIFY2(runSox(QStringList{"-n"} + format + QStringList{m_dir->filePath("wa/7.wav"), "synth", "0.3", "sine", "440"}),
             "sox is needed (tools/deps installs it)");
    const QList<Heard> heard = hear({"\\wa\\7.wav"}, 0, 450);
    QVERIFY2(heard.size() == 1 && runsAt(heard, kFirst).size() == 1, qPrintable(describe(heard)));
    QVERIFY2(std::abs(heard[0].length - 0.3) < 0.04, qPrintable(describe(heard)));
}

void TestSdlSoundPlayer::badRecordings_data()
{
    QTest::addColumn<QString>("setup");
    QTest::addColumn<bool>("playsTheFile"); // otherwise the alert

    QTest::newRow("missing wa folder") << "no folder" << false;
    QTest::newRow("one file missing") << "missing" << false;
    QTest::newRow("zero bytes") << "empty" << false;
    QTest::newRow("header cut short") << "short header" << false;
    QTest::newRow("data cut short") << "short data" << false;
    QTest::newRow("random bytes") << "random" << false;
    QTest::newRow("text renamed .wav") << "text" << false;
    QTest::newRow("header claims 4 GB") << "4 GB" << false;
    QTest::newRow("0 channels") << "0 channels" << false;
    QTest::newRow("0 Hz") << "0 Hz" << false;
    QTest::newRow("a directory") << "directory" << false;
    QTest::newRow("no read permission") << "unreadable" << false;
    QTest::newRow("symlink loop") << "loop" << false;
    QTest::newRow("name leaving the folder") << "outside" << false;
    QTest::newRow("MP3 renamed .wav") << "mp3" << true;
    QTest::newRow("OGG renamed .wav") << "ogg" << true;
    QTest::newRow("FLAC, 8 hours of silence at 8 kHz") << "8 hour flac" << false;
    QTest::newRow("OGG decoding past the limit") << "long ogg" << false;
    QTest::newRow("WAV over the limit") << "huge wav" << false;
    QTest::newRow("valid, 200 MB") << "200 MB" << true;
    QTest::newRow("valid, an hour at 8 kHz") << "hour" << true;
    QTest::newRow("yes finds yes.wav") << "yes" << true;
}

// Whatever a teacher puts in the folder, the program goes on: the sound is
// the file when it is a sound, the alert otherwise, and play() never keeps
// the user-interface thread waiting.
void TestSdlSoundPlayer::badRecordings()
{
    QFETCH(QString, setup);
    QFETCH(bool, playsTheFile);
    SdlSoundOptions options = keepOpen();
    const QString file = m_dir->filePath("wa/5.wav");
    const QByteArray tone = toneWav(kFirst, 0.3);
    QString name = QStringLiteral("\\wa\\5.wav");
    if (setup == "no folder") {
        QDir(m_dir->filePath("wa")).removeRecursively();
    } else if (setup == "empty") {
        writeBytes(file, {});
    } else if (setup == "short header") {
        writeBytes(file, tone.left(30));
    } else if (setup == "short data") {
        writeBytes(file, tone.left(tone.size() / 2 + 1));
    } else if (setup == "random") {
        QByteArray noise(8000, 0);
        std::mt19937 rng(3);
        for (char &c : noise)
            c = char(rng());
        writeBytes(file, noise);
    } else if (setup == "text") {
        writeBytes(file, "This is not a recording.\n");
    } else if (setup == "4 GB") {
        writeBytes(file, waveHeader(1, 22050, 0xFFFFFFF0u) + tone.mid(44));
    } else if (setup == "0 channels") {
        writeBytes(file, waveHeader(0, 22050, quint32(tone.size() - 44)) + tone.mid(44));
    } else if (setup == "0 Hz") {
        writeBytes(file, waveHeader(1, 0, quint32(tone.size() - 44)) + tone.mid(44));
    } else if (setup == "directory") {
        QDir().mkpath(file);
    } else if (setup == "unreadable") {
        writeBytes(file, tone);
        QFile::setPermissions(file, {});
        if (QFileInfo(file).isReadable())
            QSKIP("this user reads files without read permission (root)");
    } else if (setup == "loop") {
        QFile::link(m_dir->filePath("wa/6.wav"), file);
        QFile::link(file, m_dir->filePath("wa/6.wav"));
    } else if (setup == "outside") {
        writeBytes(m_dir->filePath("../x.wav"), tone);
        name = QStringLiteral("\\..\\x.wav");
    } else if (setup == "mp3") {
        QProcess sox;
        sox.start("sox", {"-n", "-r", "22050", "-c", "1", m_dir->filePath("t.mp3"), "synth", "0.3", "sine", "440"});
        if (!sox.waitForFinished() || sox.exitCode() != 0)
            QSKIP("sox cannot write MP3 here");
        QFile::rename(m_dir->filePath("t.mp3"), file);
    } else if (setup == "ogg") {
        QVERIFY2(runSox({"-n", "-r", "22050", "-c", "1", m_dir->filePath("t.ogg"), "synth", "0.3", "sine", "440"}),
                 "sox is needed (tools/deps installs it)");
        QFile::rename(m_dir->filePath("t.ogg"), file);
    } else if (setup == "8 hour flac") {
        // 785 KB on disk; decoded into one buffer it would need 5 GB, more
        // than SDL_mixer can count.
        QProcess flac;
        flac.start("sh", {"-c", "head -c 460800000 /dev/zero | flac -s --force-raw-format --endian=little "
                                "--sign=signed --channels=1 --bps=16 --sample-rate=8000 -o \"$0\" -", file});
        QVERIFY2(flac.waitForFinished(60000) && flac.exitCode() == 0, "flac is needed (tools/deps installs it)");
    } else if (setup == "long ogg") {
        // Over the limit that this player is given below.
        QVERIFY2(runSox({"-n", "-r", "8000", "-c", "1", m_dir->filePath("t.ogg"), "synth", "60", "sine", "440"}),
                 "sox is needed (tools/deps installs it)");
        QFile::rename(m_dir->filePath("t.ogg"), file);
        options.largestSound = std::size_t(30) * 44100 * 4;
    } else if (setup == "huge wav") {
        // 2.5 GB of sound: more than the player keeps, refused before it is read.
        writeLongWave(file, 2, 44100, 2500LL * 1000 * 1000 / (44100 * 4));
    } else if (setup == "200 MB") {
        writeLongWave(file, 2, 44100, 200LL * 1024 * 1024 / (44100 * 4));
    } else if (setup == "hour") {
        writeLongWave(file, 1, 8000, 3600);
    } else if (setup == "yes") {
        name = QStringLiteral("\\yes");
    }

    QElapsedTimer ui;
    qint64 uiNs = 0;
    const qint64 before = startPeakMemory();
    {
        SdlSoundPlayer player(m_dir->path(), toneWav(kAlert, 0.25), options);
        ui.start();
        player.play(name);
        uiNs = ui.nsecsElapsed();
        player.waitUntilHandled();
        QThread::msleep(500);
    }
    qInfo("UI-thread time of play(): %.3f ms", double(uiNs) / 1e6);
    // A file the player refuses costs no memory; one it plays costs its sound.
    const qint64 grown = peakMemory() - before;
    if (!playsTheFile)
        QVERIFY2(grown < 300 << 20, qPrintable(QStringLiteral("%1 MB").arg(grown >> 20)));
    QVERIFY2(uiNs < 5'000'000, qPrintable(QString::number(double(uiNs) / 1e6)));
    const QList<Heard> heard = readDiskOutput(m_dir->filePath("out.raw"));
    const double expected = playsTheFile ? (setup == "yes" ? kYes : kFirst) : kAlert;
    const double instead = playsTheFile ? kAlert : kFirst;
    QVERIFY2(!runsAt(heard, expected).isEmpty(), qPrintable(describe(heard)));
    QVERIFY2(runsAt(heard, instead).isEmpty(), qPrintable(describe(heard)));
}

void TestSdlSoundPlayer::newRequestAbandonsALargeFile()
{
    // A click while a large file is being read is heard at once; the large
    // file never plays.
    writeLongWave(m_dir->filePath("wa/5.wav"), 2, 44100, 1000);
    QElapsedTimer clock;
    {
        SdlSoundPlayer player(m_dir->path(), toneWav(kAlert, 0.25), keepOpen());
        player.play("\\wa\\5.wav");
        QThread::msleep(5);
        clock.start();
        player.play("\\yes");
        player.waitUntilHandled();
        // Not stuck behind the large file (reading all of it takes seconds
        // under the sanitizers); the bound is loose for a busy machine.
        QVERIFY2(clock.elapsed() < 1000, qPrintable(QString::number(clock.elapsed())));
        QThread::msleep(400);
    }
    const QList<Heard> heard = readDiskOutput(m_dir->filePath("out.raw"));
    QVERIFY2(heard.size() == 1 && runsAt(heard, kYes).size() == 1, qPrintable(describe(heard)));
}

void TestSdlSoundPlayer::readsTheFileWhenItPlays()
{
    // A recording replaced or removed while the program runs is heard as it
    // is at the moment it plays.
    {
        SdlSoundPlayer player(m_dir->path(), toneWav(kAlert, 0.25), keepOpen());
        const auto playAndWait = [&] {
            player.play("\\wa\\1.wav");
            player.waitUntilHandled();
            QThread::msleep(400);
        };
        playAndWait();
        writeTone(m_dir->filePath("wa/1.wav"), kYes, 0.3);
        playAndWait();
        QFile::remove(m_dir->filePath("wa/1.wav"));
        playAndWait();
    }
    const QList<Heard> heard = readDiskOutput(m_dir->filePath("out.raw"));
    QVERIFY2(heard.size() == 3, qPrintable(describe(heard)));
    QVERIFY2(runsAt({heard[0]}, kFirst).size() == 1, qPrintable(describe(heard)));
    QVERIFY2(runsAt({heard[1]}, kYes).size() == 1, qPrintable(describe(heard)));
    QVERIFY2(runsAt({heard[2]}, kAlert).size() == 1, qPrintable(describe(heard)));
}

void TestSdlSoundPlayer::ownVoiceFirstThenTheProgramsVoice()
{
    // A grown-up's voice saved while the program runs is heard at the next
    // click; a sound nobody replaced keeps the program's voice.
    const QString own = m_dir->filePath("own");
    QDir().mkpath(own);
    {
        SdlSoundPlayer player(QStringList{own, m_dir->path()}, toneWav(kAlert, 0.25), keepOpen());
        const auto playAndWait = [&](const QString &name) {
            player.play(name);
            player.waitUntilHandled();
            QThread::msleep(400);
        };
        playAndWait("\\wa\\1.wav");
        writeTone(own + "/wa/1.wav", kYes, 0.3);
        playAndWait("\\wa\\1.wav");
        playAndWait("\\wa\\2.wav");
    }
    const QList<Heard> heard = readDiskOutput(m_dir->filePath("out.raw"));
    QVERIFY2(heard.size() == 3, qPrintable(describe(heard)));
    QVERIFY2(runsAt({heard[0]}, kFirst).size() == 1, qPrintable(describe(heard)));
    QVERIFY2(runsAt({heard[1]}, kYes).size() == 1, qPrintable(describe(heard)));
    QVERIFY2(runsAt({heard[2]}, kLong).size() == 1, qPrintable(describe(heard)));
}

void TestSdlSoundPlayer::deviceClosesWhenSilentAndReopens()
{
    // An open device keeps mixing silence; after a short silence the player
    // closes it, and opens it again for the next sound.
    SdlSoundOptions options;
    options.idleClose = std::chrono::milliseconds(200);
    {
        SdlSoundPlayer player(m_dir->path(), toneWav(kAlert, 0.25), options);
        player.play("\\wa\\1.wav");
        player.waitUntilHandled();
        QVERIFY(player.deviceOpen());
        QTRY_VERIFY_WITH_TIMEOUT(!player.deviceOpen(), 2000);
        player.play("\\yes");
        player.waitUntilHandled();
        QVERIFY(player.deviceOpen());
        QThread::msleep(450);
    }
    // The disk driver starts its file afresh with each opening.
    const QList<Heard> heard = readDiskOutput(m_dir->filePath("out.raw"));
    QVERIFY2(heard.size() == 1 && runsAt(heard, kYes).size() == 1, qPrintable(describe(heard)));
    QVERIFY2(std::abs(heard[0].length - 0.3) < 0.04, qPrintable(describe(heard)));
}

void TestSdlSoundPlayer::aLostDeviceIsOpenedAfresh()
{
    // The output fails while the device is open (a full disk here, a sound
    // server gone on a desktop); the next sound opens the device afresh, on
    // an output that works again, and is heard.
    qputenv("SDL_DISKAUDIOFILE", "/dev/full");
    {
        SdlSoundPlayer player(m_dir->path(), toneWav(kAlert, 0.25), keepOpen());
        player.play("\\wa\\1.wav");
        player.waitUntilHandled();
        QThread::msleep(300);
        qputenv("SDL_DISKAUDIOFILE", m_dir->filePath("out.raw").toLocal8Bit());
        player.play("\\yes");
        player.waitUntilHandled();
        QThread::msleep(450);
    }
    const QList<Heard> heard = readDiskOutput(m_dir->filePath("out.raw"));
    QVERIFY2(heard.size() == 1 && runsAt(heard, kYes).size() == 1, qPrintable(describe(heard)));
    QVERIFY2(std::abs(heard[0].length - 0.3) < 0.04, qPrintable(describe(heard)));
}

void TestSdlSoundPlayer::stopGivesUpOnAStuckWorker()
{
    // An output that never takes its sound (a FIFO nobody reads: a frozen
    // sound server) holds the worker in the device's opening; stop() says so
    // in time instead of waiting with it.
    const QString fifo = m_dir->filePath("frozen");
    QVERIFY(QProcess::execute("mkfifo", {fifo}) == 0);
    qputenv("SDL_DISKAUDIOFILE", fifo.toLocal8Bit());
    auto *player = new SdlSoundPlayer(m_dir->path(), toneWav(kAlert, 0.25), keepOpen());
    player->play("\\wa\\1.wav");
    QThread::msleep(200);
    QElapsedTimer t;
    t.start();
    QVERIFY(!player->stop(std::chrono::milliseconds(300)));
    QVERIFY2(t.elapsed() < 1000, qPrintable(QString::number(t.elapsed())));
    // Free the worker, so that this test process can end in order.
    QProcess reader;
    reader.start("cat", {fifo});
    QVERIFY(player->stop(std::chrono::seconds(10)));
    delete player;
    reader.kill();
    reader.waitForFinished();
}

void TestSdlSoundPlayer::noAudioDeviceIsHarmless()
{
    qputenv("SDL_AUDIODRIVER", "no-such-driver");
    SdlSoundPlayer player(m_dir->path(), toneWav(kAlert, 0.25));
    for (int i = 0; i < 50; ++i)
        player.play(QStringLiteral("\\wa\\%1.wav").arg(i % 3 + 1));
    player.waitUntilHandled();
}

QTEST_GUILESS_MAIN(TestSdlSoundPlayer)
#include "tst_sdlsoundplayer.moc"
