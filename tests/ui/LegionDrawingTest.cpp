#include "ui/LegionDrawing.h"

#include <gtest/gtest.h>

#include "ui/ScreenFixture.h"

namespace tessarion::test {
namespace {

class LegionDrawingTest : public ScreenFixture {
  protected:
    // The count in its white box beside the icon.
    ::testing::AssertionResult countAt(const Surface& s, Point icon, const std::string& count) {
        return textAt(s, icon.x + 40, icon.y + 25, count, kBlack, kWhite);
    }
};

TEST_F(LegionDrawingTest, ArmeniasCountStaysOnTheMap) {
    game().addLegions("Armenia", &game().sassanids, 12);
    game().addLegions("Syria", &game().romans, 12);
    const Surface s = paint();
    const Point armenia = iconAt("Armenia");
    const int width = defaultFont().width("12");
    EXPECT_TRUE(textAt(s, armenia.x - width - 2, armenia.y + 25, "12", kBlack, kWhite));
    EXPECT_LE(armenia.x - 2, 980);
    EXPECT_TRUE(countAt(s, iconAt("Syria"), "12"));  // elsewhere the count stays at the right
}

TEST_F(LegionDrawingTest, RomanIconGoesPaleOnceEveryLegionHasMoved) {
    game().addLegions("Italia", &game().romans, 3);
    const Point at = iconAt("Italia");
    game().romans.legions[0]->moved = true;
    game().romans.legions[1]->moved = true;
    Surface s = paint();
    EXPECT_EQ(s.pixel(at.x, at.y), colourOf(168));
    EXPECT_EQ(s.pixel(at.x + 34, at.y + 64), colourOf(168));
    EXPECT_TRUE(countAt(s, at, "3"));

    game().romans.legions[2]->moved = true;
    s = paint();
    EXPECT_EQ(s.pixel(at.x + 20, at.y + 30), colourOf(170));
    EXPECT_TRUE(countAt(s, at, "3"));
}

TEST_F(LegionDrawingTest, EachPowerHasItsIconAndTheLastDrawnWins) {
    game().addLegions("Italia", &game().romans, 2);
    game().addLegions("Italia", &game().barbarians, 5);
    game().addLegions("Syria", &game().sassanids, 12);
    game().addLegions("Africa", &game().rogueRomans, 1);
    game().addLegions("Africa", &game().sassanids, 4);
    const Surface s = paint();
    const Point italia = iconAt("Italia");
    EXPECT_EQ(s.pixel(italia.x + 42, italia.y), colourOf(179));
    // The Roman icon is taller: its foot still shows under the barbarian one.
    EXPECT_EQ(s.pixel(italia.x + 10, italia.y + 62), colourOf(168));
    EXPECT_TRUE(countAt(s, italia, "5"));
    EXPECT_TRUE(countAt(s, iconAt("Syria"), "12"));
    EXPECT_EQ(s.pixel(iconAt("Syria").x + 39, iconAt("Syria").y + 59), colourOf(114));
    // Rebels are drawn after the Sassanids.
    EXPECT_EQ(s.pixel(iconAt("Africa").x, iconAt("Africa").y), colourOf(183));
    EXPECT_TRUE(countAt(s, iconAt("Africa"), "1"));
}

TEST_F(LegionDrawingTest, AProvinceWithoutLegionsShowsNothing) {
    const Surface s = paint();
    const Point at = iconAt("Italia");
    EXPECT_EQ(countPixels(s, at.x, at.y, at.x + 74, at.y + 65, kWhite), 0);
    EXPECT_EQ(countPixels(s, at.x, at.y, at.x + 74, at.y + 65, colourOf(168)), 0);

    // A zero count draws the icon alone, with no box.
    Surface t(display().width(), display().height());
    drawLegion(display(), t, p("Italia")->legionX, p("Italia")->legionY, kIconRoman, 0);
    EXPECT_EQ(t.pixel(at.x, at.y), colourOf(168));
    EXPECT_EQ(countPixels(t, at.x, at.y, at.x + 74, at.y + 65, kWhite), 0);
}

TEST_F(LegionDrawingTest, TheLegendStandsWithNoLegionsOnTheMap) {
    const Surface s = paint();
    EXPECT_EQ(s.pixel(50, 110), colourOf(168));
    EXPECT_EQ(s.pixel(50, 210), colourOf(179));
    EXPECT_EQ(s.pixel(50, 300), colourOf(114));
    EXPECT_EQ(s.pixel(50, 410), colourOf(183));
    EXPECT_TRUE(textAt(s, 20, 475, "Rebelling Legion", kWhite, kBlack));
    // The legend leaves the window's text as it found it.
    EXPECT_EQ(display().window.text.background, kWhite);
    EXPECT_TRUE(display().window.text.opaque);
}

}  // namespace
}  // namespace tessarion::test
