#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

struct SDL_RWops;

// A RIFF WAVE file as the program reads it. One judgement of whether a
// file plays, which the sound player, a sound file's import and voice packs
// all make: a file a grown-up is told is a voice is one the child hears.
namespace wavefile {

enum class Fault {
    None,
    NotWave,  // not a RIFF WAVE file, or one in an encoding SDL does not read
    CutShort, // its data says it holds more than the file does: a copy cut
              // short, a recording never finished, a damaged header
    TooLong,  // its sound lasts longer than the bound given
    NoSound,  // its data holds no sound at all
};

// What a WAVE file's header says of its sound, before any of it is read.
struct Header
{
    int rate = 0;
    int channels = 0;
    int bits = 0;                // a sample's, at least 4 (ADPCM)
    std::uint64_t dataBytes = 0; // what its data chunk says it holds
    // How long its sound lasts, at most (compressed encodings hold at least
    // `bits` a sample).
    double seconds() const;
};

// A WAVE file's sound as it lies in the file, in SDL's sample format.
class Wave
{
public:
    Wave() = default;
    ~Wave();
    Wave(const Wave &) = delete;
    Wave &operator=(const Wave &) = delete;

    int rate = 0;
    int channels = 0;
    std::uint16_t format = 0; // an SDL_AudioFormat
    const std::uint8_t *samples() const { return m_samples; }
    std::uint32_t length() const { return m_length; } // in bytes
    double seconds() const;

private:
    friend Fault read(SDL_RWops *file, double longest, Wave &wave);
    std::uint8_t *m_samples = nullptr;
    std::uint32_t m_length = 0;
};

// The header of the WAVE file that starts at `file`'s position, which is
// left where it was. NotWave when it has no format before its data; CutShort
// when its data chunk says it is longer than the rest of the file.
Fault readHeader(SDL_RWops *file, Header &header);

// Reads the WAVE file that starts at `file`'s position into `wave`, unless
// its header alone shows a fault or that it lasts longer than `longest`
// seconds: then none of its sound is read. None when it plays.
Fault read(SDL_RWops *file, double longest, Wave &wave);

// The sound converted to `format`, `channels` and `rate` into `out`, in
// pieces: however long the recording, no single conversion grows past what
// SDL can hold, `cancelled` is asked between them, and `out` never grows past
// `largest` bytes. False when cancelled or over the bound.
bool convert(const Wave &wave, std::uint16_t format, int channels, int rate, std::size_t largest,
             const std::function<bool()> &cancelled, std::vector<std::uint8_t> &out);

} // namespace wavefile
