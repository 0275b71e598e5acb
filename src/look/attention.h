#pragma once

// The game windows' attention signal after an opponent's board arrives: a
// short flash, slow enough to be seen and over within a second, so it never
// piles up under boards arriving every broadcast period.
namespace look {
inline constexpr int kFlashMs = 500;
inline constexpr int kFlashes = 2;
} // namespace look
