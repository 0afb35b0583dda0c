#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace tessarion {

// A whole decimal number that is the entire text (no blanks, no sign but a
// leading minus) and lies within [minimum, maximum]: the console's commands,
// the simulator's options and --seed all read their numbers with it.
bool parseNumber(std::string_view text, long long minimum, long long maximum, long long& value);

// A seed of the game's generator, 0 to 4294967295, as --seed, the simulator's
// --seed and the console's seed command take it.
std::optional<std::uint32_t> parseSeed(std::string_view text);

}  // namespace tessarion
