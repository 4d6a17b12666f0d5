#include "sdlsoundplayer.h"

#include "soundpath.h"

#include <QFile>

#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <functional>

namespace {

constexpr int kRate = 44100;
constexpr int kChannels = 2;
constexpr int kChunkSamples = 512;
constexpr int kChannel = 0;
// While the device is open, how often the worker looks whether it is silent.
constexpr std::chrono::milliseconds kIdlePoll{100};

using Clock = std::chrono::steady_clock;

// A file read in pieces that gives up as soon as its request is superseded,
// so that a newer click never waits for an old, large file.
struct CancellableFile
{
    SDL_RWops *file;
    std::function<bool()> cancelled;
};

CancellableFile *state(SDL_RWops *rw)
{
    return static_cast<CancellableFile *>(rw->hidden.unknown.data1);
}

Sint64 SDLCALL fileSize(SDL_RWops *rw)
{
    return SDL_RWsize(state(rw)->file);
}

Sint64 SDLCALL fileSeek(SDL_RWops *rw, Sint64 offset, int whence)
{
    return SDL_RWseek(state(rw)->file, offset, whence);
}

size_t SDLCALL fileRead(SDL_RWops *rw, void *ptr, size_t size, size_t count)
{
    constexpr size_t kPiece = 1 << 20;
    CancellableFile *f = state(rw);
    if (size == 0)
        return 0;
    auto *out = static_cast<char *>(ptr);
    const size_t total = size * count;
    size_t done = 0;
    while (done < total) {
        if (f->cancelled()) {
            SDL_SetError("superseded");
            return 0;
        }
        const size_t n = SDL_RWread(f->file, out + done, 1, std::min(kPiece, total - done));
        if (n == 0)
            break;
        done += n;
    }
    return done / size;
}

size_t SDLCALL fileWrite(SDL_RWops *, const void *, size_t, size_t)
{
    return 0;
}

int SDLCALL fileClose(SDL_RWops *rw)
{
    CancellableFile *f = state(rw);
    SDL_RWclose(f->file);
    delete f;
    SDL_FreeRW(rw);
    return 0;
}

SDL_RWops *openCancellable(const std::string &path, std::function<bool()> cancelled)
{
    SDL_RWops *file = SDL_RWFromFile(path.c_str(), "rb");
    if (!file)
        return nullptr;
    SDL_RWops *rw = SDL_AllocRW();
    if (!rw) {
        SDL_RWclose(file);
        return nullptr;
    }
    rw->size = fileSize;
    rw->seek = fileSeek;
    rw->read = fileRead;
    rw->write = fileWrite;
    rw->close = fileClose;
    rw->type = SDL_RWOPS_UNKNOWN;
    rw->hidden.unknown.data1 = new CancellableFile{file, std::move(cancelled)};
    return rw;
}

} // namespace

QByteArray SdlSoundPlayer::builtInAlert()
{
    QFile file(QStringLiteral(":/sounds/alert.wav"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

SdlSoundPlayer::SdlSoundPlayer(QString folder, QByteArray alertWav, Options options)
    : m_folder(std::move(folder))
    , m_alertWav(std::move(alertWav))
    , m_options(std::move(options))
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
    std::string path = QFile::encodeName(joinSoundPath(m_folder, relativeName)).toStdString();
    {
        std::lock_guard lock(m_mutex);
        m_pendingPath = std::move(path);
        m_requested.fetch_add(1);
    }
    m_wake.notify_one();
}

void SdlSoundPlayer::waitUntilHandled()
{
    std::unique_lock lock(m_mutex);
    m_handled.wait(lock, [this] { return m_done == m_requested.load() || m_stopping; });
}

bool SdlSoundPlayer::superseded(std::uint64_t request)
{
    return m_requested.load(std::memory_order_relaxed) != request;
}

void SdlSoundPlayer::run()
{
    const bool audio = SDL_InitSubSystem(SDL_INIT_AUDIO) == 0;
    bool announced = false;
    if (!audio || !openDevice()) {
        std::fprintf(stderr, "huroof: no sound: %s\n", SDL_GetError());
        announced = true;
    }

    std::uint64_t handled = 0;
    Clock::time_point lastSound = Clock::now();
    for (;;) {
        std::string path;
        std::uint64_t request = 0;
        bool polled = false;
        {
            std::unique_lock lock(m_mutex);
            const auto ready = [&] { return m_stopping || m_requested.load() != handled; };
            if (m_deviceOpen)
                polled = !m_wake.wait_for(lock, kIdlePoll, ready);
            else
                m_wake.wait(lock, ready);
            if (m_stopping)
                break;
            if (!polled) {
                path = m_pendingPath;
                request = m_requested.load();
            }
        }

        if (polled) {
            if (Mix_Playing(kChannel))
                lastSound = Clock::now();
            else if (Clock::now() - lastSound >= m_options.idleClose)
                closeDevice();
            continue;
        }

        if (audio && (m_deviceOpen || openDevice()))
            start(path, request);
        else if (audio && !announced) {
            std::fprintf(stderr, "huroof: no sound: %s\n", SDL_GetError());
            announced = true;
        }
        lastSound = Clock::now();
        handled = request;
        {
            std::lock_guard lock(m_mutex);
            m_done = handled;
        }
        m_handled.notify_all();
    }
    closeDevice();
    if (audio)
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    m_handled.notify_all();
}

bool SdlSoundPlayer::openDevice()
{
    if (Mix_OpenAudio(kRate, AUDIO_S16SYS, kChannels, kChunkSamples) != 0)
        return false;
    Mix_AllocateChannels(1);
    // Chunks hold samples in the device's format, so the alert is decoded
    // again with every opening.
    if (!m_alertWav.isEmpty())
        m_alert = Mix_LoadWAV_RW(SDL_RWFromConstMem(m_alertWav.constData(), int(m_alertWav.size())), 1);
    m_deviceOpen = true;
    if (m_options.deviceOpened)
        m_options.deviceOpened();
    return true;
}

void SdlSoundPlayer::closeDevice()
{
    if (!m_deviceOpen)
        return;
    Mix_HaltChannel(kChannel);
    Mix_FreeChunk(m_current);
    m_current = nullptr;
    Mix_FreeChunk(m_alert);
    m_alert = nullptr;
    Mix_CloseAudio();
    m_deviceOpen = false;
}

Mix_Chunk *SdlSoundPlayer::load(const std::string &joined, std::uint64_t request)
{
    // An empty path is a name that would have left the program's folder.
    if (joined.empty())
        return nullptr;
    const std::string path = QFile::encodeName(soundFileToOpen(QFile::decodeName(joined.c_str()))).toStdString();
    // Only regular files: opening a FIFO or a device could block forever.
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        return nullptr;
    SDL_RWops *file = openCancellable(path, [this, request] { return superseded(request); });
    return file ? Mix_LoadWAV_RW(file, 1) : nullptr;
}

void SdlSoundPlayer::start(const std::string &path, std::uint64_t request)
{
    // Cut the old sound off before reading the new one, so that it stops at
    // the click even when the new file takes a while to read.
    Mix_HaltChannel(kChannel);
    Mix_FreeChunk(m_current);
    m_current = nullptr;

    Mix_Chunk *chunk = load(path, request);
    if (superseded(request)) {
        // A newer request came in while this one was being read.
        Mix_FreeChunk(chunk);
        return;
    }
    m_current = chunk;
    Mix_PlayChannel(kChannel, chunk ? chunk : m_alert, 0);
}
