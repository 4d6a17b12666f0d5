// The voices window a grown-up records in, the microphone behind it (SDL's
// capture through the "disk" driver, reading a prepared input file), and the
// main window playing the voice that was kept.
#include "i18n/language.h"
#include "i18n/languagechoice.h"
#include "platform/sdlsoundplayer.h"
#include "shell/form1.h"
#include "voices/recorder.h"
#include "voices/voicesapp.h"
#include "voices/voiceswindow.h"

#include <QCoreApplication>
#include <QDir>
#include <QStyleOptionButton>
#include <QStyle>
#include <QScrollBar>
#include <QScrollArea>
#include <QScreen>
#include <QIcon>
#include <QGuiApplication>
#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QFile>
#include <QFontInfo>
#include <QLabel>
#include <QProgressBar>
#include <QScopeGuard>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <cmath>
#include <random>

#include "support/screen.h"
#include "support/audiofixtures.h"
#include "support/fakes.h"
#include "support/texts.h"

using Action = VoicesWindow::Action;
using voices::Take;

namespace {

constexpr double kOwnVoice = 500;     // what the grown-up says, Hz
constexpr double kProgramVoice = 880; // the program's recordings in these tests

// `before` and `after` seconds of quiet room around `voice` seconds of a
// rising and falling tone at voiceDb: a grown-up saying a letter, quietly.
Take spoken(double before, double voice, double after, double voiceDb)
{
    constexpr int rate = 44100;
    std::mt19937 rng(3);
    std::normal_distribution<double> room(0, std::pow(10.0, -70.0 / 20));
    Take t{rate, 1, {}};
    const auto frames = std::size_t((before + voice + after) * rate);
    for (std::size_t i = 0; i < frames; ++i) {
        const double s = double(i) / rate;
        double v = room(rng);
        if (voice > 0 && s >= before && s < before + voice)
            v += std::pow(10.0, voiceDb / 20) * std::sin(M_PI * (s - before) / voice) * std::sin(2 * M_PI * kOwnVoice * s);
        t.samples.push_back(float(v));
    }
    return t;
}

// The folder the voices window keeps its takes not yet kept in, inside the
// voices folder; empty when there is none.
QString newTakesFolder(const QString &folder)
{
    return QDir(folder).entryList({".new-*"}, QDir::Dirs | QDir::Hidden).value(0);
}

QByteArray contentsOf(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The disk driver's microphone reads raw samples in the format asked for.
void writeMicrophoneInput(const QString &path, const Take &take)
{
    writeBytes(path, QByteArray(reinterpret_cast<const char *>(take.samples.data()),
                                qsizetype(take.samples.size() * sizeof(float))));
}

class FakeRecorder final : public Recorder
{
public:
    void start() override { ++started; }
    void stop() override { ++stopped; }
    float level() const override { return loudness; }
    void give(const Take &take) { emit finished(take); }
    void fail(const QString &message) { emit failed(message); }
    int started = 0;
    int stopped = 0;
    float loudness = 0;
};

} // namespace

class TestVoices : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void aTakeIsHeardThenKept();
    void aTakeThrownAwayLeavesNothing();
    void aTakeWithoutAVoiceIsRefused();
    void takesNeverTouchWhatIsNotTheirs();
    void noMicrophoneLeavesTheRestWorking();
    void importReportsItsOutcome_data();
    void importReportsItsOutcome();
    void anImportCanBeStopped();
    void anImportIsBoundInTime();
    void anUnwritableFolderChangesNothing();
    void eachMessageIsSaidInOnePlace_data();
    void eachMessageIsSaidInOnePlace();
    void goingBackToTheProgramsVoice();
    void meterFollowsTheMicrophone();
    void eachStateShowsOnlyItsActions_data();
    void eachStateShowsOnlyItsActions();
    void aPackCarriesTheVoicesToAnotherComputer();
    void everyControlHasAnAccessibleName();
    void fitsTheScreen_data();
    void fitsTheScreen();
    void everyButtonHasAnIconThatLooksPressable_data();
    void everyButtonHasAnIconThatLooksPressable();
    void aButtonsWordsStandBesideItsIcon_data();
    void aButtonsWordsStandBesideItsIcon();
    void theWindowSpeaksTheGrownUpsLanguage_data();
    void theWindowSpeaksTheGrownUpsLanguage();
    void grownUpsKeysInTheMainWindow_data();
    void grownUpsKeysInTheMainWindow();
    void microphoneTakeIsMadeEven_data();
    void microphoneTakeIsMadeEven();
    void noMicrophoneIsReported();
    void aMicrophoneThatNeverOpensLetsTheWindowGo();
    void nothingPlaysWhileRecording();
    void recordedVoiceIsWhatTheChildHears();

private:
    std::unique_ptr<VoicesWindow> window(const QString &folder);

    std::unique_ptr<QTemporaryDir> m_dir;
    FakeSoundPlayer m_sound;
    FakeRecorder m_recorder;
    QString m_chosenFile;
    QString m_chosenPack;
    voices::Change m_importOutcome;
    QList<int> m_imported;
    bool m_holdImport = false;
    int m_importsStopped = 0;
};

void TestVoices::initTestCase()
{
    // As an Arabic desktop has it: the texts these tests read are Arabic.
    i18n::useLanguage(QStringLiteral("ar"));
}

void TestVoices::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_sound.played.clear();
    m_recorder.started = m_recorder.stopped = 0;
    m_imported.clear();
    m_holdImport = false;
    m_importsStopped = 0;
    qputenv("SDL_AUDIODRIVER", "disk");
    qputenv("SDL_DISKAUDIOFILE", m_dir->filePath("out.raw").toLocal8Bit());
    qputenv("SDL_DISKAUDIOFILEIN", m_dir->filePath("microphone.raw").toLocal8Bit());
}

std::unique_ptr<VoicesWindow> TestVoices::window(const QString &folder)
{
    return std::make_unique<VoicesWindow>(VoicesServices{
        m_sound, m_recorder, voices::VoiceFolder(folder), voices::Loudness{}, [this] { return m_chosenFile; },
        [this](int voice, const QString &, std::function<void(const voices::Change &)> done) -> std::function<void()> {
            m_imported << voice;
            if (!m_holdImport) {
                done(m_importOutcome);
                return [] {};
            }
            return [this, done] {
                ++m_importsStopped;
                done({{}, QStringLiteral("stopped")});
            };
        },
        [this] { return m_chosenPack; }, [this] { return m_chosenPack; }});
}

