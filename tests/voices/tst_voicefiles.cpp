// A grown-up's voices on disk: their names, the files a take is kept in,
// and importing a file, which must never lose the voice that played before.
#include "i18n/language.h"
#include "voices/import.h"
#include "voices/voicefiles.h"
#include "voices/voicesapp.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

#include "support/audiofixtures.h"
#include "support/program.h"
#include "support/disk.h"

using voices::EvenTake;
using voices::VoiceFolder;

namespace {

// A voice-like take as a file, made by sox: `before` and `after` seconds of
// quiet room (noise at -70 dBFS) around a 0.4 s rising and falling 500 Hz
// tone at `voiceDb`.
void writeVoiceFile(const QString &path, double before, double voiceDb, double after, const QStringList &format)
{
    QDir().mkpath(QFileInfo(path).path());
    const QString voice = path + ".voice.wav";
    const QString room = path + ".room.wav";
    const QString seconds = QString::number(before + 0.4 + after);
    QCOMPARE(QProcess::execute("sox", {"-n", "-r", "48000", "-c", "2", "-e", "floating-point", voice, "synth", "0.4",
                                       "sine", "500", "fade", "h", "0.2", "0.4", "0.2", "vol",
                                       QString::number(std::pow(10.0, voiceDb / 20)), "pad", QString::number(before),
                                       QString::number(after)}),
             0);
    QCOMPARE(QProcess::execute("sox", {"-n", "-r", "48000", "-c", "2", "-e", "floating-point", room, "synth", seconds,
                                       "whitenoise", "vol", QString::number(std::pow(10.0, -70.0 / 20) * 1.7)}),
             0);
    QCOMPARE(QProcess::execute("sox", QStringList{"-m", voice, room} << format << path), 0);
    QFile::remove(voice);
    QFile::remove(room);
}

EvenTake tone(int rate, double seconds)
{
    EvenTake t{rate, {}};
    for (int i = 0; i < int(seconds * rate); ++i)
        t.samples.push_back(std::int16_t(8000 * std::sin(2 * M_PI * 440 * i / rate)));
    return t;
}

std::vector<float> samplesOf(const QString &path)
{
    QString error;
    const std::optional<voices::Take> take = voices::readSoundFile(path, &error);
    return take ? take->samples : std::vector<float>{};
}

QByteArray contents(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class TestVoiceFiles : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void namesOnTheCommandLine_data();
    void namesOnTheCommandLine();
    void theProgramsLoudnessIsItsRecordings();
    void importMakesTheFileEven_data();
    void importMakesTheFileEven();
    void aFailedImportKeepsTheOldVoice_data();
    void aFailedImportKeepsTheOldVoice();
    void aFileIsDecodedNoFurtherThanTheBound_data();
    void aFileIsDecodedNoFurtherThanTheBound();
    void aFullDiskKeepsTheOldVoice();
    void revertSetsTheVoiceAside();
    void theWindowsImportRunsTheRealImport_data();
    void theWindowsImportRunsTheRealImport();
    void commandLineImport_data();
    void commandLineImport();
    void aNameThatIsNotTextIsSaidAsSuch();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestVoiceFiles::initTestCase()
{
    // As an Arabic desktop has it: the texts these tests read are Arabic.
    i18n::useLanguage(QStringLiteral("ar"));
}

void TestVoiceFiles::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
}

void TestVoiceFiles::namesOnTheCommandLine_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("voice"); // -1: not a voice
    QTest::addColumn<QString>("file");

    QTest::newRow("first") << "1" << 0 << "wa/1.wav";
    QTest::newRow("last") << "28" << 27 << "wa/28.wav";
    QTest::newRow("letter") << "ب" << 1 << "wa/2.wav";
    QTest::newRow("heh as on the board") << "هـ" << 25 << "wa/26.wav";
    QTest::newRow("heh alone") << "ه" << 25 << "wa/26.wav";
    QTest::newRow("yes") << "yes" << voices::kRightVoice << "yes.wav";
    QTest::newRow("no") << "no" << voices::kWrongVoice << "no.wav";
    QTest::newRow("zero") << "0" << -1 << "";
    QTest::newRow("past the last") << "29" << -1 << "";
    QTest::newRow("leading zero") << "01" << -1 << "";
    QTest::newRow("two letters") << "بت" << -1 << "";
    QTest::newRow("a file name") << "yes.wav" << -1 << "";
    QTest::newRow("a path") << "../1" << -1 << "";
    QTest::newRow("empty") << "" << -1 << "";
}

