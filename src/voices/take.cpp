#include "take.h"

#include <ebur128.h>
#include <soxr.h>

#include <algorithm>
#include <cmath>
#include <memory>

namespace voices {

namespace {

constexpr int kOutRate = 44100;

// What is kept around the voice, past the frames found to hold it.
constexpr double kLead = 0.005;
constexpr double kTrail = 0.040;
constexpr double kFadeIn = 0.003;
constexpr double kFadeOut = 0.010;

// Frames the voice is looked for in, and blocks of them the room's noise is
// learnt from.
constexpr double kFrame = 0.005;
constexpr int kFramesPerBlock = 10;     // 50 ms
constexpr int kFloorSpanBlocks = 8;     // the noise around a frame: 0.4 s each side
// A frame holds sound over the noise floor by this much (the voice's edges,
// followed through), or stands clear of it (the voice itself).
constexpr double kOverNoiseDb = 6;
constexpr double kClearOfNoiseDb = 15;
// Past the edges found, quiet ends of the voice still above the noise are
// followed this far.
constexpr double kEdgeOverNoiseDb = 3;
constexpr int kEdgeFrames = 3;
// A voice: at least this long clear of the noise, and voiced, not hiss (a
// breath) nor a knock (a click, a lip smack, a button).
constexpr double kLeastVoice = 0.060;
constexpr double kVoicedCrossings = 2500; // zero crossings a second
// Stretches of sound this close together are one.
constexpr double kJoinGap = 0.100;
constexpr double kQuietestVoiceDb = -50;
constexpr double kDigitalSilence = 1e-12; // mean square under -120 dBFS: nothing recorded
// A channel this far under the loudest is dead (a microphone on one side
// of a stereo input) and left out rather than halving the voice.
constexpr double kDeadChannelDb = 30;
constexpr double kHighPass = 70; // Hz
constexpr double kRoomSpan = 0.100;
constexpr double kRoomUnderDb = 12;

double toDb(double amplitude)
{
    return amplitude > 0 ? 20 * std::log10(amplitude) : -200;
}

double powerDb(double meanSquare)
{
    return meanSquare > kDigitalSilence ? 10 * std::log10(meanSquare) : -200;
}

double fromDb(double db)
{
    return std::pow(10.0, db / 20);
}

std::vector<float> toMono(const Take &take)
{
    const auto channels = std::size_t(std::max(take.channels, 1));
    const std::size_t frames = take.samples.size() / channels;
    std::vector<double> power(channels, 0.0);
    for (std::size_t i = 0; i < frames * channels; ++i)
        power[i % channels] += double(take.samples[i]) * take.samples[i];
    const double loudest = *std::max_element(power.begin(), power.end());
    std::vector<std::size_t> live;
    for (std::size_t c = 0; c < channels; ++c) {
        if (powerDb(power[c]) > powerDb(loudest) - kDeadChannelDb)
            live.push_back(c);
    }
    std::vector<float> mono(frames);
    for (std::size_t i = 0; i < frames; ++i) {
        double sum = 0;
        for (std::size_t c : live)
            sum += take.samples[i * channels + c];
        mono[i] = float(sum / double(live.size()));
    }
    return mono;
}

// A fourth-order Butterworth high-pass (two biquads), run forwards and then
// backwards so that it shifts nothing in time: onsets stay where they are.
void highPass(std::vector<float> &mono, int rate, double cutoff)
{
    if (mono.empty())
        return;
    double mean = 0;
    for (float s : mono)
        mean += s;
    mean /= double(mono.size());
    for (float &s : mono)
        s = float(s - mean);

    const double w = std::tan(M_PI * cutoff / rate);
    for (const double q : {0.54119610, 1.3065630}) { // the two sections' Q
        const double norm = 1 / (1 + w / q + w * w);
        const double b0 = norm, b1 = -2 * norm, b2 = norm;
        const double a1 = 2 * (w * w - 1) * norm, a2 = (1 - w / q + w * w) * norm;
        const auto pass = [&](auto begin, auto end) {
            double x1 = 0, x2 = 0, y1 = 0, y2 = 0;
            for (auto it = begin; it != end; ++it) {
                const double x = *it;
                const double y = b0 * x + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2;
                x2 = x1, x1 = x, y2 = y1, y1 = y;
                *it = float(y);
            }
        };
        pass(mono.begin(), mono.end());
        pass(mono.rbegin(), mono.rend());
    }
}

struct Frame
{
    double db = -200;
    double crossings = 0; // a second
    bool silent() const { return db <= -200; }
};

// The frames of the filtered take; digital silence is told from the take as
// it came, which the filter would fill with its own faint ringing.
std::vector<Frame> frames(const std::vector<float> &mono, const std::vector<float> &raw, int rate)
{
    const auto length = std::size_t(std::lround(kFrame * rate));
    std::vector<Frame> out;
    for (std::size_t at = 0; at + length <= mono.size(); at += length) {
        double sum = 0, rawSum = 0;
        int crossings = 0;
        for (std::size_t i = at; i < at + length; ++i) {
            sum += double(mono[i]) * mono[i];
            rawSum += double(raw[i]) * raw[i];
            if (i > at && (mono[i] >= 0) != (mono[i - 1] >= 0))
                ++crossings;
        }
        out.push_back({powerDb(rawSum / double(length)) <= -200 ? -200 : sum / double(length), crossings / kFrame});
    }
    // Each frame's level over it and its neighbours: the fluctuations of a
    // voice fading into the noise do not break it into pieces.
    std::vector<Frame> smooth = out;
    for (std::size_t i = 0; i < out.size(); ++i) {
        if (out[i].silent())
            continue;
        double sum = 0;
        int counted = 0;
        for (std::size_t j = i > 0 ? i - 1 : 0; j < std::min(out.size(), i + 2); ++j) {
            if (!out[j].silent()) {
                sum += out[j].db;
                ++counted;
            }
        }
        smooth[i].db = powerDb(sum / counted);
    }
    return smooth;
}

// The noise floor under every frame: the quietest 50 ms block with any
// sound at all within 0.4 s of it, so that a noise that rises and falls (a
// fan, a street) is followed. Within a longer voice the floor is the voice
// itself; its two ends, where the room is near, are found all the same, and
// all between them is kept. Digital silence (a muted microphone, a stream
// that ended) says nothing about the room and is passed over.
std::vector<double> noiseFloor(const std::vector<Frame> &f)
{
    std::vector<double> blocks;
    for (std::size_t at = 0; at < f.size(); at += kFramesPerBlock) {
        double sum = 0;
        int counted = 0;
        for (std::size_t i = at; i < std::min(f.size(), at + kFramesPerBlock); ++i) {
            if (!f[i].silent()) {
                sum += std::pow(10.0, f[i].db / 10);
                ++counted;
            }
        }
        blocks.push_back(counted ? powerDb(sum / counted) : 200);
    }
    std::vector<double> floor(f.size());
    for (std::size_t i = 0; i < f.size(); ++i) {
        const std::size_t b = i / kFramesPerBlock;
        const std::size_t from = b > std::size_t(kFloorSpanBlocks) ? b - kFloorSpanBlocks : 0;
        const std::size_t to = std::min(blocks.size(), b + kFloorSpanBlocks + 1);
        floor[i] = *std::min_element(blocks.begin() + std::ptrdiff_t(from), blocks.begin() + std::ptrdiff_t(to));
    }
    return floor;
}

struct Stretch
{
    std::size_t from = 0;
    std::size_t to = 0; // one past the last frame
};

// The frames that hold the voice; none when there is no voice.
std::optional<Stretch> findVoice(const std::vector<Frame> &f)
{
    const std::vector<double> floor = noiseFloor(f);
    const auto over = [&](std::size_t i, double db) { return !f[i].silent() && f[i].db > floor[i] + db; };

    // Stretches of sound over the noise, joined when close together.
    std::vector<Stretch> sounds;
    for (std::size_t i = 0; i < f.size(); ++i) {
        if (!over(i, kOverNoiseDb))
            continue;
        std::size_t end = i;
        while (end < f.size() && over(end, kOverNoiseDb))
            ++end;
        if (!sounds.empty() && double(i - sounds.back().to) * kFrame < kJoinGap)
            sounds.back().to = end;
        else
            sounds.push_back({i, end});
        i = end;
    }
    // Those that hold a voice: long enough clear of the noise, and voiced.
    std::optional<Stretch> voice;
    for (const Stretch &s : sounds) {
        int voiced = 0;
        for (std::size_t i = s.from; i < s.to; ++i) {
            if (over(i, kClearOfNoiseDb) && f[i].crossings < kVoicedCrossings)
                ++voiced;
        }
        if (voiced * kFrame < kLeastVoice)
            continue;
        if (!voice)
            voice = s;
        voice->to = s.to;
    }
    if (!voice)
        return std::nullopt;
    // The voice's quiet edges, still above the noise.
    for (int n = 0; n < kEdgeFrames && voice->from > 0 && over(voice->from - 1, kEdgeOverNoiseDb); ++n)
        --voice->from;
    for (int n = 0; n < kEdgeFrames && voice->to < f.size() && over(voice->to, kEdgeOverNoiseDb); ++n)
        ++voice->to;
    return voice;
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

std::vector<float> resample(const std::vector<float> &mono, int from, int to)
{
    if (from == to || mono.empty())
        return mono;
    std::vector<float> out(std::size_t(std::ceil(double(mono.size()) * to / from)) + 16);
    std::size_t done = 0;
    const soxr_io_spec_t io = soxr_io_spec(SOXR_FLOAT32_I, SOXR_FLOAT32_I);
    const soxr_quality_spec_t quality = soxr_quality_spec(SOXR_HQ, 0);
    if (soxr_oneshot(from, to, 1, mono.data(), mono.size(), nullptr, out.data(), out.size(), &done, &io, &quality,
                     nullptr))
        return {};
    out.resize(done);
    return out;
}

double integratedLoudness(const std::vector<float> &mono, int rate)
{
    if (mono.empty() || rate <= 0)
        return -200;
    const std::unique_ptr<ebur128_state, void (*)(ebur128_state *)> state(
        ebur128_init(1, static_cast<unsigned long>(rate), EBUR128_MODE_I),
        [](ebur128_state *s) { ebur128_destroy(&s); });
    if (!state)
        return -200;
    // At least two seconds: the measure's 400 ms blocks need that many to
    // say anything of a short sound.
    const auto least = std::size_t(2 * rate);
    std::size_t added = 0;
    do {
        ebur128_add_frames_float(state.get(), mono.data(), mono.size());
        added += mono.size();
    } while (added < least);
    double lufs = -200;
    if (ebur128_loudness_global(state.get(), &lufs) != EBUR128_SUCCESS || !std::isfinite(lufs))
        return -200;
    return lufs;
}

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
    if (take.rate <= 0 || take.channels <= 0 || take.samples.empty())
        return std::nullopt;
    const int rate = take.rate == 22050 || take.rate == 44100 ? take.rate : kOutRate;
    const std::vector<float> raw = resample(toMono(take), take.rate, rate);
    std::vector<float> mono = raw;
    highPass(mono, rate, kHighPass);

    // Where the voice is. Nothing well under the loudest moment: no voice.
    const std::vector<Frame> f = frames(mono, raw, rate);
    double quietest = 200, loudest = -200;
    for (const Frame &frame : f) {
        if (!frame.silent()) {
            quietest = std::min(quietest, frame.db);
            loudest = std::max(loudest, frame.db);
        }
    }
    if (loudest < kQuietestVoiceDb || loudest - quietest < kClearOfNoiseDb)
        return std::nullopt;
    // Room at an end: most of its first (last) 100 ms well under the
    // loudest moment (a click there is not the voice). A file cut close
    // around its voice has none, and that end is kept as it is.
    const auto roomAt = [&](bool start) {
        const std::size_t n = std::min(f.size(), std::size_t(kRoomSpan / kFrame));
        std::vector<double> edge;
        for (std::size_t k = 0; k < n; ++k)
            edge.push_back(f[start ? k : f.size() - 1 - k].db);
        if (edge.empty())
            return false;
        std::nth_element(edge.begin(), edge.begin() + std::ptrdiff_t(n / 2), edge.end());
        return edge[n / 2] <= loudest - kRoomUnderDb;
    };
    const bool roomBefore = roomAt(true), roomAfter = roomAt(false);
    std::size_t from = 0;
    std::size_t to = mono.size();
    if (!roomBefore && !roomAfter) {
        // All of it is the voice, if it is a voice at all: voiced, not
        // hiss, for long enough near its loudest.
        const auto voiced = std::count_if(f.begin(), f.end(), [&](const Frame &frame) {
            return !frame.silent() && frame.db > loudest - kClearOfNoiseDb && frame.crossings < kVoicedCrossings;
        });
        if (double(voiced) * kFrame < kLeastVoice)
            return std::nullopt;
    } else {
        const std::optional<Stretch> voice = findVoice(f);
        if (!voice)
            return std::nullopt;
        const auto frameLength = double(std::lround(kFrame * rate));
        if (roomBefore)
            from = std::size_t(std::max(0.0, double(voice->from) * frameLength - kLead * rate));
        if (roomAfter)
            to = std::min(mono.size(), std::size_t(double(voice->to) * frameLength + kTrail * rate));
    }
    mono = std::vector<float>(mono.begin() + std::ptrdiff_t(from), mono.begin() + std::ptrdiff_t(to));

    // The program's loudness; the limiter takes some of it back from a
    // peaky voice, so the gain is made up once or twice.
    const double ceiling = fromDb(loudness.peakDb);
    for (int round = 0; round < 4; ++round) {
        const double shortBy = loudness.lufs - integratedLoudness(mono, rate);
        if (std::abs(shortBy) <= 0.3)
            break;
        const double gain = fromDb(std::min(shortBy, 60.0));
        for (float &s : mono)
            s = float(s * gain);
        limit(mono, rate, ceiling);
    }
    limit(mono, rate, ceiling);

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
