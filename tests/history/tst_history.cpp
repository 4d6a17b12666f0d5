// The learning history: the contest hands over exactly the answers it
// judged, the store keeps them through failures and kills, and the export
// gives them back.
#include "history/historydb.h"
#include "i18n/language.h"
#include "history/sqlitehistory.h"
#include "practice/fromhistory.h"
#include "shell/form1.h"
#include "shell/letters.h"
#include "ui/widgets.h"

#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cstdio>
#include <future>
#include <random>

#include "support/audiofixtures.h"
#include "support/disk.h"
#include "support/fakes.h"
#include "support/program.h"

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

// Every mode that keeps answers, with its name in the history and the
// export; the contest twice, as it is the most played.
const std::array<std::pair<Answer::Mode, const char *>, 5> kModes{{
    {Answer::Mode::Contest, "contest"},
    {Answer::Mode::Contest, "contest"},
    {Answer::Mode::Practice, "practice"},
    {Answer::Mode::Sounds, "sounds"},
    {Answer::Mode::Words, "words"},
}};

// A history as the program left it before the letters' sounds and words:
// schema 2, whose answers could be of the contest or practice alone.
void makeSchema2History(const QString &path, int answers)
{
    QDir().mkpath(QFileInfo(path).path());
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "schema2");
        db.setDatabaseName(path);
        db.open();
        QSqlQuery q(db);
        for (const char *sql : {
                 "PRAGMA journal_mode = WAL",
                 "CREATE TABLE children (id INTEGER PRIMARY KEY, name TEXT NOT NULL UNIQUE)",
                 "CREATE TABLE settings (key TEXT PRIMARY KEY, value TEXT NOT NULL)",
                 "CREATE TABLE answers (id INTEGER PRIMARY KEY, time TEXT NOT NULL,"
                 " child INTEGER NOT NULL REFERENCES children(id),"
                 " asked INTEGER NOT NULL CHECK (asked BETWEEN 1 AND 28),"
                 " clicked INTEGER NOT NULL CHECK (clicked BETWEEN 1 AND 28),"
                 " right INTEGER NOT NULL CHECK (right IN (0, 1)),"
                 " wrong_tries INTEGER NOT NULL CHECK (wrong_tries >= 0), seconds REAL NOT NULL,"
                 " board_order TEXT NOT NULL CHECK (board_order IN ('alphabetical', 'random')),"
                 " mode TEXT NOT NULL DEFAULT 'contest' CHECK (mode IN ('contest', 'practice')))",
                 "CREATE INDEX answers_by_child_and_time ON answers (child, time)",
                 "INSERT INTO children (id, name) VALUES (1, 'طفلي'), (2, 'سارة')",
                 "INSERT INTO settings (key, value) VALUES ('child', '2')",
             })
            QVERIFY2(q.exec(sql), qPrintable(q.lastError().text()));
        for (int i = 0; i < answers; ++i) {
            q.prepare("INSERT INTO answers (time, child, asked, clicked, right, wrong_tries, seconds, board_order, mode)"
                      " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)");
            q.addBindValue(QDateTime(QDate(2026, 2, 1), QTime(8, 0), Qt::UTC).addSecs(i * 7).toString(Qt::ISODateWithMs));
            q.addBindValue(1 + i % 2);
            q.addBindValue(1 + i % 28);
            q.addBindValue(1 + (i * 5) % 28);
            q.addBindValue(i % 28 == (i * 5) % 28 ? 1 : 0);
            q.addBindValue(i % 3);
            q.addBindValue(0.5 * i);
            q.addBindValue(i % 4 ? "alphabetical" : "random");
            q.addBindValue(i % 3 ? "contest" : "practice");
            QVERIFY2(q.exec(), qPrintable(q.lastError().text()));
        }
        q.exec("PRAGMA user_version = 2");
        db.close();
    }
    QSqlDatabase::removeDatabase("schema2");
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
        const ContestState &contest = dynamic_cast<const ContestMode &>(*form.mode(1)).state();
        const std::int16_t asked = contest.quizOrder[contest.quizPos];
        for (int t = 0; t < 3; ++t) {
            form.hr_Click(std::int16_t((asked + 1 + t) % 28));
            QThread::usleep(std::uniform_int_distribution<int>(500, 4000)(rng));
        }
        form.hr_Click(asked);
    }
}