void TestVoiceFiles::namesOnTheCommandLine()
{
    QFETCH(QString, name);
    QFETCH(int, voice);
    QFETCH(QString, file);
    const std::optional<int> found = voices::voiceNamed(name);
    QCOMPARE(found.value_or(-1), voice);
    if (found)
        QCOMPARE(voices::voiceFile(*found), file);
}

void TestVoiceFiles::theProgramsLoudnessIsItsRecordings()
{
    // Takes are brought to the median loudness of the program's recordings.
    std::vector<double> levels;
    for (int voice = 0; voice < voices::kVoiceCount; ++voice) {
        QString error;
        const std::optional<voices::Take> take =
            voices::readSoundFile(QStringLiteral(HUROOF_SOUNDS "/") + voices::voiceFile(voice), &error);
        QVERIFY2(take && take->channels == 1, qPrintable(error));
        levels.push_back(voices::integratedLoudness(take->samples, take->rate));
    }
    std::sort(levels.begin(), levels.end());
    const double median = (levels[levels.size() / 2 - 1] + levels[levels.size() / 2]) / 2;
    QVERIFY2(std::abs(median - voices::Loudness{}.lufs) < 0.1, qPrintable(QString::number(median)));
}

void TestVoiceFiles::importMakesTheFileEven_data()
{
    QTest::addColumn<QStringList>("format");
    QTest::addColumn<double>("voiceDb");
    QTest::addColumn<bool>("notANumber"); // a NaN and an infinity in the voice
    QTest::newRow("quiet stereo WAVE at 48 kHz") << QStringList{"-b", "16"} << -30.0 << false;
    QTest::newRow("float WAVE") << QStringList{"-e", "floating-point", "-b", "32"} << -20.0 << false;
    // Silence where they are, not a take without a voice.
    QTest::newRow("float WAVE, a NaN and an infinity in it") << QStringList{"-e", "floating-point", "-b", "32"}
                                                            << -20.0 << true;
    QTest::newRow("FLAC") << QStringList{"-t", "flac"} << -24.0 << false;
    QTest::newRow("OGG, loud") << QStringList{"-t", "ogg"} << -1.0 << false;
}

void TestVoiceFiles::importMakesTheFileEven()
{
    QFETCH(QStringList, format);
    QFETCH(double, voiceDb);
    QFETCH(bool, notANumber);
    const QString file = m_dir->filePath("take.wav");
    writeVoiceFile(file, 0.4, voiceDb, 0.4, format);
    if (notANumber) {
        QByteArray bytes = contents(file);
        const qsizetype data = bytes.indexOf("data") + 8;
        // In the middle of the voice, one in each channel.
        const qsizetype middle = data + qsizetype(0.6 * 48000) * 8;
        qToLittleEndian<float>(std::numeric_limits<float>::quiet_NaN(), bytes.data() + middle);
        qToLittleEndian<float>(std::numeric_limits<float>::infinity(), bytes.data() + middle + 12);
        writeBytes(file, bytes);
    }
    const VoiceFolder folder(m_dir->filePath("voices"));
    const voices::Change change = voices::importVoice(folder, 4, file, voices::Loudness{});
    QVERIFY2(change.ok(), qPrintable(change.error));
    QCOMPARE(change.path, folder.filePath(4));
    QVERIFY(folder.hasOwn(4));

    // Mono 16-bit at 44.1 kHz; a tone of 0.4 s with its ends cut close.
    const QByteArray wave = contents(change.path);
    QCOMPARE(wave.mid(22, 2), QByteArray("\x01\x00", 2));
    QCOMPARE(qFromLittleEndian<quint32>(wave.constData() + 24), 44100u);
    QCOMPARE(qFromLittleEndian<quint16>(wave.constData() + 34), quint16(16));
    const std::vector<float> saved = samplesOf(change.path);
    QVERIFY2(saved.size() > 0.35 * 44100 && saved.size() < 0.46 * 44100, qPrintable(QString::number(saved.size())));
    const double lufs = voices::integratedLoudness(saved, 44100);
    QVERIFY2(std::abs(lufs - voices::Loudness{}.lufs) <= 1.0, qPrintable(QString::number(lufs)));
    QVERIFY(voices::peakDb(saved) <= -1.0 + 0.05);
}

