#include "ui/Surface.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <functional>

#include "ui/Font.h"

namespace tessarion {
namespace {

constexpr std::uint32_t kA = 0xFF112233;
constexpr std::uint32_t kB = 0xFF445566;

// A 3 x 2 source whose pixels say where they came from.
Surface numbered() {
    Surface s(3, 2);
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 3; ++x) {
            s.setPixel(x, y, 0xFF000000u | static_cast<std::uint32_t>(10 * y + x + 1));
        }
    }
    return s;
}

TEST(Surface, CopiesClipAtEveryEdge) {
    const Surface src = numbered();
    for (int dx : {-2, -1, 0, 3, 4, INT_MIN / 2, INT_MAX / 2}) {
        for (int dy : {-1, 0, 3, INT_MIN / 2, INT_MAX / 2}) {
            Surface dst(5, 4, kA);
            dst.blit(src, 0, 0, 3, 2, dx, dy);
            dst.blit(src, 0, 0, 3, 2, dx, dy, Surface::Op::Copy, true);
            for (int y = 0; y < 4; ++y) {
                for (int x = 0; x < 5; ++x) {
                    const bool inside = x >= dx && x < dx + 3 && y >= dy && y < dy + 2;
                    if (!inside) {
                        EXPECT_EQ(dst.pixel(x, y), kA) << dx << "," << dy;
                    }
                }
            }
        }
    }
    // A source rectangle reaching past the source's edges copies what exists.
    Surface dst(5, 4, kA);
    dst.blit(src, -1, 1, 5, 5, 0, 0);
    EXPECT_EQ(dst.pixel(0, 0), kA);
    EXPECT_EQ(dst.pixel(1, 0), 0xFF00000Bu);
    EXPECT_EQ(dst.pixel(3, 0), 0xFF00000Du);
    EXPECT_EQ(dst.pixel(4, 0), kA);
    EXPECT_EQ(dst.pixel(1, 1), kA);
}

TEST(Surface, LinesLeaveOutTheirEndPointAndClip) {
    Surface s(10, 10, kBlack);
    s.drawLine(2, 3, 6, 3, kWhite);
    EXPECT_EQ(s.pixel(2, 3), kWhite);
    EXPECT_EQ(s.pixel(5, 3), kWhite);
    EXPECT_EQ(s.pixel(6, 3), kBlack);
    s.drawLine(8, 9, 8, 5, kWhite);  // upwards
    EXPECT_EQ(s.pixel(8, 9), kWhite);
    EXPECT_EQ(s.pixel(8, 6), kWhite);
    EXPECT_EQ(s.pixel(8, 5), kBlack);
    s.drawLine(INT_MIN, 0, INT_MAX, 0, kA);
    EXPECT_EQ(s.pixel(0, 0), kA);
    EXPECT_EQ(s.pixel(9, 0), kA);
    s.drawLine(-5, -5, 20, 20, kB);  // slanted, through the whole surface
    EXPECT_EQ(s.pixel(4, 4), kB);
    EXPECT_EQ(s.pixel(9, 9), kB);

    Surface f(6, 6, kBlack);
    f.drawFrame(1, 1, 5, 5, kWhite);
    f.fillRect(-3, -3, 1, 100, kA);
    EXPECT_EQ(f.pixel(4, 4), kWhite);
    EXPECT_EQ(f.pixel(2, 2), kBlack);
    EXPECT_EQ(f.pixel(5, 5), kBlack);
    EXPECT_EQ(f.pixel(0, 5), kA);
    EXPECT_EQ(f.pixel(1, 5), kBlack);
}

TEST(Surface, TextInColourOverATransparentOrOpaqueBackground) {
    Font& font = defaultFont();
    ASSERT_GT(font.height(), 10);
    ASSERT_LT(font.height(), 20);
    EXPECT_GT(font.width("Treasury: 100000"), font.width("Treasury: 1"));

    Surface s(200, 40, kA);
    s.text = {kRed, kWhite, false};
    s.drawText(5, 5, "HIL");
    int red = 0;
    for (std::uint32_t p : s.pixels()) {
        red += p == kRed;
        EXPECT_NE(p, kWhite);
    }
    EXPECT_GT(red, 5);

    // Opaque, the text's whole cell is the background colour, nothing more.
    Surface o(200, 40, kA);
    o.drawText(5, 5, "1");
    const int w = font.width("1");
    EXPECT_EQ(o.pixel(5, 5), kWhite);
    EXPECT_EQ(o.pixel(5 + w - 1, 5 + font.height() - 1), kWhite);
    EXPECT_EQ(o.pixel(5 + w, 5), kA);
    EXPECT_EQ(o.pixel(5, 5 + font.height()), kA);
    EXPECT_EQ(o.pixel(4, 5), kA);

    // Text running off any edge is cut, not written out of bounds.
    Surface tiny(4, 4, kA);
    tiny.drawText(-3, -6, "Mesopotamia");
    tiny.drawText(2, 2, "Mesopotamia");
}

}  // namespace
}  // namespace tessarion
