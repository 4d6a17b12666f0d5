// The learning history: the contest hands over exactly the answers it
// judged, the store keeps them through failures and kills, and the export
// gives them back.
#include "history/historydb.h"
#include "history/sqlitehistory.h"
#include "shell/form1.h"
#include "shell/letters.h"
#include "ui/widgets.h"

#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <csignal>
#include <cstdio>
#include <random>

#include "support/audiofixtures.h"
#include "support/disk.h"
#include "support/fakes.h"

namespace {

Answer answer(int asked, int clicked, int wrongTries, const QDateTime &time = QDateTime::currentDateTimeUtc())
{
    Answer a;
    a.time = time.toUTC();
    a.asked = asked;
    a.clicked = clicked;
    a.right = asked == clicked;
    a.wrongTries = wrongTries;
    a.seconds = 1.25 + wrongTries;
    a.order = wrongTries % 2 ? Answer::Order::Random : Answer::Order::Alphabetical;
    return a;
}

// Opens the history on a connection of the test's own, closed at the end.
struct Reader
{
    explicit Reader(const QString &path)
    {
        opened = history::open(path, name);
    }
    ~Reader() { history::close(name); }
    QSqlDatabase db() const { return QSqlDatabase::database(name); }
    QString scalar(const QString &sql) const
    {
        QSqlQuery q(db());
        return q.exec(sql) && q.next() ? q.value(0).toString() : QString();
    }
    const QString name = QStringLiteral("reader");
    history::Opened opened;
};

// Splits CSV as a spreadsheet would: quoted fields may hold commas and
// doubled quotes.
QList<QStringList> parseCsv(const QString &text)
{
    QList<QStringList> rows;
    QStringList row;
    QString field;
    bool quoted = false;
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
                field += '"';
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                field += c;
            }
        } else if (c == '"') {
            quoted = true;
        } else if (c == ',') {
            row << field;
            field.clear();
        } else if (c == '\n') {
            rows << (row << field);
            row.clear();
            field.clear();
        } else {
            field += c;
        }
    }
    return rows;
}

QString exported(QSqlDatabase db)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    history::exportCsv(db, buffer);
    return QString::fromUtf8(bytes);
}

// The process a kill test kills: the real main window in a contest, its
// answers kept in the history at `path`; it says "heard N" once the sound of
// its N-th answer has been asked for, and answers until it is killed.
class AnnouncingSound final : public SoundPlayer
{
public:
    void play(const QString &name) override
    {
        if (name == kRightSound || name == kWrongSound) {
            std::printf("heard %d\n", ++answers);
            std::fflush(stdout);
        }
    }
    int answers = 0;
};

int answerUntilKilled(const QString &path)
{
    AnnouncingSound sound;
    FakeWebOpener web;
    FixedTimeOfDay clock;
    MersenneUnitRandom random;
    SqliteHistory history(path);
    Form1 form(Form1Services{sound, web, clock, random, {}, {}, &history});
    form.Form_Load();
    auto *mode = form.controls().get<ChoiceList>(QStringLiteral("Co2"));
    mode->setCurrentIndex(1);
    form.Co2_Click();
    std::mt19937 rng(1);
    for (;;) {
        form.ttx_Timer();
        // A few wrong tries, then the right one.
        const std::int16_t asked = form.state().quizOrder[form.state().quizPos];
        for (int t = 0; t < 3; ++t) {
            form.hr_Click(std::int16_t((asked + 1 + t) % 28));
            QThread::usleep(std::uniform_int_distribution<int>(500, 4000)(rng));
        }
        form.hr_Click(asked);
    }
}

} // namespace

class TestHistory : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void contestHandsOverTheJudgedAnswers_data();
    void contestHandsOverTheJudgedAnswers();
    void secondsCountFromTheFirstAsking();
    void answersAreKeptAndExported();
    void answersGoToTheChosenChild();
    void failuresNeverStopTheContest_data();
    void failuresNeverStopTheContest();
    void aFullDiskLosesOnlyWhatDidNotFit();
    void killedRightAfterAnAnswer();
    void exportFromTheCommandLine_data();
    void exportFromTheCommandLine();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString path() const { return m_dir->filePath("huroof/history.sqlite"); }
};

void TestHistory::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
}

void TestHistory::contestHandsOverTheJudgedAnswers_data()
{
    QTest::addColumn<int>("order"); // the order list's entry
    QTest::newRow("alphabetical board") << 0;
    QTest::newRow("random board") << 1;
}