void TestVoices::aTakeIsHeardThenKept()
{
    const QString folder = m_dir->filePath("voices");
    auto w = window(folder);
    QTest::mouseClick(w->button(3, Action::Record), Qt::LeftButton);
    QCOMPARE(m_recorder.started, 1);
    // While recording: only this row's stop, and nobody else's record.
    QVERIFY(w->button(3, Action::Stop)->isEnabled());
    QVERIFY(!w->button(3, Action::Record)->isEnabled());
    QVERIFY(!w->button(10, Action::Record)->isEnabled());
    QVERIFY(!w->button(10, Action::Stop)->isEnabled());
    QTest::mouseClick(w->button(3, Action::Stop), Qt::LeftButton);
    QCOMPARE(m_recorder.stopped, 1);

    m_recorder.give(spoken(0.4, 0.5, 0.4, -30));
    // The new take is played at once from where the player finds it, and is
    // not yet the voice.
    const QString takes = newTakesFolder(folder);
    QVERIFY(!takes.isEmpty());
    QCOMPARE(m_sound.played, QStringList{"\\" + takes + "\\wa\\4.wav"});
    QVERIFY(QFile::exists(folder + "/" + takes + "/wa/4.wav"));
    QVERIFY(!QFile::exists(folder + "/wa/4.wav"));
    QCOMPARE(w->stateOf(3), QStringLiteral("تسجيل جديد لم يُحفظ"));
    QVERIFY(w->button(3, Action::Keep)->isEnabled());

    QTest::mouseClick(w->button(3, Action::Keep), Qt::LeftButton);
    QVERIFY(QFileInfo(folder + "/wa/4.wav").size() > 44 + 2 * 44100 * 4 / 10);
    QVERIFY(!QFile::exists(folder + "/" + takes + "/wa/4.wav"));
    QCOMPARE(w->stateOf(3), QStringLiteral("صوتك"));
    QVERIFY(!w->button(3, Action::Keep)->isEnabled());
    QTest::mouseClick(w->button(3, Action::Hear), Qt::LeftButton);
    QCOMPARE(m_sound.played.last(), QStringLiteral("\\wa\\4.wav"));
}

void TestVoices::aTakeThrownAwayLeavesNothing()
{
    const QString folder = m_dir->filePath("voices");
    auto w = window(folder);
    QTest::mouseClick(w->button(voices::kRightVoice, Action::Record), Qt::LeftButton);
    m_recorder.give(spoken(0.2, 0.4, 0.2, -20));
    QTest::mouseClick(w->button(voices::kRightVoice, Action::Discard), Qt::LeftButton);
    QVERIFY(!QFile::exists(folder + "/yes.wav"));
    QVERIFY(!QFile::exists(folder + "/" + newTakesFolder(folder) + "/yes.wav"));
    QCOMPARE(w->stateOf(voices::kRightVoice), QStringLiteral("بصوت البرنامج"));
    QTest::mouseClick(w->button(voices::kRightVoice, Action::Hear), Qt::LeftButton);
    QCOMPARE(m_sound.played.last(), QStringLiteral("\\yes.wav"));
}

void TestVoices::takesNeverTouchWhatIsNotTheirs()
{
    const QString folder = m_dir->filePath("voices");
    // What is not this window's: a link named as takes' folders once were,
    // into a folder of the family's own; and another voices window's take.
    const QString family = m_dir->filePath("photos");
    writeBytes(family + "/holiday.jpg", "a photo");
    QVERIFY(QDir().mkpath(folder));
    QVERIFY(QFile::link(family, folder + "/.new"));
    auto first = window(folder);
    QTest::mouseClick(first->button(3, Action::Record), Qt::LeftButton);
    m_recorder.give(spoken(0.2, 0.4, 0.2, -20));
    const QString firstTakes = newTakesFolder(folder);
    QVERIFY(QFile::exists(folder + "/" + firstTakes + "/wa/4.wav"));
    {
        auto second = window(folder);
        QTest::mouseClick(second->button(5, Action::Record), Qt::LeftButton);
        m_recorder.give(spoken(0.2, 0.4, 0.2, -20));
        QTest::mouseClick(second->button(5, Action::Discard), Qt::LeftButton);
    }
    // The second window closed: the first one's take is still there to keep.
    QVERIFY(QFile::exists(folder + "/" + firstTakes + "/wa/4.wav"));
    QTest::mouseClick(first->button(3, Action::Keep), Qt::LeftButton);
    QVERIFY(QFile::exists(folder + "/wa/4.wav"));
    first.reset();
    QCOMPARE(QDir(folder).entryList({".new-*"}, QDir::Dirs | QDir::Hidden), QStringList());
    QFile photo(family + "/holiday.jpg");
    QVERIFY(photo.open(QIODevice::ReadOnly));
    QCOMPARE(photo.readAll(), QByteArray("a photo"));
    QVERIFY(QFileInfo(folder + "/.new").isSymLink());
}

void TestVoices::aTakeWithoutAVoiceIsRefused()
{
    const QString folder = m_dir->filePath("voices");
    auto w = window(folder);
    QTest::mouseClick(w->button(0, Action::Record), Qt::LeftButton);
    m_recorder.give(spoken(1.0, 0, 0, 0));
    QCOMPARE(w->messageOf(0), voices::noVoice());
    QVERIFY(!w->button(0, Action::Keep)->isEnabled());
    QVERIFY(m_sound.played.isEmpty());
    QVERIFY(!QDir(folder).exists() || QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden).isEmpty());
    // Ready for the next take.
    QVERIFY(w->button(0, Action::Record)->isEnabled());
}

