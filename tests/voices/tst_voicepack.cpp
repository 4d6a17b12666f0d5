// Voice packs: a grown-up's own voices in one file for another computer.
// What is exported imports byte for byte, any unzip reads it, and a pack
// that is wrong in any way (made to harm, damaged, or from a newer program)
// changes nothing in the voices folder and says why.
#include "i18n/language.h"
#include "platform/sdlsoundplayer.h"
#include "voices/voicefiles.h"
#include "voices/voicepack.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMap>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QtEndian>

#include <archive.h>
#include <archive_entry.h>

#include <cmath>
#include <memory>
#include <utility>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include "support/audiofixtures.h"
#include "support/disk.h"
#include "support/program.h"

using voices::VoiceFolder;

namespace {

// A 16-bit PCM WAVE file's header, for `data` bytes of sound.
QByteArray waveHeader(int channels, int rate, quint32 data)
{
    QByteArray out;
    const auto put16 = [&out](quint16 v) {
        const quint16 le = qToLittleEndian(v);
        out.append(reinterpret_cast<const char *>(&le), 2);
    };
    const auto put32 = [&out](quint32 v) {
        const quint32 le = qToLittleEndian(v);
        out.append(reinterpret_cast<const char *>(&le), 4);
    };
    out.append("RIFF");
    put32(36 + data);
    out.append("WAVEfmt ");
    put32(16);
    put16(1);
    put16(quint16(channels));
    put32(quint32(rate));
    put32(quint32(rate * channels * 2));
    put16(quint16(channels * 2));
    put16(16);
    out.append("data");
    put32(data);
    return out;
}

// A 16-bit PCM WAVE of a tone.
QByteArray wave(int channels, int rate, int frames, double frequency = 440)
{
    QByteArray out = waveHeader(channels, rate, quint32(frames * channels * 2));
    for (int i = 0; i < frames; ++i) {
        const quint16 sample = qToLittleEndian(quint16(qint16(8000 * std::sin(2 * M_PI * frequency * i / rate))));
        for (int c = 0; c < channels; ++c)
            out.append(reinterpret_cast<const char *>(&sample), 2);
    }
    return out;
}

// A second of noise as a WAVE, which no compression makes small.
QByteArray noise(int rate)
{
    QByteArray samples(rate * 2, '\0');
    QRandomGenerator generator(7);
    generator.fillRange(reinterpret_cast<quint32 *>(samples.data()), samples.size() / 4);
    return waveHeader(1, rate, quint32(samples.size())) + samples;
}

QByteArray contents(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Every file under the folder, hidden ones too, with its bytes.
QMap<QString, QByteArray> listing(const QString &folder)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        files.insert(QDir(folder).relativeFilePath(path), contents(path));
    }
    return files;
}

// An entry of a pack built by the test.
struct Item
{
    QByteArray name;
    QByteArray bytes;
    enum Kind { File, Symlink, Folder } kind = File;
    qint64 declared = -1;   // the size written in its header; -1: its bytes', -2: none (said after them)
    qint64 zeros = 0;       // zeros written after its bytes, a MiB at a time
    QByteArray target = {}; // a symlink's
};

Item manifest(const QStringList &sounds, const QByteArray &format = "1")
{
    const QByteArray list = sounds.isEmpty() ? QByteArray() : "\"" + sounds.join("\", \"").toUtf8() + "\"";
    return {"huroof-voices.json", "{\"format\": " + format + ", \"sounds\": [" + list + "]}"};
}

la_ssize_t appendTo(archive *, void *out, const void *buffer, size_t length)
{
    static_cast<QByteArray *>(out)->append(static_cast<const char *>(buffer), qsizetype(length));
    return la_ssize_t(length);
}

// The entries as a ZIP (or as another format libarchive writes), written
// by libarchive as the test asks, header sizes and all.
QByteArray pack(const QList<Item> &items, int (*format)(archive *) = archive_write_set_format_zip,
                const char *options = nullptr)
{
    QByteArray out;
    archive *a = archive_write_new();
    format(a);
    archive_write_set_bytes_per_block(a, 0);
    if (options) {
        archive_write_set_options(a, options);
        archive_write_set_passphrase(a, "secret");
    }
    archive_write_open2(a, &out, nullptr, appendTo, nullptr, nullptr);
    for (const Item &item : items) {
        archive_entry *e = archive_entry_new();
        archive_entry_set_pathname(e, item.name.constData());
        archive_entry_set_mtime(e, 1796000000, 0);
        if (item.kind == Item::Symlink) {
            archive_entry_set_filetype(e, AE_IFLNK);
            archive_entry_set_perm(e, 0777);
            archive_entry_set_symlink(e, item.target.constData());
        } else if (item.kind == Item::Folder) {
            archive_entry_set_filetype(e, AE_IFDIR);
            archive_entry_set_perm(e, 0755);
        } else {
            archive_entry_set_filetype(e, AE_IFREG);
            archive_entry_set_perm(e, 0644);
            if (item.declared != -2)
                archive_entry_set_size(e, item.declared >= 0 ? item.declared : item.bytes.size() + item.zeros);
        }
        if (archive_write_header(a, e) != ARCHIVE_OK)
            qWarning("header: %s", archive_error_string(a));
        archive_write_data(a, item.bytes.constData(), size_t(item.bytes.size()));
        const QByteArray mebibyte(1 << 20, '\0');
        for (qint64 left = item.zeros; left > 0; left -= mebibyte.size())
            archive_write_data(a, mebibyte.constData(), size_t(std::min<qint64>(left, mebibyte.size())));
        archive_write_finish_entry(a);
        archive_entry_free(e);
    }
    archive_write_close(a);
    archive_write_free(a);
    return out;
}

