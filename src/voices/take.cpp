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
// The room's noise is learnt from the quietest of the blocks within
// 1.5 s, to find the voice; to follow its edges, from the quietest two
// fifths of those within 0.4 s beyond them.
constexpr std::size_t kWideSpanBlocks = 30;
constexpr std::size_t kEdgeSpanBlocks = 8;
constexpr double kEdgeShare = 0.4;
// Less than this of the take beyond the voice is no room to learn from.
constexpr std::size_t kShortEdgeBlocks = 4;
// A frame holds sound over the noise floor by this much (the voice's edges,
// followed through), or stands clear of it (the voice itself).
constexpr double kOverNoiseDb = 6;
constexpr double kClearOfNoiseDb = 15;
// The longest pause within the voice's edges: a stop's closure.
constexpr std::size_t kPauseFrames = 6;
// A voice: at least this long clear of the noise, and voiced, not hiss (a
// breath) nor a knock (a click, a lip smack, a button).
constexpr double kLeastVoice = 0.060;
// Voiced: the frame's sound repeats itself at a voice's pitch (70 to 400 Hz)
// this closely (its normalised autocorrelation), as a noise never does, be
// it hiss or the rumble of a street.
constexpr double kVoicedLikeness = 0.7;
constexpr double kLowestPitch = 70, kHighestPitch = 400; // Hz
constexpr double kPitchWindow = 0.030;
constexpr double kPitchRate = 8000; // Hz, about: a voice's pitch is all there
// Stretches of sound this close together are one.
constexpr double kJoinGap = 0.100;
constexpr double kQuietestVoiceDb = -50;
constexpr double kDigitalSilence = 1e-12; // mean square under -120 dBFS: nothing recorded
constexpr double kSilenceDb = -120;
// Followed no further than this far under the voice's loudest frame.
constexpr double kDeepestEdgeDb = 40;
// A channel this far under the loudest is dead (a microphone on one side
// of a stereo input) and left out rather than halving the voice.
constexpr double kDeadChannelDb = 30;
constexpr double kHighPass = 70; // Hz

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

// A sample as it is heard: one that is not a number (a float file's NaN or
// infinity) is silence, never the whole take's loudness.
float heard(float sample)
{
    return std::isfinite(sample) ? sample : 0.0f;
}

std::vector<float> toMono(const Take &take)
{
    const auto channels = std::size_t(std::max(take.channels, 1));
    const std::size_t frames = take.samples.size() / channels;
    std::vector<double> power(channels, 0.0);
    for (std::size_t i = 0; i < frames * channels; ++i)
        power[i % channels] += double(heard(take.samples[i])) * heard(take.samples[i]);
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
            sum += heard(take.samples[i * channels + c]);
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
    double likeness = 0; // how closely it repeats at a voice's pitch, 0 to 1
    bool silent() const { return db <= -200; }
};

// How closely the sound around each frame repeats itself at a voice's
// pitch: the highest peak of its normalised autocorrelation between the
// pitch periods of 400 and 70 Hz, on a copy brought down to about 8 kHz.
std::vector<double> likeness(const std::vector<float> &mono, int rate, std::size_t frames)
{
    const int step = std::max(1, int(std::lround(rate / kPitchRate)));
    const double low = double(rate) / step;
    std::vector<float> coarse(mono.size() / std::size_t(step));
    for (std::size_t i = 0; i < coarse.size(); ++i) {
        double sum = 0;
        for (int k = 0; k < step; ++k)
            sum += mono[i * std::size_t(step) + std::size_t(k)];
        coarse[i] = float(sum / step);
    }
    const auto window = std::size_t(kPitchWindow * low);
    const auto shortest = std::size_t(low / kHighestPitch), longest = std::size_t(low / kLowestPitch);
    std::vector<double> out(frames, 0.0);
    std::vector<double> r(longest + 2);
    for (std::size_t n = 0; n < frames; ++n) {
        const auto centre = std::size_t((double(n) + 0.5) * kFrame * low);
        if (centre < window / 2 || centre - window / 2 + window + longest + 1 > coarse.size())
            continue;
        const float *x = coarse.data() + (centre - window / 2);
        double energy0 = 0;
        for (std::size_t i = 0; i < window; ++i)
            energy0 += double(x[i]) * x[i];
        if (energy0 <= 0)
            continue;
        for (std::size_t lag = shortest - 1; lag <= longest + 1; ++lag) {
            double dot = 0, energy = 0;
            for (std::size_t i = 0; i < window; ++i) {
                dot += double(x[i]) * x[i + lag];
                energy += double(x[i + lag]) * x[i + lag];
            }
            r[lag] = energy > 0 ? dot / std::sqrt(energy0 * energy) : 0;
        }
        double best = 0;
        for (std::size_t lag = shortest; lag <= longest; ++lag) {
            if (r[lag] >= r[lag - 1] && r[lag] >= r[lag + 1])
                best = std::max(best, r[lag]);
        }
        out[n] = best;
    }
    return out;
}

