// Takes made even: trimmed to the voice, at the program's loudness, never
// clipped, and refused when they hold no voice.
#include "voices/take.h"

#include <QTest>

#include <cmath>
#include <random>

using voices::EvenTake;
using voices::Loudness;
using voices::Take;

namespace {

// A take of the given channels and rate: `before` seconds of room noise at
// noiseDb, a voice-like sound (a 160 Hz buzz with its harmonics, rising and
// falling) of `voice` seconds peaking at voiceDb, then `after` seconds of
// noise again.
Take makeTake(int rate, int channels, double before, double voice, double after, double voiceDb, double noiseDb,
              double envelopeFloor = 0)
{
    std::mt19937 rng(7);
    std::normal_distribution<double> noise(0, std::pow(10.0, noiseDb / 20));
    const double peak = std::pow(10.0, voiceDb / 20);
    Take t{rate, channels, {}};
    const auto frames = std::size_t((before + voice + after) * rate);
    for (std::size_t i = 0; i < frames; ++i) {
        const double s = double(i) / rate;
        double v = noise(rng);
        if (voice > 0 && s >= before && s < before + voice) {
            const double x = (s - before) / voice;
            const double envelope = envelopeFloor + (1 - envelopeFloor) * std::sin(M_PI * x);
            double buzz = 0;
            for (int h = 1; h <= 6; ++h)
                buzz += std::sin(2 * M_PI * 160 * h * s) / h;
            v += peak * envelope * buzz / 2.45;
        }
        for (int c = 0; c < channels; ++c)
            t.samples.push_back(float(v));
    }
    return t;
}

std::vector<float> toFloat(const EvenTake &t)
{
    std::vector<float> out;
    for (std::int16_t s : t.samples)
        out.push_back(float(s) / 32768.0f);
    return out;
}

// What real takes hold besides the voice.
enum Fault {
    Click = 1,          // a loud knock of a few ms at the very start
    DcOffset = 2,
    Hum50 = 4,          // mains hum and its harmonics
    Hum60 = 8,
    UnsteadyNoise = 16, // a fan or a street: rising and falling by 20 dB
    Breath = 32,        // 120 ms of hiss 300 ms before the voice
    SoftEnding = 64,    // a long vowel trailing off over half a second
    Clipped = 128,      // the voice driven past full scale
    DeadChannel = 256,  // stereo, one side silent
    NoVoice = 512,
    Rumble = 1024,      // the noise a street's low rumble, not hiss
    Steady = 2048,      // a tone, not a voice: no rise, no fall
};

struct RealTake
{
    Take take;
    double onset = 0; // seconds: where the voice can be heard to begin
    double end = 0;   // and to end, over the noise
};

// A voice-like sound (a 160 Hz buzz with its harmonics) of 0.5 s after
// `room` seconds, then `room` again, over noise at noiseDb, with the
// given faults.
RealTake realTake(int rate, int faults, double room, double voiceDb, double noiseDb, unsigned seed)
{
    std::mt19937 rng(seed);
    std::normal_distribution<double> gauss(0, 1);
    const double voice = 0.5, attack = 0.015, release = 0.06, tail = faults & SoftEnding ? 0.6 : 0.0;
    const double total = room + voice + tail + room;
    const double peak = std::pow(10.0, voiceDb / 20), noise = std::pow(10.0, noiseDb / 20);
    const int channels = faults & DeadChannel ? 2 : 1;
    RealTake r{Take{rate, channels, {}}, room, 0};
    double lastAudible = 0;
    const auto frames = std::size_t(total * rate);
    for (std::size_t i = 0; i < frames; ++i) {
        const double t = double(i) / rate;
        double level = faults & UnsteadyNoise ? noise * std::pow(10.0, (std::sin(2 * M_PI * t / 3.0) - 1) * 10 / 20) : noise;
        // Rumble: the noise summed up (brown), which leaves mostly what
        // lies low, the way traffic sounds through a window.
        static double brown = 0;
        brown = faults & Rumble ? 0.995 * brown + 0.1 * gauss(rng) : 0;
        double v = level * (faults & Rumble ? brown : gauss(rng));
        const double x = t - room;
        double envelope = 0;
        if (!(faults & NoVoice) && x >= 0) {
            if (faults & Steady)
                envelope = x < voice ? 1 : 0;
            else if (x < attack)
                envelope = 0.5 - 0.5 * std::cos(M_PI * x / attack);
            else if (x < voice - release)
                envelope = 1;
            else if (x < voice)
                envelope = tail > 0 ? 1 - 0.5 * (x - voice + release) / release
                                    : 0.5 + 0.5 * std::cos(M_PI * (x - voice + release) / release);
            else if (x < voice + tail)
                envelope = 0.5 * std::pow(10.0, -30.0 / 20 * (x - voice) / tail); // down 30 dB
        }
        // The voice is heard to its end while 6 dB over the noise of that
        // moment.
        // (The hum's harmonics count as noise; its fundamental lies under
        // what a voice holds, and is taken out.)
        const double hum = faults & (Hum50 | Hum60) ? 0.01 * std::sqrt((1.0 / 9 + 1.0 / 25) / 2) : 0.0;
        if (peak * envelope * 0.45 >= 2 * std::hypot(level, hum)) // the buzz's RMS is 0.45 of its peak
            lastAudible = t;
        double buzz = 0;
        for (int h = 1; h <= 6; ++h)
            buzz += std::sin(2 * M_PI * 160 * h * t) / h;
        v += peak * envelope * buzz / 2.45;
        if (faults & Clipped)
            v = std::clamp(v * 4, -1.0, 1.0);
        if (faults & DcOffset)
            v += 0.05;
        for (double hz : {faults & Hum50 ? 50.0 : 0.0, faults & Hum60 ? 60.0 : 0.0}) {
            for (int h = 1; hz > 0 && h <= 5; h += 2)
                v += 0.01 / h * std::sin(2 * M_PI * hz * h * t);
        }
        if (faults & Click && t < 0.004)
            v += 0.8 * std::sin(2 * M_PI * 900 * t);
        if (faults & Breath && x >= -0.42 && x < -0.30)
            v += 0.15 * peak * gauss(rng);
        r.take.samples.push_back(float(v));
        if (channels == 2)
            r.take.samples.push_back(0.0f);
    }
    r.end = lastAudible;
    return r;
}

} // namespace

