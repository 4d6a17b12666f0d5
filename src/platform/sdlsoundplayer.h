#pragma once

#include "soundplayer.h"

#include <QByteArray>
#include <QString>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

struct Mix_Chunk;

struct SdlSoundOptions
{
    // How long the device stays open after the last sound ended.
    std::chrono::milliseconds idleClose{500};
    // Runs on the worker thread each time the device has been opened;
    // benchmarks hook into the mixer's output there.
    std::function<void()> deviceOpened;
};

// The sound player over SDL2_mixer: one channel, 44.1 kHz, 512-sample chunks.
//
// play() only hands the request to a worker thread and returns; the worker
// opens the file at that moment, decodes it and plays it. The newest request
// wins: a request that arrives while an older one is still being read makes
// the older one be dropped, so a new sound always cuts off the old, and a
// large file being read is abandoned at once. A file that is missing,
// unreadable or undecodable plays the alert sound (given as WAV bytes).
//
// The audio device is open only while there is something to play: it is
// closed after a short silence and opened again for the next sound, because
// an open device mixes silence all the time and keeps the processor busy.
//
// Without an audio device the player stays silent and says so once on stderr.
class SdlSoundPlayer final : public SoundPlayer
{
public:
    using Options = SdlSoundOptions;

    SdlSoundPlayer(QString folder, QByteArray alertWav, Options options = {});
    ~SdlSoundPlayer() override;

    SdlSoundPlayer(const SdlSoundPlayer &) = delete;
    SdlSoundPlayer &operator=(const SdlSoundPlayer &) = delete;

    void play(const QString &relativeName) override;

    // Blocks until the worker has acted on every request made so far
    // (the sound started, or was dropped for a newer one). For tests and
    // benchmarks.
    void waitUntilHandled();

    // Whether the audio device is open now. For tests and benchmarks.
    bool deviceOpen() const { return m_deviceOpen.load(); }

    // The program's alert sound, compiled into the program.
    static QByteArray builtInAlert();

private:
    void run();
    bool openDevice();
    void closeDevice();
    void start(const std::string &path, std::uint64_t request);
    Mix_Chunk *load(const std::string &path, std::uint64_t request);
    bool superseded(std::uint64_t request);
    bool deviceLost();
    void freeCurrent();

    const QString m_folder;
    const QByteArray m_alertWav;
    const Options m_options;

    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::condition_variable m_handled;
    std::string m_pendingPath;     // empty: a name that left the folder
    std::uint64_t m_done = 0;      // the newest request acted on
    bool m_stopping = false;
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
