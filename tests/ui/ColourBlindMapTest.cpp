// The colour-blind map on the real embedded pictures: every pair of grounds
// (the three powers' lands, the plain land of rebels and of no one, the land
// of no province, the sea) and of legions stays apart to eyes without one
// kind of cone, the legend tells the truth, and the standard map is untouched.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "game/Game.h"
#include "res/MapLand.h"
#include "support/ColourVision.h"
#include "support/TestGame.h"
#include "ui/Layout.h"
#include "ui/LegionDrawing.h"
#include "ui/MapColours.h"
#include "ui/RouteDrawing.h"
#include "ui/Screen.h"
#include "ui/ScreenFixture.h"

namespace tessarion {
namespace {

using namespace test;

// Adds the pixels of a sprite that its mask lets show.
void gatherShown(const Sprite& s, std::vector<std::uint32_t>& pixels) {
    for (int y = 0; y < s.surface.height(); ++y) {
        for (int x = 0; x < s.surface.width(); ++x) {
            if (s.mask.at(x, y) == 0) {
                pixels.push_back(s.surface.pixel(x, y) | 0xFF000000u);
            }
        }
    }
}

// The colour the most pixels of a sprite show: a legion's tunic and shield.
std::uint32_t dominantColour(const Sprite& s) {
    std::vector<std::uint32_t> pixels;
    gatherShown(s, pixels);
    std::map<std::uint32_t, int> counts;
    for (std::uint32_t colour : pixels) {
        ++counts[colour];
    }
    return std::max_element(counts.begin(), counts.end(),
                            [](const auto& a, const auto& b) { return a.second < b.second; })
        ->first;
}

// The median colour of the given overlays (0 plain, 1 yellow, 2 blue) taken together.
std::uint32_t overlayColour(const Screen& screen, std::size_t variant) {
    std::vector<std::uint32_t> pixels;
    for (std::size_t i = variant; i < screen.pictures.overlays.size(); i += 3) {
        gatherShown(screen.overlayPicture(i), pixels);
    }
    return typicalOf(pixels);
}

class ColourBlindMapTest : public GameTest {
  protected:
    void SetUp() override {
        GameTest::SetUp();
        screen_ = std::make_unique<Screen>(game(), 1366, 768);
        screen_->buildOverlayKeys();
        screen_->loadPictures();
    }
    void TearDown() override {
        screen_.reset();
        GameTest::TearDown();
    }

    // The median colour of the base map where the test says.
    template <typename Where>
    std::uint32_t mapColour(Where where) {
        return mapColourWhere(screen_->baseMap, res::MapLand::embedded(), where);
    }
    std::uint32_t provinceColour(const std::vector<std::string>& names) {
        std::set<int> indices;
        for (const std::string& name : names) {
            indices.insert(p(name)->index);
        }
        return mapColour([&](int at) { return indices.count(at) != 0; });
    }

    // Every ground as the map shows it: the name of its power and its colour.
    std::vector<std::pair<std::string, std::uint32_t>> grounds() {
        return {
            {"Roman land", provinceColour({"Italia", "Aquitania", "Africa", "Aegyptus", "Syria",
                                           "Macedonia", "Britannia", "Lusitania"})},
            {"Germanic overlay", overlayColour(*screen_, 1)},
            {"Germanic land", provinceColour({"Upper Rhine", "Sarmatia", "Lower Danube"})},
            {"Persian overlay", overlayColour(*screen_, 2)},
            {"Persian land", provinceColour({"Armenia", "Mesopotamia"})},
            {"rebel and ownerless overlay", overlayColour(*screen_, 0)},
            {"land of no province",
             mapColour([](int at) { return at == res::MapLand::kNoProvince; })},
            {"sea", mapColour([](int at) { return at == res::MapLand::kSea; })},
        };
    }

