// Practice against the contest, on simulated children: the answers a child
// gives until it knows all 28 letters (by the practice scheduler's own
// measure), its wrong answers at the start, how long a letter waits unasked
// and what the child truly recalls by then; then the scheduler's cost on the
// UI thread after 50,000 answers. bench/README describes the child.
//
// The figures as a markdown table go to stdout; the same figures, the seeds
// and the checks, laid out for reading, go to stderr.
#include "board/shuffle.h"
#include "platform/timeofday.h"
#include "practice/scheduler.h"

#include "stats.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

namespace {

using practice::Event;
using practice::kLetters;
using practice::LetterSet;
using practice::Scheduler;
using Clock = std::chrono::steady_clock;

constexpr int kChildrenPerKind = 100;
constexpr int kMaxDays = 200;
constexpr std::int64_t kDaySeconds = 24 * 3600;
constexpr std::int64_t kSession = 600; // seconds of play a day
constexpr std::int64_t kTick = 5;      // the question timer
constexpr std::int64_t kTry = 2;       // one click of the child
constexpr int kFirstDay = 19723;       // 2024-01-01, in days since the epoch
constexpr std::int64_t kPlayAt = 17 * 3600;
// Children whose practice scheduler is checked against one rebuilt from
// their history every day; every child's is checked at its run's end.
constexpr int kCheckedEveryDay = 3;

// The scheduler's cost: a history of more than a year's answers, then timed
// questions.
constexpr std::size_t kHistoryEvents = 50000;
constexpr int kTimedQuestions = 10000;
constexpr int kReplays = 5;
constexpr std::uint64_t kCostSeed = 4004;

struct Kind
{
    const char *name;
    double h0;
    double growth;
    std::uint64_t seed;
};

constexpr std::array<Kind, 3> kKinds = {{
    {"quick", 120, 3, 1001},
    {"average", 60, 2, 2002},
    {"slow", 30, 1.5, 3003},
}};

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
    double h0;
    double growth;
};

std::uint64_t childSeed(const Kind &kind, int i)
{
    return kind.seed * 1000 + std::uint64_t(i);
}

// h0 and the growth each within ±20 % of the kind's.
Traits traitsOf(const Kind &kind, int i)
{
    Rng rng(childSeed(kind, i));
    const double h0 = kind.h0 * (0.8 + 0.4 * rng.uniform());
    const double growth = kind.growth * (0.8 + 0.4 * rng.uniform());
    return {h0, growth};
}

// What the child remembers of each letter, and how it answers. It recalls a
// letter seen Δ seconds ago with p = 2^(-Δ/h); it learns from each answer's
// sound and marks, once the question ends.
class Child
{
public:
    explicit Child(Traits traits)
        : m_traits(traits)
    {
    }

    double recall(int k, double now) const
    {
        const Memory &m = m_memory[std::size_t(k)];
        return m.seen ? std::exp2(-(now - m.lastSeen) / m.h) : 0.0;
    }

    double meanRecall(double now) const
    {
        double sum = 0;
        for (int k = 0; k < kLetters; ++k)
            sum += recall(k, now);
        return sum / kLetters;
    }

    // Clicks until the right letter, kTry seconds a click, each click told
    // to onClick as the history keeps it; returns the time of the right one.
    template <class OnClick>
    std::int64_t answer(int asked, LetterSet clickable, std::int64_t askedAt, int day, bool practising, Rng &rng,
                        OnClick &&onClick)
    {
        // A "no" teaches nothing new: the child tries again as sure as before.
        const double p = recall(asked, double(askedAt + kTry));
        LetterSet tried;
        bool firstRecognised = false;
        bool firstRight = false;
        std::int64_t t = askedAt;
        for (int wrong = 0;; ++wrong) {
            t += kTry;
            const bool recognised = rng.uniform() < p;
            const int clicked = recognised ? asked : guess(asked, clickable, tried, rng);
            const bool right = clicked == asked;
            if (wrong == 0) {
                firstRecognised = recognised;
                firstRight = right;
            }
            onClick(Event{t, day, asked, clicked, right, wrong, practising});
            if (right)
                break;
            tried.set(std::size_t(clicked));
        }
        learn(asked, t, firstRecognised, firstRight);
        return t;
    }

private:
    struct Memory
    {
        bool seen = false;
        double h = 0;
        double lastSeen = 0;
    };