void TestVoices::noMicrophoneLeavesTheRestWorking()
{
    const QString folder = m_dir->filePath("voices");
    writeBytes(folder + "/wa/1.wav", "own");
    auto w = window(folder);
    QTest::mouseClick(w->button(0, Action::Record), Qt::LeftButton);
    m_recorder.fail("no microphone here");
    QCOMPARE(w->messageOf(0), QStringLiteral("no microphone here"));
    for (Action a : {Action::Hear, Action::Record, Action::Import, Action::Revert})
        QVERIFY(w->button(0, a)->isEnabled());
    QVERIFY(!w->button(0, Action::Stop)->isEnabled());
}

void TestVoices::importReportsItsOutcome_data()
{
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("error");
    QTest::newRow("kept") << "/tmp/ba.flac" << "";
    QTest::newRow("refused") << "/tmp/ba.flac" << "ba.flac: no voice";
    QTest::newRow("nothing chosen") << "" << "";
}

void TestVoices::importReportsItsOutcome()
{
    QFETCH(QString, chosen);
    QFETCH(QString, error);
    auto w = window(m_dir->filePath("voices"));
    m_chosenFile = chosen;
    m_importOutcome = {error.isEmpty() ? "/saved" : "", error};
    QTest::mouseClick(w->button(1, Action::Import), Qt::LeftButton);
    QCOMPARE(m_imported, chosen.isEmpty() ? QList<int>{} : QList<int>{1});
    if (chosen.isEmpty())
        QVERIFY(w->messageOf(1).isEmpty());
    else
        QCOMPARE(w->messageOf(1), error.isEmpty() ? QStringLiteral("حُفظ صوتك لـ ب.") : error);
    QVERIFY(w->button(1, Action::Record)->isEnabled());
}

// A file that takes long to read (a disk that stopped answering): the row
// offers Stop while it is read, and Stop ends the import, changing nothing.
void TestVoices::anImportCanBeStopped()
{
    m_chosenFile = m_dir->filePath("slow.wav");
    m_holdImport = true;
    auto w = window(m_dir->filePath("voices"));
    w->show();
    QTest::mouseClick(w->button(4, Action::Import), Qt::LeftButton);
    QVERIFY(w->button(4, Action::Stop)->isVisible());
    QVERIFY(w->button(4, Action::Stop)->isEnabled());
    QVERIFY(!w->button(5, Action::Stop)->isVisible());
    QVERIFY(!w->importPackButton()->isEnabled());
    QTest::mouseClick(w->button(4, Action::Stop), Qt::LeftButton);
    QCOMPARE(m_importsStopped, 1);
    QVERIFY(!w->button(4, Action::Stop)->isVisible());
    QVERIFY(w->button(4, Action::Import)->isEnabled());
    QCOMPARE(w->messageOf(4), QStringLiteral("stopped"));
    QVERIFY(!voices::VoiceFolder(m_dir->filePath("voices")).hasOwn(4));
}

