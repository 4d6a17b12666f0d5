#pragma once

#include <cstdint>
#include <optional>
#include <vector>

// A grown-up's take of one of the program's sounds, made even with the
// program's own recordings: plain functions over sample buffers.
namespace voices {

// Samples as a recording or a file gives them: interleaved, -1 to 1.
struct Take
{
    int rate = 0;
    int channels = 0;
    std::vector<float> samples;
};

// A take ready to be saved: mono 16-bit at 22.05 or 44.1 kHz.
struct EvenTake
{
    int rate = 0;
    std::vector<std::int16_t> samples;
    // Where in the take what is kept begins and ends, in seconds.
    double from = 0;
    double to = 0;
};

// How loud the program's own recordings are, and the peak a take may reach.
struct Loudness
{
    double rmsDb = -14.0; // the median RMS of the program's recordings
    double peakDb = -1.0;
};

// Mono, at 22.05 or 44.1 kHz (kept when the take has one of them, 44.1 kHz
// otherwise); the silence before the first audible sample cut to at most
// 2 ms and after the last to at most 50 ms, audible meaning above the take's
// own noise floor; a few milliseconds of fade at each end; brought to the
// given RMS, a limiter rather than clipping keeping the peak under the given
// level. No value when the take holds no voice: nothing stands clear of its
// noise floor.
std::optional<EvenTake> evenTake(const Take &take, const Loudness &loudness);

// Decibels relative to full scale.
double rmsDb(const std::vector<float> &mono);
double peakDb(const std::vector<float> &mono);

} // namespace voices
