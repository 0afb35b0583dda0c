#include "model/Random.h"

#include <chrono>

namespace tessarion {

namespace {
std::uint32_t gState = 1;
}

void seedRandom(std::uint32_t seed) {
    gState = seed;
}

int gameRand() {
    gState = gState * 214013u + 2531011u;
    return static_cast<int>((gState >> 16) & 0x7fffu);
}

std::uint32_t randomState() {
    return gState;
}

void setRandomState(std::uint32_t state) {
    gState = state;
}

std::uint32_t clockSeed() {
    // Milliseconds since the process started would be nearly the same at every
    // start; the wall clock is not.
    auto now = std::chrono::system_clock::now().time_since_epoch();
    auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(now).count();
    return static_cast<std::uint32_t>(ms) ^ static_cast<std::uint32_t>(ms >> 32);
}

}  // namespace tessarion
