// Click to voice on a real sound server: a real X click on the real program,
// until the first sample of the voice arrives at the server's monitor of the
// default sink.
//
//   bench_server HUROOF_EXECUTABLE SERVER_NAME [CLICKS]
//
// DISPLAY names an X server; the PulseAudio protocol (PulseAudio itself, or
// pipewire-pulse) is found as every client finds it. BENCH_AUDIODRIVER, when
// set, is given to the program as SDL_AUDIODRIVER.
//
// The recorder on the monitor is started first and asks for small fragments:
// a null sink with no low-latency client renders ahead by about two seconds,
// which would make every figure wrong. A voice is found in the recording by
// normalised cross-correlation with the start of its file, so it is found
// even while an older sound still plays; its time is the arrival of its first
// audible sample. The first 50 ms after it must match the file, or the start
// of the voice was lost.
#include "stats.h"
#include "xclient.h"

#include <QString>

#include <X11/keysym.h>
#include <pulse/error.h>
#include <pulse/simple.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <mutex>
#include <optional>
#include <thread>

using namespace bench;

namespace {

constexpr int kRate = 44100;
constexpr int kFragment = 32; // frames per read: 0.73 ms
constexpr double kAudible = 0.01; // -40 dBFS

using Samples = std::vector<float>;

// The default sink's monitor, read in small fragments on a thread of its own;
// every fragment is stamped with the moment it arrived.
class Recorder
{
public:
    bool start()
    {
        const pa_sample_spec spec{PA_SAMPLE_FLOAT32LE, kRate, 1};
        pa_buffer_attr attr;
        std::memset(&attr, 0xff, sizeof attr);
        attr.fragsize = kFragment * sizeof(float);
        int error = 0;
        m_stream = pa_simple_new(nullptr, "huroof-bench", PA_STREAM_RECORD, "@DEFAULT_MONITOR@", "monitor", &spec,
                                 nullptr, &attr, &error);
        if (!m_stream) {
            std::fprintf(stderr, "recorder: %s\n", pa_strerror(error));
            return false;
        }
        m_thread = std::thread([this] { run(); });
        return true;
    }
    ~Recorder()
    {
        m_stop = true;
        if (m_thread.joinable())
            m_thread.join();
        if (m_stream)
            pa_simple_free(m_stream);
    }

    // The index of the next sample to arrive.
    std::size_t now()
    {
        std::lock_guard lock(m_mutex);
        return m_samples.size();
    }
    // Waits until the samples up to index have arrived, and copies [from, to).
    Samples copy(std::size_t from, std::size_t to)
    {
        while (now() < to)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        std::lock_guard lock(m_mutex);
        return Samples(m_samples.begin() + std::ptrdiff_t(from), m_samples.begin() + std::ptrdiff_t(to));
    }
    // When sample i arrived: the arrival of its fragment, less the samples
    // that came after it in that fragment.
    Clock::time_point arrival(std::size_t i)
    {
        std::lock_guard lock(m_mutex);
        const std::size_t f = i / kFragment;
        const auto later = std::chrono::duration<double>(double(kFragment - 1 - i % kFragment) / kRate);
        return m_arrivals[f] - std::chrono::duration_cast<Clock::duration>(later);
    }

private:
    void run()
    {
        float buffer[kFragment];
        while (!m_stop) {
            int error = 0;
            if (pa_simple_read(m_stream, buffer, sizeof buffer, &error) < 0) {
                std::fprintf(stderr, "recorder: %s\n", pa_strerror(error));
                return;
            }
            const auto at = Clock::now();
            std::lock_guard lock(m_mutex);
            m_samples.insert(m_samples.end(), buffer, buffer + kFragment);
            m_arrivals.push_back(at);
        }
    }

