#pragma once

#include "soundplayer.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

struct Mix_Chunk;

struct SdlSoundOptions
{
    // How long the device stays open after the last sound ended. Long enough
    // that a child clicking now and then, or a contest asking every five
    // seconds, never waits for the device to open or to close.
    std::chrono::milliseconds idleClose{15000};
    // Samples per mixing period: the silence already handed to the sound
    // server when a new sound starts is at most this long.
    int chunkSamples = 256;
    // The largest sound kept in memory, in bytes of decoded sound (16-bit
    // stereo at 44.1 kHz): over three hours. Anything longer gives the alert.
    std::size_t largestSound = std::size_t(2) << 30;
    // Runs on the worker thread each time the device has been opened;
    // benchmarks hook into the mixer's output there.
    std::function<void()> deviceOpened;
};

// The sound player over SDL2_mixer: one channel, 44.1 kHz 16-bit stereo.
//
// play() only hands the request to a worker thread and returns; the worker
// opens the file at that moment, decodes it and plays it. The newest request
// wins: a request that arrives while an older one is still being read makes
// the older one be dropped, so a new sound always cuts off the old, and a
// large file being read is abandoned at once. A file that is missing,
// unreadable or undecodable plays the alert sound (given as WAV bytes).
//
// The audio device is opened for the first sound and closed after a quiet
// spell (an open device mixes silence all the time and keeps the processor
// busy). A sound for a closed device is decoded before the device opens, so
// that it starts with the device's first period. A device that went away
// (a sound server stopped) is noticed before each sound and opened afresh.
//
// Without an audio device the player stays silent and says so once on stderr.
class SdlSoundPlayer final : public SoundPlayer
{
public:
    using Options = SdlSoundOptions;

    SdlSoundPlayer(QString folder, QByteArray alertWav, Options options = {});
    // Several folders: each sound is played from the first that holds it.
    SdlSoundPlayer(QStringList folders, QByteArray alertWav, Options options = {});
    ~SdlSoundPlayer() override;

    SdlSoundPlayer(const SdlSoundPlayer &) = delete;
    SdlSoundPlayer &operator=(const SdlSoundPlayer &) = delete;

    void play(const QString &relativeName) override;
    void silence() override;

    // Blocks until the worker has acted on every request made so far
    // (the sound started, or was dropped for a newer one). For tests and
    // benchmarks.
    void waitUntilHandled();

    // Stops the worker and waits for it at most the given time. Returns
    // false when it is stuck (a frozen sound server): the caller must then
    // end the process without running this object's destructor.
    bool stop(std::chrono::milliseconds within);

    // Whether the audio device is open now. For tests and benchmarks.
    bool deviceOpen() const { return m_deviceOpen.load(); }

    // The program's alert sound, compiled into the program.
    static QByteArray builtInAlert();

private:
    void run();
    bool openDevice();
    void closeDevice();
    void start(const QString &path, std::uint64_t request);
    bool decode(const QString &file, std::uint64_t request, Mix_Chunk *&chunk);
    bool superseded(std::uint64_t request);
    bool deviceLost();
    void freeCurrent();

    const QStringList m_folders;
    const QByteArray m_alertWav;
    const Options m_options;

    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::condition_variable m_handled;
    QString m_pendingName;         // as play() was given it
    bool m_pendingSilence = false; // silence() came after the last play()
    std::uint64_t m_done = 0;      // the newest request acted on
    bool m_stopping = false;
    bool m_finished = false;       // the worker has left its loop
    // The number of the newest request; read without the lock by a file
    // being read, to give up as soon as a newer request comes.
    std::atomic<std::uint64_t> m_requested{0};
    std::atomic<bool> m_deviceOpen{false};
    std::atomic<bool> m_quitting{false};

    // Owned by the worker thread alone. The mutex is never held while
    // calling SDL_mixer, which takes the audio device's own lock.
    Mix_Chunk *m_alert = nullptr;
    Mix_Chunk *m_current = nullptr;
    std::vector<unsigned char> m_currentSamples; // what m_current plays, when decoded here

    std::thread m_worker;
};
