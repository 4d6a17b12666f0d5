// The progress window over a small played history: the letters coloured by
// how well each is known, the confusions in words, the days, the children,
// the empty state and the export.
#include "history/historydb.h"
#include "progress/progressviews.h"
#include "progress/progresswindow.h"
#include "shell/letters.h"

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

#include "support/audiofixtures.h"

namespace {

// Noon on a Wednesday, local time.
const QDateTime kNow(QDate(2026, 12, 9), QTime(12, 0));

struct Played
{
    int daysAgo;
    int asked;
    int clicked;
    int wrongTries;
};

// A child's week: ب known (right at once, every time), ت confused with ب
// three times before it was found, ث missed at its first try today; and a
// month ago, ج missed at its first try.
const QList<Played> kWeek = {
    {0, 2, 2, 0}, {0, 2, 2, 0}, {0, 3, 2, 0}, {0, 3, 2, 1}, {0, 3, 3, 2}, {0, 4, 5, 0}, {0, 4, 4, 1},
    {2, 2, 2, 0}, {2, 3, 2, 0}, {2, 3, 3, 1},
    {30, 6, 7, 0}, {30, 6, 6, 1},
};

void play(QSqlDatabase db, const QList<Played> &answers)
{
    for (const Played &p : answers) {
        Answer a;
        a.time = kNow.addDays(-p.daysAgo).toUTC();
        a.asked = p.asked;
        a.clicked = p.clicked;
        a.right = p.asked == p.clicked;
        a.wrongTries = p.wrongTries;
        a.seconds = 2;
        QVERIFY(history::add(db, a).isEmpty());
    }
}

} // namespace

class TestProgress : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void emptyHistoryIsFriendly();
    void periods_data();
    void periods();
    void lettersColouredByFirstTries();
    void confusionsInWords();
    void childrenAreNamedAndChosen();
    void exportFromTheWindow();
    void aBrokenHistoryIsSaid_data();
    void aBrokenHistoryIsSaid();
    void timesInWords_data();
    void timesInWords();

private:
    std::unique_ptr<ProgressWindow> window(const QString &path = {});
    QSqlDatabase db() const { return QSqlDatabase::database("played"); }

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_path;
    QString m_exportTo;
};

void TestProgress::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_path = m_dir->filePath("history.sqlite");
    QVERIFY(history::open(m_path, "played").ok());
}

void TestProgress::cleanup()
{
    history::close("played");
}

std::unique_ptr<ProgressWindow> TestProgress::window(const QString &path)
{
    return std::make_unique<ProgressWindow>(
        ProgressServices{path.isEmpty() ? m_path : path, [] { return kNow; }, [this] { return m_exportTo; }});
}

void TestProgress::emptyHistoryIsFriendly()
{
    auto w = window();
    QVERIFY(w->showsEmptyState());
    QCOMPARE(w->chartDays(), 0);
    QVERIFY(w->message().isEmpty());
    QCOMPARE(w->layoutDirection(), Qt::RightToLeft);
}

void TestProgress::periods_data()
{
    QTest::addColumn<int>("period");
    QTest::addColumn<int>("days"); // on the chart
    QTest::newRow("today") << int(ProgressWindow::Period::Today) << 1;
    QTest::newRow("7 days") << int(ProgressWindow::Period::Week) << 2;
    QTest::newRow("all") << int(ProgressWindow::Period::All) << 3;
}

void TestProgress::periods()
{
    QFETCH(int, period);
    QFETCH(int, days);
    play(db(), kWeek);
    auto w = window();
    w->periodList()->setCurrentIndex(period);
    QVERIFY(!w->showsEmptyState());
    QCOMPARE(w->chartDays(), days);
}

void TestProgress::lettersColouredByFirstTries()
{
    play(db(), kWeek);
    auto w = window();
    w->periodList()->setCurrentIndex(int(ProgressWindow::Period::Week));
    // ب right at once every time: green; ت and ث never: red; أ never
    // asked: grey.
    QCOMPARE(w->letterMap()->colourOf(1), shareColour(1.0));
    QCOMPARE(w->letterMap()->colourOf(2), shareColour(0.0));
    QCOMPARE(w->letterMap()->colourOf(3), shareColour(0.0));
    QCOMPARE(w->letterMap()->colourOf(0).hsvSaturation(), 0);
    QCOMPARE(shareColour(1.0).hsvHue(), 120);
    QCOMPARE(shareColour(0.5).hsvHue(), 60);
    QCOMPARE(shareColour(0.0).hsvHue(), 0);
    // The month-old answers of ج count only over all time.
    QCOMPARE(w->letterMap()->colourOf(5).hsvSaturation(), 0);
    w->periodList()->setCurrentIndex(int(ProgressWindow::Period::All));
    QCOMPARE(w->letterMap()->colourOf(5), shareColour(0.0));
}

