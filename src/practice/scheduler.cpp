#include "scheduler.h"

#include "families.h"
#include "letterfrequency.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <map>

namespace practice {

namespace {

constexpr std::int64_t kDay = 24 * 3600;
constexpr std::int64_t kWeek = 7 * kDay;
// How far ahead of the computer's time an answer may be dated and still be
// taken at its word (a clock a little fast, another time zone).
constexpr std::int64_t kClockSlack = 6 * 3600;
// Mistakes kept for the plan's "this week": far more than a week of play.
constexpr std::size_t kMistakesKept = 2000;

// The child's pace before its answers say otherwise, and the bounds its
// fitted pace stays within.
constexpr double kStartHalfLife = 20;
constexpr double kLeastFirstHalfLife = 15;
constexpr double kMostFirstHalfLife = 6 * 3600;
constexpr double kStartGrowth = 1.0;
constexpr double kLeastGrowth = 0.25;
constexpr double kMostGrowth = 4.0;
// How far one answer moves the fitted pace (on a log scale).
constexpr double kFitRate = 0.2;
// A miss shortens it to this part; a letter clicked for another, to this.
constexpr double kMissed = 0.5;
constexpr double kTakenForAnother = 0.7;
constexpr double kLeastHalfLife = 10;
// A new letter waits while more than this many of the last kRecent first
// clicks were wrong.
constexpr int kRecent = 8;
constexpr int kRecentWrongs = 1;

bool valid(int letter)
{
    return letter >= 0 && letter < kLetters;
}

constexpr std::array<int, kLetters> familyTable()
{
    std::array<int, kLetters> table{};
    table.fill(-1);
    for (std::size_t f = 0; f < kFamilies.size(); ++f) {
        for (int k : kFamilies[f]) {
            if (k >= 0)
                table[std::size_t(k)] = int(f);
        }
    }
    return table;
}

constexpr std::array<int, kLetters> kFamilyOf = familyTable();

double recallAfter(double halfLife, double seconds)
{
    return halfLife > 0 ? std::exp2(-seconds / halfLife) : 0.0;
}

} // namespace

const std::array<int, kLetters> &commonFirst()
{
    return kCommonFirstTable;
}

int family(int letter)
{
    return valid(letter) ? kFamilyOf[std::size_t(letter)] : -1;
}

Scheduler::Scheduler(NewLetters order)
    : m_order(order)
    , m_firstHalfLife(kStartHalfLife)
    , m_growth(kStartGrowth)
{
}

// Time since the letter was last heard. A time ahead of `now` (a clock
// that was wrong then, or is wrong now) counts as a day ago: never as
// today, so that a wrong date cannot put a letter off.
std::int64_t Scheduler::elapsed(const Letter &letter, std::int64_t now) const
{
    return letter.lastSeen > now ? kDay : now - letter.lastSeen;
}

double Scheduler::recall(int k, std::int64_t now) const
{
    if (!valid(k))
        return 0;
    const Letter &l = m_letters[std::size_t(k)];
    return l.seen ? recallAfter(l.halfLife, double(elapsed(l, now))) : 0.0;
}

// The first click of a question on `letter`: how well the child recalled
// it tells how good the estimate was, and the question that follows (the
// letter heard and marked) lengthens or shortens its half-life.
void Scheduler::firstTry(Letter &l, const Event &event)
{
    const bool right = event.right;
    m_recent = (m_recent << 1) | (right ? 1u : 0u);
    m_recentCount = std::min(kRecent, m_recentCount + 1);
    ++l.timesAsked;
    l.lastFirstRight = right;
    if (right)
        ++l.firstTryRights;
    else
        ++l.firstTryWrongs;

    if (!l.seen) {
        // Never heard here before: in practice, a letter met alone; in the
        // contest, a right click among all 28 is worth counting.
        l.seen = true;
        l.halfLife = m_firstHalfLife;
        l.rightsInARow = right && !event.practice ? 1 : 0;
        return;
    }

    // A clock put back counts as no time passing.
    const double gap = double(std::max<std::int64_t>(0, event.time - l.lastSeen));
    const double p = recallAfter(l.halfLife, gap);
    const double surprise = (right ? 1.0 : 0.0) - p;
    // The child's pace, fitted: a letter's first retrieval tells how long a
    // letter heard once is kept; later ones how much a retrieval adds.
    if (l.timesAsked == 2)
        m_firstHalfLife = std::clamp(m_firstHalfLife * std::exp(kFitRate * surprise), kLeastFirstHalfLife, kMostFirstHalfLife);
    else
        m_growth = std::clamp(m_growth * std::exp(kFitRate * surprise), kLeastGrowth, kMostGrowth);

    if (!right) {
        // Missed: half as long. (Asking it again within the session after
        // a miss, whatever its half-life, costs the benchmark's children of
        // the spacing model a day and teaches those of the other nothing
        // more: the answer was just heard.)
        l.halfLife = std::max(kLeastHalfLife, l.halfLife * kMissed);
        l.rightsInARow = 0;
        l.known = false;
        l.recalledAfterADay = 0;
        return;
    }
    ++l.rightsInARow;
    // How likely the click was recalled rather than guessed among the
    // letters it could be.
    const double guess = event.practice ? 1.0 / double(std::max<std::size_t>(1, active().count())) : 1.0 / kLetters;
    const double recalled = p / (p + (1 - p) * guess);
    // Recalled as it was fading teaches the most; recalled right after it
    // was heard, almost nothing (the spacing effect).
    const double lengthening = 1 + m_growth * recalled * std::min(1.0, (1 - p) / (1 - kTarget));
    // Recalled after a gap, the memory lasted that long, whatever the
    // estimate said (unless the click was a guess): a letter the estimate
    // had given up overnight is not kept at minutes.
    l.halfLife = std::max(l.halfLife * lengthening, gap * (1 - guess));
    if (gap >= double(kRetentionDelay))
        ++l.recalledAfterADay;
    if (l.recalledAfterADay >= kKnownRecalls && recallAfter(l.halfLife, double(kDay)) >= kKnownRecall) {
        l.known = true;
        l.active = true;
    }
}

void Scheduler::setNow(std::int64_t now)
{
    m_now = now;
}

void Scheduler::observe(const Event &given)
{
    if (!valid(given.asked) || !valid(given.clicked))
        return;
    Event event = given;
    if (event.time > m_now + kClockSlack)
        event.time = m_now - kDay;
    Letter &asked = m_letters[std::size_t(event.asked)];
    if (event.practice) {
        // Practice asks and takes clicks on letters in play only.
        asked.active = true;
        m_letters[std::size_t(event.clicked)].active = true;
    }
    if (event.wrongTries == 0) {
        ++m_questions;
        m_current = event.asked;
        m_last = event.asked;
        asked.lastAsked = m_questions;
        firstTry(asked, event);
        // A letter the child shows it knows, in the contest too, is in play.
        if (asked.rightsInARow >= 2)
            asked.active = true;
    }
    asked.lastSeen = event.time;
    if (event.right) {
        m_current = -1;
        if (event.asked == m_asking)
            m_asking = -1;
        return;
    }
    m_mistakes.push_back({event.time, event.asked, event.clicked});
    if (m_mistakes.size() > kMistakesKept)
        m_mistakes.erase(m_mistakes.begin(), m_mistakes.begin() + std::ptrdiff_t(kMistakesKept / 4));
    // The letter clicked for the one asked is not as sure as it seemed: it
    // comes back sooner, and both then at growing gaps as they are right.
    Letter &clicked = m_letters[std::size_t(event.clicked)];
    if (event.clicked != event.asked && event.asked == m_current && clicked.seen && clicked.active)
        clicked.halfLife = std::max(kLeastHalfLife, clicked.halfLife * kTakenForAnother);
}

void Scheduler::enter(int letter)
{
    m_letters[std::size_t(letter)].active = true;
}

int Scheduler::nextToEnter() const
{
    for (int i = 0; i < kLetters; ++i) {
        const int k = m_order == NewLetters::Common ? commonFirst()[std::size_t(i)] : i;
        if (!m_letters[std::size_t(k)].active)
            return k;
    }
    return -1;
}

void Scheduler::start()
{
    int active = int(this->active().count());
    for (int k = nextToEnter(); active < kFirstLetters && k >= 0; k = nextToEnter(), ++active)
        enter(k);
}

bool Scheduler::isDue(const Letter &l, std::int64_t now) const
{
    return l.active && (!l.seen || recallAfter(l.halfLife, double(elapsed(l, now))) < kTarget);
}

// Nothing is due (the caller knows), and the child has been right lately.
bool Scheduler::readyForNew() const
{
    const unsigned mask = (1u << m_recentCount) - 1u;
    const int wrongs = m_recentCount - std::popcount(m_recent & mask);
    return wrongs <= kRecentWrongs;
}

int Scheduler::pick(std::int64_t now) const
{
    const long question = m_questions + 1;
    const auto tooSoon = [&](int k) {
        const Letter &l = m_letters[std::size_t(k)];
        return k == m_last || (l.lastAsked >= 0 && question - l.lastAsked <= kMinGap);
    };
    // A letter of the same shape as the one just asked, each of them
    // learnt, is asked beside it: told apart side by side.
    const auto besideItsLookAlike = [&](int k) {
        return m_last >= 0 && family(k) >= 0 && family(k) == family(m_last) && m_letters[std::size_t(k)].rightsInARow >= 2
            && m_letters[std::size_t(m_last)].rightsInARow >= 2;
    };

    // 1. A letter on the board never asked; then the letters due, in the
    // order they fell due (a letter just missed falls due again within
    // seconds, and comes back before those forgotten overnight are
    // through); a look-alike of the letter just asked, as if due half a
    // minute sooner.
    int best = -1;
    double soonest = 0;
    bool anyDue = false;
    for (int k = 0; k < kLetters; ++k) {
        const Letter &l = m_letters[std::size_t(k)];
        if (!isDue(l, now))
            continue;
        anyDue = true;
        if (tooSoon(k))
            continue;
        const double due = l.seen ? double(l.lastSeen) + l.halfLife * std::log2(1 / kTarget) - (besideItsLookAlike(k) ? 30.0 : 0.0)
                                  : -1e300;
        if (best < 0 || due < soonest) {
            best = k;
            soonest = due;
        }
    }
    if (best >= 0)
        return best;
    // 2. Nothing due: a new letter, when the child is ready for one.
    if (!anyDue && readyForNew()) {
        const int k = nextToEnter();
        if (k >= 0)
            return k;
    }
    // 3. Nothing to learn now: the letters on the board in turn, the one
    // asked longest ago first. Asked early, a letter moves little in its
    // estimate, so a choice by recall would ask the same few again and
    // again.
    for (int k = 0; k < kLetters; ++k) {
        const Letter &l = m_letters[std::size_t(k)];
        if (!l.active || tooSoon(k))
            continue;
        if (best < 0 || l.lastAsked < m_letters[std::size_t(best)].lastAsked)
            best = k;
    }
    if (best >= 0)
        return best;
    // 4. Fewer letters on the board than the gap: the one asked longest
    // ago but the last.
    for (int k = 0; k < kLetters; ++k) {
        const Letter &l = m_letters[std::size_t(k)];
        if (!l.active || k == m_last)
            continue;
        if (best < 0 || l.lastAsked < m_letters[std::size_t(best)].lastAsked)
            best = k;
    }
    return best >= 0 ? best : m_last;
}

int Scheduler::next(std::int64_t now, int)
{
    m_now = now;
    start();
    int k = pick(now);
    if (k < 0)
        k = nextToEnter();
    if (k < 0)
        k = 0;
    enter(k);
    m_last = k;
    m_asking = k;
    m_choices = choicesFor(k, now);
    return k;
}

LetterSet Scheduler::active() const
{
    LetterSet set;
    for (int k = 0; k < kLetters; ++k)
        set[std::size_t(k)] = m_letters[std::size_t(k)].active;
    return set;
}

LetterSet Scheduler::clickable() const
{
    return m_asking >= 0 ? m_choices : active();
}

// The letters to choose among for a question on letter k: k alone the
// first time; then k and a few of the letters on the board the child
// remembers best, twice as many at each right first click in a row, until
// the whole board.
LetterSet Scheduler::choicesFor(int k, std::int64_t now) const
{
    const Letter &asked = m_letters[std::size_t(k)];
    LetterSet choices;
    choices.set(std::size_t(k));
    if (!asked.seen)
        return choices;
    const int others = asked.rightsInARow >= 5 ? kLetters : 1 << asked.rightsInARow;
    std::vector<std::pair<double, int>> board;
    for (int j = 0; j < kLetters; ++j) {
        if (j != k && m_letters[std::size_t(j)].active)
            board.push_back({recall(j, now), j});
    }
    if (int(board.size()) <= others)
        return active();
    std::stable_sort(board.begin(), board.end(), [](const auto &a, const auto &b) { return a.first > b.first; });
    for (int i = 0; i < others; ++i)
        choices.set(std::size_t(board[std::size_t(i)].second));
    return choices;
}

int Scheduler::knownCount() const
{
    return int(std::count_if(m_letters.begin(), m_letters.end(), [](const Letter &l) { return l.known; }));
}

Plan Scheduler::plan(std::int64_t now, int) const
{
    Plan plan;
    plan.active = active();
    plan.known = knownCount();
    plan.next = nextToEnter();
    // This week's confusions, by letter: the letter it went with most, and
    // which of the two was asked.
    std::array<std::map<std::pair<int, int>, int>, kLetters> partners;
    for (const Mistake &m : m_mistakes) {
        if (now - m.time > kWeek || m.time > now || m.asked == m.clicked)
            continue;
        ++partners[std::size_t(m.asked)][{m.clicked, m.asked}];
        ++partners[std::size_t(m.clicked)][{m.asked, m.asked}];
    }
    for (int k = 0; k < kLetters; ++k) {
        const Letter &l = m_letters[std::size_t(k)];
        plan.knownLetters[std::size_t(k)] = l.known;
        if (!l.active)
            continue;
        PlanEntry entry;
        entry.letter = k;
        if (l.known) {
            if (!isDue(l, now))
                continue;
            entry.why = PlanEntry::Why::Due;
            entry.days = int(elapsed(l, now) / kDay);
            plan.due.push_back(entry);
            continue;
        }
        const auto &with = partners[std::size_t(k)];
        const auto most = std::max_element(with.begin(), with.end(),
                                           [](const auto &a, const auto &b) { return a.second < b.second; });
        if (most != with.end()) {
            entry.why = PlanEntry::Why::Confused;
            entry.other = most->first.first;
            entry.asked = most->first.second;
            entry.times = most->second;
        } else if (l.timesAsked == 0) {
            entry.why = PlanEntry::Why::New;
        } else if (!l.lastFirstRight) {
            entry.why = PlanEntry::Why::Missed;
        } else {
            entry.why = PlanEntry::Why::Learning;
            entry.times = l.rightsInARow;
        }
        plan.inPlay.push_back(entry);
    }
    return plan;
}

} // namespace practice
