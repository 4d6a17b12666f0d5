#pragma once

#include "soundplayer.h"

#include <QByteArray>
#include <QString>

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>

struct Mix_Chunk;

// The sound player over SDL2_mixer: one channel, 44.1 kHz, 512-sample chunks.
//
// play() only hands the request to a worker thread and returns; the worker
// opens the file at that moment, decodes it and plays it. Requests are
// "newest wins": a request that arrives while an older one is still being
// decoded makes the older one be dropped, so a new sound always cuts off the
// old. A file that is missing, unreadable or undecodable plays the alert
// sound (given as WAV bytes) instead.
//
// Without an audio device the player stays silent and says so once on stderr.
class SdlSoundPlayer final : public SoundPlayer
{
public:
    SdlSoundPlayer(QString folder, QByteArray alertWav);
    ~SdlSoundPlayer() override;

    SdlSoundPlayer(const SdlSoundPlayer &) = delete;
    SdlSoundPlayer &operator=(const SdlSoundPlayer &) = delete;

    void play(const QString &relativeName) override;

    // Blocks until the worker has acted on every request made so far
    // (the sound started, or was dropped for a newer one). For tests and
    // benchmarks.
    void waitUntilHandled();

    // The program's alert sound, compiled into the program.
    static QByteArray builtInAlert();

private:
    void run();
    bool openAudio();
    void closeAudio();
    void start(const std::string &path, std::uint64_t request);

    const QString m_folder;
    const QByteArray m_alertWav;

    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::condition_variable m_handled;
    std::string m_pendingPath;         // empty path: the alert
    std::uint64_t m_requested = 0;     // number of the newest request
    std::uint64_t m_done = 0;          // number of the newest request acted on
    bool m_stopping = false;

    // Owned by the worker thread alone.
    Mix_Chunk *m_alert = nullptr;
    Mix_Chunk *m_current = nullptr;
    bool m_audioOpen = false;

    std::thread m_worker;
};
