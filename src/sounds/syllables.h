#pragma once

#include <QString>

#include <array>

// A letter's sound with a short vowel: one letter (0..27) with fatha,
// kasra or damma. The alif is said with its hamza: أَ إِ أُ.
struct Syllable
{
    enum class Vowel { Fatha, Kasra, Damma };

    int letter = -1;
    Vowel vowel = Vowel::Fatha;

    bool operator==(const Syllable &) const = default;
};

// All 84, numbered letter by letter: syllable n is letter n / 3 with the
// vowel n % 3.
inline constexpr int kSyllableCount = 84;

constexpr Syllable syllable(int n)
{
    return {n / 3, Syllable::Vowel(n % 3)};
}

// Its recording, as the sound player is asked for it: "\syllables\2a.wav"
// is بَ (the letter's number 1..28, then a, i or u for fatha, kasra or
// damma).
inline QString recordingOf(const Syllable &s)
{
    static constexpr std::array<char, 3> kVowels{'a', 'i', 'u'};
    return QStringLiteral("\\syllables\\%1%2.wav").arg(s.letter + 1).arg(QLatin1Char(kVowels[std::size_t(s.vowel)]));
}