// A history as a newer program might leave it: another schema, and the
// rollback journal rather than WAL. Returns its bytes.
QByteArray makeNewerHistory(const QString &path)
{
    QDir().mkpath(QFileInfo(path).path());
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "newer");
        db.setDatabaseName(path);
        db.open();
        QSqlQuery q(db);
        q.exec("PRAGMA journal_mode = DELETE");
        q.exec("CREATE TABLE lessons (id INTEGER PRIMARY KEY, name TEXT)");
        q.exec("INSERT INTO lessons (name) VALUES ('one')");
        q.exec("PRAGMA user_version = 99");
        db.close();
    }
    QSqlDatabase::removeDatabase("newer");
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

QByteArray bytesOf(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Every file under `folder`, with its size, for "nothing else changed".
QStringList filesUnder(const QString &folder)
{
    QStringList list;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        list << QStringLiteral("%1 %2").arg(QDir(folder).relativeFilePath(it.filePath())).arg(it.fileInfo().size());
    }
    list.sort();
    return list;
}

// huroof --export-history with the data folder `dataHome`.
struct Run
{
    int code = -1;
    QByteArray out;
    QByteArray err;
};

Run runExport(const QString &dataHome, const QString &target)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_DATA_HOME", dataHome);
    const ProgramRun r = runProgram(HUROOF_EXECUTABLE, {"--export-history", target}, env, 30000, dataHome);
    return {r.code, r.out, r.err};
}

// A process that writes `count` contest answers through the program's own
// writer (a second window of the program), adding a child now and then as
// the progress window does, and exits once all are written.
int writeAnswers(const QString &path, int count)
{
    SqliteHistory store(path);
    const QString connection = history::uniqueConnection("children");
    bool open = false;
    for (int i = 0; i < count; ++i) {
        store.record(answer(1 + i % 28, 1 + (i * 5) % 28, i % 3));
        if (i % 150 == 0) {
            if (!open) {
                const history::Opened opened = history::open(path, connection);
                if (!opened.ok())
                    std::fprintf(stderr, "the history could not be opened: %s\n", qPrintable(opened.error));
                open = opened.ok();
            }
            const QSqlDatabase db = QSqlDatabase::database(connection, false);
            if (open && !history::addChild(db, QStringLiteral("child %1").arg(QCoreApplication::applicationPid() % 1000)))
                std::fprintf(stderr, "a child could not be added\n");
        }
    }
    store.waitUntilWritten();
    history::close(connection);
    return 0;
}

} // namespace

class TestHistory : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void contestHandsOverTheJudgedAnswers_data();
    void contestHandsOverTheJudgedAnswers();
    void secondsCountFromTheFirstAsking();
    void answersAreKeptAndExported();
    void answersGoToTheChosenChild();
    void aHistoryOfTheLastSchemaIsBroughtUpToDate();
    void aHistoryOfContestAndPracticeTakesTheNewModes();
    void onlyAnswersByNameTellWhatANameIsKnown();
    void aModeOfALaterProgramIsPassedOver();
    void practiceReadsBackTheChildsAnswers();
    void failuresNeverStopTheContest_data();
    void failuresNeverStopTheContest();
    void aFullDiskLosesOnlyWhatDidNotFit();
    void killedRightAfterAnAnswer();
    void exportFromTheCommandLine_data();
    void exportFromTheCommandLine();
    void exportOnlyReads_data();
    void exportOnlyReads();
    void exportIntoWhatIsNotAFile_data();
    void exportIntoWhatIsNotAFile();
    void exportNeverWritesOverTheHistory_data();
    void exportNeverWritesOverTheHistory();
    void twoWritersLoseNothing();
    void anAnswerWaitsForAnotherWriter();
    void keptForItsOwnerOnly_data();
    void keptForItsOwnerOnly();
    void answersFollowAHistoryMovedAside();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString path() const { return m_dir->filePath("huroof/history.sqlite"); }
};

void TestHistory::initTestCase()
{
    // As an Arabic desktop has it: the first child's name, and every text.
    i18n::useLanguage(QStringLiteral("ar"));
}

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
            given.last().mode = kModes[std::size_t(i % 5)].first;
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
    QCOMPARE(rows.value(0), QStringList({"time", "child", "asked", "clicked", "right", "wrong_tries", "seconds", "order", "mode"}));
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
        QCOMPARE(row[8], QLatin1String(kModes[std::size_t(i % 5)].second));
    }
    // Read back for practice: the child's own answers, as they were given.
    QList<Answer> first;
    for (int i = 0; i < given.size(); i += 2)
        first << given[i];
    QCOMPARE(history::answers(r.db(), history::kDefaultChild), first);
}

