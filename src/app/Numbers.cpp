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

}  // namespace tessarion
