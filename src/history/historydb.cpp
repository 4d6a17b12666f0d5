#include "historydb.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QIODevice>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QVariant>

#include <atomic>

namespace history {

namespace {

const char *const kSchema[] = {
    "CREATE TABLE IF NOT EXISTS children ("
    " id INTEGER PRIMARY KEY,"
    " name TEXT NOT NULL UNIQUE)",
    "CREATE TABLE IF NOT EXISTS settings ("
    " key TEXT PRIMARY KEY,"
    " value TEXT NOT NULL)",
    "CREATE TABLE IF NOT EXISTS answers ("
    " id INTEGER PRIMARY KEY,"
    " time TEXT NOT NULL,"
    " child INTEGER NOT NULL REFERENCES children(id),"
    " asked INTEGER NOT NULL CHECK (asked BETWEEN 1 AND 28),"
    " clicked INTEGER NOT NULL CHECK (clicked BETWEEN 1 AND 28),"
    " right INTEGER NOT NULL CHECK (right IN (0, 1)),"
    " wrong_tries INTEGER NOT NULL CHECK (wrong_tries >= 0),"
    " seconds REAL NOT NULL,"
    " board_order TEXT NOT NULL CHECK (board_order IN ('alphabetical', 'random')))",
    "CREATE INDEX IF NOT EXISTS answers_by_child_and_time ON answers (child, time)",
};

const QString kTimeFormat = QStringLiteral("yyyy-MM-dd'T'HH:mm:ss.zzz'Z'");

QString timeText(const QDateTime &time)
{
    return time.toUTC().toString(kTimeFormat);
}

QString orderText(Answer::Order order)
{
    return order == Answer::Order::Random ? QStringLiteral("random") : QStringLiteral("alphabetical");
}

// Runs one statement; the error text, empty on success.
QString exec(QSqlDatabase db, const QString &sql)
{
    QSqlQuery q(db);
    return q.exec(sql) ? QString() : q.lastError().text();
}

bool isNotADatabase(const QSqlError &error)
{
    // SQLITE_NOTADB (26) and SQLITE_CORRUPT (11).
    const QString code = error.nativeErrorCode();
    return code == QLatin1String("26") || code == QLatin1String("11");
}

QString setUp(QSqlDatabase db, bool *corrupt)
{
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("PRAGMA journal_mode = WAL"))) {
        *corrupt = isNotADatabase(q.lastError());
        return q.lastError().text();
    }
    if (!q.exec(QStringLiteral("PRAGMA quick_check")) || !q.next()) {
        *corrupt = isNotADatabase(q.lastError());
        return q.lastError().text();
    }
    if (q.value(0).toString() != QLatin1String("ok")) {
        *corrupt = true;
        return q.value(0).toString();
    }
    // A process killed after a commit loses nothing: WAL with NORMAL
    // syncing keeps every committed answer unless the machine itself stops.
    exec(db, QStringLiteral("PRAGMA synchronous = NORMAL"));
    exec(db, QStringLiteral("PRAGMA foreign_keys = ON"));
    exec(db, QStringLiteral("PRAGMA busy_timeout = 2000"));
    if (!q.exec(QStringLiteral("PRAGMA user_version")) || !q.next())
        return q.lastError().text();
    const int version = q.value(0).toInt();
    if (version > kSchemaVersion)
        return QStringLiteral("made by a newer version of the program (schema %1)").arg(version);
    if (version == kSchemaVersion)
        return {};
    if (!db.transaction())
        return db.lastError().text();
    for (const char *statement : kSchema) {
        const QString error = exec(db, QString::fromLatin1(statement));
        if (!error.isEmpty()) {
            db.rollback();
            return error;
        }
    }
    QSqlQuery child(db);
    child.prepare(QStringLiteral("INSERT OR IGNORE INTO children (id, name) VALUES (?, ?)"));
    child.addBindValue(kDefaultChild);
    child.addBindValue(QStringLiteral("طفلي"));
    if (!child.exec() || !exec(db, QStringLiteral("PRAGMA user_version = %1").arg(kSchemaVersion)).isEmpty()) {
        const QString error = child.lastError().text();
        db.rollback();
        return error.isEmpty() ? QStringLiteral("cannot set up the history") : error;
    }
    return db.commit() ? QString() : db.lastError().text();
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
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/huroof/history.sqlite");
}

