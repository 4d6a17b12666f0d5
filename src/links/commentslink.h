#pragma once

// The page where parents and teachers leave their comments on the program.
inline constexpr const char *kCommentsAddress = "https://forum.huroof.example/t/comments-on-the-program";
