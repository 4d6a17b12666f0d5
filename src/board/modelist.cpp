#include "modelist.h"

#include "board/pronunciation.h"
#include "contest/contestmode.h"
#include "practice/practicemode.h"

#include <array>

namespace {

template<class M>
std::unique_ptr<Mode> make(ModeHost &host)
{
    return std::make_unique<M>(host);
}

// The two the program has always had, then practice.
const std::array kModes{
    ModeKind{QStringLiteral("نطق الحروف"), &make<PronunciationMode>},
    ModeKind{QStringLiteral("مسابقة الحروف"), &make<ContestMode>},
    ModeKind{QStringLiteral("تمرين الحروف"), &make<PracticeMode>},
};

} // namespace

std::span<const ModeKind> modeList()
{
    return kModes;
}
