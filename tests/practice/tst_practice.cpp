// Practice through the child's window: ticks, clicks, the board's faded
// letters and the history it continues from.
#include "board/modelist.h"
#include "history/historydb.h"
#include "history/sqlitehistory.h"
#include "practice/scheduler.h"
#include "shell/letters.h"
#include "ui/widgets.h"

#include <QImage>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QSet>
#include <QStyleOptionComboBox>
#include <QTest>

#include "support/fakes.h"
#include "support/images.h"

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
    return f.practice().asked();
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

// What a tile looks like: how grey it is, its lightest and darkest, and
// where its letter's ink lies.
struct TileLook
{
    int mostColour = 0;  // the largest difference of two channels in a pixel
    int lightest = 0;    // luminance, 0..255
    int darkest = 255;
    double mean = 0;
    QRect ink;
};

int luminance(QRgb p)
{
    return qGray(p);
}

TileLook look(const QImage &image, const std::function<bool(QRgb)> &isInk)
{
    TileLook t;
    double sum = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            t.mostColour = std::max({t.mostColour, std::abs(qRed(p) - qGreen(p)), std::abs(qGreen(p) - qBlue(p)),
                                     std::abs(qRed(p) - qBlue(p))});
            t.lightest = std::max(t.lightest, luminance(p));
            t.darkest = std::min(t.darkest, luminance(p));
            sum += luminance(p);
        }
    }
    t.mean = sum / (image.width() * image.height());
    t.ink = boundsWhere(image.size(), [&](int x, int y) { return isInk(image.pixel(x, y)); });
    return t;
}

// The letters' blue, on a white or turquoise face.
bool blueInk(QRgb p)
{
    return qBlue(p) - qGreen(p) > 40;
}

QImage shot(QWidget *w)
{
    return w->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

} // namespace

class TestPractice : public QObject
{
    Q_OBJECT
private slots:
    void aThirdModeWithLettersInPlay();
    void lettersNotInPlayLookAsleep_data();
    void lettersNotInPlayLookAsleep();
    void anAsleepLetterSaysNotYet();
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
    QCOMPARE(modes->count(), int(modeList().size()));
    QCOMPARE(modes->itemText(0), modeList()[0].entry);
    QCOMPARE(modes->itemText(1), modeList()[1].entry);
    QCOMPARE(modes->itemText(2), QStringLiteral("تمرين الحروف"));
    // Every entry is shown whole in the closed list, beside its arrow.
    QStyleOptionComboBox option;
    option.initFrom(modes);
    const int field = modes->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, modes).width();
    for (int i = 0; i < modes->count(); ++i)
        QVERIFY2(modes->fontMetrics().horizontalAdvance(modes->itemText(i)) <= field, qPrintable(modes->itemText(i)));

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

void TestPractice::lettersNotInPlayLookAsleep_data()
{
    QTest::addColumn<bool>("fullScreen");
    QTest::newRow("window") << false;
    QTest::newRow("full screen") << true;
}

// On a first day the board is three bright letters among quiet ones: the
// asleep letters grey, flat and of low contrast, never brighter than those
// in play, and each still legible where it will wake.
void TestPractice::lettersNotInPlayLookAsleep()
{
    QFETCH(bool, fullScreen);
    FormFixture f;
    f.form->show();
    if (fullScreen)
        f.form->setFullScreen(true);
    f.pick("Co2", kPractice);
    QCOMPARE(lettersInPlay(f), (QList<int>{Alef, Noon, Ya}));

    PictureButton *sleeping = f.hr(positionOf(f, Ba));
    const QImage asleepShot = shot(sleeping);
    // The tile's own grey is its commonest luminance; the letter is darker.
    std::array<int, 256> count{};
    for (int y = 0; y < asleepShot.height(); ++y) {
        for (int x = 0; x < asleepShot.width(); ++x)
            ++count[std::size_t(luminance(asleepShot.pixel(x, y)))];
    }
    const int face = int(std::max_element(count.begin(), count.end()) - count.begin());
    const TileLook asleep = look(asleepShot, [face](QRgb p) { return luminance(p) < face - 25; });
    const TileLook awake = look(shot(f.hr(positionOf(f, Noon))), blueInk);

    QVERIFY2(asleep.mostColour <= 4, qPrintable(QString::number(asleep.mostColour)));
    QVERIFY(awake.mostColour > 100);
    // Flat and quiet: no black outline, no white plate, and far less
    // contrast than a letter in play, yet enough to read it.
    QVERIFY2(awake.lightest - awake.darkest > 200, qPrintable(QString::number(awake.lightest - awake.darkest)));
    const int contrast = asleep.lightest - asleep.darkest;
    QVERIFY2(contrast >= 40 && contrast <= 110, qPrintable(QString::number(contrast)));
    QVERIFY(asleep.darkest > 50);
    QVERIFY(asleep.lightest < 210);
    QVERIFY2(asleep.mean < awake.mean - 20, qPrintable(QStringLiteral("%1 %2").arg(asleep.mean).arg(awake.mean)));

    // Its letter is where the same button shows it awake, whole.
    sleeping->setFaded(false);
    const TileLook same = look(shot(sleeping), blueInk);
    QVERIFY(!asleep.ink.isEmpty());
    const int slack = int(std::ceil(f.form->scale() * sleeping->devicePixelRatioF()));
    for (int d : {asleep.ink.left() - same.ink.left(), asleep.ink.right() - same.ink.right(),
                  asleep.ink.top() - same.ink.top(), asleep.ink.bottom() - same.ink.bottom()})
        QVERIFY2(std::abs(d) <= slack, qPrintable(QStringLiteral("ink %1,%2 %3x%4 awake, %5,%6 %7x%8 asleep")
                                                       .arg(same.ink.x()).arg(same.ink.y()).arg(same.ink.width())
                                                       .arg(same.ink.height()).arg(asleep.ink.x()).arg(asleep.ink.y())
                                                       .arg(asleep.ink.width()).arg(asleep.ink.height())));
}

