#pragma once

#include <array>
#include <bitset>
#include <cstdint>
#include <vector>

// The practice of the letters: which letter to ask next, worked out from
// the child's answers alone. Plain C++, no windows, no store: the history's
// answers are replayed into it, the answers of the session are told to it
// as they come, and the same code runs in the child's window, the progress
// window's plan and the simulation benchmark.
//
// Letters are 0..27 in alphabetical order (أ to ي).
namespace practice {

inline constexpr int kLetters = 28;

using LetterSet = std::bitset<kLetters>;

// One judged answer, as the history keeps it.
struct Event
{
    std::int64_t time = 0; // seconds since the epoch
    int day = 0;           // the local calendar day it was given on (a day number)
    int asked = 0;         // 0..27
    int clicked = 0;       // 0..27
    bool right = false;
    int wrongTries = 0;    // wrong clicks on this question before this one
    bool practice = false; // given in practice, not in the contest
};

// The order new letters enter in.
enum class NewLetters { Common, Alphabetical };

// The letters from the most to the least common in Arabic text.
const std::array<int, kLetters> &commonFirst();

// Letters a child with no history starts with.
inline constexpr int kFirstLetters = 3;
// At most this many letters are learnt at once: no new letter enters
// while as many, not yet known, are in play.
inline constexpr int kMostLearning = 5;
// A letter is known after this many right answers at the first try in a
// row, given on at least kKnownDays different days.
inline constexpr int kKnownRights = 3;
inline constexpr int kKnownDays = 2;
// Review boxes: a known letter in box b comes back after 2^(b-1) days.
inline constexpr int kTopBox = 6;

// What practice knows of one letter.
struct Letter
{
    bool active = false;     // on the board: in play or known
    bool known = false;
    int box = 0;             // 1..kTopBox once known
    int dueDay = 0;          // known: the day it is to be asked again
    int rightsInARow = 0;    // right at the first try since its last wrong first try
    int daysInARow = 0;      // different days among them
    int lastRightDay = -1;
    // The last two first tries, newest in bit 0; firsts counts up to 2.
    unsigned lastTwo = 0;
    int firsts = 0;
    int lastFirstDay = -1;
    long lastAsked = -1;     // the question number it was last asked at
    std::int64_t lastTime = 0;
    int timesAsked = 0;
    int firstTryWrongs = 0;  // ever
};

// A letter clicked for another.
struct Mistake
{
    std::int64_t time = 0;
    int asked = 0;
    int clicked = 0;
};

// Why a letter is where the plan puts it.
struct PlanEntry
{
    int letter = 0;
    enum class Why {
        New,          // entered and not yet answered right twice in a row
        Confused,     // clicked for another, or another for it, this week
        Missed,       // wrong at its last first try
        Practising,   // right lately, not yet on enough days
        Due,          // known, its review day has come
    } why = Why::New;
    int other = -1;   // Confused: the letter it was taken for or with
    int times = 0;    // Confused: how often this week; Practising: rights in a row
    int days = 0;     // Practising: on how many days; Due: days since last asked
};

struct Plan
{
    std::vector<PlanEntry> inPlay; // being learnt
    std::vector<PlanEntry> due;    // known, to be asked again now
    int next = -1;                 // the next letter to enter, -1 when all are in
    int known = 0;
    LetterSet active;
};

class Scheduler
{
public:
    explicit Scheduler(NewLetters order = NewLetters::Common);

    // An answer of either mode, the oldest first. Answers of letters
    // outside 0..27 are ignored.
    void observe(const Event &event);

    // Puts the first letters in play when practice starts with fewer.
    void start();

    // The letter to ask now (and the question it starts); may put a new
    // letter in play. `today` is the local day number.
    int next(std::int64_t now, int today);

    // The letters on the board: in play or known.
    LetterSet active() const;
    bool isKnown(int letter) const { return m_letters.at(std::size_t(letter)).known; }
    int knownCount() const;
    const Letter &letter(int k) const { return m_letters.at(std::size_t(k)); }

    // What a grown-up is shown: `now` for "this week", `today` for what is
    // due.
    Plan plan(std::int64_t now, int today) const;

private:
    struct Pending
    {
        int letter = 0;
        long notBefore = 0;
        long deadline = 0;
    };

    void enter(int letter);
    int nextToEnter() const;
    bool readyForNew(int today) const;
    void firstTry(Letter &letter, bool right, int day);
    bool due(const Letter &letter, int today) const;
    int pick(int today) const;

    NewLetters m_order;
    std::array<Letter, kLetters> m_letters{};
    // Questions answered so far (each counted at its first try).
    long m_questions = 0;
    // The letter asked last, so that it is not asked twice in a row.
    int m_last = -1;
    // Wrong clicks of the question under way, for the confusion rule.
    std::vector<int> m_wrongClicks;
    int m_current = -1;
    std::vector<Pending> m_pending;
    std::vector<Mistake> m_mistakes; // the latest first
};

} // namespace practice
