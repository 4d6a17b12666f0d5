#include "sdlsoundplayer.h"

#include "soundpath.h"

#include <QFile>

#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <functional>
#include <limits>
#include <memory>

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
#ifdef SIGPIPE
    // A sound server or output that goes away must not end the program.
    std::signal(SIGPIPE, SIG_IGN);
#endif
    m_worker = std::thread([this] { run(); });
}

SdlSoundPlayer::~SdlSoundPlayer()
{
    // A file still being read is given up, so that the program ends at once.
    m_quitting = true;
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
    return m_requested.load(std::memory_order_relaxed) != request || m_quitting.load(std::memory_order_relaxed);
}

void SdlSoundPlayer::run()
{
    // Said once: a device that is missing at start stays silent quietly.
    bool announced = false;
    const auto announceNoSound = [&announced] {
        if (!announced)
            std::fprintf(stderr, "huroof: no sound: %s\n", SDL_GetError());
        announced = true;
    };
    const bool audio = SDL_InitSubSystem(SDL_INIT_AUDIO) == 0;
    if (!audio || !openDevice())
        announceNoSound();

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
            if (deviceLost())
                closeDevice(); // opened afresh for the next sound
            else if (Mix_Playing(kChannel))
                lastSound = Clock::now();
            else if (Clock::now() - lastSound >= m_options.idleClose)
                closeDevice();
            continue;
        }

        if (audio && (m_deviceOpen || openDevice()))
            start(path, request);
        else if (audio)
            announceNoSound();
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

void SdlSoundPlayer::freeCurrent()
{
    Mix_FreeChunk(m_current);
    m_current = nullptr;
    m_currentSamples = {};
}

// The device went away under the program (the sound server stopped, a
// headset was pulled): SDL says so with an event in its queue.
bool SdlSoundPlayer::deviceLost()
{
    SDL_Event events[8];
    bool lost = false;
    int n = 0;
    while ((n = SDL_PeepEvents(events, 8, SDL_GETEVENT, SDL_AUDIODEVICEREMOVED, SDL_AUDIODEVICEREMOVED)) > 0) {
        for (int i = 0; i < n; ++i)
            lost = lost || events[i].adevice.iscapture == 0;
    }
    return lost;
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
    freeCurrent();
    Mix_FreeChunk(m_alert);
    m_alert = nullptr;
    Mix_CloseAudio();
    m_deviceOpen = false;
}

namespace {

// The largest sound kept in memory: over three hours at 44.1 kHz stereo.
constexpr std::size_t kLargestSound = std::size_t(2) << 30;
// A chunk counts its length in 32 bits.
static_assert(kLargestSound <= std::numeric_limits<Uint32>::max());

bool isRiff(SDL_RWops *file)
{
    char magic[4] = {};
    const Sint64 at = SDL_RWtell(file);
    const bool riff = SDL_RWread(file, magic, 1, 4) == 4 && std::memcmp(magic, "RIFF", 4) == 0;
    SDL_RWseek(file, at, RW_SEEK_SET);
    return riff;
}

// Decodes a RIFF WAVE file with SDL's own reader, which knows every variant
// (8 to 32 bits, float, mu-law, A-law, IMA and MS ADPCM), and converts it to
// the device's format in pieces: however long the recording, no single
// conversion grows past what SDL can hold, and a newer request stops it.
bool decodeWave(SDL_RWops *file, const std::function<bool()> &cancelled, std::vector<Uint8> &out)
{
    int rate = 0, channels = 0;
    Uint16 format = 0;
    if (!Mix_QuerySpec(&rate, &format, &channels))
        return false;
    SDL_AudioSpec spec;
    Uint8 *samples = nullptr;
    Uint32 length = 0;
    if (!SDL_LoadWAV_RW(file, 0, &spec, &samples, &length))
        return false;
    const std::unique_ptr<Uint8, void (*)(Uint8 *)> wav(samples, SDL_FreeWAV);
    const std::unique_ptr<SDL_AudioStream, void (*)(SDL_AudioStream *)> stream(
        SDL_NewAudioStream(spec.format, spec.channels, int(spec.freq), format, Uint8(channels), rate),
        SDL_FreeAudioStream);
    if (!stream || spec.channels == 0)
        return false;

    const std::size_t inFrame = std::size_t(SDL_AUDIO_BITSIZE(spec.format) / 8) * spec.channels;
    const std::size_t outFrame = std::size_t(SDL_AUDIO_BITSIZE(format) / 8) * std::size_t(channels);
    const double expected = double(length / inFrame) * rate / spec.freq * double(outFrame);
    if (expected > double(kLargestSound))
        return false;
    out.reserve(std::size_t(expected) + 4096);

    const auto drain = [&] {
        const int available = SDL_AudioStreamAvailable(stream.get());
        if (available <= 0)
            return true;
        const std::size_t size = out.size();
        out.resize(size + std::size_t(available));
        const int got = SDL_AudioStreamGet(stream.get(), out.data() + size, available);
        out.resize(size + std::size_t(std::max(got, 0)));
        return got >= 0 && out.size() <= kLargestSound;
    };
    const std::size_t piece = std::max<std::size_t>(1, (std::size_t(1) << 20) / inFrame) * inFrame;
    for (std::size_t at = 0; at < length; at += piece) {
        if (cancelled())
            return false;
        const auto n = int(std::min<std::size_t>(piece, length - at));
        if (SDL_AudioStreamPut(stream.get(), samples + at, n) != 0 || !drain())
            return false;
    }
    // SDL 2.26's stream keeps back the last stretch of a resampled sound even
    // when flushed: feed it silence, then cut the result to its true length.
    const std::vector<Uint8> silence(std::size_t(spec.freq / 10 + 1) * inFrame,
                                     spec.format == AUDIO_U8 ? Uint8(0x80) : Uint8(0));
    if (SDL_AudioStreamPut(stream.get(), silence.data(), int(silence.size())) != 0
        || SDL_AudioStreamFlush(stream.get()) != 0 || !drain())
        return false;
    const auto frames = std::size_t(std::ceil(double(length / inFrame) * rate / spec.freq));
    out.resize(std::min(out.size(), frames * outFrame));
    return !out.empty();
}

} // namespace

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
    const auto cancelled = [this, request] { return superseded(request); };
    SDL_RWops *file = openCancellable(path, cancelled);
    if (!file)
        return nullptr;
    if (!isRiff(file)) {
        // Not a WAVE file: SDL_mixer knows a few other formats.
        return Mix_LoadWAV_RW(file, 1);
    }
    const bool decoded = decodeWave(file, cancelled, m_currentSamples);
    SDL_RWclose(file);
    if (!decoded) {
        m_currentSamples = {};
        return nullptr;
    }
    // The chunk plays from our buffer, which lives until the chunk is freed.
    return Mix_QuickLoad_RAW(m_currentSamples.data(), Uint32(m_currentSamples.size()));
}

void SdlSoundPlayer::start(const std::string &path, std::uint64_t request)
{
    // Cut the old sound off before reading the new one, so that it stops at
    // the click even when the new file takes a while to read.
    Mix_HaltChannel(kChannel);
    freeCurrent();

    Mix_Chunk *chunk = load(path, request);
    if (superseded(request)) {
        // A newer request came in while this one was being read.
        m_current = chunk;
        freeCurrent();
        return;
    }
    m_current = chunk;
    Mix_PlayChannel(kChannel, chunk ? chunk : m_alert, 0);
}
