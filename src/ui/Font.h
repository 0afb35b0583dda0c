#pragma once

#include <array>
#include <map>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace tessarion {

// One rendered character: 8-bit coverage, placed relative to the pen on the
// baseline.
struct Glyph {
    int width = 0;
    int height = 0;
    int left = 0;
    int top = 0;  // rows above the baseline
    int advance = 0;
    std::vector<unsigned char> coverage;
};

// The character at `text[at]`, moving `at` past it. Texts are UTF-8 (the
// translations need accents); a byte that does not begin well-formed UTF-8 is
// read as Latin-1, as the game's texts once were.
char32_t nextCharacter(std::string_view text, std::size_t& at);

// A scalable font rendered at one pixel size; every glyph is rendered once
// and kept.
class Font {
  public:
    // Emboldened, the outlines are thickened as they are rendered: a bold
    // for the letters a face's own bold lacks.
    Font(std::span<const unsigned char> data, int pixelSize, bool emboldened = false);
    ~Font();
    Font(const Font&) = delete;
    Font& operator=(const Font&) = delete;

    // No text a player has to read is drawn smaller than this, whatever the
    // scale: a font of this size or more is held to it.
    static constexpr int kLeastPixelSize = 11;

    // The same face at `scale` times this size (at least the least legible
    // size), made once and kept; this font itself at scale 1.
    Font& at(double scale);
    int pixelSize() const { return pixelSize_; }

    const Glyph& glyph(char32_t c);
    // Whether the face draws the character itself (rather than its "missing" box).
    bool has(char32_t c) const;
    int width(std::string_view text);
    int ascent() const { return ascent_; }
    // The height of a text cell: ascent plus descent.
    int height() const { return height_; }

  private:
    struct FreeTypeState;
    std::unique_ptr<FreeTypeState> ft_;
    std::array<std::unique_ptr<Glyph>, 256> glyphs_;
    std::unordered_map<char32_t, std::unique_ptr<Glyph>> moreGlyphs_;
    std::span<const unsigned char> data_;
    int pixelSize_ = 0;
    bool emboldened_ = false;
    std::map<int, std::unique_ptr<Font>> scaled_;
    int ascent_ = 0;
    int height_ = 0;
};

// The points the text takes in `font` drawn at `scale` (the least legible
// size can make it wider than at scale 1), rounded up.
int pointWidth(Font& font, std::string_view text, double scale);

// The text as it fits `room` points of `font` drawn at `scale`: whole, or cut
// at a character with "..." after it (nothing when not even that fits).
std::string cutToWidth(Font& font, std::string text, int room, double scale);

// The text's lines ("\n" ends one) with every line wider than `room` points
// at `scale` broken at its spaces; a word wider than the room stands alone.
std::vector<std::string> wrapToWidth(Font& font, std::string_view text, int room, double scale);

// The one font every text of the game is written in: small, plain, legible,
// about the size of a classic desktop's default font.
Font& defaultFont();
// The serif the pictures' painted titles and labels are set in, at the size of
// the labels of the Results picture.
Font& labelFont();

}  // namespace tessarion
