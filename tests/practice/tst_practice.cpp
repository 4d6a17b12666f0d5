// Practice through the child's window: ticks, clicks, the board's faded
// letters and the history it continues from.
#include "board/lists.h"
#include "history/historydb.h"
#include "history/sqlitehistory.h"
#include "practice/scheduler.h"
#include "shell/letters.h"
#include "ui/widgets.h"

#include <QSqlQuery>
#include <QTemporaryDir>
#include <QSet>
#include <QTest>

#include "support/fakes.h"

namespace {

enum : int { Alef = 0, Ba = 1, Ta = 2, Meem = 23, Noon = 24, Waw = 26, Ya = 27 };
constexpr int kPractice = 2;

int positionOf(const FormFixture &f, int letter)
{
    return f.form->state().boardSlot[letter];
}

// The letters whose buttons are not faded.
QList<int> lettersInPlay(const FormFixture &f)
{
    QList<int> letters;
    for (int k = 0; k < kLetterCount; ++k) {
        if (!f.hr(positionOf(f, k))->isFaded())
            letters << k;
    }
    return letters;
}

// A tick that starts a question: the letter it asks.
int ask(FormFixture &f)
{
    f.form->ttx_Timer();
    return f.form->practiceAsked();
}

void clickLetter(FormFixture &f, int letter)
{
    f.click(positionOf(f, letter));
}

// Questions answered right at once: the letters asked.
QList<int> answerRight(FormFixture &f, int questions)
{
    QList<int> asked;
    for (int i = 0; i < questions; ++i) {
        asked << ask(f);
        clickLetter(f, asked.last());
    }
    return asked;
}

Answer practised(int letter, int clicked, int wrongTries, const QDateTime &time)
{
    Answer a;
    a.time = time;
    a.asked = letter + 1;
    a.clicked = clicked + 1;
    a.right = letter == clicked;
    a.wrongTries = wrongTries;
    a.mode = Answer::Mode::Practice;
    return a;
}

// Each letter answered right at once, `times` rounds, a minute ago.
QList<Answer> rightToday(std::initializer_list<int> letters, int times)
{
    QList<Answer> list;
    const QDateTime when = QDateTime::currentDateTimeUtc().addSecs(-60);
    for (int i = 0; i < times; ++i) {
        for (int k : letters)
            list << practised(k, k, 0, when);
    }
    return list;
}

} // namespace

class TestPractice : public QObject
{
    Q_OBJECT
private slots:
    void aThirdModeWithLettersInPlay();
    void askedAndMarkedLikeTheContest();
    void aNewLetterEntersOnceTheOthersAreRight();
    void dueLettersComeFirst();
    void anAnswerFromAWrongClockPutsNoLetterOff();
    void aHistoryReadLateIsTakenIn();
    void anotherChoiceEndsPractice();
    void aRestartContinuesFromTheHistory();
};

// The mode list's third entry; a child without history starts with the
// three most common letters, the others faint in their places, and a click
// on a faint letter does nothing at all.
void TestPractice::aThirdModeWithLettersInPlay()
{
    FormFixture f;
    f.form->show();
    ChoiceList *modes = f.list("Co2");
    QCOMPARE(modes->count(), 3);
    QCOMPARE(modes->itemText(0), kModeEntries[0]);
    QCOMPARE(modes->itemText(1), kModeEntries[1]);
    QCOMPARE(modes->itemText(2), QStringLiteral("تمرين الحروف"));
    // The entry is as wide as the list lets the others be.
    QVERIFY(modes->fontMetrics().horizontalAdvance(modes->itemText(2))
            <= modes->fontMetrics().horizontalAdvance(modes->itemText(1)) + 4);

    f.pick("Co2", kPractice);
    QCOMPARE(lettersInPlay(f), (QList<int>{Alef, Noon, Ya}));
    QCOMPARE(f.qno(), QStringLiteral("1"));
    QCOMPARE(f.form->ttx().interval(), 5000);
    QVERIFY(f.form->ttx().isActive());

    const int asked = ask(f);
    QVERIFY(lettersInPlay(f).contains(asked));
    const QStringList played = f.sound.played;
    clickLetter(f, Ba);
    clickLetter(f, Meem);
    QCOMPARE(f.sound.played, played);
    QVERIFY(f.answers.answers.isEmpty());
    QVERIFY(!f.image("Imn")->isVisible());
    QVERIFY(!f.hro(Ba)->isVisible());
    QCOMPARE(f.markedPosition(), positionOf(f, asked));
}

