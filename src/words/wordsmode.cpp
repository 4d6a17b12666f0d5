#include "wordsmode.h"

#include "platform/programfolder.h"
#include "words/wordbook.h"

#include <limits>
#include <span>

WordsMode::WordsMode(ModeHost &host, Loader load)
    : m_host(host)
    , m_load(std::move(load))
    , m_cycle(host, *this)
{
}

WordsMode::WordsMode(ModeHost &host)
    : WordsMode(host, [] { return loadWordTable(programFolder()); })
{
}

// The table is read the first time the mode is chosen; a new turn starts
// at every choice, the child's letters following from the history.
void WordsMode::enter()
{
    if (!m_loaded) {
        m_loaded = true;
        const WordTable table = m_load();
        // As many as a turn's shuffle can number.
        const auto most = std::size_t(std::numeric_limits<std::int16_t>::max());
        m_words.assign(table.words.begin(), table.words.begin() + qsizetype(std::min(std::size_t(table.words.size()), most)));
    }
    m_cycle.begin();
    m_asked = -1;
    m_question = 0;
    newTurn();
    m_reader.read(m_host.answers(), [this](const NameTiers &tiers) { known(tiers); });
}

void WordsMode::leave()
{
    m_reader.forget();
    m_asked = -1;
    m_host.showWord(nullptr);
}

void WordsMode::tick()
{
    m_cycle.tick();
}

void WordsMode::click(std::int16_t position)
{
    m_cycle.click(position);
}

void WordsMode::newTurn()
{
    m_turn.assign(m_words.size(), 0);
    m_next = 0;
    if (m_words.empty())
        return;
    m_host.shuffle(0, std::int16_t(m_words.size() - 1), m_turn);
    knownFirst(m_turn, m_tiers, [this](std::int16_t i) { return m_words[std::size_t(i)].letter; });
}

void WordsMode::known(const NameTiers &tiers)
{
    m_tiers = tiers;
    knownFirst(std::span(m_turn).subspan(m_next), m_tiers,
               [this](std::int16_t i) { return m_words[std::size_t(i)].letter; });
}

// A new word, shown as it is first said.
void WordsMode::startQuestion()
{
    if (m_words.empty())
        return;
    if (m_next >= m_turn.size())
        newTurn();
    m_asked = m_turn[m_next++];
    ++m_question;
    m_host.showWord(asked());
}

int WordsMode::askedPosition() const
{
    return m_asked >= 0 ? m_host.positionOf(m_words[std::size_t(m_asked)].letter) : -1;
}

void WordsMode::sayQuestion(ModeHost &host, int)
{
    host.play(recordingOf(m_words[std::size_t(m_asked)]));
}

// The word answered stays in sight until the next one comes.
void WordsMode::answeredRight()
{
    m_asked = -1;
}
