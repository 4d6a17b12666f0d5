// The letters that share a shape and are told apart by their dots alone:
// the pairs a child mixes up, and the ones practice puts side by side once
// each is learnt.
#pragma once

#include <array>

namespace practice {

// Letters 0..27 (أ..ي), family by family.
//   ب ت ث ن ي   ج ح خ   د ذ   ر ز   س ش   ص ض   ط ظ   ع غ   ف ق
inline constexpr std::array<std::array<int, 5>, 9> kFamilies = {{
    {1, 2, 3, 24, 27},
    {4, 5, 6, -1, -1},
    {7, 8, -1, -1, -1},
    {9, 10, -1, -1, -1},
    {11, 12, -1, -1, -1},
    {13, 14, -1, -1, -1},
    {15, 16, -1, -1, -1},
    {17, 18, -1, -1, -1},
    {19, 20, -1, -1, -1},
}};

} // namespace practice
