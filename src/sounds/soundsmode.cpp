#include "soundsmode.h"

#include <span>

SoundsMode::SoundsMode(ModeHost &host)
    : m_host(host)
    , m_cycle(host, *this)
{
}

// A new turn from its first syllable; the child's letters follow from the
// history, most often before the first question 5 seconds on.
void SoundsMode::enter()
{
    m_cycle.begin();
    m_asked = {};
    m_question = 0;
    newTurn();
    m_reader.read(m_host.answers(), [this](const NameTiers &tiers) { known(tiers); });
}

void SoundsMode::leave()
{
    m_reader.forget();
    m_asked = {};
}

void SoundsMode::tick()
{
    m_cycle.tick();
}

void SoundsMode::click(std::int16_t position)
{
    m_cycle.click(position);
}

void SoundsMode::newTurn()
{
    m_host.shuffle(0, kSyllableCount - 1, m_turn);
    m_next = 0;
    knownFirst(std::span(m_turn), m_tiers, [](std::int16_t n) { return syllable(n).letter; });
}

// What is still to come in this turn is asked in the child's order.
void SoundsMode::known(const NameTiers &tiers)
{
    m_tiers = tiers;
    knownFirst(std::span(m_turn).subspan(std::size_t(m_next)), m_tiers,
               [](std::int16_t n) { return syllable(n).letter; });
}

void SoundsMode::startQuestion()
{
    if (m_next >= kSyllableCount)
        newTurn();
    m_asked = syllable(m_turn[std::size_t(m_next++)]);
    ++m_question;
}

int SoundsMode::askedPosition() const
{
    return m_asked.letter >= 0 ? m_host.positionOf(m_asked.letter) : -1;
}

void SoundsMode::sayQuestion(ModeHost &host, int)
{
    host.play(recordingOf(m_asked));
}

void SoundsMode::answeredRight()
{
    m_asked = {};
}