void TestVoiceFiles::aFailedImportKeepsTheOldVoice_data()
{
    QTest::addColumn<QString>("made"); // how the file to import is made
    QTest::addColumn<QString>("said"); // in the message, where it matters
    QTest::newRow("only silence") << "silence" << "";
    QTest::newRow("not a sound") << "text" << "";
    QTest::newRow("missing") << "missing" << "لا يوجد ملف";
    QTest::newRow("longer than a minute") << "long" << "";
    QTest::newRow("folder cannot be made") << "blocked" << "";
    // As the sound player judges it: it would not play.
    QTest::newRow("a WAVE cut short") << "cut" << "أقصر مما يقول رأسه";
    // 16 s at 384 kHz in 6 float channels: large, not long.
    QTest::newRow("larger than any voice") << "large" << "أكبر من 96 ميغابايت";
    // Resampled, eight seconds of buzz.
    QTest::newRow("eight samples at 1 Hz") << "1 Hz" << "8000";
    // Named as what they are, and never read (a FIFO or a device may never
    // end).
    QTest::newRow("a folder") << "folder" << "مجلد";
    QTest::newRow("a FIFO") << "fifo" << "ليس ملفًا عاديًا";
    QTest::newRow("a device") << "device" << "ليس ملفًا عاديًا";
}

void TestVoiceFiles::aFailedImportKeepsTheOldVoice()
{
    QFETCH(QString, made);
    QFETCH(QString, said);
    QString file = m_dir->filePath("take.wav");
    QString voicesPath = m_dir->filePath("voices");
    if (made == "folder")
        QVERIFY(QDir().mkpath(file));
    else if (made == "fifo")
        QCOMPARE(::mkfifo(QFile::encodeName(file).constData(), 0600), 0);
    else if (made == "device")
        file = "/dev/zero";
    if (made == "silence")
        QCOMPARE(QProcess::execute("sox", {"-n", "-r", "44100", file, "trim", "0", "1"}), 0);
    else if (made == "text")
        writeBytes(file, "RIFF, but not a sound at all");
    else if (made == "long")
        QCOMPARE(QProcess::execute("sox", {"-n", "-r", "8000", "-t", "flac", file, "synth", "61", "sine", "300"}), 0);
    else if (made == "1 Hz")
        writeBytes(file, toneWav(0.25, 8, 1));
    else if (made == "cut")
        writeBytes(file, toneWav(440, 0.5).left(10000));
    else if (made == "large") {
        QByteArray header = toneWav(440, 0.01).left(44);
        const quint32 data = 16 * 384000 * 6 * 4;
        qToLittleEndian<quint16>(3, header.data() + 20);
        qToLittleEndian<quint16>(6, header.data() + 22);
        qToLittleEndian<quint32>(384000, header.data() + 24);
        qToLittleEndian<quint32>(384000 * 6 * 4, header.data() + 28);
        qToLittleEndian<quint16>(6 * 4, header.data() + 32);
        qToLittleEndian<quint16>(32, header.data() + 34);
        qToLittleEndian<quint32>(data, header.data() + 40);
        qToLittleEndian<quint32>(data + 36, header.data() + 4);
        writeBytes(file, header);
        QVERIFY(QFile(file).resize(44 + data));
    } else if (made == "blocked") {
        writeVoiceFile(file, 0.1, -20, 0.1, {});
        // A file where the folder would go: nothing can be written there.
        writeBytes(m_dir->filePath("blocked"), "x");
        voicesPath = m_dir->filePath("blocked/voices");
    }
    const VoiceFolder folder(voicesPath);
    if (made != "blocked")
        writeBytes(folder.filePath(1), "the old voice");

    const voices::Change change = voices::importVoice(folder, 1, file, voices::Loudness{});
    QVERIFY(!change.ok());
    QVERIFY(!change.error.contains('\n'));
    QVERIFY2(change.error.contains(said), qPrintable(change.error));
    if (made != "blocked")
        QCOMPARE(contents(folder.filePath(1)), QByteArray("the old voice"));
    QCOMPARE(QDir(QFileInfo(folder.filePath(1)).path()).entryList(QDir::Files | QDir::Hidden).size(),
             made == "blocked" ? 0 : 1);
}


void TestVoiceFiles::aFileIsDecodedNoFurtherThanTheBound_data()
{
    QTest::addColumn<QString>("made");
    QTest::newRow("FLAC that says 2 s and holds an hour") << "flac";
    QTest::newRow("OGG of 61 s") << "ogg";
    QTest::newRow("MP3 of 61 s") << "mp3";
}