// A history as the program's last version left it (schema 1, two
// children, 76 contest answers): opened for writing, every row is kept as
// it was and becomes a contest answer, in one step; opened for reading
// only, it is left as it is and exported the same.
void TestHistory::aHistoryOfTheLastSchemaIsBroughtUpToDate()
{
    QVERIFY(QDir().mkpath(QFileInfo(path()).path()));
    QVERIFY(QFile::copy(QFINDTESTDATA("history-v1.sqlite"), path()));
    QFile::setPermissions(path(), QFile::ReadOwner | QFile::WriteOwner);
    const auto rows = [](QSqlDatabase db) {
        QStringList list;
        QSqlQuery q(db);
        q.exec("SELECT a.id, a.time, c.name, a.asked, a.clicked, a.right, a.wrong_tries, a.seconds, a.board_order"
               " FROM answers a JOIN children c ON c.id = a.child ORDER BY a.id");
        while (q.next()) {
            QStringList fields;
            for (int i = 0; i < 9; ++i)
                fields << q.value(i).toString();
            list << fields.join(',');
        }
        return list;
    };
    QStringList before;
    QByteArray exportedBefore;
    {
        QBuffer out(&exportedBefore);
        out.open(QIODevice::WriteOnly);
        QCOMPARE(history::exportCsv(path(), out), QString());
        const QString name = "old";
        QVERIFY(history::open(path(), name, history::Access::ReadOnly).ok());
        QSqlQuery q(QSqlDatabase::database(name));
        QVERIFY(q.exec("PRAGMA user_version") && q.next());
        QCOMPARE(q.value(0).toInt(), 1);
        before = rows(QSqlDatabase::database(name));
        history::close(name);
    }
    QCOMPARE(before.size(), 76);
    QVERIFY(exportedBefore.startsWith("time,child,asked,clicked,right,wrong_tries,seconds,order,mode\n"));
    QCOMPARE(exportedBefore.count(",contest\n"), 76);

    // The contest of today's program writes into it.
    {
        SqliteHistory store(path(), [](const QString &line) { QFAIL(qPrintable(line)); });
        Answer practised = answer(3, 3, 0);
        practised.mode = Answer::Mode::Practice;
        store.record(practised);
        store.waitUntilWritten();
    }
    Reader r(path());
    QVERIFY(r.opened.ok());
    QCOMPARE(r.scalar("PRAGMA user_version"), QString::number(history::kSchemaVersion));
    QCOMPARE(r.scalar("PRAGMA integrity_check"), QStringLiteral("ok"));
    QCOMPARE(rows(r.db()).mid(0, 76), before);
    QCOMPARE(r.scalar("SELECT COUNT(*) FROM answers WHERE mode = 'contest'"), QStringLiteral("76"));
    QCOMPARE(r.scalar("SELECT mode FROM answers ORDER BY id DESC LIMIT 1"), QStringLiteral("practice"));
    // Answers still go to the child chosen in the old history.
    QCOMPARE(r.scalar("SELECT c.name FROM answers a JOIN children c ON c.id = a.child ORDER BY a.id DESC LIMIT 1"),
             QStringLiteral("سارة"));
    QByteArray exportedAfter;
    QBuffer out(&exportedAfter);
    out.open(QIODevice::WriteOnly);
    QVERIFY(history::exportCsv(r.db(), out));
    QVERIFY(exportedAfter.startsWith(exportedBefore));
    QVERIFY(exportedAfter.endsWith(",practice\n"));
}

// A history of schema 2 (contest and practice alone) takes the answers of
// the letters' sounds and of words once today's program writes to it: the
// table is made again in one step, every row kept as it was, its id too.
void TestHistory::aHistoryOfContestAndPracticeTakesTheNewModes()
{
    makeSchema2History(path(), 300);
    const auto rows = [](QSqlDatabase db) {
        QStringList list;
        QSqlQuery q(db);
        q.exec("SELECT id, time, child, asked, clicked, right, wrong_tries, seconds, board_order, mode FROM answers"
               " ORDER BY id");
        while (q.next()) {
            QStringList fields;
            for (int i = 0; i < 10; ++i)
                fields << q.value(i).toString();
            list << fields.join(',');
        }
        return list;
    };
    QStringList before;
    {
        const QString name = "before";
        QVERIFY(history::open(path(), name, history::Access::ReadOnly).ok());
        before = rows(QSqlDatabase::database(name));
        history::close(name);
    }
    QCOMPARE(before.size(), 300);

    {
        SqliteHistory store(path(), [](const QString &line) { QFAIL(qPrintable(line)); });
        for (const auto mode : {Answer::Mode::Sounds, Answer::Mode::Words}) {
            Answer a = answer(4, 4, 1);
            a.mode = mode;
            store.record(a);
        }
        store.waitUntilWritten();
    }
    Reader r(path());
    QVERIFY(r.opened.ok());
    QCOMPARE(r.scalar("PRAGMA user_version"), QString::number(history::kSchemaVersion));
    QCOMPARE(r.scalar("PRAGMA integrity_check"), QStringLiteral("ok"));
    QCOMPARE(r.scalar("PRAGMA foreign_key_check"), QString());
    const QStringList after = rows(r.db());
    QCOMPARE(after.mid(0, 300), before);
    QCOMPARE(after.size(), 302);
    QVERIFY(after[300].endsWith(",sounds"));
    QVERIFY(after[301].endsWith(",words"));
    // Still found by child and time, and still going to the child chosen.
    QCOMPARE(r.scalar("SELECT COUNT(*) FROM pragma_index_list('answers') WHERE name = 'answers_by_child_and_time'"),
             QStringLiteral("1"));
    QCOMPARE(r.scalar("SELECT DISTINCT child FROM answers WHERE id > 300"), QStringLiteral("2"));
    const QString csv = exported(r.db());
    QVERIFY(csv.contains(",sounds\n") && csv.endsWith(",words\n"));
}