void TestHistory::contestHandsOverTheJudgedAnswers()
{
    QFETCH(int, order);
    FormFixture f;
    // The sound and the marks come first: both are there when the answer
    // is handed over.
    QStringList soundAtHandOver;
    QList<bool> marksAtHandOver;
    f.answers.recorded = [&] {
        soundAtHandOver << f.sound.played.value(f.sound.played.size() - 1);
        marksAtHandOver << (f.image("Imy")->isVisibleTo(f.form.get()) != f.image("Imn")->isVisibleTo(f.form.get()));
    };
    f.pick("Co1", order);
    f.pick("Co2", 1);
    // Before the first question nothing is judged.
    f.click(0);
    f.click(5);
    QVERIFY(f.answers.answers.isEmpty());

    f.form->ttx_Timer();
    const int asked = f.markedPosition();
    const int wrong1 = (asked + 1) % 28;
    const int wrong2 = (asked + 9) % 28;
    f.click(wrong1);
    f.click(wrong2);
    f.click(asked);
    // Answered: clicks until the next question are not judged.
    f.click(wrong1);
    f.click(asked);
    QCOMPARE(f.answers.answers.size(), 3);

    f.form->ttx_Timer();
    const int next = f.markedPosition();
    f.click(next);

    const QList<Answer> &a = f.answers.answers;
    QCOMPARE(a.size(), 4);
    const auto letter = [&](int position) { return f.letterShownAt(position) + 1; };
    const Answer::Order expectedOrder = order == 1 ? Answer::Order::Random : Answer::Order::Alphabetical;
    const QList<std::tuple<int, int, bool, int>> expected{
        {letter(asked), letter(wrong1), false, 0},
        {letter(asked), letter(wrong2), false, 1},
        {letter(asked), letter(asked), true, 2},
        {letter(next), letter(next), true, 0},
    };
    for (int i = 0; i < a.size(); ++i) {
        QCOMPARE(std::make_tuple(a[i].asked, a[i].clicked, a[i].right, a[i].wrongTries), expected[i]);
        QCOMPARE(a[i].order, expectedOrder);
        QVERIFY(std::abs(a[i].time.secsTo(QDateTime::currentDateTimeUtc())) < 5);
        QCOMPARE(a[i].time.timeSpec(), Qt::UTC);
    }
    QCOMPARE(soundAtHandOver, QStringList({kWrongSound, kWrongSound, kRightSound, kRightSound}));
    QCOMPARE(marksAtHandOver, QList<bool>({true, true, true, true}));
}

void TestHistory::secondsCountFromTheFirstAsking()
{
    FormFixture f;
    f.pick("Co2", 1);
    f.form->ttx_Timer();
    QTest::qWait(300);
    // Asked again by the next tick: still the same question.
    f.form->ttx_Timer();
    f.click((f.markedPosition() + 1) % 28);
    f.click(f.markedPosition());
    QCOMPARE(f.answers.answers.size(), 2);
    QVERIFY2(f.answers.answers[1].seconds >= 0.3, qPrintable(QString::number(f.answers.answers[1].seconds)));
    // A new contest asks its first question afresh.
    f.pick("Co2", 1);
    f.form->ttx_Timer();
    f.click(f.markedPosition());
    QVERIFY(f.answers.answers.last().seconds < 0.2);
}

void TestHistory::answersAreKeptAndExported()
{
    QStringList complaints;
    QList<Answer> given;
    {
        SqliteHistory store(path(), [&](const QString &line) { complaints << line; });
        for (int i = 0; i < 40; ++i) {
            given << answer(1 + i % 28, 1 + (i * 7) % 28, i % 3,
                            QDateTime(QDate(2026, 3, 1), QTime(9, 0), Qt::UTC).addSecs(i * 61).addMSecs(i));
            store.record(given.last());
        }
        store.waitUntilWritten();
    }
    QVERIFY2(complaints.isEmpty(), qPrintable(complaints.join('\n')));
    Reader r(path());
    QVERIFY(r.opened.ok());
    QCOMPARE(r.scalar("PRAGMA journal_mode"), QStringLiteral("wal"));
    QCOMPARE(r.scalar("PRAGMA user_version"), QString::number(history::kSchemaVersion));
    QCOMPARE(r.scalar("PRAGMA integrity_check"), QStringLiteral("ok"));

    // A name a spreadsheet would misread, in every way a CSV can go wrong.
    const std::optional<int> child = history::addChild(r.db(), "=Sara, \"the elder\"");
    QVERIFY(child);
    QSqlQuery(r.db()).exec(QStringLiteral("UPDATE answers SET child = %1 WHERE id % 2 = 0").arg(*child));

    const QList<QStringList> rows = parseCsv(exported(r.db()));
    QCOMPARE(rows.value(0), QStringList({"time", "child", "asked", "clicked", "right", "wrong_tries", "seconds", "order"}));
    QCOMPARE(rows.size(), given.size() + 1);
    for (int i = 0; i < given.size(); ++i) {
        const QStringList &row = rows[i + 1];
        const Answer &a = given[i];
        QCOMPARE(QDateTime::fromString(row[0], Qt::ISODateWithMs), a.time);
        QVERIFY(row[0].endsWith('Z'));
        QCOMPARE(row[1], i % 2 ? QStringLiteral("'=Sara, \"the elder\"") : QStringLiteral("طفلي"));
        QCOMPARE(row[2].toInt(), a.asked);
        QCOMPARE(row[3].toInt(), a.clicked);
        QCOMPARE(row[4], a.right ? QStringLiteral("1") : QStringLiteral("0"));
        QCOMPARE(row[5].toInt(), a.wrongTries);
        QCOMPARE(row[6].toDouble(), a.seconds);
        QCOMPARE(row[7], a.order == Answer::Order::Random ? QStringLiteral("random") : QStringLiteral("alphabetical"));
    }
}