    // A letter on the board not tried yet; the asked letter's shape family
    // four times as likely as the rest, when another of it is on the board.
    int guess(int asked, LetterSet clickable, LetterSet tried, Rng &rng) const
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

    void learn(int asked, std::int64_t now, bool firstRecognised, bool firstRight)
    {
        Memory &m = m_memory[std::size_t(asked)];
        if (!m.seen) {
            m.seen = true;
            m.h = m_traits.h0;
        } else if (firstRecognised) {
            m.h *= m_traits.growth;
        } else if (!firstRight) {
            m.h = std::max(m_traits.h0, m.h / 2);
        }
        m.lastSeen = double(now);
    }

    Traits m_traits;
    std::array<Memory, kLetters> m_memory{};
};

// The question timer over days of kSession seconds' play: the first
// question kTick after the mode is chosen, the next at the first tick after
// the right answer; a question asked before the session's end is finished.
class Days
{
public:
    int index() const { return m_index; }
    int today() const { return kFirstDay + m_index; }
    std::int64_t tick() const { return m_tick; }
    bool firstQuestion() const { return m_tick == start() + kTick; }

    void answered(std::int64_t at)
    {
        m_tick += kTick * ((at - m_tick) / kTick + 1);
        if (m_tick >= start() + kSession) {
            ++m_index;
            m_tick = start() + kTick;
        }
    }

private:
    std::int64_t start() const { return std::int64_t(today()) * kDaySeconds + kPlayAt; }

    int m_index = 0;
    std::int64_t m_tick = std::int64_t(kFirstDay) * kDaySeconds + kPlayAt + kTick;
};

// The most questions a letter went unasked while on the board, counted from
// its first ask; a wait still running counts too.
class Waits
{
public:
    void question(int asked, LetterSet clickable, LetterSet known)
    {
        for (int k = 0; k < kLetters; ++k) {
            const auto i = std::size_t(k);
            if (k == asked || !m_asked[i] || !clickable[i])
                continue;
            m_longest = std::max(m_longest, ++m_any[i]);
            if (!known[i])
                m_longestInPlay = std::max(m_longestInPlay, ++m_inPlay[i]);
        }
        const auto a = std::size_t(asked);
        m_asked[a] = true;
        m_any[a] = 0;
        m_inPlay[a] = 0;
    }
    long longest() const { return m_longest; }
    long longestInPlay() const { return m_longestInPlay; }

private:
    LetterSet m_asked;
    std::array<long, kLetters> m_any{};
    std::array<long, kLetters> m_inPlay{};
    long m_longest = 0;
    long m_longestInPlay = 0;
};

bool sameLetter(const practice::Letter &a, const practice::Letter &b)
{
    return a.active == b.active && a.known == b.known && a.box == b.box && a.dueDay == b.dueDay
        && a.rightsInARow == b.rightsInARow && a.daysInARow == b.daysInARow && a.lastRightDay == b.lastRightDay
        && a.lastTwo == b.lastTwo && a.firsts == b.firsts && a.lastFirstDay == b.lastFirstDay
        && a.lastAsked == b.lastAsked && a.lastTime == b.lastTime && a.timesAsked == b.timesAsked
        && a.firstTryWrongs == b.firstTryWrongs;
}

Scheduler replay(const std::vector<Event> &history)
{
    Scheduler s;
    for (const Event &e : history)
        s.observe(e);
    return s;
}

// The kept scheduler against one rebuilt from the history, as the window
// rebuilds it: every letter alike, and the same next question.
bool sameAsReplayed(const Scheduler &kept, const std::vector<Event> &history, std::int64_t now, int today)
{
    Scheduler rebuilt = replay(history);
    for (int k = 0; k < kLetters; ++k) {
        if (!sameLetter(kept.letter(k), rebuilt.letter(k)))
            return false;
    }
    Scheduler copy = kept;
    return copy.next(now, today) == rebuilt.next(now, today);
}

enum class Mode { Contest, Practice };

