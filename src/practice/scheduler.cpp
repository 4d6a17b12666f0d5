#include "scheduler.h"

#include "letterfrequency.h"

#include <algorithm>
#include <map>

namespace practice {

namespace {

// Mistakes kept for the plan's "this week": far more than a week of play.
constexpr std::size_t kMistakesKept = 2000;
constexpr std::int64_t kWeek = 7 * 24 * 3600;

bool valid(int letter)
{
    return letter >= 0 && letter < kLetters;
}

} // namespace

const std::array<int, kLetters> &commonFirst()
{
    return kCommonFirstTable;
}

Scheduler::Scheduler(NewLetters order)
    : m_order(order)
{
}

void Scheduler::firstTry(Letter &letter, bool right, int day)
{
    letter.lastTwo = ((letter.lastTwo << 1) | (right ? 1u : 0u)) & 3u;
    letter.firsts = std::min(2, letter.firsts + 1);
    letter.lastFirstDay = day;
    if (!right) {
        // Known or not, it is learnt again: back in play, the count afresh.
        ++letter.firstTryWrongs;
        letter.rightsInARow = 0;
        letter.daysInARow = 0;
        letter.lastRightDay = -1;
        letter.known = false;
        letter.box = 0;
        return;
    }
    ++letter.rightsInARow;
    if (letter.lastRightDay != day)
        ++letter.daysInARow;
    letter.lastRightDay = day;
    if (letter.known) {
        // Asked before its day (a confusion's re-ask) moves nothing.
        if (day >= letter.dueDay) {
            letter.box = std::min(kTopBox, letter.box + 1);
            letter.dueDay = day + (1 << (letter.box - 1));
        }
    } else if (letter.rightsInARow >= kKnownRights && letter.daysInARow >= kKnownDays) {
        letter.known = true;
        letter.active = true;
        letter.box = 1;
        letter.dueDay = day + 1;
    }
}

void Scheduler::observe(const Event &event)
{
    if (!valid(event.asked) || !valid(event.clicked))
        return;
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
        m_wrongClicks.clear();
        asked.lastAsked = m_questions;
        asked.lastTime = event.time;
        ++asked.timesAsked;
        std::erase_if(m_pending, [&](const Pending &p) { return p.letter == event.asked; });
        firstTry(asked, event.right, event.day);
        // A letter the child shows it knows, in the contest too, is in play.
        if (asked.firsts == 2 && asked.lastTwo == 3u)
            asked.active = true;
    }
    if (!event.right) {
        if (event.asked == m_current)
            m_wrongClicks.push_back(event.clicked);
        m_mistakes.push_back({event.time, event.asked, event.clicked});
        if (m_mistakes.size() > kMistakesKept)
            m_mistakes.erase(m_mistakes.begin(), m_mistakes.begin() + std::ptrdiff_t(kMistakesKept / 4));
        return;
    }
    // Answered: a letter taken for another is taught, not only counted. The
    // letter asked comes back within the next 3 questions, the one clicked
    // within the next 5, neither as the very next.
    if (event.asked == m_current && asked.active) {
        // The latest confusion is taught in place of any still waiting: a
        // child who mixes many letters up would otherwise hear nothing but
        // re-asks.
        bool addedAsked = false;
        const auto taught = [&] {
            if (!addedAsked)
                m_pending.clear();
            addedAsked = true;
        };
        for (int clicked : m_wrongClicks) {
            if (clicked == event.asked || !m_letters[std::size_t(clicked)].active)
                continue;
            if (!addedAsked) {
                taught();
                m_pending.push_back({event.asked, m_questions + 2, m_questions + 3});
            }
            if (std::none_of(m_pending.begin(), m_pending.end(), [&](const Pending &p) { return p.letter == clicked; }))
                m_pending.push_back({clicked, m_questions + 2, m_questions + 5});
        }
    }
    m_wrongClicks.clear();
    m_current = -1;
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

// Every letter in play was right at the first try the last two times it was
// asked, the last of them today: the child is ready for one more.
bool Scheduler::readyForNew(int today) const
{
    // Not while kMostLearning letters are being learnt: with few letters a
    // guess is often right, and a letter among many is asked too seldom to
    // be remembered.
    const auto learning = std::count_if(m_letters.begin(), m_letters.end(),
                                        [](const Letter &l) { return l.active && !l.known; });
    if (learning >= kMostLearning)
        return false;
    return std::all_of(m_letters.begin(), m_letters.end(), [today](const Letter &l) {
        return !l.active || l.known || (l.firsts == 2 && l.lastTwo == 3u && l.lastFirstDay == today);
    });
}

bool Scheduler::due(const Letter &letter, int today) const
{
    return letter.known && letter.dueDay <= today;
}

int Scheduler::pick(int today) const
{
    const long question = m_questions + 1;
    // 1. A confusion to teach, the nearest deadline first.
    const Pending *teach = nullptr;
    for (const Pending &p : m_pending) {
        if (p.notBefore > question || (p.letter == m_last && p.deadline > question))
            continue;
        if (!teach || p.deadline < teach->deadline)
            teach = &p;
    }
    if (teach)
        return teach->letter;
    // 2. A known letter whose day has come, the longest overdue first.
    int best = -1;
    for (int k = 0; k < kLetters; ++k) {
        const Letter &l = m_letters[std::size_t(k)];
        if (k == m_last || !due(l, today))
            continue;
        const Letter *b = best < 0 ? nullptr : &m_letters[std::size_t(best)];
        if (!b || l.dueDay < b->dueDay || (l.dueDay == b->dueDay && l.lastAsked < b->lastAsked))
            best = k;
    }
    if (best >= 0)
        return best;
    // 3. A new letter, when the child is ready for one.
    if (readyForNew(today)) {
        const int k = nextToEnter();
        if (k >= 0)
            return k;
    }
    // 4. The letter in play asked longest ago.
    for (int k = 0; k < kLetters; ++k) {
        const Letter &l = m_letters[std::size_t(k)];
        if (k == m_last || !l.active || l.known)
            continue;
        if (best < 0 || l.lastAsked < m_letters[std::size_t(best)].lastAsked)
            best = k;
    }
    if (best >= 0)
        return best;
    // 5. Nothing to learn and nothing due: the known letter nearest its day.
    for (int k = 0; k < kLetters; ++k) {
        const Letter &l = m_letters[std::size_t(k)];
        if (k == m_last || !l.active)
            continue;
        const Letter *b = best < 0 ? nullptr : &m_letters[std::size_t(best)];
        if (!b || l.dueDay < b->dueDay || (l.dueDay == b->dueDay && l.lastAsked < b->lastAsked))
            best = k;
    }
    return best >= 0 ? best : m_last;
}

int Scheduler::next(std::int64_t, int today)
{
    start();
    int k = pick(today);
    if (k < 0)
        k = nextToEnter();
    if (k < 0)
        k = 0;
    enter(k);
    m_last = k;
    return k;
}

LetterSet Scheduler::active() const
{
    LetterSet set;
    for (int k = 0; k < kLetters; ++k)
        set[std::size_t(k)] = m_letters[std::size_t(k)].active;
    return set;
}

int Scheduler::knownCount() const
{
    return int(std::count_if(m_letters.begin(), m_letters.end(), [](const Letter &l) { return l.known; }));
}

Plan Scheduler::plan(std::int64_t now, int today) const
{
    Plan plan;
    plan.active = active();
    plan.known = knownCount();
    plan.next = nextToEnter();
    // This week's confusions, by letter: the letter it went with most.
    std::array<std::map<int, int>, kLetters> partners;
    for (const Mistake &m : m_mistakes) {
        if (now - m.time > kWeek || m.asked == m.clicked)
            continue;
        ++partners[std::size_t(m.asked)][m.clicked];
        ++partners[std::size_t(m.clicked)][m.asked];
    }
    for (int k = 0; k < kLetters; ++k) {
        const Letter &l = m_letters[std::size_t(k)];
        if (!l.active)
            continue;
        PlanEntry entry;
        entry.letter = k;
        if (l.known) {
            if (!due(l, today))
                continue;
            entry.why = PlanEntry::Why::Due;
            entry.days = l.lastFirstDay < 0 ? 0 : today - l.lastFirstDay;
            plan.due.push_back(entry);
            continue;
        }
        const auto &with = partners[std::size_t(k)];
        const auto most = std::max_element(with.begin(), with.end(),
                                           [](const auto &a, const auto &b) { return a.second < b.second; });
        if (most != with.end()) {
            entry.why = PlanEntry::Why::Confused;
            entry.other = most->first;
            entry.times = most->second;
        } else if (l.firsts == 0) {
            entry.why = PlanEntry::Why::New;
        } else if ((l.lastTwo & 1u) == 0) {
            entry.why = PlanEntry::Why::Missed;
        } else {
            entry.why = PlanEntry::Why::Practising;
            entry.times = l.rightsInARow;
            entry.days = l.daysInARow;
        }
        plan.inPlay.push_back(entry);
    }
    return plan;
}

} // namespace practice