    std::unique_ptr<Screen> screen_;
};

// The first word of a ground's name is its power; two grounds of one power may look alike.
std::string powerOf(const std::string& ground) {
    return ground.substr(0, ground.find(' '));
}

TEST_F(ColourBlindMapTest, EveryGroundAndEveryLegionStandsApartForEveryEye) {
    screen_->setColourScheme(ColourScheme::ColourBlind, store::decodePicture);
    const auto shown = grounds();
    const Pictures& p = screen_->pictures;
    const std::vector<std::pair<std::string, std::uint32_t>> legions = {
        {"Roman legion", dominantColour(p.romanLegionColourBlind)},
        {"Germanic legion", dominantColour(p.barbarianLegionColourBlind)},
        {"Persian legion", dominantColour(p.sassanidLegionColourBlind)},
        {"rebel legion", dominantColour(p.rebelLegionColourBlind)},
    };
    for (const auto& set : {shown, legions}) {
        for (Vision v : kVisions) {
            for (std::size_t i = 0; i < set.size(); ++i) {
                for (std::size_t j = i + 1; j < set.size(); ++j) {
                    if (powerOf(set[i].first) == powerOf(set[j].first)) {
                        continue;
                    }
                    EXPECT_GE(seenDistance(set[i].second, set[j].second, v), 15.0)
                        << set[i].first << " (" << std::hex << set[i].second << ") and "
                        << set[j].first << " (" << set[j].second << std::dec << ") under "
                        << nameOf(v);
                }
            }
        }
    }
    // Each legion wears its land's colour, so a legion and its land go together.
    EXPECT_LT(seenDistance(legions[0].second, shown[0].second, Vision::Normal), 6);
    EXPECT_LT(seenDistance(legions[1].second, shown[1].second, Vision::Normal), 6);
    EXPECT_LT(seenDistance(legions[2].second, shown[3].second, Vision::Normal), 6);
    EXPECT_LT(seenDistance(legions[3].second, shown[5].second, Vision::Normal), 6);
}

// There and back: the standard pictures come back exactly as decoded.
TEST_F(ColourBlindMapTest, TheStandardMapStaysAsPainted) {
    const Surface standardMap = screen_->baseMap;
    const Surface standardItaly = screen_->overlayPicture(0).surface;
    screen_->setColourScheme(ColourScheme::ColourBlind, store::decodePicture);
    EXPECT_NE(screen_->baseMap.pixels(), standardMap.pixels());
    screen_->setColourScheme(ColourScheme::Standard, store::decodePicture);
    EXPECT_EQ(screen_->baseMap.pixels(), standardMap.pixels());
    EXPECT_EQ(screen_->overlayPicture(0).surface.pixels(), standardItaly.pixels());
}

TEST_F(ColourBlindMapTest, TheLegendShowsEachPowersLand) {
    Surface standard(screen_->width(), screen_->height());
    screen_->paintScreen(standard);
    screen_->setColourScheme(ColourScheme::ColourBlind, store::decodePicture);
    Surface clear(screen_->width(), screen_->height());
    screen_->paintScreen(clear);
    const auto shown = grounds();
    // Beside the Roman, Germanic, Persian and rebel legions: their lands' colours.
    const std::vector<std::pair<int, std::uint32_t>> swatches = {{145, shown[0].second},
                                                                 {240, shown[1].second},
                                                                 {330, shown[3].second},
                                                                 {445, shown[5].second}};
    for (const auto& [y, land] : swatches) {
        EXPECT_EQ(standard.pixel(124, y), kBlack) << "the standard legend has no swatches";
        EXPECT_LT(seenDistance(clear.pixel(124, y), land, Vision::Normal), 6) << "row " << y;
    }
}

// Measured on the real pictures: each legion of the colour-blind map is
// ringed in a colour far from its own land's, a refused way's dashes stand
// out from every power's land in both maps, and so do rebels from the land
// beyond the provinces.
TEST_F(ColourBlindMapTest, LegionsAndRefusedWaysStandOutFromTheLand) {
    for (const ColourScheme scheme : {ColourScheme::Standard, ColourScheme::ColourBlind}) {
        const bool clear = scheme == ColourScheme::ColourBlind;
        SCOPED_TRACE(clear ? "colour-blind map" : "standard map");
        screen_->setColourScheme(scheme, store::decodePicture);
        const auto shown = grounds();
        double closestDash = 1e9;
        double closestOutline = 1e9;
        for (const auto& [name, colour] : shown) {
            if (name == "sea" || name == "land of no province") {
                continue;  // no power's land
            }
            for (Vision v : kVisions) {
                closestDash = std::min(closestDash, seenDistance(kRouteRefused, colour, v));
                closestOutline = std::min(closestOutline, seenDistance(kLegionOutline, colour, v));
            }
        }
        EXPECT_GE(closestDash, 15.0);
        if (clear) {
            EXPECT_GE(closestOutline, 15.0);
        }
        double rebels = 1e9;
        for (Vision v : kVisions) {
            rebels = std::min(rebels, seenDistance(shown[5].second, shown[6].second, v));
        }
        EXPECT_GE(rebels, 15.0);
    }

    // The ring is drawn: around Italia's legions, on the painted screen.
    game().addLegions("Italia", &game().romans, 2);
    screen_->setColourScheme(ColourScheme::ColourBlind, store::decodePicture);
    Surface painted(screen_->width(), screen_->height());
    screen_->paintScreen(painted);
    const Province& italia = *p("Italia");
    const int x = layout::windowXOfMap(italia.legionX, 0);
    const int y = layout::windowYOfMap(italia.legionY);
    EXPECT_GT(countPixels(painted, x - 1, y - 1, x + 37, y + 66, kLegionOutline), 60);
}

}  // namespace
}  // namespace tessarion