// A click on an asleep letter: the tile sinks for a moment and comes back,
// and nothing else happens: no sound, no mark, nothing kept, the same
// question.
void TestPractice::anAsleepLetterSaysNotYet()
{
    FormFixture f;
    f.form->show();
    f.pick("Co2", kPractice);
    const int asked = ask(f);
    const QStringList played = f.sound.played;
    PictureButton *sleeping = f.hr(positionOf(f, Meem));
    PictureButton *other = f.hr(positionOf(f, Ba));
    const QImage before = shot(sleeping);
    const QImage otherBefore = shot(other);

    clickLetter(f, Meem);
    const QImage right = shot(sleeping);
    const TileLook now = look(right, [](QRgb) { return false; });
    const TileLook was = look(before, [](QRgb) { return false; });
    QVERIFY2(now.mean < was.mean - 15, qPrintable(QStringLiteral("%1 %2").arg(now.mean).arg(was.mean)));
    QCOMPARE(now.mostColour, was.mostColour);
    QVERIFY(meanDifference(shot(other), otherBefore) == 0);

    QCOMPARE(f.sound.played, played);
    QVERIFY(f.answers.answers.isEmpty());
    for (const char *name : {"Imy", "Imn", "Imhy", "Imhn"})
        QVERIFY(!f.image(name)->isVisible());
    QVERIFY(!f.hro(Meem)->isVisible());
    QVERIFY(!f.Ima(Meem)->isVisible());
    QCOMPARE(f.practice().asked(), asked);
    QCOMPARE(f.markedPosition(), positionOf(f, asked));
    QCOMPARE(f.qno(), QStringLiteral("1"));

    // Gone by itself within a moment; the letter asleep as before.
    QTRY_VERIFY_WITH_TIMEOUT(meanDifference(shot(sleeping), before) == 0, 10 * PictureButton::kNotYetMs);
    QVERIFY(sleeping->isFaded());
    QCOMPARE(f.practice().asked(), asked);
    QCOMPARE(f.sound.played, played);
}

void TestPractice::askedAndMarkedLikeTheContest()
{
    // Met a minute ago: asked again among the letters in play.
    FormFixture f;
    f.answers.answers = rightToday({Alef, Noon, Ya}, 2);
    f.form->show();
    f.pick("Co2", kPractice);
    const int first = ask(f);
    QCOMPARE(f.sound.played, QStringList{recordingOf(first)});
    // Unanswered, asked again at the next tick.
    QCOMPARE(ask(f), first);
    QCOMPARE(f.qno(), QStringLiteral("1"));
    const QList<int> awake = lettersInPlay(f);
    QVERIFY(awake.size() > 1);
    const int wrong = awake.first() == first ? awake.last() : awake.first();
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
    const QList<Answer> kept = f.answers.answers.mid(6);
    QCOMPARE(kept.size(), 2);
    for (const Answer &a : kept)
        QCOMPARE(a.mode, Answer::Mode::Practice);
    QCOMPARE(kept[0].asked, first + 1);
    QCOMPARE(kept[0].clicked, wrong + 1);
    QCOMPARE(kept[1].wrongTries, 1);

    const int second = ask(f);
    QVERIFY(second != first);
    QCOMPARE(f.qno(), QStringLiteral("2"));
    QVERIFY(!f.image("Imy")->isVisible());
    // The contest's own count is left alone.
    QCOMPARE(f.contest().state().quizPos, 0);
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
    QCOMPARE(f.markedPosition(), positionOf(f, entering));
    // Met alone: the letters in play sleep while it is asked, and a click
    // on one is no answer.
    QCOMPARE(lettersInPlay(f), QList<int>{entering});
    clickLetter(f, Alef);
    QCOMPARE(f.answers.answers.size(), 3);
    QCOMPARE(f.sound.played.last(), recordingOf(entering));
    clickLetter(f, entering);
    QCOMPARE(f.sound.played.last(), kRightSound);
    QCOMPARE(lettersInPlay(f), (QList<int>{Alef, Ta, Noon, Ya}));

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
    QVERIFY(f.practice().scheduler() == nullptr);
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
    QCOMPARE(f.markedPosition(), int(f.contest().state().quizOrder[0]));
    QCOMPARE(f.practice().asked(), -1);
    f.click(f.markedPosition());
    QCOMPARE(f.answers.answers.last().mode, Answer::Mode::Contest);
    QCOMPARE(f.contest().state().quizPos, 1);

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
        clickLetter(f, f.practice().asked());
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
