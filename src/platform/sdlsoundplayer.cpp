#include "sdlsoundplayer.h"

#include "soundpath.h"

#include <QFile>

#include <SDL.h>
#include <SDL_mixer.h>

#include <cstdio>
#include <filesystem>

namespace {

constexpr int kRate = 44100;
constexpr int kChannels = 2;
constexpr int kChunkSamples = 512;
constexpr int kChannel = 0;

Mix_Chunk *loadFile(const std::string &path)
{
    // Only regular files: opening a FIFO or a device could block forever.
    std::error_code error;
    if (path.empty() || !std::filesystem::is_regular_file(path, error))
        return nullptr;
    SDL_RWops *stream = SDL_RWFromFile(path.c_str(), "rb");
    if (!stream)
        return nullptr;
    return Mix_LoadWAV_RW(stream, 1);
}

} // namespace

QByteArray SdlSoundPlayer::builtInAlert()
{
    QFile file(QStringLiteral(":/sounds/alert.wav"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

SdlSoundPlayer::SdlSoundPlayer(QString folder, QByteArray alertWav)
    : m_folder(std::move(folder))
    , m_alertWav(std::move(alertWav))
{
    // Qt owns the signals: SDL's own SIGINT/SIGTERM handlers would swallow
    // them, since nothing here pumps SDL's events.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    // A truncated file is a broken file: play the alert, not a fragment.
    SDL_SetHint(SDL_HINT_WAVE_TRUNCATION, "strict");
    m_worker = std::thread([this] { run(); });
}

SdlSoundPlayer::~SdlSoundPlayer()
{
    {
        std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_wake.notify_all();
    m_worker.join();
}

void SdlSoundPlayer::play(const QString &relativeName)
{
    const QString joined = joinSoundPath(m_folder, relativeName);
    {
        std::lock_guard lock(m_mutex);
        m_pendingPath = QFile::encodeName(joined).toStdString();
        ++m_requested;
    }
    m_wake.notify_one();
}

void SdlSoundPlayer::waitUntilHandled()
{
    std::unique_lock lock(m_mutex);
    m_handled.wait(lock, [this] { return m_done == m_requested || m_stopping; });
}

void SdlSoundPlayer::run()
{
    const bool audio = openAudio();
    std::uint64_t handled = 0;
    for (;;) {
        std::string path;
        std::uint64_t request = 0;
        {
            std::unique_lock lock(m_mutex);
            m_wake.wait(lock, [&] { return m_stopping || m_requested != handled; });
            if (m_stopping)
                break;
            path = m_pendingPath;
            request = m_requested;
        }
        if (audio)
            start(path, request);
        handled = request;
        {
            std::lock_guard lock(m_mutex);
            m_done = handled;
        }
        m_handled.notify_all();
    }
    if (audio)
        closeAudio();
    m_handled.notify_all();
}

bool SdlSoundPlayer::openAudio()
{
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        std::fprintf(stderr, "huroof: no sound: %s\n", SDL_GetError());
        return false;
    }
    if (Mix_OpenAudio(kRate, AUDIO_S16SYS, kChannels, kChunkSamples) != 0) {
        std::fprintf(stderr, "huroof: no sound: %s\n", Mix_GetError());
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    Mix_AllocateChannels(1);
    if (!m_alertWav.isEmpty())
        m_alert = Mix_LoadWAV_RW(SDL_RWFromConstMem(m_alertWav.constData(), int(m_alertWav.size())), 1);
    m_audioOpen = true;
    return true;
}

void SdlSoundPlayer::closeAudio()
{
    Mix_HaltChannel(kChannel);
    Mix_FreeChunk(m_current);
    m_current = nullptr;
    Mix_FreeChunk(m_alert);
    m_alert = nullptr;
    Mix_CloseAudio();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    m_audioOpen = false;
}

void SdlSoundPlayer::start(const std::string &path, std::uint64_t request)
{
    // Cut the old sound off before decoding, so that it stops at the click
    // even when the new file takes a while to read.
    Mix_HaltChannel(kChannel);
    Mix_FreeChunk(m_current);
    m_current = nullptr;

    // An empty path is a name that would have left the program's folder.
    const std::string file = path.empty()
        ? path
        : QFile::encodeName(soundFileToOpen(QFile::decodeName(path.c_str()))).toStdString();
    Mix_Chunk *chunk = loadFile(file);
    {
        std::lock_guard lock(m_mutex);
        if (m_requested != request || m_stopping) {
            // A newer request came in while this one was decoding.
            Mix_FreeChunk(chunk);
            return;
        }
    }
    m_current = chunk;
    Mix_PlayChannel(kChannel, chunk ? chunk : m_alert, 0);
}
