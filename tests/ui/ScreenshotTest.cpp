#include "ui/Screenshot.h"

#include <gtest/gtest.h>

#include "support/TestFolder.h"
#include "ui/ScreenFixture.h"

#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#include <stb/stb_image.h>

namespace tessarion::test {
namespace {

class ScreenshotTest : public ScreenFixture {
  protected:
    ScreenshotTest() : ScreenFixture(1600, 900) {}
};

TEST_F(ScreenshotTest, WritesTheWindowAsAPng) {
    const TestFolder temporary("shot");
    const auto path = temporary.path / "shot.png";
    std::string error;
    ASSERT_TRUE(writeScreenshot(display(), path.string(), error)) << error;
    int w = 0;
    int h = 0;
    int n = 0;
    unsigned char* data = stbi_load(path.string().c_str(), &w, &h, &n, 3);
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(w, 1600);
    EXPECT_EQ(h, 900);
    auto rgb = [&](int x, int y) {
        const unsigned char* p = data + 3 * (static_cast<std::size_t>(y) * 1600 + x);
        return 0xFF000000u | (p[0] << 16) | (p[1] << 8) | p[2];
    };
    EXPECT_EQ(rgb(117 + 180, 30), colourOf(kBaseMapId));
    EXPECT_EQ(rgb(117 + 175, 590), kWhite);  // the frame of the instructions
    EXPECT_EQ(rgb(117 + 1000, 10), colourOf(264));
    stbi_image_free(data);
}

}  // namespace
}  // namespace tessarion::test
