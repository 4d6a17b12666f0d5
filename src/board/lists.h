#pragma once

#include <QString>

#include <array>

// The entries of the two option lists, in their order. The order list's
// handler tests the entry number, the mode list's handler tests the text.
inline const std::array<QString, 2> kOrderEntries = {QStringLiteral("مرتب"), QStringLiteral("عشوائي")};
// The third mode, practice, comes after the two the program has always had.
inline const std::array<QString, 3> kModeEntries = {QStringLiteral("نطق الحروف"), QStringLiteral("مسابقة الحروف"),
                                                    QStringLiteral("تمرين الحروف")};