void TestPractice::askedAndMarkedLikeTheContest()
{
    FormFixture f;
    f.form->show();
    f.pick("Co2", kPractice);
    const int first = ask(f);
    QCOMPARE(f.sound.played, QStringList{recordingOf(first)});
    // Unanswered, asked again at the next tick.
    QCOMPARE(ask(f), first);
    QCOMPARE(f.qno(), QStringLiteral("1"));
    const int wrong = first == Alef ? Noon : Alef;
    clickLetter(f, wrong);
    QCOMPARE(f.sound.played.last(), kWrongSound);
    QVERIFY(f.image("Imn")->isVisible());
    QVERIFY(f.Ima(wrong)->isVisible());
    clickLetter(f, first);
    QCOMPARE(f.sound.played.last(), kRightSound);
    QVERIFY(f.image("Imy")->isVisible());
    QCOMPARE(f.imac(first)->text(), QStringLiteral("1"));
    // A click between questions is no answer.
    clickLetter(f, first);
    QCOMPARE(f.answers.answers.size(), 2);
    for (const Answer &a : std::as_const(f.answers.answers))
        QCOMPARE(a.mode, Answer::Mode::Practice);
    QCOMPARE(f.answers.answers[0].asked, first + 1);
    QCOMPARE(f.answers.answers[0].clicked, wrong + 1);
    QCOMPARE(f.answers.answers[1].wrongTries, 1);

    const int second = ask(f);
    QVERIFY(second != first);
    QCOMPARE(f.qno(), QStringLiteral("2"));
    QVERIFY(!f.image("Imy")->isVisible());
    // The contest's own count is left alone.
    QCOMPARE(f.form->state().quizPos, 0);
}

// The first three letters, each met on its own; then, as the child is
// right and nothing is due yet, a new one.
void TestPractice::aNewLetterEntersOnceTheOthersAreRight()
{
    FormFixture f;
    f.form->show();
    f.pick("Co2", kPractice);
    QCOMPARE(answerRight(f, 3), (QList<int>{Alef, Noon, Ya}));
    QCOMPARE(lettersInPlay(f), (QList<int>{Alef, Noon, Ya}));
    const int entering = ask(f);
    QCOMPARE(entering, practice::commonFirst()[3]);
    QCOMPARE(lettersInPlay(f), (QList<int>{Alef, Ta, Noon, Ya}));
    QCOMPARE(f.markedPosition(), positionOf(f, entering));

    // In alphabetical order when a grown-up chose so.
    FormFixture g;
    g.answers.alphabetical = true;
    g.form->show();
    g.pick("Co2", kPractice);
    QCOMPARE(lettersInPlay(g), (QList<int>{Alef, Ba, Ta}));
}

// Letters last seen days ago are asked first, those that fell due first
// before the others; then, nothing being due, a new letter.
void TestPractice::dueLettersComeFirst()
{
    const QDateTime now = QDateTime::currentDateTimeUtc();
    FormFixture f;
    for (int day : {-10, -10, -9}) {
        for (int k : {Alef, Noon, Ya})
            f.answers.answers << practised(k, k, 0, now.addDays(day));
    }
    f.answers.answers << practised(Ya, Ya, 0, now.addDays(-5));
    f.form->show();
    f.pick("Co2", kPractice);
    QCOMPARE(lettersInPlay(f), (QList<int>{Alef, Noon, Ya}));
    const QList<int> asked = answerRight(f, 4);
    QCOMPARE(QSet<int>(asked.begin(), asked.begin() + 2), (QSet<int>{Alef, Noon}));
    QCOMPARE(asked.mid(2), (QList<int>{Ya, practice::commonFirst()[3]}));
}