// The real import, in its own process, bound in time and stopped on
// request: `done` comes once, saying why, and the process is gone.
void TestVoices::anImportIsBoundInTime()
{
    const QString slow = m_dir->filePath("slow-import");
    {
        QFile script(slow);
        QVERIFY(script.open(QIODevice::WriteOnly));
        script.write("#!/bin/sh\nexec sleep 30\n");
    }
    QFile::setPermissions(slow, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QObject owner;
    QList<voices::Change> outcomes;
    QElapsedTimer t;
    t.start();
    importInOwnProcess(&owner, slow, 3, m_dir->filePath("any.wav"),
                       [&outcomes](const voices::Change &c) { outcomes << c; }, 300);
    QTRY_COMPARE_WITH_TIMEOUT(outcomes.size(), 1, 5000);
    QVERIFY(t.elapsed() < 5000);
    QVERIFY2(outcomes.first().error.contains(QStringLiteral("ثانية")) || outcomes.first().error.contains("second"),
             qPrintable(outcomes.first().error));

    outcomes.clear();
    const auto stop = importInOwnProcess(&owner, slow, 3, m_dir->filePath("any.wav"),
                                         [&outcomes](const voices::Change &c) { outcomes << c; });
    QTest::qWait(100);
    stop();
    QCOMPARE(outcomes.size(), 1);
    QVERIFY(!outcomes.first().ok());
    // The process's own end, after the stop, says nothing more.
    QTest::qWait(300);
    QCOMPARE(outcomes.size(), 1);
    stop();
    QCOMPARE(outcomes.size(), 1);
}

void TestVoices::anUnwritableFolderChangesNothing()
{
    // A file where the voices folder should be.
    writeBytes(m_dir->filePath("blocked"), "x");
    auto w = window(m_dir->filePath("blocked/voices"));
    QTest::mouseClick(w->button(2, Action::Record), Qt::LeftButton);
    m_recorder.give(spoken(0.2, 0.4, 0.2, -20));
    QVERIFY(w->messageOf(2).contains(QStringLiteral("لا يمكن الكتابة")));
    QVERIFY(m_sound.played.isEmpty());
    QCOMPARE(w->stateOf(2), QStringLiteral("بصوت البرنامج"));
    QVERIFY(!w->button(2, Action::Keep)->isEnabled());
}

// What happened in a row is said in that row, and what happened to the
// whole window above the list: never both, and the place left empty shows
// nothing.
void TestVoices::eachMessageIsSaidInOnePlace_data()
{
    QTest::addColumn<QString>("what");
    QTest::addColumn<int>("voice"); // the row it concerns; -1 for the window
    QTest::newRow("a take without a voice") << "silent take" << 0;
    QTest::newRow("no microphone") << "no microphone" << 4;
    QTest::newRow("a take waits") << "take" << 9;
    QTest::newRow("a take kept") << "keep" << 9;
    QTest::newRow("a file imported") << "import" << 1;
    QTest::newRow("back to the program's voice") << "revert" << voices::kWrongVoice;
    QTest::newRow("a voice pack refused") << "pack" << -1;
}

void TestVoices::eachMessageIsSaidInOnePlace()
{
    QFETCH(QString, what);
    QFETCH(int, voice);
    const QString folder = m_dir->filePath("voices");
    writeBytes(folder + "/no.wav", "own");
    writeBytes(m_dir->filePath("not-a-pack.zip"), "not a pack");
    auto w = window(folder);
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    // An earlier message elsewhere is gone with the new one.
    m_chosenPack = m_dir->filePath("not-a-pack.zip");
    QTest::mouseClick(w->importPackButton(), Qt::LeftButton);
    QVERIFY(!w->message().isEmpty());
    if (what == "silent take" || what == "no microphone" || what == "take" || what == "keep")
        QTest::mouseClick(w->button(voice, Action::Record), Qt::LeftButton);
    if (what == "silent take")
        m_recorder.give(spoken(1.0, 0, 0, 0));
    else if (what == "no microphone")
        m_recorder.fail("no microphone here");
    else if (what == "take" || what == "keep")
        m_recorder.give(spoken(0.2, 0.4, 0.2, -20));
    if (what == "keep")
        QTest::mouseClick(w->button(voice, Action::Keep), Qt::LeftButton);
    if (what == "import") {
        m_chosenFile = "/tmp/ba.flac";
        m_importOutcome = {"/saved", {}};
        QTest::mouseClick(w->button(voice, Action::Import), Qt::LeftButton);
    }
    if (what == "revert")
        QTest::mouseClick(w->button(voice, Action::Revert), Qt::LeftButton);
    if (what == "pack")
        QTest::mouseClick(w->importPackButton(), Qt::LeftButton);

    QStringList rows;
    for (int v = 0; v < voices::kVoiceCount; ++v) {
        if (!w->messageOf(v).isEmpty())
            rows << QString::number(v);
    }
    if (voice < 0) {
        QVERIFY(!w->message().isEmpty());
        QCOMPARE(rows, QStringList());
    } else {
        QVERIFY2(w->message().isEmpty(), qPrintable(w->message()));
        QCOMPARE(rows, QStringList{QString::number(voice)});
    }
    // What a person sees: each text once among the window's labels, and no
    // empty line kept for the top's message.
    QStringList shown;
    for (const QLabel *label : w->findChildren<QLabel *>()) {
        if (label->isVisible() && !label->text().isEmpty())
            shown << label->text();
    }
    const QString message = voice < 0 ? w->message() : w->messageOf(voice);
    QCOMPARE(shown.count(message), 1);
    for (const QLabel *label : w->findChildren<QLabel *>()) {
        if (label->accessibleName() == QCoreApplication::translate("VoicesWindow", "Message"))
            QCOMPARE(label->isVisible(), voice < 0);
    }
}

void TestVoices::goingBackToTheProgramsVoice()
{
    const QString folder = m_dir->filePath("voices");
    writeBytes(folder + "/no.wav", "own");
    auto w = window(folder);
    QCOMPARE(w->stateOf(voices::kWrongVoice), QStringLiteral("صوتك"));
    QTest::mouseClick(w->button(voices::kWrongVoice, Action::Revert), Qt::LeftButton);
    QVERIFY(!QFile::exists(folder + "/no.wav"));
    QVERIFY(QFile::exists(folder + "/no.wav.old"));
    QCOMPARE(w->stateOf(voices::kWrongVoice), QStringLiteral("بصوت البرنامج"));
    QVERIFY(!w->button(voices::kWrongVoice, Action::Revert)->isEnabled());
}

void TestVoices::meterFollowsTheMicrophone()
{
    auto w = window(m_dir->filePath("voices"));
    m_recorder.loudness = 0.5f;
    QTest::mouseClick(w->button(5, Action::Record), Qt::LeftButton);
    QTRY_COMPARE(w->meter()->value(), 50);
    m_recorder.give(spoken(0.2, 0.4, 0.2, -20));
    QCOMPARE(w->meter()->value(), 0);
}

void TestVoices::eachStateShowsOnlyItsActions_data()
{
    QTest::addColumn<QString>("state");
    QTest::addColumn<QList<Action>>("shown");
    QTest::newRow("program's voice") << "program" << QList<Action>{Action::Hear, Action::Record, Action::Import};
    QTest::newRow("own voice") << "own" << QList<Action>{Action::Hear, Action::Record, Action::Import, Action::Revert};
    QTest::newRow("recording") << "recording" << QList<Action>{Action::Stop};
    QTest::newRow("new take") << "take" << QList<Action>{Action::Hear, Action::Keep, Action::Discard};
}

void TestVoices::eachStateShowsOnlyItsActions()
{
    QFETCH(QString, state);
    QFETCH(QList<Action>, shown);
    const QString folder = m_dir->filePath("voices");
    if (state == "own")
        writeBytes(folder + "/wa/7.wav", "own");
    auto w = window(folder);
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    if (state == "recording" || state == "take")
        QTest::mouseClick(w->button(6, Action::Record), Qt::LeftButton);
    if (state == "take")
        m_recorder.give(spoken(0.2, 0.4, 0.2, -20));
    QList<Action> visible;
    QStringList captions;
    for (Action a : {Action::Hear, Action::Record, Action::Stop, Action::Keep, Action::Discard, Action::Import, Action::Revert}) {
        captions << w->button(6, a)->text();
        if (w->button(6, a)->isVisible())
            visible << a;
    }
    QCOMPARE(visible, shown);
    // The badge says whose voice it is in words of its own, in the window's
    // face whatever happened before.
    QVERIFY2(!captions.contains(w->stateOf(6)), qPrintable(w->stateOf(6)));
    for (const QLabel *label : w->findChildren<QLabel *>()) {
        if (label->text() == w->stateOf(6))
            QCOMPARE(QFontInfo(label->font()).family(), QFontInfo(w->font()).family());
    }
    // What is happening is said in the row, and that row is in sight.
    if (state == "recording" || state == "take") {
        QVERIFY(!w->messageOf(6).isEmpty());
        QVERIFY(w->messageOf(5).isEmpty());
    }
    // The other rows wait: nothing but hearing while a take is undecided,
    // nothing at all while one is recorded.
    QCOMPARE(w->button(20, Action::Record)->isEnabled(), state == "program" || state == "own" || state == "take");
    QCOMPARE(w->button(20, Action::Hear)->isEnabled(), state != "recording");
}

void TestVoices::aPackCarriesTheVoicesToAnotherComputer()
{
    // A teacher records ب and the right answer's sound, and saves a pack.
    const QString teacher = m_dir->filePath("teacher");
    m_chosenPack = m_dir->filePath("class.zip");
    {
        auto w = window(teacher);
        for (int voice : {1, voices::kRightVoice}) {
            QTest::mouseClick(w->button(voice, Action::Record), Qt::LeftButton);
            m_recorder.give(spoken(0.3, 0.5, 0.3, -25));
            QTest::mouseClick(w->button(voice, Action::Keep), Qt::LeftButton);
        }
        QTest::mouseClick(w->exportPackButton(), Qt::LeftButton);
        QVERIFY2(QFileInfo(m_chosenPack).size() > 0, qPrintable(w->message()));
    }
    // A child's computer, with a take of ت not yet kept and its own voice
    // for ب: the pack's voices come in, the old ب is set aside, the row for
    // ت is untouched.
    const QString child = m_dir->filePath("child");
    writeBytes(child + "/wa/2.wav", "the family's own ب");
    auto w = window(child);
    QTest::mouseClick(w->button(2, Action::Record), Qt::LeftButton);
    m_recorder.give(spoken(0.3, 0.5, 0.3, -25));
    QTest::mouseClick(w->importPackButton(), Qt::LeftButton);
    QCOMPARE(contentsOf(child + "/wa/2.wav"), contentsOf(teacher + "/wa/2.wav"));
    QCOMPARE(contentsOf(child + "/yes.wav"), contentsOf(teacher + "/yes.wav"));
    QVERIFY(QFile::exists(child + "/wa/2.wav.old"));
    QCOMPARE(w->stateOf(1), QStringLiteral("صوتك"));
    QCOMPARE(w->stateOf(voices::kRightVoice), QStringLiteral("صوتك"));
    QCOMPARE(w->stateOf(2), QStringLiteral("تسجيل جديد لم يُحفظ"));
    // Two sounds came in: Arabic says so with its dual, without the number.
    QCOMPARE(w->message(), QStringLiteral("أُخذ من الملف صوتان، وحُفظت أصواتك السابقة جانبًا."));
    // A file that is not a pack changes nothing, and says so.
    writeBytes(m_chosenPack, "not a pack");
    QTest::mouseClick(w->importPackButton(), Qt::LeftButton);
    QVERIFY(w->message().contains(QStringLiteral("لم يتغير شيء")));
    QCOMPARE(contentsOf(child + "/wa/2.wav"), contentsOf(teacher + "/wa/2.wav"));
}

void TestVoices::everyControlHasAnAccessibleName()
{
    auto w = window(m_dir->filePath("voices"));
    QCOMPARE(w->layoutDirection(), Qt::RightToLeft);
    QSet<QString> names;
    const QList<QPushButton *> buttons = w->findChildren<QPushButton *>();
    for (QPushButton *b : buttons) {
        QVERIFY2(!b->accessibleName().isEmpty(), qPrintable(b->text()));
        QVERIFY2(b->focusPolicy() & Qt::TabFocus, qPrintable(b->accessibleName()));
        names << b->accessibleName();
    }
    QCOMPARE(names.size(), buttons.size());
    QVERIFY(!w->meter()->accessibleName().isEmpty());
}

namespace {

// How much of a pixel is ink: dark, or of a clear colour; a pale grey has
// little of either.
double ink(QRgb pixel)
{
    const QColor c = QColor::fromRgb(pixel);
    return std::max(1.0 - c.lightnessF(), c.hslSaturationF() * (1.0 - std::abs(c.lightnessF() - 0.5) * 2));
}

// The ink of the strongest pixel of an icon at `mode`.
double strongestInk(const QIcon &icon, QIcon::Mode mode)
{
    const QImage image = icon.pixmap(QSize(32, 32), 1.0, mode).toImage();
    double strongest = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(image.pixel(x, y)) > 160)
                strongest = std::max(strongest, ink(image.pixel(x, y)));
        }
    }
    return strongest;
}

} // namespace

