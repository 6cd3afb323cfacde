#pragma once
// Draws from the program's one seeded generator, so that a headless run with a given
// seed repeats every battle and every campaign draw.

#include <cstdint>
#include <random>

namespace vandor {

// Uniform enough for the game's purposes over 0..n-1; n must be positive.
inline int RandomBelow(std::mt19937& random, int n) { return static_cast<int>(random() % static_cast<uint32_t>(n)); }

}  // namespace vandor
