#pragma once

#include <QDateTime>
#include <QList>

#include <functional>

// One answer of a mode that asks (the contest, practice, the letters'
// sounds, the letter in a word), as it was judged.
struct Answer
{
    enum class Order { Alphabetical, Random };
    // Contest and Practice ask a letter by its name; Sounds by a syllable
    // of it, Words by a word with it.
    enum class Mode { Contest, Practice, Sounds, Words };

    QDateTime time;      // UTC
    int asked = 0;       // the letter asked, 1 ... 28 in alphabetical order
    int clicked = 0;     // the letter clicked, 1 ... 28
    bool right = false;
    int wrongTries = 0;  // wrong clicks on this question before this one
    double seconds = 0;  // since the question was first asked
    Order order = Order::Alphabetical; // of the board
    Mode mode = Mode::Contest;

    bool operator==(const Answer &) const = default;
};

// What practice reads back: the answers of the child playing now, oldest
// first, and how that child's new letters are ordered.
struct Recalled
{
    QList<Answer> answers;
    bool alphabetical = false;
};

// Where the contest and practice keep their answers. record() is called on
// the user-interface thread right after the answer's sound and marks, and
// must return at once.
class AnswerLog
{
public:
    virtual ~AnswerLog() = default;
    virtual void record(const Answer &answer) = 0;
    // Reads back the answers of the child playing now, every answer
    // recorded before this call among them, and hands them to `done`,
    // which may run on another thread; nothing when they cannot be read. A
    // log that keeps nothing hands over nothing at once.
    virtual void recall(std::function<void(Recalled)> done) { done({}); }
};