// Run on small and large screens at the scales desktops use (see
// tests/CMakeLists.txt), offscreen and under a window manager with a panel
// (tests/voices/fits-under-openbox), in every language, with rows in every
// state: the window and its frame lie in the screen's free area, nothing
// runs sideways (no horizontal scroll bar, every button inside the list),
// every text shows whole, and a letter's badge stands next to its picture.
void TestVoices::fitsTheScreen_data()
{
    QTest::addColumn<QString>("language");
    QTest::newRow("ar") << "ar";
    QTest::newRow("en") << "en";
    QTest::newRow("fr") << "fr";
}

void TestVoices::fitsTheScreen()
{
    QFETCH(QString, language);
    i18n::useLanguage(language);
    const auto back = qScopeGuard([] { i18n::useLanguage(QStringLiteral("ar")); });
    const QString folder = m_dir->filePath("voices");
    // Own voices (their rows show the most buttons), a take waiting (the
    // widest badge) and a message in a row.
    for (const char *own : {"/wa/1.wav", "/wa/12.wav", "/no.wav"})
        writeBytes(folder + own, "own");
    auto w = window(folder);
    QTest::mouseClick(w->button(2, Action::Record), Qt::LeftButton);
    m_recorder.give(spoken(0.2, 0.4, 0.2, -20));
    QTest::mouseClick(w->button(1, Action::Revert), Qt::LeftButton);
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    // Under a window manager, once it has framed and placed the window.
    if (QGuiApplication::platformName() == QLatin1String("xcb"))
        QTRY_VERIFY(w->frameGeometry() != w->geometry());
    QTest::qWait(100);
    const QString outside = outsideTheFreeArea(*w);
    QVERIFY2(outside.isEmpty(), qPrintable(outside));
    auto *list = w->findChild<QScrollArea *>();
    QVERIFY(!list->horizontalScrollBar()->isVisible());
    const QRect inView(list->viewport()->mapToGlobal(QPoint(0, 0)), list->viewport()->size());
    for (int voice = 0; voice < voices::kVoiceCount; ++voice) {
        for (Action a : {Action::Hear, Action::Record, Action::Stop, Action::Keep, Action::Discard, Action::Import,
                         Action::Revert}) {
            const QPushButton *b = w->button(voice, a);
            const int left = b->mapToGlobal(QPoint(0, 0)).x();
            QVERIFY2(!b->isVisible() || (left >= inView.left() && left + b->width() - 1 <= inView.right()),
                     qPrintable(QStringLiteral("%1 of row %2 at %3, %4 wide, in %5 to %6")
                                    .arg(b->text())
                                    .arg(voice)
                                    .arg(left)
                                    .arg(b->width())
                                    .arg(inView.left())
                                    .arg(inView.right())));
        }
    }
    const QStringList cut = textsNotWhole(w.get());
    QVERIFY2(cut.isEmpty(), qPrintable(cut.join('\n')));
    // Between a letter's picture and its badge, no more than a spacing's
    // room.
    for (const QLabel *label : w->findChildren<QLabel *>()) {
        if (label->text() != w->stateOf(5))
            continue;
        const QLabel *picture = nullptr;
        for (const QLabel *other : label->parentWidget()->findChildren<QLabel *>()) {
            if (!other->pixmap().isNull())
                picture = other;
        }
        QVERIFY(picture);
        const int gap = w->layoutDirection() == Qt::RightToLeft ? picture->x() - (label->x() + label->width())
                                                                 : label->x() - (picture->x() + picture->width());
        QVERIFY2(gap <= 20, qPrintable(QString::number(gap)));
        break;
    }
}

