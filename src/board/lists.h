#pragma once

#include <QString>

#include <array>

// The entries of the order list, in their order; its handler tests the
// entry number. The mode list's entries are the modes' (board/modelist.h).
inline const std::array<QString, 2> kOrderEntries = {QStringLiteral("مرتب"), QStringLiteral("عشوائي")};
