// Practice's choice of the next letter, from histories a child could have.
#include "practice/scheduler.h"

#include <QTest>

#include <algorithm>
#include <map>
#include <random>

using practice::Event;
using practice::LetterSet;
using practice::NewLetters;
using practice::Scheduler;

namespace {

// Letter numbers by name, as the table reads best.
enum : int { Alef = 0, Ba = 1, Ta = 2, Tha = 3, Jeem = 4, Hah = 5, Khah = 6, Dal = 7, Ra = 9, Seen = 11,
             Ain = 17, Fa = 19, Lam = 22, Meem = 23, Noon = 24, Heh = 25, Waw = 26, Ya = 27 };

constexpr std::int64_t kDay = 24 * 3600;
constexpr int kFirstDay = 20000;

// A history written as questions: "ب" right at once, "ب:ت" clicked ت first
// and then ب; "/" starts the next day. Letters are numbers, space apart.
struct Question
{
    int asked;
    std::vector<int> wrong;
};

class History
{
public:
    explicit History(bool practice)
        : m_practice(practice)
    {
    }
    History &ask(int asked, std::vector<int> wrong = {})
    {
        int tries = 0;
        for (int clicked : wrong)
            m_events.push_back(event(asked, clicked, false, tries++));
        m_events.push_back(event(asked, asked, true, tries));
        m_time += 5;
        return *this;
    }
    History &rightTimes(std::initializer_list<int> letters, int times)
    {
        for (int i = 0; i < times; ++i) {
            for (int k : letters)
                ask(k);
        }
        return *this;
    }
    History &nextDay(int days = 1)
    {
        m_day += days;
        m_time += kDay * days;
        return *this;
    }
    // The next answers `seconds` later, the same day; or at a given time,
    // as a wrong clock would date them.
    History &later(std::int64_t seconds)
    {
        m_time += seconds;
        return *this;
    }
    History &at(std::int64_t time)
    {
        m_time = time;
        return *this;
    }
    int day() const { return m_day; }
    std::int64_t time() const { return m_time; }
    void replay(Scheduler &s) const
    {
        for (const Event &e : m_events)
            s.observe(e);
    }

private:
    Event event(int asked, int clicked, bool right, int tries) const
    {
        return {m_time, m_day, asked, clicked, right, tries, m_practice};
    }
    bool m_practice;
    int m_day = kFirstDay;
    std::int64_t m_time = std::int64_t(kFirstDay) * kDay + 9 * 3600;
    std::vector<Event> m_events;
};

// Asks n questions, each answered right at once, and returns what was asked.
QList<int> askRight(Scheduler &s, int n, int day, std::int64_t time)
{
    QList<int> asked;
    for (int i = 0; i < n; ++i) {
        const int k = s.next(time, day);
        asked << k;
        s.observe({time, day, k, k, true, 0, true});
        time += 5;
    }
    return asked;
}

LetterSet setOf(std::initializer_list<int> letters)
{
    LetterSet set;
    for (int k : letters)
        set.set(std::size_t(k));
    return set;
}

} // namespace

Q_DECLARE_METATYPE(History)

class TestScheduler : public QObject
{
    Q_OBJECT
private slots:
    void firstQuestions_data();
    void firstQuestions();
    void aNewLetterIsMetAlone();
    void newLettersComeWhileTheChildIsRight();
    void aChildMissingLatelyMeetsNoNewLetter();
    void lettersComeBackAtGrowingGaps();
    void confusionBringsBothBack();
    void nothingDueAsksEveryLetterInTurn();
    void knownRestsOnRecallAfterADay_data();
    void knownRestsOnRecallAfterADay();
    void knownLetterAnsweredWrongGoesBackInPlay();
    void wrongClockPutsNoLetterOff_data();
    void wrongClockPutsNoLetterOff();
    void planSaysWhy();
    void sameAnswersSameScheduler();
    void alwaysAsksALetterOnTheBoard_data();
    void alwaysAsksALetterOnTheBoard();
};