// The report and practice read what a child knows of the letters' names:
// an answer to a syllable or a word tells something else, and counts in
// neither; the export has every answer.
void TestHistory::onlyAnswersByNameTellWhatANameIsKnown()
{
    Reader r(path());
    QVERIFY(r.opened.ok());
    const QDateTime start(QDate(2026, 3, 2), QTime(9, 0), Qt::UTC);
    QList<Answer> byName;
    for (int i = 0; i < 5; ++i) {
        Answer a = answer(2, 2, 0, start.addDays(i));
        a.mode = kModes[std::size_t(i)].first;
        QVERIFY(history::add(r.db(), a).isEmpty());
        if (a.mode == Answer::Mode::Contest || a.mode == Answer::Mode::Practice)
            byName << a;
    }
    Answer wrong = answer(9, 10, 0, start.addDays(6));
    wrong.mode = Answer::Mode::Sounds;
    QVERIFY(history::add(r.db(), wrong).isEmpty());

    const history::Period all;
    QCOMPARE(history::letterScores(r.db(), history::kDefaultChild, all)[1].firstTries, 3);
    QCOMPARE(history::letterScores(r.db(), history::kDefaultChild, all)[8].firstTries, 0);
    QVERIFY(history::confusions(r.db(), history::kDefaultChild, all).isEmpty());
    QCOMPARE(history::answerCount(r.db(), history::kDefaultChild, all), 3);
    QCOMPARE(history::days(r.db(), history::kDefaultChild, all).size(), 3);

    // Practice is given every answer, and takes those by name alone.
    const QList<Answer> recalled = history::answers(r.db(), history::kDefaultChild);
    QCOMPARE(recalled.size(), 6);
    const std::int64_t now = start.addDays(7).toSecsSinceEpoch();
    const practice::Scheduler fromAll = replayed(recalled, false, now);
    const practice::Scheduler fromNames = replayed(byName, false, now);
    for (int k = 0; k < 28; ++k) {
        QCOMPARE(fromAll.letter(k).timesAsked, fromNames.letter(k).timesAsked);
        QCOMPARE(fromAll.letter(k).firstTryRights, fromNames.letter(k).firstTryRights);
    }
    QCOMPARE(fromAll.letter(8).timesAsked, 0);
    QCOMPARE(parseCsv(exported(r.db())).size(), 7);
}

// A later program may keep answers of a mode this one does not know, in a
// history of the same schema: this one reads on, passing over them where
// it reads by mode, and exports them as they are.
void TestHistory::aModeOfALaterProgramIsPassedOver()
{
    {
        Reader r(path());
        QVERIFY(history::add(r.db(), answer(3, 3, 0)).isEmpty());
        QSqlQuery q(r.db());
        QVERIFY2(q.exec("INSERT INTO answers (time, child, asked, clicked, right, wrong_tries, seconds, board_order, mode)"
                        " VALUES ('2026-03-01T09:00:00.000Z', 1, 5, 6, 0, 0, 1.0, 'alphabetical', 'spelling')"),
                 qPrintable(q.lastError().text()));
    }
    {
        SqliteHistory store(path(), [](const QString &line) { QFAIL(qPrintable(line)); });
        store.record(answer(7, 7, 0));
        std::promise<Recalled> read;
        store.recall([&read](Recalled r) { read.set_value(std::move(r)); });
        const Recalled recalled = read.get_future().get();
        QCOMPARE(recalled.answers.size(), 2);
        QCOMPARE(recalled.answers[0].asked, 3);
        QCOMPARE(recalled.answers[1].asked, 7);
    }
    Reader r(path());
    QCOMPARE(history::confusions(r.db(), history::kDefaultChild, {}).size(), 0);
    QByteArray bytes;
    QBuffer out(&bytes);
    out.open(QIODevice::WriteOnly);
    QCOMPARE(history::exportCsv(path(), out), QString());
    QCOMPARE(bytes.count(",spelling\n"), 1);
}

