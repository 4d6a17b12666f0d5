// Practice against four other ways of asking, on simulated children whose
// memory follows published models: the questions until a child truly
// recalls all 28 letters, what it recalls a week after 7, 14 and 30 days,
// its wrong clicks at the start, the letters practice counts known that the
// child has forgotten, and how practice spreads its questions for a child
// who knows everything; then the scheduler's cost on the UI thread after
// 50,000 answers. bench/README describes the children, the models and the
// ways of asking; they were written down there before this was first run
// against practice.
//
// The figures as markdown tables go to stdout; the same figures with a few
// more, the seeds and the checks, laid out for reading, go to stderr.
#include "board/shuffle.h"
#include "platform/timeofday.h"
#include "practice/letterfrequency.h"
#include "practice/scheduler.h"

#include "stats.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <deque>
#include <limits>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <thread>
#include <vector>

namespace {

using practice::Event;
using practice::kLetters;
using practice::LetterSet;
using practice::Scheduler;
using Clock = std::chrono::steady_clock;

constexpr int kChildrenPerKind = 100;
constexpr int kMinDays = 30;  // every child plays at least this long
constexpr int kMaxDays = 90;  // and at most this long
constexpr std::int64_t kDaySeconds = 24 * 3600;
constexpr std::int64_t kSession = 600; // seconds of play a day
constexpr std::int64_t kTick = 5;      // the question timer
constexpr std::int64_t kTry = 2;       // one click of the child
constexpr int kFirstDay = 19723;       // 2024-01-01, in days since the epoch
constexpr std::int64_t kPlayAt = 17 * 3600;
constexpr double kRecalled = 0.8;      // "truly recalled": the model's p at least this
constexpr std::array<int, 3> kWeekChecks = {7, 14, 30};
constexpr int kKnownCheckDay = 30;
constexpr long kFirstClicks = 100;
// Children whose practice scheduler is checked against one rebuilt from
// their history every day; every child's is checked at its run's end.
constexpr int kCheckedEveryDay = 3;
// The child always right at once: questions a day, and the day looked at.
constexpr int kAlwaysRightQuestions = 120;
constexpr int kAlwaysRightDay = 30;

// The scheduler's cost: a history of more than a year's answers, then timed
// questions.
constexpr std::size_t kHistoryEvents = 50000;
constexpr int kTimedQuestions = 10000;
constexpr int kReplays = 5;
constexpr std::uint64_t kCostSeed = 4004;

// Model (b): the values Pavlik and Anderson (2005) fitted.
constexpr double kActA = 0.177;   // decay intercept
constexpr double kActC = 0.217;   // decay scale
constexpr double kActTau = -0.704; // recall threshold
constexpr double kActS = 0.255;   // recall noise
constexpr double kActH = 0.025;   // between-session time, as psychological time

struct Kind
{
    const char *name;
    double h0;     // model (a)
    double growth; // model (a)
    double aScale; // model (b): the decay intercept, times the paper's
    std::uint64_t seed;
};

constexpr std::array<Kind, 3> kKinds = {{
    {"quick", 120, 3, 0.8, 1001},
    {"average", 60, 2, 1.0, 2002},
    {"slow", 30, 1.5, 1.2, 3003},
}};
constexpr int kAverage = 1;
constexpr int kSlow = 2;

enum class Family { HalfLife, Activation };

struct Model
{
    Family family;
    bool luckyTeachesHalf;
    const char *name;
};

constexpr std::array<Model, 4> kModels = {{
    {Family::HalfLife, false, "(a) half-life"},
    {Family::HalfLife, true, "(a) half-life, a lucky guess teaches half"},
    {Family::Activation, false, "(b) activation (Pavlik & Anderson)"},
    {Family::Activation, true, "(b) activation, a lucky guess teaches half"},
}};

enum Way { Contest, RandomCards, Leitner, RightTwice, Practice, kWays };
constexpr std::array<const char *, kWays> kWayNames = {"Contest", "Random cards", "Leitner boxes", "Right twice",
                                                        "Practice"};

// The shape families: letters told apart by their dots alone, or nearly.
// أ ب ت ث ج ح خ د ذ ر ز س ش ص ض ط ظ ع غ ف ق ك ل م ن ه و ي
constexpr std::array<int, kLetters> kFamily = {-1, 0, 0, 0, 1, 1, 1, 2, 2, 3, 3, 4, 4, 5,
                                               5,  6, 6, 7, 7, 8, 8, -1, -1, -1, 0, -1, -1, 0};

// Doubles in [0, 1) made from the generator's bits, the same on every
// standard library (its distributions are not).
class Rng
{
public:
    explicit Rng(std::uint64_t seed)
        : m_engine(seed)
    {
    }
    double uniform() { return double(m_engine() >> 11) * 0x1p-53; }
    int below(int n) { return std::min(n - 1, int(uniform() * n)); }

private:
    std::mt19937_64 m_engine;
};

// The shuffle reseeds from the time of day: the contest is chosen at a time
// drawn for the day within the hour of play, in whole milliseconds as the
// system clock gives it. (The answers are timed from kPlayAt all the same;
// the hour changes nothing a day apart.)
class FixedTimeOfDay final : public TimeOfDay
{
public:
    explicit FixedTimeOfDay(float seconds)
        : m_seconds(seconds)
    {
    }
    float secondsSinceMidnight() override { return m_seconds; }

private:
    float m_seconds;
};

struct Traits
{
    double h0;     // (a), seconds
    double growth; // (a)
    double a;      // (b)
    double c;      // (b)
};

std::uint64_t childSeed(const Kind &kind, int i)
{
    return kind.seed * 1000 + std::uint64_t(i);
}

// (a): h0 and the growth within ±20 % of the kind's; (b): a and c within
// ±10 % of the kind's. Drawn in this order from the child's seed.
Traits traitsOf(const Kind &kind, int i)
{
    Rng rng(childSeed(kind, i));
    Traits t{};
    t.h0 = kind.h0 * (0.8 + 0.4 * rng.uniform());
    t.growth = kind.growth * (0.8 + 0.4 * rng.uniform());
    t.a = kActA * kind.aScale * (0.9 + 0.2 * rng.uniform());
    t.c = kActC * (0.9 + 0.2 * rng.uniform());
    return t;
}

// What the child recalls of each letter, by one of the two models. It is
// told when each day's play starts and ends (model (b) counts the time
// between as psychological time) and each time a letter's answer is heard.
class Memory
{
public:
    Memory(const Model &model, Traits traits)
        : m_model(model)
        , m_traits(traits)
    {
    }

