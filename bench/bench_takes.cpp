// Takes made even: evenTake on a corpus of takes made from the program's
// own recordings with the faults of a grown-up's (tools/takes-corpus), each
// with truth.csv's word on where its voice begins and ends. How much of the
// take is kept before the voice's onset and after its end, how loud the kept
// take is against the program's recordings (EBU R128, gated), its peaks,
// the takes refused or kept wrongly, and evenTake's time. The table's rows go
// to stdout; each case's figures and the worst takes go to stderr.
//
//   bench_takes <corpus folder> [<the recordings' folder>]
#include "voices/recorder.h"
#include "voices/take.h"

#include "stats.h"
#include "wavefile.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include <ebur128.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// The goals.
constexpr double kMostBeforeMs = 15;     // kept before the voice's onset
constexpr double kWorstStartCutMs = -10; // the truth's frames are 10 ms
constexpr double kMostAfterMs = 80;      // kept after the voice's end
constexpr double kWorstEndCutMs = -20;
constexpr double kLoudnessLu = 1; // either side of the recordings' median
constexpr double kPeakDb = -1;
constexpr double kMsPerSecond = 20;  // a 3 s take in 60 ms on the window's thread
constexpr double kLengthSlackMs = 2; // between the kept samples and to - from

struct Truth
{
    std::string file;
    std::string source;
    std::string kase;
    bool voice = false;
    double onset = 0; // seconds into the take
    double end = 0;
    // Where the voice also stands over the room's noise: a fade that sinks
    // into fan noise cannot be found, only guessed.
    double heardOnset = 0;
    double heardEnd = 0;
};

std::vector<Truth> readTruth(const std::string &path)
{
    std::ifstream in(path);
    std::string line;
    std::vector<std::string> header;
    std::vector<Truth> rows;
    while (std::getline(in, line)) {
        std::vector<std::string> fields;
        std::stringstream split(line);
        std::string field;
        while (std::getline(split, field, ','))
            fields.push_back(field);
        if (line.ends_with(','))
            fields.emplace_back();
        if (header.empty()) {
            header = fields;
            continue;
        }
        std::map<std::string, std::string> at;
        for (std::size_t i = 0; i < header.size() && i < fields.size(); ++i)
            at[header[i]] = fields[i];
        Truth t{at["file"], at["source"], at["case"], at["has_voice"] == "1", 0, 0, 0, 0};
        if (t.voice) {
            t.onset = std::stod(at["onset_s"]);
            t.end = std::stod(at["end_s"]);
            t.heardOnset = at["heard_onset_s"].empty() ? t.onset : std::stod(at["heard_onset_s"]);
            t.heardEnd = at["heard_end_s"].empty() ? t.end : std::stod(at["heard_end_s"]);
        }
        rows.push_back(t);
    }
    return rows;
}

double toDb(double amplitude)
{
    return amplitude > 0 ? 20 * std::log10(amplitude) : -200;
}

struct Measure
{
    double lufs = -200;
    double samplePeakDb = -200;
    double truePeakDb = -200;
};

// Integrated loudness and peaks of a mono sound. The loudness is measured
// as the program measures it for its target (voices::integratedLoudness:
// EBU R128, gated, a short sound as if it repeated), so that the takes and
// the recordings are held to one measure.
Measure measure(const std::vector<float> &mono, int rate)
{
    Measure m;
    if (mono.empty() || rate <= 0)
        return m;
    ebur128_state *st = ebur128_init(1, unsigned(rate), EBUR128_MODE_SAMPLE_PEAK | EBUR128_MODE_TRUE_PEAK);
    ebur128_add_frames_float(st, mono.data(), mono.size());
    double sample = 0;
    double truePeak = 0;
    ebur128_sample_peak(st, 0, &sample);
    ebur128_true_peak(st, 0, &truePeak);
    ebur128_destroy(&st);
    m.lufs = voices::integratedLoudness(mono, rate);
    m.samplePeakDb = toDb(sample);
    m.truePeakDb = toDb(truePeak);
    return m;
}

