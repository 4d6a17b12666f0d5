#include "take.h"

#include <algorithm>
#include <cmath>

namespace voices {

namespace {

constexpr int kOutRate = 44100;
constexpr double kLead = 0.002;     // seconds kept before the first audible sample
constexpr double kTrail = 0.050;    // seconds kept after the last one
constexpr double kFadeIn = 0.003;
constexpr double kFadeOut = 0.005;
constexpr double kWindow = 0.010;   // for the noise floor and the voice
constexpr double kVoiceOverNoiseDb = 15; // a voice stands this far over the floor
constexpr double kQuietestVoiceDb = -50;
constexpr double kDigitalSilence = 1e-6;  // RMS under -120 dBFS: nothing recorded

double toDb(double amplitude)
{
    return amplitude > 0 ? 20 * std::log10(amplitude) : -200;
}

double fromDb(double db)
{
    return std::pow(10.0, db / 20);
}

std::vector<float> toMono(const Take &take)
{
    const auto channels = std::size_t(std::max(take.channels, 1));
    std::vector<float> mono(take.samples.size() / channels);
    for (std::size_t i = 0; i < mono.size(); ++i) {
        double sum = 0;
        for (std::size_t c = 0; c < channels; ++c)
            sum += take.samples[i * channels + c];
        mono[i] = float(sum / double(channels));
    }
    return mono;
}

// Linear interpolation, after a moving average that keeps what lies above
// the new rate's limit out when going down: enough for a voice.
std::vector<float> resample(std::vector<float> in, int from, int to)
{
    if (from == to || in.empty())
        return in;
    if (to < from) {
        const int span = int(std::ceil(double(from) / to));
        std::vector<float> smooth(in.size());
        double sum = 0;
        for (std::size_t i = 0; i < in.size(); ++i) {
            sum += in[i];
            if (i >= std::size_t(span))
                sum -= in[i - std::size_t(span)];
            smooth[i] = float(sum / std::min<double>(double(i + 1), span));
        }
        in = std::move(smooth);
    }
    const auto frames = std::size_t(double(in.size()) * to / from);
    std::vector<float> out(frames);
    for (std::size_t i = 0; i < frames; ++i) {
        const double at = double(i) * from / to;
        const auto j = std::size_t(at);
        const double frac = at - double(j);
        const float next = j + 1 < in.size() ? in[j + 1] : in[j];
        out[i] = float(in[j] * (1 - frac) + next * frac);
    }
    return out;
}

// The RMS of every window of the given length.
std::vector<double> windowRms(const std::vector<float> &mono, std::size_t window)
{
    std::vector<double> rms;
    for (std::size_t at = 0; at + window <= mono.size(); at += window) {
        double sum = 0;
        for (std::size_t i = at; i < at + window; ++i)
            sum += double(mono[i]) * mono[i];
        rms.push_back(std::sqrt(sum / double(window)));
    }
    return rms;
}

// Keeps every sample's magnitude under the ceiling with a gain that falls at
// once ahead of a peak (1 ms look-ahead) and recovers over 50 ms.
void limit(std::vector<float> &mono, int rate, double ceiling)
{
    const auto ahead = std::size_t(rate / 1000);
    std::vector<double> need(mono.size(), 1.0);
    for (std::size_t i = 0; i < mono.size(); ++i) {
        const double m = std::abs(mono[i]);
        if (m > ceiling) {
            const double g = ceiling / m;
            const std::size_t from = i > ahead ? i - ahead : 0;
            for (std::size_t j = from; j <= i; ++j)
                need[j] = std::min(need[j], g);
        }
    }
    const double release = 1.0 / (0.050 * rate);
    double gain = 1.0;
    for (std::size_t i = 0; i < mono.size(); ++i) {
        gain = std::min(need[i], gain + release);
        mono[i] = float(mono[i] * gain);
    }
}

} // namespace

double rmsDb(const std::vector<float> &mono)
{
    if (mono.empty())
        return -200;
    double sum = 0;
    for (float s : mono)
        sum += double(s) * s;
    return toDb(std::sqrt(sum / double(mono.size())));
}

double peakDb(const std::vector<float> &mono)
{
    float peak = 0;
    for (float s : mono)
        peak = std::max(peak, std::abs(s));
    return toDb(peak);
}

std::optional<EvenTake> evenTake(const Take &take, const Loudness &loudness)
{
    if (take.rate <= 0 || take.channels <= 0)
        return std::nullopt;
    const int rate = take.rate == 22050 || take.rate == 44100 ? take.rate : kOutRate;
    std::vector<float> mono = resample(toMono(take), take.rate, rate);

    // The noise floor: the quietest of the take's 10 ms windows that hold
    // any sound at all. Digital silence (a muted microphone, a stream that
    // ended) says nothing about the room's noise. Over a room's noise the
    // windows vary by a fraction of a decibel; a take that is all voice has
    // its quiet edges as its floor.
    std::vector<double> windows = windowRms(mono, std::size_t(kWindow * rate));
    std::erase_if(windows, [](double rms) { return rms < kDigitalSilence; });
    if (windows.empty())
        return std::nullopt;
    const auto [quietest, loudest] = std::minmax_element(windows.begin(), windows.end());
    const double floorDb = toDb(*quietest);
    const double loudestDb = toDb(*loudest);
    if (loudestDb < kQuietestVoiceDb || loudestDb - floorDb < kVoiceOverNoiseDb)
        return std::nullopt;
    // Audible: a sample that noise of that floor does not reach (ten times
    // its RMS), yet well under the voice. A take with nothing 20 dB under
    // its loudest window has no room in it at all: it is kept whole.
    std::size_t from = 0;
    std::size_t to = mono.size();
    if (floorDb + 20 < loudestDb) {
        const double threshold = fromDb(std::max(floorDb + 20, loudestDb - 40));
        const auto audible = [threshold](float s) { return std::abs(s) > threshold; };
        const auto first = std::size_t(std::find_if(mono.begin(), mono.end(), audible) - mono.begin());
        if (first == mono.size())
            return std::nullopt;
        const auto last = std::size_t(mono.rend() - std::find_if(mono.rbegin(), mono.rend(), audible)) - 1;
        from = first - std::min(first, std::size_t(kLead * rate));
        to = std::min(mono.size(), last + 1 + std::size_t(kTrail * rate));
    }
    mono = std::vector<float>(mono.begin() + std::ptrdiff_t(from), mono.begin() + std::ptrdiff_t(to));

    // The program's loudness; the limiter takes some of it back from a
    // peaky voice, so the gain is made up once or twice.
    const double ceiling = fromDb(loudness.peakDb);
    for (int round = 0; round < 4; ++round) {
        const double shortBy = loudness.rmsDb - rmsDb(mono);
        if (std::abs(shortBy) <= 0.5)
            break;
        const double gain = fromDb(shortBy);
        for (float &s : mono)
            s = float(s * gain);
        limit(mono, rate, ceiling);
    }

    const auto fadeIn = std::min(mono.size(), std::size_t(kFadeIn * rate));
    for (std::size_t i = 0; i < fadeIn; ++i)
        mono[i] = float(mono[i] * double(i) / double(fadeIn));
    const auto fadeOut = std::min(mono.size(), std::size_t(kFadeOut * rate));
    for (std::size_t i = 0; i < fadeOut; ++i)
        mono[mono.size() - 1 - i] = float(mono[mono.size() - 1 - i] * double(i) / double(fadeOut));

    EvenTake out{rate, {}, double(from) / rate, double(to) / rate};
    out.samples.reserve(mono.size());
    for (float s : mono)
        out.samples.push_back(std::int16_t(std::lround(std::clamp(s, -1.0f, 1.0f) * 32767)));
    return out;
}

} // namespace voices