void TestScheduler::firstQuestions_data()
{
    QTest::addColumn<History>("history");
    QTest::addColumn<int>("order");
    QTest::addColumn<LetterSet>("active");
    QTest::addColumn<QList<int>>("asked"); // the first questions, in order

    // No history: the three most common letters, each met in turn; then
    // none of them again before two other questions.
    QTest::newRow("none") << History(true) << int(NewLetters::Common) << setOf({Alef, Noon, Ya})
                          << QList<int>{Alef, Noon, Ya, Alef};
    QTest::newRow("none, alphabetical") << History(true) << int(NewLetters::Alphabetical)
                                        << setOf({Alef, Ba, Ta}) << QList<int>{Alef, Ba, Ta, Alef};
    // Right twice in a row in the contest: on the board from the start;
    // the letters the contest saw missed are not.
    {
        History h(false);
        h.rightTimes({Alef, Noon}, 2).ask(Ba, {Ta}).nextDay();
        QTest::newRow("right twice in the contest") << h << int(NewLetters::Common) << setOf({Alef, Noon, Ya})
                                                    << QList<int>{Ya, Alef, Noon};
    }
    {
        History h(false);
        h.rightTimes({Meem, Lam}, 2).nextDay();
        QTest::newRow("contest letters beyond the first") << h << int(NewLetters::Common) << setOf({Meem, Lam, Alef})
                                                          << QList<int>{Alef, Meem, Lam};
    }
}

void TestScheduler::firstQuestions()
{
    QFETCH(History, history);
    QFETCH(int, order);
    QFETCH(LetterSet, active);
    QFETCH(QList<int>, asked);

    Scheduler s{NewLetters(order)};
    history.replay(s);
    s.start();
    QCOMPARE(s.active(), active);
    QCOMPARE(askRight(s, int(asked.size()), history.day(), history.time()), asked);
}

// A letter asked for the very first time is the only one the child can
// answer with; then it is asked among one other letter, the one the child
// remembers best, then among more at each right first click in a row, up
// to the whole board.
void TestScheduler::aNewLetterIsMetAlone()
{
    Scheduler s;
    std::int64_t t = std::int64_t(kFirstDay) * kDay;
    const int first = s.next(t, kFirstDay);
    QCOMPARE(s.clickable(), setOf({first}));
    QCOMPARE(int(s.active().count()), practice::kFirstLetters);
    s.observe({t + 2, kFirstDay, first, first, true, 0, true});
    QCOMPARE(s.clickable(), s.active());

    QList<qsizetype> choices;
    bool whole = false;
    for (int i = 0; i < 300 && !whole; ++i, t += 5) {
        const int k = s.next(t, kFirstDay);
        QVERIFY(s.clickable().test(std::size_t(k)));
        if (k == first) {
            choices << qsizetype(s.clickable().count());
            whole = s.clickable() == s.active();
        }
        s.observe({t + 2, kFirstDay, k, k, true, 0, true});
    }
    QVERIFY(whole);
    QCOMPARE(choices.first(), 2);
    QVERIFY2(std::is_sorted(choices.begin(), choices.end()), qPrintable(QString::number(choices.size())));
}

// A child right at once, a question every 5 s: a new letter comes as soon
// as nothing is due, so ten minutes meet many more than the first five;
// a child who keeps missing meets no new one.
void TestScheduler::newLettersComeWhileTheChildIsRight()
{
    Scheduler quick;
    askRight(quick, 120, kFirstDay, std::int64_t(kFirstDay) * kDay);
    QVERIFY2(quick.active().count() >= 8, qPrintable(QString::number(quick.active().count())));

    // Right two times in three: the letters in play are not sure enough
    // for another.
    Scheduler missing;
    std::int64_t t = std::int64_t(kFirstDay) * kDay;
    for (int i = 0; i < 120; ++i, t += 5) {
        const int k = missing.next(t, kFirstDay);
        const LetterSet can = missing.clickable();
        int wrong = -1;
        for (int j = 0; j < practice::kLetters && wrong < 0 && i % 3 == 2; ++j) {
            if (can.test(std::size_t(j)) && j != k)
                wrong = j;
        }
        int tries = 0;
        if (wrong >= 0)
            missing.observe({t, kFirstDay, k, wrong, false, tries++, true});
        missing.observe({t + 2, kFirstDay, k, k, true, tries, true});
    }
    QVERIFY2(missing.active().count() <= std::size_t(practice::kFirstLetters + 1), qPrintable(QString::number(missing.active().count())));
}

