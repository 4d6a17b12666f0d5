// Practice's choice of the next letter, from histories a child could have.
#include "practice/scheduler.h"

#include <QTest>

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
    void confusionIsTaught();
    void newLetterEntersOnceTheLettersInPlayAreRight();
    void knownLetterAnsweredWrongGoesBackInPlay();
    void atMostFiveLettersAreLearntAtOnce();
    void reAsksLeaveRoomForTheOthers();
    void planSaysWhy();
    void alwaysAsksALetterOnTheBoard();
};

void TestScheduler::firstQuestions_data()
{
    QTest::addColumn<History>("history");
    QTest::addColumn<int>("order");
    QTest::addColumn<LetterSet>("active");
    QTest::addColumn<QList<int>>("asked"); // the first questions, in order

    // No history: the three most common letters, each asked in turn.
    QTest::newRow("none") << History(true) << int(NewLetters::Common) << setOf({Alef, Noon, Ya})
                          << QList<int>{Alef, Noon, Ya, Alef};
    QTest::newRow("none, alphabetical") << History(true) << int(NewLetters::Alphabetical)
                                        << setOf({Alef, Ba, Ta}) << QList<int>{Alef, Ba, Ta, Alef};
    // Known from the contest (three rights on two days): due the next day,
    // asked before anything else; the letters the contest saw missed are
    // not in play.
    {
        History h(false);
        h.rightTimes({Alef, Noon}, 2).ask(Ba, {Ta}).nextDay().rightTimes({Alef, Noon}, 1).nextDay();
        QTest::newRow("a few known, due") << h << int(NewLetters::Common) << setOf({Alef, Noon, Ya})
                                          << QList<int>{Alef, Noon, Ya, Alef};
    }
    // Practice yesterday left ب, ت and ث confused: they stay in play and
    // are asked, the last confusion (ب for ث) taught first; nothing new
    // enters before they are right again today.
    {
        History h(true);
        h.ask(Ba).ask(Ta).ask(Tha).ask(Ba, {Ta}).ask(Ta, {Tha}).ask(Tha, {Ba}).nextDay();
        QTest::newRow("ب/ت/ث confused") << h << int(NewLetters::Common) << setOf({Ba, Ta, Tha})
                                        << QList<int>{Ba, Tha, Ta, Ba, Tha, Ta};
    }
    // All known; those last seen longest ago come first, then the others
    // by how overdue they are.
    {
        History h(false);
        std::initializer_list<int> all = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13,
                                          14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27};
        h.rightTimes(all, 2).nextDay().rightTimes(all, 1);
        h.nextDay().rightTimes({3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27}, 1);
        h.nextDay(30);
        QTest::newRow("all known, some long ago") << h << int(NewLetters::Common) << LetterSet().set()
                                                  << QList<int>{0, 1, 2, 3, 4, 5};
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

// ت clicked when ب was asked: ب again within the next 3 questions (not
// the very next), ت within the next 5.
void TestScheduler::confusionIsTaught()
{
    History h(true);
    h.rightTimes({Alef, Noon, Ya, Ba, Ta, Meem}, 1);
    for (int round = 0; round < 20; ++round) {
        Scheduler s;
        h.replay(s);
        // Some questions first, so that the confusion falls anywhere.
        askRight(s, round, h.day(), h.time());
        const int asked = s.next(h.time(), h.day());
        const int clicked = asked == Ba ? Ta : Ba;
        s.observe({h.time(), h.day(), asked, clicked, false, 0, true});
        s.observe({h.time(), h.day(), asked, asked, true, 1, true});
        const QList<int> after = askRight(s, 5, h.day(), h.time());
        QVERIFY2(after.first() != asked, qPrintable(QString::number(round)));
        QVERIFY(after.mid(1, 2).contains(asked));
        QVERIFY(after.mid(0, 5).contains(clicked));
    }
}

void TestScheduler::newLetterEntersOnceTheLettersInPlayAreRight()
{
    Scheduler s;
    s.start();
    const int day = kFirstDay;
    // Each of the three right once: not yet.
    askRight(s, 3, day, 0);
    QCOMPARE(int(s.active().count()), 3);
    // Twice: the next question brings the fourth most common letter, asked
    // as it enters.
    askRight(s, 3, day, 100);
    QCOMPARE(s.next(200, day), practice::commonFirst()[3]);
    QCOMPARE(int(s.active().count()), 4);

    // Yesterday's rights are not today's: nothing enters before today's.
    Scheduler later;
    History h(true);
    h.rightTimes({Alef, Noon, Ya}, 2).nextDay();
    h.replay(later);
    QCOMPARE(askRight(later, 3, h.day(), h.time()), (QList<int>{Alef, Noon, Ya}));
    QCOMPARE(later.next(h.time(), h.day()), practice::commonFirst()[3]);

    // One letter missed at its last first try holds the rest back.
    Scheduler held;
    History m(true);
    m.rightTimes({Alef, Noon, Ya}, 2).ask(Noon, {Ya});
    m.replay(held);
    QCOMPARE(askRight(held, 4, m.day(), m.time()), (QList<int>{Alef, Noon, Ya, Alef}));
    QCOMPARE(int(held.active().count()), 3);
}

// A child right every time still learns five letters at most on its first
// day; the next day, once letters are known, more enter.
void TestScheduler::atMostFiveLettersAreLearntAtOnce()
{
    Scheduler s;
    askRight(s, 200, kFirstDay, 0);
    QCOMPARE(int(s.active().count()), practice::kMostLearning);
    QCOMPARE(s.knownCount(), 0);
    askRight(s, 40, kFirstDay + 1, kDay);
    QCOMPARE(s.knownCount(), practice::kMostLearning);
    QVERIFY(int(s.active().count()) > practice::kMostLearning + 2);
}

// A child who clicks a wrong letter first every time: each confusion is
// taught, and still no letter in play waits long unasked.
void TestScheduler::reAsksLeaveRoomForTheOthers()
{
    History h(true);
    h.rightTimes({Alef, Noon, Ya, Ta, Waw}, 2);
    Scheduler s;
    h.replay(s);
    std::map<int, int> lastAsked;
    int longest = 0;
    for (int q = 0; q < 300; ++q) {
        const int k = s.next(h.time(), h.day());
        if (lastAsked.count(k))
            longest = std::max(longest, q - lastAsked[k]);
        lastAsked[k] = q;
        const int wrong = k == Alef ? Noon : Alef;
        s.observe({h.time(), h.day(), k, wrong, false, 0, true});
        s.observe({h.time(), h.day(), k, k, true, 1, true});
    }
    QCOMPARE(int(lastAsked.size()), 5);
    QVERIFY2(longest <= 10, qPrintable(QString::number(longest)));
}

void TestScheduler::knownLetterAnsweredWrongGoesBackInPlay()
{
    History h(true);
    h.rightTimes({Alef, Noon, Ya}, 2).nextDay().rightTimes({Alef, Noon, Ya}, 1);
    Scheduler s;
    h.replay(s);
    QCOMPARE(s.knownCount(), 3);
    h.nextDay().ask(Noon, {Alef});
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
    // ا was not asked today: it is due.
    QCOMPARE(plan.due.size(), std::size_t(2));
}

void TestScheduler::planSaysWhy()
{
    History h(true);
    h.rightTimes({Alef, Noon, Ya}, 1).ask(Ta).ask(Ba, {Ta}).ask(Ba, {Ta}).ask(Alef, {Noon}).nextDay(10);
    h.ask(Noon, {}).ask(Ya, {Alef}).ask(Ya);
    Scheduler s;
    h.replay(s);
    s.start();
    const practice::Plan plan = s.plan(h.time(), h.day());
    std::map<int, practice::PlanEntry> why;
    for (const auto &e : plan.inPlay)
        why[e.letter] = e;
    using W = practice::PlanEntry::Why;
    // Ten days ago is not this week: ب and ت are no longer called confused.
    QCOMPARE(why.at(Ba).why, W::Missed);
    QCOMPARE(why.at(Ta).why, W::Practising);
    QCOMPARE(why.at(Ya).why, W::Confused);
    QCOMPARE(why.at(Ya).other, int(Alef));
    QCOMPARE(why.at(Alef).why, W::Confused);
    QCOMPARE(why.at(Noon).why, W::Practising);
    QCOMPARE(why.at(Noon).times, 2);
    QCOMPARE(why.at(Noon).days, 2);
    QCOMPARE(plan.next, practice::commonFirst()[3] == Ta ? practice::commonFirst()[4] : practice::commonFirst()[3]);
}

// Whatever the answers, the letter asked is on the board, never the same
// twice in a row while another is there, and a child who is mostly right
// meets every letter.
void TestScheduler::alwaysAsksALetterOnTheBoard()
{
    std::mt19937 random(7);
    Scheduler s;
    int day = kFirstDay;
    std::int64_t time = std::int64_t(day) * kDay;
    int last = -1;
    for (int i = 0; i < 5000; ++i) {
        if (i % 150 == 149)
            ++day, time += kDay;
        const int k = s.next(time, day);
        QVERIFY(s.active().test(std::size_t(k)));
        if (s.active().count() > 1)
            QVERIFY(k != last);
        last = k;
        int tries = 0;
        while (random() % 8 == 0) {
            int clicked = int(random() % 28);
            if (!s.active().test(std::size_t(clicked)) || clicked == k)
                break;
            s.observe({time, day, k, clicked, false, tries++, true});
        }
        s.observe({time, day, k, k, true, tries, true});
        time += 5;
    }
    QCOMPARE(int(s.active().count()), 28);
    QVERIFY(s.knownCount() > 14);
}

QTEST_GUILESS_MAIN(TestScheduler)
#include "tst_scheduler.moc"
