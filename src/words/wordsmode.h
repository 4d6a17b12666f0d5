#pragma once

#include "board/mode.h"
#include "contest/knownbyname.h"
#include "contest/questioncycle.h"
#include "words/wordtable.h"

#include <functional>
#include <optional>
#include <vector>

// The letter in a word: each question shows a word's picture and its
// vowelled word, the letter asked in another colour, and says the word;
// the child clicks that letter on the board. Marked right or wrong by the
// contest's pictures and sounds; the word stands where the results panel
// would, which stays hidden. The words come in a shuffled turn, those of
// the letters the child knows by name first; then a new turn.
class WordsMode final : public Mode, private Questions
{
public:
    // Reads the word table, when the mode is first chosen.
    using Loader = std::function<WordTable()>;

    WordsMode(ModeHost &host, Loader load);
    // The program's: words.rcc beside the program.
    explicit WordsMode(ModeHost &host);

    void enter() override;
    void leave() override;
    void tick() override;
    void click(std::int16_t position) override;

    // The word asked now, none before the first tick and from a right
    // answer to the next tick; the words read, empty until first chosen.
    const Word *asked() const { return m_asked >= 0 ? &m_words[std::size_t(m_asked)] : nullptr; }
    const std::vector<Word> &words() const { return m_words; }

private:
    void startQuestion() override;
    int askedPosition() const override;
    int questionNumber() const override { return m_question; }
    void sayQuestion(ModeHost &host, int position) override;
    void answeredRight() override;
    Answer::Mode answerMode() const override { return Answer::Mode::Words; }
    bool marksInResultsPanel() const override { return false; }

    ModeHost &m_host;
    Loader m_load;
    QuestionCycle m_cycle;
    KnownByName m_reader;
    bool m_loaded = false;
    std::vector<Word> m_words;
    // The words by index into m_words.
    KnownFirstTurn m_turn{[this](std::int16_t i) { return m_words[std::size_t(i)].letter; }};
    int m_asked = -1;
    int m_question = 0;
};