// The uncompressed size of the entry `name` in the central directory of a
// ZIP, set to `size`: an entry that says it is small and is not.
QByteArray withCentralSize(QByteArray zip, const QByteArray &name, quint32 size)
{
    for (qsizetype at = zip.indexOf("PK\x01\x02"); at >= 0; at = zip.indexOf("PK\x01\x02", at + 4)) {
        if (zip.mid(at + 46, name.size()) == name)
            qToLittleEndian(size, zip.data() + at + 24);
    }
    return zip;
}

// The ZIP with the entry `from` named `to` (as long) in its own local
// header, its central directory unchanged: what unzip shows is not what the
// header says.
QByteArray withLocalName(QByteArray zip, const QByteArray &from, const QByteArray &to)
{
    for (qsizetype at = zip.indexOf("PK\x03\x04"); at >= 0; at = zip.indexOf("PK\x03\x04", at + 4)) {
        if (zip.mid(at + 30, from.size()) == from)
            zip.replace(at + 30, to.size(), to);
    }
    return zip;
}

// The ZIP in Zip64's form, as tools that always use it write it: each
// entry's offset in a Zip64 field of the directory, then a Zip64 end record
// and its locator before the plain one, whose fields say to look there.
QByteArray asZip64(const QByteArray &zip)
{
    const auto put = [](QByteArray &out, auto value) {
        const auto le = qToLittleEndian(value);
        out.append(reinterpret_cast<const char *>(&le), sizeof le);
    };
    const qsizetype end = zip.lastIndexOf("PK\x05\x06");
    const quint16 count = qFromLittleEndian<quint16>(zip.constData() + end + 10);
    const quint32 directoryAt = qFromLittleEndian<quint32>(zip.constData() + end + 16);
    QByteArray out = zip.left(directoryAt);
    QByteArray directory;
    for (qsizetype at = directoryAt; at < end;) {
        const int name = qFromLittleEndian<quint16>(zip.constData() + at + 28);
        const int extra = qFromLittleEndian<quint16>(zip.constData() + at + 30);
        const int comment = qFromLittleEndian<quint16>(zip.constData() + at + 32);
        QByteArray entry = zip.mid(at, 46 + name + extra + comment);
        const quint32 local = qFromLittleEndian<quint32>(entry.constData() + 42);
        qToLittleEndian<quint32>(0xFFFFFFFF, entry.data() + 42);
        qToLittleEndian<quint16>(quint16(extra + 12), entry.data() + 30);
        QByteArray field;
        put(field, quint16(0x0001));
        put(field, quint16(8));
        put(field, quint64(local));
        entry.insert(46 + name + extra, field);
        directory += entry;
        at += 46 + name + extra + comment;
    }
    const quint64 end64At = quint64(out.size() + directory.size());
    QByteArray end64("PK\x06\x06");
    put(end64, quint64(44));
    put(end64, quint16(45));
    put(end64, quint16(45));
    put(end64, quint32(0));
    put(end64, quint32(0));
    put(end64, quint64(count));
    put(end64, quint64(count));
    put(end64, quint64(directory.size()));
    put(end64, quint64(out.size()));
    QByteArray locator("PK\x06\x07");
    put(locator, quint32(0));
    put(locator, end64At);
    put(locator, quint32(1));
    QByteArray plain = zip.mid(end, 22);
    qToLittleEndian<quint16>(0xFFFF, plain.data() + 8);
    qToLittleEndian<quint16>(0xFFFF, plain.data() + 10);
    qToLittleEndian<quint32>(0xFFFFFFFF, plain.data() + 12);
    qToLittleEndian<quint32>(0xFFFFFFFF, plain.data() + 16);
    return out + directory + end64 + locator + plain;
}

// The memory the process has held at most, in MiB.
long peakMiB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024;
}

struct Run
{
    int code = -1;
    QString out;
    QString err;
};

Run runHuroof(const QStringList &arguments, const QString &dataHome)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_DATA_HOME", dataHome);
    // As the tests' own texts are.
    env.insert("LANGUAGE", "ar");
    // LANGUAGE counts outside the C locale only.
    env.remove("LC_ALL");
    env.remove("LC_MESSAGES");
    env.insert("LANG", "en_US.UTF-8");
    const ProgramRun r = runProgram(HUROOF_EXECUTABLE, arguments, env);
    return {r.code, QString::fromUtf8(r.out), QString::fromUtf8(r.err)};
}

} // namespace

class TestVoicePack : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void anExportedPackImportsByteForByte();
    void anyUnzipReadsAPack();
    void aPackOverOwnVoicesKeepsThemAsOld();
    void aPackInZip64FormImports();
    void aVoiceAlreadyThePacksIsLeftAlone();
    void whatAPackTakesPlays_data();
    void whatAPackTakesPlays();
    void aBadPackChangesNothing_data();
    void aBadPackChangesNothing();
    void aFullDiskDuringAnImportKeepsTheOldVoices();
    void aFullDiskSaysWhatChanged();
    void exportRefuses_data();
    void exportRefuses();
    void aFailedExportKeepsTheOldPack();
    void exportWritesIntoAFifo();
    void exportNeverWritesOverAVoice_data();
    void exportNeverWritesOverAVoice();
    void theCommandLine();

