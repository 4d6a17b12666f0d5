#pragma once

#include "history/answerlog.h"

#include <QString>

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

// The contest's answers kept in the SQLite history, written on a thread of
// its own: record() only queues the answer. The file is opened with the
// first answer, so a child who only listens costs nothing. A history that
// cannot be opened or written never stops the contest: the answer is
// dropped and one line goes to stderr (again only once the trouble has
// changed).
class SqliteHistory final : public AnswerLog
{
public:
    // Where problems are told; stderr unless a test listens.
    using Complaint = std::function<void(const QString &line)>;

    explicit SqliteHistory(QString path, Complaint complain = {});
    ~SqliteHistory() override;

    SqliteHistory(const SqliteHistory &) = delete;
    SqliteHistory &operator=(const SqliteHistory &) = delete;

    void record(const Answer &answer) override;
    // Read on the writer's thread, after the answers queued before it; a
    // history not made yet is not made for it.
    void recall(std::function<void(Recalled)> done) override;

    // Blocks until every answer recorded so far has been written or
    // dropped. For tests and benchmarks.
    void waitUntilWritten();

    // Writes what is queued and stops, waiting at most the given time.
    // False when the writer is stuck (a frozen disk): the caller must then
    // end the process without running this object's destructor.
    bool stop(std::chrono::milliseconds within);

private:
    void run();
    void complain(const QString &line);

    const QString m_path;
    const QString m_connection;
    const Complaint m_complain;
    QString m_lastComplaint;

    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::condition_variable m_idle;
    // An answer to write, or, with `done`, a reading to make.
    struct Job
    {
        Answer answer;
        std::function<void(Recalled)> done;
    };
    void push(Job job);
    std::deque<Job> m_queue;
    bool m_writing = false;
    bool m_stopping = false;
    bool m_finished = false;
    std::thread m_thread; // started with the first answer
};
