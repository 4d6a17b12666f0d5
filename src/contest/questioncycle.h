#pragma once

#include "board/mode.h"

#include <QElapsedTimer>

#include <cstdint>

// What a mode that asks questions tells the question cycle: what it asks,
// and what it does as its questions move on.
class Questions
{
public:
    virtual ~Questions() = default;

    // A tick is starting a new question: the first one, the next after a
    // right answer, or one in place of a question given up.
    virtual void startQuestion() {}
    // The board position asked now, -1 for none; and the question number
    // shown while it is asked.
    virtual int askedPosition() const = 0;
    virtual int questionNumber() const = 0;
    // Says the question asked at `position`, at every tick: the recording
    // of the letter shown there, unless the mode asks by another sound.
    virtual void sayQuestion(ModeHost &host, int position) { host.playLetterAt(position); }
    // The question under way was answered right, before its answer is kept.
    virtual void answeredRight() {}
    // A judged answer, once the history has it.
    virtual void kept(const Answer &) {}
    // Whose answers the history says they are.
    virtual Answer::Mode answerMode() const = 0;
    // Whether an answer is marked in the results panel too, or only by the
    // answer pictures and sounds (a mode that shows something else there).
    virtual bool marksInResultsPanel() const { return true; }
};

// The question cycle the contest and practice share. Every tick asks the
// question under way again (its recording, its number, the right-answer
// mark on its button, and only on it), or a new one once the last was
// answered right; a click on the board while a question is pending is an
// answer: marked right or wrong in the results panel and by the answer
// pictures and sounds, and kept. The question moves on only with a right
// answer, and is asked at the next tick.
class QuestionCycle
{
public:
    static constexpr int kQuestionPeriodMs = 5000;

    QuestionCycle(ModeHost &host, Questions &questions);

    // A new start: question number 1, no button the answer until the first
    // question has been heard, no wrong tries, and the first question 5
    // seconds on.
    void begin();
    void tick();
    void click(std::int16_t position);

    // The right-answer mark on board position `position` alone; -1: on none.
    void markOnly(int position);
    // The question under way is given up: no answer until the next tick,
    // which asks a new one.
    void dropQuestion();

    // Wrong clicks on the current question, 0..32767.
    std::int16_t wrongTries() const { return m_wrongTries; }

private:
    bool questionPending() const;
    void markRight(std::int16_t position);
    void markWrong(std::int16_t position);
    void keepAnswer(int askedLetter, int clickedLetter, bool right, int wrongTriesBefore);

    ModeHost &m_host;
    Questions &m_questions;
    std::int16_t m_wrongTries = 0;
    // Whether a question has been asked and not yet answered right, and
    // since when it is asked, for the history.
    bool m_underWay = false;
    QElapsedTimer m_asked;
};