    void beginDay(std::int64_t start)
    {
        m_psychAtStart = m_days == 0 ? 0 : m_psychAtEnd + kActH * double(start - m_realEnd);
        m_realStart = start;
        ++m_days;
    }
    void endDay(std::int64_t end)
    {
        m_psychAtEnd = psych(end);
        m_realEnd = end;
    }

    // During play.
    double recall(int k, std::int64_t now) const
    {
        if (m_model.family == Family::HalfLife) {
            const HalfLife &l = m_halfLife[std::size_t(k)];
            return l.heard ? std::exp2(-double(now - l.lastHeard) / l.h) : 0.0;
        }
        return activationRecall(k, psych(now));
    }

    // `gap` seconds after the end of the last day's play, none since.
    double recallAfter(int k, double gap) const
    {
        if (m_model.family == Family::HalfLife) {
            const HalfLife &l = m_halfLife[std::size_t(k)];
            return l.heard ? std::exp2(-(double(m_realEnd - l.lastHeard) + gap) / l.h) : 0.0;
        }
        return activationRecall(k, m_psychAtEnd + kActH * gap);
    }

    int recalledAfter(double gap) const
    {
        int n = 0;
        for (int k = 0; k < kLetters; ++k)
            n += recallAfter(k, gap) >= kRecalled ? 1 : 0;
        return n;
    }

    // The answer is heard and marked at `now`; `lucky` when the first click
    // was right by a guess.
    void hear(int k, std::int64_t now, bool lucky)
    {
        const bool half = lucky && m_model.luckyTeachesHalf;
        if (m_model.family == Family::HalfLife) {
            HalfLife &l = m_halfLife[std::size_t(k)];
            if (!l.heard) {
                l.heard = true;
                l.h = m_traits.h0;
            } else {
                l.h *= half ? std::sqrt(m_traits.growth) : m_traits.growth;
            }
            l.lastHeard = now;
            return;
        }
        const double t = psych(now);
        std::vector<Trace> &traces = m_traces[std::size_t(k)];
        const double d = traces.empty() ? m_traits.a : m_traits.c * std::exp(activation(k, t)) + m_traits.a;
        traces.push_back({t, d, half ? 0.5 : 1.0});
    }

private:
    struct HalfLife
    {
        bool heard = false;
        double h = 0;
        std::int64_t lastHeard = 0;
    };
    struct Trace
    {
        double at; // psychological seconds
        double d;
        double b;
    };

    double psych(std::int64_t now) const { return m_psychAtStart + double(now - m_realStart); }

    // Minus infinity for a letter never heard. A trace is at least a second
    // old when it is weighed: two hearings of one letter are never closer.
    double activation(int k, double t) const
    {
        double sum = 0;
        for (const Trace &trace : m_traces[std::size_t(k)])
            sum += trace.b * std::exp(-trace.d * std::log(std::max(1.0, t - trace.at)));
        return sum > 0 ? std::log(sum) : -std::numeric_limits<double>::infinity();
    }

    double activationRecall(int k, double t) const
    {
        if (m_traces[std::size_t(k)].empty())
            return 0.0;
        return 1.0 / (1.0 + std::exp((kActTau - activation(k, t)) / kActS));
    }

