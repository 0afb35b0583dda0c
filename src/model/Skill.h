#pragma once

#include <array>
#include <string_view>

#include "model/Wording.h"

namespace tessarion {

// The three skill levels. Every odds table of the rules has one entry per
// level, so the level is checked where it is set and nowhere else.
inline constexpr int kSkillLevels = 3;
inline constexpr int kDefaultSkillLevel = 1;

using PerSkill = std::array<int, kSkillLevels>;

// Everything the skill level changes, in one place: a row a rule, a column a
// level (Easy, Normal, Hard). "Odds" are 1 in N a year (a draw modulo N is 0).
struct SkillTable {
    // As the menu and the simulator's table name the levels, and as the
    // settings file writes them.
    std::array<std::string_view, kSkillLevels> names;
    std::array<std::string_view, kSkillLevels> settingsNames;
    PerSkill startingTreasury;
    // The Romans' year.
    PerSkill plagueOdds;
    PerSkill plagueYears;  // and 0 to 4 more
    PerSkill settlersOdds;
    PerSkill bonusDemandOdds;
    // Britannia or Aegyptus without a garrison, and Italia without grain.
    PerSkill unrestOdds;
    PerSkill grainRiotOdds;
    // The last legion of a power lost to a Roman attack: the victors rebel.
    PerSkill victorsRebelOdds;
    // The Sassanids cross the Tigris, with this many legions and 0 to 4 more.
    PerSkill sassanidOdds;
    PerSkill sassanidArmy;
};

inline constexpr SkillTable kSkill = {
    .names = {N_("Easy"), N_("Normal"), N_("Hard")},
    .settingsNames = {"easy", "normal", "hard"},
    .startingTreasury = {100000, 75000, 50000},
    .plagueOdds = {20, 15, 10},
    .plagueYears = {5, 10, 15},
    .settlersOdds = {10, 15, 20},
    .bonusDemandOdds = {30, 20, 10},
    .unrestOdds = {10, 5, 3},
    .grainRiotOdds = {20, 10, 5},
    .victorsRebelOdds = {4, 3, 2},
    .sassanidOdds = {4, 3, 2},
    .sassanidArmy = {2, 4, 7},
};

}  // namespace tessarion
