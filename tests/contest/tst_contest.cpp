// Whole contests driven through ticks and clicks, as a child plays them.
#include "shell/letters.h"
#include "ui/widgets.h"

#include <QElapsedTimer>
#include <QTest>

#include "support/fakes.h"

namespace {

// The board position asked now.
int asked(const FormFixture &f)
{
    return f.contest().state().quizOrder[f.contest().state().quizPos];
}

bool shows(const PictureImage *image, const char *picture)
{
    const QImage expected(QString::fromLatin1(picture));
    return !expected.isNull() && image->picture().toImage() == expected.convertToFormat(image->picture().toImage().format());
}

} // namespace

class TestContest : public QObject
{
    Q_OBJECT
private slots:
    void tickAsksTheLetterAtThePosition();
    void rightAnswerWithoutWrongTries();
    void wrongTriesThenRight();
    void wrongTriesStopAtTheLargestCount();
    void twentyEightRightAnswersStartAgain();
    void clicksCountOnlyWhileAQuestionIsPending_data();
    void clicksCountOnlyWhileAQuestionIsPending();
    void orderChangedMidContestFollowsThePosition();
    void newContestClearsThePanel();
    void firstQuestionComesFiveSecondsLater();
    void choosingTheContestAgainRestartsTheCount();
};

void TestContest::tickAsksTheLetterAtThePosition()
{
    FormFixture f;
    f.form->show();
    f.pick("Co2", 1);
    f.click(asked(f)); // before the first tick: nothing happens
    f.form->ttx_Timer();
    const int p = asked(f);
    QCOMPARE(f.sound.played, QStringList{recordingOf(p)});
    QCOMPARE(f.markedPosition(), p);
    QCOMPARE(f.qno(), QStringLiteral("1"));
    // Unanswered, the same question is asked again at every tick.
    f.form->ttx_Timer();
    QCOMPARE(f.sound.played, (QStringList{recordingOf(p), recordingOf(p)}));
    QCOMPARE(f.markedPosition(), p);
}

void TestContest::rightAnswerWithoutWrongTries()
{
    FormFixture f;
    f.form->show();
    f.pick("Co2", 1);
    f.form->ttx_Timer();
    const int p = asked(f);
    const int letter = f.letterShownAt(p);
    f.click(p);

    QCOMPARE(f.sound.played.last(), QStringLiteral("\\yes"));
    QVERIFY(f.hro(letter)->isVisible());
    QVERIFY(f.Ima(letter)->isVisible());
    QVERIFY(shows(f.Ima(letter), ":/pictures/tick-panel.png"));
    QVERIFY(f.imac(letter)->isVisible());
    QCOMPARE(f.imac(letter)->text(), QString());
    QVERIFY(f.image("Imy")->isVisible());
    QVERIFY(f.image("Imhy")->isVisible());
    QVERIFY(!f.image("Imn")->isVisible());
    QVERIFY(!f.image("Imhn")->isVisible());
    QCOMPARE(f.contest().state().quizPos, 1);
    // The number and the pictures stay until the next tick.
    QCOMPARE(f.qno(), QStringLiteral("1"));
    f.form->ttx_Timer();
    QCOMPARE(f.qno(), QStringLiteral("2"));
    QVERIFY(!f.image("Imy")->isVisible());
    QVERIFY(!f.image("Imhy")->isVisible());
    QVERIFY(f.Ima(letter)->isVisible()); // the panel keeps its marks
    QCOMPARE(f.sound.played.last(), recordingOf(f.letterShownAt(asked(f))));
}

