#pragma once

#include "history/answerlog.h"
#include "practice/scheduler.h"

// An answer of the history as practice reads it: letters from 0, the day
// in the computer's own calendar.
inline practice::Event practiceEvent(const Answer &answer)
{
    practice::Event event;
    event.time = answer.time.toSecsSinceEpoch();
    event.day = int(answer.time.toLocalTime().date().toJulianDay());
    event.asked = answer.asked - 1;
    event.clicked = answer.clicked - 1;
    event.right = answer.right;
    event.wrongTries = answer.wrongTries;
    event.practice = answer.mode == Answer::Mode::Practice;
    return event;
}

// Whether an answer says what the child knows of a letter's name: the
// contest's and practice's. A syllable or a word asks something else.
inline bool byName(const Answer &answer)
{
    return answer.mode == Answer::Mode::Contest || answer.mode == Answer::Mode::Practice;
}

// A scheduler that has seen a child's answers by name, oldest first, read
// at `now` (seconds since the epoch): answers dated later come from a
// wrong clock.
inline practice::Scheduler replayed(const QList<Answer> &answers, bool alphabetical, std::int64_t now)
{
    practice::Scheduler scheduler(alphabetical ? practice::NewLetters::Alphabetical : practice::NewLetters::Common);
    scheduler.setNow(now);
    for (const Answer &answer : answers) {
        if (byName(answer))
            scheduler.observe(practiceEvent(answer));
    }
    return scheduler;
}
