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

// How loud the program's own recordings are, as people hear them, and the
// peak a take may reach.
struct Loudness
{
    // The median integrated loudness of the program's 30 recordings,
    // measured by integratedLoudness().
    double lufs = -12.9;
    double peakDb = -1.0;
};

// Mono (a channel that is dead or nearly so left out), at 22.05 or 44.1 kHz
// (kept when the take has one of them, 44.1 kHz otherwise, through a
// band-limited resampler); DC and what lies under 70 Hz taken out; cut to
// the voice, found frame by frame against the take's own noise, so that a
// click, a lip smack or a breath before it is not taken for it and a soft
// ending is kept; brought to the program's loudness, a limiter keeping the
// peak, between samples too, under the given level. No value when the take
// holds no voice.
std::optional<EvenTake> evenTake(const Take &take, const Loudness &loudness);

// Integrated loudness per EBU R128 (ITU-R BS.1770, gated), in LUFS. A sound
// shorter than the measure's blocks is measured as if it repeated.
double integratedLoudness(const std::vector<float> &mono, int rate);

// Band-limited resampling of a mono sound.
std::vector<float> resample(const std::vector<float> &mono, int from, int to);

// The peak between samples too (ITU-R BS.1770), in dB relative to full scale.
double truePeakDb(const std::vector<float> &mono, int rate);

// Decibels relative to full scale.
double rmsDb(const std::vector<float> &mono);
double peakDb(const std::vector<float> &mono);

} // namespace voices
