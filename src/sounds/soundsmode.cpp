#include "soundsmode.h"

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
    m_turn.begin(m_host, kSyllableCount);
    m_reader.read(m_host.answers(), [this](const NameTiers &tiers) { m_turn.setTiers(tiers); });
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

void SoundsMode::startQuestion()
{
    m_asked = syllable(std::int16_t(m_turn.next(m_host)));
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