void TestHistory::answersGoToTheChosenChild()
{
    {
        Reader r(path());
        QCOMPARE(history::currentChild(r.db()), history::kDefaultChild);
        const std::optional<int> sara = history::addChild(r.db(), "  Sara ");
        QVERIFY(sara);
        QCOMPARE(history::addChild(r.db(), "Sara"), sara);
        QVERIFY(!history::addChild(r.db(), "   "));
        QVERIFY(history::setCurrentChild(r.db(), *sara));
    }
    {
        SqliteHistory store(path(), [](const QString &) {});
        store.record(answer(2, 3, 0));
        store.waitUntilWritten();
    }
    Reader r(path());
    // The choice outlived the connection that made it.
    QCOMPARE(history::children(r.db()).last().name, QStringLiteral("Sara"));
    QCOMPARE(history::currentChild(r.db()), history::children(r.db()).last().id);
    QCOMPARE(history::answerCount(r.db(), history::currentChild(r.db()), {}), 1);
    QCOMPARE(history::answerCount(r.db(), history::kDefaultChild, {}), 0);
}

void TestHistory::failuresNeverStopTheContest_data()
{
    QTest::addColumn<QString>("trouble");
    QTest::addColumn<bool>("kept");     // the answers reach a history
    QTest::addColumn<QString>("said");  // in the one line on stderr
    QTest::newRow("folder cannot be made") << "blocked" << false << "cannot open";
    QTest::newRow("corrupt file") << "corrupt" << true << "kept as";
    QTest::newRow("made by a newer program") << "newer" << false << "newer version";
}

void TestHistory::failuresNeverStopTheContest()
{
    QFETCH(QString, trouble);
    QFETCH(bool, kept);
    QFETCH(QString, said);
    QString file = path();
    QDir().mkpath(QFileInfo(file).path());
    if (trouble == "blocked") {
        writeBytes(m_dir->filePath("blocked"), "x");
        file = m_dir->filePath("blocked/huroof/history.sqlite");
    } else if (trouble == "corrupt") {
        writeBytes(file, QByteArray("not a database at all ").repeated(300));
    } else if (trouble == "newer") {
        Reader r(file);
        QSqlQuery(r.db()).exec("PRAGMA user_version = 99");
    }
    // The real window in a contest, its answers going to the troubled history.
    QStringList complaints;
    SqliteHistory store(file, [&](const QString &line) { complaints << line; });
    FormFixture f(false);
    f.form = std::make_unique<Form1>(Form1Services{f.sound, f.web, f.clock, f.random, {}, {}, &store});
    f.form->Form_Load();
    f.pick("Co2", 1);
    for (int question = 0; question < 3; ++question) {
        f.form->ttx_Timer();
        f.click((f.markedPosition() + 1) % 28);
        f.click(f.markedPosition());
    }
    store.waitUntilWritten();
    // The contest went on: three questions answered and marked.
    QCOMPARE(f.form->state().quizPos, 3);
    QCOMPARE(f.sound.played.count(kRightSound), 3);
    QCOMPARE(complaints.size(), 1);
    QVERIFY2(complaints[0].contains(said), qPrintable(complaints[0]));

    if (trouble == "corrupt") {
        const QStringList aside = QDir(QFileInfo(file).path()).entryList({"history.sqlite.corrupt-*"});
        QCOMPARE(aside.size(), 1);
        QCOMPARE(QFileInfo(QFileInfo(file).path() + "/" + aside[0]).size(), qint64(22 * 300));
    }
    if (trouble == "blocked")
        return;
    Reader r(file);
    if (kept) {
        QVERIFY(r.opened.ok());
        QCOMPARE(history::answerCount(r.db(), history::kDefaultChild, {}), 6);
    } else {
        // Left as it was for the newer program.
        QVERIFY(!r.opened.ok());
        QCOMPARE(r.scalar("PRAGMA user_version"), QStringLiteral("99"));
    }
}

