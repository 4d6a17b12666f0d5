#include "sdlsoundplayer.h"

#include "platform/sdlaudiolock.h"

#include "soundpath.h"
#include "wavefile.h"

#include <QFile>
#include <QFileInfo>

#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <functional>
#include <limits>
#include <memory>

namespace {

constexpr int kRate = 44100;
constexpr int kChannels = 2;
constexpr int kChannel = 0;
// While the device is open, how often the worker looks whether it is silent.
constexpr std::chrono::milliseconds kIdlePoll{100};

using Clock = std::chrono::steady_clock;

// A file read with QFile in pieces, handed to SDL as bytes: names in any
// script open alike on every system, and the read gives up as soon as its
// request is superseded, so that a newer click never waits for an old,
// large file.
struct CancellableFile
{
    QFile file;
    std::function<bool()> cancelled;
};

CancellableFile *state(SDL_RWops *rw)
{
    return static_cast<CancellableFile *>(rw->hidden.unknown.data1);
}

Sint64 SDLCALL fileSize(SDL_RWops *rw)
{
    return state(rw)->file.size();
}

Sint64 SDLCALL fileSeek(SDL_RWops *rw, Sint64 offset, int whence)
{
    QFile &f = state(rw)->file;
    const qint64 base = whence == RW_SEEK_CUR ? f.pos() : whence == RW_SEEK_END ? f.size() : 0;
    if (base + offset < 0 || !f.seek(base + offset))
        return -1;
    return f.pos();
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
        const qint64 n = f->file.read(out + done, qint64(std::min(kPiece, total - done)));
        if (n <= 0)
            break;
        done += size_t(n);
    }
    return done / size;
}

size_t SDLCALL fileWrite(SDL_RWops *, const void *, size_t, size_t)
{
    return 0;
}

int SDLCALL fileClose(SDL_RWops *rw)
{
    delete state(rw);
    SDL_FreeRW(rw);
    return 0;
}