void TestVoiceFiles::aFileIsDecodedNoFurtherThanTheBound()
{
    // Whatever a file says of its length, what is decoded is counted, and
    // the file is refused as soon as it passes the bound: at once, and
    // without holding more than a minute of its sound.
    QFETCH(QString, made);
    const QString file = m_dir->filePath("take." + made);
    if (made == "flac") {
        QProcess flac;
        flac.start("sh", {"-c", "head -c 57600000 /dev/zero | flac -s --force-raw-format --endian=little "
                                "--sign=signed --channels=1 --bps=16 --sample-rate=8000 -o \"$0\" -", file});
        QVERIFY2(flac.waitForFinished(60000) && flac.exitCode() == 0, "flac is needed (tools/deps installs it)");
        // STREAMINFO's count of samples, its last 36 bits: two seconds.
        QByteArray bytes = contents(file);
        quint64 field = qFromBigEndian<quint64>(bytes.constData() + 8 + 10);
        field = (field & ~((quint64(1) << 36) - 1)) | 16000;
        qToBigEndian<quint64>(field, bytes.data() + 8 + 10);
        writeBytes(file, bytes);
        QVERIFY(QFileInfo(file).size() < 1 << 20);
    } else {
        QCOMPARE(QProcess::execute("sox", {"-n", "-r", "8000", file, "synth", "61", "sine", "300"}), 0);
    }
    const VoiceFolder folder(m_dir->filePath("voices"));
    QFile clear("/proc/self/clear_refs");
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5");
    clear.close();
    const qint64 before = statusBytes("VmRSS:");
    QElapsedTimer clock;
    clock.start();
    const voices::Change change = voices::importVoice(folder, 4, file, voices::Loudness{});
    const qint64 took = clock.elapsed();
    const qint64 grown = statusBytes("VmHWM:") - before;
    QVERIFY(!change.ok());
    QVERIFY2(change.error.contains("أطول من 60 ثانية"), qPrintable(change.error));
    QVERIFY2(took < 5000, qPrintable(QString::number(took)));
    QVERIFY2(grown < 200 << 20, qPrintable(QStringLiteral("%1 MB").arg(grown >> 20)));
    QVERIFY(!folder.hasOwn(4));
}

void TestVoiceFiles::aFullDiskKeepsTheOldVoice()
{
    // A disk that fills up while the take is written: the file size limit
    // stops the write as a full disk would.
    const VoiceFolder folder(m_dir->filePath("voices"));
    writeBytes(folder.filePath(2), "the old voice");
    const voices::Change change = [&] {
        const DiskFullAt full(4096);
        return folder.save(2, tone(44100, 1.0));
    }();
    QVERIFY(!change.ok());
    QCOMPARE(contents(folder.filePath(2)), QByteArray("the old voice"));
    QCOMPARE(QDir(folder.path() + "/wa").entryList(QDir::Files | QDir::Hidden), QStringList{"3.wav"});
}

void TestVoiceFiles::revertSetsTheVoiceAside()
{
    const VoiceFolder folder(m_dir->filePath("voices"));
    QVERIFY(folder.save(voices::kRightVoice, tone(22050, 0.2)).ok());
    const QByteArray own = contents(folder.filePath(voices::kRightVoice));
    QCOMPARE(own.size(), 44 + 2 * 4410);

    const voices::Change reverted = folder.revert(voices::kRightVoice);
    QVERIFY(reverted.ok());
    QVERIFY(!folder.hasOwn(voices::kRightVoice));
    QCOMPARE(contents(folder.filePath(voices::kRightVoice) + ".old"), own);
    // Kept until the next take.
    QVERIFY(folder.save(voices::kRightVoice, tone(44100, 0.1)).ok());
    QVERIFY(!QFile::exists(folder.filePath(voices::kRightVoice) + ".old"));
    QCOMPARE(samplesOf(folder.filePath(voices::kRightVoice)).size(), std::size_t(4410));
}

void TestVoiceFiles::theWindowsImportRunsTheRealImport_data()
{
    QTest::addColumn<int>("voice");
    QTest::addColumn<QString>("take"); // the file's name
    QTest::addColumn<QString>("file"); // saved, in the voices folder
    QTest::newRow("a letter") << 2 << "take.flac" << "wa/3.wav";
    QTest::newRow("the right answer's sound") << voices::kRightVoice << "take.flac" << "yes.wav";
    QTest::newRow("the wrong answer's sound") << voices::kWrongVoice << "take.flac" << "no.wav";
    QTest::newRow("a file named like an option") << 0 << "-take.flac" << "wa/1.wav";
}