// What practice is given back: every answer of the child playing now,
// those still being written among them, and the order of its new letters.
void TestHistory::practiceReadsBackTheChildsAnswers()
{
    // A history not made yet is not made for a reading.
    {
        SqliteHistory store(path(), [](const QString &) {});
        std::promise<Recalled> read;
        store.recall([&read](Recalled r) { read.set_value(std::move(r)); });
        QVERIFY(read.get_future().get().answers.isEmpty());
    }
    QVERIFY(!QFile::exists(path()));

    QList<Answer> given;
    {
        Reader r(path());
        const int other = *history::addChild(r.db(), "سارة");
        history::setCurrentChild(r.db(), other);
        QVERIFY(history::add(r.db(), answer(5, 5, 0)).isEmpty());
        history::setCurrentChild(r.db(), history::kDefaultChild);
        QVERIFY(history::setAlphabeticalNewLetters(r.db(), history::kDefaultChild, true));
    }
    SqliteHistory store(path(), [](const QString &) {});
    for (int i = 0; i < 200; ++i) {
        given << answer(1 + i % 28, 1 + (i * 3) % 28, i % 2, QDateTime(QDate(2026, 3, 1), QTime(9, 0), Qt::UTC).addSecs(i));
        store.record(given.last());
    }
    std::promise<Recalled> read;
    store.recall([&read](Recalled r) { read.set_value(std::move(r)); });
    const Recalled recalled = read.get_future().get();
    QCOMPARE(recalled.answers, given);
    QVERIFY(recalled.alphabetical);
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
    }
    const QByteArray newer = trouble == "newer" ? makeNewerHistory(file) : QByteArray();
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
    QCOMPARE(f.contest().state().quizPos, 3);
    QCOMPARE(f.sound.played.count(kRightSound), 3);
    QCOMPARE(complaints.size(), 1);
    QVERIFY2(complaints[0].contains(said), qPrintable(complaints[0]));

    // Practice goes on too, from what this session saw: the history, read
    // or not, never holds it up.
    f.pick("Co2", 2);
    QTest::qWait(100);
    QVERIFY(f.practice().scheduler());
    for (int question = 0; question < 3; ++question) {
        f.form->ttx_Timer();
        QVERIFY(f.practice().asked() >= 0);
        f.click(f.markedPosition());
    }
    store.waitUntilWritten();
    QCOMPARE(f.sound.played.count(kRightSound), 6);
    QCOMPARE(complaints.size(), 1);

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
        QCOMPARE(history::answerCount(r.db(), history::kDefaultChild, {}), 9);
    } else {
        // Left byte for byte as it was for the newer program: not even
        // switched to WAL.
        QVERIFY(!r.opened.ok());
        QCOMPARE(bytesOf(file), newer);
        QCOMPARE(QDir(QFileInfo(file).path()).entryList(QDir::Files), QStringList{"history.sqlite"});
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
    // The same bytes in every language: the header and the values are data
    // for a spreadsheet, not words for a person. Errors keep the program's
    // name first.
    for (const QString language : {"ar", "en", "fr"}) {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_DATA_HOME", m_dir->path());
        env.insert("LANGUAGE", language);
        env.insert("LANG", "en_US.UTF-8");
        for (const char *name : {"LC_ALL", "LC_MESSAGES"})
            env.remove(name);
        p.setProcessEnvironment(env);
        p.setWorkingDirectory(m_dir->path());
        p.start(HUROOF_EXECUTABLE, {"--export-history", target});
        QVERIFY(p.waitForFinished(30000));
        QCOMPARE(p.exitCode(), code);
        if (code != 0) {
            const QByteArray error = p.readAllStandardError();
            QCOMPARE(error.count('\n'), 1);
            QVERIFY2(error.startsWith("huroof: "), error.constData());
            continue;
        }
        QByteArray csv = p.readAllStandardOutput();
        if (target != "-") {
            QVERIFY(csv.isEmpty());
            QFile f(m_dir->filePath(target));
            QVERIFY(f.open(QIODevice::ReadOnly));
            csv = f.readAll();
        }
        QCOMPARE(QString::fromUtf8(csv), QStringLiteral("time,child,asked,clicked,right,wrong_tries,seconds,order,mode\n"
                                                        "2026-12-01T08:30:05.250Z,طفلي,2,2,1,0,1.250,alphabetical,contest\n"
                                                        "2026-12-01T08:30:09.000Z,طفلي,3,4,0,1,2.250,random,contest\n"));
    }
}