void TestContest::wrongTriesThenRight()
{
    FormFixture f;
    f.form->show();
    f.pick("Co1", 1);
    f.pick("Co2", 1);
    f.form->ttx_Timer();
    const int p = asked(f);
    QList<int> wrong;
    for (int j = 0; wrong.size() < 3; ++j) {
        if (j != p)
            wrong << j;
    }
    for (int j : wrong) {
        f.click(j);
        const int letter = f.letterShownAt(j);
        QCOMPARE(f.sound.played.last(), QStringLiteral("\\no"));
        QVERIFY(f.Ima(letter)->isVisible());
        QVERIFY(shows(f.Ima(letter), ":/pictures/cross-panel.png"));
        QVERIFY(f.hro(letter)->isVisible());
        QVERIFY(f.imac(letter)->isVisible());
        QCOMPARE(f.imac(letter)->text(), QString()); // cleared by the mode choice
        QVERIFY(f.image("Imn")->isVisible());
        QVERIFY(f.image("Imhn")->isVisible());
        QVERIFY(!f.image("Imy")->isVisible());
        QCOMPARE(f.contest().state().quizPos, 0);
    }
    QCOMPARE(f.contest().wrongTries(), 3);
    f.click(p);
    QCOMPARE(f.imac(f.letterShownAt(p))->text(), QStringLiteral("3"));
    QCOMPARE(f.contest().wrongTries(), 0);
    QVERIFY(shows(f.Ima(f.letterShownAt(p)), ":/pictures/tick-panel.png"));
    for (int j : wrong)
        QVERIFY(shows(f.Ima(f.letterShownAt(j)), ":/pictures/cross-panel.png"));
}

void TestContest::wrongTriesStopAtTheLargestCount()
{
    FormFixture f;
    f.pick("Co2", 1);
    f.form->ttx_Timer();
    const int wrong = (asked(f) + 1) % 28;
    for (int i = 0; i < 32770; ++i)
        f.form->hr_Click(std::int16_t(wrong));
    QCOMPARE(f.contest().wrongTries(), 32767);
    f.form->hr_Click(std::int16_t(asked(f)));
    QCOMPARE(f.imac(f.letterShownAt(f.contest().state().quizOrder[0]))->text(), QStringLiteral("32767"));
}

void TestContest::twentyEightRightAnswersStartAgain()
{
    FormFixture f;
    f.form->show();
    f.pick("Co2", 1);
    const auto order = f.contest().state().quizOrder;
    for (int n = 0; n < 28; ++n) {
        f.form->ttx_Timer();
        QCOMPARE(f.qno(), QString::number(n + 1));
        QCOMPARE(asked(f), order[n]);
        f.click(asked(f));
    }
    QCOMPARE(f.contest().state().quizPos, 0);
    for (int k = 0; k < 28; ++k)
        QVERIFY(f.Ima(k)->isVisible());
    f.form->ttx_Timer();
    QCOMPARE(f.qno(), QStringLiteral("1"));
    QCOMPARE(asked(f), order[0]);
    QCOMPARE(f.sound.played.last(), recordingOf(f.letterShownAt(order[0])));
    QCOMPARE(f.contest().state().quizOrder, order);
}

// A click counts only while a question is pending: after a tick has asked
// it and until it is answered right. Otherwise it marks, counts and plays
// nothing.
void TestContest::clicksCountOnlyWhileAQuestionIsPending_data()
{
    QTest::addColumn<QString>("story");
    QTest::newRow("second click on the answer before the next tick") << "answered";
    QTest::newRow("click before the first tick of a first contest") << "first contest";
    QTest::newRow("old answer before the first tick of a later contest") << "later contest, old answer";
    QTest::newRow("other click before the first tick of a later contest") << "later contest, other";
    QTest::newRow("wrong tries of an earlier contest") << "earlier wrong tries";
}