    Model m_model;
    Traits m_traits;
    std::array<HalfLife, kLetters> m_halfLife{};
    std::array<std::vector<Trace>, kLetters> m_traces{};
    int m_days = 0;
    std::int64_t m_realStart = 0;
    std::int64_t m_realEnd = 0;
    double m_psychAtStart = 0;
    double m_psychAtEnd = 0;
};

// A letter the child can click and has not tried yet; the asked letter's
// shape family four times as likely as the rest, when another of it can be
// clicked.
int guess(int asked, LetterSet clickable, LetterSet tried, Rng &rng)
{
    const int family = kFamily[std::size_t(asked)];
    bool alike = false;
    for (int k = 0; k < kLetters; ++k)
        alike = alike || (family >= 0 && k != asked && clickable[std::size_t(k)] && kFamily[std::size_t(k)] == family);
    std::array<double, kLetters> weight{};
    double total = 0;
    for (int k = 0; k < kLetters; ++k) {
        if (!clickable[std::size_t(k)] || tried[std::size_t(k)])
            continue;
        weight[std::size_t(k)] = alike && kFamily[std::size_t(k)] == family ? 4.0 : 1.0;
        total += weight[std::size_t(k)];
    }
    double x = rng.uniform() * total;
    int last = asked;
    for (int k = 0; k < kLetters; ++k) {
        if (weight[std::size_t(k)] == 0)
            continue;
        last = k;
        x -= weight[std::size_t(k)];
        if (x < 0)
            return k;
    }
    return last; // rounding left x at the total's edge
}

// Clicks until the right letter, kTry seconds a click, each told to onClick
// as the history keeps it; the child then hears the answer. Returns the time
// of the right click.
template <class OnClick>
std::int64_t answer(Memory &memory, int asked, LetterSet clickable, std::int64_t askedAt, int day, bool practising,
                    Rng &rng, OnClick &&onClick)
{
    // A "no" teaches nothing new: the child tries again as sure as before.
    const double p = memory.recall(asked, askedAt + kTry);
    // A letter asked asleep could never be answered: the run counts it, and
    // the child is let click it all the same.
    clickable.set(std::size_t(asked));
    LetterSet tried;
    bool lucky = false;
    std::int64_t t = askedAt;
    for (int wrong = 0;; ++wrong) {
        t += kTry;
        const bool recalled = rng.uniform() < p;
        const int clicked = recalled ? asked : guess(asked, clickable, tried, rng);
        const bool right = clicked == asked;
        if (wrong == 0)
            lucky = right && !recalled;
        onClick(Event{t, day, asked, clicked, right, wrong, practising});
        if (right)
            break;
        tried.set(std::size_t(clicked));
    }
    memory.hear(asked, t, lucky);
    return t;
}

// The question timer over days of kSession seconds' play: the first
// question kTick after the mode is chosen, the next at the first tick after
// the right answer; a question asked before the session's end is finished.
class Days
{
public:
    int index() const { return m_index; }
    int today() const { return kFirstDay + m_index; }
    std::int64_t tick() const { return m_tick; }
    std::int64_t start() const { return std::int64_t(today()) * kDaySeconds + kPlayAt; }
    bool firstQuestion() const { return m_tick == start() + kTick; }