void TestHistory::exportOnlyReads_data()
{
    QTest::addColumn<QString>("history"); // what lies where the history is
    QTest::addColumn<int>("code");
    QTest::newRow("missing") << "missing" << 0;
    QTest::newRow("damaged") << "damaged" << 1;
    QTest::newRow("made by a newer program") << "newer" << 1;
    QTest::newRow("empty file") << "empty" << 0;
}

void TestHistory::exportOnlyReads()
{
    QFETCH(QString, history);
    QFETCH(int, code);
    const QString data = m_dir->filePath("data");
    QDir().mkpath(data);
    const QString file = data + "/huroof/history.sqlite";
    if (history == "damaged")
        writeBytes(file, QByteArray("SQLite format 3").append('\0').append(QByteArray(4000, '\x5a')));
    else if (history == "newer")
        makeNewerHistory(file);
    else if (history == "empty")
        writeBytes(file, {});
    const QStringList before = filesUnder(data);
    const QByteArray bytes = bytesOf(file);

    const Run run = runExport(data, "-");
    QCOMPARE(run.code, code);
    if (code == 0) {
        QCOMPARE(run.out, QByteArray("time,child,asked,clicked,right,wrong_tries,seconds,order,mode\n"));
        QVERIFY(run.err.isEmpty());
    } else {
        QCOMPARE(run.err.count('\n'), 1);
        QVERIFY2(run.err.startsWith("huroof: "), run.err.constData());
    }
    // Exactly as it was: not moved aside, not switched to WAL, no new file,
    // and no folder made for a history that is not there.
    QCOMPARE(filesUnder(data), before);
    QCOMPARE(bytesOf(file), bytes);
}

void TestHistory::exportIntoWhatIsNotAFile_data()
{
    QTest::addColumn<QString>("target");
    QTest::newRow("a FIFO") << "fifo";
    QTest::newRow("standard output by its name") << "/dev/stdout";
    QTest::newRow("a regular file, replaced") << "old.csv";
    QTest::newRow("a link to a regular file") << "link.csv";
}

void TestHistory::exportIntoWhatIsNotAFile()
{
    QFETCH(QString, target);
    {
        SqliteHistory store(path(), [](const QString &) {});
        store.record(answer(2, 2, 0, QDateTime(QDate(2026, 12, 1), QTime(8, 30, 5, 250), Qt::UTC)));
    }
    const QByteArray expected("time,child,asked,clicked,right,wrong_tries,seconds,order,mode\n"
                              "2026-12-01T08:30:05.250Z,طفلي,2,2,1,0,1.250,alphabetical,contest\n");
    const QString dir = m_dir->path();
    QByteArray written;
    if (target == "fifo") {
        QVERIFY(::mkfifo(QFile::encodeName(dir + "/fifo").constData(), 0600) == 0);
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_DATA_HOME", dir);
        p.setProcessEnvironment(env);
        // Opened before the writer, without waiting for it: a program that
        // replaced the FIFO instead of writing into it must not hang here.
        const int fd = ::open(QFile::encodeName(dir + "/fifo").constData(), O_RDONLY | O_NONBLOCK);
        QVERIFY(fd >= 0);
        p.start(HUROOF_EXECUTABLE, {"--export-history", dir + "/fifo"});
        bool finished = false;
        for (;;) {
            char buffer[4096];
            const ssize_t n = ::read(fd, buffer, sizeof buffer);
            if (n > 0) {
                written.append(buffer, int(n));
                continue;
            }
            if (finished)
                break;
            finished = p.waitForFinished(20);
        }
        ::close(fd);
        QCOMPARE(p.exitCode(), 0);
        QVERIFY(QFileInfo(dir + "/fifo").exists() && !QFileInfo(dir + "/fifo").isFile());
    } else if (target == "/dev/stdout") {
        const Run run = runExport(dir, target);
        QCOMPARE(run.code, 0);
        written = run.out;
    } else {
        writeBytes(dir + "/old.csv", "an older export\n");
        if (target == "link.csv")
            QVERIFY(QFile::link("old.csv", dir + "/link.csv"));
        const Run run = runExport(dir, target);
        QCOMPARE(run.code, 0);
        written = bytesOf(dir + "/old.csv");
        if (target == "link.csv")
            QCOMPARE(QFileInfo(dir + "/link.csv").symLinkTarget(), dir + "/old.csv");
        // Replaced in one step: no temporary file left beside it.
        QCOMPARE(QDir(dir).entryList({"*.csv*"}, QDir::Files | QDir::System).size(), target == "link.csv" ? 2 : 1);
    }
    QCOMPARE(written, expected);
}

