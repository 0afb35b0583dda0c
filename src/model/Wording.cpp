#include "model/Wording.h"

#include <cctype>
#include <charconv>

namespace tessarion {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

}  // namespace

std::string fillText(std::string_view format, std::span<const std::string_view> given) {
    std::string out;
    std::size_t next = 0;
    for (std::size_t at = 0; at < format.size(); ++at) {
        if (format[at] != '%' || at + 1 == format.size()) {
            out += format[at];
            continue;
        }
        if (format[at + 1] == '%') {
            out += '%';
            ++at;
            continue;
        }
        std::size_t end = at + 1;
        std::size_t index = next;
        bool positional = false;
        std::size_t digitsEnd = end;
        while (digitsEnd < format.size() && isDigit(format[digitsEnd])) {
            ++digitsEnd;
        }
        if (digitsEnd > end && digitsEnd < format.size() && format[digitsEnd] == '$') {
            std::from_chars(format.data() + end, format.data() + digitsEnd, index);
            index -= 1;
            end = digitsEnd + 1;
            positional = true;
        } else {
            ++next;
        }
        while (end < format.size() &&
               std::string_view("-+ #.0123456789lhz").find(format[end]) != std::string_view::npos) {
            ++end;
        }
        if (end == format.size() ||
            std::string_view("dius").find(format[end]) == std::string_view::npos) {
            out += format[at];  // not a conversion: the percent sign as it stands
            next -= positional ? 0 : 1;
            continue;
        }
        if (index < given.size()) {
            out += given[index];
        }
        at = end;
    }
    return out;
}

std::string Wording::number(long long value) const {
    const std::string digits = std::to_string(value < 0 ? -(value + 1) + 1ULL : value + 0ULL);
    std::string out = value < 0 ? "-" : "";
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) {
            out += ',';
        }
        out += digits[i];
    }
    return out;
}

const Wording& englishWording() {
    static const Wording english;
    return english;
}

std::string plainLowerCase(std::string_view text) {
    // The base letters of the accented small letters U+00E0 to U+00FF (the
    // capitals differ by one bit).
    static constexpr std::string_view kBase = "aaaaaaaceeeeiiiidnooooo/ouuuuyty";
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        const auto next = i + 1 < text.size() ? static_cast<unsigned char>(text[i + 1]) : 0;
        if (c == 0xC3 && next >= 0x80 && next <= 0xBF) {
            out += kBase[(next | 0x20) - 0xA0];
            ++i;
        } else {
            out += static_cast<char>(std::tolower(c));
        }
    }
    return out;
}

}  // namespace tessarion