class TestTake : public QObject
{
    Q_OBJECT
private slots:
    void evensAVoice_data();
    void evensAVoice();
    void refusesATakeWithoutAVoice_data();
    void refusesATakeWithoutAVoice();
    void refusesARealTakeWithoutAVoice_data();
    void refusesARealTakeWithoutAVoice();
    void findsTheVoiceInARealTake_data();
    void findsTheVoiceInARealTake();
    void resamplingLeavesNothingAboveTheNewLimit();
};

void TestTake::evensAVoice_data()
{
    QTest::addColumn<int>("rate");
    QTest::addColumn<int>("channels");
    QTest::addColumn<double>("voiceDb");
    QTest::addColumn<double>("noiseDb");
    QTest::addColumn<int>("expectedRate");
    QTest::addColumn<double>("targetLufs"); // the program's loudness
    QTest::addColumn<double>("muted");    // seconds of digital silence after the room
    QTest::addColumn<double>("room");     // seconds of room before and after the voice
    QTest::addColumn<double>("onset");    // the voice's envelope at its ends, 0 to 1
    QTest::newRow("quiet voice, 0.4 s of room before and after") << 44100 << 1 << -30.0 << -65.0 << 44100 << -12.9 << 0.0 << 0.4 << 0.0;
    QTest::newRow("loud voice near full scale") << 44100 << 1 << -0.2 << -60.0 << 44100 << -12.9 << 0.0 << 0.4 << 0.0;
    QTest::newRow("stereo at 48 kHz") << 48000 << 2 << -20.0 << -70.0 << 44100 << -12.9 << 0.0 << 0.4 << 0.0;
    QTest::newRow("22.05 kHz kept") << 22050 << 1 << -25.0 << -60.0 << 22050 << -12.9 << 0.0 << 0.4 << 0.0;
    QTest::newRow("noisy room") << 16000 << 1 << -18.0 << -45.0 << 44100 << -12.9 << 0.0 << 0.4 << 0.0;
    QTest::newRow("loud program: peaks limited") << 44100 << 1 << -30.0 << -65.0 << 44100 << -8.0 << 0.0 << 0.4 << 0.0;
    // A microphone that falls silent (muted, or its stream ended): the room
    // noise before is still noise, not voice.
    QTest::newRow("quiet voice, then the microphone muted") << 44100 << 1 << -30.0 << -70.0 << 44100 << -12.9 << 2.0 << 0.4 << 0.0;
    // Nothing but the voice, fading in and out: no room to learn a floor from.
    QTest::newRow("all voice, no room") << 44100 << 1 << -12.0 << -200.0 << 44100 << -12.9 << 0.0 << 0.0 << 0.0;
    QTest::newRow("a voice that never falls quiet, no room") << 44100 << 1 << -12.0 << -200.0 << 44100 << -12.9 << 0.0
                                                             << 0.0 << 0.15;
}

