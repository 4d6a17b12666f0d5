// Makes the takes benchmark's corpus (tools/takes-corpus runs it): from the
// program's 30 recordings, takes with the faults of a grown-up's own, alone
// and together, and takes that hold no voice at all, as WAVE files, with
// truth.csv saying where the voice lies in each.
//
// The same bytes at every run: every take draws its numbers from its case's
// seed with a generator of our own (the standard library's distributions
// differ between libraries), and libsoxr resamples on its plain code path,
// not on the one the processor's vector units pick.
//
//   make_takes <the recordings' folder> <output folder>
#include "wavefile.h"

#include <soxr.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <numbers>
#include <string>
#include <vector>

namespace {

using Signal = std::vector<double>;

constexpr int kSourceRate = 22050;
constexpr double kPi = std::numbers::pi;

// A take's faults; a case is a set of them.
enum Fault : unsigned {
    Click = 1u << 0,       // a button's click or a cable's thump at the very start
    Dc = 1u << 1,          // an offset of -40 to -22 dBFS
    Hum50 = 1u << 2,       // mains hum and its harmonics, -50 to -35 dBFS
    Hum60 = 1u << 3,
    Noise = 1u << 4,       // fan or street noise, -55 to -35 dBFS, its level wandering
    Breath = 1u << 5,      // a breath or lip smack before the voice
    Room = 1u << 6,        // 0.3 to 1.5 s of room before and after the voice
    Trailing = 1u << 7,    // the voice drawn out and fading slowly, a long vowel
    Clipped = 1u << 8,     // so loud that the peaks clip at full scale
    DeadChannel = 1u << 9, // stereo with one channel silent
    Level = 1u << 10,      // the voice 12 dB under to 12 dB over the program's
    Float = 1u << 11,      // written as 32-bit float rather than 16-bit
};

struct Case
{
    const char *name;
    bool voice;
    int rate;
    int channels;
    unsigned faults;
    std::uint64_t seed;
};

// Every case makes one take from each of the 30 recordings; a case without
// a voice makes 30 takes of its own, as long as a take usually is. Room
// without fan or street noise is a quiet room (-72 to -62 dBFS). The gaps a
// click or a breath needs before the voice are digital silence when the
// case has no room.
constexpr Case kCases[] = {
    // Each fault alone, on the recording at its own rate.
    {"clean", true, 22050, 1, 0, 1101},
    {"click", true, 22050, 1, Click, 1102},
    {"dc", true, 22050, 1, Dc, 1103},
    {"hum-50", true, 22050, 1, Hum50, 1104},
    {"hum-60", true, 22050, 1, Hum60, 1105},
    {"noise", true, 22050, 1, Noise, 1106},
    {"breath", true, 22050, 1, Breath, 1107},
    {"room", true, 22050, 1, Room, 1108},
    {"trailing", true, 22050, 1, Trailing, 1109},
    {"clipped", true, 22050, 1, Clipped, 1110},
    {"dead-channel", true, 22050, 2, DeadChannel, 1111},
    {"level", true, 22050, 1, Level, 1112},
    {"rate-8k", true, 8000, 1, 0, 1113},
    {"rate-16k", true, 16000, 1, 0, 1114},
    {"rate-44k", true, 44100, 1, 0, 1115},
    {"rate-48k", true, 48000, 1, 0, 1116},
    // Together, as a microphone, a headset, a telephone or a file give them.
    {"mic-click", true, 44100, 1, Room | Noise | Click, 1201},
    {"mic-breath", true, 44100, 1, Room | Noise | Breath, 1202},
    {"mic-trailing", true, 44100, 1, Room | Noise | Trailing, 1203},
    {"mic-hum-dc", true, 44100, 1, Room | Noise | Hum50 | Dc, 1204},
    {"mic-level-trailing", true, 44100, 1, Room | Noise | Level | Trailing, 1205},
    {"mic-clipped-click", true, 44100, 1, Room | Noise | Clipped | Click, 1206},
    {"usb-stereo", true, 48000, 2, Room | Noise | Hum60 | DeadChannel | Click, 1207},
    {"phone", true, 8000, 1, Room | Noise | Level | Breath, 1208},
    {"headset", true, 16000, 1, Room | Noise | Dc | Click | Breath, 1209},
    {"file-float", true, 48000, 1, Room | Trailing | Level | Breath | Float, 1210},
    {"everything-50", true, 48000, 2,
     Room | Noise | Hum50 | Dc | Click | Breath | Trailing | Level | DeadChannel | Float, 1211},
    {"everything-60", true, 44100, 1, Room | Noise | Hum60 | Dc | Click | Breath | Trailing | Clipped, 1212},
    // No voice at all.
    {"none-silence", false, 44100, 1, 0, 1301},
    {"none-quiet-room", false, 44100, 1, Room, 1302},
    {"none-noise", false, 44100, 1, Noise, 1303},
    {"none-noise-click", false, 44100, 1, Noise | Click, 1304},
    {"none-noise-hum-50", false, 48000, 1, Noise | Hum50, 1305},
    {"none-noise-hum-60", false, 44100, 1, Noise | Hum60, 1306},
    {"none-breath", false, 44100, 1, Room | Breath, 1307},
};

// splitmix64: the same numbers on every machine and with every compiler.
class Random
{
public:
    // A stream of its own for each part of each take of a case, so that
    // one part's draws do not shift another's.
    Random(std::uint64_t seed, int take, int part)
        : m_state(seed * 0x9e3779b97f4a7c15u + std::uint64_t(take + 1) * 0xbf58476d1ce4e5b9u +
                  std::uint64_t(part + 1) * 0x94d049bb133111ebu)
    {
    }
    std::uint64_t next()
    {
        std::uint64_t z = (m_state += 0x9e3779b97f4a7c15u);
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9u;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebu;
        return z ^ (z >> 31);
    }
    double uniform() { return double(next() >> 11) * 0x1.0p-53; } // [0, 1)
    double between(double lo, double hi) { return lo + (hi - lo) * uniform(); }
    bool chance(double p) { return uniform() < p; }
    double gauss() { return std::sqrt(-2 * std::log(1 - uniform())) * std::cos(2 * kPi * uniform()); }

private:
    std::uint64_t m_state;
};

enum Part { Layout, Gain, Trail, Background, Hum, Offset, Puff, Knock, Channel };

double fromDb(double db)
{
    return std::pow(10.0, db / 20);
}

double rmsOf(const Signal &s, std::size_t from = 0, std::size_t to = SIZE_MAX)
{
    to = std::min(to, s.size());
    if (from >= to)
        return 0;
    double sum = 0;
    for (std::size_t i = from; i < to; ++i)
        sum += s[i] * s[i];
    return std::sqrt(sum / double(to - from));
}

double peakOf(const Signal &s)
{
    double peak = 0;
    for (double v : s)
        peak = std::max(peak, std::abs(v));
    return peak;
}

void scaleTo(Signal &s, double rms)
{
    const double now = rmsOf(s);
    if (now > 0)
        for (double &v : s)
            v *= rms / now;
}

// The frames the truth is measured in: 10 ms each, laid from the first
// sample, the last one shorter when the length is not a whole number of them.
std::size_t frameStart(std::size_t k, int rate)
{
    return k * std::size_t(rate) / 100;
}

struct Span
{
    double onset = 0; // seconds
    double end = 0;
    double loudestRms = 0;
};

// Where the voice begins and ends in a clean recording, measured on the
// recording itself: the first and the last 10 ms frame whose RMS is within
// 40 dB of its loudest frame's. The voice begins where that first frame
// begins and ends where that last frame ends. On a recording drawn out to
// trail off, the same rule over the whole of it, so that its end is where
// the fade falls 40 dB under the loudest frame.
//
// Given the room's noise laid under the voice from `at` on, the frames must
// also stand at least as loud as the noise under them: where the voice can
// be told from the room at all. A fade that sinks into fan noise ends there.
Span voiceSpan(const Signal &voice, int rate, const Signal *noise = nullptr, std::size_t at = 0)
{
    std::vector<double> rms;
    std::vector<double> under;
    for (std::size_t k = 0; frameStart(k, rate) < voice.size(); ++k) {
        const std::size_t from = frameStart(k, rate);
        const std::size_t to = std::min(frameStart(k + 1, rate), voice.size());
        rms.push_back(rmsOf(voice, from, to));
        under.push_back(noise ? rmsOf(*noise, at + from, at + to) : 0.0);
    }
    const double loudest = rms.empty() ? 0 : *std::max_element(rms.begin(), rms.end());
    const double threshold = loudest * fromDb(-40);
    const auto heard = [&](std::size_t k) { return rms[k] >= threshold && rms[k] >= under[k]; };
    std::size_t first = 0;
    while (first < rms.size() && !heard(first))
        ++first;
    std::size_t last = rms.size();
    while (last > first && !heard(last - 1))
        --last;
    return {double(frameStart(first, rate)) / rate,
            double(std::min(frameStart(last, rate), voice.size())) / rate, loudest};
}

Signal resample(const Signal &in, int from, int to)
{
    if (from == to)
        return in;
    const soxr_io_spec_t io = soxr_io_spec(SOXR_FLOAT64_I, SOXR_FLOAT64_I);
    const soxr_quality_spec_t quality = soxr_quality_spec(SOXR_HQ, 0);
    const soxr_runtime_spec_t runtime = soxr_runtime_spec(1);
    Signal out(std::size_t(std::ceil(double(in.size()) * to / from)) + 1);
    std::size_t done = 0;
    if (const soxr_error_t error = soxr_oneshot(from, to, 1, in.data(), in.size(), nullptr, out.data(), out.size(),
                                                &done, &io, &quality, &runtime)) {
        std::fprintf(stderr, "make_takes: resampling failed: %s\n", error);
        std::exit(1);
    }
    out.resize(done);
    return out;
}

// Pink noise (Paul Kellet's filter over white noise), RMS 1.
Signal pinkNoise(std::size_t frames, Random &rng)
{
    Signal out(frames);
    double b[7] = {};
    for (double &v : out) {
        const double w = rng.gauss();
        b[0] = 0.99886 * b[0] + w * 0.0555179;
        b[1] = 0.99332 * b[1] + w * 0.0750759;
        b[2] = 0.96900 * b[2] + w * 0.1538520;
        b[3] = 0.86650 * b[3] + w * 0.3104856;
        b[4] = 0.55000 * b[4] + w * 0.5329522;
        b[5] = -0.7616 * b[5] - w * 0.0168980;
        v = b[0] + b[1] + b[2] + b[3] + b[4] + b[5] + b[6] + w * 0.5362;
        b[6] = w * 0.115926;
    }
    scaleTo(out, 1);
    return out;
}

// What the room holds under the voice, over the whole take. Fan or street
// noise wanders: a fan's whirr (pink noise over a low rumble) drifts by a
// few decibels as it turns; a street's (pink noise) swells by 4 to 8 dB
// over a second or more as a car passes. A quiet room is steady.
Signal roomNoise(std::size_t frames, int rate, bool loud, Random &rng)
{
    Signal noise = pinkNoise(frames, rng);
    if (!loud) {
        scaleTo(noise, fromDb(rng.between(-72, -62)));
        return noise;
    }
    const bool fan = rng.chance(0.5);
    if (fan) {
        // A rumble under 100 Hz, as loud as the whirr.
        Signal rumble(frames);
        const double a = std::exp(-2 * kPi * 100.0 / rate);
        double y = 0;
        for (double &v : rumble)
            v = y = (1 - a) * rng.gauss() + a * y;
        scaleTo(rumble, 1);
        for (std::size_t i = 0; i < frames; ++i)
            noise[i] = (noise[i] + rumble[i]) / std::sqrt(2.0);
    }
    const double baseDb = fan ? rng.between(-53, -37) : rng.between(-55, -43);
    struct Drift
    {
        double hz, phase, db;
    };
    std::vector<Drift> drift;
    for (int k = 0; k < 3; ++k)
        drift.push_back({rng.between(0.1, 0.8), rng.between(0, 2 * kPi), rng.between(0.6, 1.2)});
    struct Swell
    {
        double at, width, db;
    };
    std::vector<Swell> swells;
    if (!fan) {
        const double seconds = double(frames) / rate;
        const int count = 1 + int(rng.uniform() * 2);
        for (int k = 0; k < count; ++k)
            swells.push_back({rng.between(0, seconds), rng.between(1, 3), rng.between(4, 8)});
    }
    for (std::size_t i = 0; i < frames; ++i) {
        const double t = double(i) / rate;
        double db = baseDb;
        for (const Drift &w : drift)
            db += w.db * std::sin(2 * kPi * w.hz * t + w.phase);
        for (const Swell &s : swells)
            if (std::abs(t - s.at) < s.width / 2)
                db += s.db * 0.5 * (1 + std::cos(2 * kPi * (t - s.at) / s.width));
        noise[i] *= fromDb(db);
    }
    return noise;
}

// Mains hum: 50 or 60 Hz (off by up to 0.1 %) and its harmonics, the odd
// ones stronger, as a transformer or a ground loop gives it.
Signal mainsHum(std::size_t frames, int rate, double hz, Random &rng)
{
    constexpr double kHarmonics[] = {1, 0.35, 0.6, 0.15, 0.4, 0.1, 0.25};
    hz *= 1 + rng.between(-0.001, 0.001);
    struct Tone
    {
        double hz, amplitude, phase;
    };
    std::vector<Tone> tones;
    for (std::size_t h = 0; h < std::size(kHarmonics); ++h)
        if (hz * double(h + 1) < rate / 2.0)
            tones.push_back({hz * double(h + 1), kHarmonics[h] * rng.between(0.6, 1.4), rng.between(0, 2 * kPi)});
    Signal out(frames);
    for (std::size_t i = 0; i < frames; ++i) {
        const double t = double(i) / rate;
        for (const Tone &tone : tones)
            out[i] += tone.amplitude * std::sin(2 * kPi * tone.hz * t + tone.phase);
    }
    scaleTo(out, fromDb(rng.between(-50, -35)));
    return out;
}

// A button's click (3 to 8 ms of a 1 to 4 kHz ring over a burst of noise)
// or a cable's thump (up to 30 ms of a 30 to 90 Hz one), peaking at 0.3 to
// 1, within the take's first 3 ms.
void addKnock(Signal &take, int rate, Random &rng)
{
    const bool click = rng.chance(0.5);
    const double hz = click ? rng.between(1000, std::min(4000.0, rate * 0.4)) : rng.between(30, 90);
    const double length = click ? rng.between(0.003, 0.008) : rng.between(0.015, 0.030);
    const double decay = length / 4;
    const double phase = rng.between(0, 2 * kPi);
    Signal knock(std::size_t(length * rate));
    for (std::size_t i = 0; i < knock.size(); ++i) {
        const double t = double(i) / rate;
        knock[i] = std::sin(2 * kPi * hz * t + phase) * std::exp(-t / decay);
        if (click && t < 0.001)
            knock[i] += rng.gauss() * (1 - t / 0.001);
    }
    const double peak = peakOf(knock);
    const double want = rng.between(0.3, 1.0);
    const auto at = std::size_t(rng.between(0, 0.003) * rate);
    for (std::size_t i = 0; i < knock.size() && at + i < take.size(); ++i)
        take[at + i] += knock[i] * want / peak;
}

// A breath or a lip smack: noise band-passed around 700 Hz to 2.5 kHz,
// 50 to 150 ms, rising over its first fifth and dying away; a smack starts
// with a couple of sharp ticks. `rms` over its length, its peak no higher
// than `peak`; placed to end at `end`.
void addBreath(Signal &take, int rate, double end, double rms, double peak, Random &rng)
{
    const double length = rng.between(0.05, 0.15);
    const auto frames = std::size_t(length * rate);
    const double w0 = 2 * kPi * rng.between(700, 2500) / rate;
    const double alpha = std::sin(w0) / (2 * rng.between(0.5, 1.0));
    const double a0 = 1 + alpha;
    const double b0 = alpha / a0, b2 = -alpha / a0, a1 = -2 * std::cos(w0) / a0, a2 = (1 - alpha) / a0;
    double x1 = 0, x2 = 0, y1 = 0, y2 = 0;
    Signal burst(frames);
    const bool smack = rng.chance(0.4);
    for (std::size_t i = 0; i < frames; ++i) {
        double x = rng.gauss();
        if (smack && (i == frames / 10 || i == frames / 4))
            x += 8;
        const double y = b0 * x + b2 * x2 - a1 * y1 - a2 * y2;
        x2 = x1;
        x1 = x;
        y2 = y1;
        y1 = y;
        const double u = double(i) / double(frames);
        const double envelope = u < 0.2 ? std::pow(std::sin(kPi / 2 * u / 0.2), 2)
                                         : std::pow(std::cos(kPi / 2 * (u - 0.2) / 0.8), 2);
        burst[i] = y * envelope;
    }
    scaleTo(burst, rms);
    if (const double high = peakOf(burst); high > peak)
        for (double &v : burst)
            v *= peak / high;
    const auto stop = std::size_t(std::max(0.0, end) * rate);
    const std::size_t start = stop > frames ? stop - frames : 0;
    for (std::size_t i = 0; i < frames && start + i < take.size(); ++i)
        take[start + i] += burst[i];
}

// A voice that trails off softly, as a long vowel: the recording's last
// sustained 120 ms before its own fade, drawn out in overlapping 40 ms
// grains (sine windows at half overlap, which keep the level of unrelated
// grains) for 0.4 to 0.9 s, its level falling evenly in decibels to 50 dB
// under the voice's there, then the recording's 80 ms of silence.
Signal trailOff(const Signal &voice, const Span &span, Random &rng)
{
    const int rate = kSourceRate;
    const auto splice = std::size_t(std::max(0.15, span.end - 0.06) * rate);
    const std::size_t sourceFrom = splice - std::size_t(0.12 * rate);
    const auto grain = std::size_t(0.04 * rate);
    const std::size_t hop = grain / 2;
    const auto fade = std::size_t(rng.between(0.4, 0.9) * rate);
    const auto cross = std::size_t(0.02 * rate);

    Signal out(voice.begin(), voice.begin() + std::ptrdiff_t(splice));
    Signal tail(fade + grain);
    for (std::size_t at = 0; at < fade; at += hop) {
        const std::size_t from = sourceFrom + std::size_t(rng.uniform() * double(splice - sourceFrom - grain));
        for (std::size_t i = 0; i < grain; ++i)
            tail[at + i] += voice[from + i] * std::sin(kPi * (double(i) + 0.5) / double(grain));
    }
    // The first half grain has only one window over it: bring it up to the rest.
    for (std::size_t i = 0; i < hop; ++i)
        tail[i] /= std::max(0.2, std::sin(kPi * (double(i) + 0.5) / double(grain)));
    tail.resize(fade);
    for (std::size_t i = 0; i < fade; ++i)
        tail[i] *= fromDb(-50.0 * double(i) / double(fade));
    // The recording crossfades into the drawn-out vowel.
    for (std::size_t i = 0; i < cross && splice + i < voice.size(); ++i) {
        const double w = double(i) / double(cross);
        tail[i] = tail[i] * w + voice[splice + i] * (1 - w);
    }
    out.insert(out.end(), tail.begin(), tail.end());
    out.resize(out.size() + std::size_t(0.08 * rate), 0.0);
    return out;
}

struct Source
{
    std::string name; // as truth.csv gives it
    std::string tag;  // in the take's file name
    Signal samples;   // at kSourceRate
};

struct Made
{
    Wave wave;
    double onset = -1;
    double end = -1;
    Span heard; // the voice where it stands over the room's noise
};

Made makeTake(const Case &c, const Source &source, int index)
{
    Random layout(c.seed, index, Layout);
    const int rate = c.rate;
    const bool room = c.faults & Room;
    Signal voice;
    Span span;
    double lead = 0;
    double tail = 0;
    if (c.voice) {
        voice = source.samples;
        if (c.faults & Trailing) {
            Random trail(c.seed, index, Trail);
            voice = trailOff(voice, voiceSpan(voice, kSourceRate), trail);
        }
        // At 8 kHz a voice's hiss above 4 kHz is gone: the clean voice is
        // measured as the take's rate has it.
        voice = resample(voice, kSourceRate, rate);
        span = voiceSpan(voice, rate);
        Random gain(c.seed, index, Gain);
        double db = 0;
        if (c.faults & Level)
            db = gain.between(-12, 12);
        if (c.faults & Clipped)
            db = gain.between(3, 9) - 20 * std::log10(peakOf(voice));
        for (double &v : voice)
            v *= fromDb(db);
        span.loudestRms *= fromDb(db);
        // A breath needs room for itself and a gap before the voice.
        if (room)
            lead = layout.between(c.faults & Breath ? 0.45 : 0.3, 1.5);
        else if (c.faults & (Click | Breath))
            lead = layout.between(0.45, 0.7);
        tail = room ? layout.between(0.3, 1.5) : 0;
    } else {
        lead = layout.between(1.0, 3.0);
    }

    const auto leadFrames = std::size_t(lead * rate);
    const auto frames = leadFrames + voice.size() + std::size_t(tail * rate);
    Signal take(frames);
    for (std::size_t i = 0; i < voice.size(); ++i)
        take[leadFrames + i] = voice[i];
    const double at = double(leadFrames) / rate;

    Signal noise;
    if (c.faults & (Noise | Room)) {
        Random r(c.seed, index, Background);
        noise = roomNoise(frames, rate, c.faults & Noise, r);
        for (std::size_t i = 0; i < frames; ++i)
            take[i] += noise[i];
    }
    if (c.faults & (Hum50 | Hum60)) {
        Random r(c.seed, index, Hum);
        const Signal hum = mainsHum(frames, rate, c.faults & Hum50 ? 50 : 60, r);
        for (std::size_t i = 0; i < frames; ++i)
            take[i] += hum[i];
    }
    if (c.faults & Dc) {
        Random r(c.seed, index, Offset);
        const double dc = (r.chance(0.5) ? 1 : -1) * r.between(0.01, 0.08);
        for (double &v : take)
            v += dc;
    }
    if (c.faults & Breath) {
        Random r(c.seed, index, Puff);
        // 12 to 22 dB under the voice's loudest 10 ms, its peak 6 dB under
        // the voice's; without a voice, as a voice at the program's level
        // would have them.
        const double rms = (c.voice ? span.loudestRms : fromDb(-9)) * fromDb(-r.between(12, 22));
        const double peak = (c.voice ? std::min(1.0, peakOf(voice)) : 1.0) * fromDb(-6);
        const double end = c.voice ? at + span.onset - r.between(0.05, 0.25) : r.between(0.3, lead - 0.1);
        addBreath(take, rate, end, rms, peak, r);
    }
    if (c.faults & Click) {
        Random r(c.seed, index, Knock);
        addKnock(take, rate, r);
    }
    // What the converter does with what goes over full scale.
    for (double &v : take)
        v = std::clamp(v, -1.0, 1.0);

    Made made;
    made.wave = Wave{rate, c.channels, {}};
    Random side(c.seed, index, Channel);
    const std::size_t live = (c.faults & DeadChannel) && side.chance(0.5) ? 1 : 0;
    for (double v : take)
        for (std::size_t ch = 0; ch < std::size_t(c.channels); ++ch)
            made.wave.samples.push_back(!(c.faults & DeadChannel) || ch == live ? float(v) : 0.0f);
    if (c.voice) {
        made.onset = at + span.onset;
        made.end = at + span.end;
        made.heard = voiceSpan(voice, rate, noise.empty() ? nullptr : &noise, leadFrames);
        made.heard.onset += at;
        made.heard.end += at;
    }
    return made;
}

Source readSource(const std::filesystem::path &folder, const std::string &name, const std::string &tag)
{
    const std::optional<Wave> wave = readWave((folder / name).string());
    if (!wave || wave->rate != kSourceRate || wave->channels != 1) {
        std::fprintf(stderr, "make_takes: %s is not a mono %d Hz WAVE file\n", (folder / name).c_str(), kSourceRate);
        std::exit(1);
    }
    return {name, tag, Signal(wave->samples.begin(), wave->samples.end())};
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: make_takes <the recordings' folder> <output folder>\n");
        return 2;
    }
    // libsoxr's plain code path gives the same samples on every processor.
    setenv("SOXR_USE_SIMD", "0", 1);
    const std::filesystem::path sounds = argv[1];
    const std::filesystem::path out = argv[2];
    std::filesystem::create_directories(out);

