#pragma once

#include <QString>

#include <array>

// The 28 letters in alphabetical order: the letter index k runs from 0 ("أ")
// to 27 ("ي"). Letter 25 is heh with tatweel, the joined form a child sees
// in words.
inline constexpr int kLetterCount = 28;

inline constexpr std::array<const char *, kLetterCount> kLetterGlyphs = {
    "أ", "ب", "ت", "ث", "ج", "ح", "خ", "د", "ذ", "ر", "ز", "س", "ش", "ص",
    "ض", "ط", "ظ", "ع", "غ", "ف", "ق", "ك", "ل", "م", "ن", "هـ", "و", "ي",
};

inline QString letterGlyph(int k)
{
    return QString::fromUtf8(kLetterGlyphs.at(k));
}

// The recording of letter k, as the sound player is asked for it:
// "\wa\1.wav" for k = 0 up to "\wa\28.wav" for k = 27.
inline QString recordingOf(int k)
{
    return QStringLiteral("\\wa\\%1.wav").arg(k + 1);
}

// The two answer sounds, named without an extension.
inline const QString kRightSound = QStringLiteral("\\yes");
inline const QString kWrongSound = QStringLiteral("\\no");
