#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace tessarion {

// The four powers, in the fixed order of the lists, the saved games and the
// displays. The rules tell powers apart by this; the names are for people and
// for the files.
enum class Power { Romans, GermanicTribes, Sassanids, RebellingLegions };

inline constexpr std::size_t kPowerCount = 4;

inline constexpr std::size_t powerIndex(Power power) {
    return static_cast<std::size_t>(power);
}

// The name shown to the player and written to saved games.
inline constexpr std::string_view powerName(Power power) {
    constexpr std::array<std::string_view, kPowerCount> kNames = {"Romans", "Germanic Tribes",
                                                                  "Sassanids", "Rebelling Legions"};
    return kNames[powerIndex(power)];
}

}  // namespace tessarion