private:
    // Own voices for the letters 2 and 28 and both answers, in `path`.
    VoiceFolder ownVoices(const QString &path);

    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestVoicePack::initTestCase()
{
    // As an Arabic desktop has it: the texts these tests read are Arabic.
    i18n::useLanguage(QStringLiteral("ar"));
}

void TestVoicePack::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
}

VoiceFolder TestVoicePack::ownVoices(const QString &path)
{
    const VoiceFolder folder(path);
    writeBytes(folder.filePath(1), wave(1, 44100, 4410, 300));
    writeBytes(folder.filePath(27), wave(2, 48000, 2400, 500));
    writeBytes(folder.filePath(voices::kRightVoice), wave(1, 22050, 2205, 700));
    writeBytes(folder.filePath(voices::kWrongVoice), wave(1, 8000, 800, 200));
    return folder;
}

void TestVoicePack::anExportedPackImportsByteForByte()
{
    const VoiceFolder from = ownVoices(m_dir->filePath("from"));
    // Set aside by a revert: not a voice the child hears, not packed.
    writeBytes(from.filePath(5) + ".old", wave(1, 44100, 441));
    const QString file = m_dir->filePath("class.huroof-voices.zip");
    const voices::Change exported = voices::exportPack(from, file);
    QVERIFY2(exported.ok(), qPrintable(exported.error));
    QCOMPARE(exported.path, file);

    const VoiceFolder to(m_dir->filePath("to"));
    const voices::PackOutcome imported = voices::importPack(to, file);
    QVERIFY2(imported.ok(), qPrintable(imported.error));
    QCOMPARE(imported.replaced, (QStringList{to.filePath(1), to.filePath(27), to.filePath(voices::kRightVoice),
                                             to.filePath(voices::kWrongVoice)}));
    QVERIFY(imported.unchanged.isEmpty());
    QMap<QString, QByteArray> own = listing(from.path());
    own.remove("wa/6.wav.old");
    QCOMPARE(listing(to.path()), own);
}

void TestVoicePack::anyUnzipReadsAPack()
{
    const VoiceFolder from = ownVoices(m_dir->filePath("voices"));
    const QString file = m_dir->filePath("pack.zip");
    QVERIFY(voices::exportPack(from, file).ok());

    QProcess unzip;
    unzip.start("unzip", {"-Z1", file});
    QVERIFY(unzip.waitForFinished());
    QCOMPARE(unzip.exitCode(), 0);
    const QStringList names{"huroof-voices.json", "wa/2.wav", "wa/28.wav", "yes.wav", "no.wav"};
    QCOMPARE(QString::fromUtf8(unzip.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts), names);
    unzip.start("unzip", {"-tq", file});
    QVERIFY(unzip.waitForFinished());
    QVERIFY2(unzip.exitCode() == 0, unzip.readAllStandardOutput().constData());

    QProcess bsdtar;
    bsdtar.start("bsdtar", {"-tf", file});
    QVERIFY(bsdtar.waitForFinished());
    QCOMPARE(bsdtar.exitCode(), 0);
    QCOMPARE(QString::fromUtf8(bsdtar.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts), names);
    bsdtar.start("bsdtar", {"-xOf", file, "huroof-voices.json"});
    QVERIFY(bsdtar.waitForFinished());
    const QJsonObject manifest = QJsonDocument::fromJson(bsdtar.readAllStandardOutput()).object();
    QCOMPARE(manifest.value("format").toInt(), 1);
    QCOMPARE(manifest.value("sounds").toVariant().toStringList(), names.mid(1));
    bsdtar.start("bsdtar", {"-xOf", file, "wa/28.wav"});
    QVERIFY(bsdtar.waitForFinished());
    QCOMPARE(bsdtar.readAllStandardOutput(), contents(from.filePath(27)));
}

void TestVoicePack::aPackOverOwnVoicesKeepsThemAsOld()
{
    const QString file = m_dir->filePath("pack.zip");
    QVERIFY(voices::exportPack(ownVoices(m_dir->filePath("teacher")), file).ok());
    const QMap<QString, QByteArray> teachers = listing(m_dir->filePath("teacher"));

    // At home: their own 2 and yes, 28's set aside by a revert, and their
    // own 3, which the pack does not hold.
    const VoiceFolder home(m_dir->filePath("home"));
    writeBytes(home.filePath(1), wave(1, 44100, 441, 900));
    writeBytes(home.filePath(voices::kRightVoice), wave(1, 44100, 882, 950));
    writeBytes(home.filePath(27) + ".old", wave(1, 44100, 441, 1000));
    writeBytes(home.filePath(2), wave(1, 44100, 441, 1100));
    const QMap<QString, QByteArray> before = listing(home.path());

    const voices::PackOutcome imported = voices::importPack(home, file);
    QVERIFY2(imported.ok(), qPrintable(imported.error));
    QCOMPARE(imported.replaced.size(), 4);
    const QMap<QString, QByteArray> after = listing(home.path());
    for (const char *name : {"wa/2.wav", "wa/28.wav", "yes.wav", "no.wav"})
        QCOMPARE(after.value(name), teachers.value(name));
    QCOMPARE(after.value("wa/2.wav.old"), before.value("wa/2.wav"));
    QCOMPARE(after.value("yes.wav.old"), before.value("yes.wav"));
    // No own voice played there: the one set aside stays as it was.
    QCOMPARE(after.value("wa/28.wav.old"), before.value("wa/28.wav.old"));
    QCOMPARE(after.value("wa/3.wav"), before.value("wa/3.wav"));
    QCOMPARE(after.keys(), (QStringList{"no.wav", "wa/2.wav", "wa/2.wav.old", "wa/28.wav", "wa/28.wav.old", "wa/3.wav",
                                        "yes.wav", "yes.wav.old"}));
}

