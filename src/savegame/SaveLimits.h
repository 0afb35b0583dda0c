#pragma once

#include <cstddef>
#include <cstdint>

namespace tessarion {

// What a saved game may hold. The writer refuses to write a game beyond these
// and the reader refuses to load one, so whatever the game writes it can read
// back. Each bound is far from anything a game played by its rules reaches,
// and close enough that a damaged or hostile file costs little to refuse.
//
// The bounds that play can push grow with the turn by as much as one year of
// the rules can add, so a game loaded at its limits stays within them however
// long it is played on (the turn itself ends the game at 476 AD).
struct SaveLimits {
    // 476 AD (turn 241) ends the game: a game still being played is at most
    // in 475 AD.
    int lastTurn = 240;
    // The treasury gains a few tens of thousands a year at the very most;
    // only the taxes add to it, at most every province's tax (see
    // maxYearlyIncome). Nothing the rules take from it drives it below
    // nothing, so the lower bound never moves.
    std::int32_t treasury = 1'000'000'000;
    // A plague lasts at most 19 years and the counter counts down by one a
    // year while it lasts: the lower bound moves by one a turn.
    std::int32_t plagueCounter = 1'000'000'000;
    // A tribe's peace or respite lasts at most 14 years; the bound is the
    // longest span any counter could mean in a game of 241 years.
    int tribeCountdown = 1000;
    // The Romans raise at most about 30 legions and the invaders a few dozen
    // a year; no campaign played to 476 AD comes near this many legions of
    // all the powers together. It keeps a turn short and a file small
    // whatever the file claims.
    std::size_t legions = 20'000;
    // The most legions one year of the rules can raise, all powers together:
    // the Roman recruits (one per province, 30), a settled tribe (1), the
    // People's Front of Judea (15, and 5 at a time up to the Romans' cap:
    // under 60), the other powers' recruits (one per province, 30), four
    // tribes' invasions (20), the Persians' (11) and the year's scripted
    // invasions (20). Rebellions only hand legions from one power to another.
    std::size_t newLegionsPerTurn = 200;
    // The longest line the game writes is a province name with its label and
    // the writer's notes on a legion's route, under this.
    std::size_t lineLength = 79;

    // The bounds of a game in the given turn.
    constexpr std::size_t legionsIn(int turn) const {
        return legions + static_cast<std::size_t>(turn < 0 ? 0 : turn) * newLegionsPerTurn;
    }
};

inline constexpr SaveLimits kSaveLimits{};

// No file with everything at its limit is larger: a byte-order mark, the
// header, every province listed once, and every legion of the last turn on
// its three longest lines, each with a carriage return and a line feed.
inline constexpr std::size_t kMaxSaveFileSize =
    3 + (8 + 4 * 2 + 30 + 4 * 2 + 3 * kSaveLimits.legionsIn(kSaveLimits.lastTurn)) *
            (kSaveLimits.lineLength + 2);

}  // namespace tessarion
