#pragma once

#include "board/mode.h"
#include "contest/questioncycle.h"

#include <array>
#include <cstdint>

// The contest's own variables. quizOrder has 29 elements, indexes 0 to 28;
// only 0 to 27 are ever written, element 28 keeps its initial value.
struct ContestState
{
    static constexpr int kSize = 29;

    // quizOrder[n]: the board position asked as question n; all 0 until the
    // first contest, a permutation of 0..27 from then on.
    std::array<std::int16_t, kSize> quizOrder{};
    // The current question, 0..27: quizOrder[quizPos] is asked now.
    std::int16_t quizPos = 0;
};

// The letters contest: the board positions of a shuffled sequence asked in
// turn, each until it is answered right, with no end: after the 28th the
// same sequence again. The question is a position, not a letter: a board
// put in another order asks the letter now shown there.
class ContestMode final : public Mode, private Questions
{
public:
    explicit ContestMode(ModeHost &host);

    void enter() override;
    void tick() override;
    void click(std::int16_t position) override;

    const ContestState &state() const { return m_state; }
    std::int16_t wrongTries() const { return m_cycle.wrongTries(); }

private:
    void ShuffleQuiz(std::int16_t first, std::int16_t last);

    int askedPosition() const override;
    int questionNumber() const override;
    void answeredRight() override;
    Answer::Mode answerMode() const override { return Answer::Mode::Contest; }

    ModeHost &m_host;
    ContestState m_state;
    QuestionCycle m_cycle;
};
