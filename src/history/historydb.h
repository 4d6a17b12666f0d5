#pragma once

#include "history/answerlog.h"

#include <QDate>
#include <QList>
#include <QSqlDatabase>
#include <QString>

#include <array>
#include <optional>

class QIODevice;

// The learning history in SQLite: every judged answer of the modes that ask, the
// children it belongs to, and who is playing now. Plain functions over an
// open connection, used by the contest's writer thread, the progress window
// and the export, each on its own connection.
namespace history {

inline constexpr int kSchemaVersion = 3;

// The history file: huroof/history.sqlite in the platform's data folder.
QString defaultPath();

struct Opened
{
    QString error;      // empty when the history can be used
    QString movedAside; // where a corrupt file was kept, if one was found
    bool ok() const { return error.isEmpty(); }
};

enum class Access {
    // Creates the history when missing (its folders 0700, the file 0600),
    // in WAL mode, with its tables; a damaged file is moved aside (kept,
    // renamed) and a new one started. The files and their own folder are
    // narrowed to 0600 and 0700 where an older program left them readable
    // to all, a damaged file before it is moved aside.
    ReadWrite,
    // Changes nothing on disk: a missing or damaged history is an error and
    // stays as it was.
    ReadOnly,
};

// Opens the history at `path` on the named connection. A history made by a
// newer program is refused before anything is written to it.
Opened open(const QString &path, const QString &connection, Access access = Access::ReadWrite);
// A connection name no other user of the history in this process has:
// each thread and window needs its own.
QString uniqueConnection(const QString &prefix);
// Closes and forgets the connection.
void close(const QString &connection);

struct Child
{
    int id = 0;
    QString name;
};

// The default child: answers go to it until a grown-up names children.
inline constexpr int kDefaultChild = 1;

QList<Child> children(QSqlDatabase db);
// Adds a child, or finds one of that name; no value when the name is empty
// or the history cannot be written.
std::optional<int> addChild(QSqlDatabase db, const QString &name);
int currentChild(QSqlDatabase db);
bool setCurrentChild(QSqlDatabase db, int child);

// Every change below is made in a writer's transaction of its own, waiting
// for another process's writing to end.

// Keeps one answer for the current child.
// Returns the error, empty on success.
QString add(QSqlDatabase db, const Answer &answer);

// A stretch of time to look at: answers at or after `since` (UTC); null: all.
struct Period
{
    QDateTime since;
};

struct LetterScore
{
    int firstTries = 0;     // questions of this letter, at their first try
    int firstTryRight = 0;  // of them, right at once
};

struct Confusion
{
    int asked = 0;   // 1 ... 28
    int clicked = 0;
    int times = 0;
};

struct Day
{
    QDate date;  // local
    int answers = 0;
    int firstTries = 0;
    int firstTryRight = 0;
};

// The report's figures are of the letters by name: the contest's and
// practice's answers, not those of the letters' sounds or of words.
std::array<LetterScore, 28> letterScores(QSqlDatabase db, int child, const Period &period);
// Wrong answers by letter asked and letter clicked, the most frequent first.
QList<Confusion> confusions(QSqlDatabase db, int child, const Period &period);
QList<Day> days(QSqlDatabase db, int child, const Period &period);
int answerCount(QSqlDatabase db, int child, const Period &period);

// Every answer of a child, oldest first, of the modes this program knows.
QList<Answer> answers(QSqlDatabase db, int child);

// How practice brings in a child's new letters: the most common first
// (the default), or in alphabetical order.
bool alphabeticalNewLetters(QSqlDatabase db, int child);
bool setAlphabeticalNewLetters(QSqlDatabase db, int child, bool alphabetical);

// Every answer as CSV, oldest first:
// time,child,asked,clicked,right,wrong_tries,seconds,order,mode
bool exportCsv(QSqlDatabase db, QIODevice &out);

// The same from the history at `path`, opened for reading only: a missing
// history gives the header alone and makes no file. The error, empty on
// success.
QString exportCsv(const QString &path, QIODevice &out);

} // namespace history
