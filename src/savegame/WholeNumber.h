#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace tessarion {

// A whole field holding a number exactly as the saved-game writer puts it: an
// optional minus sign and digits, no leading zero, nothing else.
inline std::optional<std::int64_t> wholeNumber(std::string_view field) {
    const std::size_t i = !field.empty() && field[0] == '-' ? 1 : 0;
    const std::string_view digits = field.substr(i);
    if (digits.empty() || digits.size() > 11 || (digits[0] == '0' && digits.size() > 1) ||
        (i == 1 && digits == "0")) {
        return std::nullopt;
    }
    std::int64_t value = 0;
    for (char c : digits) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        value = value * 10 + (c - '0');
    }
    return i == 1 ? -value : value;
}

}  // namespace tessarion
