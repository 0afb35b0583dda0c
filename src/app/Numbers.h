#pragma once

#include <string_view>

namespace tessarion {

// A whole decimal number that is the entire text (no blanks, no sign but a
// leading minus) and lies within [minimum, maximum]: the console's commands,
// the simulator's options and --seed all read their numbers with it.
bool parseNumber(std::string_view text, long long minimum, long long maximum, long long& value);

}  // namespace tessarion