// With no icon theme (a plain window manager) every button has an icon;
// with a theme whose sound icons are pale grey, listen, record and stop
// still look as if they can be pressed.
void TestVoices::everyButtonHasAnIconThatLooksPressable_data()
{
    QTest::addColumn<QString>("theme");
    QTest::newRow("no theme") << "";
    QTest::newRow("a pale theme") << "pale";
}

void TestVoices::everyButtonHasAnIconThatLooksPressable()
{
    QFETCH(QString, theme);
    const QStringList paths = QIcon::themeSearchPaths();
    const QString name = QIcon::themeName();
    const auto back = qScopeGuard([&] {
        QIcon::setThemeSearchPaths(paths);
        QIcon::setThemeName(name);
    });
    const QString themes = m_dir->filePath("icons");
    if (!theme.isEmpty()) {
        writeBytes(themes + "/pale/index.theme",
                   "[Icon Theme]\nName=pale\nDirectories=scalable/actions\n\n"
                   "[scalable/actions]\nSize=16\nMinSize=8\nMaxSize=512\nType=Scalable\n");
        for (const char *icon : {"media-playback-start", "media-record", "media-playback-stop", "document-open",
                                 "document-save", "document-save-as", "edit-delete", "edit-undo"})
            writeBytes(themes + "/pale/scalable/actions/" + icon + ".svg",
                       "<svg xmlns='http://www.w3.org/2000/svg' width='16' height='16'>"
                       "<rect x='2' y='2' width='12' height='12' fill='#dcdcdc' stroke='#c4c4c4'/></svg>");
    }
    QIcon::setThemeSearchPaths({themes});
    QIcon::setThemeName(theme.isEmpty() ? QStringLiteral("none") : theme);
    writeBytes(m_dir->filePath("voices/wa/1.wav"), "own");
    auto w = window(m_dir->filePath("voices"));
    QList<QPushButton *> buttons{w->exportPackButton(), w->importPackButton()};
    for (Action a : {Action::Hear, Action::Record, Action::Stop, Action::Keep, Action::Discard, Action::Import,
                     Action::Revert})
        buttons << w->button(0, a);
    for (const QPushButton *b : buttons)
        QVERIFY2(!b->icon().pixmap(QSize(16, 16)).isNull(), qPrintable(b->text()));
    for (Action a : {Action::Hear, Action::Record, Action::Stop})
        QVERIFY2(strongestInk(w->button(0, a)->icon(), QIcon::Normal) > 0.5, qPrintable(w->button(0, a)->text()));
}

// A button with an icon: the icon first in the reading direction, its words
// just after it, the two in the middle of the button, whichever way the
// window reads.
void TestVoices::aButtonsWordsStandBesideItsIcon_data()
{
    QTest::addColumn<QString>("language");
    QTest::newRow("ar") << "ar";
    QTest::newRow("en") << "en";
}

void TestVoices::aButtonsWordsStandBesideItsIcon()
{
    QFETCH(QString, language);
    i18n::useLanguage(language);
    const auto back = qScopeGuard([] { i18n::useLanguage(QStringLiteral("ar")); });
    auto w = window(m_dir->filePath("voices"));
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    QPushButton *b = w->button(0, Action::Record); // short words in a wider button
    QStyleOptionButton option;
    option.initFrom(b);
    const QRect contents = b->style()->subElementRect(QStyle::SE_PushButtonContents, &option, b);
    const QImage image = b->grab().toImage().scaled(b->size());
    // The columns holding the icon's or the words' ink.
    int first = -1;
    int last = -1;
    for (int x = contents.left(); x <= contents.right(); ++x) {
        for (int y = contents.top(); y <= contents.bottom(); ++y) {
            if (ink(image.pixel(x, y)) > 0.55) {
                if (first < 0)
                    first = x;
                last = x;
                break;
            }
        }
    }
    QVERIFY(first >= 0);
    const int before = first - contents.left();
    const int after = contents.right() - last;
    QVERIFY2(std::abs(before - after) <= 3 && std::min(before, after) >= 3,
             qPrintable(QStringLiteral("%1 px before, %2 px after, in %3").arg(before).arg(after).arg(contents.width())));
}

void TestVoices::theWindowSpeaksTheGrownUpsLanguage_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("ownVoice"); // the badge
    QTest::addColumn<Qt::LayoutDirection>("direction");
    QTest::newRow("Arabic") << "ar" << "سجّل صوتك" << "صوتك" << Qt::RightToLeft;
    QTest::newRow("English") << "en" << "Record your voice" << "Your voice" << Qt::LeftToRight;
    QTest::newRow("French") << "fr" << "Enregistrer votre voix" << "Votre voix" << Qt::LeftToRight;
}