void TestVoicePack::aPackInZip64FormImports()
{
    const QString file = m_dir->filePath("pack.zip");
    const QByteArray voice = wave(1, 44100, 4410);
    writeBytes(file, asZip64(pack({manifest({"wa/5.wav", "yes.wav"}), {"wa/5.wav", voice}, {"yes.wav", voice}})));
    QProcess unzip;
    unzip.start("unzip", {"-tq", file});
    QVERIFY(unzip.waitForFinished());
    QVERIFY2(unzip.exitCode() == 0, unzip.readAllStandardOutput().constData());

    const VoiceFolder folder(m_dir->filePath("voices"));
    const voices::PackOutcome imported = voices::importPack(folder, file);
    QVERIFY2(imported.ok(), qPrintable(imported.error));
    QCOMPARE(listing(folder.path()), (QMap<QString, QByteArray>{{"wa/5.wav", voice}, {"yes.wav", voice}}));
}

void TestVoicePack::aVoiceAlreadyThePacksIsLeftAlone()
{
    // The same pack imported twice: the voices kept as old are still the
    // ones that played before the first import.
    const QString file = m_dir->filePath("pack.zip");
    QVERIFY(voices::exportPack(ownVoices(m_dir->filePath("teacher")), file).ok());
    const VoiceFolder home(m_dir->filePath("home"));
    writeBytes(home.filePath(1), wave(1, 44100, 441, 900));
    QVERIFY(voices::importPack(home, file).ok());
    const QMap<QString, QByteArray> once = listing(home.path());

    const voices::PackOutcome again = voices::importPack(home, file);
    QVERIFY2(again.ok(), qPrintable(again.error));
    QVERIFY(again.replaced.isEmpty());
    QCOMPARE(again.unchanged.size(), 4);
    QCOMPARE(listing(home.path()), once);
    QCOMPARE(once.value("wa/2.wav.old"), wave(1, 44100, 441, 900));
}

void TestVoicePack::whatAPackTakesPlays_data()
{
    QTest::addColumn<QByteArray>("voice");
    QTest::addColumn<bool>("taken");
    const QByteArray tone = wave(1, 44100, 13230, 440);
    const quint32 real = quint32(tone.size() - 44);
    const auto saying = [&tone](quint32 data) {
        QByteArray w = tone;
        qToLittleEndian<quint32>(data, w.data() + 40);
        return w;
    };
    QTest::newRow("whole") << tone << true;
    // Data that says it is longer than the file: the child would hear the
    // alert.
    QTest::newRow("cut short") << tone.left(44 + real / 2) << false;
    QTest::newRow("written as a stream, its size never set") << saying(0xFFFFFFFF) << false;
    QTest::newRow("saying twice its size") << saying(2 * real) << false;
    QTest::newRow("one byte over") << saying(real + 1) << false;
}

void TestVoicePack::whatAPackTakesPlays()
{
    // What the pack's import takes is what the child's window plays, and
    // what it refuses the child's window would not play either.
    QFETCH(QByteArray, voice);
    QFETCH(bool, taken);
    const QString file = m_dir->filePath("pack.zip");
    writeBytes(file, pack({manifest({"wa/2.wav"}), {"wa/2.wav", voice}}));
    const Run imported = runHuroof({"--import-voices", file}, m_dir->filePath("data"));
    const QString folder = m_dir->filePath("data/huroof/voices");
    QCOMPARE(imported.code, taken ? 0 : 1);
    if (!taken) {
        QVERIFY2(imported.err.contains("«wa/2.wav»") && imported.err.contains("أقصر مما يقول رأسه"),
                 qPrintable(imported.err));
        QVERIFY(!QFile::exists(folder + "/wa/2.wav"));
        // Put there by hand instead.
        writeBytes(folder + "/wa/2.wav", voice);
    }

    qputenv("SDL_AUDIODRIVER", "disk");
    qputenv("SDL_DISKAUDIOFILE", QFile::encodeName(m_dir->filePath("out.raw")));
    {
        SdlSoundPlayer player(folder, toneWav(1320, 0.25));
        player.play("\\wa\\2.wav");
        player.waitUntilHandled();
        QThread::msleep(450);
    }
    const QList<Heard> heard = readDiskOutput(m_dir->filePath("out.raw"));
    QVERIFY2(runsAt(heard, taken ? 440 : 1320).size() == 1, qPrintable(describe(heard)));
    QVERIFY2(runsAt(heard, taken ? 1320 : 440).isEmpty(), qPrintable(describe(heard)));
}