void TestHistory::exportNeverWritesOverTheHistory_data()
{
    QTest::addColumn<QString>("target"); // in the data folder; "-": standard output, appended to the history
    QTest::newRow("the history itself") << "huroof/history.sqlite";
    QTest::newRow("through its folder") << "huroof/../huroof/history.sqlite";
    QTest::newRow("a symbolic link to it") << "link.csv";
    QTest::newRow("a hard link to it") << "hard.csv";
    QTest::newRow("its write-ahead log") << "huroof/history.sqlite-wal";
    QTest::newRow("its shared memory") << "huroof/history.sqlite-shm";
    QTest::newRow("standard output appended to it") << "-";
}

void TestHistory::exportNeverWritesOverTheHistory()
{
    QFETCH(QString, target);
    const QString dir = m_dir->path();
    // The child's window has the history open: its -wal and -shm are there.
    SqliteHistory store(path(), [](const QString &) {});
    store.record(answer(2, 2, 0));
    store.waitUntilWritten();
    QVERIFY(QFile::link("huroof/history.sqlite", dir + "/link.csv"));
    QVERIFY(::link(QFile::encodeName(path()).constData(), QFile::encodeName(dir + "/hard.csv").constData()) == 0);
    QList<QByteArray> before;
    for (const char *suffix : {"", "-wal", "-shm"})
        before << bytesOf(path() + suffix);

    ProgramRun run;
    if (target == "-") {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_DATA_HOME", dir);
        run = runProgram("bash", {"-c", "\"$0\" --export-history - >> \"$1\"", HUROOF_EXECUTABLE, path()}, env);
    } else {
        const Run r = runExport(dir, dir + "/" + target);
        run = {r.code, r.out, r.err};
    }
    QCOMPARE(run.code, 1);
    QVERIFY(run.out.isEmpty());
    QCOMPARE(run.err.count('\n'), 1);
    QVERIFY2(run.err.startsWith("huroof: ") && run.err.contains("the learning history itself"), run.err.constData());
    QList<QByteArray> after;
    for (const char *suffix : {"", "-wal", "-shm"})
        after << bytesOf(path() + suffix);
    QVERIFY(after == before);
    store.record(answer(3, 3, 0));
    store.waitUntilWritten();
    Reader r(path());
    QVERIFY(r.opened.ok() && r.opened.movedAside.isEmpty());
    QCOMPARE(r.scalar("SELECT group_concat(asked) FROM answers"), QStringLiteral("2,3"));
}

void TestHistory::twoWritersLoseNothing()
{
    // Two windows of the program at once, on a history neither has made
    // yet; one of them adds children as it goes, as the progress window
    // does. Every answer of both is kept.
    const int each = 3000;
    QList<QProcess *> writers;
    for (int i = 0; i < 2; ++i) {
        auto *p = new QProcess(this);
        p->setProcessChannelMode(QProcess::ForwardedOutputChannel);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("HISTORY_WRITE_ANSWERS", path());
        env.insert("HISTORY_ANSWER_COUNT", QString::number(each));
        p->setProcessEnvironment(env);
        writers << p;
    }
    for (QProcess *p : writers)
        p->start(QCoreApplication::applicationFilePath(), QStringList{});
    for (QProcess *p : writers) {
        QVERIFY(p->waitForFinished(120000));
        QCOMPARE(p->exitCode(), 0);
        const QByteArray said = p->readAllStandardError();
        QVERIFY2(!said.contains("huroof:") && !said.contains("could not"), said.constData());
    }
    qDeleteAll(writers);
    Reader r(path());
    QVERIFY(r.opened.ok());
    QCOMPARE(r.scalar("SELECT COUNT(*) FROM answers"), QString::number(2 * each));
}

void TestHistory::anAnswerWaitsForAnotherWriter()
{
    QVERIFY(history::open(path(), "holder").ok());
    SqliteHistory store(path(), [](const QString &) {});
    store.record(answer(1, 1, 0));
    store.waitUntilWritten();
    {
        // Another process holds the history's write lock for two seconds,
        // and writes in it, while the child answers.
        QSqlQuery q(QSqlDatabase::database("holder"));
        QVERIFY(q.exec("BEGIN IMMEDIATE"));
        QVERIFY(q.exec("INSERT INTO children (name) VALUES ('Sara')"));
        store.record(answer(2, 3, 0));
        QTest::qWait(2100);
        QVERIFY(q.exec("COMMIT"));
    }
    store.waitUntilWritten();
    history::close("holder");
    Reader r(path());
    QCOMPARE(r.scalar("SELECT group_concat(asked) FROM answers"), QStringLiteral("1,2"));
}

