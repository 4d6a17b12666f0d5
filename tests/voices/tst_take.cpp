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

} // namespace

class TestTake : public QObject
{
    Q_OBJECT
private slots:
    void evensAVoice_data();
    void evensAVoice();
    void refusesATakeWithoutAVoice_data();
    void refusesATakeWithoutAVoice();
};

void TestTake::evensAVoice_data()
{
    QTest::addColumn<int>("rate");
    QTest::addColumn<int>("channels");
    QTest::addColumn<double>("voiceDb");
    QTest::addColumn<double>("noiseDb");
    QTest::addColumn<int>("expectedRate");
    QTest::addColumn<double>("targetDb"); // the program's RMS
    QTest::addColumn<double>("muted");    // seconds of digital silence after the room
    QTest::addColumn<double>("room");     // seconds of room before and after the voice
    QTest::addColumn<double>("onset");    // the voice's envelope at its ends, 0 to 1
    QTest::newRow("quiet voice, 0.4 s of room before and after") << 44100 << 1 << -30.0 << -65.0 << 44100 << -14.0 << 0.0 << 0.4 << 0.0;
    QTest::newRow("loud voice near full scale") << 44100 << 1 << -0.2 << -60.0 << 44100 << -14.0 << 0.0 << 0.4 << 0.0;
    QTest::newRow("stereo at 48 kHz") << 48000 << 2 << -20.0 << -70.0 << 44100 << -14.0 << 0.0 << 0.4 << 0.0;
    QTest::newRow("22.05 kHz kept") << 22050 << 1 << -25.0 << -60.0 << 22050 << -14.0 << 0.0 << 0.4 << 0.0;
    QTest::newRow("noisy room") << 16000 << 1 << -18.0 << -45.0 << 44100 << -14.0 << 0.0 << 0.4 << 0.0;
    QTest::newRow("loud program: peaks limited") << 44100 << 1 << -30.0 << -65.0 << 44100 << -9.0 << 0.0 << 0.4 << 0.0;
    // A microphone that falls silent (muted, or its stream ended): the room
    // noise before is still noise, not voice.
    QTest::newRow("quiet voice, then the microphone muted") << 44100 << 1 << -30.0 << -70.0 << 44100 << -14.0 << 2.0 << 0.4 << 0.0;
    // Nothing but the voice, fading in and out: no room to learn a floor from.
    QTest::newRow("all voice, no room") << 44100 << 1 << -12.0 << -200.0 << 44100 << -14.0 << 0.0 << 0.0 << 0.0;
    QTest::newRow("a voice that never falls quiet, no room") << 44100 << 1 << -12.0 << -200.0 << 44100 << -14.0 << 0.0
                                                             << 0.0 << 0.15;
}

void TestTake::evensAVoice()
{
    QFETCH(int, rate);
    QFETCH(int, channels);
    QFETCH(double, voiceDb);
    QFETCH(double, noiseDb);
    QFETCH(int, expectedRate);
    QFETCH(double, targetDb);
    QFETCH(double, muted);
    QFETCH(double, room);
    QFETCH(double, onset);
    const Loudness loudness{targetDb, -1.0};
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
    QVERIFY2(std::abs(voices::rmsDb(s) - loudness.rmsDb) <= 2.0, qPrintable(QString::number(voices::rmsDb(s))));
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

QTEST_GUILESS_MAIN(TestTake)
#include "tst_take.moc"
