#include "import.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <SDL.h>
#include <SDL_mixer.h>

#include <cstring>
#include <memory>

namespace voices {

namespace {

// What an import says, in the grown-ups' language.
struct VoiceImport
{
    Q_DECLARE_TR_FUNCTIONS(VoiceImport)
};

constexpr int kRate = 44100;

struct Mixer
{
    bool open = false;
    Mixer()
    {
        // Nothing is heard: the output only gives SDL_mixer a format to
        // decode into.
        SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
        SDL_SetHintWithPriority(SDL_HINT_AUDIODRIVER, "dummy", SDL_HINT_OVERRIDE);
        open = SDL_InitSubSystem(SDL_INIT_AUDIO) == 0
            && Mix_OpenAudioDevice(kRate, AUDIO_F32SYS, 1, 1024, nullptr, 0) == 0;
    }
    ~Mixer()
    {
        if (open)
            Mix_CloseAudio();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
};

// The length of the sound in the file, learnt before decoding it: a long
// file would be decoded whole into memory.
double secondsIn(SDL_RWops *rw)
{
    char magic[4] = {};
    const bool wave = SDL_RWread(rw, magic, 1, 4) == 4 && std::memcmp(magic, "RIFF", 4) == 0;
    SDL_RWseek(rw, 0, RW_SEEK_SET);
    if (wave) {
        // Decoded at most four times larger (8-bit to float), never smaller
        // than 2 bytes a second at any rate in use: the size bounds it.
        SDL_AudioSpec spec;
        Uint8 *buffer = nullptr;
        Uint32 length = 0;
        const Sint64 size = SDL_RWsize(rw);
        if (size > Sint64(kLongestImport * 48000 * 8 * 4))
            return kLongestImport + 1;
        if (!SDL_LoadWAV_RW(rw, 0, &spec, &buffer, &length))
            return -1;
        SDL_FreeWAV(buffer);
        SDL_RWseek(rw, 0, RW_SEEK_SET);
        const int frame = SDL_AUDIO_BITSIZE(spec.format) / 8 * spec.channels;
        return frame > 0 && spec.freq > 0 ? double(length) / frame / spec.freq : -1;
    }
    Mix_Music *music = Mix_LoadMUS_RW(rw, 0);
    if (!music)
        return -1;
    const double seconds = Mix_MusicDuration(music);
    Mix_FreeMusic(music);
    SDL_RWseek(rw, 0, RW_SEEK_SET);
    return seconds;
}

} // namespace

std::optional<Take> readSoundFile(const QString &path, QString *error)
{
    const auto fail = [&](const QString &message) {
        if (error)
            *error = message;
        return std::nullopt;
    };
    // Said as what it is: a parent who picked a folder, or typed a device's
    // name, learns what went wrong. A FIFO or a device is never read: it
    // may never end.
    const QFileInfo info(path);
    if (!info.exists())
        return fail(VoiceImport::tr("%1: there is no file with this name.").arg(path));
    if (info.isDir())
        return fail(VoiceImport::tr("%1: this is a folder, not a sound file.").arg(path));
    if (!info.isFile())
        return fail(
            VoiceImport::tr("%1: not an ordinary file (a pipe or a device), so no sound is read from it.").arg(path));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fail(VoiceImport::tr("%1: cannot be read (%2).").arg(path, file.errorString()));
    const QByteArray bytes = file.read(qint64(kLongestImport * 48000 * 8 * 4) + 1);

    const Mixer mixer;
    if (!mixer.open)
        return fail(VoiceImport::tr("Sounds cannot be decoded: %1").arg(QString::fromUtf8(SDL_GetError())));
    const std::unique_ptr<SDL_RWops, int (*)(SDL_RWops *)> rw(SDL_RWFromConstMem(bytes.constData(), int(bytes.size())),
                                                              SDL_RWclose);
    const double seconds = rw ? secondsIn(rw.get()) : -1;
    if (seconds > kLongestImport)
        return fail(VoiceImport::tr("%1: longer than %n second(s).", "", int(kLongestImport)).arg(path));
    Mix_Chunk *chunk = seconds > 0 ? Mix_LoadWAV_RW(rw.get(), 0) : nullptr;
    if (!chunk)
        return fail(VoiceImport::tr("%1: not a sound the program knows.").arg(path));
    Take take{kRate, 1, std::vector<float>(chunk->alen / sizeof(float))};
    std::memcpy(take.samples.data(), chunk->abuf, take.samples.size() * sizeof(float));
    Mix_FreeChunk(chunk);
    return take;
}

Change importVoice(const VoiceFolder &folder, int voice, const QString &path, const Loudness &loudness)
{
    QString error;
    const std::optional<Take> take = readSoundFile(path, &error);
    if (!take)
        return {{}, error};
    const std::optional<EvenTake> even = evenTake(*take, loudness);
    if (!even)
        return {{}, VoiceImport::tr("%1: no voice can be heard in it, so nothing was kept.").arg(path)};
    return folder.save(voice, *even);
}

} // namespace voices
