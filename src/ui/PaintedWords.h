#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace tessarion {

class Surface;

// The words that belong to the game's pictures (the legend's plaque, the turn banner, the
// Results, the splash, the introduction, About and the lessons' captions). The pictures are
// drawn without them; the game letters them over the picture, in the window's language, at
// the window's own pixels, each where, how large and in what face the picture wants it.
//
// A word that is wider in a language than its room is set smaller, down to the least size
// that reads (or the size the picture itself shows at this scale, where that is less), and
// then closer; it overruns its room only when even that is not enough, which the surface
// reports.
namespace painted {

enum class Face { Regular, Bold, Italic };
enum class Anchor { Start, Middle, End };

// How a word is set: the size of the font's em in points, at the picture's full size; its
// colour and face; the points added between letters; whether it is set in capitals,
// whatever the language writes.
struct Look {
    double size;
    std::uint32_t colour;
    Face face;
    double spacing;
    bool capitals;
};

// One lettered word or line of a picture. Places are in the picture's points (its pixels at
// the layout's size): x is where the anchor stands, y the baseline, and the room the columns
// the word must keep to.
struct Word {
    int picture;  // its id in resources/art/pictures.txt
    // The English (marked for translation); null for the title of the lesson showing the
    // picture. "%s" stands for the game's version.
    const char* text;
    double x;
    double y;
    Anchor anchor;
    Look look;
    int roomLeft;
    int roomRight;
};

// Every word of every picture.
std::span<const Word> words();

// The text as it is lettered now: translated, filled and, for capitals, in capitals.
std::string shownText(const Word& word);

// How a word is set at one scale: the font's pixel size, the pixels between letters and
// the width of the whole, in device pixels.
struct Setting {
    int pixelSize = 0;
    double tracking = 0;
    double width = 0;
};
Setting settingFor(const Word& word, std::string_view text, double scale);

// Letters the words of the picture `pictureId` drawn with its top-left corner at (x, y)
// points of the surface.
void letter(Surface& target, int pictureId, int x, int y);

}  // namespace painted

// The text in capitals, as a title is set: the accented letters of the languages the game
// speaks keep their accents, and the German sharp s becomes SS.
std::string capitals(std::string_view text);

}  // namespace tessarion
