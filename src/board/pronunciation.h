#pragma once

#include "board/mode.h"

// Pronunciation: a click on a letter plays its recording, and changes
// nothing else. No questions, no ticks.
class PronunciationMode final : public Mode
{
public:
    explicit PronunciationMode(ModeHost &host);

    void enter() override {}
    void click(std::int16_t position) override;

private:
    ModeHost &m_host;
};