void TestVoiceFiles::theWindowsImportRunsTheRealImport()
{
    QFETCH(int, voice);
    QFETCH(QString, take);
    QFETCH(QString, file);
    writeVoiceFile(m_dir->filePath(take), 0.3, -25, 0.3, {});
    const QByteArray dataHome = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", QFile::encodeName(m_dir->filePath("data")));
    QObject owner;
    std::optional<voices::Change> done;
    // The program as the window starts it, from the folder a file dialog
    // would give: the file's own folder.
    const QString before = QDir::currentPath();
    QDir::setCurrent(m_dir->path());
    importInOwnProcess(&owner, HUROOF_EXECUTABLE, voice, take, [&done](const voices::Change &c) { done = c; });
    QTRY_VERIFY_WITH_TIMEOUT(done.has_value(), 30000);
    QDir::setCurrent(before);
    qputenv("XDG_DATA_HOME", dataHome);
    QVERIFY2(done->ok(), qPrintable(done->error));
    QCOMPARE(done->path, m_dir->filePath("data/huroof/voices/" + file));
    QVERIFY(QFileInfo(done->path).size() > 44 + 2 * 44100 / 5);
}

void TestVoiceFiles::commandLineImport_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("made"); // "voice", "silence" or "missing"
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("file"); // changed, in the voices folder
    QTest::newRow("by number") << "3" << "voice" << 0 << "wa/3.wav";
    QTest::newRow("by letter") << "ث" << "voice" << 0 << "wa/4.wav";
    QTest::newRow("the right answer") << "yes" << "voice" << 0 << "yes.wav";
    QTest::newRow("not a voice") << "31" << "voice" << 2 << "";
    QTest::newRow("silence") << "3" << "silence" << 1 << "";
    QTest::newRow("missing file") << "3" << "missing" << 1 << "";
}

void TestVoiceFiles::commandLineImport()
{
    QFETCH(QString, name);
    QFETCH(QString, made);
    QFETCH(int, code);
    QFETCH(QString, file);
    const QString take = m_dir->filePath("take.flac");
    if (made == "voice")
        writeVoiceFile(take, 0.3, -25, 0.3, {});
    else if (made == "silence")
        QCOMPARE(QProcess::execute("sox", {"-n", "-r", "44100", take, "trim", "0", "1"}), 0);
    const QString voicesPath = m_dir->filePath("data/huroof/voices");
    writeBytes(voicesPath + "/wa/3.wav", "the old voice");

    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_DATA_HOME", m_dir->filePath("data"));
    p.setProcessEnvironment(env);
    p.start(HUROOF_EXECUTABLE, {"--import-voice", name, take});
    QVERIFY(p.waitForFinished(30000));
    QCOMPARE(p.exitCode(), code);
    const QString out = QString::fromUtf8(p.readAllStandardOutput());
    const QString err = QString::fromUtf8(p.readAllStandardError());
    if (code == 0) {
        QCOMPARE(out.trimmed(), voicesPath + "/" + file);
        QVERIFY(err.isEmpty());
        QVERIFY(QFileInfo(voicesPath + "/" + file).size() > 44 + 2 * 44100 / 5);
    } else {
        QVERIFY(out.isEmpty());
        QCOMPARE(err.count('\n'), 1);
        QVERIFY(err.startsWith("huroof: "));
        QCOMPARE(contents(voicesPath + "/wa/3.wav"), QByteArray("the old voice"));
    }
}

void TestVoiceFiles::aNameThatIsNotTextIsSaidAsSuch()
{
    // A file named in another encoding (Latin-1's "é"): it is there, and
    // said to be there, not missing.
    const QString dir = m_dir->path();
    const QByteArray name = QFile::encodeName(dir) + "/caf\xe9.wav";
    QFile file;
    QVERIFY(file.open(::fopen(name.constData(), "w"), QIODevice::WriteOnly, QFileDevice::AutoCloseHandle));
    file.write(toneWav(440, 0.3));
    file.close();
    for (const QString &option : {QString("--import-voice 3"), QString("--import-voices")}) {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_DATA_HOME", m_dir->filePath("data"));
        env.insert("LANGUAGE", "ar");
        // LANGUAGE counts outside the C locale only.
        env.remove("LC_ALL");
        env.remove("LC_MESSAGES");
        env.insert("LANG", "en_US.UTF-8");
        p.setProcessEnvironment(env);
        p.start("sh", {"-c", "exec \"$0\" " + option + " \"$1/$(printf 'caf\\351.wav')\"", HUROOF_EXECUTABLE, dir});
        QVERIFY(p.waitForFinished(30000));
        const QString err = QString::fromUtf8(p.readAllStandardError());
        QCOMPARE(p.exitCode(), 1);
        QVERIFY2(err.contains("UTF-8") && !err.contains("لا يوجد ملف"), qPrintable(err));
    }
    ::unlink(name.constData());
}

QTEST_GUILESS_MAIN(TestVoiceFiles)
#include "tst_voicefiles.moc"
