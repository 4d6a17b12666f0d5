#pragma once

#include "board/mode.h"
#include "contest/questioncycle.h"

#include <QList>
#include <QObject>

#include <memory>

namespace practice {
class Scheduler;
}

// Practice: the contest's questions, marks and sounds, asking the letters
// the child is learning, chosen from what its answers say. The letters not
// yet in play sleep on the board in their places; a click on one is no
// answer.
class PracticeMode final : public QObject, public Mode, private Questions
{
public:
    explicit PracticeMode(ModeHost &host);
    ~PracticeMode() override;

    void enter() override;
    void leave() override;
    void tick() override;
    void click(std::int16_t position) override;
    void boardMoved() override;

    // Its letters while it is the mode chosen; null otherwise.
    const practice::Scheduler *scheduler() const { return m_practice.get(); }
    // The letter asked now; -1 before the first tick and from a right
    // answer to the next tick.
    int asked() const { return m_asked; }

private:
    void recalled(quint64 session, practice::Scheduler fromHistory);
    void showLettersInPlay();

    void startQuestion() override;
    int askedPosition() const override;
    int questionNumber() const override { return m_question; }
    void answeredRight() override;
    void kept(const Answer &answer) override;
    Answer::Mode answerMode() const override { return Answer::Mode::Practice; }

    ModeHost &m_host;
    QuestionCycle m_cycle;
    // While chosen: the scheduler, the letter asked, the number of the
    // question, the answers given since it was chosen (replayed after the
    // history's), and which choice a reading of the history belongs to.
    std::unique_ptr<practice::Scheduler> m_practice;
    int m_asked = -1;
    int m_question = 0;
    QList<Answer> m_since;
    bool m_recalled = false;
    quint64 m_session = 0;
};
