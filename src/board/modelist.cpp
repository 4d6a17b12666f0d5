#include "modelist.h"

#include "board/pronunciation.h"
#include "contest/contestmode.h"
#include "practice/practicemode.h"
#include "sounds/soundsmode.h"
#include "words/wordsmode.h"

#include <array>

namespace {

template<class M>
std::unique_ptr<Mode> make(ModeHost &host)
{
    return std::make_unique<M>(host);
}

// The two the program has always had, practice, then from names to
// reading: the letters' sounds, and the letter in a word.
const std::array kModes{
    ModeKind{QStringLiteral("نطق الحروف"), &make<PronunciationMode>},
    ModeKind{QStringLiteral("مسابقة الحروف"), &make<ContestMode>},
    ModeKind{QStringLiteral("تمرين الحروف"), &make<PracticeMode>},
    ModeKind{QStringLiteral("أصوات الحروف"), &make<SoundsMode>},
    ModeKind{QStringLiteral("الحرف في الكلمة"), &make<WordsMode>},
};

} // namespace

std::span<const ModeKind> modeList()
{
    return kModes;
}
