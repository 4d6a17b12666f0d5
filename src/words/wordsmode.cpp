#include "wordsmode.h"

#include "platform/programfolder.h"
#include "words/wordbook.h"

#include <limits>

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
    m_turn.begin(m_host, int(m_words.size()));
    m_reader.read(m_host.answers(), [this](const NameTiers &tiers) { m_turn.setTiers(tiers); });
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

// A new word, shown as it is first said.
void WordsMode::startQuestion()
{
    m_asked = m_turn.next(m_host);
    if (m_asked < 0)
        return;
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