// Letters learnt over days, none due: a new one enters, unless the child
// has just missed two of them.
void TestScheduler::aChildMissingLatelyMeetsNoNewLetter()
{
    History h(true);
    const std::initializer_list<int> board = {Alef, Noon, Ya, Ta, Waw};
    h.rightTimes(board, 2);
    for (int d = 0; d < 6; ++d)
        h.nextDay().rightTimes(board, 1);
    History missing(h);
    missing.ask(Alef, {Noon}).ask(Ya, {Ta});

    Scheduler right;
    h.replay(right);
    QCOMPARE(right.next(h.time(), h.day()), practice::commonFirst()[5]);

    Scheduler missed;
    missing.replay(missed);
    const int k = missed.next(missing.time(), missing.day());
    QVERIFY2(missed.active().count() == 5, qPrintable(QString::number(k)));
}

// Right every time, a letter is asked at gaps that grow: never twice in a
// row, never again within kMinGap questions once the board holds more
// letters than that, and its later gaps longer than its first.
void TestScheduler::lettersComeBackAtGrowingGaps()
{
    Scheduler s;
    std::map<int, std::vector<int>> gaps;
    std::map<int, int> last;
    std::int64_t t = std::int64_t(kFirstDay) * kDay;
    for (int i = 0; i < 200; ++i, t += 5) {
        const int k = s.next(t, kFirstDay);
        const int board = int(s.active().count());
        if (last.count(k)) {
            const int gap = i - last[k];
            QVERIFY(gap > 1);
            if (board > practice::kMinGap + 2)
                QVERIFY2(gap > practice::kMinGap, qPrintable(QStringLiteral("%1 at %2: %3").arg(k).arg(i).arg(gap)));
            gaps[k].push_back(gap);
        }
        last[k] = i;
        s.observe({t + 2, kFirstDay, k, k, true, 0, true});
    }
    for (const auto &[k, g] : gaps) {
        if (g.size() >= 4)
            QVERIFY2(g.back() > g.front(), qPrintable(QStringLiteral("%1: %2 then %3").arg(k).arg(g.front()).arg(g.back())));
    }
}

// ت clicked when ب was asked: both are less sure than after a right
// answer, and both come back within a few questions, ب not as the very
// next.
void TestScheduler::confusionBringsBothBack()
{
    History h(true);
    h.rightTimes({Alef, Noon, Ya, Ba, Ta, Meem, Lam, Waw}, 3);
    Scheduler right, confused;
    h.replay(right);
    h.replay(confused);
    const std::int64_t t = h.time();
    right.observe({t, h.day(), Ba, Ba, true, 0, true});
    confused.observe({t, h.day(), Ba, Ta, false, 0, true});
    confused.observe({t + 2, h.day(), Ba, Ba, true, 1, true});
    QVERIFY(confused.recall(Ba, t + 60) < right.recall(Ba, t + 60));
    QVERIFY(confused.recall(Ta, t + 60) < right.recall(Ta, t + 60));
    const QList<int> afterRight = askRight(right, 40, h.day(), t + 5);
    const QList<int> afterConfused = askRight(confused, 40, h.day(), t + 5);
    const qsizetype ba = afterConfused.indexOf(Ba);
    QVERIFY2(ba >= practice::kMinGap && ba < afterRight.indexOf(Ba), qPrintable(QStringLiteral("%1 %2").arg(ba).arg(afterRight.indexOf(Ba))));
    QVERIFY(afterConfused.mid(0, 12).contains(Ta));
}

// A child right at once, 120 questions a day for 30 days: nothing is due
// for most of a day, and then every letter takes its turn; no two letters
// take a quarter of the day.
void TestScheduler::nothingDueAsksEveryLetterInTurn()
{
    Scheduler s;
    QList<int> day;
    for (int d = 0; d < 30; ++d)
        day = askRight(s, 120, kFirstDay + d, std::int64_t(kFirstDay + d) * kDay + 17 * 3600);
    std::map<int, int> times;
    for (int k : day)
        ++times[k];
    std::vector<int> counts;
    for (const auto &[k, n] : times)
        counts.push_back(n);
    std::sort(counts.rbegin(), counts.rend());
    QCOMPARE(int(times.size()), practice::kLetters);
    QVERIFY2(counts[0] + counts[1] <= 120 / 4, qPrintable(QString::number(counts[0] + counts[1])));
    QCOMPARE(s.knownCount(), practice::kLetters);
}

