// The sound player end to end: real SDL_mixer output through SDL's "disk"
// audio driver, read back and recognised by frequency.
#include "platform/sdlsoundplayer.h"

#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <memory>

#include "support/audiofixtures.h"

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
    void unplayableGivesAlert_data();
    void unplayableGivesAlert();
    void readsTheFileWhenItPlays();
    void deviceClosesWhenSilentAndReopens();
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

void TestSdlSoundPlayer::unplayableGivesAlert_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("content"); // written at the name's place; empty: no file
    QTest::addColumn<double>("expected");

    const QByteArray tone = toneWav(kFirst, 0.3);
    QTest::newRow("missing file") << "\\wa\\5.wav" << QByteArray() << kAlert;
    QTest::newRow("random bytes") << "\\wa\\5.wav" << QByteArray(4000, '\x5a') << kAlert;
    QTest::newRow("text renamed") << "\\wa\\5.wav" << QByteArray("not a sound\n") << kAlert;
    QTest::newRow("header cut short") << "\\wa\\5.wav" << tone.left(30) << kAlert;
    QTest::newRow("data cut short") << "\\wa\\5.wav" << tone.left(tone.size() / 2 + 1) << kAlert;
    QTest::newRow("outside the folder") << "\\..\\x.wav" << QByteArray() << kAlert;
    QTest::newRow("yes finds yes.wav") << "\\yes" << QByteArray() << kYes;
}

void TestSdlSoundPlayer::unplayableGivesAlert()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, content);
    QFETCH(double, expected);
    if (!content.isEmpty())
        writeBytes(m_dir->filePath("wa/5.wav"), content);
    const QList<Heard> heard = hear({name}, 0, 450);
    QVERIFY2(heard.size() == 1 && runsAt(heard, expected).size() == 1, qPrintable(describe(heard)));
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
