#include "ui/PaintedWords.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>
#include <utility>

#include "PictureManifest.h"
#include "Version.h"
#include "game/Lessons.h"
#include "ui/Font.h"
#include "ui/Language.h"
#include "ui/PictureStore.h"
#include "ui/Pictures.h"
#include "ui/Surface.h"

namespace tessarion {
namespace painted {

namespace {

constexpr std::uint32_t kGold = 0xFFD9A93Au;
constexpr std::uint32_t kCream = 0xFFFBE7B0u;
constexpr std::uint32_t kPale = 0xFFF4E4C0u;
constexpr std::uint32_t kStraw = 0xFFE8C77Au;
constexpr std::uint32_t kInk = 0xFF2E1C14u;
constexpr std::uint32_t kDeepRed = 0xFF7D1C18u;
constexpr std::uint32_t kPurple = 0xFF6D2A6Au;

using A = Anchor;
using F = Face;

constexpr Look kCaptionTitle{25, kCream, F::Bold, 2, true};
constexpr Look kCaptionLine{12.5, kStraw, F::Italic, 1.25, false};
constexpr Look kPartName{16, kInk, F::Bold, 1.5, true};
constexpr Look kRulerName{13, kInk, F::Italic, 0, false};
constexpr Look kResultLabel{26, kPale, F::Bold, 0, false};
constexpr Look kAboutLine{13, kInk, F::Regular, 0, false};

// A lesson's band: its title over one line of what happened.
constexpr Word title(const PictureEntry& p) {
    return {p.id, nullptr, 300, 377, A::Middle, kCaptionTitle, 10, 590};
}
constexpr Word line(const PictureEntry& p, const char* text) {
    return {p.id, text, 300, 394, A::Middle, kCaptionLine, 4, 596};
}
// Three Empires' key: each part's name beside its swatch, and its ruler under the name.
constexpr Word part(int row, const char* name) {
    return {pic::threeEmpires.id, name, 330, 251.0 + 34 * row, A::Start, kPartName, 330, 592};
}
constexpr Word ruler(int row, const char* name) {
    return {pic::threeEmpires.id, name, 330, 267.0 + 34 * row, A::Start, kRulerName, 330, 592};
}
// The Results' labels end left of the slots (x 424 on) where the numbers go.
constexpr Word label(int y, const char* text) {
    return {pic::results.id, text, 410, y + 14.0, A::End, kResultLabel, 20, 418};
}
constexpr Word about(double y, const char* text, Look look) {
    return {pic::about.id, text, 300, y, A::Middle, look, 24, 576};
}

// clang-format off
constexpr Word kWords[] = {
    // The map's legend: its plaque, between the two gold points.
    {pic::legendTitle.id, N_("Legend"), 81, 39, A::Middle, {27, kGold, F::Bold, 3.2, true},
     18, 144},
    {pic::turnBanner.id, N_("Computer turn"), 127, 27, A::Middle, {21, kCream, F::Bold, 2, true},
     10, 244},
    {pic::results.id, N_("You survived"), 300, 72, A::Middle, {36, kGold, F::Bold, 3, true},
     20, 580},
    label(127, N_("Invasions:")),
    label(168, N_("Plagues:")),
    label(210, N_("Rebellions:")),
    {pic::intro.id, N_("The Roman Empire, 235 AD"), 300, 305, A::Middle,
     {22, kPale, F::Italic, 0, false}, 10, 590},
    {pic::intro.id, N_("Hold the frontiers through the Crisis of the Third Century"), 300, 340,
     A::Middle, {15, kStraw, F::Regular, 0, false}, 10, 590},
    {pic::splash.id, N_("A game of the late Roman Empire, 235 - 476 AD"), 320, 300, A::Middle,
     {20, kPale, F::Italic, 0, false}, 44, 596},
    about(236, N_("A game of the late Roman Empire"), {20, kInk, F::Italic, 0, false}),
    about(268, N_("Version %s"), {16, kInk, F::Regular, 0, false}),
    about(320, N_("Map, pictures, music and narration made for this game."), kAboutLine),
    about(340, N_("Lettering in DejaVu Sans and EB Garamond."), kAboutLine),
    title(pic::maximinus),
    line(pic::maximinus, N_("235 - 238 AD: the legions make a soldier emperor")),
    title(pic::threeEmpires),
    line(pic::threeEmpires, N_("260 AD: Valerian is taken by Shapur; Gaul and Palmyra break away")),
    part(0, N_("Gallic Empire")),
    ruler(0, N_("Postumus")),
    part(1, N_("Rome")),
    ruler(1, N_("Gallienus")),
    part(2, N_("Palmyra")),
    ruler(2, N_("Odaenathus")),
    title(pic::aurelian),
    line(pic::aurelian, N_("270 - 275 AD: Restitutor Orbis walls Rome and reunites the empire")),
    title(pic::diocletian),
    line(pic::diocletian, N_("284 - 305 AD: four emperors share the rule of the empire")),
    title(pic::constantine),
    line(pic::constantine, N_("306 - 337 AD: in this sign conquer; a new Rome on the Bosporus")),
    title(pic::adrianople),
    line(pic::adrianople, N_("378 AD: the Goths destroy the eastern army; Valens falls")),
    title(pic::theodosius),
    line(pic::theodosius,
         N_("379 - 395 AD: the last to rule east and west; at his death the empire divides")),
    // Theodosius' heirs, beside their halves' swatches under the map.
    {pic::theodosius.id, N_("West: Honorius"), 52, 313, A::Start,
     {13, kDeepRed, F::Bold, 0, true}, 52, 436},
    {pic::theodosius.id, N_("East: Arcadius"), 52, 335, A::Start,
     {13, kPurple, F::Bold, 0, true}, 52, 436},
    title(pic::visigoths),
    line(pic::visigoths, N_("Alaric and the Visigoths take Rome, the first time in 800 years")),
    title(pic::vandals),
    line(pic::vandals, N_("Gaiseric's Vandals sail from Carthage and plunder Rome for two weeks")),
    title(pic::odoacer),
    line(pic::odoacer, N_("476 AD: Odoacer deposes the last emperor in the west")),
};
// clang-format on

// The embedded bold has no accented letters: a bold word that needs one is set in the
// regular face, thickened, whole, so that its letters stay alike.
enum class Cut { Regular, Bold, Italic, ThickenedRegular };

Font& fontOf(Cut cut, int pixelSize) {
    static std::map<std::pair<Cut, int>, std::unique_ptr<Font>> fonts;
    std::unique_ptr<Font>& slot = fonts[{cut, pixelSize}];
    if (!slot) {
        const char* name = cut == Cut::Bold     ? "serif-bold"
                           : cut == Cut::Italic ? "serif-italic"
                                                : "serif";
        slot =
            std::make_unique<Font>(store::fontData(name), pixelSize, cut == Cut::ThickenedRegular);
    }
    return *slot;
}

Font& fontFor(Face face, std::string_view text, int pixelSize) {
    if (face == Face::Italic) {
        return fontOf(Cut::Italic, pixelSize);
    }
    if (face == Face::Regular) {
        return fontOf(Cut::Regular, pixelSize);
    }
    Font& bold = fontOf(Cut::Bold, pixelSize);
    for (std::size_t at = 0; at < text.size();) {
        const char32_t c = nextCharacter(text, at);
        if (c > ' ' && !bold.has(c)) {
            return fontOf(Cut::ThickenedRegular, pixelSize);
        }
    }
    return bold;
}

// The title of the lesson whose picture this is; empty for any other.
std::string lessonTitle(int pictureId) {
    for (const Lesson& lesson : kLessons) {
        const PictureEntry* p = pictureNamed(lesson.picture);
        if (p != nullptr && p->id == pictureId) {
            return tr(lesson.title);
        }
    }
    return "";
}

std::string versionNumber() {
    // The title is the game's name, a space and its version.
    const std::string_view full = kGameTitle;
    return std::string(full.substr(full.rfind(' ') + 1));
}

double widthAt(Font& font, std::string_view text, double tracking) {
    int letters = 0;
    for (std::size_t at = 0; at < text.size(); ++letters) {
        nextCharacter(text, at);
    }
    return font.width(text) + tracking * std::max(0, letters - 1);
}

}  // namespace

std::span<const Word> words() {
    return kWords;
}

std::string shownText(const Word& word) {
    const std::string text =
        word.text == nullptr ? lessonTitle(word.picture) : trFormat(word.text, {versionNumber()});
    return word.look.capitals ? capitals(text) : text;
}

Setting settingFor(const Word& word, std::string_view text, double scale) {
    const double room = (word.roomRight - word.roomLeft) * scale;
    // As large as the picture wants it, held to the least size that reads. A longer word
    // may be set smaller, down to that least size, or down to the size the picture itself
    // shows at this scale where that is less.
    const int designed = std::max(1, static_cast<int>(std::lround(word.look.size * scale)));
    const int least = std::min(designed, Font::kLeastPixelSize);
    const int size = std::max(designed, Font::kLeastPixelSize);
    const auto at = [&](int pixels) {
        const double tracking = word.look.spacing * pixels / word.look.size;
        return Setting{pixels, tracking,
                       widthAt(fontFor(word.look.face, text, pixels), text, tracking)};
    };
    Setting s = at(size);
    while (s.width > room && s.pixelSize > least) {
        s = at(s.pixelSize - 1);
    }
    if (s.width > room && s.tracking > 0) {
        // At the least size, the letters close up as far as they must.
        const double letters =
            s.width - widthAt(fontFor(word.look.face, text, s.pixelSize), text, 0);
        const double closed = std::max(0.0, s.tracking * (1 - (s.width - room) / letters));
        s = {s.pixelSize, closed,
             widthAt(fontFor(word.look.face, text, s.pixelSize), text, closed)};
    }
    return s;
}

void letter(Surface& target, int pictureId, int x, int y) {
    const double scale = target.scale();
    const TextStyle saved = target.text;
    for (const Word& word : words()) {
        if (word.picture != pictureId) {
            continue;
        }
        const std::string text = shownText(word);
        const Setting s = settingFor(word, text, scale);
        const double anchor = (x + word.x) * scale;
        const double pen = word.anchor == Anchor::Start    ? anchor
                           : word.anchor == Anchor::Middle ? anchor - s.width / 2
                                                           : anchor - s.width;
        target.text = {word.look.colour, kBlack, false};
        const TextRoom room(target, x + word.roomLeft, x + word.roomRight);
        target.drawLetters(pen, static_cast<int>(std::lround((y + word.y) * scale)), text,
                           fontFor(word.look.face, text, s.pixelSize), s.tracking);
    }
    target.text = saved;
}

}  // namespace painted

namespace {

void appendCharacter(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

char32_t capitalOf(char32_t c) {
    if ((c >= 'a' && c <= 'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7)) {
        return c - 0x20;
    }
    if (c == 0xFF) {
        return 0x178;
    }
    // Latin Extended-A pairs its letters capital first (the dotless i and the long s aside).
    const bool evenPairs = (c >= 0x100 && c <= 0x137) || (c >= 0x14A && c <= 0x177);
    const bool oddPairs = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
    if ((evenPairs && c % 2 == 1) || (oddPairs && c % 2 == 0)) {
        return c - 1;
    }
    return c;
}

}  // namespace

std::string capitals(std::string_view text) {
    std::string out;
    for (std::size_t at = 0; at < text.size();) {
        const char32_t c = nextCharacter(text, at);
        if (c == 0xDF) {
            out += "SS";
        } else {
            appendCharacter(out, capitalOf(c));
        }
    }
    return out;
}

}  // namespace tessarion
