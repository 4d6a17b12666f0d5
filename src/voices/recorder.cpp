#include "recorder.h"

#include "platform/sdlaudiolock.h"

#include <SDL.h>

#include <algorithm>
#include <cmath>

namespace {

constexpr int kRate = 44100;

// Said when the microphone cannot be opened, with SDL's reason.
const char *const kNoMicrophone = QT_TRANSLATE_NOOP(
    "SdlRecorder", "There is no microphone to record from (%1). You can still import a sound from a file.");

} // namespace

SdlRecorder::SdlRecorder(std::chrono::milliseconds longest, QObject *parent)
    : Recorder(parent)
    , m_longest(longest)
{
}

SdlRecorder::~SdlRecorder()
{
    stop();
    if (m_thread.joinable())
        m_thread.join();
}

bool SdlRecorder::finish(std::chrono::milliseconds within)
{
    std::unique_lock lock(m_mutex);
    m_stopping = true;
    m_wake.notify_all();
    if (!m_wake.wait_for(lock, within, [this] { return !m_running; }))
        return false;
    lock.unlock();
    if (m_thread.joinable())
        m_thread.join();
    return true;
}

void SdlRecorder::start()
{
    {
        std::lock_guard lock(m_mutex);
        if (m_running) {
            // The last take's thread is still in the microphone's opening
            // or closing: waiting for it here would freeze the window.
            const QString stuck = tr("The microphone is still not answering. Close the window and open it again, "
                                     "or import a sound from a file.");
            QMetaObject::invokeMethod(this, [this, stuck] { emit failed(stuck); }, Qt::QueuedConnection);
            return;
        }
    }
    if (m_thread.joinable())
        m_thread.join(); // the last take's thread, already ended
    {
        std::lock_guard lock(m_mutex);
        m_running = true;
        m_stopping = false;
        m_full = false;
        m_take = voices::Take{kRate, 1, {}};
        m_take.samples.reserve(std::size_t(kRate * m_longest.count() / 1000));
    }
    m_level = 0;
    m_thread = std::thread([this] { run(); });
}

void SdlRecorder::stop()
{
    std::lock_guard lock(m_mutex);
    m_stopping = true;
    m_wake.notify_all();
}

void SdlRecorder::captured(void *self, unsigned char *bytes, int length)
{
    auto *recorder = static_cast<SdlRecorder *>(self);
    const auto *samples = reinterpret_cast<const float *>(bytes);
    const auto count = std::size_t(length) / sizeof(float);
    float peak = 0;
    for (std::size_t i = 0; i < count; ++i)
        peak = std::max(peak, std::abs(samples[i]));
    recorder->m_level = std::min(peak, 1.0f);

    std::lock_guard lock(recorder->m_mutex);
    const std::size_t room = std::size_t(kRate * recorder->m_longest.count() / 1000) - recorder->m_take.samples.size();
    recorder->m_take.samples.insert(recorder->m_take.samples.end(), samples, samples + std::min(count, room));
    if (count >= room) {
        recorder->m_full = true;
        recorder->m_wake.notify_all();
    }
}

void SdlRecorder::run()
{
    takeOne();
    // SDL keeps an error message per thread; this thread ends here.
    SDL_TLSCleanup();
    std::lock_guard lock(m_mutex);
    m_running = false;
    m_wake.notify_all();
}

void SdlRecorder::takeOne()
{
    const auto report = [this](auto emitter) { QMetaObject::invokeMethod(this, emitter, Qt::QueuedConnection); };
    std::unique_lock audio(sdlAudioLock());
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        const QString why = QString::fromUtf8(SDL_GetError());
        report([this, why] { emit failed(tr(kNoMicrophone).arg(why)); });
        return;
    }
    SDL_AudioSpec want{};
    want.freq = kRate;
    want.format = AUDIO_F32SYS;
    want.channels = 1;
    want.samples = 1024;
    want.callback = &SdlRecorder::captured;
    want.userdata = this;
    SDL_AudioSpec have{};
    // SDL converts whatever the microphone gives into this format.
    const SDL_AudioDeviceID device = SDL_OpenAudioDevice(nullptr, 1, &want, &have, 0);
    if (device == 0) {
        const QString why = QString::fromUtf8(SDL_GetError());
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        audio.unlock();
        report([this, why] { emit failed(tr(kNoMicrophone).arg(why)); });
        return;
    }
    SDL_PauseAudioDevice(device, 0);
    audio.unlock();
    {
        // A microphone that gives nothing is given up a little after the
        // longest take.
        std::unique_lock lock(m_mutex);
        m_wake.wait_for(lock, m_longest + std::chrono::seconds(2), [this] { return m_stopping || m_full; });
    }
    audio.lock();
    SDL_CloseAudioDevice(device);
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    audio.unlock();
    m_level = 0;
    voices::Take take;
    {
        std::lock_guard lock(m_mutex);
        take = std::move(m_take);
    }
    report([this, take = std::move(take)] { emit finished(take); });
}