    // True when that answer ended the day's play.
    bool answered(std::int64_t at)
    {
        m_tick += kTick * ((at - m_tick) / kTick + 1);
        if (m_tick < start() + kSession)
            return false;
        ++m_index;
        m_tick = start() + kTick;
        return true;
    }

private:
    int m_index = 0;
    std::int64_t m_tick = std::int64_t(kFirstDay) * kDaySeconds + kPlayAt + kTick;
};

// A way of asking: which letter now, which letters the child can click, and
// every click as the history keeps it.
class Teacher
{
public:
    virtual ~Teacher() = default;
    virtual void beginDay(std::int64_t, int) {}
    virtual int next(std::int64_t now, int today) = 0;
    virtual LetterSet clickable() const { return LetterSet().set(); }
    virtual void observe(const Event &) {}
    virtual const Scheduler *scheduler() const { return nullptr; }
};

class ContestTeacher final : public Teacher
{
public:
    explicit ContestTeacher(Rng &rng)
        : m_rng(rng)
    {
    }
    void beginDay(std::int64_t, int) override
    {
        const double ms = double(kPlayAt) * 1000 + std::floor(m_rng.uniform() * 3600000.0);
        FixedTimeOfDay clock(float(ms / 1000));
        shuffleRange(0, 27, m_quizOrder, m_random, clock);
        m_quizPos = 0;
    }
    int next(std::int64_t, int) override { return m_quizOrder[std::size_t(m_quizPos)]; }
    void observe(const Event &e) override
    {
        if (e.right)
            m_quizPos = m_quizPos >= 27 ? 0 : m_quizPos + 1;
    }

private:
    Rng &m_rng;
    std::array<std::int16_t, kLetters> m_quizOrder{};
    int m_quizPos = 0;
    MersenneUnitRandom m_random;
};

class RandomTeacher final : public Teacher
{
public:
    explicit RandomTeacher(Rng &rng)
        : m_rng(rng)
    {
    }
    int next(std::int64_t, int) override
    {
        if (m_last < 0)
            return m_last = m_rng.below(kLetters);
        const int k = m_rng.below(kLetters - 1);
        return m_last = k >= m_last ? k + 1 : k;
    }

private:
    Rng &m_rng;
    int m_last = -1;
};

// Daily Leitner boxes over all 28 letters; bench/README has the rules.
class LeitnerTeacher final : public Teacher
{
public:
    explicit LeitnerTeacher(Rng &rng)
        : m_rng(rng)
    {
        m_box.fill(1);
        m_due.fill(kFirstDay);
        m_lastAsked.fill(-1);
    }
    void beginDay(std::int64_t, int today) override
    {
        std::array<int, kLetters> order{};
        for (int k = 0; k < kLetters; ++k)
            order[std::size_t(k)] = k;
        for (int i = kLetters - 1; i > 0; --i)
            std::swap(order[std::size_t(i)], order[std::size_t(m_rng.below(i + 1))]);
        std::stable_sort(order.begin(), order.end(),
                         [&](int x, int y) { return m_box[std::size_t(x)] < m_box[std::size_t(y)]; });
        m_queue.clear();
        for (int k : order) {
            if (m_due[std::size_t(k)] <= today)
                m_queue.push_back(k);
        }
        m_missedToday.reset();
        m_round.clear();
    }
    int next(std::int64_t, int) override
    {
        m_fromQueue = !m_queue.empty();
        if (m_fromQueue)
            return m_queue.front();
        // Extra rounds: each of the 28 once a round, the lowest box first,
        // then the letter asked longest ago.
        if (m_round.empty()) {
            std::array<int, kLetters> order{};
            for (int k = 0; k < kLetters; ++k)
                order[std::size_t(k)] = k;
            std::sort(order.begin(), order.end(), [&](int x, int y) {
                const auto a = std::size_t(x), b = std::size_t(y);
                return m_box[a] != m_box[b] ? m_box[a] < m_box[b] : m_lastAsked[a] < m_lastAsked[b];
            });
            m_round.assign(order.begin(), order.end());
        }
        return m_round.front();
    }
    void observe(const Event &e) override
    {
        const auto k = std::size_t(e.asked);
        if (e.wrongTries == 0) {
            m_firstRight = e.right;
            m_lastAsked[k] = ++m_questions;
        }
        if (!e.right)
            return;
        if (!m_fromQueue) {
            m_round.pop_front();
            if (!m_firstRight) {
                m_box[k] = 1;
                m_due[k] = e.day + 1;
                m_missedToday.set(k);
            }
            return;
        }
        m_queue.pop_front();
        if (!m_firstRight) {
            m_box[k] = 1;
            m_missedToday.set(k);
            m_queue.push_back(e.asked);
            return;
        }
        if (!m_missedToday[k])
            m_box[k] = std::min(5, m_box[k] + 1);
        m_due[k] = e.day + (1 << (m_box[k] - 1));
    }

private:
    Rng &m_rng;
    std::array<int, kLetters> m_box{};
    std::array<int, kLetters> m_due{};
    std::array<long, kLetters> m_lastAsked{};
    LetterSet m_missedToday;
    std::deque<int> m_queue;
    std::deque<int> m_round;
    bool m_fromQueue = false;
    bool m_firstRight = false;
    long m_questions = 0;
};

// A new letter when the ones in play were right twice; bench/README has
// the rules.
class RightTwiceTeacher final : public Teacher
{
public:
    RightTwiceTeacher() { m_lastAsked.fill(-1); }
    int next(std::int64_t, int) override
    {
        const bool ready = std::all_of(m_order.begin(), m_order.begin() + m_inPlay, [&](int k) {
            return m_firsts[std::size_t(k)] >= 2 && m_lastTwo[std::size_t(k)] == 3u;
        });
        if (ready && m_inPlay < kLetters)
            return m_last = m_order[std::size_t(m_inPlay++)];
        int best = -1;
        for (int i = 0; i < m_inPlay; ++i) {
            const int k = m_order[std::size_t(i)];
            if (k == m_last && m_inPlay > 1)
                continue;
            if (best < 0 || m_lastAsked[std::size_t(k)] < m_lastAsked[std::size_t(best)])
                best = k;
        }
        return m_last = best;
    }
    LetterSet clickable() const override
    {
        LetterSet set;
        for (int i = 0; i < m_inPlay; ++i)
            set.set(std::size_t(m_order[std::size_t(i)]));
        return set;
    }
    void observe(const Event &e) override
    {
        if (e.wrongTries != 0)
            return;
        const auto k = std::size_t(e.asked);
        m_lastTwo[k] = ((m_lastTwo[k] << 1) | (e.right ? 1u : 0u)) & 3u;
        m_firsts[k] = std::min(2, m_firsts[k] + 1);
        m_lastAsked[k] = ++m_questions;
    }

private:
    const std::array<int, kLetters> &m_order = practice::kCommonFirstTable;
    int m_inPlay = 3;
    int m_last = -1;
    std::array<unsigned, kLetters> m_lastTwo{};
    std::array<int, kLetters> m_firsts{};
    std::array<long, kLetters> m_lastAsked{};
    long m_questions = 0;
};

Scheduler replay(const std::vector<Event> &history)
{
    Scheduler s;
    for (const Event &e : history)
        s.observe(e);
    return s;
}

// The same state as far as the public functions tell.
bool sameState(const Scheduler &a, const Scheduler &b)
{
    if (a.active() != b.active() || a.knownCount() != b.knownCount())
        return false;
    for (int k = 0; k < kLetters; ++k) {
        if (a.isKnown(k) != b.isKnown(k))
            return false;
    }
    return true;
}

// Practice as the window drives it. The window rebuilds the scheduler from
// the history whenever practice is chosen; this one is kept from day to day
// and, where asked, checked against a rebuilt one at each day's first
// question: the same state, then the same letter.
class PracticeTeacher final : public Teacher
{
public:
    explicit PracticeTeacher(bool checkEveryDay)
        : m_checkEveryDay(checkEveryDay)
    {
    }
    void beginDay(std::int64_t, int) override
    {
        m_scheduler.start();
        if (!m_checkEveryDay)
            return;
        m_rebuilt.emplace(replay(m_history));
        m_rebuilt->start();
        if (!sameState(m_scheduler, *m_rebuilt))
            ++m_mismatches;
    }
    int next(std::int64_t now, int today) override
    {
        const int k = m_scheduler.next(now, today);
        if (m_rebuilt) {
            if (m_rebuilt->next(now, today) != k || !sameState(m_scheduler, *m_rebuilt))
                ++m_mismatches;
            m_rebuilt.reset();
        }
        return k;
    }
    LetterSet clickable() const override { return m_scheduler.clickable(); }
    void observe(const Event &e) override
    {
        m_scheduler.observe(e);
        m_history.push_back(e);
    }
    const Scheduler *scheduler() const override { return &m_scheduler; }

