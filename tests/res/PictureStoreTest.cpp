#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <span>
#include <sstream>

#include "game/Game.h"
#include "game/Lessons.h"
#include "model/ProvinceTable.h"
#include "res/MapLand.h"
#include "res/ResourceStore.h"
#include "ui/Pictures.h"

namespace tessarion {
namespace {

using res::Image;

using Overlay = OverlayEntry;

// Every picture with a mask: the sprites and frames of the list, and the three pictures of
// each overlay.
std::vector<PictureEntry> sprites() {
    std::vector<PictureEntry> list;
    for (const NamedPicture& entry : pic::kEvery) {
        if (entry.picture.mask >= 0) {
            list.push_back(entry.picture);
        }
    }
    for (const Overlay& o : kOverlays) {
        for (int id : {o.plain, o.yellow, o.blue}) {
            list.push_back({id, o.mask, o.width, o.height});
        }
    }
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

// Every id the list names: each picture once, each mask once per picture it serves.
struct Listed {
    int id;
    bool mask;
    int width;
    int height;
};
std::vector<Listed> listed() {
    std::vector<Listed> list;
    for (const NamedPicture& entry : pic::kEvery) {
        list.push_back({entry.picture.id, false, entry.picture.width, entry.picture.height});
    }
    for (const PictureEntry& p : sprites()) {
        list.push_back({p.mask, true, p.width, p.height});
    }
    for (const Overlay& o : kOverlays) {
        for (int id : {o.plain, o.yellow, o.blue}) {
            list.push_back({id, false, o.width, o.height});
        }
    }
    return list;
}

TEST(PictureStore, EveryPictureIsListedOnceAndEmbeddedAtItsDrawSize) {
    std::map<int, Listed> seen;
    for (const Listed& l : listed()) {
        const auto [it, fresh] = seen.emplace(l.id, l);
        // Two pictures on one id would draw the same; a mask shared by pictures of two sizes
        // would cut one of them.
        EXPECT_TRUE(fresh || (l.mask && it->second.mask)) << "id " << l.id << " listed twice";
        EXPECT_EQ(it->second.width, l.width) << "id " << l.id;
        EXPECT_EQ(it->second.height, l.height) << "id " << l.id;
        const Image image = res::decodePicture(l.id);
        EXPECT_EQ(image.width, l.width) << "picture " << l.id;
        EXPECT_EQ(image.height, l.height) << "picture " << l.id;
    }
    const std::vector<int> ids = res::pictureIds();
    EXPECT_TRUE(std::is_sorted(ids.begin(), ids.end()));
    for (int id : ids) {
        EXPECT_EQ(seen.count(id), 1u) << "picture " << id << " is in no list";
    }
    // The clicks and the painted map are the same size.
    EXPECT_EQ(pictureDrawSize(kBaseMapId).width, kMapWidth);
    EXPECT_EQ(pictureDrawSize(kBaseMapId).height, kMapHeight);
    // Each lesson names a picture of the list that the picture box shows.
    Pictures pictures;
    for (const Lesson& lesson : kLessons) {
        const PictureEntry* picture = pictureNamed(lesson.picture);
        ASSERT_NE(picture, nullptr) << lesson.title << ": no picture " << lesson.picture;
        EXPECT_NE(pictures.fullPicture(picture->id), nullptr) << lesson.title;
    }
    EXPECT_EQ(pictureNamed("no such picture"), nullptr);
}

TEST(PictureStore, UnknownNamesAreEmptyAndTheFontsAreEmbedded) {
    EXPECT_FALSE(res::hasPicture(9999));
    EXPECT_TRUE(res::pictureData(9999).empty());
    EXPECT_EQ(res::decodePicture(9999).width, 0);
    EXPECT_TRUE(res::decodePicture(-1).pixels.empty());
    EXPECT_EQ(pictureDrawSize(9999).width, 0);
    EXPECT_TRUE(res::fontData("mono").empty());
    EXPECT_TRUE(res::lessonScript("IDR_NO_SUCH_LESSON").empty());

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
    for (const PictureEntry& m : sprites()) {
        Image picture = res::decodePicture(m.id);
        Image mask = res::decodePicture(m.mask);
        ASSERT_EQ(picture.pixels.size(), mask.pixels.size()) << m.id;
        int opaque = 0;
        int leaks = 0;
        int grey = 0;
        for (std::size_t i = 0; i < mask.pixels.size(); ++i) {
            std::uint32_t mk = mask.pixels[i] & 0xFFFFFFu;
            grey += mk != 0 && mk != 0xFFFFFFu;
            opaque += mk == 0;
            leaks += mk == 0xFFFFFFu && (picture.pixels[i] & 0xFFFFFFu) != 0;
        }
        EXPECT_EQ(leaks, 0) << "picture " << m.id << " shows through its mask " << m.mask;
        EXPECT_EQ(grey, 0) << "mask " << m.mask << " is not pure black and white";
        EXPECT_GT(opaque, static_cast<int>(mask.pixels.size() / 20)) << "mask " << m.mask;
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
    Image map = res::decodePicture(kBaseMapId);
    ASSERT_EQ(map.width, 800);
    // Atlantic, western Mediterranean, Ionian Sea, Black Sea, Red Sea.
    for (auto [x, y] : std::vector<std::pair<int, int>>{
             {60, 120}, {20, 230}, {225, 330}, {380, 335}, {630, 200}, {625, 540}}) {
        std::uint32_t c = pixel(map, x, y);
        EXPECT_GT(blue(c), red(c) + 30) << "sea at " << x << "," << y;
    }
    // Of the land the map tool painted for the province, how much is in the colour.
    Game game;
    const res::MapLand& land = res::MapLand::embedded();
    auto share = [&](const char* name, auto isColour) {
        int index = -1;
        for (std::size_t i = 0; i < game.provinces.size(); ++i) {
            index = game.provinces[i]->name == name ? static_cast<int>(i) : index;
        }
        int total = 0;
        int match = 0;
        for (int y = 0; y < map.height; ++y) {
            for (int x = 0; x < map.width; ++x) {
                if (land.at(x, y) == index) {
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

// The CONSTANTINOPLE label replaces the city's old name in place: it matches the map around
// the lettering, and differs from it where the letters are.
TEST(PictureStore, ConstantinopleLabelFitsOverByzantium) {
    Image map = res::decodePicture(kBaseMapId);
    Image label = res::decodePicture(pic::constantinople.id);
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
    for (std::span<const PictureEntry> march : {std::span<const PictureEntry>(pic::romanMarch),
                                                std::span<const PictureEntry>(pic::barbarianMarch),
                                                std::span<const PictureEntry>(pic::persianMarch)}) {
        for (std::size_t i = 0; i + 1 < march.size(); ++i) {
            Image a = res::decodePicture(march[i].mask);
            Image b = res::decodePicture(march[i + 1].mask);
            int changed = 0;
            for (std::size_t k = 0; k < a.pixels.size(); ++k) {
                changed += a.pixels[k] != b.pixels[k];
            }
            EXPECT_GT(changed, 40) << "masks " << march[i].mask << " and " << march[i + 1].mask;
        }
    }
    // The last frame of a fall lies low: its figure is much shorter than the first one's.
    for (std::span<const PictureEntry> fall : {std::span<const PictureEntry>(pic::romanFall),
                                               std::span<const PictureEntry>(pic::rebelFall),
                                               std::span<const PictureEntry>(pic::persianFall),
                                               std::span<const PictureEntry>(pic::barbarianFall)}) {
        Box standing = opaqueBox(res::decodePicture(fall.front().mask));
        Box lying = opaqueBox(res::decodePicture(fall.back().mask));
        EXPECT_LT((lying.bottom - lying.top) * 10, (standing.bottom - standing.top) * 7)
            << "mask " << fall.back().mask;
        EXPECT_GT(lying.bottom, 50) << "mask " << fall.back().mask << " should lie on the ground";
    }
}

TEST(PictureStore, PaleLegionIsTheFullOneWashedOut) {
    Image full = res::decodePicture(pic::romanLegion.id);
    Image pale = res::decodePicture(pic::romanLegionMoved.id);
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
    // Named for this run: other checkouts may run the same test at the same time.
    const std::string run = std::to_string(::getpid());
    auto dir = std::filesystem::temp_directory_path() / ("tessarion-export-test-" + run);
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
    auto blocker = std::filesystem::temp_directory_path() / ("tessarion-export-blocker-" + run);
    std::ofstream(blocker) << "a file, not a directory";
    std::ostringstream err2;
    EXPECT_EQ(res::exportResources((blocker / "sub").string(), err2), 1);
    EXPECT_FALSE(err2.str().empty());
    std::filesystem::remove(blocker);
}

}  // namespace
}  // namespace tessarion