void TestVoicePack::aBadPackChangesNothing_data()
{
    QTest::addColumn<QByteArray>("bytes"); // the pack
    QTest::addColumn<QString>("said");     // in the message
    QTest::addColumn<bool>("small");       // read without holding more than a few MiB

    const QByteArray good = wave(1, 44100, 4410);
    const Item voice{"wa/5.wav", good};
    const auto packOf = [&](const Item &bad, const QStringList &sounds = {"wa/5.wav"}) {
        return pack({manifest(sounds), voice, bad});
    };

    // First, while the test has held little: what must never be held.
    QTest::newRow("10 GB said") << packOf({"wa/3.wav", good, Item::File, 10LL << 30}, {"wa/5.wav", "wa/3.wav"})
                                << "أكبر من 16 ميغابايت" << true;
    QTest::newRow("a bomb") << packOf({"wa/3.wav", good, Item::File, -1, 256 << 20}, {"wa/5.wav", "wa/3.wav"})
                            << "أكبر من 16 ميغابايت" << true;
    QTest::newRow("a bomb that says it is small")
        << withCentralSize(packOf({"wa/3.wav", good, Item::File, -2, 256 << 20}, {"wa/5.wav", "wa/3.wav"}), "wa/3.wav",
                           2000)
        << "أطول مما تقول" << true;
    QTest::newRow("a manifest that says it is large")
        << pack({{"huroof-voices.json", "{}", Item::File, 1LL << 20}, voice}) << "huroof-voices.json" << true;

    // unzip would show wa/5.wav and wa/3.wav where the header says wa/4.wav.
    QTest::newRow("two names for one entry")
        << withLocalName(packOf({"wa/3.wav", good}, {"wa/5.wav", "wa/4.wav"}), "wa/3.wav", "wa/4.wav")
        << "«wa/3.wav»" << false;
    QTest::newRow("../ in a name") << packOf({"wa/../../evil.wav", good}) << "يخرج من مجلد الأصوات" << false;
    QTest::newRow("../ first") << pack({{"../wa/5.wav", good}}) << "يخرج من مجلد الأصوات" << false;
    QTest::newRow("an absolute name") << packOf({"/tmp/wa/3.wav", good}) << "«/tmp/wa/3.wav»" << false;
    // libarchive reads Windows's separator as "/": "..\\" is "../".
    QTest::newRow("backslashes") << packOf({"..\\..\\evil.wav", good}) << "يخرج من مجلد الأصوات" << false;
    QTest::newRow("a drive") << packOf({"C:/wa/3.wav", good}) << "يخرج من مجلد الأصوات" << false;
    QTest::newRow("a symlink") << packOf({"wa/3.wav", {}, Item::Symlink, -1, 0, "/etc/passwd"}, {"wa/5.wav", "wa/3.wav"})
                               << "رابط" << false;
    QTest::newRow("a folder") << packOf({"wa/", {}, Item::Folder}) << "مجلد" << false;
    QTest::newRow("an unknown name") << packOf({"wa/29.wav", good}) << "«wa/29.wav» ليس من أصوات البرنامج" << false;
    QTest::newRow("an old voice") << packOf({"wa/3.wav.old", good}) << "ليس من أصوات البرنامج" << false;
    QTest::newRow("not a WAVE") << packOf({"wa/3.wav", "RIFF, but no sound at all"}, {"wa/5.wav", "wa/3.wav"})
                                << "«wa/3.wav» ليس ملف WAVE" << false;
    QTest::newRow("OGG named .wav") << packOf({"wa/3.wav", QByteArray("OggS\0\x02", 6) + QByteArray(200, 'x')},
                                              {"wa/5.wav", "wa/3.wav"})
                                    << "ليس ملف WAVE" << false;
    QTest::newRow("three channels") << packOf({"yes.wav", wave(3, 44100, 441)}, {"wa/5.wav", "yes.wav"})
                                    << "«yes.wav» ليس ملف WAVE" << false;
    QTest::newRow("a rate no voice has") << packOf({"no.wav", wave(1, 1000, 441)}, {"wa/5.wav", "no.wav"})
                                         << "1000" << false;
    QTest::newRow("a duplicate") << packOf({"wa/5.wav", wave(1, 22050, 441)}) << "«wa/5.wav» فيها مرتين" << false;
    QTest::newRow("two manifests") << packOf(manifest({"wa/5.wav"})) << "«huroof-voices.json» فيها مرتين" << false;
    QTest::newRow("a newer format") << pack({manifest({"wa/5.wav", "wa/29.wav"}, "2"), voice, {"wa/29.wav", "?"}})
                                    << "إصدار أحدث" << false;
    QTest::newRow("format zero") << pack({manifest({"wa/5.wav"}, "0"), voice}) << "huroof-voices.json" << false;
    // Past any integer: read as a number, never made one.
    QTest::newRow("format 1e19") << pack({manifest({"wa/5.wav"}, "1e19"), voice}) << "huroof-voices.json" << false;
    QTest::newRow("format 2.5") << pack({manifest({"wa/5.wav"}, "2.5"), voice}) << "huroof-voices.json" << false;
    QTest::newRow("format as text") << pack({manifest({"wa/5.wav"}, "\"1\""), voice}) << "huroof-voices.json" << false;
    QTest::newRow("a manifest that is not JSON") << pack({{"huroof-voices.json", "format 1"}, voice})
                                                 << "huroof-voices.json" << false;
    QTest::newRow("no manifest") << pack({voice}) << "huroof-voices.json" << false;
    QTest::newRow("the manifest last") << pack({voice, manifest({"wa/5.wav"})}) << "huroof-voices.json" << false;
    QTest::newRow("a voice the manifest lacks") << packOf({"wa/3.wav", good}) << "«wa/3.wav»" << false;
    QTest::newRow("a voice the pack lacks") << pack({manifest({"wa/5.wav", "wa/3.wav"}), voice}) << "«wa/3.wav»"
                                            << false;
    QTest::newRow("no voice") << pack({manifest({})}) << "لا صوت" << false;
    const QByteArray whole = packOf({"wa/3.wav", good}, {"wa/5.wav", "wa/3.wav"});
    QTest::newRow("truncated") << whole.left(whole.size() * 2 / 3) << "ليس حزمة أصوات سليمة" << false;
    QTest::newRow("cut before its directory") << whole.left(whole.indexOf("PK\x01\x02")) << "ليس حزمة أصوات سليمة"
                                              << false;
    QTest::newRow("not a ZIP") << QByteArray("just some text\n") << "ليس حزمة أصوات سليمة" << false;
    QTest::newRow("empty") << QByteArray() << "ليس حزمة أصوات سليمة" << false;
    QTest::newRow("a tar") << pack({manifest({"wa/5.wav"}), voice}, archive_write_set_format_pax_restricted)
                           << "ليس حزمة أصوات سليمة" << false;
    QTest::newRow("encrypted") << pack({manifest({"wa/5.wav"}), voice}, archive_write_set_format_zip,
                                       "zip:encryption=zipcrypt")
                               << "مشفَّر" << false;
    // 13 voices of 16 MB: each may be that large, all together not.
    QList<Item> many{manifest({})};
    for (int n = 1; n <= 13; ++n)
        many << Item{QStringLiteral("wa/%1.wav").arg(n).toUtf8(), waveHeader(1, 44100, (16 << 20) - 2000), Item::File,
                     -1, (16 << 20) - 2000};
    QTest::newRow("too much in all") << pack(many) << "أكبر من 200 ميغابايت" << false;
}

