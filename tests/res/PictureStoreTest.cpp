#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>
#include <span>
#include <sstream>

#include "game/Lessons.h"
#include "model/ProvinceTable.h"
#include "res/ResourceStore.h"
#include "support/TestFolder.h"
#include "ui/Pictures.h"

namespace tessarion {
namespace {

// The drawn files, their colours included, are checked by the build
// (resources/art/check_pictures.py); here, that the game's own tables agree with what the
// executable embeds.
TEST(PictureStore, EveryPictureIsListedOnceAndEmbeddedAtItsDrawSizeAndLarger) {
    std::vector<PictureEntry> listed;
    for (const NamedPicture& entry : pic::kEvery) {
        listed.push_back(entry.picture);
    }
    for (const OverlayEntry& o : kOverlays) {
        for (int id : {o.plain, o.yellow, o.blue}) {
            listed.push_back({id, o.mask, o.width, o.height});
        }
    }
    std::set<int> ids;
    for (const PictureEntry& p : listed) {
        for (int id : {p.id, p.mask}) {
            if (id >= 0) {
                ids.insert(id);
                const res::Image image = res::decodePicture(id);
                EXPECT_EQ(image.width, p.width) << "picture " << id;
                EXPECT_EQ(image.height, p.height) << "picture " << id;
                // Drawn again larger for larger screens, but the window icons.
                const bool icon = id == pic::windowIcon.id || id == pic::smallIcon.id;
                const res::Image large = res::decodeLargePicture(id);
                const int k = icon ? 0 : res::kLargePictureScale;
                EXPECT_EQ(large.width, k * p.width) << "picture " << id;
                EXPECT_EQ(large.height, k * p.height) << "picture " << id;
            }
        }
    }
    const std::vector<int> embedded = res::pictureIds();
    EXPECT_EQ(std::set<int>(embedded.begin(), embedded.end()), ids);
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

TEST(PictureStore, TheFontsAreEmbedded) {
    EXPECT_TRUE(res::fontData("mono").empty());
    auto sans = res::fontData("sans");
    auto serif = res::fontData("serif");
    ASSERT_GT(sans.size(), 100000u);
    ASSERT_GT(serif.size(), 100000u);
    EXPECT_TRUE(sans[0] == 0 && sans[1] == 1 && sans[2] == 0 && sans[3] == 0);  // TrueType
    EXPECT_EQ(std::string(serif.begin(), serif.begin() + 4), "OTTO");           // OpenType/CFF
}

TEST(PictureStore, ExportWritesEveryPictureAndASheet) {
    const TestFolder temporary("export");
    const auto dir = temporary.path / "art";
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

    // A directory that cannot be made is reported, not thrown.
    std::ofstream(temporary.path / "blocker") << "a file, not a directory";
    std::ostringstream err2;
    EXPECT_EQ(res::exportResources((temporary.path / "blocker" / "sub").string(), err2), 1);
    EXPECT_FALSE(err2.str().empty());
}

}  // namespace
}  // namespace tessarion
