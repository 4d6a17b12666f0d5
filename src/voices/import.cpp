#include "import.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include "platform/wavefile.h"
#include "voices/compressed.h"

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
// The most of a file that is read: a minute of sound in eight 32-bit
// channels at 48 kHz, and some.
constexpr qint64 kLargestImport = 96 << 20;
// The most samples decoded from a compressed file: a minute at 48 kHz in
// eight channels, and some.
constexpr std::size_t kMostSamples = std::size_t(48) << 20;

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

// The length of the sound in another format than WAVE, learnt before
// decoding it: a long file would be decoded whole into memory.
double secondsIn(SDL_RWops *rw)
{
    Mix_Music *music = Mix_LoadMUS_RW(rw, 0);
    if (!music)
        return -1;
    const double seconds = Mix_MusicDuration(music);
    Mix_FreeMusic(music);
    SDL_RWseek(rw, 0, RW_SEEK_SET);
    return seconds;
}

// A rate no voice is recorded at: resampled, eight samples at 1 Hz would
// be eight seconds of buzz.
QString tooSlow(const QString &path, int rate)
{
    return VoiceImport::tr("%1: recorded at %2 Hz, too few samples a second for a voice (%3 Hz at least).")
        .arg(path)
        .arg(rate)
        .arg(kLowestVoiceRate);
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
    if (!info.exists() && nameIsNotText(path))
        return fail(VoiceImport::tr("%1: this file's name is not UTF-8 text, so the program cannot open it: rename "
                                    "it, then import it.")
                        .arg(path));
    if (!info.exists())
        return fail(VoiceImport::tr("%1: there is no file with this name.").arg(path));
    if (info.isDir())
        return fail(VoiceImport::tr("%1: this is a folder, not a sound file.").arg(path));
    if (!info.isFile())
        return fail(
            VoiceImport::tr("%1: not an ordinary file (a pipe or a device), so no sound is read from it.").arg(path));
    // Said as the bound it meets: a short recording at a high rate in many
    // channels is large, not long.
    if (info.size() > kLargestImport)
        return fail(VoiceImport::tr("%1: larger than %2 MB, far more than any voice, so it is not read.")
                        .arg(path)
                        .arg(kLargestImport >> 20));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fail(VoiceImport::tr("%1: cannot be read (%2).").arg(path, file.errorString()));
    const QByteArray bytes = file.read(kLargestImport);

    const std::unique_ptr<SDL_RWops, int (*)(SDL_RWops *)> rw(SDL_RWFromConstMem(bytes.constData(), int(bytes.size())),
                                                              SDL_RWclose);
    if (!rw)
        return fail(VoiceImport::tr("%1: not a sound the program knows.").arg(path));
    if (bytes.startsWith("RIFF")) {
        // Judged as the sound player judges it, then taken as it is.
        wavefile::Wave wave;
        switch (wavefile::read(rw.get(), kLongestImport, wave)) {
        case wavefile::Fault::None:
            break;
        case wavefile::Fault::CutShort:
            return fail(VoiceImport::tr("%1: shorter than its header says (cut short, or never finished), so it "
                                        "would not play.")
                            .arg(path));
        case wavefile::Fault::TooLong:
            return fail(VoiceImport::tr("%1: longer than %n second(s).", "", int(kLongestImport)).arg(path));
        case wavefile::Fault::NoSound:
            return fail(VoiceImport::tr("%1: no voice can be heard in it, so nothing was kept.").arg(path));
        case wavefile::Fault::NotWave:
            return fail(VoiceImport::tr("%1: not a sound the program knows.").arg(path));
        }
        if (wave.rate < kLowestVoiceRate)
            return fail(tooSlow(path, wave.rate));
        std::vector<std::uint8_t> decoded;
        if (!wavefile::convert(wave, AUDIO_F32SYS, wave.channels, wave.rate, std::size_t(kLargestImport) * 2, {},
                               decoded))
            return fail(VoiceImport::tr("%1: not a sound the program knows.").arg(path));
        Take take{wave.rate, wave.channels, std::vector<float>(decoded.size() / sizeof(float))};
        std::memcpy(take.samples.data(), decoded.data(), take.samples.size() * sizeof(float));
        return take;
    }

    if (bytes.startsWith("FORM")) {
        // AIFF: sound as it is, no larger decoded than in the file.
        const Mixer mixer;
        if (!mixer.open)
            return fail(VoiceImport::tr("Sounds cannot be decoded: %1").arg(QString::fromUtf8(SDL_GetError())));
        const double seconds = secondsIn(rw.get());
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

    // Compressed: decoded in a stream that stops at the bounds, whatever
    // the file says of its length (a FLAC of a few hundred kilobytes may
    // hold an hour of silence).
    Take take;
    switch (decodeCompressed(bytes, kLongestImport, kMostSamples, kLowestVoiceRate, take)) {
    case Decoded::Sound:
        return take;
    case Decoded::TooLong:
        return fail(VoiceImport::tr("%1: longer than %n second(s).", "", int(kLongestImport)).arg(path));
    case Decoded::TooLarge:
        return fail(VoiceImport::tr("%1: more than %2 MB of sound once decoded, far more than any voice.")
                        .arg(path)
                        .arg(kMostSamples * sizeof(float) >> 20));
    case Decoded::TooSlow:
        return fail(tooSlow(path, take.rate));
    case Decoded::NotKnown:
        break;
    }
    return fail(VoiceImport::tr("%1: not a sound the program knows.").arg(path));
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
