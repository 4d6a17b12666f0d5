// Click to sound, and the user-interface thread's time inside the player and
// inside the learning history.
//
// A real click on a board button in the pronunciation mode, through the real
// main window and the real SDL_mixer player (dummy audio driver), until the
// first non-silent sample comes out of the mixer (a post-mix hook).
#include "board/shuffle.h"
#include "contest/contestmode.h"
#include "history/sqlitehistory.h"
#include "platform/sdlsoundplayer.h"
#include "platform/timeofday.h"
#include "platform/webopener.h"
#include "shell/form1.h"
#include "sounds/soundsmode.h"
#include "support/audiofixtures.h"
#include "ui/widgets.h"
#include "words/wordsmode.h"

#include "stats.h"

#include <QFile>
#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QtEndian>

#include <SDL_mixer.h>

#include <atomic>
#include <chrono>
#include <random>

namespace {

using Clock = std::chrono::steady_clock;

std::atomic<bool> g_armed{false};
std::atomic<bool> g_silent{true};
std::atomic<Clock::rep> g_heard{0};

void SDLCALL postMix(void *, Uint8 *stream, int len)
{
    const auto *s = reinterpret_cast<const Sint16 *>(stream);
    bool sound = false;
    for (int i = 0; i < len / 2 && !sound; ++i)
        sound = s[i] != 0;
    g_silent = !sound;
    if (sound && g_armed.exchange(false))
        g_heard = Clock::now().time_since_epoch().count();
}

// Times every call into the player, on the calling thread.
class TimedPlayer final : public SoundPlayer
{
public:
    explicit TimedPlayer(SoundPlayer &inner)
        : m_inner(inner)
    {
    }
    void play(const QString &name) override
    {
        const auto t0 = Clock::now();
        m_inner.play(name);
        times << std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
    }
    QList<double> times;

private:
    SoundPlayer &m_inner;
};

// Times every answer handed to the history, on the calling thread; hands
// them on only while a history is attached.
class TimedLog final : public AnswerLog
{
public:
    void record(const Answer &answer) override
    {
        const auto t0 = Clock::now();
        if (inner)
            inner->record(answer);
        times << std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
    }
    AnswerLog *inner = nullptr;
    QList<double> times;
};

class NoBrowser final : public WebOpener
{
public:
    void open(const QUrl &) override {}
};

bool waitFor(const std::function<bool()> &condition, int timeoutMs)
{
    QElapsedTimer t;
    t.start();
    while (!condition()) {
        if (t.elapsed() > timeoutMs)
            return false;
        QThread::usleep(100);
    }
    return true;
}

// Does what makes a sound (a click, a tick) and returns the milliseconds
// until the sound comes out.
double toSound(const std::function<void()> &act)
{
    waitFor([] { return g_silent.load(); }, 2000);
    // A child's click comes at any moment of the mixer's 11.6 ms period, not
    // just after a mix, as the wait above would have it.
    static std::mt19937 jitter(12345);
    QThread::usleep(std::uniform_int_distribution<unsigned>(0, 11610)(jitter));
    g_heard = 0;
    g_armed = true;
    const auto t0 = Clock::now();
    act();
    if (!waitFor([] { return g_heard.load() != 0; }, 2000))
        return 2000;
    return std::chrono::duration<double, std::milli>(Clock::duration(g_heard.load()) - t0.time_since_epoch()).count();
}

// Clicks hr(j) and returns the milliseconds until the sound comes out.
double clickToSound(Form1 &form, int j)
{
    auto *button = form.controls().get<PictureButton>(QStringLiteral("hr"), j);
    return toSound([button] { QTest::mouseClick(button, Qt::LeftButton); });
}

} // namespace

