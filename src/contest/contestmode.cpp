#include "contestmode.h"

ContestMode::ContestMode(ModeHost &host)
    : m_host(host)
    , m_cycle(host, *this)
{
}

// A new contest every time it is chosen: a new sequence from its first
// question, asked 5 seconds on. The wrong tries and right-answer marks of an
// earlier contest do not count in it.
void ContestMode::enter()
{
    ShuffleQuiz(0, 27);
    m_state.quizPos = 0;
    m_cycle.begin();
}

void ContestMode::tick()
{
    m_cycle.tick();
}

void ContestMode::click(std::int16_t position)
{
    m_cycle.click(position);
}

void ContestMode::ShuffleQuiz(std::int16_t first, std::int16_t last)
{
    m_host.shuffle(first, last, m_state.quizOrder);
}

int ContestMode::askedPosition() const
{
    return m_state.quizOrder[m_state.quizPos];
}

int ContestMode::questionNumber() const
{
    return m_state.quizPos + 1;
}

// On to the next position of the sequence, from the 28th back to the first.
void ContestMode::answeredRight()
{
    m_state.quizPos = m_state.quizPos >= 27 ? 0 : std::int16_t(m_state.quizPos + 1);
}