void TestTake::evensAVoice()
{
    QFETCH(int, rate);
    QFETCH(int, channels);
    QFETCH(double, voiceDb);
    QFETCH(double, noiseDb);
    QFETCH(int, expectedRate);
    QFETCH(double, targetLufs);
    QFETCH(double, muted);
    QFETCH(double, room);
    QFETCH(double, onset);
    const Loudness loudness{targetLufs, -1.0};
    Take take = makeTake(rate, channels, room, 0.6, room, voiceDb, noiseDb, onset);
    take.samples.resize(take.samples.size() + std::size_t(muted * rate * channels), 0.0f);
    const auto even = voices::evenTake(take, loudness);
    QVERIFY(even);
    QCOMPARE(even->rate, expectedRate);
    const std::vector<float> s = toFloat(*even);
    const double seconds = double(s.size()) / even->rate;
    // The 0.4 s of room at each end are gone, up to the voice's quiet edges
    // and the 50 ms kept after it.
    QVERIFY2(seconds > 0.45 && seconds < 0.66, qPrintable(QString::number(seconds)));
    // Loud at once: the first millisecond past the fade reaches the voice.
    const auto audible = std::find_if(s.begin(), s.end(), [](float v) { return std::abs(v) > 0.001f; });
    QVERIFY2(double(audible - s.begin()) / even->rate <= 0.002 + 0.003,
             qPrintable(QString::number(double(audible - s.begin()) / even->rate)));
    // Neither end clicks.
    QVERIFY(std::abs(s.front()) < 0.01f && std::abs(s.back()) < 0.01f);
    // The program's loudness, never over the peak.
    const double lufs = voices::integratedLoudness(s, even->rate);
    QVERIFY2(std::abs(lufs - loudness.lufs) <= 1.0, qPrintable(QString::number(lufs)));
    QVERIFY2(voices::peakDb(s) <= loudness.peakDb + 0.05, qPrintable(QString::number(voices::peakDb(s))));
}

void TestTake::refusesATakeWithoutAVoice_data()
{
    QTest::addColumn<double>("noiseDb");
    QTest::addColumn<double>("voiceDb");
    QTest::newRow("digital silence") << -200.0 << -200.0;
    QTest::newRow("room noise only") << -50.0 << -200.0;
    QTest::newRow("a whisper under the noise") << -40.0 << -45.0;
}

void TestTake::refusesATakeWithoutAVoice()
{
    QFETCH(double, noiseDb);
    QFETCH(double, voiceDb);
    QVERIFY(!voices::evenTake(makeTake(44100, 1, 0.4, 0.6, 0.4, voiceDb, noiseDb), {}));
    QVERIFY(!voices::evenTake(Take{44100, 1, {}}, {}));
}

void TestTake::refusesARealTakeWithoutAVoice_data()
{
    QTest::addColumn<int>("faults");
    QTest::addColumn<double>("noiseDb");
    QTest::newRow("a click in a quiet room") << int(Click) << -60.0;
    QTest::newRow("a fan rising and falling") << int(UnsteadyNoise) << -35.0;
    QTest::newRow("a breath") << int(Breath) << -60.0;
    QTest::newRow("hum over DC") << int(Hum50 | DcOffset) << -60.0;
    QTest::newRow("all but a voice") << int(Click | DcOffset | Hum60 | UnsteadyNoise | Breath) << -40.0;
    QTest::newRow("a street's rumble rising and falling") << int(Rumble | UnsteadyNoise) << -35.0;
}

void TestTake::refusesARealTakeWithoutAVoice()
{
    QFETCH(int, faults);
    QFETCH(double, noiseDb);
    // The breath is as loud as it would be before a voice at -20 dBFS.
    const RealTake real = realTake(44100, faults | NoVoice, 1.5, -20, noiseDb, 5);
    const auto even = voices::evenTake(real.take, Loudness{});
    QVERIFY2(!even, qPrintable(even ? QStringLiteral("kept %1–%2 s").arg(even->from).arg(even->to) : QString()));
}

