// The map's names as the game letters them, at the sizes of a netbook, a laptop and a 4K
// screen: none under a legion or another name, none too small to read, none left out that
// had room, and the ink where the layout says.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "game/Game.h"
#include "model/ProvinceTable.h"
#include "ui/Language.h"
#include "ui/MapLabels.h"
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

}  // namespace
}  // namespace tessarion