void TestScheduler::knownRestsOnRecallAfterADay_data()
{
    QTest::addColumn<History>("history");
    QTest::addColumn<bool>("known");

    History sameDay(true);
    sameDay.rightTimes({Alef}, 12);
    QTest::newRow("right twelve times in a day") << sameDay << false;
    History minutesThenADay(true);
    minutesThenADay.rightTimes({Alef}, 2).nextDay().rightTimes({Alef}, 1);
    QTest::newRow("twice in minutes, once the next day") << minutesThenADay << false;
    // Later the same evening is not a day away.
    History evening(true);
    evening.rightTimes({Alef}, 3);
    evening.later(10 * 3600);
    evening.rightTimes({Alef}, 1).later(8 * 3600).rightTimes({Alef}, 1);
    QTest::newRow("three times in a day, hours apart") << evening << false;
    History days(true);
    days.rightTimes({Alef, Noon, Ya}, 3);
    days.nextDay().rightTimes({Alef, Noon, Ya}, 1).nextDay().rightTimes({Alef, Noon, Ya}, 1);
    days.nextDay(2).rightTimes({Alef, Noon, Ya}, 1);
    QTest::newRow("recalled on three later days") << days << true;
    History once(true);
    once.rightTimes({Alef, Noon, Ya}, 3).nextDay(10).rightTimes({Alef}, 1);
    QTest::newRow("recalled once, ten days on (a guess, maybe)") << once << false;
    History missedLast(days);
    missedLast.nextDay().ask(Alef, {Noon});
    QTest::newRow("then missed") << missedLast << false;
    History contest(false);
    contest.rightTimes({Alef}, 3).nextDay().rightTimes({Alef}, 1).nextDay().rightTimes({Alef}, 1).nextDay(2).rightTimes({Alef}, 1);
    QTest::newRow("recalled on three later days, in the contest") << contest << true;
}

void TestScheduler::knownRestsOnRecallAfterADay()
{
    QFETCH(History, history);
    QFETCH(bool, known);
    Scheduler s;
    history.replay(s);
    QCOMPARE(s.isKnown(Alef), known);
    QCOMPARE(s.plan(history.time(), history.day()).knownLetters.test(Alef), known);
}

void TestScheduler::knownLetterAnsweredWrongGoesBackInPlay()
{
    History h(true);
    for (int d = 0; d < 5; ++d)
        h.rightTimes({Alef, Noon, Ya}, 1).nextDay();
    Scheduler s;
    h.replay(s);
    QCOMPARE(s.knownCount(), 3);
    h.ask(Noon, {Alef});
    Scheduler t;
    h.replay(t);
    QVERIFY(!t.isKnown(Noon));
    QVERIFY(t.isKnown(Alef));
    QVERIFY(t.active().test(Noon));
    const practice::Plan plan = t.plan(h.time(), h.day());
    QCOMPARE(plan.inPlay.size(), std::size_t(1));
    QCOMPARE(plan.inPlay.front().letter, int(Noon));
    QCOMPARE(plan.inPlay.front().why, practice::PlanEntry::Why::Confused);
    QCOMPARE(plan.inPlay.front().other, int(Alef));
    QCOMPARE(plan.inPlay.front().asked, int(Noon));
}

// An answer dated years ahead (a computer whose clock was wrong), or a
// clock put back, puts no letter off: the letter is asked among the first
// of the day, as if last seen no later than yesterday.
void TestScheduler::wrongClockPutsNoLetterOff_data()
{
    QTest::addColumn<History>("history");
    QTest::addColumn<std::int64_t>("now");

    History h(true);
    h.rightTimes({Alef, Noon, Ya}, 3);
    const std::int64_t now = h.time() + kDay;
    History ahead(h);
    ahead.at(std::int64_t(2035 - 1970) * 365 * kDay).rightTimes({Noon}, 1);
    QTest::newRow("right in 2035") << ahead << now;
    History back(h);
    back.at(now + 30 * kDay).rightTimes({Noon}, 1).at(h.time()).rightTimes({Alef}, 1);
    QTest::newRow("a month ahead, then put back") << back << now;
}

void TestScheduler::wrongClockPutsNoLetterOff()
{
    QFETCH(History, history);
    QFETCH(std::int64_t, now);
    Scheduler s;
    s.setNow(now);
    history.replay(s);
    QVERIFY(s.recall(Noon, now) < practice::kTarget);
    const QList<int> asked = askRight(s, 3, int(now / kDay), now);
    QVERIFY2(asked.contains(Noon), qPrintable(QString::number(asked.first())));
}

