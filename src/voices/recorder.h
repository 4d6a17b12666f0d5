#pragma once

#include "voices/take.h"

#include <QObject>
#include <QString>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

// Records a take from the microphone. start() and stop() return at once;
// the take, or the reason there is none, arrives later as a signal on the
// user-interface thread.
class Recorder : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;
    // Starts a take; it stops by itself after the longest take.
    virtual void start() = 0;
    // Ends the take now.
    virtual void stop() = 0;
    // How loud the latest stretch was: its peak, 0 to 1.
    virtual float level() const = 0;

signals:
    void finished(const voices::Take &take);
    void failed(const QString &message);
};

// Through SDL2's capture API, 44.1 kHz mono, on a thread of its own: the
// user-interface thread never waits for a microphone to open or close. A
// microphone that never opens (a frozen sound server) holds that thread, not
// the window: the next start() is refused with a message, and finish() gives
// up in time.
class SdlRecorder final : public Recorder
{
    Q_OBJECT
public:
    explicit SdlRecorder(std::chrono::milliseconds longest = std::chrono::seconds(5), QObject *parent = nullptr);
    ~SdlRecorder() override;

    void start() override;
    void stop() override;
    float level() const override { return m_level.load(); }

    // Ends the take and waits for the microphone to close, at most the given
    // time. False when it is stuck (a frozen sound server holding the
    // microphone's opening): the caller must then end the process without
    // running this object's destructor.
    bool finish(std::chrono::milliseconds within);

private:
    void run();
    void takeOne();
    static void captured(void *self, unsigned char *bytes, int length);

    const std::chrono::milliseconds m_longest;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_stopping = false;
    bool m_full = false;
    bool m_running = false; // a take's thread has not yet ended
    voices::Take m_take;
    std::atomic<float> m_level{0};
    std::thread m_thread;
};
