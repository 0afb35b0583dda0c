#include "app/Numbers.h"

#include <charconv>

namespace tessarion {

bool parseNumber(std::string_view text, long long minimum, long long maximum, long long& value) {
    long long parsed = 0;
    const char* last = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), last, parsed);
    if (text.empty() || ec != std::errc() || ptr != last || parsed < minimum || parsed > maximum) {
        return false;
    }
    value = parsed;
    return true;
}

std::optional<std::uint32_t> parseSeed(std::string_view text) {
    long long seed = 0;
    if (!parseNumber(text, 0, 0xffffffffLL, seed)) {
        return std::nullopt;
    }
    return static_cast<std::uint32_t>(seed);
}

}  // namespace tessarion