Opened open(const QString &path, const QString &connection)
{
    Opened result;
    if (!QDir().mkpath(QFileInfo(path).path()))
        return {QStringLiteral("cannot make the folder %1").arg(QFileInfo(path).path()), {}};
    for (int attempt = 0; attempt < 2; ++attempt) {
        QSqlDatabase db = QSqlDatabase::contains(connection) ? QSqlDatabase::database(connection, false)
                                                              : QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        db.setDatabaseName(path);
        bool corrupt = false;
        QString error;
        if (!db.open())
            error = db.lastError().text();
        else
            error = setUp(db, &corrupt);
        if (error.isEmpty())
            return result;
        db.close();
        if (!corrupt || attempt > 0)
            return {QStringLiteral("%1: %2").arg(path, error), result.movedAside};
        // Kept for whoever wants to look into it; the answers start afresh.
        const QString aside = asideName(path);
        if (!QFile::rename(path, aside))
            return {QStringLiteral("%1: %2, and it cannot be moved aside").arg(path, error), {}};
        for (const char *suffix : {"-wal", "-shm"}) {
            const QString extra = path + QLatin1String(suffix);
            if (QFile::exists(extra))
                QFile::rename(extra, aside + QLatin1String(suffix));
        }
        result.movedAside = aside;
    }
    return result;
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
    QSqlQuery q(db);
    q.prepare(QStringLiteral("INSERT OR IGNORE INTO children (name) VALUES (?)"));
    q.addBindValue(trimmed);
    if (!q.exec())
        return std::nullopt;
    q.prepare(QStringLiteral("SELECT id FROM children WHERE name = ?"));
    q.addBindValue(trimmed);
    if (!q.exec() || !q.next())
        return std::nullopt;
    return q.value(0).toInt();
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
    if (!db.transaction())
        return db.lastError().text();
    QSqlQuery q(db);
    q.prepare(QStringLiteral("INSERT INTO answers (time, child, asked, clicked, right, wrong_tries, seconds, board_order)"
                             " VALUES (?, ?, ?, ?, ?, ?, ?, ?)"));
    q.addBindValue(timeText(answer.time));
    q.addBindValue(currentChild(db));
    q.addBindValue(answer.asked);
    q.addBindValue(answer.clicked);
    q.addBindValue(answer.right ? 1 : 0);
    q.addBindValue(answer.wrongTries);
    q.addBindValue(answer.seconds);
    q.addBindValue(orderText(answer.order));
    if (!q.exec()) {
        const QString error = q.lastError().text();
        db.rollback();
        return error;
    }
    if (!db.commit()) {
        const QString error = db.lastError().text();
        db.rollback();
        return error;
    }
    return {};
}

std::array<LetterScore, 28> letterScores(QSqlDatabase db, int child, const Period &period)
{
    std::array<LetterScore, 28> scores{};
    QSqlQuery q = select(db,
                         QStringLiteral("SELECT asked, COUNT(*), SUM(right) FROM answers WHERE") + kInPeriod
                             + QStringLiteral("AND wrong_tries = 0 GROUP BY asked"),
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
                             + QStringLiteral("AND right = 0 GROUP BY asked, clicked ORDER BY n DESC, asked, clicked"),
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
                             + kInPeriod + QStringLiteral("GROUP BY day ORDER BY day"),
                         child, period);
    while (q.next()) {
        list.append({QDate::fromString(q.value(0).toString(), Qt::ISODate), q.value(1).toInt(), q.value(2).toInt(),
                     q.value(3).toInt()});
    }
    return list;
}

int answerCount(QSqlDatabase db, int child, const Period &period)
{
    QSqlQuery q = select(db, QStringLiteral("SELECT COUNT(*) FROM answers WHERE") + kInPeriod, child, period);
    return q.next() ? q.value(0).toInt() : 0;
}

bool exportCsv(QSqlDatabase db, QIODevice &out)
{
    QSqlQuery q(db);
    q.setForwardOnly(true);
    if (!q.exec(QStringLiteral("SELECT a.time, c.name, a.asked, a.clicked, a.right, a.wrong_tries, a.seconds,"
                               " a.board_order FROM answers a JOIN children c ON c.id = a.child ORDER BY a.id")))
        return false;
    if (out.write("time,child,asked,clicked,right,wrong_tries,seconds,order\n") < 0)
        return false;
    while (q.next()) {
        const QString line = QStringList{q.value(0).toString(),
                                         csvField(q.value(1).toString()),
                                         q.value(2).toString(),
                                         q.value(3).toString(),
                                         q.value(4).toString(),
                                         q.value(5).toString(),
                                         QString::number(q.value(6).toDouble(), 'f', 3),
                                         q.value(7).toString()}
                                 .join(QLatin1Char(','))
            + QLatin1Char('\n');
        if (out.write(line.toUtf8()) < 0)
            return false;
    }
    return true;
}

} // namespace history