    // At the run's end: a scheduler rebuilt from the whole history, started
    // and asked as the window would the next day.
    void finalCheck(std::int64_t now, int today)
    {
        Scheduler rebuilt = replay(m_history);
        rebuilt.start();
        m_scheduler.start();
        if (!sameState(m_scheduler, rebuilt) || m_scheduler.next(now, today) != rebuilt.next(now, today))
            ++m_mismatches;
    }
    long mismatches() const { return m_mismatches; }

private:
    Scheduler m_scheduler;
    std::vector<Event> m_history;
    std::optional<Scheduler> m_rebuilt;
    bool m_checkEveryDay;
    long m_mismatches = 0;
};

std::unique_ptr<Teacher> teacherFor(Way way, Rng &own, bool checkEveryDay)
{
    switch (way) {
    case Contest:
        return std::make_unique<ContestTeacher>(own);
    case RandomCards:
        return std::make_unique<RandomTeacher>(own);
    case Leitner:
        return std::make_unique<LeitnerTeacher>(own);
    case RightTwice:
        return std::make_unique<RightTwiceTeacher>();
    default:
        return std::make_unique<PracticeTeacher>(checkEveryDay);
    }
}

constexpr double kNotThere = std::numeric_limits<double>::infinity();

struct Outcome
{
    double questionsToAll = kNotThere; // until all 28 truly recalled a day later
    int daysToAll = 0;
    std::array<int, kWeekChecks.size()> weekRecalled{};
    long wrongFirst100 = 0;
    int days = 0;
    long questions = 0;
    // Practice alone: at the end of day kKnownCheckDay, known letters not
    // truly recalled a day later, and recalled letters not known; over its
    // first kKnownCheckDay days, letter-days where isKnown() and the truth
    // differ.
    int knownForgotten = 0;
    int recalledNotKnown = 0;
    long disagreements = 0;
    long letterDays = 0;
    long mismatches = 0;
    long askedAsleep = 0; // questions of a letter the child could not click
};

Outcome run(const Model &model, Traits traits, std::uint64_t seed, Way way, bool checkEveryDay)
{
    Memory memory(model, traits);
    Rng clicks((seed * 8 + std::uint64_t(way)) * 2);
    Rng own((seed * 8 + std::uint64_t(way)) * 2 + 1);
    const std::unique_ptr<Teacher> teacher = teacherFor(way, own, checkEveryDay);
    const bool practising = way == Practice;
    Days days;
    Outcome out;
    long clicksSoFar = 0;
    for (;;) {
        if (days.firstQuestion()) {
            memory.beginDay(days.start());
            teacher->beginDay(days.start(), days.today());
        }
        const int asked = teacher->next(days.tick(), days.today());
        const LetterSet clickable = teacher->clickable();
        out.askedAsleep += clickable[std::size_t(asked)] ? 0 : 1;
        const std::int64_t end =
            answer(memory, asked, clickable, days.tick(), days.today(), practising, clicks, [&](const Event &e) {
                teacher->observe(e);
                if (++clicksSoFar <= kFirstClicks && !e.right)
                    ++out.wrongFirst100;
            });
        ++out.questions;
        if (!days.answered(end))
            continue;

        memory.endDay(end);
        const int played = days.index();
        if (out.questionsToAll == kNotThere && memory.recalledAfter(double(kDaySeconds)) == kLetters) {
            out.questionsToAll = double(out.questions);
            out.daysToAll = played;
        }
        for (std::size_t i = 0; i < kWeekChecks.size(); ++i) {
            if (played == kWeekChecks[i])
                out.weekRecalled[i] = memory.recalledAfter(7.0 * double(kDaySeconds));
        }
        if (const Scheduler *s = teacher->scheduler(); s && played <= kKnownCheckDay) {
            for (int k = 0; k < kLetters; ++k) {
                const bool recalled = memory.recallAfter(k, double(kDaySeconds)) >= kRecalled;
                const bool known = s->isKnown(k);
                out.disagreements += known != recalled ? 1 : 0;
                ++out.letterDays;
                if (played == kKnownCheckDay) {
                    out.knownForgotten += known && !recalled ? 1 : 0;
                    out.recalledNotKnown += recalled && !known ? 1 : 0;
                }
            }
        }
        if (played >= kMaxDays || (played >= kMinDays && out.questionsToAll != kNotThere))
            break;
    }
    out.days = days.index();
    if (practising) {
        auto &p = static_cast<PracticeTeacher &>(*teacher);
        p.finalCheck(days.tick(), days.today());
        out.mismatches = p.mismatches();
    }
    return out;
}

// The child always right at its first click, kAlwaysRightQuestions
// questions a day, 5 s each: the share of day kAlwaysRightDay's questions
// its two most-asked letters took.
double twoMostAskedShare(Way way)
{
    Rng own(kCostSeed * 2 + 1);
    const std::unique_ptr<Teacher> teacher = teacherFor(way, own, false);
    std::array<int, kLetters> asked{};
    for (int day = 1; day <= kAlwaysRightDay; ++day) {
        const int today = kFirstDay + day - 1;
        const std::int64_t start = std::int64_t(today) * kDaySeconds + kPlayAt;
        teacher->beginDay(start, today);
        for (int q = 0; q < kAlwaysRightQuestions; ++q) {
            const std::int64_t at = start + kTick * (q + 1);
            const int k = teacher->next(at, today);
            teacher->observe(Event{at + kTry, today, k, k, true, 0, way == Practice});
            if (day == kAlwaysRightDay)
                ++asked[std::size_t(k)];
        }
    }
    std::sort(asked.begin(), asked.end(), std::greater<>());
    return double(asked[0] + asked[1]) / kAlwaysRightQuestions;
}

// Every child of every kind, model and way of asking; the children are
// spread over the machine's cores, each result in its own place, so the
// figures do not depend on the threads.
using Results = std::vector<Outcome>; // [model][kind][child][way]

std::size_t slot(std::size_t model, std::size_t kind, int child, int way)
{
    return ((model * kKinds.size() + kind) * kChildrenPerKind + std::size_t(child)) * kWays + std::size_t(way);
}

Results simulateAll()
{
    const std::size_t jobs = kModels.size() * kKinds.size() * kChildrenPerKind;
    Results results(jobs * kWays);
    std::atomic<std::size_t> nextJob{0};
    const auto work = [&] {
        for (std::size_t job = nextJob++; job < jobs; job = nextJob++) {
            const std::size_t model = job / (kKinds.size() * kChildrenPerKind);
            const std::size_t kind = job / kChildrenPerKind % kKinds.size();
            const int child = int(job % kChildrenPerKind);
            const Traits traits = traitsOf(kKinds[kind], child);
            const std::uint64_t seed = childSeed(kKinds[kind], child);
            for (int way = 0; way < kWays; ++way)
                results[slot(model, kind, child, way)] =
                    run(kModels[model], traits, seed, Way(way), child < kCheckedEveryDay);
        }
    };
    const unsigned n = std::max(1u, std::thread::hardware_concurrency());
    std::vector<std::thread> threads;
    for (unsigned i = 1; i < n; ++i)
        threads.emplace_back(work);
    work();
    for (std::thread &t : threads)
        t.join();
    return results;
}

// The figures of one kind's children in one way of asking.
struct Figures
{
    Figures(const Results &results, std::size_t model, std::size_t kind, int way)
    {
        QList<double> toAll, days, wrong, forgotten, notKnown;
        std::array<QList<double>, kWeekChecks.size()> week;
        for (int i = 0; i < kChildrenPerKind; ++i) {
            const Outcome &o = results[slot(model, kind, i, way)];
            toAll << o.questionsToAll;
            if (o.questionsToAll == kNotThere)
                ++notThere;
            else
                days << o.daysToAll;
            wrong << double(o.wrongFirst100);
            for (std::size_t w = 0; w < week.size(); ++w)
                week[w] << o.weekRecalled[w];
            forgotten << o.knownForgotten;
            notKnown << o.recalledNotKnown;
            disagreements += o.disagreements;
            letterDays += o.letterDays;
            mismatches += o.mismatches;
            askedAsleep += o.askedAsleep;
        }
        questionsToAll = Stats(toAll);
        daysToAll = Stats(days);
        wrongFirst100 = Stats(wrong);
        for (std::size_t w = 0; w < week.size(); ++w)
            weekRecalled[w] = Stats(week[w]);
        knownForgotten = Stats(forgotten);
        recalledNotKnown = Stats(notKnown);
    }
    Stats questionsToAll{{}};
    Stats daysToAll{{}};
    Stats wrongFirst100{{}};
    std::array<Stats, kWeekChecks.size()> weekRecalled{Stats{{}}, Stats{{}}, Stats{{}}};
    Stats knownForgotten{{}};
    Stats recalledNotKnown{{}};
    int notThere = 0;
    long disagreements = 0;
    long letterDays = 0;
    long mismatches = 0;
    long askedAsleep = 0;
};

std::string number(double v, const char *format = "%.0f")
{
    if (v == kNotThere)
        return "not there";
    char text[32];
    std::snprintf(text, sizeof text, format, v);
    return text;
}

std::string pair(const Stats &s, double q2 = 0.9)
{
    return number(s.median()) + " / " + number(s.at(q2));
}

const char *metText(bool met)
{
    return met ? "met" : "**not met**";
}

struct Goals
{
    bool average = false;       // median ≤ the contest's
    bool averageFirst = false;  // median ≤ 1.5 × the contest's
    std::string averageRatio;
    int slowThere = 0;
    bool slow = false;
    bool wrong = true;
    bool forgotten = true;
};

Goals report(const Results &results, std::size_t model)
{
    const Model &m = kModels[model];
    std::printf("\n### %s\n\n", m.name);
    std::printf("| Children | Figure |");
    for (const char *name : kWayNames)
        std::printf(" %s |", name);
    std::printf("\n|---|---|");
    for (int w = 0; w < kWays; ++w)
        std::printf("---|");
    std::printf("\n");
    std::fprintf(stderr, "\n%s\n", m.name);

    Goals goals;
    for (std::size_t kind = 0; kind < kKinds.size(); ++kind) {
        std::vector<Figures> f;
        for (int w = 0; w < kWays; ++w)
            f.emplace_back(results, model, kind, w);
        const char *name = kKinds[kind].name;
        const auto mdRow = [&](const char *figure, auto cell) {
            std::printf("| %s | %s |", name, figure);
            for (int w = 0; w < kWays; ++w)
                std::printf(" %s |", cell(f[std::size_t(w)], Way(w)).c_str());
            std::printf("\n");
        };
        mdRow("Questions until all 28 truly recalled a day later, median / p90 (not there in 90 days)",
              [](const Figures &x, Way) { return pair(x.questionsToAll) + " (" + number(x.notThere) + ")"; });
        mdRow("Letters truly recalled a week after 7 / 14 / 30 days, median",
              [](const Figures &x, Way) {
                  return number(x.weekRecalled[0].median()) + " / " + number(x.weekRecalled[1].median()) + " / "
                      + number(x.weekRecalled[2].median());
              });
        mdRow("… after 30 days, p10", [](const Figures &x, Way) { return number(x.weekRecalled[2].at(0.1)); });
        mdRow("Wrong clicks among the first 100, median / p90",
              [](const Figures &x, Way) { return pair(x.wrongFirst100); });
        mdRow("Known but forgotten after 30 days, median / p90", [](const Figures &x, Way w) {
            return w == Practice ? pair(x.knownForgotten) : std::string("–");
        });
        mdRow("isKnown() against the truth, days 1–30: letter-days that differ", [](const Figures &x, Way w) {
            return w == Practice ? number(100.0 * double(x.disagreements) / double(std::max(1L, x.letterDays)), "%.0f %%")
                                 : std::string("–");
        });

        std::fprintf(stderr, "  %s children\n", name);
        std::fprintf(stderr, "    %-50s", "");
        for (const char *way : kWayNames)
            std::fprintf(stderr, " %14s", way);
        std::fprintf(stderr, "\n");
        const auto line = [&](const char *what, auto cell) {
            std::fprintf(stderr, "    %-50s", what);
            for (int w = 0; w < kWays; ++w)
                std::fprintf(stderr, " %14s", cell(f[std::size_t(w)], Way(w)).c_str());
            std::fprintf(stderr, "\n");
        };
        line("questions until all 28 recalled, median", [](const Figures &x, Way) { return number(x.questionsToAll.median()); });
        line("  p90", [](const Figures &x, Way) { return number(x.questionsToAll.at(0.9)); });
        line("  p10", [](const Figures &x, Way) { return number(x.questionsToAll.at(0.1)); });
        line("  not there in 90 days", [](const Figures &x, Way) { return number(x.notThere); });
        line("days until all 28 recalled, median of those there",
             [](const Figures &x, Way) { return x.daysToAll.s.isEmpty() ? std::string("-") : number(x.daysToAll.median()); });
        for (std::size_t i = 0; i < kWeekChecks.size(); ++i) {
            const std::string what = "recalled a week after " + std::to_string(kWeekChecks[i]) + " days, median / p10";
            line(what.c_str(), [i](const Figures &x, Way) { return pair(x.weekRecalled[i], 0.1); });
        }
        line("wrong among the first 100 clicks, median / p90", [](const Figures &x, Way) { return pair(x.wrongFirst100); });
        line("known but forgotten after 30 days, median / p90",
             [](const Figures &x, Way w) { return w == Practice ? pair(x.knownForgotten) : std::string("-"); });
        line("recalled but not known after 30 days, median / p90",
             [](const Figures &x, Way w) { return w == Practice ? pair(x.recalledNotKnown) : std::string("-"); });
        const Figures &p = f[Practice];
        std::fprintf(stderr, "    practice's scheduler against one rebuilt from its history: %ld differences\n",
                     p.mismatches);
        for (int w = 0; w < kWays; ++w) {
            if (f[std::size_t(w)].askedAsleep > 0)
                std::fprintf(stderr, "    %s ASKED A LETTER THE CHILD COULD NOT CLICK %ld times\n",
                             kWayNames[std::size_t(w)], f[std::size_t(w)].askedAsleep);
        }

        const double contest = f[Contest].questionsToAll.median();
        const double practice = p.questionsToAll.median();
        if (int(kind) == kAverage) {
            goals.average = practice != kNotThere && practice <= contest;
            goals.averageFirst = practice != kNotThere && practice <= 1.5 * contest;
            goals.averageRatio = practice == kNotThere ? "practice not there"
                : contest == kNotThere                 ? "contest not there"
                                                       : number(practice / contest, "%.2f×");
        }
        if (int(kind) == kSlow) {
            goals.slowThere = kChildrenPerKind - p.notThere;
            goals.slow = goals.slowThere * 10 >= kChildrenPerKind * 9;
        }
        goals.wrong = goals.wrong && p.wrongFirst100.median() <= 12;
        goals.forgotten = goals.forgotten && p.knownForgotten.median() <= 1;
    }
    return goals;
}

void simulate()
{
    std::fprintf(stderr, "Simulated children, %d of each kind, %lld minutes of play a day, %d to %d days.\n",
                 kChildrenPerKind, (long long)(kSession / 60), kMinDays, kMaxDays);
    std::fprintf(stderr,
                 "Seeds: child i (0..%d) of a kind has seed S = kind's seed × 1000 + i (quick %llu, average %llu, "
                 "slow %llu); S draws h0, g, a and c; way w (0..4) clicks from (S × 8 + w) × 2, chooses from "
                 "(S × 8 + w) × 2 + 1.\n",
                 kChildrenPerKind - 1, (unsigned long long)kKinds[0].seed, (unsigned long long)kKinds[1].seed,
                 (unsigned long long)kKinds[2].seed);

    const auto started = Clock::now();
    const Results results = simulateAll();
    const double seconds = std::chrono::duration<double>(Clock::now() - started).count();

    std::array<double, kWays> share{};
    for (int w = 0; w < kWays; ++w)
        share[std::size_t(w)] = twoMostAskedShare(Way(w));

    std::printf("Practice against four other ways of asking, %d simulated children of each kind, 10 minutes a day, "
                "%d to %d days (seeds: quick %llu, average %llu, slow %llu; child i: seed × 1000 + i). "
                "\"Truly recalled\": the model's recall ≥ %.1f.\n",
                kChildrenPerKind, kMinDays, kMaxDays, (unsigned long long)kKinds[0].seed,
                (unsigned long long)kKinds[1].seed, (unsigned long long)kKinds[2].seed, kRecalled);
    std::vector<Goals> goals;
    for (std::size_t m = 0; m < kModels.size(); ++m)
        goals.push_back(report(results, m));

    std::printf("\n### A child always right at once, %d questions a day\n\n| Figure |", kAlwaysRightQuestions);
    for (const char *name : kWayNames)
        std::printf(" %s |", name);
    std::printf("\n|---|");
    for (int w = 0; w < kWays; ++w)
        std::printf("---|");
    std::printf("\n| Day %d's questions taken by its two most-asked letters |", kAlwaysRightDay);
    for (double s : share)
        std::printf(" %s |", number(100 * s, "%.0f %%").c_str());
    std::printf("\n");

    const bool spread = share[Practice] <= 0.25;
    std::printf("\n### Practice's goals\n\n| Model | Average child: questions until all 28 recalled, ÷ contest "
                "(≤ 1×; first step ≤ 1.5×) | Slow children there in 90 days (≥ 90 %%) | Wrong among the first 100, "
                "median ≤ 12, every kind | Known but forgotten after 30 days, median ≤ 1, every kind | Two "
                "most-asked letters ≤ 25 %% |\n|---|---|---|---|---|---|\n");
    for (std::size_t m = 0; m < kModels.size(); ++m) {
        const Goals &g = goals[m];
        const std::string first = g.average ? "met" : g.averageFirst ? "first step met" : "**not met**";
        std::printf("| %s | %s: %s | %d %%: %s | %s | %s | %s |\n", kModels[m].name, g.averageRatio.c_str(), first.c_str(),
                    g.slowThere * 100 / kChildrenPerKind, metText(g.slow), metText(g.wrong), metText(g.forgotten),
                    metText(spread));
    }
    std::fflush(stdout);
    std::fprintf(stderr, "\nTwo most-asked letters' share of day %d for the child always right:", kAlwaysRightDay);
    for (int w = 0; w < kWays; ++w)
        std::fprintf(stderr, " %s %.0f %%%s", kWayNames[std::size_t(w)], 100 * share[std::size_t(w)],
                     w + 1 < kWays ? "," : "\n");
    std::fprintf(stderr, "(%.1f s for the simulation, %u threads)\n", seconds,
                 std::max(1u, std::thread::hardware_concurrency()));
}

double micros(Clock::duration d)
{
    return std::chrono::duration<double, std::micro>(d).count();
}

void schedulerCost()
{
    // An average child of model (a) practises, day after day, until the
    // history holds kHistoryEvents answers.
    const Traits traits{kKinds[kAverage].h0, kKinds[kAverage].growth, kActA, kActC};
    Memory memory(kModels[0], traits);
    Rng rng(kCostSeed);
    Scheduler live;
    std::vector<Event> history;
    Days days;
    const auto play = [&](Scheduler &s, auto &&onClick) {
        if (days.firstQuestion()) {
            memory.beginDay(days.start());
            s.start();
        }
        const auto t0 = Clock::now();
        const int asked = s.next(days.tick(), days.today());
        Clock::duration spent = Clock::now() - t0;
        const std::int64_t end =
            answer(memory, asked, s.clickable(), days.tick(), days.today(), true, rng, [&](const Event &e) {
                const auto t1 = Clock::now();
                s.observe(e);
                spent += Clock::now() - t1;
                onClick(e);
            });
        if (days.answered(end))
            memory.endDay(end);
        return spent;
    };
    while (history.size() < kHistoryEvents)
        play(live, [&](const Event &e) { history.push_back(e); });

    QList<double> replayMs;
    Scheduler s;
    for (int i = 0; i < kReplays; ++i) {
        const auto t0 = Clock::now();
        s = replay(history);
        replayMs << std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
    }
    const bool same = sameState(live, s);

    QList<double> pairs;
    for (int q = 0; q < kTimedQuestions; ++q)
        pairs << micros(play(s, [](const Event &) {}));
    const Stats cost(pairs);
    const Stats rebuild(replayMs);

    std::fprintf(stderr,
                 "\nThe scheduler's cost: an average child's history (model (a), seed %llu) of %zu answers over %d "
                 "days, known %d of 28; the kept scheduler %s the one rebuilt from it.\n",
                 (unsigned long long)kCostSeed, history.size(), days.index(), live.knownCount(),
                 same ? "matches" : "DIFFERS FROM");
    std::fprintf(stderr, "  next() + its question's observe() calls, %d questions: p50 %.2f µs, p99 %.2f µs, "
                         "max %.2f µs (goal p99 < 1000 µs: %s)\n",
                 kTimedQuestions, cost.median(), cost.p99(), cost.max(), cost.p99() < 1000 ? "met" : "NOT MET");
    std::fprintf(stderr, "  replaying the %zu answers: median %.2f ms, min %.2f, max %.2f (%d replays; goal < 10 ms: %s)\n",
                 history.size(), rebuild.median(), rebuild.min(), rebuild.max(), kReplays,
                 rebuild.max() < 10 ? "met" : "NOT MET");

    std::printf("\nThe scheduler's cost after a history of %zu answers over %d days (seed %llu)\n\n",
                history.size(), days.index(), (unsigned long long)kCostSeed);
    std::printf("| Figure | Median | Min | Max | More | Goal | Met |\n");
    std::printf("|---|---|---|---|---|---|---|\n");
    row("Practice, UI-thread time of next() and the question's observe()", cost, "µs",
        QStringLiteral("p99 %1 µs, %2 questions").arg(cost.p99(), 0, 'f', 2).arg(kTimedQuestions), "p99 < 1 ms",
        cost.p99() < 1000);
    row("Practice, the history replayed (off the UI thread)", rebuild, "ms",
        QStringLiteral("%1 answers, %2 replays").arg(history.size()).arg(kReplays), "each < 10 ms",
        rebuild.max() < 10);
}

} // namespace

int main()
{
    simulate();
    schedulerCost();
    return 0;
}