// The window in the grown-up's language and its direction, its words whole
// in every state of a row: the program's voice, one's own, recording, a new
// take.
void TestVoices::theWindowSpeaksTheGrownUpsLanguage()
{
    QFETCH(QString, language);
    QFETCH(QString, title);
    QFETCH(QString, ownVoice);
    QFETCH(Qt::LayoutDirection, direction);
    i18n::useLanguage(language);
    const auto back = qScopeGuard([] { i18n::useLanguage(QStringLiteral("ar")); });
    const QString folder = m_dir->filePath("voices");
    writeBytes(folder + "/yes.wav", "own");
    auto w = window(folder);
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    QCOMPARE(w->windowTitle(), title);
    QCOMPARE(w->layoutDirection(), direction);
    QCOMPARE(w->stateOf(voices::kRightVoice), ownVoice);
    // Once the rows have grown to their messages.
    const auto cut = [&w] { return textsNotWhole(w.get()).join('\n'); };
    QTRY_VERIFY2(cut().isEmpty(), qPrintable("settled:\n" + cut()));
    // Another language builds the window again: not while that would lose
    // a recording or a take not kept.
    QVERIFY(w->languageChoice()->isEnabled());
    QTest::mouseClick(w->button(0, Action::Record), Qt::LeftButton);
    QTRY_VERIFY2(cut().isEmpty(), qPrintable("recording:\n" + cut()));
    QVERIFY(!w->languageChoice()->isEnabled());
    m_recorder.give(spoken(0.2, 0.4, 0.2, -20));
    QVERIFY(w->button(0, Action::Keep)->isVisible());
    QTRY_VERIFY2(cut().isEmpty(), qPrintable("a new take:\n" + cut()));
    QVERIFY(!w->languageChoice()->isEnabled());
    QTest::mouseClick(w->button(0, Action::Keep), Qt::LeftButton);
    QVERIFY(w->languageChoice()->isEnabled());
}

void TestVoices::grownUpsKeysInTheMainWindow_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QList<GrownUpsWindow>>("opened");
    const int ctrlShift = int(Qt::ControlModifier | Qt::ShiftModifier);
    QTest::newRow("Ctrl+Shift+V") << int(Qt::Key_V) << ctrlShift << QList<GrownUpsWindow>{GrownUpsWindow::Voices};
    QTest::newRow("Ctrl+Shift+P") << int(Qt::Key_P) << ctrlShift << QList<GrownUpsWindow>{GrownUpsWindow::Progress};
    QTest::newRow("V alone") << int(Qt::Key_V) << int(Qt::NoModifier) << QList<GrownUpsWindow>{};
    QTest::newRow("Ctrl+V") << int(Qt::Key_V) << int(Qt::ControlModifier) << QList<GrownUpsWindow>{};
}

