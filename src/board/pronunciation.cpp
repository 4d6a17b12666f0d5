#include "pronunciation.h"

PronunciationMode::PronunciationMode(ModeHost &host)
    : m_host(host)
{
}

void PronunciationMode::click(std::int16_t position)
{
    m_host.playLetterAt(position);
}