    pa_simple *m_stream = nullptr;
    std::thread m_thread;
    std::atomic<bool> m_stop{false};
    std::mutex m_mutex;
    Samples m_samples;
    std::vector<Clock::time_point> m_arrivals;
};

// The start of a recording as the monitor hears it: from its first audible
// sample, at the monitor's rate. Reads the 16-bit PCM WAV files of the program.
struct Voice
{
    std::string name;
    Samples start;         // 50 ms from the first audible sample
    double leadSilence = 0; // seconds before the first audible sample
};

std::optional<Voice> readVoice(const std::string &path, const std::string &name)
{
    std::ifstream f(path, std::ios::binary);
    std::vector<char> bytes((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
    if (bytes.size() < 44 || std::memcmp(bytes.data(), "RIFF", 4) != 0)
        return std::nullopt;
    int rate = 0, channels = 0, bits = 0;
    std::size_t at = 12;
    while (at + 8 <= bytes.size()) {
        std::uint32_t size = 0;
        std::memcpy(&size, bytes.data() + at + 4, 4);
        if (std::memcmp(bytes.data() + at, "fmt ", 4) == 0) {
            std::uint16_t c = 0, b = 0;
            std::uint32_t r = 0;
            std::memcpy(&c, bytes.data() + at + 10, 2);
            std::memcpy(&r, bytes.data() + at + 12, 4);
            std::memcpy(&b, bytes.data() + at + 22, 2);
            channels = c, rate = int(r), bits = b;
        } else if (std::memcmp(bytes.data() + at, "data", 4) == 0 && bits == 16 && channels > 0) {
            const std::size_t frames = std::min<std::size_t>(size, bytes.size() - at - 8) / (2u * channels);
            Samples in(frames);
            for (std::size_t i = 0; i < frames; ++i) {
                std::int16_t s = 0;
                std::memcpy(&s, bytes.data() + at + 8 + i * 2 * channels, 2);
                in[i] = float(s) / 32768.0f;
            }
            std::size_t first = 0;
            while (first < frames && std::abs(in[first]) < kAudible)
                ++first;
            Voice v{name, {}, double(first) / rate};
            // Windowed-sinc interpolation, close to what the player's
            // resampler does, so that the hiss of a consonant matches too.
            const double step = double(rate) / kRate;
            constexpr int kTaps = 16;
            for (int i = 0; i < kRate / 20; ++i) {
                const double pos = double(first) + i * step;
                const auto j = std::ptrdiff_t(pos);
                if (std::size_t(j + kTaps) >= frames)
                    break;
                double sum = 0;
                for (std::ptrdiff_t k = j - kTaps + 1; k <= j + kTaps; ++k) {
                    if (k < 0)
                        continue;
                    const double x = pos - double(k);
                    const double sinc = x == 0 ? 1 : std::sin(M_PI * x) / (M_PI * x);
                    const double window = x == 0 ? 1 : std::sin(M_PI * x / kTaps) / (M_PI * x / kTaps);
                    sum += in[std::size_t(k)] * sinc * window;
                }
                v.start.push_back(float(sum));
            }
            return v;
        }
        at += 8 + size + (size & 1);
    }
    return std::nullopt;
}

// Normalised cross-correlation of the template with the signal at offset.
double correlation(const Samples &signal, std::size_t offset, const Samples &t, std::size_t n)
{
    double st = 0, ss = 0, tt = 0;
    for (std::size_t k = 0; k < n; ++k) {
        st += double(signal[offset + k]) * t[k];
        ss += double(signal[offset + k]) * signal[offset + k];
        tt += double(t[k]) * t[k];
    }
    return ss > 0 && tt > 0 ? st / std::sqrt(ss * tt) : 0;
}

struct Found
{
    const Voice *voice = nullptr;
    std::size_t index = 0; // the first audible sample of the voice
    double match = 0;      // over its first 20 ms
    double whole = 0;      // over its first 50 ms
};

// Looks for any of the voices in the monitor from index from on. With
// afterSilence, the monitor is silent until the voice, and only the 20 ms
// around the first audible sample are searched.
Found find(Recorder &recorder, std::size_t from, const std::vector<const Voice *> &voices, double windowSeconds,
           bool afterSilence = false)
{
    const std::size_t span = std::size_t(windowSeconds * kRate);
    const std::size_t head = kRate / 50;
    const Samples signal = recorder.copy(from, from + span + kRate / 20);
    std::size_t low = 0, high = span;
    if (afterSilence) {
        const auto loud = std::find_if(signal.begin(), signal.begin() + std::ptrdiff_t(span),
                                       [](float s) { return std::abs(s) >= kAudible; });
        const auto at = std::size_t(loud - signal.begin());
        low = at > head ? at - head : 0;
        high = std::min(span, at + head);
    }
    Found best;
    for (const Voice *v : voices) {
        const std::size_t n = std::min(head, v->start.size());
        for (std::size_t lag = low; lag < high; ++lag) {
            const double c = correlation(signal, lag, v->start, n);
            if (c > best.match)
                best = {v, from + lag, c, 0};
        }
    }
    if (best.voice)
        best.whole = correlation(signal, best.index - from, best.voice->start, best.voice->start.size());
    return best;
}

// The clicks of one case, looked for in the recording once the case is over:
// the search takes processor time that the program under test must not
// have to share while it plays.
struct Case
{
    struct Click
    {
        std::size_t from;
        Clock::time_point t0;
        std::vector<const Voice *> voices;
        double window;
        bool afterSilence;
    };
    void add(std::size_t from, Clock::time_point t0, std::vector<const Voice *> voices, double window = 0.4,
             bool afterSilence = false)
    {
        clicks.push_back({from, t0, std::move(voices), window, afterSilence});
    }
    void analyse(Recorder &recorder)
    {
        for (const Click &c : clicks) {
            const Found f = find(recorder, c.from, c.voices, c.window, c.afterSilence);
            if (f.match < 0.8) {
                ++notFound;
                continue;
            }
            if (f.whole < 0.8) {
                ++lostStarts;
                std::fprintf(stderr, "the start of %s differs: %.3f over 20 ms, %.3f over 50 ms\n",
                             f.voice->name.c_str(), f.match, f.whole);
            }
            latency << ms(c.t0, recorder.arrival(f.index));
        }
        clicks.clear();
    }

    std::vector<Click> clicks;
    QList<double> latency;
    int lostStarts = 0;
    int notFound = 0;
};

// The floor of the chain: a minimal stream of its own, 1.5 ms long, played
// through the same server and heard at the same monitor.
Case floorOfChain(Recorder &recorder, int clicks)
{
    Voice burst{"burst", {}, 0};
    for (int i = 0; i < kRate * 3 / 2000; ++i)
        burst.start.push_back(float(0.8 * std::sin(2 * M_PI * 3000 * i / kRate)));
    Case c;
    for (int i = 0; i < clicks; ++i) {
        const pa_sample_spec spec{PA_SAMPLE_FLOAT32LE, kRate, 1};
        pa_buffer_attr attr;
        std::memset(&attr, 0xff, sizeof attr);
        attr.tlength = std::uint32_t(burst.start.size() * sizeof(float));
        attr.prebuf = attr.tlength;
        attr.minreq = attr.tlength;
        // The burst, then silence enough for every server to take it.
        Samples written = burst.start;
        written.resize(kRate / 10, 0.0f);
        int error = 0;
        pa_simple *s = pa_simple_new(nullptr, "huroof-bench", PA_STREAM_PLAYBACK, nullptr, "floor", &spec, nullptr,
                                     &attr, &error);
        if (!s)
            return c;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        const std::size_t from = recorder.now();
        const auto t0 = Clock::now();
        pa_simple_write(s, written.data(), written.size() * sizeof(float), &error);
        c.add(from, t0, {&burst}, 0.2);
        pa_simple_drain(s, &error);
        pa_simple_free(s);
    }
    c.analyse(recorder);
    return c;
}

struct Program
{
    Display *x;
    pid_t pid = 0;
    Mapped main;

    int boardX(int j) const { return main.x + (8760 - 840 * (j % 7)) / 15 + 23; }
    int boardY(int j) const { return main.y + (3120 + 840 * (j / 7)) / 15 + 23; }
    // Picks an entry of the mode list as a user does: open it, arrow, Enter.
    void chooseMode(bool contest)
    {
        click(x, main.x + 368 + 88, main.y + 14 + 16);
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        key(x, contest ? XK_Down : XK_Up);
        key(x, XK_Return);
        XSync(x, False);
    }
};

void report(const std::string &server, const char *what, const Case &c, const Case &floor, bool pulse)
{
    const Stats s(c.latency);
    const double medianGoal = pulse ? 10 : 30;
    const bool met = !c.latency.isEmpty() && s.median() <= medianGoal && (!pulse || s.p99() <= 20)
                     && c.lostStarts == 0 && c.notFound == 0;
    const QString figure = QStringLiteral("Click to voice at the server, %1, %2").arg(QString::fromStdString(server), what);
    row(qPrintable(figure), s, "ms",
        QStringLiteral("p99 %1 ms, %2 clicks, floor %3 ms, starts lost %4, not heard %5")
            .arg(s.p99(), 0, 'f', 1)
            .arg(c.latency.size())
            .arg(Stats(floor.latency).median(), 0, 'f', 2)
            .arg(c.lostStarts)
            .arg(c.notFound),
        pulse ? "median <= 10 ms, p99 <= 20 ms" : "median <= 30 ms", met);
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s HUROOF_EXECUTABLE SERVER_NAME [CLICKS]\n", argv[0]);
        return 2;
    }
    const std::string program = argv[1];
    const std::string server = argv[2];
    const int clicks = argc > 3 ? std::atoi(argv[3]) : 30;
    const bool pulse = server.find("PulseAudio") != std::string::npos;
    const std::string folder = program.substr(0, program.rfind('/'));

    std::vector<Voice> voices;
    for (int k = 1; k <= 28; ++k) {
        if (auto v = readVoice(folder + "/wa/" + std::to_string(k) + ".wav", std::to_string(k)))
            voices.push_back(*v);
    }
    for (const char *name : {"yes", "no"}) {
        if (auto v = readVoice(folder + "/" + name + ".wav", name))
            voices.push_back(*v);
    }
    if (voices.size() != 30) {
        std::fprintf(stderr, "the recordings beside %s cannot be read\n", program.c_str());
        return 2;
    }
    std::vector<const Voice *> letters, answers;
    for (const Voice &v : voices)
        (v.name == "yes" || v.name == "no" ? answers : letters).push_back(&v);

    Recorder recorder;
    if (!recorder.start())
        return 1;
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    const Case floor = floorOfChain(recorder, clicks);

    Display *x = XOpenDisplay(nullptr);
    if (!x) {
        std::fprintf(stderr, "no X display\n");
        return 2;
    }
    XSetErrorHandler([](Display *, XErrorEvent *) { return 0; });
    XSelectInput(x, DefaultRootWindow(x), SubstructureNotifyMask);
    XSync(x, True);
    const char *driver = std::getenv("BENCH_AUDIODRIVER");
    Program p{x, 0, {}};
    p.pid = spawn(program, driver ? driver : "");
    Mapped splash;
    if (!waitForMap(x, 452, 314, splash, 10000)) {
        std::fprintf(stderr, "the splash did not appear\n");
        stop(p.pid);
        return 1;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(150));
    click(x, splash.x + 200, splash.y + 150);
    if (!waitForMap(x, 971, 490, p.main, 10000)) {
        std::fprintf(stderr, "the main window did not appear\n");
        stop(p.pid);
        return 1;
    }
    std::this_thread::sleep_for(std::chrono::seconds(1));

    // A click on a board button in the pronunciation mode; the board is in
    // alphabetical order, so position j says letter j + 1.
    const auto clickLetter = [&](int j, Case &c) {
        const std::size_t from = recorder.now();
        click(x, p.boardX(j), p.boardY(j));
        XSync(x, False);
        const auto t0 = Clock::now();
        c.add(from, t0, {letters[std::size_t(j)]});
    };
    const auto apart = [&](double seconds, int n) {
        Case c;
        for (int i = 0; i < n; ++i) {
            const auto next = Clock::now() + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(seconds));
            clickLetter((i * 11) % 28, c);
            std::this_thread::sleep_until(next);
        }
        c.analyse(recorder);
        return c;
    };
    const auto floorRow = [&] {
        row(qPrintable(QStringLiteral("Floor of the chain, %1 (a 1.5 ms stream)").arg(QString::fromStdString(server))),
            Stats(floor.latency), "ms", QStringLiteral("%1 bursts").arg(floor.latency.size()), "(reference)", true);
    };
    report(server, "clicks 0.3 s apart", apart(0.3, clicks), floor, pulse);
    // A quick look while changing the player: one case and the floor.
    if (std::getenv("BENCH_QUICK")) {
        floorRow();
        stop(p.pid);
        return 0;
    }
    report(server, "clicks 2.5 s apart", apart(2.5, clicks), floor, pulse);
    report(server, "clicks 10 s apart", apart(10, clicks), floor, pulse);

    // The contest: its first question comes 5000 ms after it is chosen, and
    // a click while a question is heard is answered at once.
    Case first, answer;
    for (int i = 0; i < clicks; ++i) {
        const std::size_t chosenAt = recorder.now();
        p.chooseMode(true);
        const auto asked = Clock::now() + std::chrono::milliseconds(5000);
        std::this_thread::sleep_until(asked - std::chrono::milliseconds(300));
        const std::size_t from = std::max(chosenAt, recorder.now());
        // The question is found by its loudness for now, to answer it while
        // it plays; where exactly it starts is looked for afterwards.
        const Samples heard = recorder.copy(from, from + kRate * 45 / 100);
        const auto loud = std::find_if(heard.begin(), heard.end(), [](float v) { return std::abs(v) >= kAudible; });
        if (loud != heard.end()) {
            first.add(from, asked, letters, 0.45, true);
            const std::size_t onset = from + std::size_t(loud - heard.begin());
            // Answer 150 ms into the question: right or wrong, the answer's
            // sound cuts the question off.
            std::this_thread::sleep_until(recorder.arrival(onset) + std::chrono::milliseconds(150));
            const std::size_t answerFrom = recorder.now();
            click(x, p.boardX(i % 28), p.boardY(i % 28));
            XSync(x, False);
            answer.add(answerFrom, Clock::now(), answers);
        } else {
            ++first.notFound;
        }
        p.chooseMode(false);
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
    }
    first.analyse(recorder);
    answer.analyse(recorder);
    report(server, "first question of a contest", first, floor, pulse);
    report(server, "answer while a question plays", answer, floor, pulse);
    floorRow();
    stop(p.pid);
    XCloseDisplay(x);
    return 0;
}