// The frames of the filtered take; digital silence is told from the take as
// it came, which the filter would fill with its own faint ringing.
std::vector<Frame> frames(const std::vector<float> &mono, const std::vector<float> &raw, int rate)
{
    const auto length = std::size_t(std::lround(kFrame * rate));
    std::vector<Frame> out;
    for (std::size_t at = 0; at + length <= mono.size(); at += length) {
        double sum = 0, rawSum = 0;
        for (std::size_t i = at; i < at + length; ++i) {
            sum += double(mono[i]) * mono[i];
            rawSum += double(raw[i]) * raw[i];
        }
        out.push_back({powerDb(rawSum / double(length)) <= -200 ? -200 : sum / double(length), 0});
    }
    const std::vector<double> voiced = likeness(mono, rate, out.size());
    for (std::size_t i = 0; i < out.size(); ++i)
        out[i].likeness = voiced[i];
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

// The level of every 50 ms block: its frames' mean power. Digital silence
// (a file cut out of a longer one, a muted microphone) is a room as quiet as
// can be.
std::vector<double> blockLevels(const std::vector<Frame> &f)
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
        blocks.push_back(counted ? powerDb(sum / counted) : kSilenceDb);
    }
    return blocks;
}

// The given share of the way up the levels of blocks [from, to).
double levelAt(const std::vector<double> &blocks, std::size_t from, std::size_t to, double share)
{
    std::vector<double> near(blocks.begin() + std::ptrdiff_t(from), blocks.begin() + std::ptrdiff_t(to));
    const auto at = near.begin() + std::ptrdiff_t(double(near.size() - 1) * share);
    std::nth_element(near.begin(), at, near.end());
    return *at;
}

struct Stretch
{
    std::size_t from = 0;
    std::size_t to = 0; // one past the last frame
};

// The room's noise under every frame, over a span longer than any letter,
// so that the middle of a long voice still has room in sight.
std::vector<double> wideFloor(const std::vector<Frame> &f, const std::vector<double> &blocks)
{
    std::vector<double> quietest(blocks.size());
    for (std::size_t b = 0; b < blocks.size(); ++b) {
        quietest[b] = *std::min_element(blocks.begin() + std::ptrdiff_t(b > kWideSpanBlocks ? b - kWideSpanBlocks : 0),
                                        blocks.begin() + std::ptrdiff_t(std::min(blocks.size(), b + kWideSpanBlocks + 1)));
    }
    std::vector<double> wide(f.size());
    for (std::size_t i = 0; i < f.size(); ++i)
        wide[i] = quietest[i / kFramesPerBlock];
    return wide;
}

