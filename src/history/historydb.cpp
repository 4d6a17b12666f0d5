#include "historydb.h"

#include "platform/datafolder.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QIODevice>
#include <QSqlError>
#include <QSqlQuery>
#include <QThread>
#include <QVariant>

#include <array>
#include <atomic>
#include <optional>
#include <span>
#include <utility>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace history {

namespace {

// An answer's columns, as the table is made new and as an older table is
// made again.
#define HUROOF_ANSWER_COLUMNS                                                                  \
    " id INTEGER PRIMARY KEY,"                                                                 \
    " time TEXT NOT NULL,"                                                                     \
    " child INTEGER NOT NULL REFERENCES children(id),"                                         \
    " asked INTEGER NOT NULL CHECK (asked BETWEEN 1 AND 28),"                                  \
    " clicked INTEGER NOT NULL CHECK (clicked BETWEEN 1 AND 28),"                              \
    " right INTEGER NOT NULL CHECK (right IN (0, 1)),"                                         \
    " wrong_tries INTEGER NOT NULL CHECK (wrong_tries >= 0),"                                  \
    " seconds REAL NOT NULL,"                                                                  \
    " board_order TEXT NOT NULL CHECK (board_order IN ('alphabetical', 'random')),"            \
    " mode TEXT NOT NULL DEFAULT 'contest'"

const char *const kSchema[] = {
    "CREATE TABLE IF NOT EXISTS children ("
    " id INTEGER PRIMARY KEY,"
    " name TEXT NOT NULL UNIQUE)",
    "CREATE TABLE IF NOT EXISTS settings ("
    " key TEXT PRIMARY KEY,"
    " value TEXT NOT NULL)",
    "CREATE TABLE IF NOT EXISTS answers (" HUROOF_ANSWER_COLUMNS ")",
    "CREATE INDEX IF NOT EXISTS answers_by_child_and_time ON answers (child, time)",
};

// Every wait for another writer (a second window of the program, the
// progress window) is bounded by this.
constexpr int kBusyMilliseconds = 10000;

// A history of schema 1 knows only the contest: each answer gains its
// mode, and nothing else changes.
const char *const kFromSchema1[] = {
    "ALTER TABLE answers ADD COLUMN mode TEXT NOT NULL DEFAULT 'contest'",
};

// Schema 2 allowed the contest and practice alone. The mode is open from
// schema 3 on, so that a later program's new mode needs no new schema (and
// is not refused by this one): the table is made again without the check,
// every row kept with its id. Readers take the modes they know and pass
// over the others.
const char *const kFromSchema2[] = {
    "CREATE TABLE answers_open (" HUROOF_ANSWER_COLUMNS ")",
    "INSERT INTO answers_open (id, time, child, asked, clicked, right, wrong_tries, seconds, board_order, mode)"
    " SELECT id, time, child, asked, clicked, right, wrong_tries, seconds, board_order, mode FROM answers",
    "DROP TABLE answers",
    "ALTER TABLE answers_open RENAME TO answers",
    "CREATE INDEX answers_by_child_and_time ON answers (child, time)",
};

const char kCsvHeader[] = "time,child,asked,clicked,right,wrong_tries,seconds,order,mode\n";

const QString kTimeFormat = QStringLiteral("yyyy-MM-dd'T'HH:mm:ss.zzz'Z'");

QString timeText(const QDateTime &time)
{
    return time.toUTC().toString(kTimeFormat);
}

QString orderText(Answer::Order order)
{
    return order == Answer::Order::Random ? QStringLiteral("random") : QStringLiteral("alphabetical");
}

const std::array<std::pair<Answer::Mode, const char *>, 4> kModeTexts{{
    {Answer::Mode::Contest, "contest"},
    {Answer::Mode::Practice, "practice"},
    {Answer::Mode::Sounds, "sounds"},
    {Answer::Mode::Words, "words"},
}};

QString modeText(Answer::Mode mode)
{
    for (const auto &[known, text] : kModeTexts) {
        if (known == mode)
            return QString::fromLatin1(text);
    }
    return QStringLiteral("contest");
}

// Nothing for a mode this program does not know (a later one's).
std::optional<Answer::Mode> modeOf(const QString &text)
{
    for (const auto &[mode, known] : kModeTexts) {
        if (text == QLatin1String(known))
            return mode;
    }
    return std::nullopt;
}

// Runs one statement; the error text, empty on success.
QString exec(QSqlDatabase db, const QString &sql)
{
    QSqlQuery q(db);
    return q.exec(sql) ? QString() : q.lastError().text();
}

// A transaction that may write starts as a writer: BEGIN IMMEDIATE takes
// the write lock at once, waiting for another writer up to the busy
// timeout. A deferred transaction that reads first and writes later fails
// at once ("database is locked") when another process wrote in between.
// Rolled back unless committed.
class Writing
{
public:
    explicit Writing(QSqlDatabase db)
        : m_db(std::move(db))
    {
        QSqlQuery q(m_db);
        m_open = q.exec(QStringLiteral("BEGIN IMMEDIATE"));
        m_error = q.lastError();
    }
    ~Writing()
    {
        if (m_open)
            exec(m_db, QStringLiteral("ROLLBACK"));
    }
    Writing(const Writing &) = delete;
    Writing &operator=(const Writing &) = delete;

