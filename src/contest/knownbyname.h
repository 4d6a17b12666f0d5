#pragma once

#include "history/answerlog.h"

#include <QObject>

#include <algorithm>
#include <array>
#include <cstdint>
#include <functional>
#include <vector>

class ModeHost;

// How well the child knows each letter by its name, as the modes that ask
// something else of a letter (its sounds, a word with it) order their
// questions: the letters known first, then those the child is learning,
// then the rest. Letters 0..27.
enum class NameTier : std::uint8_t { Known, InPlay, Other };
using NameTiers = std::array<NameTier, 28>;

// Every letter Other: a child with no history.
NameTiers unknownNames();

// What practice makes of a child's answers by name, read at `now` (seconds
// since the epoch).
NameTiers nameTiers(const QList<Answer> &answers, bool alphabetical, std::int64_t now);

// Puts the questions of a shuffled sequence in the order of their letters'
// tiers, keeping the shuffle's order within each tier.
template<class Questions, class LetterOf>
void knownFirst(Questions &&questions, const NameTiers &tiers, LetterOf letterOf)
{
    std::stable_sort(questions.begin(), questions.end(), [&](const auto &a, const auto &b) {
        return tiers.at(std::size_t(letterOf(a))) < tiers.at(std::size_t(letterOf(b)));
    });
}

// A turn of `count` questions, numbered 0 … count - 1, in the board's
// shuffled order with the questions of the letters the child knows by name
// first; a new turn once one is asked through.
class KnownFirstTurn
{
public:
    // The letter (0 … 27) question n asks for.
    using LetterOf = std::function<int(std::int16_t)>;

    explicit KnownFirstTurn(LetterOf letterOf);

    // A new turn of `count` questions (at most 32767), from its first.
    void begin(ModeHost &host, int count);
    // The child's tiers, come from the history: the questions still to come
    // are asked in their order, this turn and the next.
    void setTiers(const NameTiers &tiers);
    // The next question, in a new turn when this one is through; -1 for a
    // turn of none.
    int next(ModeHost &host);
    // The turn, in the order it is asked.
    const std::vector<std::int16_t> &order() const { return m_turn; }

private:
    LetterOf m_letterOf;
    NameTiers m_tiers = unknownNames();
    std::vector<std::int16_t> m_turn;
    std::size_t m_next = 0;
};

// Reads the child's tiers from the history, off the user-interface thread,
// and hands them to `done` on it. A read made before the last read() or
// forget() is dropped when it comes.
class KnownByName final : public QObject
{
public:
    void read(AnswerLog *log, std::function<void(const NameTiers &)> done);
    void forget() { ++m_session; }

private:
    quint64 m_session = 0;
};
