#pragma once

#include <array>
#include <bitset>
#include <limits>
#include <cstdint>
#include <vector>

// The practice of the letters: which letter to ask next, worked out from
// the child's answers alone. Plain C++, no windows, no store: the history's
// answers are replayed into it, the answers of the session are told to it
// as they come, and the same code runs in the child's window, the progress
// window's plan and the simulation benchmark.
//
// For each letter it keeps an estimate of the child's memory of it: a
// half-life, so that the chance the child recalls the letter falls as
// 2^(-elapsed / half-life) since the letter was last heard. Each question
// ends with the letter heard and marked; its first click tells how good
// the estimate was and how much the question taught. Practice asks the
// letter whose recall is due to fall under kTarget, brings a new letter in
// when nothing is due and the child has been right lately, and calls a
// letter known only once the child has recalled it after a day or more.
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

// The look-alike family of a letter (letters sharing a shape, told apart by
// their dots): a number shared by its members, or -1 for a letter of a
// shape of its own.
int family(int letter);

// Letters a child with no history starts with.
inline constexpr int kFirstLetters = 3;
// The chance of recall at which a letter is asked again.
inline constexpr double kTarget = 0.9;
// How long a letter must have been away for a right first click to show it
// is remembered, not just heard: a day, less a few hours, so that a child
// who plays a little earlier than the day before is counted.
inline constexpr std::int64_t kRetentionDelay = 20 * 3600;
// A letter is called known once it was recalled after kRetentionDelay on
// kKnownRecalls occasions with no miss since (one could be a lucky guess),
// and its estimated recall a day after it was last heard is at least
// kKnownRecall.
inline constexpr int kKnownRecalls = 2;
inline constexpr double kKnownRecall = 0.8;
// A letter is not asked again before this many other questions, unless no
// other letter is on the board.
inline constexpr int kMinGap = 4;

// What practice knows of one letter.
struct Letter
{
    bool active = false;        // on the board: in play or known
    bool known = false;         // recalled after a day away, not missed since
    bool seen = false;          // heard as a question's answer at least once
    double halfLife = 0;        // seconds; the estimate of the child's memory
    std::int64_t lastSeen = 0;  // when it was last heard as an answer
    long lastAsked = -1;        // the question number it was last asked at
    int timesAsked = 0;
    int firstTryRights = 0;     // ever
    int firstTryWrongs = 0;     // ever
    bool lastFirstRight = false;
    int rightsInARow = 0;       // right at the first try since its last miss
    int recalledAfterADay = 0;  // right first clicks after a day away since its last miss
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
        New,          // in play, not yet asked
        Confused,     // clicked for another, or another for it, this week
        Missed,       // wrong at its last first try
        Learning,     // right lately, not yet recalled after a day away
        Due,          // known, its recall has fallen: to be asked again now
    } why = Why::New;
    int other = -1;   // Confused: the letter most often clicked for it, or it for
    int asked = -1;   // Confused: of `other` and `letter`, the one that was asked
    int times = 0;    // Confused: how often this week; Learning: rights in a row
    int days = 0;     // Due: whole days since it was last heard
};

struct Plan
{
    std::vector<PlanEntry> inPlay; // being learnt
    std::vector<PlanEntry> due;    // known, to be asked again now
    int next = -1;                 // the next letter to enter, -1 when all are in
    int known = 0;
    LetterSet knownLetters;
    LetterSet active;
};

class Scheduler
{
public:
    explicit Scheduler(NewLetters order = NewLetters::Common);

    // An answer of either mode, the oldest first. Answers of letters
    // outside 0..27 are ignored. Times need not rise: a clock put back
    // counts as no time passing.
    void observe(const Event &event);

    // The time now, as the computer tells it. Answers dated later than that
    // by more than a few hours come from a clock that was wrong: they count
    // as given a day before now, never as today or later, so that no date
    // can put a letter off. next() moves it on.
    void setNow(std::int64_t now);

    // Puts the first letters in play when practice starts with fewer.
    void start();

    // The letter to ask now (and the question it starts); may put a new
    // letter in play. `now` in seconds since the epoch.
    int next(std::int64_t now, int today);

    // The letters on the board: in play or known.
    LetterSet active() const;
    // The letters the child can answer the question under way with: the
    // letters on the board, or, when a letter is asked for the very first
    // time, that letter alone, so that the child meets it by finding it
    // rather than by guessing among the others.
    LetterSet clickable() const;
    bool isKnown(int letter) const { return m_letters.at(std::size_t(letter)).known; }
    int knownCount() const;
    const Letter &letter(int k) const { return m_letters.at(std::size_t(k)); }
    // The estimated chance that the child recalls letter k at `now`; 0 for
    // a letter never heard.
    double recall(int k, std::int64_t now) const;

    // What a grown-up is shown: `now` for "this week" and what is due.
    Plan plan(std::int64_t now, int today) const;

private:
    void enter(int letter);
    int nextToEnter() const;
    bool readyForNew() const;
    void firstTry(Letter &letter, const Event &event);
    std::int64_t elapsed(const Letter &letter, std::int64_t now) const;
    int pick(std::int64_t now) const;
    bool isDue(const Letter &letter, std::int64_t now) const;
    LetterSet choicesFor(int k, std::int64_t now) const;

    NewLetters m_order;
    std::array<Letter, kLetters> m_letters{};
    // Questions answered so far (each counted at its first try).
    long m_questions = 0;
    // The letter asked last.
    int m_last = -1;
    // The question under way, for the confusion rule.
    int m_current = -1;
    // The letter next() last gave, while it has not been answered right.
    int m_asking = -1;
    LetterSet m_choices;
    // The child's own pace, fitted from its answers: the half-life a letter
    // starts with once heard, and how much a first click right at kTarget
    // lengthens it (a factor of 1 + m_growth).
    double m_firstHalfLife;
    double m_growth;
    // The last first clicks, newest in bit 0, and how many of them count.
    unsigned m_recent = 0;
    int m_recentCount = 0;
    std::int64_t m_now = std::numeric_limits<std::int64_t>::max() / 2; // see setNow()
    std::vector<Mistake> m_mistakes; // the latest last
};

} // namespace practice