void TestScheduler::planSaysWhy()
{
    History h(true);
    h.rightTimes({Alef, Noon, Ya}, 1).ask(Ta).ask(Ba, {Ta}).ask(Ba, {Ta}).ask(Alef, {Noon}).nextDay(10);
    h.ask(Noon, {}).ask(Ya, {Alef}).ask(Ya).ask(Noon);
    Scheduler s;
    h.replay(s);
    s.next(h.time(), h.day());
    const practice::Plan plan = s.plan(h.time(), h.day());
    std::map<int, practice::PlanEntry> why;
    for (const auto &e : plan.inPlay)
        why[e.letter] = e;
    using W = practice::PlanEntry::Why;
    // Ten days ago is not this week: ب and ت are no longer called confused.
    QCOMPARE(why.at(Ba).why, W::Missed);
    QCOMPARE(why.at(Ta).why, W::Learning);
    QCOMPARE(why.at(Ya).why, W::Confused);
    QCOMPARE(why.at(Ya).other, int(Alef));
    QCOMPARE(why.at(Ya).asked, int(Ya));
    QCOMPARE(why.at(Alef).why, W::Confused);
    QCOMPARE(why.at(Alef).other, int(Ya));
    QCOMPARE(why.at(Alef).asked, int(Ya));
    QCOMPARE(why.at(Noon).why, W::Learning);
    QCOMPARE(why.at(Noon).times, 2);
    QCOMPARE(plan.known, 0);
}

// The history is the state: the same answers, replayed, give the same
// scheduler, question after question.
void TestScheduler::sameAnswersSameScheduler()
{
    std::mt19937 random(11);
    Scheduler live;
    std::vector<Event> kept;
    std::int64_t t = std::int64_t(kFirstDay) * kDay;
    for (int d = 0; d < 6; ++d, t += kDay - 600) {
        for (int i = 0; i < 100; ++i, t += 6) {
            const int k = live.next(t, kFirstDay + d);
            int tries = 0;
            if (random() % 4 == 0) {
                const Event wrong{t, kFirstDay + d, k, int(random() % 28), false, tries++, true};
                if (wrong.clicked != k) {
                    live.observe(wrong);
                    kept.push_back(wrong);
                }
            }
            const Event right{t + 2, kFirstDay + d, k, k, true, tries, true};
            live.observe(right);
            kept.push_back(right);
        }
    }
    Scheduler replayed;
    for (const Event &e : kept)
        replayed.observe(e);
    QCOMPARE(replayed.active(), live.active());
    QCOMPARE(replayed.knownCount(), live.knownCount());
    QCOMPARE(askRight(replayed, 40, kFirstDay + 7, t + kDay), askRight(live, 40, kFirstDay + 7, t + kDay));
}

// Whatever the answers, the letter asked is on the board, never again
// within kMinGap questions while the board holds enough others (heard again
// straight away, it would be recalled from the moment before, not from
// memory), and a child who is mostly right meets every letter.
void TestScheduler::alwaysAsksALetterOnTheBoard_data()
{
    QTest::addColumn<unsigned>("missOneIn");
    QTest::newRow("mostly right") << 8u;
    QTest::newRow("missing a third") << 3u;
}

void TestScheduler::alwaysAsksALetterOnTheBoard()
{
    QFETCH(unsigned, missOneIn);
    std::mt19937 random(7);
    Scheduler s;
    int day = kFirstDay;
    std::int64_t time = std::int64_t(day) * kDay;
    std::map<int, int> lastAsked;
    for (int i = 0; i < 5000; ++i) {
        if (i % 150 == 149)
            ++day, time += kDay;
        const int k = s.next(time, day);
        QVERIFY(s.active().test(std::size_t(k)));
        QVERIFY(s.clickable().test(std::size_t(k)));
        if (lastAsked.count(k) && s.active().count() > std::size_t(practice::kMinGap + 1))
            QVERIFY2(i - lastAsked[k] > practice::kMinGap, qPrintable(QStringLiteral("%1 at %2").arg(k).arg(i)));
        lastAsked[k] = i;
        int tries = 0;
        while (random() % missOneIn == 0) {
            int clicked = int(random() % 28);
            if (!s.clickable().test(std::size_t(clicked)) || clicked == k)
                break;
            s.observe({time, day, k, clicked, false, tries++, true});
        }
        s.observe({time, day, k, k, true, tries, true});
        time += 5;
    }
    if (missOneIn > 4)
        QCOMPARE(int(s.active().count()), 28);
}

QTEST_GUILESS_MAIN(TestScheduler)
#include "tst_scheduler.moc"