    bool started() const { return m_open; }
    QString error() const { return m_error.text(); }
    QSqlError sqlError() const { return m_error; }
    // The error, empty once the transaction is kept.
    QString commit()
    {
        const QString error = exec(m_db, QStringLiteral("COMMIT"));
        if (error.isEmpty())
            m_open = false;
        return error;
    }

private:
    QSqlDatabase m_db;
    QSqlError m_error;
    bool m_open = false;
};

// The primary result code of an error: SQLite's extended codes keep it in
// their low byte.
int resultCode(const QSqlError &error)
{
    return error.nativeErrorCode().toInt() & 0xff;
}

// What an error while opening means for what to do next.
enum class Trouble { Other, Corrupt, Busy };

Trouble troubleOf(const QSqlError &error)
{
    switch (resultCode(error)) {
    case 26: // SQLITE_NOTADB
    case 11: // SQLITE_CORRUPT
        return Trouble::Corrupt;
    case 5: // SQLITE_BUSY
    case 6: // SQLITE_LOCKED
        return Trouble::Busy;
    default:
        return Trouble::Other;
    }
}

// The user the process runs as, as QFileInfo::ownerId() names a file's
// owner.
uint ownUser()
{
#ifdef Q_OS_UNIX
    return uint(::geteuid());
#else
    return uint(-2);
#endif
}

// The history holds children's names: the file, and through it its -wal
// and -shm (which SQLite makes with the file's own permissions), are for
// their owner only, and so is the folder they lie in, the program's own.
// Those an older program made readable to all are narrowed. A folder
// others may write into is not the program's but a shared one (/tmp), and
// is left as it is.
void keepPrivate(const QString &path)
{
    const QFile::Permissions own = QFile::ReadOwner | QFile::WriteOwner;
    for (const char *suffix : {"", "-wal", "-shm"}) {
        QFile file(path + QLatin1String(suffix));
        if (file.exists() && (file.permissions() & ~(own | QFile::ReadUser | QFile::WriteUser)))
            file.setPermissions(own);
    }
    const QFileInfo folder(QFileInfo(path).path());
    const QFile::Permissions others = QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup | QFile::ReadOther
        | QFile::WriteOther | QFile::ExeOther;
    const QFile::Permissions now = folder.permissions();
    if (folder.isDir() && (now & others) && !(now & QFile::WriteOther) && folder.ownerId() == ownUser())
        QFile::setPermissions(folder.filePath(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

// Makes an empty history file readable by its owner only, before SQLite
// makes one with the process's usual permissions. An empty file is an
// empty database to SQLite.
void createPrivate(const QString &path)
{
    QFile file(path);
    if (!file.exists())
        file.open(QIODevice::WriteOnly | QIODevice::NewOnly, QFile::ReadOwner | QFile::WriteOwner);
}

QString setUp(QSqlDatabase db, Access access, const QString &path, Trouble *trouble)
{
    QSqlQuery q(db);
    // Read before anything that could write: a history made by a newer
    // program is refused as it is, byte for byte.
    if (!q.exec(QStringLiteral("PRAGMA user_version")) || !q.next()) {
        *trouble = troubleOf(q.lastError());
        return q.lastError().text();
    }
    const int version = q.value(0).toInt();
    q.finish();
    if (version > kSchemaVersion)
        return QStringLiteral("made by a newer version of the program (schema %1)").arg(version);
    if (access == Access::ReadWrite) {
        keepPrivate(path);
        if (!q.exec(QStringLiteral("PRAGMA journal_mode = WAL"))) {
            *trouble = troubleOf(q.lastError());
            return q.lastError().text();
        }
        q.finish();
    }
    if (!q.exec(QStringLiteral("PRAGMA quick_check")) || !q.next()) {
        *trouble = troubleOf(q.lastError());
        return q.lastError().text();
    }
    if (q.value(0).toString() != QLatin1String("ok")) {
        *trouble = Trouble::Corrupt;
        return q.value(0).toString();
    }
    q.finish();
    if (access == Access::ReadOnly)
        return {};
    // A process killed after a commit loses nothing: WAL with NORMAL
    // syncing keeps every committed answer unless the machine itself stops.
    exec(db, QStringLiteral("PRAGMA synchronous = NORMAL"));
    exec(db, QStringLiteral("PRAGMA foreign_keys = ON"));
    if (version == kSchemaVersion)
        return {};
    // Two processes may set up a new history at the same moment: the
    // second waits for the first, then finds the tables made.
    Writing writing(db);
    if (!writing.started()) {
        *trouble = troubleOf(writing.sqlError());
        return writing.error();
    }
    if (!q.exec(QStringLiteral("PRAGMA user_version")) || !q.next())
        return q.lastError().text();
    const int now = q.value(0).toInt();
    q.finish();
    if (now == kSchemaVersion)
        return {};
    if (now > kSchemaVersion)
        return QStringLiteral("made by a newer version of the program (schema %1)").arg(now);
    // An older history is brought up to date in place, in this one
    // transaction: all of it or, on any failure, nothing.
    if (now == 1 || now == 2) {
        const auto steps = now == 1 ? std::span<const char *const>(kFromSchema1) : std::span<const char *const>(kFromSchema2);
        for (const char *statement : steps) {
            const QString error = exec(db, QString::fromLatin1(statement));
            if (!error.isEmpty())
                return error;
        }
        const QString error = exec(db, QStringLiteral("PRAGMA user_version = %1").arg(kSchemaVersion));
        if (!error.isEmpty())
            return error;
        return writing.commit();
    }
    for (const char *statement : kSchema) {
        const QString error = exec(db, QString::fromLatin1(statement));
        if (!error.isEmpty())
            return error;
    }
    QSqlQuery child(db);
    child.prepare(QStringLiteral("INSERT OR IGNORE INTO children (id, name) VALUES (?, ?)"));
    child.addBindValue(kDefaultChild);
    // The first child's name, until a grown-up gives one: in the language
    // of whoever first opened the program.
    child.addBindValue(QCoreApplication::translate("History", "My child"));
    if (!child.exec())
        return child.lastError().text();
    const QString error = exec(db, QStringLiteral("PRAGMA user_version = %1").arg(kSchemaVersion));
    if (!error.isEmpty())
        return error;
    return writing.commit();
}

// Where a corrupt history is kept: beside it, named for the moment it was
// found.
QString asideName(const QString &path)
{
    return path + QStringLiteral(".corrupt-") + QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyyMMddTHHmmss"));
}

QSqlQuery select(QSqlDatabase db, const QString &sql, int child, const Period &period)
{
    QSqlQuery q(db);
    q.prepare(sql);
    q.bindValue(QStringLiteral(":child"), child);
    // Before any time the history can hold (a null text would be SQL's NULL,
    // which nothing is greater than).
    q.bindValue(QStringLiteral(":since"), period.since.isValid() ? timeText(period.since) : QStringLiteral("0000"));
    q.exec();
    return q;
}

const QString kInPeriod = QStringLiteral(" child = :child AND time >= :since ");

// The report is of the letters by name: the answers of the modes that ask
// a letter by its name. Schema 1 held the contest's alone.
QString byName(QSqlDatabase db)
{
    QSqlQuery q(db);
    const bool hasMode = q.exec(QStringLiteral("PRAGMA user_version")) && q.next() && q.value(0).toInt() >= 2;
    return hasMode ? QStringLiteral(" AND mode IN ('contest', 'practice') ") : QString();
}

// A CSV field: quoted when it must be; a text a spreadsheet would take for
// a formula is kept as text.
QString csvField(QString text)
{
    if (!text.isEmpty() && QStringLiteral("=+-@\t\r").contains(text.front()))
        text.prepend(QLatin1Char('\''));
    if (text.contains(QLatin1Char(',')) || text.contains(QLatin1Char('"')) || text.contains(QLatin1Char('\n'))
        || text.contains(QLatin1Char('\r'))) {
        text.replace(QLatin1String("\""), QLatin1String("\"\""));
        return QLatin1Char('"') + text + QLatin1Char('"');
    }
    return text;
}

} // namespace

QString defaultPath()
{
    return programDataFolder() + QStringLiteral("/history.sqlite");
}

Opened open(const QString &path, const QString &connection, Access access)
{
    Opened result;
    const QString folder = QFileInfo(path).path();
    if (access == Access::ReadWrite) {
        if (!makePrivateFolder(folder))
            return {QStringLiteral("cannot make the folder %1").arg(folder), {}};
        createPrivate(path);
    } else if (!QFileInfo(path).isFile()) {
        // Opening would make it.
        return {QStringLiteral("%1: no such file").arg(path), {}};
    }
    // SQLite answers "locked" without waiting in a few moments of a
    // history's life (two processes making it, or switching it to WAL, at
    // once); those are tried again for as long as any wait for a writer.
    const QDeadlineTimer deadline(kBusyMilliseconds);
    for (;;) {
        QSqlDatabase db = QSqlDatabase::contains(connection) ? QSqlDatabase::database(connection, false)
                                                              : QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        db.setDatabaseName(path);
        // The wait for another writer is set as the connection opens,
        // before its first statement.
        QString options = QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(kBusyMilliseconds);
        if (access == Access::ReadOnly)
            options += QStringLiteral(";QSQLITE_OPEN_READONLY");
        db.setConnectOptions(options);
        Trouble trouble = Trouble::Other;
        QString error;
        if (!db.open())
            error = db.lastError().text();
        else
            error = setUp(db, access, path, &trouble);
        if (error.isEmpty())
            return result;
        db.close();
        if (trouble == Trouble::Busy && !deadline.hasExpired()) {
            QThread::msleep(20);
            continue;
        }
        if (trouble != Trouble::Corrupt || !result.movedAside.isEmpty() || access == Access::ReadOnly)
            return {QStringLiteral("%1: %2").arg(path, error), result.movedAside};
        // Kept for whoever wants to look into it; the answers start afresh.
        // Narrowed first, as a healthy history is: a file keeps its
        // permissions through a rename.
        keepPrivate(path);
        const QString aside = asideName(path);
        if (!QFile::rename(path, aside))
            return {QStringLiteral("%1: %2, and it cannot be moved aside").arg(path, error), {}};
        for (const char *suffix : {"-wal", "-shm"}) {
            const QString extra = path + QLatin1String(suffix);
            if (QFile::exists(extra))
                QFile::rename(extra, aside + QLatin1String(suffix));
        }
        result.movedAside = aside;
        createPrivate(path);
    }
}

QString uniqueConnection(const QString &prefix)
{
    static std::atomic<int> count{0};
    return QStringLiteral("%1-%2").arg(prefix).arg(++count);
}

void close(const QString &connection)
{
    {
        QSqlDatabase db = QSqlDatabase::database(connection, false);
        if (db.isOpen())
            db.close();
    }
    QSqlDatabase::removeDatabase(connection);
}

QList<Child> children(QSqlDatabase db)
{
    QList<Child> list;
    QSqlQuery q(db);
    if (q.exec(QStringLiteral("SELECT id, name FROM children ORDER BY id"))) {
        while (q.next())
            list.append({q.value(0).toInt(), q.value(1).toString()});
    }
    return list;
}

std::optional<int> addChild(QSqlDatabase db, const QString &name)
{
    const QString trimmed = name.simplified();
    if (trimmed.isEmpty())
        return std::nullopt;
    Writing writing(db);
    if (!writing.started())
        return std::nullopt;
    std::optional<int> id;
    {
        QSqlQuery q(db);
        q.prepare(QStringLiteral("INSERT OR IGNORE INTO children (name) VALUES (?)"));
        q.addBindValue(trimmed);
        if (!q.exec())
            return std::nullopt;
        q.prepare(QStringLiteral("SELECT id FROM children WHERE name = ?"));
        q.addBindValue(trimmed);
        if (!q.exec() || !q.next())
            return std::nullopt;
        id = q.value(0).toInt();
    }
    if (!writing.commit().isEmpty())
        return std::nullopt;
    return id;
}

int currentChild(QSqlDatabase db)
{
    QSqlQuery q(db);
    if (q.exec(QStringLiteral("SELECT c.id FROM settings s JOIN children c ON c.id = CAST(s.value AS INTEGER)"
                              " WHERE s.key = 'child'"))
        && q.next())
        return q.value(0).toInt();
    return kDefaultChild;
}

bool setCurrentChild(QSqlDatabase db, int child)
{
    QSqlQuery q(db);
    q.prepare(QStringLiteral("INSERT INTO settings (key, value) VALUES ('child', ?)"
                             " ON CONFLICT (key) DO UPDATE SET value = excluded.value"));
    q.addBindValue(QString::number(child));
    return q.exec();
}

QString add(QSqlDatabase db, const Answer &answer)
{
    // The child is read and the answer written in one writer's
    // transaction: no other process can come between them.
    Writing writing(db);
    if (!writing.started())
        return writing.error();
    {
        QSqlQuery q(db);
        q.prepare(QStringLiteral("INSERT INTO answers (time, child, asked, clicked, right, wrong_tries, seconds, board_order,"
                                 " mode) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)"));
        q.addBindValue(timeText(answer.time));
        q.addBindValue(currentChild(db));
        q.addBindValue(answer.asked);
        q.addBindValue(answer.clicked);
        q.addBindValue(answer.right ? 1 : 0);
        q.addBindValue(answer.wrongTries);
        q.addBindValue(answer.seconds);
        q.addBindValue(orderText(answer.order));
        q.addBindValue(modeText(answer.mode));
        if (!q.exec())
            return q.lastError().text();
    }
    return writing.commit();
}

std::array<LetterScore, 28> letterScores(QSqlDatabase db, int child, const Period &period)
{
    std::array<LetterScore, 28> scores{};
    QSqlQuery q = select(db,
                         QStringLiteral("SELECT asked, COUNT(*), SUM(right) FROM answers WHERE") + kInPeriod
                             + byName(db) + QStringLiteral("AND wrong_tries = 0 GROUP BY asked"),
                         child, period);
    while (q.next()) {
        const int asked = q.value(0).toInt();
        if (asked >= 1 && asked <= 28)
            scores[std::size_t(asked - 1)] = {q.value(1).toInt(), q.value(2).toInt()};
    }
    return scores;
}

QList<Confusion> confusions(QSqlDatabase db, int child, const Period &period)
{
    QList<Confusion> list;
    QSqlQuery q = select(db,
                         QStringLiteral("SELECT asked, clicked, COUNT(*) AS n FROM answers WHERE") + kInPeriod
                             + byName(db) + QStringLiteral("AND right = 0 GROUP BY asked, clicked ORDER BY n DESC, asked, clicked"),
                         child, period);
    while (q.next())
        list.append({q.value(0).toInt(), q.value(1).toInt(), q.value(2).toInt()});
    return list;
}

QList<Day> days(QSqlDatabase db, int child, const Period &period)
{
    QList<Day> list;
    QSqlQuery q = select(db,
                         QStringLiteral("SELECT date(time, 'localtime') AS day, COUNT(*),"
                                        " SUM(wrong_tries = 0), SUM(wrong_tries = 0 AND right = 1)"
                                        " FROM answers WHERE")
                             + kInPeriod + byName(db) + QStringLiteral("GROUP BY day ORDER BY day"),
                         child, period);
    while (q.next()) {
        list.append({QDate::fromString(q.value(0).toString(), Qt::ISODate), q.value(1).toInt(), q.value(2).toInt(),
                     q.value(3).toInt()});
    }
    return list;
}

int answerCount(QSqlDatabase db, int child, const Period &period)
{
    QSqlQuery q = select(db, QStringLiteral("SELECT COUNT(*) FROM answers WHERE") + kInPeriod + byName(db), child, period);
    return q.next() ? q.value(0).toInt() : 0;
}

namespace {

// The answers' mode: a history opened for reading only may still be of
// schema 1, where every answer was the contest's.
QString modeColumn(QSqlDatabase db)
{
    QSqlQuery q(db);
    const bool hasMode = q.exec(QStringLiteral("PRAGMA user_version")) && q.next() && q.value(0).toInt() >= 2;
    return hasMode ? QStringLiteral("a.mode") : QStringLiteral("'contest'");
}

} // namespace

QList<Answer> answers(QSqlDatabase db, int child)
{
    QList<Answer> list;
    QSqlQuery q(db);
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("SELECT a.time, a.asked, a.clicked, a.right, a.wrong_tries, a.seconds, a.board_order, %1"
                             " FROM answers a WHERE a.child = ? ORDER BY a.id")
                  .arg(modeColumn(db)));
    q.addBindValue(child);
    if (!q.exec())
        return list;
    while (q.next()) {
        Answer a;
        a.time = QDateTime::fromString(q.value(0).toString(), Qt::ISODateWithMs);
        a.asked = q.value(1).toInt();
        a.clicked = q.value(2).toInt();
        a.right = q.value(3).toInt() == 1;
        a.wrongTries = q.value(4).toInt();
        a.seconds = q.value(5).toDouble();
        a.order = q.value(6).toString() == QLatin1String("random") ? Answer::Order::Random : Answer::Order::Alphabetical;
        const std::optional<Answer::Mode> mode = modeOf(q.value(7).toString());
        if (!mode)
            continue;
        a.mode = *mode;
        list.append(a);
    }
    return list;
}

namespace {

QString newLettersKey(int child)
{
    return QStringLiteral("new-letters:%1").arg(child);
}

} // namespace

bool alphabeticalNewLetters(QSqlDatabase db, int child)
{
    QSqlQuery q(db);
    q.prepare(QStringLiteral("SELECT value FROM settings WHERE key = ?"));
    q.addBindValue(newLettersKey(child));
    return q.exec() && q.next() && q.value(0).toString() == QLatin1String("alphabetical");
}

bool setAlphabeticalNewLetters(QSqlDatabase db, int child, bool alphabetical)
{
    QSqlQuery q(db);
    q.prepare(QStringLiteral("INSERT INTO settings (key, value) VALUES (?, ?)"
                             " ON CONFLICT (key) DO UPDATE SET value = excluded.value"));
    q.addBindValue(newLettersKey(child));
    q.addBindValue(alphabetical ? QStringLiteral("alphabetical") : QStringLiteral("common"));
    return q.exec();
}

namespace {

// The error, empty on success.
QString writeCsv(QSqlDatabase db, QIODevice &out)
{
    QSqlQuery q(db);
    q.setForwardOnly(true);
    if (!q.exec(QStringLiteral("SELECT a.time, c.name, a.asked, a.clicked, a.right, a.wrong_tries, a.seconds,"
                               " a.board_order, %1 FROM answers a JOIN children c ON c.id = a.child ORDER BY a.id")
                    .arg(modeColumn(db))))
        return q.lastError().text();
    if (out.write(kCsvHeader) < 0)
        return out.errorString();
    while (q.next()) {
        const QString line = QStringList{q.value(0).toString(),
                                         csvField(q.value(1).toString()),
                                         q.value(2).toString(),
                                         q.value(3).toString(),
                                         q.value(4).toString(),
                                         q.value(5).toString(),
                                         QString::number(q.value(6).toDouble(), 'f', 3),
                                         q.value(7).toString(),
                                         q.value(8).toString()}
                                 .join(QLatin1Char(','))
            + QLatin1Char('\n');
        if (out.write(line.toUtf8()) < 0)
            return out.errorString();
    }
    return q.lastError().isValid() ? q.lastError().text() : QString();
}

} // namespace

bool exportCsv(QSqlDatabase db, QIODevice &out)
{
    return writeCsv(db, out).isEmpty();
}

QString exportCsv(const QString &path, QIODevice &out)
{
    if (!QFileInfo::exists(path))
        return out.write(kCsvHeader) < 0 ? out.errorString() : QString();
    const QString connection = uniqueConnection(QStringLiteral("export"));
    const auto write = [&]() -> QString {
        const Opened opened = open(path, connection, Access::ReadOnly);
        if (!opened.ok())
            return opened.error;
        QSqlDatabase db = QSqlDatabase::database(connection, false);
        QSqlQuery q(db);
        if (!q.exec(QStringLiteral("PRAGMA user_version")) || !q.next())
            return q.lastError().text();
        // An empty file: no answers yet.
        const bool empty = q.value(0).toInt() == 0;
        q.finish();
        if (empty)
            return out.write(kCsvHeader) < 0 ? out.errorString() : QString();
        return writeCsv(db, out);
    };
    const QString error = write();
    close(connection);
    return error;
}

} // namespace history