struct Outcome
{
    bool there = false;     // all 28 known within kMaxDays
    long answers = 0;       // until then, or over kMaxDays
    int days = 0;           // days played until then
    long wrongFirst100 = 0; // wrong answers among the first 100
    long longestWait = 0;   // questions, any letter on the board
    long longestWaitInPlay = 0; // questions, a letter on the board not known
    double trueRecall = 0;  // the child's mean recall then
    long questions = 0;
    // Not there: what the scheduler counted known and in play, and the
    // child's mean recall, at the end of the last day.
    int knownAtEnd = 0;
    int inPlayAtEnd = 0;
    double recallAtEnd = 0;
    long mismatches = 0;    // days the kept scheduler differed from the rebuilt
};

// One child in one mode until the scheduler (practice's own, or one
// observing the contest) counts all 28 letters known. The contest is chosen
// afresh each day; practice keeps its scheduler from day to day, which the
// check against a replay of the history shows to be the same.
Outcome run(Traits traits, std::uint64_t seed, Mode mode, bool checkEveryDay)
{
    const bool practising = mode == Mode::Practice;
    Child child(traits);
    Rng rng(seed * 2 + (practising ? 1 : 0));
    Scheduler scheduler;
    std::vector<Event> history;
    std::array<std::int16_t, kLetters> quizOrder{};
    int quizPos = 0;
    MersenneUnitRandom random;
    Waits waits;
    Days days;
    Outcome out;
    while (!out.there && days.index() < kMaxDays) {
        if (days.firstQuestion()) {
            if (!practising) {
                const double ms = double(kPlayAt) * 1000 + std::floor(rng.uniform() * 3600000.0);
                FixedTimeOfDay clock(float(ms / 1000));
                shuffleRange(0, 27, quizOrder, random, clock);
                quizPos = 0;
            } else if (checkEveryDay && !sameAsReplayed(scheduler, history, days.tick(), days.today())) {
                ++out.mismatches;
            }
        }
        int asked = 0;
        LetterSet clickable;
        if (practising) {
            asked = scheduler.next(days.tick(), days.today());
            clickable = scheduler.active();
        } else {
            asked = quizOrder[std::size_t(quizPos)];
            clickable.set();
        }
        LetterSet known;
        for (int k = 0; k < kLetters; ++k)
            known[std::size_t(k)] = scheduler.isKnown(k);
        waits.question(asked, clickable, known);
        ++out.questions;
        const std::int64_t end =
            child.answer(asked, clickable, days.tick(), days.today(), practising, rng, [&](const Event &e) {
                scheduler.observe(e);
                if (practising)
                    history.push_back(e);
                ++out.answers;
                if (!e.right && out.answers <= 100)
                    ++out.wrongFirst100;
                out.there = out.there || scheduler.knownCount() == kLetters;
            });
        if (out.there) {
            out.trueRecall = child.meanRecall(double(end));
            out.days = days.index() + 1;
        }
        if (!practising)
            quizPos = quizPos >= 27 ? 0 : quizPos + 1;
        days.answered(end);
        if (!out.there) {
            out.knownAtEnd = scheduler.knownCount();
            out.inPlayAtEnd = int(scheduler.active().count()) - out.knownAtEnd;
            out.recallAtEnd = child.meanRecall(double(end));
        }
    }
    if (!out.there)
        out.days = kMaxDays;
    out.longestWait = waits.longest();
    out.longestWaitInPlay = waits.longestInPlay();
    if (practising && !sameAsReplayed(scheduler, history, days.tick(), days.today()))
        ++out.mismatches;
    return out;
}

struct Figures
{
    explicit Figures(const std::vector<Outcome> &outcomes)
    {
        QList<double> a, d, w, wait, waitInPlay, recall, perDay, knownEnd, inPlayEnd, recallEnd;
        for (const Outcome &o : outcomes) {
            a << double(o.answers);
            d << double(o.days);
            perDay << double(o.questions) / o.days;
            w << double(o.wrongFirst100);
            wait << double(o.longestWait);
            waitInPlay << double(o.longestWaitInPlay);
            if (o.there) {
                recall << o.trueRecall;
            } else {
                ++notThere;
                knownEnd << o.knownAtEnd;
                inPlayEnd << o.inPlayAtEnd;
                recallEnd << o.recallAtEnd;
            }
            mismatches += o.mismatches;
        }
        answers = Stats(a);
        daysPlayed = Stats(d);
        wrong = Stats(w);
        longestWait = Stats(wait);
        longestWaitInPlay = Stats(waitInPlay);
        trueRecall = Stats(recall);
        questionsADay = Stats(perDay);
        knownAtEnd = Stats(knownEnd);
        inPlayAtEnd = Stats(inPlayEnd);
        recallAtEnd = Stats(recallEnd);
    }
    Stats answers{{}};
    Stats daysPlayed{{}};
    Stats wrong{{}};
    Stats longestWait{{}};
    Stats longestWaitInPlay{{}};
    Stats trueRecall{{}};
    Stats questionsADay{{}};
    Stats knownAtEnd{{}};
    Stats inPlayAtEnd{{}};
    Stats recallAtEnd{{}};
    int notThere = 0;
    long mismatches = 0;
};

