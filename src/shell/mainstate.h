#pragma once

#include <QString>

#include <array>
#include <cstdint>

// The main window's own variables. Arrays have 29 elements, indexes 0 to 28;
// only 0 to 27 are ever written, element 28 keeps its initial value.
struct MainState
{
    static constexpr int kSize = 29;

    // soundFile[j]: the recording of the letter shown on board button hr(j).
    std::array<QString, kSize> soundFile{};
    // boardSlot[k]: the board position of letter k; once filled, a
    // permutation of 0..27.
    std::array<std::int16_t, kSize> boardSlot{};
    // quizOrder[n]: the board position asked as question n; all 0 until the
    // first contest, a permutation of 0..27 from then on.
    std::array<std::int16_t, kSize> quizOrder{};
    // The current question, 0..27: quizOrder[quizPos] is asked now.
    std::int16_t quizPos = 0;
    // Wrong clicks on the current question, 0..32767.
    std::int16_t wrongTries = 0;
};
