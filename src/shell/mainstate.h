#pragma once

#include <QString>

#include <array>
#include <cstdint>

// The main window's own variables, the board's: what every mode reads. The
// modes keep theirs (the contest its quizOrder and quizPos). Arrays have 29
// elements, indexes 0 to 28; only 0 to 27 are ever written, element 28 keeps
// its initial value.
struct MainState
{
    static constexpr int kSize = 29;

    // soundFile[j]: the recording of the letter shown on board button hr(j).
    std::array<QString, kSize> soundFile{};
    // boardSlot[k]: the board position of letter k; once filled, a
    // permutation of 0..27.
    std::array<std::int16_t, kSize> boardSlot{};
};
