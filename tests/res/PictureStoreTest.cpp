#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

#include "game/Game.h"
#include "model/ProvinceTable.h"
#include "res/MapLand.h"
#include "res/ResourceStore.h"
#include "ui/Layout.h"
#include "ui/Pictures.h"

namespace tessarion {
namespace {

using res::Image;

// The overlays as the screen draws them (window positions; map point = window
// point - (180, 30)): the art must agree with that table, not with a copy of it.
using Overlay = OverlaySpec;

struct Masked {
    int picture, mask, width, height;
};

// Every masked picture outside the overlays: icons, markers, the panel and the frames.
std::vector<Masked> maskedPictures() {
    std::vector<Masked> list = {
        {168, 169, 35, 65}, {170, 169, 35, 65}, {179, 180, 43, 60},   {114, 119, 40, 60},
        {183, 184, 35, 65}, {229, 230, 23, 23}, {264, 265, 355, 664}, {288, 291, 87, 65},
        {289, 292, 87, 65}, {290, 293, 87, 65}, {260, 261, 46, 60},   {262, 263, 46, 60},
    };
    auto series = [&list](int first, int firstMask, int count, int w, int h) {
        for (int i = 0; i < count; ++i) {
            list.push_back({first + i, firstMask + i, w, h});
        }
    };
    series(270, 279, 9, 87, 65);
    series(302, 305, 3, 63, 60);
    series(308, 312, 4, 40, 60);
    series(316, 322, 6, 49, 60);
    series(294, 298, 4, 54, 60);
    return list;
}

std::uint32_t pixel(const Image& image, int x, int y) {
    return image.pixels[static_cast<std::size_t>(y) * image.width + x] & 0xFFFFFFu;
}
int red(std::uint32_t c) {
    return static_cast<int>((c >> 16) & 0xFF);
}
int green(std::uint32_t c) {
    return static_cast<int>((c >> 8) & 0xFF);
}
int blue(std::uint32_t c) {
    return static_cast<int>(c & 0xFF);
}

bool opaqueInMask(const Image& mask, int x, int y) {
    return x >= 0 && y >= 0 && x < mask.width && y < mask.height && pixel(mask, x, y) == 0;
}

// A province's overlay mask, as a test on map coordinates.
struct PlacedMask {
    Image mask;
    int left = 0;
    int top = 0;
    bool covers(int mx, int my) const { return opaqueInMask(mask, mx - left, my - top); }
};

PlacedMask overlayMask(const Overlay& o) {
    return {res::decodePicture(o.mask), layout::mapXOfWindow(o.x, 0), layout::mapYOfWindow(o.y)};
}

// provinceAt for every map pixel, worked out once: the tests below ask it millions of times.
class ClickGrid {
  public:
    static const ClickGrid& get() {
        static const ClickGrid grid;
        return grid;
    }
    const Province* at(int x, int y) const {
        if (x < 0 || y < 0 || x >= 800 || y >= 548) {
            return nullptr;
        }
        return cells_[static_cast<std::size_t>(y) * 800 + x];
    }
    // Inside the province's own rectangles by at least `margin` pixels in every direction, as
    // the clicks resolve them.
    bool deepInside(const Province* p, int x, int y, int margin) const {
        for (int dy = -margin; dy <= margin; dy += margin) {
            for (int dx = -margin; dx <= margin; dx += margin) {
                if (at(x + dx, y + dy) != p) {
                    return false;
                }
            }
        }
        return true;
    }
    Game& game() const { return *game_; }