std::vector<float> mono(const Wave &wave)
{
    const auto channels = std::size_t(std::max(wave.channels, 1));
    std::vector<float> out(wave.samples.size() / channels);
    for (std::size_t i = 0; i < out.size(); ++i) {
        double sum = 0;
        for (std::size_t c = 0; c < channels; ++c)
            sum += wave.samples[i * channels + c];
        out[i] = float(sum / double(channels));
    }
    return out;
}

struct Result
{
    const Truth *truth = nullptr;
    bool kept = false;
    double seconds = 0; // the take's
    double msPerSecond = 0;
    // When kept:
    double from = 0;
    double to = 0;
    double beforeMs = 0;      // onset - from: negative when the voice's start is cut
    double afterMs = 0;       // to - end: negative when its end is cut
    double heardBeforeMs = 0; // the same from where the voice stands over the noise
    double heardAfterMs = 0;
    double loudnessLu = 0; // against the recordings' median
    double samplePeakDb = 0;
    double truePeakDb = 0;
    double lengthOffMs = 0; // kept samples' length less (to - from)
};

QList<double> pick(const std::vector<Result> &results, const std::function<bool(const Result &)> &which,
                   double Result::*figure)
{
    QList<double> out;
    for (const Result &r : results)
        if (which(r))
            out << r.*figure;
    return out;
}

bool keptVoice(const Result &r)
{
    return r.kept && r.truth->voice;
}

bool everyTake(const Result &)
{
    return true;
}

QString count(qsizetype n, qsizetype of, const char *what)
{
    return QStringLiteral("%1 of %2 %3").arg(n).arg(of).arg(QLatin1String(what));
}

// A way a kept take misses a goal, and the figure that tells how far.
struct Offence
{
    const char *title;
    double Result::*figure;
    bool (*misses)(const Result &);
    bool highFirst; // the worst is the highest figure rather than the lowest
};

constexpr Offence kOffences[] = {
    {"Kept over 15 ms before the onset (ms)", &Result::beforeMs,
     [](const Result &r) { return r.truth->voice && r.beforeMs > kMostBeforeMs; }, true},
    {"Voice's start cut over 10 ms (ms)", &Result::beforeMs,
     [](const Result &r) { return r.truth->voice && r.beforeMs < kWorstStartCutMs; }, false},
    {"Kept over 80 ms after the end (ms)", &Result::afterMs,
     [](const Result &r) { return r.truth->voice && r.afterMs > kMostAfterMs; }, true},
    {"Voice's end cut over 20 ms (ms)", &Result::afterMs,
     [](const Result &r) { return r.truth->voice && r.afterMs < kWorstEndCutMs; }, false},
    {"Louder than the recordings by over 1 LU (LU)", &Result::loudnessLu,
     [](const Result &r) { return r.truth->voice && r.loudnessLu > kLoudnessLu; }, true},
    {"Quieter than the recordings by over 1 LU (LU)", &Result::loudnessLu,
     [](const Result &r) { return r.truth->voice && r.loudnessLu < -kLoudnessLu; }, false},
    {"Sample peak over -1 dBFS (dBFS)", &Result::samplePeakDb, [](const Result &r) { return r.samplePeakDb > kPeakDb; },
     true},
    {"True peak over -1 dBTP (dBTP)", &Result::truePeakDb, [](const Result &r) { return r.truePeakDb > kPeakDb; },
     true},
    {"Kept length off to - from by over 2 ms (ms)", &Result::lengthOffMs,
     [](const Result &r) { return std::abs(r.lengthOffMs) > kLengthSlackMs; }, true},
};

// The kept takes that miss one goal, the worst first, with where the voice
// lay and what was kept.
void worst(const std::vector<Result> &results, const Offence &o)
{
    std::vector<const Result *> bad;
    for (const Result &r : results)
        if (r.kept && o.misses(r))
            bad.push_back(&r);
    if (bad.empty())
        return;
    std::sort(bad.begin(), bad.end(), [&](const Result *a, const Result *b) {
        return o.highFirst ? a->*o.figure > b->*o.figure : a->*o.figure < b->*o.figure;
    });
    std::map<std::string, int> perCase;
    for (const Result *r : bad)
        ++perCase[r->truth->kase];
    std::fprintf(stderr, "\n%s: %zu takes (", o.title, bad.size());
    bool first = true;
    for (const auto &[kase, n] : perCase) {
        std::fprintf(stderr, "%s%s %d", first ? "" : ", ", kase.c_str(), n);
        first = false;
    }
    std::fprintf(stderr, ")\n");
    for (std::size_t i = 0; i < bad.size() && i < 12; ++i) {
        const Result &r = *bad[i];
        std::fprintf(stderr,
                     "  %-28s %8.2f   voice %.3f-%.3f s (over the noise %.3f-%.3f s), kept %.3f-%.3f s of %.3f s\n",
                     r.truth->file.c_str(), r.*o.figure, r.truth->onset, r.truth->end, r.truth->heardOnset,
                     r.truth->heardEnd, r.from, r.to, r.seconds);
    }
}

