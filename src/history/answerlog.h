#pragma once

#include <QDateTime>

// One answer of the letters contest, as the contest judged it.
struct Answer
{
    enum class Order { Alphabetical, Random };

    QDateTime time;      // UTC
    int asked = 0;       // the letter asked, 1 ... 28 in alphabetical order
    int clicked = 0;     // the letter clicked, 1 ... 28
    bool right = false;
    int wrongTries = 0;  // wrong clicks on this question before this one
    double seconds = 0;  // since the question was first asked
    Order order = Order::Alphabetical; // of the board

    bool operator==(const Answer &) const = default;
};

// Where the contest keeps its answers. record() is called on the
// user-interface thread right after the answer's sound and marks, and must
// return at once.
class AnswerLog
{
public:
    virtual ~AnswerLog() = default;
    virtual void record(const Answer &answer) = 0;
};
