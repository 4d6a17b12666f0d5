// Made by tools/letter-frequency/run; do not edit.
// Counted in the 170799 words of Debian's hunspell-ar 3.2-1.2 (Ayaspell word list).
#pragma once

#include <array>

namespace practice {

// The letters 0..27 (أ..ي), the most common first.
inline constexpr std::array<int, 28> kCommonFirstTable = {0, 24, 27, 2, 26, 23, 9, 22, 19, 1, 25, 17, 11, 7, 21, 20, 5, 4, 12, 15, 6, 10, 13, 18, 14, 8, 3, 16};

// How often each letter (0..27) was counted.
inline constexpr std::array<long, 28> kLetterCounts = {111541, 25515, 68849, 4781, 15146, 18156, 9891, 20416, 5484, 38198, 9728, 22245, 13280, 9604, 8196, 10813, 1973, 22563, 8510, 25591, 18932, 19340, 35652, 38694, 83101, 24539, 44325, 71502};

} // namespace practice
