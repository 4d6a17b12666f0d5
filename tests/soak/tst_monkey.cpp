// A child and a teacher let loose on the main window: a long random mix of
// board clicks, list picks, question ticks and comments clicks. After every
// event the window's state must still hang together.
#include "practice/scheduler.h"
#include "shell/letters.h"
#include "ui/widgets.h"

#include <QSet>
#include <QTest>

#include <algorithm>
#include <random>

#include "support/fakes.h"

namespace {

bool isPermutation(const std::array<std::int16_t, MainState::kSize> &a)
{
    std::array<bool, 28> seen{};
    for (int i = 0; i < 28; ++i) {
        if (a[i] < 0 || a[i] > 27 || seen[a[i]])
            return false;
        seen[a[i]] = true;
    }
    return true;
}

// Empty when the state holds together; otherwise what is wrong.
QString brokenInvariant(const FormFixture &f, bool contestStarted, bool justTicked)
{
    const MainState &s = f.form->state();
    const ContestState &c = f.contest().state();
    if (!isPermutation(s.boardSlot))
        return QStringLiteral("boardSlot is not a permutation");
    if (contestStarted && !isPermutation(c.quizOrder))
        return QStringLiteral("quizOrder is not a permutation");
    if (!s.soundFile[28].isEmpty() || s.boardSlot[28] != 0 || c.quizOrder[28] != 0)
        return QStringLiteral("element 28 was written");
    if (c.quizPos < 0 || c.quizPos > 27)
        return QStringLiteral("quizPos %1").arg(c.quizPos);
    if (f.contest().wrongTries() < 0)
        return QStringLiteral("wrongTries %1").arg(f.contest().wrongTries());
    for (int j = 0; j < 28; ++j) {
        const int letter = f.letterShownAt(j);
        if (letter < 0 || s.soundFile[j] != recordingOf(letter) || s.boardSlot[letter] != j)
            return QStringLiteral("board position %1 shows one letter and plays another").arg(j);
        if (f.hr(j)->accessibleName() != letterGlyph(letter))
            return QStringLiteral("board position %1 is named for another letter").arg(j);
    }
    if (justTicked && f.markedPosition() < 0)
        return QStringLiteral("after a tick %1 buttons carry the mark").arg(f.markedPosition() == -1 ? 0 : 2);
    for (int k = 0; k < 28; ++k) {
        if (!f.Ima(k)->isHidden() && f.Ima(k)->picture().isNull())
            return QStringLiteral("Ima(%1) is shown without a mark").arg(k);
    }
    // Practice: the faint letters are those the question under way cannot
    // be answered with (not in play, or not among its choices), wherever
    // the board put them; the letter asked is one of its choices.
    // Elsewhere nothing is faint.
    const practice::Scheduler *practice = f.practice().scheduler();
    if ((practice != nullptr) != (f.list("Co2")->currentIndex() == 2))
        return QStringLiteral("practice runs in another mode");
    for (int k = 0; k < 28; ++k) {
        const bool faded = f.hr(s.boardSlot[k])->isFaded();
        if (faded != (practice && !practice->clickable().test(std::size_t(k))))
            return QStringLiteral("letter %1 is %2").arg(k).arg(faded ? "faint" : "not faint");
    }
    if (practice && f.practice().asked() >= 0 && !practice->clickable().test(std::size_t(f.practice().asked())))
        return QStringLiteral("practice asks a letter not among its choices");
    if (justTicked && practice && f.markedPosition() != s.boardSlot[f.practice().asked()])
        return QStringLiteral("the mark is not on the letter practice asks");
    return {};
}

} // namespace

class TestMonkey : public QObject
{
    Q_OBJECT
private slots:
    void randomEventsKeepTheStateWhole();
};

void TestMonkey::randomEventsKeepTheStateWhole()
{
    const unsigned seed = qEnvironmentVariableIsSet("MONKEY_SEED") ? qEnvironmentVariableIntValue("MONKEY_SEED")
                                                                    : 20261210u;
    const int events = qEnvironmentVariableIsSet("MONKEY_EVENTS") ? qEnvironmentVariableIntValue("MONKEY_EVENTS")
                                                                   : 100000;
    std::mt19937 rng(seed);
    FormFixture f;
    f.form->show();

    // The only sounds the window may ever ask for.
    QSet<QString> allowed{kRightSound, kWrongSound};
    for (int k = 0; k < 28; ++k)
        allowed << recordingOf(k);

    bool contestStarted = false;
    for (int n = 0; n < events; ++n) {
        const int kind = std::uniform_int_distribution<int>(0, 99)(rng);
        bool ticked = false;
        QString event;
        if (kind < 70) {
            const int j = std::uniform_int_distribution<int>(0, 27)(rng);
            event = QStringLiteral("click hr(%1)").arg(j);
            f.form->hr_Click(std::int16_t(j));
        } else if (kind < 85) {
            event = QStringLiteral("tick");
            if (f.form->ttx().isActive()) {
                f.form->ttx_Timer();
                ticked = true;
            }
        } else if (kind < 90) {
            const int entry = std::uniform_int_distribution<int>(0, 1)(rng);
            event = QStringLiteral("order list entry %1").arg(entry);
            f.clock.seconds += 0.37f;
            f.pick("Co1", entry);
        } else if (kind < 98) {
            const int entry = std::uniform_int_distribution<int>(0, 2)(rng);
            event = QStringLiteral("mode list entry %1").arg(entry);
            f.clock.seconds += 0.53f;
            f.pick("Co2", entry);
            contestStarted = contestStarted || entry == 1;
        } else {
            event = QStringLiteral("comments link");
            f.form->Label9_Click();
        }
        // The fake history read back by practice: its latest answers.
        if (f.answers.answers.size() > 2000)
            f.answers.answers.remove(0, 1000);
        const QString broken = brokenInvariant(f, contestStarted, ticked);
        if (!broken.isEmpty())
            QFAIL(qPrintable(QStringLiteral("event %1 (%2), seed %3: %4").arg(n).arg(event).arg(seed).arg(broken)));
        if (!f.sound.played.isEmpty()) {
            if (!allowed.contains(f.sound.played.last()))
                QFAIL(qPrintable(QStringLiteral("seed %1: played %2").arg(seed).arg(f.sound.played.last())));
            f.sound.played.clear();
        }
    }
    qInfo("%d events, seed %u", events, seed);
}

QTEST_MAIN(TestMonkey)
#include "tst_monkey.moc"