std::string ratio(double practice, double contest)
{
    if (contest <= 0)
        return "–";
    char text[32];
    std::snprintf(text, sizeof text, "%.2f×", practice / contest);
    return text;
}

std::string recallText(const Figures &f)
{
    if (f.trueRecall.s.isEmpty())
        return "– (none there)";
    char text[64];
    std::snprintf(text, sizeof text, "%.2f (min %.2f)", f.trueRecall.median(), f.trueRecall.min());
    return text;
}

// In play means on practice's board; the contest puts every letter there.
std::string endText(const Figures &f, bool practising)
{
    if (f.notThere == 0)
        return "–";
    char text[64];
    if (practising)
        std::snprintf(text, sizeof text, "%.0f / %.0f / %.2f", f.knownAtEnd.median(), f.inPlayAtEnd.median(),
                      f.recallAtEnd.median());
    else
        std::snprintf(text, sizeof text, "%.0f / – / %.2f", f.knownAtEnd.median(), f.recallAtEnd.median());
    return text;
}

void simulate()
{
    std::fprintf(stderr, "Simulated children, %d of each kind, %lld minutes of play a day, at most %d days.\n",
                 kChildrenPerKind, (long long)(kSession / 60), kMaxDays);
    std::fprintf(stderr, "Seeds: child i (0..%d) of a kind has seed S = kind's seed × 1000 + i (quick %llu, average %llu, "
                         "slow %llu); S draws its h0 and growth, S × 2 its contest, S × 2 + 1 its practice.\n",
                 kChildrenPerKind - 1, (unsigned long long)kKinds[0].seed, (unsigned long long)kKinds[1].seed,
                 (unsigned long long)kKinds[2].seed);

    std::printf("Practice against the contest, %d simulated children of each kind, 10 minutes a day, at most %d days "
                "(seeds: quick %llu, average %llu, slow %llu; child i: seed × 1000 + i)\n\n",
                kChildrenPerKind, kMaxDays, (unsigned long long)kKinds[0].seed, (unsigned long long)kKinds[1].seed,
                (unsigned long long)kKinds[2].seed);
    std::printf("| Children | Figure | Contest | Practice | Practice ÷ contest | Goal | Met |\n");
    std::printf("|---|---|---|---|---|---|---|\n");

    const auto started = Clock::now();
    for (const Kind &kind : kKinds) {
        std::vector<Outcome> contest, practice;
        for (int i = 0; i < kChildrenPerKind; ++i) {
            const Traits traits = traitsOf(kind, i);
            contest.push_back(run(traits, childSeed(kind, i), Mode::Contest, false));
            practice.push_back(run(traits, childSeed(kind, i), Mode::Practice, i < kCheckedEveryDay));
        }
        const Figures c(contest), p(practice);
        const bool answersMet = p.answers.median() <= 0.5 * c.answers.median();
        const bool wrongMet = p.wrong.median() <= 0.5 * c.wrong.median();

        std::fprintf(stderr, "\n%s children: h0 %.0f s, growth ×%.1f, each within ±20 %%\n", kind.name, kind.h0,
                     kind.growth);
        std::fprintf(stderr, "  %-52s %16s %16s %10s\n", "", "contest", "practice", "ratio");
        // A figure over no children (none there, or all there) is shown as -.
        const auto line = [](const char *what, const Stats &cs, const Stats &ps, double q, const char *format,
                             bool withRatio = true) {
            char a[32] = "-", b[32] = "-";
            if (!cs.s.isEmpty())
                std::snprintf(a, sizeof a, format, cs.at(q));
            if (!ps.s.isEmpty())
                std::snprintf(b, sizeof b, format, ps.at(q));
            const std::string r = withRatio && !cs.s.isEmpty() && !ps.s.isEmpty() ? ratio(ps.at(q), cs.at(q)) : "";
            std::fprintf(stderr, "  %-52s %16s %16s %10s\n", what, a, b, r.c_str());
        };
        line("answers until all 28 known, median", c.answers, p.answers, 0.5, "%.0f");
        line("answers until all 28 known, p90", c.answers, p.answers, 0.9, "%.0f");
        line("children not there in 200 days", Stats({double(c.notThere)}), Stats({double(p.notThere)}), 0, "%.0f");
        line("days until all 28 known, median", c.daysPlayed, p.daysPlayed, 0.5, "%.0f");
        line("questions a day, median", c.questionsADay, p.questionsADay, 0.5, "%.1f");
        line("wrong answers among the first 100, median", c.wrong, p.wrong, 0.5, "%.0f");
        line("wrong answers among the first 100, p90", c.wrong, p.wrong, 0.9, "%.0f");
        line("longest wait unasked on the board, max (questions)", c.longestWait, p.longestWait, 1, "%.0f");
        line("longest wait unasked on the board, p90", c.longestWait, p.longestWait, 0.9, "%.0f");
        line("  letters not yet known alone, max", c.longestWaitInPlay, p.longestWaitInPlay, 1, "%.0f");
        line("  letters not yet known alone, p90", c.longestWaitInPlay, p.longestWaitInPlay, 0.9, "%.0f");
        line("true mean recall when all 28 known, median", c.trueRecall, p.trueRecall, 0.5, "%.2f", false);
        line("true mean recall when all 28 known, p10", c.trueRecall, p.trueRecall, 0.1, "%.2f", false);
        line("true mean recall when all 28 known, min", c.trueRecall, p.trueRecall, 0, "%.2f", false);
        line("not there: letters known at the end, median", c.knownAtEnd, p.knownAtEnd, 0.5, "%.0f", false);
        line("not there: letters in play at the end, median", Stats({}), p.inPlayAtEnd, 0.5, "%.0f", false);
        line("not there: true mean recall at the end, median", c.recallAtEnd, p.recallAtEnd, 0.5, "%.2f", false);
        std::fprintf(stderr, "  practice's scheduler against one rebuilt from its history: %ld differences\n",
                     p.mismatches);
        std::fprintf(stderr, "  goal (practice ≤ 0.5× the contest's median answers and wrong answers): %s\n",
                     answersMet && wrongMet ? "PASS" : "FALL SHORT");

        const auto mdRow = [&](const char *figure, const std::string &a, const std::string &b, const std::string &r,
                               const char *goal, const char *met) {
            std::printf("| %s | %s | %s | %s | %s | %s | %s |\n", kind.name, figure, a.c_str(), b.c_str(), r.c_str(),
                        goal, met);
        };
        const auto num = [](double v) {
            char text[32];
            std::snprintf(text, sizeof text, "%.0f", v);
            return std::string(text);
        };
        const auto pair = [](double a, double b) {
            char text[48];
            std::snprintf(text, sizeof text, "%.0f / %.0f", a, b);
            return std::string(text);
        };
        mdRow("Answers until all 28 known, median / p90", pair(c.answers.median(), c.answers.at(0.9)),
              pair(p.answers.median(), p.answers.at(0.9)), ratio(p.answers.median(), c.answers.median()),
              "median ≤ 0.5×", answersMet ? "yes" : "**no**");
        mdRow("Not there in 200 days (counted as 200 days' answers)", num(c.notThere), num(p.notThere), "–", "",
              "");
        mdRow("Days until all 28 known, median", num(c.daysPlayed.median()), num(p.daysPlayed.median()),
              ratio(p.daysPlayed.median(), c.daysPlayed.median()), "", "");
        mdRow("Questions a day, median", num(c.questionsADay.median()), num(p.questionsADay.median()), "–", "", "");
        mdRow("Wrong among the first 100 answers, median / p90", pair(c.wrong.median(), c.wrong.at(0.9)),
              pair(p.wrong.median(), p.wrong.at(0.9)), ratio(p.wrong.median(), c.wrong.median()), "median ≤ 0.5×",
              wrongMet ? "yes" : "**no**");
        mdRow("Longest wait unasked on the board, max / p90 (questions)",
              pair(c.longestWait.max(), c.longestWait.at(0.9)), pair(p.longestWait.max(), p.longestWait.at(0.9)),
              "–", "", "");
        mdRow("… of a letter not yet known, max / p90",
              pair(c.longestWaitInPlay.max(), c.longestWaitInPlay.at(0.9)),
              pair(p.longestWaitInPlay.max(), p.longestWaitInPlay.at(0.9)), "–", "", "");
        mdRow("True mean recall when all 28 known, median (min)", recallText(c), recallText(p), "–", "", "");
        mdRow("Not there: letters known / in play / true mean recall at the end, median", endText(c, false), endText(p, true), "–",
              "", "");
        mdRow("Goal", "", "", "", "both ≤ 0.5×", answersMet && wrongMet ? "PASS" : "**FALL SHORT**");
    }
    std::fprintf(stderr, "\n(%.1f s for the simulation)\n",
                 std::chrono::duration<double>(Clock::now() - started).count());
}