void listTakes(const std::vector<Result> &results, const char *title, const std::function<bool(const Result &)> &which)
{
    std::vector<const Result *> listed;
    for (const Result &r : results)
        if (which(r))
            listed.push_back(&r);
    if (listed.empty())
        return;
    std::fprintf(stderr, "\n%s: %zu takes\n", title, listed.size());
    for (std::size_t i = 0; i < listed.size() && i < 20; ++i) {
        const Result &r = *listed[i];
        if (r.kept)
            std::fprintf(stderr, "  %-28s kept %.3f-%.3f s of %.3f s\n", r.truth->file.c_str(), r.from, r.to,
                         r.seconds);
        else
            std::fprintf(stderr, "  %-28s voice %.3f-%.3f s of %.3f s\n", r.truth->file.c_str(), r.truth->onset,
                         r.truth->end, r.seconds);
    }
    if (listed.size() > 20)
        std::fprintf(stderr, "  and %zu more\n", listed.size() - 20);
}

// Each case's figures, for finding where evenTake goes wrong.
void perCase(const std::vector<Result> &results)
{
    std::vector<std::string> order;
    std::map<std::string, std::vector<const Result *>> cases;
    for (const Result &r : results) {
        if (!cases.contains(r.truth->kase))
            order.push_back(r.truth->kase);
        cases[r.truth->kase].push_back(&r);
    }
    std::fprintf(stderr,
                 "\n| Case | Takes | Refused | Kept | Before onset, median / max | After end, min / median / "
                 "max | Loudness, min / median / max | Sample peak, max | True peak, max | Time, median |\n");
    std::fprintf(stderr, "|---|---|---|---|---|---|---|---|---|---|\n");
    for (const std::string &kase : order) {
        QList<double> before, after, loudness, sample, truePeak, time;
        int refused = 0;
        int kept = 0;
        for (const Result *r : cases[kase]) {
            time << r->msPerSecond;
            if (!r->kept) {
                ++refused;
                continue;
            }
            ++kept;
            sample << r->samplePeakDb;
            truePeak << r->truePeakDb;
            if (r->truth->voice) {
                before << r->beforeMs;
                after << r->afterMs;
                loudness << r->loudnessLu;
            }
        }
        const bool voice = cases[kase].front()->truth->voice;
        const Stats b(before), a(after), l(loudness), sp(sample), tp(truePeak);
        const auto text = [](bool any, const QString &figures) {
            return any ? figures.toStdString() : std::string("-");
        };
        const std::string beforeText = text(!b.s.isEmpty(), QString::asprintf("%.1f / %.1f ms", b.median(), b.max()));
        const std::string afterText =
            text(!a.s.isEmpty(), QString::asprintf("%.1f / %.1f / %.1f ms", a.min(), a.median(), a.max()));
        const std::string loudnessText =
            text(!l.s.isEmpty(), QString::asprintf("%+.2f / %+.2f / %+.2f LU", l.min(), l.median(), l.max()));
        const std::string sampleText = text(!sp.s.isEmpty(), QString::asprintf("%.2f dBFS", sp.max()));
        const std::string trueText = text(!tp.s.isEmpty(), QString::asprintf("%.2f dBTP", tp.max()));
        // Refusing a voice and keeping a take without one stand out.
        std::fprintf(stderr, "| %s | %zu | %d%s | %d%s | %s | %s | %s | %s | %s | %.2f ms/s |\n", kase.c_str(),
                     cases[kase].size(), refused, voice && refused ? " **" : "", kept, !voice && kept ? " **" : "",
                     beforeText.c_str(), afterText.c_str(), loudnessText.c_str(), sampleText.c_str(), trueText.c_str(),
                     Stats(time).median());
    }
}

} // namespace

