// The map's names as the game letters them, at the sizes of a netbook, a laptop and a 4K
// screen: none under a legion or another name, none too small to read, none left out that
// had room, and the ink where the layout says.
// The words painted on the pictures fit their rooms in every language at every scale.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <stdexcept>
#include <string>
#include <vector>

#include "PictureManifest.h"
#include "game/Game.h"
#include "game/Lessons.h"
#include "model/ProvinceTable.h"
#include "ui/Font.h"
#include "ui/Language.h"
#include "ui/MapLabels.h"
#include "ui/PaintedWords.h"
#include "ui/Pictures.h"
#include "ui/Surface.h"

namespace tessarion {
namespace {

using Box = MapLabels::Box;

bool overlapsAny(const Box& box, const std::vector<Box>& others) {
    return std::any_of(others.begin(), others.end(), [&](const Box& o) { return box.overlaps(o); });
}

TEST(MapLabels, KeptNamesAreClearAndLegibleAndOnlyNamesWithoutRoomAreDropped) {
    Game game;
    MapLabels& labels = MapLabels::embedded(game);
    ASSERT_EQ(std::count_if(labels.names().begin(), labels.names().end(),
                            [](const MapLabels::Name& n) { return !n.sea; }),
              kProvinceCount);
    // The least the netbook, the laptop and a 4K screen keep of the 30 provinces' names.
    const std::pair<double, int> scales[] = {{0.75, 16}, {1.0, 26}, {2.0, 30}};
    for (const auto& [scale, least] : scales) {
        SCOPED_TRACE(scale);
        const std::vector<MapLabels::Placed>& kept = labels.layout(scale);
        std::vector<Box> boxes;
        int provinces = 0;
        for (const MapLabels::Placed& p : kept) {
            const MapLabels::Name& name = labels.names()[p.name];
            EXPECT_GE(p.capitalPixels, MapLabels::kLeastCapitalPixels) << name.lines[0];
            EXPECT_FALSE(overlapsAny(p.box, labels.keepClear())) << name.lines[0];
            EXPECT_FALSE(overlapsAny(p.box, boxes)) << name.lines[0];
            EXPECT_TRUE(p.box.left >= 0 && p.box.top >= 0 && p.box.right <= kMapWidth &&
                        p.box.bottom <= kMapHeight)
                << name.lines[0];
            // Still the province's name, near where the tool put it.
            EXPECT_LE(std::hypot(p.x - name.x, p.y - name.y), MapLabels::kFarthest)
                << name.lines[0];
            boxes.push_back(p.box);
            provinces += name.sea ? 0 : 1;
        }
        EXPECT_GE(provinces, least);
        // A dropped name had no room where the tool put it: its box there, at the size of this
        // scale, leaves the map, lies under a legion or a kept name, or over other land.
        for (std::size_t i = 0; i < labels.names().size(); ++i) {
            const MapLabels::Name& name = labels.names()[i];
            if (std::any_of(kept.begin(), kept.end(),
                            [&](const MapLabels::Placed& p) { return p.name == i; })) {
                continue;
            }
            const Box there = labels.atAnchor(i, scale).box;
            EXPECT_TRUE(!labels.fits(there) || overlapsAny(there, boxes) ||
                        labels.foreignShare(name, there) > 0.3)
                << name.lines[0] << " was dropped at " << scale;
        }
    }
}

// The names that are not Latin are lettered in the player's language, in
// capitals without accents, and still keep clear of the legions and each other.
TEST(MapLabels, NamesThatAreNotLatinSpeakThePlayersLanguage) {
    Game game;
    MapLabels& labels = MapLabels::embedded(game);
    auto nameOf = [&](std::string_view province) -> const MapLabels::Name& {
        for (const MapLabels::Name& n : labels.names()) {
            if (!n.sea && game.provinces[static_cast<std::size_t>(n.province)]->name == province) {
                return n;
            }
        }
        ADD_FAILURE() << province;
        return labels.names().front();
    };
    const MapLabels::Name& rhine = nameOf("Upper Rhine");
    const std::pair<const char*, std::vector<std::string>> shown[] = {
        {"de", {"OBERRHEIN"}}, {"fr", {"RHIN SUPERIEUR"}}, {"en", rhine.lines}};
    for (const auto& [language, lines] : shown) {
        setLanguage(language);
        EXPECT_EQ(labels.linesOf(rhine), lines) << language;
        EXPECT_EQ(labels.linesOf(nameOf("Italia")), nameOf("Italia").lines) << language;
        std::vector<Box> boxes;
        for (const MapLabels::Placed& p : labels.layout(1.0)) {
            EXPECT_FALSE(overlapsAny(p.box, labels.keepClear())) << language << p.lines[0];
            EXPECT_FALSE(overlapsAny(p.box, boxes)) << language << p.lines[0];
            boxes.push_back(p.box);
        }
        EXPECT_GE(boxes.size(), 26u) << language;
    }
}

// The ink falls inside the laid-out boxes, and each single line's capitals stand at least
// the least height on the screen's own pixels.
TEST(MapLabels, TheInkIsWhereTheLayoutPutsIt) {
    Game game;
    MapLabels& labels = MapLabels::embedded(game);
    for (double scale : {0.75, 2.0}) {
        SCOPED_TRACE(scale);
        const int w = static_cast<int>(kMapWidth * scale);
        const int h = static_cast<int>(kMapHeight * scale);
        Surface map(w, h, kWhite);
        labels.draw(map, 0, 0, scale);
        const std::vector<MapLabels::Placed>& kept = labels.layout(scale);
        std::vector<int> inkRows(kept.size(), 0);
        int stray = 0;
        for (int y = 0; y < h; ++y) {
            std::vector<bool> rowHasInk(kept.size(), false);
            for (int x = 0; x < w; ++x) {
                if ((map.pixel(x, y) & 0xFFu) > 0x80u) {
                    continue;  // ground or halo
                }
                bool inside = false;
                for (std::size_t k = 0; k < kept.size(); ++k) {
                    const Box& b = kept[k].box;
                    if (x + 1 > b.left * scale && x < b.right * scale && y + 1 > b.top * scale &&
                        y < b.bottom * scale) {
                        inside = true;
                        rowHasInk[k] = true;
                    }
                }
                stray += inside ? 0 : 1;
            }
            for (std::size_t k = 0; k < kept.size(); ++k) {
                inkRows[k] += rowHasInk[k] ? 1 : 0;
            }
        }
        EXPECT_EQ(stray, 0);
        for (std::size_t k = 0; k < kept.size(); ++k) {
            if (kept[k].lines.size() == 1) {
                EXPECT_GE(inkRows[k], MapLabels::kLeastCapitalPixels)
                    << kept[k].lines[0] << " is too small to read";
            }
        }
    }
}

TEST(MapLabels, ATableLineItCannotReadIsLeftOut) {
    const MapLabels labels(
        "# a comment\n"
        "province Italia 100 100 6 ITALIA\n"
        "province Atlantis 100 100 6 ATLANTIS\n"
        "province Italia 100 oops 6 ITALIA\n"
        "sea - 300 300 7 MARE|NOSTRUM\n"
        "province Italia 100 100 0 ITALIA\n",
        {{"Italia", 295, 200}});
    ASSERT_EQ(labels.names().size(), 2u);
    EXPECT_EQ(labels.names()[0].province, 0);
    EXPECT_TRUE(labels.names()[1].sea);
    EXPECT_EQ(labels.names()[1].lines, (std::vector<std::string>{"MARE", "NOSTRUM"}));
}

using painted::Anchor;
using painted::Face;
using painted::Word;

constexpr const char* kLanguages[] = {"en", "de", "fr", "it", "es", "pseudo"};
// From the smallest window the game takes to a large screen's.
constexpr double kScales[] = {0.7, 0.75, 1.0, 1.5, 2.0, 3.0};

class PaintedWordsTest : public ::testing::Test {
  protected:
    void TearDown() override { setLanguage("en"); }
};

// Where a surface's pixels differ from the ground: columns and rows, ends excluded.
struct Ink {
    int left = INT_MAX;
    int right = INT_MIN;
    int top = INT_MAX;
    int bottom = INT_MIN;
    int exact = 0;  // pixels of exactly the wanted colour
};
Ink inkOf(const Surface& s, std::uint32_t ground, std::uint32_t colour) {
    Ink ink;
    for (int y = 0; y < s.pixelHeight(); ++y) {
        for (int x = 0; x < s.pixelWidth(); ++x) {
            if (s.pixel(x, y) != ground) {
                ink.left = std::min(ink.left, x);
                ink.right = std::max(ink.right, x + 1);
                ink.top = std::min(ink.top, y);
                ink.bottom = std::max(ink.bottom, y + 1);
                ink.exact += s.pixel(x, y) == colour ? 1 : 0;
            }
        }
    }
    return ink;
}

const Word& wordOf(int picture, const char* english) {
    for (const Word& w : painted::words()) {
        if (w.picture == picture && w.text != nullptr && std::string(w.text) == english) {
            return w;
        }
    }
    throw std::runtime_error(std::string("no word ") + english);
}

TEST(Capitals, KeepAccentsAndSpellTheSharpSDouble) {
    EXPECT_EQ(capitals("Légende"), "LÉGENDE");
    EXPECT_EQ(capitals("Einfälle an der Straße"), "EINFÄLLE AN DER STRASSE");
    EXPECT_EQ(capitals("Póstumo, Odénat, ñ ç ü ÿ ł ő ž"), "PÓSTUMO, ODÉNAT, Ñ Ç Ü Ÿ Ł Ő Ž");
    // Signs, figures and what is already capital stay as they are.
    EXPECT_EQ(capitals("235 d.C. × ÷ ÀÉ - %s"), "235 D.C. × ÷ ÀÉ - %S");
    EXPECT_EQ(capitals(""), "");
}

TEST_F(PaintedWordsTest, EveryLessonBandHasItsTitleAndItsLine) {
    for (const Lesson& lesson : kLessons) {
        const PictureEntry* picture = pictureNamed(lesson.picture);
        ASSERT_NE(picture, nullptr) << lesson.picture;
        int titles = 0;
        int lines = 0;
        for (const Word& w : painted::words()) {
            if (w.picture == picture->id && w.y > 346) {
                (w.text == nullptr ? titles : lines) += 1;
                if (w.text == nullptr) {
                    EXPECT_EQ(painted::shownText(w), capitals(lesson.title));
                }
            }
        }
        EXPECT_EQ(titles, 1) << lesson.picture;
        EXPECT_EQ(lines, 1) << lesson.picture;
    }
    setLanguage("de");
    const Lesson* constantine = lessonForPicture("constantine");
    for (const Word& w : painted::words()) {
        if (w.picture == pictureNamed("constantine")->id && w.text == nullptr) {
            EXPECT_EQ(painted::shownText(w), "KONSTANTIN I.") << constantine->title;
        }
    }
}

TEST_F(PaintedWordsTest, EveryWordStandsInItsRoomInsideItsPicture) {
    for (const Word& w : painted::words()) {
        const PictureSize size = pictureDrawSize(w.picture);
        const std::string name = w.text != nullptr ? w.text : "a lesson's title";
        EXPECT_TRUE(0 <= w.roomLeft && w.roomLeft < w.roomRight && w.roomRight <= size.width)
            << name << ": the room lies across the picture";
        EXPECT_TRUE(w.roomLeft <= w.x && w.x <= w.roomRight) << name << " stands in its room";
        EXPECT_TRUE(w.look.size / 2 < w.y && w.y <= size.height) << name << "'s baseline";
    }
}

// Every word fits its room in every language at every scale, never smaller than reads; in
// English, at the size the layout is drawn for and on larger screens, the words stand as the
// pictures were made for them: full size, full spacing.
TEST_F(PaintedWordsTest, EveryLanguageFitsEveryRoomAtEveryScale) {
    for (const char* language : kLanguages) {
        setLanguage(language);
        for (double scale : kScales) {
            for (const Word& w : painted::words()) {
                const std::string text = painted::shownText(w);
                const painted::Setting s = painted::settingFor(w, text, scale);
                EXPECT_LE(s.width, (w.roomRight - w.roomLeft) * scale)
                    << language << " at " << scale << ": " << text;
                EXPECT_GE(s.pixelSize,
                          std::min<long>(Font::kLeastPixelSize, std::lround(w.look.size * scale)))
                    << language << ": " << text;
                if (std::string(language) == "en" && scale >= 1) {
                    EXPECT_EQ(s.pixelSize, std::lround(w.look.size * scale)) << text << scale;
                    EXPECT_NEAR(s.tracking, w.look.spacing * s.pixelSize / w.look.size, 1e-9)
                        << text;
                }
            }
        }
    }
}

TEST_F(PaintedWordsTest, AWiderWordIsSetSmallerThenCloserButNoSmallerThanReads) {
    const Word& plaque = wordOf(pic::legendTitle.id, "Legend");
    const double room = plaque.roomRight - plaque.roomLeft;
    const painted::Setting english = painted::settingFor(plaque, "LEGEND", 1);
    const painted::Setting longer = painted::settingFor(plaque, "LEGENDLEGEND", 1);
    EXPECT_LT(longer.pixelSize, english.pixelSize);
    EXPECT_GT(longer.pixelSize, Font::kLeastPixelSize);
    EXPECT_LE(longer.width, room);
    // One size larger would not have fitted.
    Word larger = plaque;
    larger.look.size = longer.pixelSize + 1;
    larger.look.spacing = plaque.look.spacing * larger.look.size / plaque.look.size;
    EXPECT_EQ(painted::settingFor(larger, "LEGENDLEGEND", 1).pixelSize, longer.pixelSize);

    // Much longer: at the least size the letters close up, as far as touching.
    const painted::Setting closer = painted::settingFor(plaque, "LEGENDLEGENDLEGE", 1);
    EXPECT_EQ(closer.pixelSize, Font::kLeastPixelSize);
    EXPECT_LT(closer.tracking, plaque.look.spacing * closer.pixelSize / plaque.look.size);
    EXPECT_NEAR(closer.width, room, 1.0);
    const painted::Setting touching = painted::settingFor(plaque, std::string(40, 'M'), 1);
    EXPECT_EQ(touching.pixelSize, Font::kLeastPixelSize);
    EXPECT_EQ(touching.tracking, 0);
    EXPECT_GT(touching.width, room) << "left to overrun, where the surface reports it";
}

TEST_F(PaintedWordsTest, LettersThePlaqueInItsGoldAboutItsMiddle) {
    const Word& plaque = wordOf(pic::legendTitle.id, "Legend");
    for (double scale : {1.0, 1.5, 2.0}) {
        Surface s(200, 80, kBlack, scale);
        painted::letter(s, pic::legendTitle.id, 10, 5);
        const Ink ink = inkOf(s, kBlack, 0xFFD9A93Au);
        ASSERT_GT(ink.exact, 20) << scale;
        EXPECT_GE(ink.left, (10 + plaque.roomLeft) * scale);
        EXPECT_LE(ink.right, (10 + plaque.roomRight) * scale);
        EXPECT_NEAR((ink.left + ink.right) / 2.0, (10 + 81) * scale, 2 * scale);
        // Capitals on the baseline: nothing hangs below it.
        EXPECT_LE(ink.bottom, std::lround((5 + 39) * scale) + 1);
        EXPECT_GT(ink.top, (5 + 39 - 27) * scale);

        setLanguage("de");
        Surface german(200, 80, kBlack, scale);
        painted::letter(german, pic::legendTitle.id, 10, 5);
        EXPECT_NE(german.pixels(), s.pixels()) << "LEGENDE is not LEGEND";
        setLanguage("en");
    }
}

TEST_F(PaintedWordsTest, TheResultsLabelsEndWhereTheNumbersBeginInEveryLanguage) {
    const Word& label = wordOf(pic::results.id, "Rebellions:");
    for (const char* language : kLanguages) {
        setLanguage(language);
        for (double scale : {0.75, 1.0, 2.0}) {
            Surface s(600, 400, kBlack, scale);
            painted::letter(s, pic::results.id, 0, 0);
            // The third label's row alone.
            Surface row(600, 40, kBlack, scale);
            row.blit(s, 0, static_cast<int>(label.y) - 30, 600, 40, 0, 0);
            const Ink ink = inkOf(row, kBlack, label.look.colour);
            EXPECT_NEAR(ink.right, 410 * scale, 4 * scale) << language << " at " << scale;
            EXPECT_GE(ink.left, label.roomLeft * scale) << language;
        }
    }
}

TEST_F(PaintedWordsTest, NothingIsLetteredOverAPictureWithoutWords) {
    Surface s(100, 100, kBlack);
    painted::letter(s, pic::fullCoin.id, 0, 0);
    painted::letter(s, -1, 0, 0);
    EXPECT_EQ(inkOf(s, kBlack, kBlack).exact, 0);
    EXPECT_EQ(inkOf(s, kBlack, kBlack).right, INT_MIN);
}

}  // namespace
}  // namespace tessarion