double micros(Clock::duration d)
{
    return std::chrono::duration<double, std::micro>(d).count();
}

void schedulerCost()
{
    // An average child's practice, day after day, until the history holds
    // kHistoryEvents answers.
    const Traits traits{kKinds[1].h0, kKinds[1].growth};
    Child child(traits);
    Rng rng(kCostSeed);
    Scheduler live;
    std::vector<Event> history;
    Days days;
    while (history.size() < kHistoryEvents) {
        const int asked = live.next(days.tick(), days.today());
        days.answered(child.answer(asked, live.active(), days.tick(), days.today(), true, rng, [&](const Event &e) {
            live.observe(e);
            history.push_back(e);
        }));
    }

    QList<double> replayMs;
    Scheduler s;
    for (int i = 0; i < kReplays; ++i) {
        const auto t0 = Clock::now();
        s = replay(history);
        replayMs << std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
    }
    const bool same = sameAsReplayed(live, history, days.tick(), days.today());

    QList<double> pairs;
    for (int q = 0; q < kTimedQuestions; ++q) {
        const auto t0 = Clock::now();
        const int asked = s.next(days.tick(), days.today());
        Clock::duration spent = Clock::now() - t0;
        days.answered(child.answer(asked, s.active(), days.tick(), days.today(), true, rng, [&](const Event &e) {
            const auto t1 = Clock::now();
            s.observe(e);
            spent += Clock::now() - t1;
        }));
        pairs << micros(spent);
    }
    const Stats cost(pairs);
    const Stats rebuild(replayMs);

    std::fprintf(stderr, "\nThe scheduler's cost: an average child's history (seed %llu) of %zu answers over %d days, "
                         "known %d of 28; the kept scheduler %s the one rebuilt from it.\n",
                 (unsigned long long)kCostSeed, history.size(), days.index(), live.knownCount(),
                 same ? "matches" : "DIFFERS FROM");
    std::fprintf(stderr, "  next() + its question's observe() calls, %d questions: p50 %.2f µs, p99 %.2f µs, "
                         "max %.2f µs (goal p99 < 1000 µs: %s)\n",
                 kTimedQuestions, cost.median(), cost.p99(), cost.max(), cost.p99() < 1000 ? "met" : "NOT MET");
    std::fprintf(stderr, "  replaying the %zu answers: median %.2f ms, min %.2f, max %.2f (%d replays)\n",
                 history.size(), rebuild.median(), rebuild.min(), rebuild.max(), kReplays);

    std::printf("\nThe scheduler's cost after a history of %zu answers over %d days (seed %llu)\n\n",
                history.size(), days.index(), (unsigned long long)kCostSeed);
    std::printf("| Figure | Median | Min | Max | More | Goal | Met |\n");
    std::printf("|---|---|---|---|---|---|---|\n");
    row("Practice, UI-thread time of next() and the question's observe()", cost, "µs",
        QStringLiteral("p99 %1 µs, %2 questions").arg(cost.p99(), 0, 'f', 2).arg(kTimedQuestions), "p99 < 1 ms",
        cost.p99() < 1000);
    row("Practice, the history replayed (off the UI thread)", rebuild, "ms",
        QStringLiteral("%1 answers, %2 replays").arg(history.size()).arg(kReplays), "(reported)", true);
}

} // namespace

int main()
{
    simulate();
    schedulerCost();
    return 0;
}