void TestVoicePack::aBadPackChangesNothing()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, said);
    QFETCH(bool, small);
    const QString file = m_dir->filePath("pack.zip");
    writeBytes(file, bytes);
    const VoiceFolder folder = ownVoices(m_dir->filePath("voices"));
    writeBytes(folder.filePath(4) + ".old", wave(1, 44100, 441));
    const QMap<QString, QByteArray> before = listing(folder.path());

    const long peak = peakMiB();
    const voices::PackOutcome outcome = voices::importPack(folder, file);
    if (small)
        QVERIFY2(peakMiB() - peak < 40, qPrintable(QString::number(peakMiB() - peak)));
    QVERIFY(!outcome.ok());
    QVERIFY(outcome.replaced.isEmpty());
    QVERIFY(outcome.unchanged.isEmpty());
    QVERIFY2(outcome.error.startsWith(file + ": ") && outcome.error.contains(said), qPrintable(outcome.error));
    QVERIFY2(outcome.error.endsWith("لم يتغير شيء."), qPrintable(outcome.error));
    QVERIFY(!outcome.error.contains('\n'));
    QCOMPARE(listing(folder.path()), before);
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             (QStringList{"pack.zip", "voices"}));
}

void TestVoicePack::aFullDiskDuringAnImportKeepsTheOldVoices()
{
    const QString file = m_dir->filePath("pack.zip");
    const VoiceFolder teacher(m_dir->filePath("teacher"));
    writeBytes(teacher.filePath(0), noise(44100));
    writeBytes(teacher.filePath(1), noise(22050));
    QVERIFY(voices::exportPack(teacher, file).ok());
    const VoiceFolder home(m_dir->filePath("home"));
    writeBytes(home.filePath(0), "the old voice");
    const QMap<QString, QByteArray> before = listing(home.path());

    const voices::PackOutcome outcome = [&] {
        const DiskFullAt full(4096);
        return voices::importPack(home, file);
    }();
    QVERIFY(!outcome.ok());
    QVERIFY(outcome.replaced.isEmpty());
    QVERIFY2(outcome.error.contains("القرص ممتلئ"), qPrintable(outcome.error));
    QCOMPARE(listing(home.path()), before);
    QCOMPARE(QDir(home.path() + "/wa").entryList(QDir::Files | QDir::Hidden), QStringList{"1.wav"});
}

