#include "sqlitehistory.h"

#include "history/historydb.h"
#include "platform/fileidentity.h"

#include <QFileInfo>
#include <QSqlDatabase>

#include <cstdio>

SqliteHistory::SqliteHistory(QString path, Complaint complain)
    : m_path(std::move(path))
    , m_connection(history::uniqueConnection(QStringLiteral("answers")))
    , m_complain(std::move(complain))
{
}

SqliteHistory::~SqliteHistory()
{
    stop(std::chrono::milliseconds::max());
    if (m_thread.joinable())
        m_thread.join();
}

void SqliteHistory::record(const Answer &answer)
{
    push({answer, {}});
}

void SqliteHistory::recall(std::function<void(Recalled)> done)
{
    if (done)
        push({{}, std::move(done)});
}

void SqliteHistory::push(Job job)
{
    {
        std::lock_guard lock(m_mutex);
        if (m_stopping)
            return;
        m_queue.push_back(std::move(job));
        if (!m_thread.joinable())
            m_thread = std::thread([this] { run(); });
    }
    m_wake.notify_one();
}

void SqliteHistory::waitUntilWritten()
{
    std::unique_lock lock(m_mutex);
    m_idle.wait(lock, [this] { return (m_queue.empty() && !m_writing) || m_finished || !m_thread.joinable(); });
}

bool SqliteHistory::stop(std::chrono::milliseconds within)
{
    std::unique_lock lock(m_mutex);
    m_stopping = true;
    m_wake.notify_all();
    if (!m_thread.joinable())
        return true;
    const auto finished = [this] { return m_finished; };
    if (within == std::chrono::milliseconds::max()) {
        m_idle.wait(lock, finished);
        return true;
    }
    return m_idle.wait_for(lock, within, finished);
}

void SqliteHistory::complain(const QString &line)
{
    // Said once for each trouble, not once for each answer.
    if (line == m_lastComplaint)
        return;
    m_lastComplaint = line;
    if (m_complain)
        m_complain(line);
    else
        std::fprintf(stderr, "huroof: learning history: %s\n", qUtf8Printable(line));
}

void SqliteHistory::run()
{
    bool open = false;
    FileIdentity openedFile;
    for (;;) {
        Job job;
        {
            std::unique_lock lock(m_mutex);
            m_writing = false;
            m_idle.notify_all();
            m_wake.wait(lock, [this] { return m_stopping || !m_queue.empty(); });
            if (m_queue.empty())
                break; // stopping, everything written
            job = std::move(m_queue.front());
            m_queue.pop_front();
            m_writing = true;
        }
        // The progress window (another process) may have moved a damaged
        // history aside and started a new one: answers go to the new one,
        // not into the file kept aside.
        if (open && fileIdentity(m_path) != openedFile) {
            history::close(m_connection);
            open = false;
        }
        if (job.done && !open && !QFileInfo::exists(m_path)) {
            job.done({});
            continue;
        }
        if (!open) {
            // Tried again at each answer while it fails: a folder made
            // writable, or room made on the disk, brings the history back.
            const history::Opened opened = history::open(m_path, m_connection);
            if (!opened.movedAside.isEmpty())
                complain(QStringLiteral("%1 was damaged; kept as %2, a new history started").arg(m_path, opened.movedAside));
            if (!opened.ok()) {
                complain(QStringLiteral("cannot open it, answers are not kept: %1").arg(opened.error));
                history::close(m_connection);
                if (job.done)
                    job.done({});
                continue;
            }
            open = true;
            openedFile = fileIdentity(m_path);
        }
        QSqlDatabase db = QSqlDatabase::database(m_connection, false);
        if (job.done) {
            Recalled recalled;
            const int child = history::currentChild(db);
            recalled.answers = history::answers(db, child);
            recalled.alphabetical = history::alphabeticalNewLetters(db, child);
            job.done(std::move(recalled));
            continue;
        }
        const QString error = history::add(db, job.answer);
        if (!error.isEmpty())
            complain(QStringLiteral("an answer could not be kept: %1").arg(error));
        else
            m_lastComplaint.clear();
    }
    history::close(m_connection);
    std::lock_guard lock(m_mutex);
    m_writing = false;
    m_finished = true;
    m_idle.notify_all();
}