// A few takes as the voices window gets them: played into SDL's capture
// through its "disk" driver (which reads the microphone's samples from a
// file, at the pace of a real one) and recorded by the window's own
// recorder, then made even. What is kept before and after each voice.
void throughTheMicrophone(const std::vector<Truth> &truth, const std::string &corpus, int argc, char *argv[])
{
    // One take with a voice of every eighth case: a spread of faults.
    std::vector<const Truth *> chosen;
    std::string lastCase;
    int cases = 0;
    for (const Truth &t : truth) {
        if (t.kase != lastCase) {
            lastCase = t.kase;
            if (t.voice && cases++ % 8 == 0)
                chosen.push_back(&t);
        }
    }
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString microphone = dir.filePath(QStringLiteral("microphone.raw"));
    qputenv("SDL_AUDIODRIVER", "disk");
    qputenv("SDL_DISKAUDIOFILEIN", microphone.toLocal8Bit());
    qputenv("SDL_DISKAUDIOFILE", dir.filePath(QStringLiteral("out.raw")).toLocal8Bit());
    QList<double> before, after;
    int refused = 0;
    for (const Truth *t : chosen) {
        const std::optional<Wave> wave = readWave(corpus + "/" + t->file);
        if (!wave)
            continue;
        // The recorder asks for 44.1 kHz mono floats, which the disk
        // driver reads as they are.
        std::vector<float> samples = voices::resample(mono(*wave), wave->rate, 44100);
        QFile raw(microphone);
        if (!raw.open(QIODevice::WriteOnly))
            continue;
        raw.write(reinterpret_cast<const char *>(samples.data()), qint64(samples.size() * sizeof(float)));
        raw.close();
        const double seconds = double(samples.size()) / 44100;
        SdlRecorder recorder(std::chrono::milliseconds(int(seconds * 1000) + 300));
        std::optional<voices::Take> take;
        QEventLoop loop;
        QObject::connect(&recorder, &Recorder::finished, &loop, [&](const voices::Take &got) {
            take = got;
            loop.quit();
        });
        QObject::connect(&recorder, &Recorder::failed, &loop, &QEventLoop::quit);
        QTimer::singleShot(int(seconds * 1000) + 10000, &loop, &QEventLoop::quit);
        recorder.start();
        loop.exec();
        const std::optional<voices::EvenTake> even = take ? voices::evenTake(*take, voices::Loudness{}) : std::nullopt;
        if (!even) {
            ++refused;
            std::fprintf(stderr, "  through the microphone, %s: %s\n", t->file.c_str(), take ? "refused" : "not recorded");
            continue;
        }
        before << (t->onset - even->from) * 1000;
        after << (even->to - t->end) * 1000;
        std::fprintf(stderr, "  through the microphone, %s: kept %.3f-%.3f s, voice %.3f-%.3f s\n", t->file.c_str(),
                     even->from, even->to, t->onset, t->end);
    }
    if (before.isEmpty())
        return;
    const Stats b(before), a(after);
    row("Through SDL's capture, kept before the voice's onset", b, "ms",
        QStringLiteral("%1 takes, %2 refused").arg(chosen.size()).arg(refused), "<= 15 ms, none cut over 10 ms",
        refused == 0 && b.max() <= kMostBeforeMs && b.min() >= kWorstStartCutMs);
    row("Through SDL's capture, kept after the voice's end", a, "ms", QStringLiteral("%1 takes").arg(before.size()),
        "<= 80 ms, none cut over 20 ms", a.max() <= kMostAfterMs && a.min() >= kWorstEndCutMs);
}

