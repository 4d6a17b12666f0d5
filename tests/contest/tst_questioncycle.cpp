// The question cycle without the window: a mode of its own drives it
// through a stand-in host, as a mode yet to come would.
#include "contest/questioncycle.h"
#include "shell/letters.h"

#include <QTest>

#include "support/fakes.h"

namespace {

// Asks the positions of its list in turn, each by a sound of its own, and
// says what the cycle told it.
class ListedQuestions final : public Questions
{
public:
    explicit ListedQuestions(QList<int> positions)
        : m_positions(std::move(positions))
    {
    }

    void startQuestion() override
    {
        ++m_number;
        calls << QStringLiteral("start %1").arg(m_number);
    }
    int askedPosition() const override { return m_positions.value(m_number - 1, -1); }
    int questionNumber() const override { return m_number; }
    void sayQuestion(ModeHost &host, int position) override { host.play(QStringLiteral("\\asks%1").arg(position)); }
    void answeredRight() override { calls << QStringLiteral("right"); }
    void kept(const Answer &answer) override
    {
        calls << QStringLiteral("kept %1 for %2").arg(answer.clicked).arg(answer.asked);
    }
    Answer::Mode answerMode() const override { return Answer::Mode::Practice; }

    QStringList calls;

private:
    QList<int> m_positions;
    int m_number = 0;
};

} // namespace

class TestQuestionCycle : public QObject
{
    Q_OBJECT
private slots:
    void aModeOfItsOwnAsksThroughTheCycle();
};

// Begun, asked, asked again, answered wrong then right, moved on, given up:
// what the host shows and hears at each step, and when the mode is told.
void TestQuestionCycle::aModeOfItsOwnAsksThroughTheCycle()
{
    using Mark = FakeModeHost::Mark;
    FakeModeHost host;
    FakeAnswerLog log;
    host.log = &log;
    ListedQuestions questions({5, 12});
    log.recorded = [&] { questions.calls << QStringLiteral("logged"); };
    QuestionCycle cycle(host, questions);

    // A mark left from before counts for nothing once begun.
    host.tags[3] = QStringLiteral("1");
    cycle.begin();
    QCOMPARE(host.questionNumber, 1);
    QCOMPARE(host.timerPeriod, QuestionCycle::kQuestionPeriodMs);
    QVERIFY(host.marked().isEmpty());
    cycle.click(3);
    QVERIFY(host.played.isEmpty());
    QVERIFY(log.answers.isEmpty());

    cycle.tick();
    cycle.tick();
    QCOMPARE(host.played, (QStringList{QStringLiteral("\\asks5"), QStringLiteral("\\asks5")}));
    QCOMPARE(host.marked(), QList<int>{5});
    QCOMPARE(questions.calls, QStringList{QStringLiteral("start 1")});

    cycle.click(7);
    QCOMPARE(host.played.last(), kWrongSound);
    QCOMPARE(host.panel[7], Mark::Wrong);
    QCOMPARE(host.pictures, Mark::Wrong);
    QCOMPARE(cycle.wrongTries(), 1);
    QCOMPARE(host.marked(), QList<int>{5});

    cycle.click(5);
    QCOMPARE(host.played.last(), kRightSound);
    QCOMPARE(host.panel[5], Mark::Right);
    QCOMPARE(host.counts[5], QStringLiteral("1"));
    QCOMPARE(host.pictures, Mark::Right);
    QCOMPARE(cycle.wrongTries(), 0);
    // Answered: nothing more is judged until the next question.
    cycle.click(5);
    cycle.click(7);
    QCOMPARE(log.answers.size(), 2);
    QCOMPARE(log.answers[0].right, false);
    QCOMPARE(log.answers[1].right, true);
    QCOMPARE(log.answers[1].wrongTries, 1);
    QCOMPARE(log.answers[1].mode, Answer::Mode::Practice);
    QCOMPARE(questions.calls, (QStringList{QStringLiteral("start 1"), QStringLiteral("logged"),
                                           QStringLiteral("kept 8 for 6"), QStringLiteral("right"),
                                           QStringLiteral("logged"), QStringLiteral("kept 6 for 6")}));

    cycle.tick();
    QCOMPARE(host.played.last(), QStringLiteral("\\asks12"));
    QCOMPARE(host.marked(), QList<int>{12});
    QCOMPARE(host.questionNumber, 2);
    QCOMPARE(questions.calls.last(), QStringLiteral("start 2"));

    // Given up: no answer, and the next tick starts a new question.
    cycle.dropQuestion();
    QVERIFY(host.marked().isEmpty());
    cycle.click(12);
    QCOMPARE(log.answers.size(), 2);
    const qsizetype heard = host.played.size();
    cycle.tick();
    QCOMPARE(questions.calls.last(), QStringLiteral("start 3"));
    // The list is done: nothing asked.
    QCOMPARE(host.played.size(), heard);
    QVERIFY(host.marked().isEmpty());
}

QTEST_GUILESS_MAIN(TestQuestionCycle)
#include "tst_questioncycle.moc"
