#pragma once

#include <cstdint>

namespace tessarion {

// The game's one random generator. Every rule draws from it in a fixed order,
// so a game started from the same seed replays exactly.
// state = state * 214013 + 2531011 (mod 2^32); a draw is bits 16 to 30.
void seedRandom(std::uint32_t seed);
int gameRand();  // 0 .. 32767
std::uint32_t randomState();
void setRandomState(std::uint32_t state);

// A seed that differs from run to run (wall clock based).
std::uint32_t clockSeed();

}  // namespace tessarion