void TestHistory::aFullDiskLosesOnlyWhatDidNotFit()
{
    // The file size limit stops writes as a full disk would.
    QStringList complaints;
    SqliteHistory store(path(), [&](const QString &line) { complaints << line; });
    store.record(answer(1, 1, 0));
    store.waitUntilWritten();
    {
        const DiskFullAt full(QFileInfo(path() + "-wal").size() + 1024);
        for (int i = 0; i < 50; ++i)
            store.record(answer(2, 3, i));
        store.waitUntilWritten();
    }
    QCOMPARE(complaints.size(), 1);
    QVERIFY2(complaints[0].contains("could not be kept"), qPrintable(complaints[0]));
    // Room again: answers are kept again, the file sound.
    store.record(answer(4, 4, 0));
    store.waitUntilWritten();
    Reader r(path());
    QCOMPARE(r.scalar("PRAGMA integrity_check"), QStringLiteral("ok"));
    const int count = history::answerCount(r.db(), history::kDefaultChild, {});
    QVERIFY2(count >= 2 && count < 52, qPrintable(QString::number(count)));
    QCOMPARE(r.scalar("SELECT asked FROM answers ORDER BY id DESC LIMIT 1"), QStringLiteral("4"));
}

void TestHistory::killedRightAfterAnAnswer()
{
    // Killed at several moments, each one while answers are being written.
    for (int heard : {1, 7, 40}) {
        QProcess child;
        child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("HISTORY_ANSWER_UNTIL_KILLED", path());
        child.setProcessEnvironment(env);
        child.start(QCoreApplication::applicationFilePath(), QStringList{});
        QVERIFY(child.waitForStarted());
        int last = 0;
        while (last < heard && child.waitForReadyRead(10000)) {
            while (child.canReadLine())
                last = QString::fromLatin1(child.readLine()).section(' ', 1).trimmed().toInt();
        }
        QVERIFY2(last >= heard, qPrintable(QString::number(last)));
        // Every answer heard 100 ms before the kill must be there.
        QTest::qWait(100);
        const int heardBefore = last;
        ::kill(pid_t(child.processId()), SIGKILL);
        QVERIFY(child.waitForFinished(5000));
        Reader r(path());
        QVERIFY(r.opened.ok());
        QCOMPARE(r.scalar("PRAGMA integrity_check"), QStringLiteral("ok"));
        const int kept = history::answerCount(r.db(), history::kDefaultChild, {});
        QVERIFY2(kept >= heardBefore, qPrintable(QStringLiteral("%1 kept, %2 heard").arg(kept).arg(heardBefore)));
        QFile::remove(path());
        QFile::remove(path() + "-wal");
        QFile::remove(path() + "-shm");
    }
}

void TestHistory::exportFromTheCommandLine_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<int>("code");
    QTest::newRow("to a file") << "out.csv" << 0;
    QTest::newRow("to standard output") << "-" << 0;
    QTest::newRow("into a missing folder") << "missing/out.csv" << 1;
}

void TestHistory::exportFromTheCommandLine()
{
    QFETCH(QString, target);
    QFETCH(int, code);
    {
        SqliteHistory store(path(), [](const QString &) {});
        store.record(answer(2, 2, 0, QDateTime(QDate(2026, 12, 1), QTime(8, 30, 5, 250), Qt::UTC)));
        store.record(answer(3, 4, 1, QDateTime(QDate(2026, 12, 1), QTime(8, 30, 9), Qt::UTC)));
    }
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_DATA_HOME", m_dir->path());
    p.setProcessEnvironment(env);
    p.setWorkingDirectory(m_dir->path());
    p.start(HUROOF_EXECUTABLE, {"--export-history", target});
    QVERIFY(p.waitForFinished(30000));
    QCOMPARE(p.exitCode(), code);
    if (code != 0) {
        QCOMPARE(p.readAllStandardError().count('\n'), 1);
        return;
    }
    QByteArray csv = p.readAllStandardOutput();
    if (target != "-") {
        QVERIFY(csv.isEmpty());
        QFile f(m_dir->filePath(target));
        QVERIFY(f.open(QIODevice::ReadOnly));
        csv = f.readAll();
    }
    QCOMPARE(QString::fromUtf8(csv), QStringLiteral("time,child,asked,clicked,right,wrong_tries,seconds,order\n"
                                                    "2026-12-01T08:30:05.250Z,طفلي,2,2,1,0,1.250,alphabetical\n"
                                                    "2026-12-01T08:30:09.000Z,طفلي,3,4,0,1,2.250,random\n"));
}

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QByteArray killed = qgetenv("HISTORY_ANSWER_UNTIL_KILLED");
    if (!killed.isEmpty())
        return answerUntilKilled(QString::fromLocal8Bit(killed));
    TestHistory test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_history.moc"