int main(int argc, char *argv[])
{
    // A 4K screen: room for the window at its own size, and for the full
    // screen figures below.
    QTemporaryDir screenDir;
    const QString screenFile = screenDir.filePath(QStringLiteral("screen.json"));
    {
        QFile screen(screenFile);
        if (screen.open(QIODevice::WriteOnly))
            screen.write("{ \"screens\": [ { \"name\": \"4k\", \"x\": 0, \"y\": 0, \"width\": 3840, \"height\": 2160, "
                         "\"logicalDpi\": 96 } ] }\n");
    }
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + QFile::encodeName(screenFile));
    if (qEnvironmentVariableIsEmpty("SDL_AUDIODRIVER"))
        qputenv("SDL_AUDIODRIVER", "dummy");
    QApplication app(argc, argv);
    const int clicks = argc > 1 ? QString::fromLatin1(argv[1]).toInt() : 500;

    QTemporaryDir dir;
    for (int k = 0; k < 28; ++k)
        writeTone(dir.filePath(QStringLiteral("wa/%1.wav").arg(k + 1)), 300 + 40 * k, 0.06);
    writeTone(dir.filePath(QStringLiteral("no.wav")), 250, 0.06);
    writeTone(dir.filePath(QStringLiteral("second.wav")), 440, 1.0);
    writeTone(dir.filePath(QStringLiteral("yes.wav")), 350, 0.06);
    for (int n = 0; n < kSyllableCount; ++n)
        writeTone(dir.filePath(recordingOf(syllable(n)).mid(1).replace('\\', '/')), 300 + 5 * n, 0.06);
    for (const char *id : {"arnab", "bayt", "shams", "samaka", "qitta"})
        writeTone(dir.filePath(QStringLiteral("words/%1.wav").arg(QLatin1String(id))), 500, 0.06);

    SdlSoundOptions options;
    options.idleClose = std::chrono::milliseconds(300);
    options.deviceOpened = [] { Mix_SetPostMix(postMix, nullptr); };
    SdlSoundPlayer player(dir.path(), SdlSoundPlayer::builtInAlert(), options);
    TimedPlayer timed(player);
    NoBrowser web;
    SystemTimeOfDay clock;
    MersenneUnitRandom random;
    TimedLog log;
    Form1 form(Form1Services{timed, web, clock, random, {}, {}, &log});
    form.Form_Load();
    form.show();
    QTest::qWait(200);

    // With the device open: clicks in a row, as a child plays.
    QList<double> open;
    for (int i = 0; i < clicks; ++i) {
        open << clickToSound(form, i % 28);
        QTest::qWait(5);
    }
    row("Click to sound, device open", Stats(open), "ms", QStringLiteral("p99 %1 ms, %2 clicks").arg(Stats(open).p99(), 0, 'f', 2).arg(clicks),
        "median < 12 ms, p99 < 25 ms", Stats(open).median() < 12 && Stats(open).p99() < 25);

    // After a silence the device has been closed and opens again.
    QList<double> reopened;
    for (int i = 0; i < 40; ++i) {
        waitFor([&] { return !player.deviceOpen(); }, 3000);
        reopened << clickToSound(form, (i * 5) % 28);
    }
    row("Click to sound, after a silence", Stats(reopened), "ms",
        QStringLiteral("p99 %1 ms, 40 clicks").arg(Stats(reopened).p99(), 0, 'f', 2), "(same)",
        Stats(reopened).median() < 12 && Stats(reopened).p99() < 25);

    const Stats uiClick(timed.times);
    row("UI-thread time of play(), letters", uiClick, "ms", QStringLiteral("p99 %1 ms").arg(uiClick.p99(), 0, 'f', 4),
        "p99 < 2 ms", uiClick.p99() < 2);

    // A 200 MB recording: the UI thread must not feel its size.
    {
        QFile big(dir.filePath(QStringLiteral("big.wav")));
        big.open(QIODevice::WriteOnly);
        QByteArray header = toneWav(440, 0.01).left(44);
        const quint32 data = 200u * 1024 * 1024;
        qToLittleEndian(data + 36, header.data() + 4);
        qToLittleEndian(data, header.data() + 40);
        big.write(header);
        big.resize(44 + qint64(data));
    }
    timed.times.clear();
    for (int i = 0; i < 100; ++i) {
        timed.play(i % 2 ? QStringLiteral("\\big.wav") : QStringLiteral("\\second.wav"));
        QTest::qWait(20);
    }
    player.waitUntilHandled();
    const Stats uiBig(timed.times);
    row("UI-thread time of play(), 200 MB file", uiBig, "ms", QStringLiteral("p99 %1 ms").arg(uiBig.p99(), 0, 'f', 4),
        "p99 < 2 ms", uiBig.p99() < 2);

    // Contest answers, without and then with the learning history: wrong
    // answers to one question, each judged, marked and kept.
    auto *mode = form.controls().get<ChoiceList>(QStringLiteral("Co2"));
    mode->setCurrentIndex(1);
    form.Co2_Click();
    // The ticks are the benchmark's own: a question played in the middle
    // of a measurement would be taken for the answer's sound.
    const_cast<QTimer &>(form.ttx()).stop();
    form.ttx_Timer();
    QTest::qWait(200);
    const ContestState &contest = dynamic_cast<const ContestMode &>(*form.mode(1)).state();
    const int asked = contest.quizOrder[contest.quizPos];
    const auto answer = [&](int i) { return clickToSound(form, (asked + 1 + i % 27) % 28); };
    QList<double> without;
    for (int i = 0; i < 300; ++i)
        without << answer(i);
    SqliteHistory history(dir.filePath(QStringLiteral("history.sqlite")));
    log.inner = &history;
    log.times.clear();
    QList<double> with;
    for (int i = 0; i < 300; ++i)
        with << answer(i);
    history.waitUntilWritten();
    row("Click to sound, contest answer, no history", Stats(without), "ms",
        QStringLiteral("p99 %1 ms, 300 answers").arg(Stats(without).p99(), 0, 'f', 2), "(reference)", true);
    row("Click to sound, contest answer, history kept", Stats(with), "ms",
        QStringLiteral("p99 %1 ms, 300 answers").arg(Stats(with).p99(), 0, 'f', 2),
        "median within 1 ms of the reference", Stats(with).median() <= Stats(without).median() + 1);
    const Stats uiAnswer(log.times);
    row("UI-thread time per answer in the history", uiAnswer, "ms",
        QStringLiteral("p99 %1 ms, 300 answers").arg(uiAnswer.p99(), 0, 'f', 4), "p99 < 1 ms",
        uiAnswer.p99() < 1);

    // The letters' sounds and the letter in a word, through the same
    // player: wrong answers to one question, and each new question at the
    // tick after a right answer (a syllable said; a word shown and said),
    // against the contest's. The history is kept.
    const auto answersOf = [&](int entry, const std::function<int()> &askedLetter) {
        mode->setCurrentIndex(entry);
        form.Co2_Click();
        const_cast<QTimer &>(form.ttx()).stop();
        form.ttx_Timer();
        QTest::qWait(200);
        const int position = form.state().boardSlot[std::size_t(askedLetter())];
        QList<double> answers;
        for (int i = 0; i < 300; ++i)
            answers << clickToSound(form, (position + 1 + i % 27) % 28);
        QList<double> questions;
        for (int i = 0; i < 100; ++i) {
            clickToSound(form, form.state().boardSlot[std::size_t(askedLetter())]);
            questions << toSound([&] { form.ttx_Timer(); });
        }
        return std::pair{answers, questions};
    };
    const auto &contestMode = dynamic_cast<const ContestMode &>(*form.mode(1));
    const auto &soundsMode = dynamic_cast<const SoundsMode &>(*form.mode(3));
    const auto &wordsMode = dynamic_cast<const WordsMode &>(*form.mode(4));
    const auto [contestAnswers, contestQuestions] = answersOf(1, [&] {
        const int position = contestMode.state().quizOrder[contestMode.state().quizPos];
        const auto &places = form.state().boardSlot;
        return int(std::find(places.begin(), places.begin() + 28, position) - places.begin());
    });
    const auto [soundsAnswers, soundsQuestions] = answersOf(3, [&] { return soundsMode.asked().letter; });
    const auto [wordsAnswers, wordsQuestions] = answersOf(4, [&] { return wordsMode.asked() ? wordsMode.asked()->letter : 0; });
    history.waitUntilWritten();
    row("Click to sound, letters' sounds answer", Stats(soundsAnswers), "ms",
        QStringLiteral("p99 %1 ms, 300 answers; contest %2 ms").arg(Stats(soundsAnswers).p99(), 0, 'f', 2).arg(Stats(contestAnswers).median(), 0, 'f', 2),
        "median within 1 ms of the contest's", Stats(soundsAnswers).median() <= Stats(contestAnswers).median() + 1);
    row("Click to sound, word answer", Stats(wordsAnswers), "ms",
        QStringLiteral("p99 %1 ms, 300 answers, %2 words; contest %3 ms").arg(Stats(wordsAnswers).p99(), 0, 'f', 2).arg(wordsMode.words().size()).arg(Stats(contestAnswers).median(), 0, 'f', 2),
        "median within 1 ms of the contest's", Stats(wordsAnswers).median() <= Stats(contestAnswers).median() + 1);
    row("Tick to sound, a new syllable", Stats(soundsQuestions), "ms",
        QStringLiteral("p99 %1 ms, 100 questions; contest %2 ms").arg(Stats(soundsQuestions).p99(), 0, 'f', 2).arg(Stats(contestQuestions).median(), 0, 'f', 2),
        "median within 1 ms of the contest's", Stats(soundsQuestions).median() <= Stats(contestQuestions).median() + 1);
    row("Tick to sound, a new word shown and said", Stats(wordsQuestions), "ms",
        QStringLiteral("p99 %1 ms, 100 questions; contest %2 ms").arg(Stats(wordsQuestions).p99(), 0, 'f', 2).arg(Stats(contestQuestions).median(), 0, 'f', 2),
        "median within 1 ms of the contest's", Stats(wordsQuestions).median() <= Stats(contestQuestions).median() + 1);

    // Full screen on a 4K screen: the whole window scaled about four times.
    log.inner = nullptr;
    mode->setCurrentIndex(0);
    form.Co2_Click();
    QList<double> normal;
    for (int i = 0; i < 300; ++i) {
        normal << clickToSound(form, i % 28);
        QTest::qWait(5);
    }
    form.setFullScreen(true);
    QTest::qWait(300);
    QList<double> full;
    for (int i = 0; i < 300; ++i) {
        full << clickToSound(form, i % 28);
        QTest::qWait(5);
    }
    row("Click to sound, window at its size (4K screen)", Stats(normal), "ms",
        QStringLiteral("p99 %1 ms, 300 clicks").arg(Stats(normal).p99(), 0, 'f', 2), "(reference)", true);
    row("Click to sound, full screen at 3840 × 2160", Stats(full), "ms",
        QStringLiteral("p99 %1 ms, 300 clicks, scale %2").arg(Stats(full).p99(), 0, 'f', 2).arg(form.scale(), 0, 'f', 2),
        "median within 1 ms of the reference", Stats(full).median() <= Stats(normal).median() + 1);
    QList<double> repaint;
    for (int i = 0; i < 200; ++i) {
        const auto t0 = Clock::now();
        form.repaint();
        repaint << std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
    }
    const Stats paints(repaint);
    row("Full repaint, full screen at 3840 × 2160", paints, "ms",
        QStringLiteral("p99 %1 ms, 200 repaints").arg(paints.p99(), 0, 'f', 2), "p99 <= 8 ms", paints.p99() <= 8);
    return 0;
}