  private:
    ClickGrid() : game_(std::make_unique<Game>()), cells_(800 * 548) {
        for (int y = 0; y < 548; ++y) {
            for (int x = 0; x < 800; ++x) {
                cells_[static_cast<std::size_t>(y) * 800 + x] = provinceAt(*game_, x, y);
            }
        }
    }
    std::unique_ptr<Game> game_;
    std::vector<const Province*> cells_;
};

TEST(PictureStore, EveryPictureIsThereAtItsDrawSize) {
    std::vector<std::array<int, 3>> sizes = {
        {111, 800, 548}, {251, 100, 15},  {185, 162, 57},  {268, 20, 20}, {269, 20, 20},
        {234, 254, 38},  {231, 25, 25},   {232, 25, 25},   {182, 68, 78}, {165, 640, 480},
        {267, 600, 400}, {250, 600, 400}, {266, 600, 400},
    };
    for (int lesson : {160, 161, 162, 163, 164, 187, 233, 235, 248, 249}) {
        sizes.push_back({lesson, 600, 400});
    }
    for (const Masked& m : maskedPictures()) {
        sizes.push_back({m.picture, m.width, m.height});
        sizes.push_back({m.mask, m.width, m.height});
    }
    for (const Overlay& o : kOverlays) {
        for (int id : {o.plain, o.yellow, o.blue, o.mask}) {
            sizes.push_back({id, o.width, o.height});
        }
    }
    for (const auto& [id, w, h] : sizes) {
        Image image = res::decodePicture(id);
        EXPECT_EQ(image.width, w) << "picture " << id;
        EXPECT_EQ(image.height, h) << "picture " << id;
    }
    for (int icon : {107, 108}) {
        Image image = res::decodePicture(icon);
        EXPECT_EQ(image.width, image.height) << "application icon " << icon;
        EXPECT_GE(image.width, 16);
    }
    std::vector<int> ids = res::pictureIds();
    EXPECT_TRUE(std::is_sorted(ids.begin(), ids.end()));
    EXPECT_GE(ids.size(), sizes.size());
}

TEST(PictureStore, UnknownPicturesAreEmpty) {
    EXPECT_FALSE(res::hasPicture(9999));
    EXPECT_TRUE(res::pictureData(9999).empty());
    EXPECT_EQ(res::decodePicture(9999).width, 0);
    EXPECT_TRUE(res::decodePicture(-1).pixels.empty());
    EXPECT_TRUE(res::fontData("mono").empty());
    EXPECT_TRUE(res::soundData("IDR_NO_SUCH_SOUND").empty());
    EXPECT_TRUE(res::lessonScript("IDR_NO_SUCH_LESSON").empty());
}

TEST(PictureStore, FontsAreEmbedded) {
    auto sans = res::fontData("sans");
    auto serif = res::fontData("serif");
    ASSERT_GT(sans.size(), 100000u);
    ASSERT_GT(serif.size(), 100000u);
    EXPECT_TRUE(sans[0] == 0 && sans[1] == 1 && sans[2] == 0 && sans[3] == 0);  // TrueType
    EXPECT_EQ(std::string(serif.begin(), serif.begin() + 4), "OTTO");           // OpenType/CFF
}

// Drawing a sprite ANDs the mask and ORs the picture: anything but black where the mask is
// white would smear colour over the map.
TEST(PictureStore, MasksAgreeWithTheirPictures) {
    std::vector<Masked> pairs = maskedPictures();
    for (const Overlay& o : kOverlays) {
        for (int id : {o.plain, o.yellow, o.blue}) {
            pairs.push_back({id, o.mask, o.width, o.height});
        }
    }
    for (const Masked& m : pairs) {
        Image picture = res::decodePicture(m.picture);
        Image mask = res::decodePicture(m.mask);
        ASSERT_EQ(picture.pixels.size(), mask.pixels.size()) << m.picture;
        int opaque = 0;
        int leaks = 0;
        int grey = 0;
        for (std::size_t i = 0; i < mask.pixels.size(); ++i) {
            std::uint32_t mk = mask.pixels[i] & 0xFFFFFFu;
            grey += mk != 0 && mk != 0xFFFFFFu;
            opaque += mk == 0;
            leaks += mk == 0xFFFFFFu && (picture.pixels[i] & 0xFFFFFFu) != 0;
        }
        EXPECT_EQ(leaks, 0) << "picture " << m.picture << " shows through its mask " << m.mask;
        EXPECT_EQ(grey, 0) << "mask " << m.mask << " is not pure black and white";
        EXPECT_GT(opaque, static_cast<int>(mask.pixels.size() / 20)) << "mask " << m.mask;
    }
}

TEST(PictureStore, EachOverlayCoversItsOwnProvinceAndNoOther) {
    const ClickGrid& grid = ClickGrid::get();
    for (const Overlay& o : kOverlays) {
        const Province* own = grid.game().findProvince(o.province);
        PlacedMask mask = overlayMask(o);
        int inside = 0;
        int covered = 0;
        int trespass = 0;
        for (int y = 0; y < 548; ++y) {
            for (int x = 0; x < 800; ++x) {
                const Province* p = grid.at(x, y);
                // Where a rectangle reaches over real sea, the sea shows.
                const bool land = res::MapLand::embedded().at(x, y) != res::MapLand::kSea;
                if (p == own && land && grid.deepInside(own, x, y, 1)) {
                    ++inside;
                    covered += mask.covers(x, y);
                } else if (p != nullptr && p != own && grid.deepInside(p, x, y, 2)) {
                    trespass += mask.covers(x, y);
                }
            }
        }
        ASSERT_GT(inside, 0) << o.province;
        EXPECT_GT(covered, inside * 9 / 10)
            << o.province << " covers " << covered << " of " << inside;
        EXPECT_EQ(trespass, 0) << o.province << " spills onto its neighbours";
    }
}

TEST(PictureStore, OverlaysOfOneProvinceShareOneShape) {
    for (const Overlay& o : kOverlays) {
        Image plain = res::decodePicture(o.plain);
        Image yellow = res::decodePicture(o.yellow);
        Image magenta = res::decodePicture(o.blue);
        Image mask = res::decodePicture(o.mask);
        long r[3] = {0, 0, 0};
        long g[3] = {0, 0, 0};
        long b[3] = {0, 0, 0};
        for (std::size_t i = 0; i < mask.pixels.size(); ++i) {
            if ((mask.pixels[i] & 0xFFFFFFu) != 0) {
                continue;
            }
            const Image* pics[3] = {&plain, &yellow, &magenta};
            for (int k = 0; k < 3; ++k) {
                std::uint32_t c = pics[k]->pixels[i];
                r[k] += red(c);
                g[k] += green(c);
                b[k] += blue(c);
            }
        }
        // Plain reads white, "-yellow" yellow and "-blue" magenta.
        EXPECT_GT(std::min({r[0], g[0], b[0]}) * 10, std::max({r[0], g[0], b[0]}) * 8)
            << o.province << " plain";
        EXPECT_GT(g[1], b[1] * 3 / 2) << o.province << " yellow";
        EXPECT_GT(r[1], b[1] * 3 / 2) << o.province << " yellow";
        EXPECT_GT(b[2], g[2] * 3 / 2) << o.province << " magenta";
        EXPECT_GT(r[2], g[2] * 3 / 2) << o.province << " magenta";
    }
}

TEST(PictureStore, MapShowsSeasAndTheColoursOfThePowers) {
    Image map = res::decodePicture(111);
    ASSERT_EQ(map.width, 800);
    // Atlantic, western Mediterranean, Ionian Sea, Black Sea, Red Sea.
    for (auto [x, y] : std::vector<std::pair<int, int>>{
             {60, 120}, {20, 230}, {225, 330}, {380, 335}, {630, 200}, {625, 540}}) {
        std::uint32_t c = pixel(map, x, y);
        EXPECT_GT(blue(c), red(c) + 30) << "sea at " << x << "," << y;
    }
    const ClickGrid& grid = ClickGrid::get();
    auto share = [&](const char* name, auto isColour) {
        const Province* p = grid.game().findProvince(name);
        int total = 0;
        int match = 0;
        for (int y = 0; y < 548; ++y) {
            for (int x = 0; x < 800; ++x) {
                if (grid.at(x, y) == p && grid.deepInside(p, x, y, 3) &&
                    res::MapLand::embedded().at(x, y) != res::MapLand::kSea) {
                    ++total;
                    match += isColour(pixel(map, x, y));
                }
            }
        }
        return total == 0 ? 0.0 : static_cast<double>(match) / total;
    };
    auto lightRed = [](std::uint32_t c) {
        return red(c) > 180 && red(c) > green(c) + 40 && red(c) > blue(c) + 40;
    };
    auto yellow = [](std::uint32_t c) {
        return red(c) > 170 && green(c) > 140 && blue(c) + 60 < green(c);
    };
    auto magenta = [](std::uint32_t c) {
        return red(c) > 140 && blue(c) > 120 && green(c) + 50 < blue(c);
    };
    for (const char* roman : {"Italia", "Aegyptus", "Britannia", "Dacia", "Syria"}) {
        EXPECT_GT(share(roman, lightRed), 0.7) << roman;
    }
    for (const char* germanic :
         {"Upper Rhine", "Lower Rhine", "Upper Danube", "Lower Danube", "Sarmatia"}) {
        EXPECT_GT(share(germanic, yellow), 0.7) << germanic;
    }
    for (const char* persian : {"Armenia", "Mesopotamia"}) {
        EXPECT_GT(share(persian, magenta), 0.7) << persian;
    }
}

// The icons stand at the anchors: some of the province's own land must lie under each.
TEST(PictureStore, LegionIconsStandOnTheirProvinces) {
    const ClickGrid& grid = ClickGrid::get();
    Image map = res::decodePicture(111);
    for (const auto& p : grid.game().provinces) {
        const Overlay* overlay = nullptr;
        for (const Overlay& o : kOverlays) {
            overlay = p->name == o.province ? &o : overlay;
        }
        PlacedMask mask;
        if (overlay != nullptr) {
            mask = overlayMask(*overlay);
        }
        int own = 0;
        for (int y = p->legionY; y < p->legionY + 65 && y < 548; ++y) {
            for (int x = p->legionX; x < p->legionX + 35 && x < 800; ++x) {
                std::uint32_t c = pixel(map, x, y);
                bool land = overlay != nullptr ? mask.covers(x, y)
                                               : grid.at(x, y) == p.get() && blue(c) < red(c);
                own += land;
            }
        }
        EXPECT_GT(own, 35 * 65 / 8) << p->name;
    }
}

// The CONSTANTINOPLE label replaces the city's old name in place: it matches the map around
// the lettering, and differs from it where the letters are.
TEST(PictureStore, ConstantinopleLabelFitsOverByzantium) {
    Image map = res::decodePicture(111);
    Image label = res::decodePicture(251);
    ASSERT_EQ(label.width, 100);
    int same = 0;
    int different = 0;
    for (int y = 0; y < label.height; ++y) {
        for (int x = 0; x < label.width; ++x) {
            bool equal = pixel(label, x, y) == pixel(map, 544 + x, 264 + y);
            same += equal;
            different += !equal;
        }
    }
    EXPECT_GT(same, 400);
    EXPECT_GT(different, 100);
    for (int x : {0, 99}) {
        EXPECT_EQ(pixel(label, x, 0), pixel(map, 544 + x, 264));
    }
}

struct Box {
    int left = 1 << 20, top = 1 << 20, right = -1, bottom = -1;
};
Box opaqueBox(const Image& mask) {
    Box b;
    for (int y = 0; y < mask.height; ++y) {
        for (int x = 0; x < mask.width; ++x) {
            if (pixel(mask, x, y) == 0) {
                b.left = std::min(b.left, x);
                b.right = std::max(b.right, x);
                b.top = std::min(b.top, y);
                b.bottom = std::max(b.bottom, y);
            }
        }
    }
    return b;
}

TEST(PictureStore, MarchesMoveAndFallsFall) {
    // Successive march frames differ: the legs swing.
    for (auto [first, count] : std::vector<std::pair<int, int>>{{279, 9}, {305, 3}, {312, 4}}) {
        for (int i = 0; i + 1 < count; ++i) {
            Image a = res::decodePicture(first + i);
            Image b = res::decodePicture(first + i + 1);
            int changed = 0;
            for (std::size_t k = 0; k < a.pixels.size(); ++k) {
                changed += a.pixels[k] != b.pixels[k];
            }
            EXPECT_GT(changed, 40) << "frames " << first + i << " and " << first + i + 1;
        }
    }
    // The last frame of a fall lies low: its figure is much shorter than the first one's.
    for (auto [firstMask, lastMask] :
         std::vector<std::pair<int, int>>{{291, 293}, {261, 263}, {322, 327}, {298, 301}}) {
        Box standing = opaqueBox(res::decodePicture(firstMask));
        Box lying = opaqueBox(res::decodePicture(lastMask));
        EXPECT_LT((lying.bottom - lying.top) * 10, (standing.bottom - standing.top) * 7)
            << "mask " << lastMask;
        EXPECT_GT(lying.bottom, 50) << "mask " << lastMask << " should lie on the ground";
    }
}

TEST(PictureStore, PaleLegionIsTheFullOneWashedOut) {
    Image full = res::decodePicture(168);
    Image pale = res::decodePicture(170);
    ASSERT_EQ(full.pixels.size(), pale.pixels.size());
    long fullSpread = 0;
    long paleSpread = 0;
    for (std::size_t i = 0; i < full.pixels.size(); ++i) {
        EXPECT_EQ((full.pixels[i] & 0xFFFFFFu) == 0, (pale.pixels[i] & 0xFFFFFFu) == 0);
        auto spread = [](std::uint32_t c) {
            return std::max({red(c), green(c), blue(c)}) - std::min({red(c), green(c), blue(c)});
        };
        fullSpread += spread(full.pixels[i]);
        paleSpread += spread(pale.pixels[i]);
    }
    EXPECT_LT(paleSpread * 4, fullSpread);
}

TEST(PictureStore, ExportWritesEveryPictureAndASheet) {
    auto dir = std::filesystem::temp_directory_path() / "tessarion-export-test";
    std::filesystem::remove_all(dir);
    std::ostringstream err;
    ASSERT_EQ(res::exportResources(dir.string(), err), 0) << err.str();
    for (int id : res::pictureIds()) {
        auto path = dir / (std::to_string(id) + ".png");
        ASSERT_TRUE(std::filesystem::exists(path)) << path;
        EXPECT_EQ(std::filesystem::file_size(path), res::pictureData(id).size());
    }
    for (const std::string& name : res::soundNames()) {
        EXPECT_TRUE(std::filesystem::exists(dir / (name + ".wav"))) << name;
    }
    EXPECT_GT(std::filesystem::file_size(dir / "sheet.png"), 100000u);
    std::filesystem::remove_all(dir);

    // A directory that cannot be made is reported, not thrown.
    auto blocker = std::filesystem::temp_directory_path() / "tessarion-export-blocker";
    std::ofstream(blocker) << "a file, not a directory";
    std::ostringstream err2;
    EXPECT_EQ(res::exportResources((blocker / "sub").string(), err2), 1);
    EXPECT_FALSE(err2.str().empty());
    std::filesystem::remove(blocker);
}

}  // namespace
}  // namespace tessarion
