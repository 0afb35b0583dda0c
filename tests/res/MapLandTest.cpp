// The painted map against the numbers the rules use: whose land lies where, as the map tool
// drew it into the pictures the game embeds. The overlays, seas, islands and the larger map
// are checked by the build (resources/art/check_pictures.py).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/Game.h"
#include "model/ProvinceTable.h"
#include "res/MapLand.h"
#include "res/ResourceStore.h"

namespace tessarion {
namespace {

using res::MapLand;
constexpr int W = MapLand::kWidth;
constexpr int H = MapLand::kHeight;

TEST(MapLand, DamagedDataLeavesAnEmptyMapAndTheEmbeddedOneIsWhole) {
    const unsigned char shortRun[] = {3, 10, 0};
    const unsigned char ragged[] = {3, 10};
    const unsigned char zero[] = {3, 0, 0, 3, 0xFF, 0xFF};
    for (std::span<const unsigned char> bad :
         {std::span<const unsigned char>(shortRun), std::span<const unsigned char>(ragged),
          std::span<const unsigned char>(zero)}) {
        MapLand land(bad);
        EXPECT_TRUE(land.empty());
        EXPECT_EQ(land.at(0, 0), MapLand::kSea);
    }
    // Exactly the map: one run of land of no province, then the rest sea.
    std::vector<unsigned char> runs = {254, 5, 0};
    std::size_t left = static_cast<std::size_t>(W) * H - 5;
    while (left > 0) {
        std::size_t n = std::min<std::size_t>(left, 0xFFFF);
        runs.insert(runs.end(), {255, static_cast<unsigned char>(n & 0xFF),
                                 static_cast<unsigned char>(n >> 8)});
        left -= n;
    }
    MapLand tiny(runs);
    ASSERT_FALSE(tiny.empty());
    EXPECT_EQ(tiny.at(4, 0), MapLand::kNoProvince);
    EXPECT_EQ(tiny.at(5, 0), MapLand::kSea);
    EXPECT_EQ(tiny.at(-1, 0), MapLand::kSea);
    EXPECT_EQ(tiny.at(W, 0), MapLand::kSea);

    EXPECT_FALSE(MapLand::embedded().empty());
    // The land of the map drawn larger, for screens larger than the layout.
    EXPECT_EQ(MapLand::embeddedAt(res::kLargePictureScale).width(), res::kLargePictureScale * W);
}

// The click rectangles never lie on another province's land; the sea under them is bounded,
// and only where real geography puts a sea in a rectangle (the Aegean and Ionian in
// Macedonia's, the North Sea in Britannia's, the Gulf of Sidra in Africa's).
TEST(MapLand, ClickRectanglesLieOnTheirOwnLandOrOnTheSea) {
    Game game;
    const MapLand& land = MapLand::embedded();
    std::vector<int> total(game.provinces.size(), 0);
    std::vector<int> sea(game.provinces.size(), 0);
    int all = 0;
    int allSea = 0;
    for (int y = 0; y < H; ++y) {
        for (int x = 0; x < W; ++x) {
            const Province* p = provinceAt(game, x, y);
            if (p == nullptr) {
                continue;
            }
            const int own = p->index;
            const int under = land.at(x, y);
            ASSERT_TRUE(under == own || under == MapLand::kSea)
                << p->name << " at " << x << "," << y << " lies on " << under;
            ++total[static_cast<std::size_t>(own)];
            ++all;
            if (under == MapLand::kSea) {
                ++sea[static_cast<std::size_t>(own)];
                ++allSea;
            }
        }
    }
    EXPECT_LT(allSea * 100, all * 15);
    for (std::size_t i = 0; i < game.provinces.size(); ++i) {
        const std::string& name = game.provinces[i]->name;
        const int limit = name == "Macedonia" ? 70 : 35;
        EXPECT_LT(sea[i] * 100, total[i] * limit) << name;
    }
}

}  // namespace
}  // namespace tessarion