// A right answer dated 2035 (a clock that was wrong) is not taken for
// today's: that letter is asked first, as one last seen yesterday, while
// the letters right a minute ago wait.
void TestPractice::anAnswerFromAWrongClockPutsNoLetterOff()
{
    FormFixture f;
    f.answers.answers = rightToday({Noon}, 3);
    f.answers.answers << practised(Noon, Noon, 0, QDateTime(QDate(2035, 6, 1), QTime(17, 0), Qt::UTC));
    f.answers.answers << rightToday({Alef, Ya, Ta}, 3);
    f.form->show();
    f.pick("Co2", kPractice);
    QCOMPARE(ask(f), int(Noon));
}

// A history that takes its time to be read: practice starts from what it
// has, and takes the history in when it comes.
void TestPractice::aHistoryReadLateIsTakenIn()
{
    FormFixture f;
    f.answers.answers = rightToday({Alef, Noon, Ya, Ta}, 2);
    f.answers.holdRecalls = true;
    f.form->show();
    f.pick("Co2", kPractice);
    QCOMPARE(lettersInPlay(f).size(), 3);
    f.answers.releaseRecalls();
    QCOMPARE(lettersInPlay(f).size(), 4);

    // One that comes after practice was left is not taken in.
    f.pick("Co2", 0);
    f.pick("Co2", kPractice);
    f.pick("Co2", 0);
    f.answers.releaseRecalls();
    QVERIFY(lettersInPlay(f).size() == 28);
    QVERIFY(f.form->practiceScheduler() == nullptr);
}

void TestPractice::anotherChoiceEndsPractice()
{
    FormFixture f;
    f.form->show();
    f.pick("Co2", kPractice);
    const int asked = ask(f);
    f.pick("Co2", 0);
    QVERIFY(!f.form->ttx().isActive());
    QCOMPARE(lettersInPlay(f).size(), 28);
    QVERIFY(!f.hro(asked)->isVisible());
    // Pronunciation plays any letter, faded before or not.
    f.sound.played.clear();
    clickLetter(f, Meem);
    QCOMPARE(f.sound.played, QStringList{recordingOf(Meem)});

    // The contest asks from its own shuffled sequence, every letter clickable.
    f.pick("Co2", 1);
    f.form->ttx_Timer();
    QCOMPARE(f.markedPosition(), int(f.form->state().quizOrder[0]));
    QCOMPARE(f.form->practiceAsked(), -1);
    f.click(f.markedPosition());
    QCOMPARE(f.answers.answers.last().mode, Answer::Mode::Contest);
    QCOMPARE(f.form->state().quizPos, 1);

    // The order list moves the faded letters with the pictures.
    f.pick("Co2", kPractice);
    f.pick("Co1", 1);
    QCOMPARE(lettersInPlay(f), (QList<int>{Alef, Noon, Ya}));
}

// The program closed and opened again: practice goes on where the history
// says, with its answers kept as practice's.
void TestPractice::aRestartContinuesFromTheHistory()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("huroof/history.sqlite");
    QList<int> inPlay;
    {
        SqliteHistory store(path, [](const QString &line) { QFAIL(qPrintable(line)); });
        FormFixture f(true, &store);
        f.form->show();
        f.pick("Co2", kPractice);
        answerRight(f, 6);
        ask(f);
        clickLetter(f, f.form->practiceAsked());
        answerRight(f, 3);
        inPlay = lettersInPlay(f);
        QVERIFY(inPlay.size() > 3);
        store.waitUntilWritten();
    }
    {
        SqliteHistory store(path, [](const QString &line) { QFAIL(qPrintable(line)); });
        FormFixture f(true, &store);
        f.form->show();
        f.pick("Co2", kPractice);
        QTRY_COMPARE(lettersInPlay(f), inPlay);
    }
    const QString name = "check";
    QVERIFY(history::open(path, name).ok());
    QSqlQuery q(QSqlDatabase::database(name));
    QVERIFY(q.exec("SELECT COUNT(*), SUM(mode = 'practice') FROM answers") && q.next());
    QCOMPARE(q.value(0).toInt(), 10);
    QCOMPARE(q.value(1).toInt(), 10);
    q.finish();
    history::close(name);
}

QTEST_MAIN(TestPractice)
#include "tst_practice.moc"
