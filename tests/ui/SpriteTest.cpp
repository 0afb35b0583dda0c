#include "ui/Sprite.h"

#include <gtest/gtest.h>

#include "ui/ScreenFixture.h"

namespace tessarion {
namespace {

constexpr std::uint32_t kGround = 0xFF204060;
constexpr std::uint32_t kInk = 0xFFC08020;

// A w x h picture whose left half shows and right half is transparent.
store::Image halfShown(int w, int h, bool mask) {
    store::Image image{w, h, {}};
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const bool shown = x < w / 2;
            image.pixels.push_back(mask ? (shown ? kBlack : kWhite) : (shown ? kInk : kBlack));
        }
    }
    return image;
}

int columnsOf(const Surface& s, std::uint32_t colour, int y) {
    return test::countPixels(s, 0, y, s.width(), y + 1, colour);
}

TEST(Sprite, DrawsThroughItsMaskMirroredInTheSameRectangle) {
    Sprite sprite(1, 2, 10, 4);
    sprite.load([](int id) { return halfShown(10, 4, id == 2); });

    Surface plain(30, 10, kGround);
    sprite.drawTransparent(plain, 5, 3);
    EXPECT_EQ(plain.pixel(5, 3), kInk);
    EXPECT_EQ(plain.pixel(9, 6), kInk);
    EXPECT_EQ(plain.pixel(10, 3), kGround);
    EXPECT_EQ(plain.pixel(9, 7), kGround);

    Surface mirrored(30, 10, kGround);
    sprite.drawTransparent(mirrored, 5, 3, true);
    EXPECT_EQ(mirrored.pixel(9, 3), kGround);
    EXPECT_EQ(mirrored.pixel(10, 3), kInk);
    EXPECT_EQ(mirrored.pixel(14, 6), kInk);
    EXPECT_EQ(mirrored.pixel(15, 3), kGround);
    EXPECT_EQ(columnsOf(mirrored, kInk, 3), 5);
}

TEST(Sprite, BitmapsAreCutToTheirDrawSize) {
    // Larger than drawn, as some province pictures are.
    Graphic wide(1, 144, 3);
    wide.load([](int) { return halfShown(166, 5, false); });
    Surface s(200, 10, kGround);
    wide.draw(s, 0, 0);
    EXPECT_EQ(s.pixel(143, 2), kBlack);
    EXPECT_EQ(s.pixel(144, 2), kGround);
    EXPECT_EQ(s.pixel(10, 3), kGround);

    // Smaller than drawn, as one legion icon is: what there is, mirrored or not.
    Sprite narrow(1, 2, 43, 4);
    narrow.load([](int id) { return halfShown(42, 4, id == 2); });
    Surface a(60, 4, kGround);
    narrow.drawTransparent(a, 0, 0);
    Surface b(60, 4, kGround);
    narrow.drawTransparent(b, 0, 0, true);
    EXPECT_EQ(columnsOf(a, kInk, 0), 21);
    EXPECT_EQ(a.pixel(0, 0), kInk);
    EXPECT_EQ(b.pixel(41, 0), kInk);
    EXPECT_EQ(b.pixel(42, 0), kGround);

    // A picture that failed to load draws nothing at all.
    Sprite missing(1, 2, 10, 10);
    missing.load([](int) { return store::Image{}; });
    Surface c(20, 20, kGround);
    missing.drawTransparent(c, 0, 0);
    EXPECT_EQ(columnsOf(c, kGround, 5), 20);
}

TEST(Sprite, TransparentPartsOfThePictureAreMadeBlack) {
    // Art whose transparent parts are not black must not tint the ground.
    Sprite sprite(1, 2, 4, 1);
    sprite.load([](int id) {
        store::Image image = halfShown(4, 1, id == 2);
        if (id == 1) {
            image.pixels[3] = 0x00FFFFFF;
        }
        return image;
    });
    Surface s(4, 1, kGround);
    sprite.drawTransparent(s, 0, 0);
    EXPECT_EQ(s.pixel(3, 0), kGround);
    EXPECT_EQ(s.pixel(0, 0), kInk);
}

TEST(Sprite, ALargerScreenTakesTheLargeBitmapReducedToItsScale) {
    const auto small = [](int id) { return halfShown(10, 4, id == 2); };
    constexpr int k = store::kLargePictureScale;
    const auto large = [](int id) { return halfShown(10 * k, 4 * k, id == 2); };
    Sprite sprite(1, 2, 10, 4);
    sprite.loadFor({small, large, 1.5});
    // Made once at the screen's pixels, picture and mask alike: nothing is
    // resized again when it is drawn.
    EXPECT_EQ(sprite.surface.scale(), 1.5);
    EXPECT_EQ(sprite.surface.pixelWidth(), 15);
    EXPECT_EQ(sprite.mask.width(), 15);
    EXPECT_EQ(sprite.mask.height(), 6);
    Surface s(30, 10, kGround, 1.5);
    sprite.drawTransparent(s, 0, 0);
    EXPECT_EQ(s.pixel(0, 0), kInk);
    EXPECT_EQ(s.pixel(6, 5), kInk);
    EXPECT_EQ(s.pixel(8, 0), kGround);

    // At the large bitmap's own scale, the largest a screen is drawn at, and
    // at the layout's: exactly the bitmap of that size.
    Sprite largest(1, 2, 10, 4);
    largest.loadFor({small, large, static_cast<double>(k)});
    EXPECT_EQ(largest.surface.pixelWidth(), 10 * k);
    EXPECT_EQ(largest.surface.pixel(5 * k - 1, 0), kInk);
    EXPECT_EQ(largest.surface.pixel(5 * k, 0), kBlack);
    Sprite laptop(1, 2, 10, 4);
    laptop.loadFor({small, large, 1.0});
    Sprite plain(1, 2, 10, 4);
    plain.load(small);
    EXPECT_EQ(laptop.surface.scale(), 1.0);
    EXPECT_TRUE(laptop.surface.pixels() == plain.surface.pixels());

    // A large bitmap missing, or its mask, and the picture of the layout's
    // size is taken instead.
    const auto noMask = [&](int id) { return id == 2 ? store::Image{} : large(id); };
    for (const PictureProvider& faulty : {PictureProvider(), PictureProvider(noMask)}) {
        Sprite fallback(1, 2, 10, 4);
        fallback.loadFor({small, faulty, 2.0});
        EXPECT_EQ(fallback.surface.scale(), 1.0);
        EXPECT_EQ(fallback.mask.width(), 10);
    }
}

}  // namespace
}  // namespace tessarion
