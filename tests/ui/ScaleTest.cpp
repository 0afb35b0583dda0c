// Drawing at the window's own pixels: the frame's fit, whole-pixel fills,
// sharp text and pictures at any scale, and the laptop's frame unchanged.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "ScreenFixture.h"
#include "res/MapLand.h"
#include "ui/Font.h"
#include "ui/FrameScale.h"
#include "ui/MapColours.h"
#include "ui/Surface.h"

namespace tessarion {
namespace {

constexpr double kScales[] = {0.75, 1.4, 2.8};

TEST(FrameScaleTest, TheFrameFillsTheWindowAndTheLaptopStaysOneToOne) {
    // The laptop, full screen or in a maximised window, and a window within 2 %.
    for (auto [w, h] : std::vector<std::pair<int, int>>{{1366, 768}, {1366, 700}, {1380, 705}}) {
        const FrameScale f = FrameScale::forWindow(w, h);
        EXPECT_EQ(f.scale, 1.0) << w << "x" << h;
        EXPECT_EQ(f.pixelWidth, w);
        EXPECT_EQ(f.pixelHeight, h);
    }
    // Larger and smaller screens: drawn at their pixels, filled but for the
    // difference in shape, the client area never shorter than the layout's.
    for (auto [w, h] :
         std::vector<std::pair<int, int>>{{1920, 1080}, {3840, 2160}, {1024, 600}, {1280, 720}}) {
        const FrameScale f = FrameScale::forWindow(w, h);
        EXPECT_NEAR(f.scale, std::min(w / 1366.0, h / 692.0), 1e-9);
        EXPECT_LE(f.pixelWidth, w);
        EXPECT_LE(f.pixelHeight, h);
        EXPECT_TRUE(f.pixelWidth >= w - 3 || f.pixelHeight >= h - 3) << w << "x" << h;
        EXPECT_GE(f.height, FrameScale::kFittedHeight);
    }
    // Wider than 16:9, the layout is widened in points (and centred by the screen).
    EXPECT_GT(FrameScale::forWindow(2560, 1080).width, 1600);
    // Every pixel maps back to the point it was drawn for.
    const FrameScale f = FrameScale::forWindow(1920, 1080);
    for (int point : {0, 1, 699, 1365}) {
        EXPECT_EQ(f.toPoints(f.toPixels(point)), point);
    }
}

// Whether a pixel is neither the ground nor the ink, in a picture of two colours.
bool mixed(std::uint32_t p, std::uint32_t ground, std::uint32_t ink) {
    return p != ground && p != ink;
}

// The longest run of mixed pixels along any row: an edge drawn at the
// device's pixels has one or two, a magnified frame smears it over `scale`.
int widestEdge(const Surface& s, std::uint32_t ground, std::uint32_t ink) {
    int widest = 0;
    for (int y = 0; y < s.pixelHeight(); ++y) {
        int run = 0;
        for (int x = 0; x < s.pixelWidth(); ++x) {
            run = mixed(s.pixel(x, y), ground, ink) ? run + 1 : 0;
            widest = std::max(widest, run);
        }
    }
    return widest;
}

TEST(ScaleTest, FillsMeetWithoutGapsAndLinesKeepAPixel) {
    for (double scale : kScales) {
        Surface s(40, 10, kBlack, scale);
        // Adjacent rectangles of one point and more: every pixel covered.
        for (int x = 0; x < 40; ++x) {
            s.fillRect(x, 0, x + 1, 5, x % 2 ? kRed : kWhite);
        }
        for (int x = 0; x < s.toPixels(40); ++x) {
            EXPECT_NE(s.pixel(x, 0), kBlack) << "gap at " << x << " at scale " << scale;
        }
        s.drawLine(0, 7, 40, 7, kRed);
        EXPECT_EQ(s.pixel(s.pixelWidth() / 2, s.toPixels(7)), kRed) << scale;
        EXPECT_GE(s.toPixels(8) - s.toPixels(7), 1);
    }
}

TEST(ScaleTest, TextAndPictureEdgesAreSharpAtEveryScale) {
    // A picture of two halves, made at the layout's size.
    Surface picture(20, 20, kWhite);
    picture.fillRect(10, 0, 20, 20, kRed);
    for (double scale : kScales) {
        if (scale > 1) {
            // Rendered at this size, not a smaller text enlarged: the stems
            // reach full ink and their edges stay within a pixel or two.
            Surface text(120, 30, kWhite, scale);
            text.text = {kBlack, kWhite, false};
            text.drawText(5, 5, "HIH");
            EXPECT_LE(widestEdge(text, kWhite, kBlack), 2) << "text at " << scale;
            EXPECT_GT(std::count(text.pixels().begin(), text.pixels().end(), kBlack), 10) << scale;
        }

        Surface onto(40, 40, kWhite, scale);
        onto.blit(picture, 0, 0, 20, 20, 3, 3);
        EXPECT_LE(widestEdge(onto, kWhite, kRed), 1) << "picture at " << scale;
        EXPECT_EQ(onto.pixel(onto.toPixels(18), onto.toPixels(10)), kRed);
    }
    // Report text stays legible on the smallest screens.
    EXPECT_GE(defaultFont().at(0.75).pixelSize(), Font::kLeastPixelSize);
    EXPECT_EQ(&defaultFont().at(1.0), &defaultFont());
}

TEST(ScaleTest, ASpriteKeepsItsOutlineAndWhatLiesUnderIt) {
    Surface picture(10, 10, kBlack);
    picture.fillRect(2, 2, 8, 8, kRed);
    Mask mask(10, 10, 0xFF);
    for (int y = 2; y < 8; ++y) {
        std::fill(mask.row(y) + 2, mask.row(y) + 8, std::uint8_t{0});
    }
    for (double scale : kScales) {
        Surface s(20, 20, kWhite, scale);
        s.blitMasked(picture, mask, 10, 10, 5, 5);
        EXPECT_EQ(s.pixel(s.toPixels(5), s.toPixels(5)), kWhite) << scale;
        EXPECT_EQ(s.pixel(s.toPixels(10), s.toPixels(10)), kRed) << scale;
        // Across its middle, the outline is a pixel wide at most.
        Surface middle(20, 1, kWhite, scale);
        middle.blit(s, 0, 10, 20, 1, 0, 0);
        EXPECT_LE(widestEdge(middle, kWhite, kRed), 1) << scale;
    }
}

class ScaledScreenTest : public test::ScreenFixture {};

TEST_F(ScaledScreenTest, TheLaptopFrameIsTheSameAfterAnyOtherScale) {
    display().loadPictures();
    const int height = display().height();
    const Surface before = paint();
    for (double scale : kScales) {
        display().resize(1366, height, scale);
        const Surface scaled = paint();
        EXPECT_EQ(scaled.pixelWidth(), std::lround(1366 * scale));
        // The map lies where the layout puts it, at this scale.
        EXPECT_NE(scaled.pixel(scaled.toPixels(500), scaled.toPixels(300)), kBlack) << scale;
    }
    display().resize(1366, height, 1.0);
    const Surface after = paint();
    EXPECT_TRUE(after.pixels() == before.pixels());
}

// Whether the n x n pixels from (x, y) are not all one colour.
bool detailed(const Surface& s, int x, int y, int n) {
    const std::uint32_t first = s.pixel(x, y);
    for (int dy = 0; dy < n; ++dy) {
        for (int dx = 0; dx < n; ++dx) {
            if (s.pixel(x + dx, y + dy) != first) {
                return true;
            }
        }
    }
    return false;
}

// The share of the map's coast that a paint at a whole scale n shows sharp:
// of the map's points the large map's coast runs through, those whose n x n
// pixels are not one colour. A copy of the map enlarged from its own size has
// none.
double sharpCoast(const Surface& painted, int mapLeft, int mapTop) {
    constexpr int k = store::kLargePictureScale;
    const res::MapLand land = res::MapLand::embeddedAt(k);
    const int n = static_cast<int>(std::lround(painted.scale()));
    int coast = 0;
    int sharp = 0;
    for (int y = 0; y < kMapHeight; ++y) {
        for (int x = 0; x < kMapWidth; ++x) {
            int sea = 0;
            for (int i = 0; i < k * k; ++i) {
                sea += land.at(x * k + i % k, y * k + i / k) == res::MapLand::kSea;
            }
            if (sea == 0 || sea == k * k) {
                continue;
            }
            ++coast;
            sharp += detailed(painted, mapLeft + x * n, mapTop + y * n, n);
        }
    }
    return coast > 0 ? static_cast<double>(sharp) / coast : 0.0;
}

TEST_F(ScaledScreenTest, LargerScreensDrawTheMapFromItsLargePictures) {
    Screen& s = display();
    s.loadPictures();
    const Surface laptop = paint();
    EXPECT_EQ(s.mapPixelsPerPoint(), 1);
    for (double scale : {1.4, 2.0, 2.81, 3.0}) {
        s.resize(1366, s.height(), scale);
        // Coloured on the large land, kept at the screen's own pixels.
        EXPECT_EQ(s.mapPixelsPerPoint(), store::kLargePictureScale) << scale;
        EXPECT_EQ(s.baseMap.scale(), scale);
        EXPECT_EQ(s.overlayPicture(0).surface.scale(), store::kLargePictureScale) << scale;
        if (scale == 2.0 || scale == 3.0) {
            const Surface large = paint();
            EXPECT_GT(sharpCoast(large, large.toPixels(s.x(layout::kMapLeft)),
                                 large.toPixels(layout::kMapTop)),
                      0.8)
                << scale;
        }
    }
    // Back on the laptop, the map's own pictures again, pixel for pixel.
    s.resize(1366, s.height(), 1.0);
    EXPECT_EQ(s.mapPixelsPerPoint(), 1);
    EXPECT_TRUE(paint().pixels() == laptop.pixels());
}

// The n x n pixel blocks of a sprite drawn at a whole scale n over white that
// are not one colour: a sprite enlarged from its own size has none, each
// block being one of its pixels.
int detailedBlocks(const Sprite& sprite, int n) {
    Surface s(sprite.width, sprite.height, kWhite, n);
    sprite.drawTransparent(s, 0, 0);
    int blocks = 0;
    for (int y = 0; y + n <= s.pixelHeight(); y += n) {
        for (int x = 0; x + n <= s.pixelWidth(); x += n) {
            blocks += detailed(s, x, y, n);
        }
    }
    return blocks;
}

TEST_F(ScaledScreenTest, LargerScreensDrawTheLegionsAndPicturesFromTheirLargePictures) {
    Screen& s = display();
    s.loadPictures();
    const Sprite& legion = s.pictures.romanLegion;
    Sprite enlarged(pic::romanLegion);
    enlarged.load(store::decodePicture);
    for (int n : {2, 3}) {
        s.resize(1366, s.height(), n);
        EXPECT_EQ(legion.surface.scale(), n);
        EXPECT_EQ(detailedBlocks(enlarged, n), 0);
        // Its outline and the lines within it are finer than a pixel of the layout.
        EXPECT_GT(detailedBlocks(legion, n), 400) << n;  // of 2275
    }

    // Another scale, the pictures made for it, a lesson's when it is shown.
    s.resize(1366, s.height(), 1.4);
    EXPECT_EQ(legion.surface.scale(), 1.4);
    EXPECT_EQ(legion.mask.width(), legion.surface.pixelWidth());
    EXPECT_EQ(s.pictures.fullPicture(pic::aurelian.id)->surface.scale(), 1.4);
    s.resize(1366, s.height(), 1.0);
    EXPECT_EQ(legion.surface.scale(), 1.0);
    EXPECT_EQ(s.pictures.fullPicture(pic::aurelian.id)->surface.scale(), 1.0);
}

TEST_F(ScaledScreenTest, TheLargeMapTakesTheColourBlindColoursLikeTheSmall) {
    // Each ground's usual colour, on the map as it was recoloured at either size.
    const auto grounds = [&](double scale) {
        display().resize(1366, display().height(), scale);
        const res::MapLand land = res::MapLand::embeddedAt(display().mapPixelsPerPoint());
        const auto ground = [](int at) { return at >= 0 ? 2 : at == res::MapLand::kSea ? 0 : 1; };
        std::vector<std::uint32_t> typical;
        for (int g = 0; g < 3; ++g) {
            typical.push_back(test::mapColourWhere(display().baseMap, land,
                                                   [&](int at) { return ground(at) == g; }));
        }
        return typical;
    };
    view.colours = ColourScheme::ColourBlind;
    display().loadPictures();
    const std::vector<std::uint32_t> small = grounds(1.0);
    // At the large map's own scale, where its pixels are the land's.
    const std::vector<std::uint32_t> large = grounds(store::kLargePictureScale);
    EXPECT_EQ(display().mapPixelsPerPoint(), store::kLargePictureScale);
    for (std::size_t i = 0; i < small.size(); ++i) {
        for (int shift : {0, 8, 16}) {
            EXPECT_NEAR((small[i] >> shift) & 0xFF, (large[i] >> shift) & 0xFF, 8)
                << "ground " << i;
        }
    }
}

}  // namespace
}  // namespace tessarion
