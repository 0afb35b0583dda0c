#include "ui/Font.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SYNTHESIS_H

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "ui/PictureStore.h"

namespace tessarion {

namespace {
constexpr int kDefaultPixelSize = 13;
}

struct Font::FreeTypeState {
    FT_Library library = nullptr;
    FT_Face face = nullptr;
    ~FreeTypeState() {
        if (face != nullptr) {
            FT_Done_Face(face);
        }
        if (library != nullptr) {
            FT_Done_FreeType(library);
        }
    }
};

Font::Font(std::span<const unsigned char> data, int pixelSize, bool emboldened)
    : ft_(std::make_unique<FreeTypeState>()),
      data_(data),
      pixelSize_(pixelSize),
      emboldened_(emboldened) {
    if (FT_Init_FreeType(&ft_->library) != 0) {
        throw std::runtime_error("FreeType would not start");
    }
    // A font missing from the build leaves a font without glyphs: texts take
    // no room and draw nothing, but the game still runs.
    if (data.empty() || FT_New_Memory_Face(ft_->library, data.data(),
                                           static_cast<FT_Long>(data.size()), 0, &ft_->face) != 0) {
        ft_->face = nullptr;
        return;
    }
    FT_Set_Pixel_Sizes(ft_->face, 0, static_cast<FT_UInt>(pixelSize));
    const FT_Size_Metrics& m = ft_->face->size->metrics;
    ascent_ = static_cast<int>((m.ascender + 63) >> 6);
    height_ = ascent_ + static_cast<int>((-m.descender + 63) >> 6);
}

Font::~Font() = default;

char32_t nextCharacter(std::string_view text, std::size_t& at) {
    const auto lead = static_cast<unsigned char>(text[at]);
    const std::size_t length = lead >= 0xF0 && lead <= 0xF4   ? 4
                               : lead >= 0xE0 && lead <= 0xEF ? 3
                               : lead >= 0xC2 && lead <= 0xDF ? 2
                                                              : 1;
    char32_t code = length == 1 ? lead : lead & (0x7F >> length);
    if (length > 1 && at + length <= text.size()) {
        bool wellFormed = true;
        for (std::size_t i = 1; i < length && wellFormed; ++i) {
            const auto next = static_cast<unsigned char>(text[at + i]);
            wellFormed = (next & 0xC0) == 0x80;
            code = (code << 6) | (next & 0x3F);
        }
        // Overlong forms, surrogates and what lies past Unicode are no characters.
        if (wellFormed && !(length == 3 && code < 0x800) && !(length == 4 && code < 0x10000) &&
            !(code >= 0xD800 && code <= 0xDFFF) && code <= 0x10FFFF) {
            at += length;
            return code;
        }
    }
    ++at;
    return lead;
}

Font& Font::at(double scale) {
    int size = static_cast<int>(std::lround(pixelSize_ * scale));
    if (pixelSize_ >= kLeastPixelSize) {
        size = std::max(size, kLeastPixelSize);
    }
    size = std::max(size, 1);
    if (size == pixelSize_) {
        return *this;
    }
    std::unique_ptr<Font>& slot = scaled_[size];
    if (!slot) {
        slot = std::make_unique<Font>(data_, size, emboldened_);
    }
    return *slot;
}

const Glyph& Font::glyph(char32_t c) {
    std::unique_ptr<Glyph>& slot = c < glyphs_.size() ? glyphs_[c] : moreGlyphs_[c];
    if (slot) {
        return *slot;
    }
    slot = std::make_unique<Glyph>();
    if (ft_->face == nullptr || c < 0x20 ||
        FT_Load_Char(ft_->face, c, FT_LOAD_TARGET_NORMAL) != 0) {
        return *slot;
    }
    const FT_GlyphSlot g = ft_->face->glyph;
    if (emboldened_) {
        FT_GlyphSlot_Embolden(g);
    }
    if (FT_Render_Glyph(g, FT_RENDER_MODE_NORMAL) != 0) {
        return *slot;
    }
    const FT_Bitmap& bm = g->bitmap;
    slot->width = static_cast<int>(bm.width);
    slot->height = static_cast<int>(bm.rows);
    slot->left = g->bitmap_left;
    slot->top = g->bitmap_top;
    slot->advance = static_cast<int>((g->advance.x + 32) >> 6);
    slot->coverage.resize(static_cast<std::size_t>(slot->width) *
                          static_cast<std::size_t>(slot->height));
    for (int y = 0; y < slot->height; ++y) {
        const unsigned char* src = bm.buffer + static_cast<std::ptrdiff_t>(y) * bm.pitch;
        std::copy(src, src + slot->width,
                  slot->coverage.begin() + static_cast<std::ptrdiff_t>(y) * slot->width);
    }
    return *slot;
}

bool Font::has(char32_t c) const {
    return ft_->face != nullptr && FT_Get_Char_Index(ft_->face, c) != 0;
}

int Font::width(std::string_view text) {
    int w = 0;
    for (std::size_t at = 0; at < text.size();) {
        w += glyph(nextCharacter(text, at)).advance;
    }
    return w;
}

int pointWidth(Font& font, std::string_view text, double scale) {
    return static_cast<int>(std::ceil(font.at(scale).width(text) / scale - 1e-9));
}

std::string cutToWidth(Font& unscaled, std::string text, int points, double scale) {
    Font& font = unscaled.at(scale);
    // Rounded down: the cut text must not reach a pixel past its room.
    const int room = static_cast<int>(points * scale);
    if (font.width(text) <= room) {
        return text;
    }
    while (!text.empty() && font.width(text + "...") > room) {
        // Back to the start of the last character, never into its middle.
        do {
            text.pop_back();
        } while (!text.empty() && (static_cast<unsigned char>(text.back()) & 0xC0) == 0x80);
        if (!text.empty() && static_cast<unsigned char>(text.back()) >= 0xC0) {
            text.pop_back();
        }
    }
    return font.width(text + "...") <= room ? text + "..." : std::string();
}

std::vector<std::string> wrapToWidth(Font& unscaled, std::string_view text, int points,
                                     double scale) {
    Font& font = unscaled.at(scale);
    const int room = static_cast<int>(points * scale);
    std::vector<std::string> lines;
    for (std::size_t start = 0; start <= text.size();) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        std::string_view rest = text.substr(start, end - start);
        while (font.width(rest) > room && rest.find(' ') != std::string_view::npos) {
            // The longest head of the line, up to a space, that fits.
            std::size_t cut = rest.find(' ');
            for (std::size_t next = rest.find(' ', cut + 1);
                 next != std::string_view::npos && font.width(rest.substr(0, next)) <= room;
                 next = rest.find(' ', next + 1)) {
                cut = next;
            }
            lines.emplace_back(rest.substr(0, cut));
            rest.remove_prefix(cut + 1);
        }
        lines.emplace_back(rest);
        start = end + 1;
    }
    return lines;
}

Font& defaultFont() {
    static Font font(store::fontData("sans"), kDefaultPixelSize);
    return font;
}

Font& labelFont() {
    static Font font(store::fontData("serif"), 26);
    return font;
}

}  // namespace tessarion
