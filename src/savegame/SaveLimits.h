#pragma once

#include <cstddef>
#include <cstdint>

namespace tessarion {

// What a saved game may hold. The writer refuses to write a game beyond these
// and the reader refuses to load one, so whatever the game writes it can read
// back. Each bound is far from anything a game played by its rules reaches,
// and close enough that a damaged or hostile file costs little to refuse.
struct SaveLimits {
    // 476 AD (turn 241) ends the game: a game still being played is at most
    // in 475 AD.
    int lastTurn = 240;
    // The treasury gains a few tens of thousands a year at the very most; the
    // bound keeps a year's sums (income, upkeep, the bonus) well inside 32 bits.
    std::int32_t treasury = 1'000'000'000;
    // A plague lasts at most 19 years; the counter only counts down, once a
    // year, so the bound only has to keep that from wrapping.
    std::int32_t plagueCounter = 1'000'000'000;
    // A tribe's peace or respite lasts at most 14 years; the bound is the
    // longest span any counter could mean in a game of 241 years.
    int tribeCountdown = 1000;
    // The Romans raise at most about 30 legions and the invaders a few dozen
    // a year; no campaign played to 476 AD comes near 5,000 for one power.
    // It keeps a turn short and a file small whatever the file claims.
    std::size_t legionsPerPower = 5000;
    // The longest line the game writes is a province name with its label,
    // well under this.
    std::size_t lineLength = 79;
};

inline constexpr SaveLimits kSaveLimits{};

// No file with everything at its limit is larger: a byte-order mark, the
// header, every province listed once, and every legion of every power on its
// three longest lines, each with a carriage return and a line feed.
inline constexpr std::size_t kMaxSaveFileSize =
    3 +
    (8 + 4 * 2 + 30 + 4 * 2 + 4 * 3 * kSaveLimits.legionsPerPower) * (kSaveLimits.lineLength + 2);

}  // namespace tessarion