void TestHistory::keptForItsOwnerOnly_data()
{
    QTest::addColumn<QString>("history"); // what lies there before the history opens
    QTest::newRow("a new history") << "none";
    QTest::newRow("an older, open history") << "older";
    QTest::newRow("an older, open history, damaged") << "damaged";
    QTest::newRow("a history in a folder all may write into") << "shared";
}

void TestHistory::keptForItsOwnerOnly()
{
    QFETCH(QString, history);
    const mode_t mask = ::umask(022);
    const QString data = m_dir->filePath("share");
    const QString file = data + "/huroof/history.sqlite";
    const QFile::Permissions readable = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther;
    // As the first version of the program left them: the file and its
    // folder readable to all, in a data folder that is not the program's.
    if (history == "older") {
        {
            Reader r(file);
        }
    } else if (history == "damaged") {
        QDir().mkpath(data + "/huroof");
        writeBytes(file, QByteArray("not a database at all ").repeated(300));
    }
    if (history == "older" || history == "damaged") {
        for (const QString &f : {file, data + "/huroof", data})
            QFile::setPermissions(f, QFileInfo(f).permissions() | readable);
    } else if (history == "shared") {
        // Not the program's own folder, as /tmp is not: left as it is.
        QDir().mkpath(data + "/huroof");
        QCOMPARE(::chmod(QFile::encodeName(data + "/huroof").constData(), 01777), 0);
    }
    const QFile::Permissions dataBefore = QFileInfo(data).permissions();
    const QFile::Permissions folderBefore = QFileInfo(data + "/huroof").permissions();
    {
        SqliteHistory store(file, [](const QString &) {});
        store.record(answer(1, 1, 0));
        store.waitUntilWritten();
        const QFile::Permissions own = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser;
        // While it is open, all three files are there.
        for (const char *suffix : {"", "-wal", "-shm"}) {
            QVERIFY2(QFileInfo::exists(file + suffix), suffix);
            QCOMPARE(QFileInfo(file + suffix).permissions(), own);
        }
        // A damaged history is narrowed before it is moved aside.
        const QStringList aside = QDir(data + "/huroof").entryList({"history.sqlite.corrupt-*"}, QDir::Files);
        QCOMPARE(aside.size(), history == "damaged" ? 1 : 0);
        for (const QString &f : aside)
            QCOMPARE(QFileInfo(data + "/huroof/" + f).permissions(), own);
    }
    const QFile::Permissions own = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadUser
        | QFile::WriteUser | QFile::ExeUser;
    QCOMPARE(QFileInfo(data + "/huroof").permissions(), history == "shared" ? folderBefore : own);
    // The data folder is the program's when it makes it, and left as it
    // was when it was there.
    QCOMPARE(QFileInfo(data).permissions(), history == "none" ? own : dataBefore);
    ::chmod(QFile::encodeName(data + "/huroof").constData(), 0700);
    ::umask(mask);
}

void TestHistory::answersFollowAHistoryMovedAside()
{
    SqliteHistory store(path(), [](const QString &) {});
    store.record(answer(1, 1, 0));
    store.waitUntilWritten();
    // The progress window finds the history damaged while the child's
    // window has it open: it keeps it aside, and starts a new one.
    const QString aside = path() + ".corrupt-20261201T083000";
    for (const char *suffix : {"", "-wal", "-shm"})
        QVERIFY(QFile::rename(path() + suffix, aside + suffix));
    {
        Reader fresh(path());
        QVERIFY(fresh.opened.ok());
    }
    store.record(answer(2, 2, 0));
    store.waitUntilWritten();
    Reader r(path());
    QCOMPARE(r.scalar("SELECT group_concat(asked) FROM answers"), QStringLiteral("2"));
}

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QByteArray killed = qgetenv("HISTORY_ANSWER_UNTIL_KILLED");
    if (!killed.isEmpty())
        return answerUntilKilled(QString::fromLocal8Bit(killed));
    const QByteArray writer = qgetenv("HISTORY_WRITE_ANSWERS");
    if (!writer.isEmpty())
        return writeAnswers(QString::fromLocal8Bit(writer), qEnvironmentVariableIntValue("HISTORY_ANSWER_COUNT"));
    TestHistory test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_history.moc"
