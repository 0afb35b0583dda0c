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
    // nothing: pay stops at nothing, and a bonus, a peace or the sack of Rome
    // take at most what is there.
    std::int32_t treasury = 1'000'000'000;
    // A plague lasts 5 to 19 years and counts down by one a year while it
    // lasts, to nothing; no other count is ever held.
    std::int32_t plagueCounter = 19;
    // A tribe's peace lasts at most 14 years, its respite at most 9, and the
    // countdown only counts down from there.
    int tribeCountdown = 14;
    // A province's recruiting count starts below 3 and grows by at most one a
    // year (it stays at 3 or more only while the treasury cannot pay).
    int firstRecruitCount = 2;
    // The most a year can add to the Results box: four tribes and the
    // Persians cross, one plague, and two provinces and a mutiny rebel.
    int invasionsPerTurn = 5;
    int plaguesPerTurn = 1;
    int rebellionsPerTurn = 3;
    // The Romans raise at most about 30 legions and the invaders a few dozen
    // a year; no campaign played to 476 AD comes near this many legions of
    // all the powers together. It keeps a turn short and a file small
    // whatever the file claims.
    std::size_t legions = 20'000;
    // The most legions one end of turn can raise, all powers together, with
    // room to spare: the Roman recruits (one per province, 30), a settled
    // tribe (1), the other powers' recruits (one per province, 30), four
    // tribes' invasions (20), the Persians' (11), the year's scripted
    // invasions (20), and Palestina lost again to the People's Front (15,
    // see legionWeight). Rebellions only hand legions from one power to
    // another.
    std::size_t newLegionsPerTurn = 200;
    // The People's Front of Judea: 15 Roman legions when it takes Palestina,
    // then 5 at a time while the Romans are below their cap, which is at most
    // 32 (every province, Aegyptus and Britannia).
    std::size_t peoplesFrontRising = 15;
    std::size_t romansUpToTheCap = 32 + 4;
    // The longest value the game writes (a province name with its label)
    // is under this, and so is every line a reader of values alone reads.
    std::size_t lineLength = 79;
    // A line that carries notes may be longer (a long route, recruiting
    // counts beyond one character, the facts after the last legion block).
    std::size_t noteLineLength = 255;

    // The bounds of a game in the given turn.
    constexpr std::size_t legionsIn(int turn) const {
        return legions + static_cast<std::size_t>(turn < 0 ? 0 : turn) * newLegionsPerTurn;
    }

    // What the legion bound of a turn weighs: every legion, except that the
    // Romans count as many as the People's Front can bring them up to, and
    // that a Roman Palestina has already given the Front's 15. Nothing the
    // player does within a turn makes it heavier (the orders only lose
    // legions; the Front takes Palestina once, then adds only below the cap),
    // so a game that loads stays saveable until the turn ends.
    constexpr std::size_t legionWeight(std::size_t others, std::size_t romans,
                                       bool palestinaRoman) const {
        const std::size_t weight = others + (romans > romansUpToTheCap ? romans : romansUpToTheCap);
        return palestinaRoman ? weight - peoplesFrontRising : weight;
    }
};

inline constexpr SaveLimits kSaveLimits{};

// The most lines after the last legion block: the facts of the game, then
// the year's record and the last year's, each with its entries (every entry
// but a handful a year makes or loses a legion or moves a province), and the
// chronicle, a row a year of a game.
inline constexpr std::size_t kMaxFactLines = 16;
inline constexpr std::size_t kMaxRecordEntries =
    2 * (kSaveLimits.legionsIn(kSaveLimits.lastTurn) + kSaveLimits.peoplesFrontRising) + 1000;
inline constexpr std::size_t kMaxChronicleRows = 476 - 235 + 2;
inline constexpr std::size_t kMaxNoteLines =
    kMaxFactLines + 2 * (1 + kMaxRecordEntries) + kMaxChronicleRows;

// No file with everything at its limit is larger: a byte-order mark, the
// header, every province listed once, the facts, and every legion of the
// last turn (the Front's too) on its three longest lines, each with a
// carriage return and a line feed.
inline constexpr std::size_t kMaxSaveFileSize =
    3 + (8 + 4 * 2 + 30 + 4 * 2 + kMaxNoteLines) * (kSaveLimits.noteLineLength + 2) +
    (kSaveLimits.legionsIn(kSaveLimits.lastTurn) + kSaveLimits.peoplesFrontRising) *
        (2 * (kSaveLimits.lineLength + 2) + kSaveLimits.noteLineLength + 2);

}  // namespace tessarion
