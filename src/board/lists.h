#pragma once

#include <QString>

#include <array>

// The entries of the two option lists, in their order. The order list's
// handler tests the entry number, the mode list's handler tests the text.
inline const std::array<QString, 2> kOrderEntries = {QStringLiteral("مرتب"), QStringLiteral("عشوائي")};
inline const std::array<QString, 2> kModeEntries = {QStringLiteral("نطق الحروف"), QStringLiteral("مسابقة الحروف")};