void TestVoices::grownUpsKeysInTheMainWindow()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QList<GrownUpsWindow>, opened);
    FormFixture f;
    f.form->show();
    f.form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(f.form.get()));
    QTest::keyClick(f.form.get(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(f.grownUpsOpened, opened);
    QVERIFY(f.sound.played.isEmpty());
}

void TestVoices::microphoneTakeIsMadeEven_data()
{
    QTest::addColumn<double>("voiceDb"); // 0: silence only
    QTest::newRow("quiet voice, 0.4 s of room around it") << -30.0;
    QTest::newRow("silence only") << 0.0;
}

void TestVoices::microphoneTakeIsMadeEven()
{
    QFETCH(double, voiceDb);
    writeMicrophoneInput(m_dir->filePath("microphone.raw"), spoken(0.4, voiceDb < 0 ? 0.5 : 0, 0.4, voiceDb));
    SdlRecorder recorder(std::chrono::seconds(5));
    QSignalSpy finished(&recorder, &Recorder::finished);
    QSignalSpy failed(&recorder, &Recorder::failed);
    recorder.start();
    // Nobody presses stop: the take ends by itself after 5 s.
    QVERIFY(finished.wait(10000));
    QVERIFY(failed.isEmpty());
    const Take take = finished.at(0).at(0).value<Take>();
    QCOMPARE(take.samples.size(), std::size_t(5 * 44100));
    const std::optional<voices::EvenTake> even = voices::evenTake(take, voices::Loudness{});
    QCOMPARE(even.has_value(), voiceDb < 0);
    if (!even)
        return;
    std::vector<float> samples;
    for (std::int16_t s : even->samples)
        samples.push_back(float(s) / 32768);
    // The 0.5 s voice, with at most 15 ms before it and 80 ms after.
    QVERIFY2(samples.size() > 0.45 * 44100 && samples.size() < 0.595 * 44100, qPrintable(QString::number(samples.size())));
    QVERIFY(std::abs(voices::integratedLoudness(samples, even->rate) - voices::Loudness{}.lufs) <= 1.0);
    QVERIFY(voices::peakDb(samples) <= -0.95);
}

void TestVoices::noMicrophoneIsReported()
{
    // The disk driver's microphone is its input file: none, no microphone.
    SdlRecorder recorder;
    QSignalSpy finished(&recorder, &Recorder::finished);
    QSignalSpy failed(&recorder, &Recorder::failed);
    recorder.start();
    QVERIFY(failed.wait(5000));
    QVERIFY(finished.isEmpty());
    QVERIFY(failed.at(0).at(0).toString().contains(QStringLiteral("ميكروفون")));
}

void TestVoices::aMicrophoneThatNeverOpensLetsTheWindowGo()
{
    // The microphone is a FIFO nobody writes to: its opening never returns,
    // as with a frozen sound server.
    const QString fifo = m_dir->filePath("frozen");
    QVERIFY(QProcess::execute("mkfifo", {fifo}) == 0);
    qputenv("SDL_DISKAUDIOFILEIN", fifo.toLocal8Bit());
    auto recorder = std::make_unique<SdlRecorder>(std::chrono::milliseconds(500));
    // Whatever the outcome, the microphone is freed at the end (a writer
    // opens the FIFO), so that this test process can end in order.
    const auto release = qScopeGuard([&] {
        QProcess::startDetached("sh", {"-c", "sleep 1 > \"$0\"", fifo});
        if (!recorder->finish(std::chrono::seconds(10)))
            qFatal("the microphone's thread is stuck for good");
    });
    {
        auto w = std::make_unique<VoicesWindow>(
            VoicesServices{m_sound, *recorder, voices::VoiceFolder(m_dir->filePath("voices")), voices::Loudness{}, {}, {}, {}, {}});
        QTest::mouseClick(w->button(3, Action::Record), Qt::LeftButton);
        QTest::qWait(200);
        QTest::mouseClick(w->button(3, Action::Stop), Qt::LeftButton);
        // The take never comes; the window says so and is ready again.
        QTRY_VERIFY_WITH_TIMEOUT(w->button(3, Action::Record)->isEnabled(), 5000);
        QVERIFY2(w->messageOf(3).contains(QStringLiteral("لا يستجيب")), qPrintable(w->messageOf(3)));
        QVERIFY(w->button(3, Action::Hear)->isEnabled());
        // A second take while the first is still stuck is refused at once,
        // without the window waiting for it.
        QElapsedTimer t;
        t.start();
        QTest::mouseClick(w->button(3, Action::Record), Qt::LeftButton);
        QVERIFY(t.elapsed() < 500);
        QTRY_VERIFY(w->button(3, Action::Record)->isEnabled());
        QVERIFY2(w->messageOf(3).contains(QStringLiteral("لا يستجيب")), qPrintable(w->messageOf(3)));
    }
    // Closing: the recorder says in time that it is stuck.
    QElapsedTimer t;
    t.start();
    QVERIFY(!recorder->finish(std::chrono::milliseconds(300)));
    QVERIFY2(t.elapsed() < 1000, qPrintable(QString::number(t.elapsed())));
}

void TestVoices::nothingPlaysWhileRecording()
{
    // A long sound of the program's is playing when the grown-up starts
    // recording: it stops, and no row can be heard until the take is in.
    const QString program = m_dir->filePath("program");
    for (int n = 1; n <= 28; ++n)
        writeTone(QStringLiteral("%1/wa/%2.wav").arg(program).arg(n), kProgramVoice, 2.0);
    writeMicrophoneInput(m_dir->filePath("microphone.raw"), spoken(0.3, 0.5, 0.3, -30));
    const QString own = m_dir->filePath("voices");
    {
        SdlSoundPlayer player(QStringList{own, program}, toneWav(1320, 0.25));
        SdlRecorder recorder(std::chrono::milliseconds(1200));
        VoicesWindow w(VoicesServices{player, recorder, voices::VoiceFolder(own), voices::Loudness{}, {}, {}, {}, {}});
        QTest::mouseClick(w.button(7, Action::Hear), Qt::LeftButton);
        player.waitUntilHandled();
        QThread::msleep(400);
        QSignalSpy finished(&recorder, &Recorder::finished);
        QTest::mouseClick(w.button(3, Action::Record), Qt::LeftButton);
        for (int voice = 0; voice < voices::kVoiceCount; ++voice)
            QVERIFY(!w.button(voice, Action::Hear)->isEnabled());
        QVERIFY(finished.wait(6000));
        QVERIFY2(w.button(3, Action::Keep)->isEnabled(), qPrintable(w.messageOf(3)));
        QVERIFY(w.button(7, Action::Hear)->isEnabled());
        player.waitUntilHandled();
        QThread::msleep(700);
    }
    // The program's sound was cut off when recording began, well before its
    // 2 s; then the new take was heard.
    const QList<Heard> heard = readDiskOutput(m_dir->filePath("out.raw"));
    const QList<Heard> program7 = runsAt(heard, kProgramVoice);
    QVERIFY2(program7.size() == 1 && program7[0].length < 0.8, qPrintable(describe(heard)));
    const QList<Heard> take = runsAt(heard, kOwnVoice);
    QVERIFY2(take.size() == 1 && take[0].start > program7[0].start + program7[0].length + 1.0, qPrintable(describe(heard)));
}

void TestVoices::recordedVoiceIsWhatTheChildHears()
{
    // The program's recordings, and a grown-up saying the fourth letter.
    const QString program = m_dir->filePath("program");
    for (int n = 1; n <= 28; ++n)
        writeTone(QStringLiteral("%1/wa/%2.wav").arg(program).arg(n), kProgramVoice, 0.3);
    writeMicrophoneInput(m_dir->filePath("microphone.raw"), spoken(0.4, 0.5, 0.4, -30));
    const QString own = m_dir->filePath("voices");
    {
        SdlSoundPlayer player(QStringList{own, program}, toneWav(1320, 0.25));
        {
            SdlRecorder recorder(std::chrono::milliseconds(1500));
            VoicesWindow w(VoicesServices{player, recorder, voices::VoiceFolder(own), voices::Loudness{}, {}, {}, {}, {}});
            QSignalSpy finished(&recorder, &Recorder::finished);
            QTest::mouseClick(w.button(3, Action::Record), Qt::LeftButton);
            QVERIFY(finished.wait(6000));
            QVERIFY2(w.button(3, Action::Keep)->isEnabled(), qPrintable(w.messageOf(3)));
            QTest::mouseClick(w.button(3, Action::Keep), Qt::LeftButton);
            player.waitUntilHandled();
            QThread::msleep(700);
        }
        // The child's window, in pronunciation mode: the fourth letter is
        // the grown-up's voice, the fifth still the program's.
        FakeWebOpener web;
        FixedTimeOfDay clock;
        MersenneUnitRandom random;
        Form1 form(Form1Services{player, web, clock, random, {}, {}, nullptr});
        form.Form_Load();
        form.hr_Click(3);
        player.waitUntilHandled();
        QThread::msleep(700);
        form.hr_Click(4);
        player.waitUntilHandled();
        QThread::msleep(500);
    }
    // The disk output restarts each time the device opens: the last opening
    // holds what the child's window played.
    const QList<Heard> heard = readDiskOutput(m_dir->filePath("out.raw"));
    QVERIFY2(heard.size() >= 2, qPrintable(describe(heard)));
    const QList<Heard> last{heard[heard.size() - 2], heard.last()};
    QVERIFY2(runsAt({last[0]}, kOwnVoice).size() == 1, qPrintable(describe(heard)));
    QVERIFY2(runsAt({last[1]}, kProgramVoice).size() == 1, qPrintable(describe(heard)));
}

QTEST_MAIN(TestVoices)
#include "tst_voices.moc"