std::optional<Stretch> findVoice(const std::vector<Frame> &f, const std::vector<double> &blocks,
                                 const std::vector<double> &wide, double loudest)
{
    const auto block = [](std::size_t frame) { return frame / kFramesPerBlock; };
    const auto core = [&](std::size_t i) {
        return !f[i].silent() && f[i].db > wide[i] + kClearOfNoiseDb && f[i].likeness >= kVoicedLikeness;
    };
    const auto joinFrames = std::size_t(kJoinGap / kFrame);

    // The voice's core: frames clear of the noise and voiced, in groups
    // (apart by less than kJoinGap) long enough to be a voice, from the
    // first such group to the last.
    std::optional<Stretch> voice;
    for (std::size_t i = 0; i < f.size();) {
        if (!core(i)) {
            ++i;
            continue;
        }
        std::size_t last = i;
        int count = 0;
        std::size_t j = i;
        for (; j < f.size() && j - last <= joinFrames; ++j) {
            if (core(j)) {
                last = j;
                ++count;
            }
        }
        if (count * kFrame >= kLeastVoice) {
            if (!voice)
                voice = Stretch{i, last + 1};
            voice->to = last + 1;
        }
        i = j;
    }
    if (!voice)
        return std::nullopt;

    // Followed out from the core while it stays over the noise of the room
    // next to it (the quietest blocks within 0.4 s beyond it: a noise that
    // rises and falls is met as it is there), across the shortest of
    // pauses: an unvoiced beginning (the s of سين), a soft attack, a soft
    // ending. Noise that only joins the voice after a pause is left out.
    const auto outwards = [&](std::size_t &edge, bool back) {
        const std::size_t b = block(edge);
        const std::size_t from = back ? (b > kEdgeSpanBlocks ? b - kEdgeSpanBlocks : 0) : std::min(b + 1, blocks.size());
        const std::size_t to = back ? b : std::min(blocks.size(), b + 1 + kEdgeSpanBlocks);
        double floor = to - from >= 2 ? levelAt(blocks, from, to, kEdgeShare) : wide[std::min(edge, f.size() - 1)];
        // Near the take's own start or end there may be no room to learn
        // from, only more of the voice (a file that begins with the soft
        // ع of عين): all of it within reach of the voice's loudest is kept.
        if (back ? b < kShortEdgeBlocks : b + 1 + kShortEdgeBlocks > blocks.size())
            floor = std::min(floor, loudest - kDeepestEdgeDb - kOverNoiseDb);
        const auto heard = [&](std::size_t i) {
            return !f[i].silent() && f[i].db > floor + kOverNoiseDb && f[i].db > loudest - kDeepestEdgeDb;
        };
        std::size_t quiet = 0;
        for (std::size_t at = edge;;) {
            if (back ? at == 0 : at >= f.size())
                break;
            const std::size_t next = back ? at - 1 : at;
            at = back ? at - 1 : at + 1;
            if (heard(next)) {
                quiet = 0;
                edge = back ? next : next + 1;
            } else if (++quiet > kPauseFrames) {
                break;
            }
        }
    };
    outwards(voice->from, true);
    outwards(voice->to, false);
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

namespace {

using Meter = std::unique_ptr<ebur128_state, void (*)(ebur128_state *)>;

// A libebur128 meter of one channel, or none when the rate is not one.
Meter meter(int rate, int mode)
{
    return Meter(rate > 0 ? ebur128_init(1, static_cast<unsigned long>(rate), mode) : nullptr,
                 [](ebur128_state *s) { ebur128_destroy(&s); });
}

} // namespace

double integratedLoudness(const std::vector<float> &mono, int rate)
{
    const Meter state = meter(rate, EBUR128_MODE_I);
    if (mono.empty() || !state)
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

double truePeakDb(const std::vector<float> &mono, int rate)
{
    const Meter state = meter(rate, EBUR128_MODE_TRUE_PEAK);
    double peak = 0;
    if (mono.empty() || !state || ebur128_add_frames_float(state.get(), mono.data(), mono.size()) != EBUR128_SUCCESS
        || ebur128_true_peak(state.get(), 0, &peak) != EBUR128_SUCCESS)
        return -200;
    return toDb(peak);
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
    // (Digital silence is as quiet as can be: a steady tone between two
    // silences stands out of it.)
    double quietest = 200, loudest = -200;
    for (const Frame &frame : f) {
        quietest = std::min(quietest, frame.silent() ? kSilenceDb : frame.db);
        loudest = std::max(loudest, frame.db);
    }
    if (loudest < kQuietestVoiceDb || loudest - quietest < kClearOfNoiseDb)
        return std::nullopt;
    const std::vector<double> blocks = blockLevels(f);
    const std::vector<double> wide = wideFloor(f, blocks);
    std::size_t from = 0;
    std::size_t to = mono.size();
    // A voice never well clear of what surrounds it (a soft voice in a loud
    // room, a file with no room at all) is kept whole, when it is a voice:
    // voiced, not hiss nor rumble, for long enough near its loudest.
    const std::optional<Stretch> voice = findVoice(f, blocks, wide, loudest);
    if (voice) {
        const auto frameLength = double(std::lround(kFrame * rate));
        from = std::size_t(std::max(0.0, double(voice->from) * frameLength - kLead * rate));
        to = std::min(mono.size(), std::size_t(double(voice->to) * frameLength + kTrail * rate));
    } else {
        const auto voiced = std::count_if(f.begin(), f.end(), [&](const Frame &frame) {
            return !frame.silent() && frame.db > loudest - kClearOfNoiseDb && frame.likeness >= kVoicedLikeness;
        });
        if (double(voiced) * kFrame < kLeastVoice)
            return std::nullopt;
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
    // Between samples a sound can still rise over the ceiling, which a
    // sound card's output then clips: what remains is taken off the whole.
    if (const double over = truePeakDb(mono, rate) - loudness.peakDb; over > 0) {
        const double gain = fromDb(-over - 0.01);
        for (float &s : mono)
            s = float(s * gain);
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
