#pragma once

#include "board/mode.h"
#include "contest/knownbyname.h"
#include "contest/questioncycle.h"
#include "sounds/syllables.h"

#include <vector>
#include <cstdint>

// The letters' sounds: the contest's questions, marks and sounds, each
// question a syllable (a letter with fatha, kasra or damma) said until the
// child clicks its letter. All 84 are asked in a shuffled turn, the letters
// the child knows by name first, then those it is learning, then the rest;
// then a new turn.
class SoundsMode final : public Mode, private Questions
{
public:
    explicit SoundsMode(ModeHost &host);

    void enter() override;
    void leave() override;
    void tick() override;
    void click(std::int16_t position) override;

    // The syllable asked now; letter -1 before the first tick and from a
    // right answer to the next tick.
    Syllable asked() const { return m_asked; }
    // The turn, in the order it is asked.
    const std::vector<std::int16_t> &turn() const { return m_turn.order(); }

private:
    void startQuestion() override;
    int askedPosition() const override;
    int questionNumber() const override { return m_question; }
    void sayQuestion(ModeHost &host, int position) override;
    void answeredRight() override;
    Answer::Mode answerMode() const override { return Answer::Mode::Sounds; }

    ModeHost &m_host;
    QuestionCycle m_cycle;
    KnownByName m_reader;
    // The syllables by number.
    KnownFirstTurn m_turn{[](std::int16_t n) { return syllable(n).letter; }};
    Syllable m_asked;
    int m_question = 0;
};
