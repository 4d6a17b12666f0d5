// The main window's state and its start-up sequence.
#include "shell/letters.h"
#include "ui/widgets.h"

#include <QLineEdit>
#include <QTest>

#include "support/fakes.h"

class TestStartup : public QObject
{
    Q_OBJECT
private slots:
    void stateStartsEmpty();
    void startUpLeavesAlphabeticalPronunciation();
    void splashComesBeforeTheListsAndTheWindow();
    void visibleControlsAfterStartUp_data();
    void visibleControlsAfterStartUp();
    void closingTheWindowEndsTheProgram();
};

void TestStartup::stateStartsEmpty()
{
    FormFixture f(false);
    const MainState &s = f.form->state();
    const ContestState &c = f.contest().state();
    for (int i = 0; i < MainState::kSize; ++i) {
        QVERIFY(s.soundFile[i].isEmpty());
        QCOMPARE(s.boardSlot[i], 0);
        QCOMPARE(c.quizOrder[i], 0);
    }
    QCOMPARE(c.quizPos, 0);
    QCOMPARE(f.contest().wrongTries(), 0);
    for (int j = 0; j < 28; ++j)
        QVERIFY(f.hr(j)->tag().isEmpty());
}

void TestStartup::startUpLeavesAlphabeticalPronunciation()
{
    FormFixture f;
    const MainState &s = f.form->state();
    const ContestState &c = f.contest().state();
    for (int k = 0; k < 28; ++k) {
        QCOMPARE(s.boardSlot[k], k);
        QCOMPARE(s.soundFile[k], QStringLiteral("\\wa\\%1.wav").arg(k + 1));
        QCOMPARE(f.letterShownAt(k), k);
        QCOMPARE(c.quizOrder[k], 0);
    }
    // Element 28 is never written.
    QVERIFY(s.soundFile[28].isEmpty());
    QCOMPARE(s.boardSlot[28], 0);
    QCOMPARE(c.quizOrder[28], 0);
    QCOMPARE(c.quizPos, 0);
    QCOMPARE(f.contest().wrongTries(), 0);

    QCOMPARE(f.list("Co1")->count(), 2);
    QCOMPARE(f.list("Co1")->itemText(0), QStringLiteral("مرتب"));
    QCOMPARE(f.list("Co1")->itemText(1), QStringLiteral("عشوائي"));
    QCOMPARE(f.list("Co2")->itemText(0), QStringLiteral("نطق الحروف"));
    QCOMPARE(f.list("Co2")->itemText(1), QStringLiteral("مسابقة الحروف"));
    QCOMPARE(f.list("Co1")->currentIndex(), 0);
    QCOMPARE(f.list("Co2")->currentIndex(), 0);
    QCOMPARE(f.qno(), QStringLiteral("0"));
    QVERIFY(!f.form->ttx().isActive());
    QVERIFY(f.sound.played.isEmpty());
    QCOMPARE(f.splashShown, 1);
}

void TestStartup::splashComesBeforeTheListsAndTheWindow()
{
    FakeSoundPlayer sound;
    FakeWebOpener web;
    FixedTimeOfDay clock;
    MersenneUnitRandom random;
    Form1 *formPtr = nullptr;
    bool checked = false;
    Form1 form(Form1Services{sound, web, clock, random, [&] {
                                 // While the splash is up, the board is ready but the
                                 // lists are still empty and the window not shown.
                                 checked = true;
                                 QVERIFY(!formPtr->isVisible());
                                 QCOMPARE(formPtr->controls().get<ChoiceList>("Co1")->count(), 0);
                                 QCOMPARE(formPtr->state().soundFile[27], QStringLiteral("\\wa\\28.wav"));
                                 QCOMPARE(formPtr->controls().get<PictureButton>("hr", 5)->picture().cacheKey(),
                                          formPtr->controls().get<PictureButton>("hro", 5)->picture().cacheKey());
                             },
                             {},
                             nullptr});
    formPtr = &form;
    form.Form_Load();
    QVERIFY(checked);
}

void TestStartup::visibleControlsAfterStartUp_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("index");
    QTest::addColumn<bool>("visible");

    for (const char *name : {"Shape", "Co1", "La", "Co2", "Label1", "qno", "Label4", "Label9", "Shape2"})
        QTest::newRow(name) << QString::fromLatin1(name) << -1 << true;
    QTest::newRow("Shape1(1)") << "Shape1" << 1 << true;
    QTest::newRow("Shape3(0)") << "Shape3" << 0 << true;
    for (int i : {0, 13, 27}) {
        QTest::addRow("hr(%d)", i) << "hr" << i << true;
        QTest::addRow("hro(%d)", i) << "hro" << i << false;
        QTest::addRow("Ima(%d)", i) << "Ima" << i << false;
        QTest::addRow("imac(%d)", i) << "imac" << i << false;
    }
    for (const char *name : {"Imy", "Imn", "Imhy", "Imhn"})
        QTest::newRow(name) << QString::fromLatin1(name) << -1 << false;
}

void TestStartup::visibleControlsAfterStartUp()
{
    QFETCH(QString, name);
    QFETCH(int, index);
    QFETCH(bool, visible);
    FormFixture f;
    f.form->show();
    QWidget *control = f.form->controls().find(name, index);
    QVERIFY(control);
    QCOMPARE(control->isVisible(), visible);
}

void TestStartup::closingTheWindowEndsTheProgram()
{
    FormFixture f;
    f.form->show();
    bool quit = false;
    connect(qApp, &QCoreApplication::aboutToQuit, this, [&] { quit = true; });
    QTimer::singleShot(0, f.form.get(), &QWidget::close);
    QTimer::singleShot(2000, qApp, [] { QCoreApplication::exit(1); });
    QCOMPARE(QCoreApplication::exec(), 0);
    QVERIFY(quit);
}

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