    std::vector<Source> sources;
    for (int n = 1; n <= 28; ++n) {
        char tag[16];
        std::snprintf(tag, sizeof tag, "wa%02d", n);
        sources.push_back(readSource(sounds, "wa/" + std::to_string(n) + ".wav", tag));
    }
    sources.push_back(readSource(sounds, "yes.wav", "yes"));
    sources.push_back(readSource(sounds, "no.wav", "no"));

    std::FILE *truth = std::fopen((out / "truth.csv").c_str(), "w");
    if (!truth) {
        std::fprintf(stderr, "make_takes: cannot write %s\n", (out / "truth.csv").c_str());
        return 1;
    }
    // onset_s and end_s: the voice's ends in the clean recording (see
    // voiceSpan), placed in the take; heard_onset_s and heard_end_s: the
    // same where the voice also stands over the room's noise.
    std::fprintf(truth, "file,source,case,has_voice,onset_s,end_s,heard_onset_s,heard_end_s,rate,channels,seconds\n");
    int takes = 0;
    int voiced = 0;
    for (const Case &c : kCases) {
        for (std::size_t i = 0; i < sources.size(); ++i) {
            const Made made = makeTake(c, sources[i], int(i));
            char number[16];
            std::snprintf(number, sizeof number, "%02zu", i + 1);
            const std::string file = std::string(c.name) + "-" + (c.voice ? sources[i].tag : number) + ".wav";
            if (!writeWave((out / file).string(), made.wave, c.faults & Float)) {
                std::fprintf(stderr, "make_takes: cannot write %s\n", (out / file).c_str());
                return 1;
            }
            const double seconds = double(made.wave.samples.size()) / made.wave.channels / made.wave.rate;
            if (c.voice)
                std::fprintf(truth, "%s,%s,%s,1,%.4f,%.4f,%.4f,%.4f,%d,%d,%.4f\n", file.c_str(),
                             sources[i].name.c_str(), c.name, made.onset, made.end, made.heard.onset,
                             made.heard.end, c.rate, c.channels, seconds);
            else
                std::fprintf(truth, "%s,,%s,0,,,,,%d,%d,%.4f\n", file.c_str(), c.name, c.rate, c.channels, seconds);
            ++takes;
            voiced += c.voice;
        }
    }
    std::fclose(truth);
    std::printf("%d takes, %d with a voice, in %s\n", takes, voiced, out.c_str());
    return 0;
}