void TestContest::clicksCountOnlyWhileAQuestionIsPending()
{
    QFETCH(QString, story);
    FormFixture f;
    f.form->show();
    f.pick("Co2", 1);
    int clickAt = 0;
    if (story == QLatin1String("answered")) {
        f.form->ttx_Timer();
        clickAt = asked(f);
        f.click(clickAt);
        QCOMPARE(f.contest().state().quizPos, 1);
    } else if (story == QLatin1String("first contest")) {
        clickAt = asked(f);
    } else if (story.startsWith(QLatin1String("later contest"))) {
        f.form->ttx_Timer();
        const int oldAnswer = asked(f);
        f.pick("Co2", 0);
        f.pick("Co2", 1);
        clickAt = story.endsWith(QLatin1String("old answer")) ? oldAnswer : (oldAnswer + 1) % 28;
    } else {
        f.form->ttx_Timer();
        f.click((asked(f) + 1) % 28);
        f.click((asked(f) + 2) % 28);
        QCOMPARE(f.contest().wrongTries(), 2);
        f.pick("Co2", 1); // a new contest
        QCOMPARE(f.contest().wrongTries(), 0);
        f.form->ttx_Timer();
        const int p = asked(f);
        f.click(p);
        QCOMPARE(f.imac(f.letterShownAt(p))->text(), QString());
        return;
    }
    const ContestState before = f.contest().state();
    const std::int16_t wrongTriesBefore = f.contest().wrongTries();
    const qsizetype sounds = f.sound.played.size();
    QList<bool> panel;
    for (int k = 0; k < 28; ++k)
        panel << f.Ima(k)->isVisible();

    f.click(clickAt);

    QCOMPARE(f.sound.played.size(), sounds);
    QCOMPARE(f.contest().state().quizPos, before.quizPos);
    QCOMPARE(f.contest().wrongTries(), wrongTriesBefore);
    for (int k = 0; k < 28; ++k)
        QCOMPARE(f.Ima(k)->isVisible(), panel[k]);
}

void TestContest::orderChangedMidContestFollowsThePosition()
{
    FormFixture f;
    f.form->show();
    f.pick("Co2", 1);
    f.form->ttx_Timer();
    const int p = asked(f);
    f.pick("Co1", 1);
    f.form->ttx_Timer();
    // The same position is asked; its sound is the letter it now shows.
    QCOMPARE(asked(f), p);
    QCOMPARE(f.markedPosition(), p);
    QCOMPARE(f.sound.played.last(), recordingOf(f.letterShownAt(p)));
    f.click(p);
    QCOMPARE(f.sound.played.last(), QStringLiteral("\\yes"));
    QVERIFY(f.Ima(f.letterShownAt(p))->isVisible());
}

void TestContest::newContestClearsThePanel()
{
    FormFixture f;
    f.form->show();
    f.pick("Co2", 1);
    f.form->ttx_Timer();
    f.click((asked(f) + 1) % 28);
    f.click(asked(f));
    f.pick("Co2", 1);
    for (int k = 0; k < 28; ++k) {
        QVERIFY(!f.hro(k)->isVisible());
        QVERIFY(!f.Ima(k)->isVisible());
        QVERIFY(!f.imac(k)->isVisible());
        QVERIFY(f.imac(k)->text().isEmpty());
    }
    QCOMPARE(f.contest().state().quizPos, 0);
    QCOMPARE(f.qno(), QStringLiteral("1"));
}

void TestContest::firstQuestionComesFiveSecondsLater()
{
    FormFixture f;
    QElapsedTimer clock;
    f.pick("Co2", 1);
    clock.start();
    QTest::qWait(4000);
    QVERIFY(f.sound.played.isEmpty());
    QTRY_COMPARE_WITH_TIMEOUT(f.sound.played.size(), 1, 3000);
    QVERIFY2(std::abs(clock.elapsed() - 5000) < 250, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(f.sound.played.first(), recordingOf(f.letterShownAt(asked(f))));
}

void TestContest::choosingTheContestAgainRestartsTheCount()
{
    // A pick of the contest entry while a contest runs starts it afresh: the
    // next question is a full five seconds after that pick.
    FormFixture f;
    f.pick("Co2", 1);
    QTest::qWait(700);
    QVERIFY(f.form->ttx().remainingTime() < 4500);
    f.pick("Co2", 1);
    QVERIFY(f.form->ttx().isActive());
    QCOMPARE(f.form->ttx().interval(), 5000);
    QVERIFY2(f.form->ttx().remainingTime() > 4900, qPrintable(QString::number(f.form->ttx().remainingTime())));
}

QTEST_MAIN(TestContest)
#include "tst_contest.moc"
