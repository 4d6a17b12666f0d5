#include "wavefile.h"

#include <SDL.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>

namespace wavefile {

double Header::seconds() const
{
    return rate > 0 && channels > 0 && bits > 0 ? double(dataBytes) * 8 / (double(bits) * channels) / rate : 0;
}

Wave::~Wave()
{
    SDL_FreeWAV(m_samples);
}

double Wave::seconds() const
{
    const int frame = SDL_AUDIO_BITSIZE(format) / 8 * channels;
    return frame > 0 && rate > 0 ? double(m_length / unsigned(frame)) / rate : 0;
}

Fault readHeader(SDL_RWops *file, Header &header)
{
    const Sint64 start = SDL_RWtell(file);
    const Sint64 size = SDL_RWsize(file);
    header = {};
    Fault fault = Fault::NotWave;
    Uint8 riff[12];
    if (SDL_RWread(file, riff, 1, 12) == 12 && std::memcmp(riff, "RIFF", 4) == 0
        && std::memcmp(riff + 8, "WAVE", 4) == 0) {
        Uint8 chunk[8];
        while (SDL_RWread(file, chunk, 1, 8) == 8) {
            Uint32 length = 0;
            std::memcpy(&length, chunk + 4, 4);
            length = SDL_SwapLE32(length);
            if (std::memcmp(chunk, "fmt ", 4) == 0 && length >= 16) {
                Uint8 fmt[16];
                if (SDL_RWread(file, fmt, 1, 16) != 16)
                    break;
                Uint16 channels = 0, bits = 0;
                Uint32 rate = 0;
                std::memcpy(&channels, fmt + 2, 2);
                std::memcpy(&rate, fmt + 4, 4);
                std::memcpy(&bits, fmt + 14, 2);
                header.channels = SDL_SwapLE16(channels);
                header.rate = int(std::min<Uint32>(SDL_SwapLE32(rate), 0x7FFFFFFF));
                header.bits = std::max<int>(4, SDL_SwapLE16(bits));
                if (SDL_RWseek(file, Sint64(length) - 16 + (length & 1), RW_SEEK_CUR) < 0)
                    break;
            } else if (std::memcmp(chunk, "data", 4) == 0) {
                if (header.rate <= 0 || header.channels <= 0)
                    break;
                header.dataBytes = length;
                // SDL would read what there is and make do; a file that
                // lacks what it says it holds is not played, nor taken.
                fault = size >= 0 && SDL_RWtell(file) + Sint64(length) > size ? Fault::CutShort : Fault::None;
                break;
            } else if (SDL_RWseek(file, Sint64(length) + (length & 1), RW_SEEK_CUR) < 0) {
                break;
            }
        }
    }
    SDL_RWseek(file, start, RW_SEEK_SET);
    return fault;
}

Fault read(SDL_RWops *file, double longest, Wave &wave)
{
    Header header;
    if (const Fault fault = readHeader(file, header); fault != Fault::None)
        return fault;
    // Refused before its sound is read: SDL reads all of it at once.
    if (header.seconds() > longest)
        return Fault::TooLong;
    if (header.dataBytes == 0)
        return Fault::NoSound;
    // A file cut short anywhere else (inside its format, say) is not played
    // either: the player sets this too, before its first sound; here it is
    // set for the processes that read files without a player.
    static const bool strict = SDL_SetHint(SDL_HINT_WAVE_TRUNCATION, "strict");
    (void)strict;
    SDL_AudioSpec spec;
    Uint8 *samples = nullptr;
    Uint32 length = 0;
    if (!SDL_LoadWAV_RW(file, 0, &spec, &samples, &length))
        return Fault::NotWave;
    SDL_FreeWAV(wave.m_samples);
    wave.m_samples = samples;
    wave.m_length = length;
    wave.rate = spec.freq;
    wave.channels = spec.channels;
    wave.format = spec.format;
    if (wave.channels <= 0 || wave.rate <= 0)
        return Fault::NotWave;
    if (wave.seconds() <= 0)
        return Fault::NoSound;
    return wave.seconds() > longest ? Fault::TooLong : Fault::None;
}

bool convert(const Wave &wave, std::uint16_t format, int channels, int rate, std::size_t largest,
             const std::function<bool()> &cancelled, std::vector<std::uint8_t> &out)
{
    const std::unique_ptr<SDL_AudioStream, void (*)(SDL_AudioStream *)> stream(
        SDL_NewAudioStream(wave.format, Uint8(wave.channels), wave.rate, format, Uint8(channels), rate),
        SDL_FreeAudioStream);
    if (!stream || wave.channels <= 0)
        return false;

    const std::size_t inFrame = std::size_t(SDL_AUDIO_BITSIZE(wave.format) / 8) * std::size_t(wave.channels);
    const std::size_t outFrame = std::size_t(SDL_AUDIO_BITSIZE(format) / 8) * std::size_t(channels);
    const std::size_t length = wave.length() / inFrame * inFrame;
    const double decoded = double(length / inFrame) * rate / wave.rate * double(outFrame);
    if (decoded > double(largest))
        return false;
    out.clear();
    out.reserve(std::size_t(decoded) + 4096);

    const auto drain = [&] {
        const int available = SDL_AudioStreamAvailable(stream.get());
        if (available <= 0)
            return true;
        const std::size_t size = out.size();
        out.resize(size + std::size_t(available));
        const int got = SDL_AudioStreamGet(stream.get(), out.data() + size, available);
        out.resize(size + std::size_t(std::max(got, 0)));
        return got >= 0 && out.size() <= largest;
    };
    const std::size_t piece = std::max<std::size_t>(1, (std::size_t(1) << 20) / inFrame) * inFrame;
    for (std::size_t at = 0; at < length; at += piece) {
        if (cancelled && cancelled())
            return false;
        const auto n = int(std::min<std::size_t>(piece, length - at));
        if (SDL_AudioStreamPut(stream.get(), wave.samples() + at, n) != 0 || !drain())
            return false;
    }
    // SDL 2.26's stream keeps back the last stretch of a resampled sound even
    // when flushed: feed it silence, then cut the result to its true length.
    const std::vector<Uint8> silence(std::size_t(wave.rate / 10 + 1) * inFrame,
                                     wave.format == AUDIO_U8 ? Uint8(0x80) : Uint8(0));
    if (SDL_AudioStreamPut(stream.get(), silence.data(), int(silence.size())) != 0
        || SDL_AudioStreamFlush(stream.get()) != 0 || !drain())
        return false;
    const auto frames = std::size_t(std::ceil(double(length / inFrame) * rate / wave.rate));
    out.resize(std::min(out.size(), frames * outFrame));
    return !out.empty();
}

} // namespace wavefile