void TestVoicePack::aFullDiskSaysWhatChanged()
{
    // A disk of 64 KB, full half way through the pack: the real program
    // on a real file system of its own (a tmpfs, mounted in a namespace of
    // the test's own).
    const QString disk = m_dir->filePath("disk");
    QDir().mkpath(disk);
    const QString file = m_dir->filePath("pack.zip");
    QByteArray large = noise(22050);
    large += large.mid(44);
    qToLittleEndian<quint32>(quint32(large.size() - 44), large.data() + 40);
    const QByteArray small = noise(22050).left(44 + 10000);
    QByteArray smallWave = small;
    qToLittleEndian<quint32>(10000, smallWave.data() + 40);
    writeBytes(file, pack({manifest({"wa/1.wav", "wa/2.wav", "wa/3.wav", "wa/4.wav"}), {"wa/1.wav", smallWave},
                           {"wa/2.wav", smallWave}, {"wa/3.wav", large}, {"wa/4.wav", smallWave}}));
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("LANGUAGE", "ar");
    // LANGUAGE counts outside the C locale only.
    env.remove("LC_ALL");
    env.remove("LC_MESSAGES");
    env.insert("LANG", "en_US.UTF-8");
    env.insert("XDG_DATA_HOME", disk);
    p.setProcessEnvironment(env);
    // Own voices for 2 and 3 before; what is there after, listed before the
    // disk goes with the namespace.
    p.start("unshare", {"-rm", "sh", "-c",
                        "mount -t tmpfs -o size=64k none \"$0\" || exit 99; v=\"$0/huroof/voices/wa\"; mkdir -p \"$v\"; "
                        "printf two > \"$v/2.wav\"; printf three > \"$v/3.wav\"; \"$1\" --import-voices \"$2\"; "
                        "echo \"exit $?\"; cd \"$v\" && for f in *; do echo \"$f $(head -c 4 \"$f\")\"; done",
                        disk, HUROOF_EXECUTABLE, file});
    QVERIFY(p.waitForFinished(30000));
    if (p.exitCode() == 99)
        QSKIP("no file system of the test's own can be mounted here");
    const QStringList out = QString::fromUtf8(p.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    const QString err = QString::fromUtf8(p.readAllStandardError());
    QVERIFY2(out.contains("exit 1"), qPrintable(out.join('|') + err));
    // Printed: the voices that are the pack's now.
    QCOMPARE(out.filter("/wa/").size(), 2);
    // Left: 1 and 2 from the pack, 2's own kept as old, 3 as it was, no 4,
    // nothing half written.
    QCOMPARE(out.filter(QRegularExpression("^\\d")),
             (QStringList{"1.wav RIFF", "2.wav RIFF", "2.wav.old two", "3.wav thre"}));
    QCOMPARE(err.count('\n'), 1);
    for (const QString &said : {QString("القرص ممتلئ"), QString("wa/1.wav، wa/2.wav"), QString("wa/2.wav.old"),
                                QString("wa/3.wav")})
        QVERIFY2(err.contains(said), qPrintable(err));
    QVERIFY2(!err.contains("لم يتغير شيء"), qPrintable(err));
}

void TestVoicePack::exportRefuses_data()
{
    QTest::addColumn<QString>("made");
    QTest::addColumn<QString>("said");
    QTest::newRow("no own voice") << "none" << "لا صوت لك بعد";
    QTest::newRow("only voices set aside") << "old" << "لا صوت لك بعد";
    QTest::newRow("an own voice that is not a WAVE") << "ogg" << "wa/3.wav: ليس ملف WAVE";
    QTest::newRow("an own voice cut short") << "cut" << "أقصر مما يقول رأسه";
    QTest::newRow("an own voice too large for a pack") << "large" << "أكبر من 16 ميغابايت";
    QTest::newRow("a folder as the pack") << "folder" << "هذا مجلد";
    QTest::newRow("a folder that is not there") << "nowhere" << "لا يمكن كتابة";
    QTest::newRow("a folder that cannot be written") << "readonly" << "لا يمكن كتابة";
}

void TestVoicePack::exportRefuses()
{
    QFETCH(QString, made);
    QFETCH(QString, said);
    const VoiceFolder folder = made == "none" ? VoiceFolder(m_dir->filePath("voices"))
                                              : ownVoices(m_dir->filePath("voices"));
    QString file = m_dir->filePath("out/pack.zip");
    QDir().mkpath(m_dir->filePath("out"));
    if (made == "old") {
        for (int voice : {1, 27, voices::kRightVoice, voices::kWrongVoice})
            QVERIFY(folder.revert(voice).ok());
    } else if (made == "ogg") {
        writeBytes(folder.filePath(2), QByteArray("OggS\0\x02", 6) + QByteArray(200, 'x'));
    } else if (made == "cut") {
        writeBytes(folder.filePath(2), wave(1, 44100, 4410).left(4000));
    } else if (made == "large") {
        writeBytes(folder.filePath(2), wave(1, 44100, 100).left(44) + QByteArray(17 << 20, '\0'));
    } else if (made == "folder") {
        QVERIFY(QDir().mkpath(file));
    } else if (made == "nowhere") {
        file = m_dir->filePath("nowhere/pack.zip");
    } else if (made == "readonly") {
        QVERIFY(QFile::setPermissions(m_dir->filePath("out"), QFile::ReadOwner | QFile::ExeOwner));
        if (QFileInfo(m_dir->filePath("out")).isWritable())
            QSKIP("root writes into a read-only folder");
    }
    const QMap<QString, QByteArray> before = listing(folder.path());

    const voices::Change change = voices::exportPack(folder, file);
    QFile::setPermissions(m_dir->filePath("out"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QVERIFY(!change.ok());
    QVERIFY(change.path.isEmpty());
    QVERIFY2(change.error.contains(said), qPrintable(change.error));
    QVERIFY(!change.error.contains('\n'));
    QCOMPARE(listing(folder.path()), before);
    QCOMPARE(QDir(m_dir->filePath("out")).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             made == "folder" ? QStringList{"pack.zip"} : QStringList{});
}

void TestVoicePack::aFailedExportKeepsTheOldPack()
{
    const VoiceFolder folder = ownVoices(m_dir->filePath("voices"));
    writeBytes(folder.filePath(3), noise(44100));
    const QString file = m_dir->filePath("pack.zip");
    writeBytes(file, "last week's pack");
    const voices::Change change = [&] {
        const DiskFullAt full(8192);
        return voices::exportPack(folder, file);
    }();
    QVERIFY(!change.ok());
    QVERIFY2(change.error.contains("لا يمكن كتابة"), qPrintable(change.error));
    QCOMPARE(contents(file), QByteArray("last week's pack"));
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files | QDir::Hidden), QStringList{"pack.zip"});
}

void TestVoicePack::exportWritesIntoAFifo()
{
    const VoiceFolder folder = ownVoices(m_dir->filePath("voices"));
    const QString fifo = m_dir->filePath("fifo");
    QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    QProcess cat;
    cat.setStandardOutputFile(m_dir->filePath("pack.zip"));
    cat.start("cat", {fifo});
    QVERIFY(cat.waitForStarted());
    const voices::Change change = voices::exportPack(folder, fifo);
    QVERIFY2(change.ok(), qPrintable(change.error));
    QCOMPARE(change.path, fifo);
    QVERIFY(cat.waitForFinished());
    QVERIFY(QFileInfo::exists(fifo) && !QFileInfo(fifo).isFile());

    const VoiceFolder to(m_dir->filePath("to"));
    const voices::PackOutcome imported = voices::importPack(to, m_dir->filePath("pack.zip"));
    QVERIFY2(imported.ok(), qPrintable(imported.error));
    QCOMPARE(listing(to.path()), listing(folder.path()));
}

void TestVoicePack::exportNeverWritesOverAVoice_data()
{
    QTest::addColumn<QString>("target"); // in the data folder
    QTest::newRow("an own voice itself") << "huroof/voices/wa/2.wav";
    QTest::newRow("through its folder") << "huroof/voices/wa/../wa/2.wav";
    QTest::newRow("a symbolic link to one") << "link.zip";
    QTest::newRow("a hard link to one") << "hard.zip";
    QTest::newRow("an answer's voice") << "huroof/voices/no.wav";
    QTest::newRow("where a voice would be") << "huroof/voices/wa/3.wav";
}

void TestVoicePack::exportNeverWritesOverAVoice()
{
    QFETCH(QString, target);
    const QString home = m_dir->filePath("teacher");
    const VoiceFolder own = ownVoices(home + "/huroof/voices");
    QVERIFY(QFile::link(own.filePath(1), home + "/link.zip"));
    QCOMPARE(::link(QFile::encodeName(own.filePath(1)).constData(), QFile::encodeName(home + "/hard.zip").constData()), 0);
    const QMap<QString, QByteArray> before = listing(own.path());

    const Run r = runHuroof({"--export-voices", home + "/" + target}, home);
    QCOMPARE(r.code, 1);
    QVERIFY(r.out.isEmpty());
    QCOMPARE(r.err.count('\n'), 1);
    QVERIFY2(r.err.startsWith("huroof: " + home + "/" + target), qPrintable(r.err));
    // Every voice as it was, none added, none kept aside as replaced.
    QCOMPARE(listing(own.path()), before);
}

void TestVoicePack::theCommandLine()
{
    const QString teacher = m_dir->filePath("teacher");
    const VoiceFolder own = ownVoices(teacher + "/huroof/voices");
    const QString file = m_dir->filePath("class pack.zip");

    const Run exported = runHuroof({"--export-voices", file}, teacher);
    QVERIFY2(exported.code == 0, qPrintable(exported.err));
    QCOMPARE(exported.out, file + "\n");
    QVERIFY(exported.err.isEmpty());

    const QString child = m_dir->filePath("child");
    const Run imported = runHuroof({"--import-voices", file}, child);
    QVERIFY2(imported.code == 0, qPrintable(imported.err));
    const VoiceFolder theirs(child + "/huroof/voices");
    QCOMPARE(imported.out.split('\n', Qt::SkipEmptyParts),
             (QStringList{theirs.filePath(1), theirs.filePath(27), theirs.filePath(voices::kRightVoice),
                          theirs.filePath(voices::kWrongVoice)}));
    QVERIFY(imported.err.isEmpty());
    QCOMPARE(listing(theirs.path()), listing(own.path()));

    // Failures: one line on standard error, nothing on standard output.
    writeBytes(m_dir->filePath("bad.zip"), pack({manifest({"wa/5.wav"}), {"../wa/5.wav", wave(1, 44100, 441)}}));
    for (const auto &[arguments, home] :
         {std::pair{QStringList{"--import-voices", m_dir->filePath("bad.zip")}, child},
          std::pair{QStringList{"--export-voices", m_dir->filePath("none.zip")}, m_dir->filePath("nobody")}}) {
        const Run failed = runHuroof(arguments, home);
        QCOMPARE(failed.code, 1);
        QVERIFY(failed.out.isEmpty());
        QCOMPARE(failed.err.count('\n'), 1);
        QVERIFY2(failed.err.startsWith("huroof: "), qPrintable(failed.err));
    }
    QCOMPARE(listing(theirs.path()), listing(own.path()));
    QVERIFY(!QFile::exists(m_dir->filePath("none.zip")));
}

QTEST_GUILESS_MAIN(TestVoicePack)
#include "tst_voicepack.moc"