void TestProgress::confusionsInWords()
{
    play(db(), kWeek);
    auto w = window();
    w->periodList()->setCurrentIndex(int(ProgressWindow::Period::Week));
    const QStringList lines = w->confusionText().split('\n');
    QCOMPARE(lines.value(0), QStringLiteral("ضغط «ب» بدل «ت»: 3 مرات"));
    QCOMPARE(lines.value(1), QStringLiteral("ضغط «ج» بدل «ث»: مرة واحدة"));
    QCOMPARE(lines.size(), 2);
}

void TestProgress::childrenAreNamedAndChosen()
{
    play(db(), kWeek);
    {
        auto w = window();
        QCOMPARE(w->childList()->count(), 1);
        w->newChildName()->setText(QStringLiteral("سارة"));
        QTest::mouseClick(w->addChildButton(), Qt::LeftButton);
        QCOMPARE(w->childList()->count(), 2);
        QCOMPARE(w->childList()->currentText(), QStringLiteral("سارة"));
        // Sara has not played yet.
        QVERIFY(w->showsEmptyState());
    }
    // The choice is kept: a new window, and the contest, find Sara.
    auto w = window();
    QCOMPARE(w->childList()->currentText(), QStringLiteral("سارة"));
    QCOMPARE(history::children(db()).value(history::currentChild(db()) - 1).name, QStringLiteral("سارة"));
    // Back to the first child through the list.
    w->childList()->setCurrentIndex(0);
    emit w->childList()->activated(0);
    QVERIFY(!w->showsEmptyState());
    QCOMPARE(history::currentChild(db()), history::kDefaultChild);
}

void TestProgress::exportFromTheWindow()
{
    play(db(), kWeek);
    auto w = window();
    m_exportTo = m_dir->filePath("export.csv");
    QTest::mouseClick(w->exportButton(), Qt::LeftButton);
    QFile f(m_exportTo);
    QVERIFY(f.open(QIODevice::ReadOnly));
    // A spreadsheet takes the byte-order mark for UTF-8, and shows the
    // children's Arabic names as they are.
    const QList<QByteArray> lines = f.readAll().split('\n');
    QCOMPARE(lines.value(0), QByteArray("\xEF\xBB\xBFtime,child,asked,clicked,right,wrong_tries,seconds,order"));
    QVERIFY(lines.value(1).contains("طفلي"));
    QCOMPARE(lines.size(), kWeek.size() + 2); // and the last newline
    QVERIFY(w->message().contains(m_exportTo));
}

void TestProgress::aBrokenHistoryIsSaid_data()
{
    QTest::addColumn<QString>("trouble");
    QTest::addColumn<QString>("said");
    QTest::addColumn<bool>("controls"); // children and export usable
    QTest::newRow("cannot be opened") << "blocked" << QStringLiteral("لا يمكن فتح سجل التعلّم") << false;
    QTest::newRow("corrupt") << "corrupt" << QStringLiteral("كان سجل التعلّم تالفًا") << true;
}

void TestProgress::aBrokenHistoryIsSaid()
{
    QFETCH(QString, trouble);
    QFETCH(QString, said);
    QFETCH(bool, controls);
    QString path = m_dir->filePath("other/history.sqlite");
    if (trouble == "blocked") {
        writeBytes(m_dir->filePath("blocked"), "x");
        path = m_dir->filePath("blocked/history.sqlite");
    } else {
        writeBytes(path, QByteArray(4096, 'x'));
    }
    auto w = window(path);
    QVERIFY2(w->message().contains(said), qPrintable(w->message()));
    QCOMPARE(w->exportButton()->isEnabled(), controls);
    QCOMPARE(w->childList()->isEnabled(), controls);
    QVERIFY(w->showsEmptyState());
}

void TestProgress::timesInWords_data()
{
    QTest::addColumn<int>("n");
    QTest::addColumn<QString>("words");
    QTest::newRow("1") << 1 << QStringLiteral("مرة واحدة");
    QTest::newRow("2") << 2 << QStringLiteral("مرتان");
    QTest::newRow("3") << 3 << QStringLiteral("3 مرات");
    QTest::newRow("10") << 10 << QStringLiteral("10 مرات");
    QTest::newRow("11") << 11 << QStringLiteral("11 مرة");
}

void TestProgress::timesInWords()
{
    QFETCH(int, n);
    QFETCH(QString, words);
    QCOMPARE(timesInArabic(n), words);
}

QTEST_MAIN(TestProgress)
#include "tst_progress.moc"
