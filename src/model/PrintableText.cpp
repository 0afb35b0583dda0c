#include "model/PrintableText.h"

#include <cstdint>

namespace tessarion {

namespace {

constexpr char kHex[] = "0123456789ABCDEF";

void appendByteEscape(std::string& out, unsigned char byte) {
    out += "\\x";
    out += kHex[byte >> 4];
    out += kHex[byte & 15];
}

void appendCodePointEscape(std::string& out, std::uint32_t code) {
    out += "\\u";
    for (int shift = 12; shift >= 0; shift -= 4) {
        out += kHex[(code >> shift) & 15];
    }
}

// Characters that change how the text around them is shown without being
// seen themselves: C1 controls, the soft hyphen, the Arabic letter mark,
// zero-width characters and direction marks, the line and paragraph
// separators, the direction embeddings, overrides and isolates, invisible
// operators, the byte-order mark and the interlinear annotation marks.
bool isFormatCharacter(std::uint32_t code) {
    return (code >= 0x80 && code <= 0x9F) || code == 0xAD || code == 0x61C || code == 0x180E ||
           (code >= 0x200B && code <= 0x200F) || (code >= 0x2028 && code <= 0x202E) ||
           (code >= 0x2060 && code <= 0x206F) || code == 0xFEFF ||
           (code >= 0xFFF9 && code <= 0xFFFB);
}

// The length of the well-formed UTF-8 sequence at the start of `text` and
// the character it spells; 0 when the bytes there are not one.
std::size_t decodeUtf8(std::string_view text, std::uint32_t& code) {
    const auto lead = static_cast<unsigned char>(text[0]);
    std::size_t length = 0;
    std::uint32_t lowest = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        code = lead & 0x1F;
        lowest = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        code = lead & 0x0F;
        lowest = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        code = lead & 0x07;
        lowest = 0x10000;
    } else {
        return 0;
    }
    if (text.size() < length) {
        return 0;
    }
    for (std::size_t i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(text[i]);
        if ((next & 0xC0) != 0x80) {
            return 0;
        }
        code = (code << 6) | (next & 0x3F);
    }
    const bool surrogate = code >= 0xD800 && code <= 0xDFFF;
    return code < lowest || code > 0x10FFFF || surrogate ? 0 : length;
}

}  // namespace

std::string printableText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte < 0x20 || byte == 0x7F) {
            appendByteEscape(out, byte);
            ++i;
        } else if (byte < 0x80) {
            out += static_cast<char>(byte);
            ++i;
        } else {
            std::uint32_t code = 0;
            const std::size_t length = decodeUtf8(text.substr(i), code);
            if (length == 0) {
                appendByteEscape(out, byte);
                ++i;
            } else if (isFormatCharacter(code)) {
                appendCodePointEscape(out, code);
                i += length;
            } else {
                out.append(text.substr(i, length));
                i += length;
            }
        }
    }
    return out;
}

}  // namespace tessarion
