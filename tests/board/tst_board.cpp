// The board in the pronunciation mode, and the two lists.
#include "shell/letters.h"
#include "ui/widgets.h"

#include <QApplication>
#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>

#include "support/fakes.h"

class TestBoard : public QObject
{
    Q_OBJECT
private slots:
    void clickPlaysTheLetterShown_data();
    void clickPlaysTheLetterShown();
    void randomBoardStillPlaysWhatItShows();
    void pronunciationTouchesNothingElse();
    void inOrderRestoresTheAlphabet();
    void orderListKeepsTheMode();
    void contestChoiceStartsTheTimer();
    void pronunciationChoiceStopsTheTimer();
    void rePickRunsTheHandlerAgain();
    void wheelOverAListChangesNothing_data();
    void wheelOverAListChangesNothing();
};

void TestBoard::clickPlaysTheLetterShown_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("recording");
    QTest::newRow("top right") << 0 << "\\wa\\1.wav";
    QTest::newRow("top left") << 6 << "\\wa\\7.wav";
    QTest::newRow("heh") << 25 << "\\wa\\26.wav";
    QTest::newRow("bottom left") << 27 << "\\wa\\28.wav";
}

void TestBoard::clickPlaysTheLetterShown()
{
    QFETCH(int, position);
    QFETCH(QString, recording);
    FormFixture f;
    f.click(position);
    QCOMPARE(f.sound.played, QStringList{recording});
}

void TestBoard::randomBoardStillPlaysWhatItShows()
{
    FormFixture f;
    f.pick("Co1", 1);
    const MainState &s = f.form->state();
    bool moved = false;
    for (int j = 0; j < 28; ++j) {
        f.click(j);
        const int letter = f.letterShownAt(j);
        QVERIFY(letter >= 0);
        QCOMPARE(f.sound.played.last(), recordingOf(letter));
        QCOMPARE(s.boardSlot[letter], j);
        moved = moved || letter != j;
    }
    QVERIFY(moved);
}

void TestBoard::pronunciationTouchesNothingElse()
{
    FormFixture f;
    f.form->show();
    for (int j = 0; j < 28; ++j)
        f.click(j);
    for (int k = 0; k < 28; ++k) {
        QVERIFY(!f.hro(k)->isVisible());
        QVERIFY(!f.Ima(k)->isVisible());
        QVERIFY(!f.imac(k)->isVisible());
    }
    for (const char *name : {"Imy", "Imn", "Imhy", "Imhn"})
        QVERIFY(!f.image(name)->isVisible());
    QCOMPARE(f.contest().state().quizPos, 0);
    QCOMPARE(f.contest().wrongTries(), 0);
    QCOMPARE(f.qno(), QStringLiteral("0"));
    QCOMPARE(f.sound.played.size(), 28);
}

void TestBoard::inOrderRestoresTheAlphabet()
{
    FormFixture f;
    f.pick("Co1", 1);
    f.pick("Co1", 0);
    for (int k = 0; k < 28; ++k) {
        QCOMPARE(f.form->state().boardSlot[k], k);
        QCOMPARE(f.letterShownAt(k), k);
        QCOMPARE(f.form->state().soundFile[k], recordingOf(k));
    }
}

void TestBoard::orderListKeepsTheMode()
{
    FormFixture f;
    f.pick("Co2", 1);
    const ContestState before = f.contest().state();
    f.pick("Co1", 1);
    QCOMPARE(f.contest().state().quizOrder, before.quizOrder);
    QCOMPARE(f.contest().state().quizPos, before.quizPos);
    QVERIFY(f.form->ttx().isActive());
    QCOMPARE(f.qno(), QStringLiteral("1"));
}

void TestBoard::contestChoiceStartsTheTimer()
{
    FormFixture f;
    f.pick("Co2", 1);
    QCOMPARE(f.qno(), QStringLiteral("1"));
    QVERIFY(f.form->ttx().isActive());
    QCOMPARE(f.form->ttx().interval(), 5000);
    QCOMPARE(f.form->ttx().timerType(), Qt::PreciseTimer);
    QVERIFY(f.sound.played.isEmpty());
    // quizOrder is a permutation of the positions; the board stays as it was.
    QList<int> order;
    for (int n = 0; n < 28; ++n)
        order << f.contest().state().quizOrder[n];
    std::sort(order.begin(), order.end());
    for (int n = 0; n < 28; ++n)
        QCOMPARE(order[n], n);
    QCOMPARE(f.contest().state().quizOrder[28], 0);
    for (int k = 0; k < 28; ++k)
        QCOMPARE(f.form->state().boardSlot[k], k);
}

void TestBoard::pronunciationChoiceStopsTheTimer()
{
    FormFixture f;
    f.pick("Co2", 1);
    f.form->ttx_Timer();
    const int marked = f.markedPosition();
    QVERIFY(marked >= 0);
    f.pick("Co2", 0);
    QVERIFY(!f.form->ttx().isActive());
    // The marks stay as the last tick left them, unread in this mode.
    QCOMPARE(f.markedPosition(), marked);
    // And a click is pronunciation again.
    f.sound.played.clear();
    f.click(marked);
    QCOMPARE(f.sound.played, QStringList{recordingOf(marked)});
}

void TestBoard::rePickRunsTheHandlerAgain()
{
    FormFixture f;
    f.pick("Co1", 1);
    const auto first = f.form->state().boardSlot;
    f.clock.seconds += 1.0f;
    f.pick("Co1", 1);
    QVERIFY(f.form->state().boardSlot != first);
}

void TestBoard::wheelOverAListChangesNothing_data()
{
    QTest::addColumn<QString>("list");
    QTest::addColumn<int>("delta");
    QTest::newRow("mode list, down") << "Co2" << -120;
    QTest::newRow("mode list, up from the contest") << "Co2" << 120;
    QTest::newRow("order list, down") << "Co1" << -120;
}

// A stray turn of the wheel over a closed list neither starts nor ends a
// contest, nor reshuffles the board.
void TestBoard::wheelOverAListChangesNothing()
{
    QFETCH(QString, list);
    QFETCH(int, delta);
    FormFixture f;
    f.form->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.form.get()));
    ChoiceList *l = f.list(qPrintable(list));
    if (delta > 0)
        f.pick(qPrintable(list), 1);
    const int before = l->currentIndex();
    const auto board = f.form->state().boardSlot;
    const bool contest = f.form->ttx().isActive();
    QSignalSpy clicked(l, &ChoiceList::clicked);
    const QPointF at(l->width() / 2.0, l->height() / 2.0);
    QWheelEvent wheel(at, l->mapToGlobal(at), {}, QPoint(0, delta), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase,
                      false);
    QApplication::sendEvent(l, &wheel);
    QCOMPARE(l->currentIndex(), before);
    QCOMPARE(clicked.size(), 0);
    QVERIFY(f.form->state().boardSlot == board);
    QCOMPARE(f.form->ttx().isActive(), contest);
}

QTEST_MAIN(TestBoard)
#include "tst_board.moc"