SDL_RWops *openCancellable(const QString &path, std::function<bool()> cancelled)
{
    auto f = std::make_unique<CancellableFile>();
    f->file.setFileName(path);
    f->cancelled = std::move(cancelled);
    if (!f->file.open(QIODevice::ReadOnly))
        return nullptr;
    SDL_RWops *rw = SDL_AllocRW();
    if (!rw)
        return nullptr;
    rw->size = fileSize;
    rw->seek = fileSeek;
    rw->read = fileRead;
    rw->write = fileWrite;
    rw->close = fileClose;
    rw->type = SDL_RWOPS_UNKNOWN;
    rw->hidden.unknown.data1 = f.release();
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
    : SdlSoundPlayer(QStringList{std::move(folder)}, std::move(alertWav), std::move(options))
{
}

SdlSoundPlayer::SdlSoundPlayer(QStringList folders, QByteArray alertWav, Options options)
    : m_folders(std::move(folders))
    , m_alertWav(std::move(alertWav))
    , m_options(std::move(options))
{
    // Qt owns the signals: SDL's own SIGINT/SIGTERM handlers would swallow
    // them, since nothing here pumps SDL's events.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    // A truncated file is a broken file: play the alert, not a fragment.
    SDL_SetHint(SDL_HINT_WAVE_TRUNCATION, "strict");
#ifdef __linux__
    // PipeWire's own protocol reaches the output a third sooner than its
    // PulseAudio emulation; without PipeWire, SDL goes on down the list.
    // SDL_AUDIODRIVER in the environment still decides.
    SDL_SetHintWithPriority(SDL_HINT_AUDIODRIVER, "pipewire,pulseaudio,alsa,jack,sndio,dsp", SDL_HINT_DEFAULT);
#endif
    m_worker = std::thread([this] { run(); });
}

SdlSoundPlayer::~SdlSoundPlayer()
{
    stop(std::chrono::milliseconds::max());
    m_worker.join();
}

bool SdlSoundPlayer::stop(std::chrono::milliseconds within)
{
    // A file still being read is given up, so that the program ends at once.
    m_quitting = true;
    std::unique_lock lock(m_mutex);
    m_stopping = true;
    m_wake.notify_all();
    const auto finished = [this] { return m_finished; };
    if (within == std::chrono::milliseconds::max()) {
        m_handled.wait(lock, finished);
        return true;
    }
    return m_handled.wait_for(lock, within, finished);
}

void SdlSoundPlayer::play(const QString &relativeName)
{
    {
        std::lock_guard lock(m_mutex);
        m_pendingName = relativeName;
        m_pendingSilence = false;
        m_requested.fetch_add(1);
    }
    m_wake.notify_one();
}

void SdlSoundPlayer::silence()
{
    {
        std::lock_guard lock(m_mutex);
        m_pendingName.clear();
        m_pendingSilence = true;
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
    // Said once: a machine without sound stays silent quietly.
    bool announced = false;
    const auto announceNoSound = [&announced] {
        if (!announced)
            std::fprintf(stderr, "huroof: no sound: %s\n", SDL_GetError());
        announced = true;
    };
    const bool audio = [] {
        std::lock_guard lock(sdlAudioLock());
        return SDL_InitSubSystem(SDL_INIT_AUDIO) == 0;
    }();
    if (!audio)
        announceNoSound();

    std::uint64_t handled = 0;
    Clock::time_point lastSound = Clock::now();
    for (;;) {
        QString name;
        bool silence = false;
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
                name = m_pendingName;
                silence = m_pendingSilence;
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

        if (silence) {
            if (m_deviceOpen)
                Mix_HaltChannel(kChannel);
        } else if (audio) {
            // Looked up when it plays: a voice a grown-up has just saved is
            // heard at once.
            start(findSoundFile(m_folders, name), request);
            if (!m_deviceOpen)
                announceNoSound();
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
    if (audio) {
        std::lock_guard lock(sdlAudioLock());
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
    // SDL keeps an error message for every thread that called it; this
    // thread ends here, and so does its storage.
    SDL_TLSCleanup();
    {
        std::lock_guard lock(m_mutex);
        m_finished = true;
    }
    m_handled.notify_all();
}

void SdlSoundPlayer::freeCurrent()
{
    Mix_FreeChunk(m_current);
    m_current = nullptr;
    m_currentSamples = {};
}

// The device went away under the program (the sound server stopped, the
// output failed): SDL says so with an event in its queue.
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
    // Always the same format: SDL converts for the hardware, so sounds can be
    // decoded before the device is open.
    {
        std::lock_guard lock(sdlAudioLock());
        if (Mix_OpenAudioDevice(kRate, AUDIO_S16SYS, kChannels, m_options.chunkSamples, nullptr, 0) != 0)
            return false;
    }
    Mix_AllocateChannels(1);
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
    {
        std::lock_guard lock(sdlAudioLock());
        Mix_CloseAudio();
    }
    m_deviceOpen = false;
}

namespace {

// A chunk counts its length in 32 bits.
static_assert((std::size_t(2) << 30) <= std::numeric_limits<Uint32>::max());

constexpr std::size_t kOutFrame = 2 * kChannels; // bytes of one decoded frame

bool hasMagic(SDL_RWops *file, const char (&magic)[5])
{
    char head[4] = {};
    const Sint64 at = SDL_RWtell(file);
    const bool match = SDL_RWread(file, head, 1, 4) == 4 && std::memcmp(head, magic, 4) == 0;
    SDL_RWseek(file, at, RW_SEEK_SET);
    return match;
}

// Decodes a RIFF WAVE file with SDL's own reader, which knows every variant
// (8 to 32 bits, float, mu-law, A-law, IMA and MS ADPCM), as every reader of
// sound files in the program judges it, and converts it to the device's
// format in pieces that a newer request stops.
bool decodeWave(SDL_RWops *file, std::size_t largest, const std::function<bool()> &cancelled, std::vector<Uint8> &out)
{
    wavefile::Wave wave;
    if (wavefile::read(file, double(largest) / (kRate * double(kOutFrame)), wave) != wavefile::Fault::None)
        return false;
    return wavefile::convert(wave, AUDIO_S16SYS, kChannels, kRate, largest, cancelled, out);
}

// Another format SDL_mixer knows (OGG, FLAC, MP3 ...), whose decoded length
// is learnt from the file first: SDL_mixer would decode all of it into one
// buffer whose length it keeps in 32 bits. Needs the device open.
Mix_Chunk *decodeOther(SDL_RWops *file, std::size_t largest)
{
    const Sint64 at = SDL_RWtell(file);
    Mix_Music *music = Mix_LoadMUS_RW(file, 0);
    if (!music)
        return nullptr;
    const double seconds = Mix_MusicDuration(music);
    Mix_FreeMusic(music);
    if (!(seconds > 0) || seconds * kRate * double(kOutFrame) > double(largest))
        return nullptr;
    SDL_RWseek(file, at, RW_SEEK_SET);
    return Mix_LoadWAV_RW(file, 0);
}

} // namespace

// Decodes the file for a request. A WAVE file is decoded into
// m_currentSamples without the device; for another format the device is
// opened first and the chunk is made at once. Returns false when the file
// is not a sound that can play (then the alert plays).
bool SdlSoundPlayer::decode(const QString &file, std::uint64_t request, Mix_Chunk *&chunk)
{
    // An empty path is a name that would have left the sound folders.
    if (file.isEmpty())
        return false;
    // Only regular files: opening a FIFO or a device could block forever.
    if (!QFileInfo(file).isFile())
        return false;
    const auto cancelled = [this, request] { return superseded(request); };
    const std::unique_ptr<SDL_RWops, int (*)(SDL_RWops *)> rw(openCancellable(file, cancelled), SDL_RWclose);
    if (!rw)
        return false;
    if (hasMagic(rw.get(), "RIFF")) {
        if (decodeWave(rw.get(), m_options.largestSound, cancelled, m_currentSamples))
            return true;
        m_currentSamples = {};
        return false;
    }
    if (!m_deviceOpen && !openDevice())
        return false;
    chunk = decodeOther(rw.get(), m_options.largestSound);
    return chunk != nullptr;
}

void SdlSoundPlayer::start(const QString &path, std::uint64_t request)
{
    // A device that went away is closed, and opened afresh below.
    if (m_deviceOpen && deviceLost())
        closeDevice();
    // Cut the old sound off before reading the new one, so that it stops at
    // the click even when the new file takes a while to read.
    if (m_deviceOpen)
        Mix_HaltChannel(kChannel);
    freeCurrent();

    Mix_Chunk *chunk = nullptr;
    const bool decoded = decode(path, request, chunk);
    if (superseded(request)) {
        // A newer request came in while this one was being read.
        m_current = chunk;
        freeCurrent();
        return;
    }
    if (!m_deviceOpen && !openDevice()) {
        m_currentSamples = {};
        return;
    }
    // The chunk plays from our buffer, which lives until the chunk is freed.
    if (decoded && !chunk)
        chunk = Mix_QuickLoad_RAW(m_currentSamples.data(), Uint32(m_currentSamples.size()));
    m_current = chunk;
    if (!chunk && !m_alert && !m_alertWav.isEmpty()) {
        // Chunks hold samples in the device's format: decoded once the
        // device is open, and again after every opening.
        m_alert = Mix_LoadWAV_RW(SDL_RWFromConstMem(m_alertWav.constData(), int(m_alertWav.size())), 1);
    }
    Mix_PlayChannel(kChannel, chunk ? chunk : m_alert, 0);
}