void TestTake::findsTheVoiceInARealTake_data()
{
    QTest::addColumn<int>("rate");
    QTest::addColumn<int>("faults");
    QTest::addColumn<double>("room");
    QTest::addColumn<double>("voiceDb");
    QTest::addColumn<double>("noiseDb");
    QTest::newRow("a click at the start") << 44100 << int(Click) << 1.0 << -20.0 << -60.0;
    QTest::newRow("DC offset") << 16000 << int(DcOffset) << 0.6 << -20.0 << -60.0;
    QTest::newRow("50 Hz hum") << 48000 << int(Hum50) << 1.0 << -24.0 << -55.0;
    QTest::newRow("60 Hz hum, 8 kHz") << 8000 << int(Hum60) << 1.0 << -24.0 << -55.0;
    QTest::newRow("a fan rising and falling") << 44100 << int(UnsteadyNoise) << 1.5 << -15.0 << -35.0;
    QTest::newRow("a steady tone between two silences") << 44100 << int(Steady) << 0.3 << -12.0 << -200.0;
    QTest::newRow("a street's rumble") << 44100 << int(Rumble | UnsteadyNoise) << 1.0 << -15.0 << -40.0;
    QTest::newRow("a breath before the voice") << 22050 << int(Breath) << 1.0 << -20.0 << -60.0;
    QTest::newRow("a soft ending") << 44100 << int(SoftEnding) << 0.8 << -18.0 << -60.0;
    QTest::newRow("clipped") << 48000 << int(Clipped) << 0.8 << -6.0 << -60.0;
    QTest::newRow("stereo, one side dead") << 44100 << int(DeadChannel) << 0.8 << -26.0 << -65.0;
    QTest::newRow("all of them") << 48000 << int(Click | DcOffset | Hum50 | UnsteadyNoise | Breath | SoftEnding | DeadChannel)
                                 << 1.5 << -12.0 << -40.0;
}

void TestTake::findsTheVoiceInARealTake()
{
    QFETCH(int, rate);
    QFETCH(int, faults);
    QFETCH(double, room);
    QFETCH(double, voiceDb);
    QFETCH(double, noiseDb);
    const RealTake real = realTake(rate, faults, room, voiceDb, noiseDb, 11);
    const auto even = voices::evenTake(real.take, Loudness{});
    QVERIFY(even);
    // Kept from just before the voice to a little after it: neither the
    // click nor the breath, nor much room.
    const QString where = QStringLiteral("kept %1–%2 s, voice %3–%4 s").arg(even->from).arg(even->to).arg(real.onset).arg(real.end);
    QVERIFY2(real.onset - even->from >= 0 && real.onset - even->from <= 0.015, qPrintable(where));
    // (Where a fading voice sinks into the noise is a matter of a few
    // decibels, hence of tens of milliseconds.)
    QVERIFY2(even->to - real.end >= -0.04 && even->to - real.end <= 0.08, qPrintable(where));
    const std::vector<float> s = toFloat(*even);
    const double lufs = voices::integratedLoudness(s, even->rate);
    QVERIFY2(std::abs(lufs - Loudness{}.lufs) <= 1.0, qPrintable(QString::number(lufs)));
    // Under the ceiling between samples too.
    QVERIFY2(voices::truePeakDb(s, even->rate) <= -1.0, qPrintable(QString::number(voices::truePeakDb(s, even->rate))));
}

void TestTake::resamplingLeavesNothingAboveTheNewLimit()
{
    // A 15 kHz tone at 48 kHz has no place at 22.05 kHz (whose limit is
    // 11.025 kHz): all of it goes, nothing folds back below the limit.
    // (The tone fades in and out over 20 ms: a tone that starts at full
    // strength is a click, which has a place at any rate.)
    const auto tone = [](double hz) {
        std::vector<float> t(48000);
        for (std::size_t i = 0; i < t.size(); ++i) {
            const double edge = std::min({1.0, double(i) / 960, double(t.size() - i) / 960});
            t[i] = float(0.5 * edge * std::sin(2 * M_PI * hz * double(i) / 48000));
        }
        return t;
    };
    const std::vector<float> high = tone(15000);
    const std::vector<float> out = voices::resample(high, 48000, 22050);
    QVERIFY(std::abs(double(out.size()) - 22050) < 4);
    QVERIFY2(voices::peakDb(out) - voices::peakDb(high) < -60, qPrintable(QString::number(voices::peakDb(out) - voices::peakDb(high))));
    // What fits is kept: a 5 kHz tone comes through whole.
    const std::vector<float> low = tone(5000);
    QVERIFY(std::abs(voices::rmsDb(voices::resample(low, 48000, 22050)) - voices::rmsDb(low)) < 0.1);
}

QTEST_GUILESS_MAIN(TestTake)
#include "tst_take.moc"