int main(int argc, char *argv[])
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_takes <corpus folder> [<the recordings' folder>]\n");
        return 2;
    }
    const std::string corpus = argv[1];
    const std::string recordings = argc > 2 ? argv[2] : HUROOF_RECORDINGS_DIR;

    // The program's loudness: the median of its own recordings'.
    QList<double> reference;
    std::vector<std::string> names;
    for (int n = 1; n <= 28; ++n)
        names.push_back("wa/" + std::to_string(n) + ".wav");
    names.insert(names.end(), {"yes.wav", "no.wav"});
    for (const std::string &name : names) {
        const std::optional<Wave> wave = readWave(recordings + "/" + name);
        if (!wave) {
            std::fprintf(stderr, "bench_takes: cannot read %s/%s\n", recordings.c_str(), name.c_str());
            return 1;
        }
        reference << measure(mono(*wave), wave->rate).lufs;
    }
    const Stats program(reference);
    const double target = program.median();
    std::fprintf(stderr, "The recordings' integrated loudness (LUFS):");
    for (std::size_t i = 0; i < names.size(); ++i)
        std::fprintf(stderr, "%s %s %.2f", i % 6 ? "," : "\n ", names[i].c_str(), reference[qsizetype(i)]);
    std::fprintf(stderr, "\n  median %.2f LUFS\n", target);

    const std::vector<Truth> truth = readTruth(corpus + "/truth.csv");
    if (truth.empty()) {
        std::fprintf(stderr, "bench_takes: no takes in %s/truth.csv\n", corpus.c_str());
        return 1;
    }
    std::vector<Result> results;
    results.reserve(truth.size());
    double totalSeconds = 0;
    for (const Truth &t : truth) {
        const std::optional<Wave> wave = readWave(corpus + "/" + t.file);
        if (!wave) {
            std::fprintf(stderr, "bench_takes: cannot read %s/%s\n", corpus.c_str(), t.file.c_str());
            return 1;
        }
        voices::Take take;
        take.rate = wave->rate;
        take.channels = wave->channels;
        take.samples = wave->samples;
        Result r;
        r.truth = &t;
        r.seconds = double(wave->samples.size()) / wave->channels / wave->rate;
        totalSeconds += r.seconds;
        const auto t0 = Clock::now();
        const std::optional<voices::EvenTake> even = voices::evenTake(take, voices::Loudness{});
        r.msPerSecond = std::chrono::duration<double, std::milli>(Clock::now() - t0).count() / r.seconds;
        r.kept = even.has_value();
        if (even) {
            r.from = even->from;
            r.to = even->to;
            r.beforeMs = (t.onset - even->from) * 1000;
            r.afterMs = (even->to - t.end) * 1000;
            r.heardBeforeMs = (t.heardOnset - even->from) * 1000;
            r.heardAfterMs = (even->to - t.heardEnd) * 1000;
            std::vector<float> kept(even->samples.size());
            std::transform(even->samples.begin(), even->samples.end(), kept.begin(),
                           [](std::int16_t s) { return float(s) / 32768.0f; });
            const Measure m = measure(kept, even->rate);
            r.loudnessLu = m.lufs - target;
            r.samplePeakDb = m.samplePeakDb;
            r.truePeakDb = m.truePeakDb;
            r.lengthOffMs =
                even->rate > 0 ? (double(even->samples.size()) / even->rate - (even->to - even->from)) * 1000 : 0;
        }
        results.push_back(r);
    }

    const auto voiced = [](const Result &r) { return r.truth->voice; };
    const auto kept = [](const Result &r) { return r.kept; };
    const qsizetype withVoice = std::count_if(results.begin(), results.end(), voiced);
    const qsizetype without = qsizetype(results.size()) - withVoice;

    row("Program's recordings, integrated loudness", program, "LUFS",
        QStringLiteral("%1 recordings; evenTake is asked for %2 LUFS")
            .arg(program.s.size())
            .arg(voices::Loudness{}.lufs),
        "(reference)", true);

    const Stats before(pick(results, keptVoice, &Result::beforeMs));
    const Stats heardBefore(pick(results, keptVoice, &Result::heardBeforeMs));
    const Stats heardAfter(pick(results, keptVoice, &Result::heardAfterMs));
    const auto over = [](const Stats &s, double limit) {
        return std::count_if(s.s.begin(), s.s.end(), [&](double v) { return v > limit; });
    };
    const auto under = [](const Stats &s, double limit) {
        return std::count_if(s.s.begin(), s.s.end(), [&](double v) { return v < limit; });
    };
    row("Even take, kept before the voice's onset", before, "ms",
        QStringLiteral("p95 %1 ms; %2 over 15 ms, %3 cut over 10 ms, "
                       "%4 counted from where the voice stands over the noise")
            .arg(before.at(0.95), 0, 'f', 2)
            .arg(count(over(before, kMostBeforeMs), before.s.size(), "takes"))
            .arg(under(before, kWorstStartCutMs))
            .arg(under(heardBefore, kWorstStartCutMs)),
        "<= 15 ms, none cut over 10 ms", before.max() <= kMostBeforeMs && before.min() >= kWorstStartCutMs);

    const Stats after(pick(results, keptVoice, &Result::afterMs));
    row("Even take, kept after the voice's end", after, "ms",
        QStringLiteral("p95 %1 ms; %2 over 80 ms, %3 cut over 20 ms, "
                       "%4 counted from where the voice stands over the noise")
            .arg(after.at(0.95), 0, 'f', 2)
            .arg(count(over(after, kMostAfterMs), after.s.size(), "takes"))
            .arg(under(after, kWorstEndCutMs))
            .arg(under(heardAfter, kWorstEndCutMs)),
        "<= 80 ms, none cut over 20 ms", after.max() <= kMostAfterMs && after.min() >= kWorstEndCutMs);

    const Stats loudness(pick(results, keptVoice, &Result::loudnessLu));
    const qsizetype off = over(loudness, kLoudnessLu) + under(loudness, -kLoudnessLu);
    row("Even take, integrated loudness against the recordings'", loudness, "LU",
        QStringLiteral("p5 %1 LU, p95 %2 LU; %3 outside; recordings %4 LUFS")
            .arg(loudness.at(0.05), 0, 'f', 2)
            .arg(loudness.at(0.95), 0, 'f', 2)
            .arg(count(off, loudness.s.size(), "takes"))
            .arg(target, 0, 'f', 2),
        "within ±1 LU", off == 0);

    const Stats sample(pick(results, kept, &Result::samplePeakDb));
    row("Even take, sample peak", sample, "dBFS",
        QStringLiteral("%1 over -1 dBFS").arg(count(over(sample, kPeakDb), sample.s.size(), "takes")), "<= -1 dBFS",
        sample.max() <= kPeakDb);
    const Stats truePeak(pick(results, kept, &Result::truePeakDb));
    row("Even take, true peak", truePeak, "dBTP",
        QStringLiteral("%1 over -1 dBTP").arg(count(over(truePeak, kPeakDb), truePeak.s.size(), "takes")), "<= -1 dBTP",
        truePeak.max() <= kPeakDb);

    const qsizetype refused =
        std::count_if(results.begin(), results.end(), [](const Result &r) { return r.truth->voice && !r.kept; });
    row("Takes with a voice refused", Stats({double(refused)}), "takes", count(refused, withVoice, "takes"), "0",
        refused == 0);
    const qsizetype keptWrongly =
        std::count_if(results.begin(), results.end(), [](const Result &r) { return !r.truth->voice && r.kept; });
    row("Takes without a voice kept", Stats({double(keptWrongly)}), "takes", count(keptWrongly, without, "takes"), "0",
        keptWrongly == 0);

    const QList<double> lengthOff = pick(results, kept, &Result::lengthOffMs);
    const qsizetype disagree =
        std::count_if(lengthOff.begin(), lengthOff.end(), [](double v) { return std::abs(v) > kLengthSlackMs; });
    row("Even take, kept length against to - from", Stats(lengthOff), "ms",
        count(disagree, lengthOff.size(), "takes off by over 2 ms"), "within 2 ms", disagree == 0);

    const Stats time(pick(results, everyTake, &Result::msPerSecond));
    row("evenTake's time per second of take", time, "ms/s",
        QStringLiteral("p95 %1 ms/s; %2 takes, %3 s")
            .arg(time.at(0.95), 0, 'f', 2)
            .arg(results.size())
            .arg(totalSeconds, 0, 'f', 0),
        "median <= 20 ms/s", time.median() <= kMsPerSecond);

    throughTheMicrophone(truth, corpus, argc, argv);

    perCase(results);
    listTakes(results, "Takes with a voice refused", [](const Result &r) { return r.truth->voice && !r.kept; });
    listTakes(results, "Takes without a voice kept", [](const Result &r) { return !r.truth->voice && r.kept; });
    for (const Offence &o : kOffences)
        worst(results, o);
    return 0;
}
