#pragma once

#include "history/answerlog.h"

#include <QObject>

#include <algorithm>
#include <array>
#include <cstdint>
#include <functional>

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
