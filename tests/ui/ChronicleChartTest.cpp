#include "ui/ChronicleChart.h"

#include <filesystem>

#include <gtest/gtest.h>

#include "game/Chronicle.h"
#include "game/Game.h"
#include "support/TestFolder.h"
#include "ui/ChronicleExport.h"
#include "ui/Font.h"
#include "ui/MapColours.h"
#include "ui/ScreenFixture.h"

namespace tessarion {
namespace {

// A reign of 235 to 270 AD: the Romans lose provinces to 260, win some back
// to 265 and lose again; the Persians gain what the Romans lose in the east.
std::vector<ChronicleRow> reign() {
    std::vector<ChronicleRow> rows;
    for (int year = 235; year <= 270; ++year) {
        ChronicleRow row;
        row.year = year;
        const int roman = year <= 260   ? 23 - (year - 235) / 2
                          : year <= 265 ? 11 + (year - 260)
                                        : 16 - (year - 265);
        row.tally.provinces = {roman, 5, 2 + (23 - roman) / 3, 0};
        row.tally.legions = {20 - (year - 235) / 4, 2, 1, 0};
        row.tally.treasury = 75000 + 1000 * (year - 235);
        rows.push_back(row);
    }
    return rows;
}

constexpr int kWidth = 760;
constexpr int kHeight = 440;

// Whether any pixel of the colour lies within `reach` of (x, y).
bool near(const Surface& s, int x, int y, std::uint32_t colour, int reach = 2) {
    for (int dy = -reach; dy <= reach; ++dy) {
        for (int dx = -reach; dx <= reach; ++dx) {
            if (s.pixel(x + dx, y + dy) == colour) {
                return true;
            }
        }
    }
    return false;
}

TEST(ChronicleChart, TheRomanLineFollowsTheChronicleWithHistorysBesideIt) {
    const std::vector<ChronicleRow> rows = reign();
    Surface s(kWidth, kHeight);
    const ChronicleChart chart(rows, 0, 0, kWidth, kHeight);
    chart.draw(s, ColourScheme::Standard);
    const std::uint32_t roman = ChronicleChart::powerColour(ColourScheme::Standard, 0);

    // The line passes through every year's count and not above or below it:
    // down to 260, up to 265, down again.
    for (const ChronicleRow& row : rows) {
        const int x = chart.xOfYear(row.year);
        const int y = chart.yOfProvinces(row.tally.provinces[0]);
        EXPECT_TRUE(near(s, x, y, roman)) << row.year;
        EXPECT_FALSE(near(s, x, chart.yOfProvinces(row.tally.provinces[0] + 3), roman, 1))
            << row.year;
        EXPECT_FALSE(near(s, x, chart.yOfProvinces(row.tally.provinces[0] - 3), roman, 1))
            << row.year;
    }
    EXPECT_LT(chart.yOfProvinces(11), chart.yOfProvinces(10)) << "more provinces stand higher";
    // History's line: the whole empire until 260, then Postumus's breakaway.
    EXPECT_TRUE(near(s, chart.xOfYear(250), chart.yOfProvinces(historicalProvinces(250)),
                     ChronicleChart::kHistoryColour));

    // The legions and the treasury in the lower panel, the years along the foot.
    const ChronicleRow& last = rows.back();
    EXPECT_TRUE(near(s, chart.xOfYear(last.year), chart.yOfLegions(last.tally.legions[0]), roman));
    EXPECT_TRUE(near(s, chart.xOfYear(last.year), chart.yOfTreasury(last.tally.treasury),
                     ChronicleChart::kTreasuryColour));
    EXPECT_GT(chart.moneyPanel().top, chart.provincePanel().bottom);
    EXPECT_LE(chart.legendTop() + chart.legendHeight(), kHeight);
    for (const std::uint32_t colour :
         {roman, ChronicleChart::kHistoryColour, ChronicleChart::kTreasuryColour}) {
        EXPECT_GT(test::countPixels(s, 0, chart.legendTop(), kWidth, kHeight, colour), 10)
            << std::hex << colour;
    }
}

// The colour-blind map's colours.
TEST(ChronicleChart, ColourBlindPlayersGetTheirMapsColours) {
    const std::vector<ChronicleRow> rows = reign();
    const ChronicleChart chart(rows, 0, 0, kWidth, kHeight);
    Surface standard(kWidth, kHeight);
    Surface colourBlind(kWidth, kHeight);
    chart.draw(standard, ColourScheme::Standard);
    chart.draw(colourBlind, ColourScheme::ColourBlind);
    const Ground grounds[] = {Ground::Roman, Ground::Germanic, Ground::Persian, Ground::Plain};
    for (std::size_t power = 0; power < kPowerCount; ++power) {
        const std::uint32_t plain = ChronicleChart::powerColour(ColourScheme::Standard, power);
        const std::uint32_t shown = ChronicleChart::powerColour(ColourScheme::ColourBlind, power);
        EXPECT_EQ(shown, colourBlindColour(grounds[power]));
        const ChronicleRow& row = rows[20];
        const int x = chart.xOfYear(row.year);
        const int y = chart.yOfProvinces(row.tally.provinces[power]);
        EXPECT_TRUE(near(colourBlind, x, y, shown, 4)) << power;
        if (plain != shown) {
            EXPECT_FALSE(near(colourBlind, x, y, plain, 4)) << power;
        }
    }
    EXPECT_NE(ChronicleChart::powerColour(ColourScheme::Standard, 2),
              ChronicleChart::powerColour(ColourScheme::ColourBlind, 2));
}

// A single row (a game just begun) draws without dividing by nothing.
TEST(ChronicleChart, AGameJustBegunHasOnePoint) {
    std::vector<ChronicleRow> rows = {reign().front()};
    Surface s(400, 300);
    const ChronicleChart chart(rows, 0, 0, 400, 300);
    chart.draw(s, ColourScheme::Standard);
    EXPECT_EQ(chart.firstYear(), 235);
    EXPECT_EQ(chart.lastYear(), 236);
    EXPECT_TRUE(near(s, chart.xOfYear(235), chart.yOfProvinces(23),
                     ChronicleChart::powerColour(ColourScheme::Standard, 0)));
}

TEST(ChronicleChart, ShortSestercesForTheAxis) {
    EXPECT_EQ(shortSesterces(0), "0");
    EXPECT_EQ(shortSesterces(950), "950");
    EXPECT_EQ(shortSesterces(100000), "100k");
    EXPECT_EQ(shortSesterces(-20000), "-20k");
    EXPECT_EQ(shortSesterces(1500000), "1.5M");
}

TEST(ChronicleExport, WritesThePictureAndTheTableBesideEachOther) {
    const TestFolder temporary("chronicle-export");
    const std::string folder = temporary.slashed();
    Game game(11);
    game.startNewGame();
    game.chronicle = reign();
    EXPECT_EQ(exportPrefix(folder + "rome.PNG"), folder + "rome");
    EXPECT_EQ(exportPrefix(folder + "rome.csv"), folder + "rome");
    EXPECT_EQ(exportPrefix(folder + "rome"), folder + "rome");

    // What is written is checked through the window's File menu (YearWindowTest).
    ASSERT_TRUE(exportChronicle(game, ColourScheme::Standard, folder + "rome").ok);
    EXPECT_FALSE(std::filesystem::exists(folder + "rome.png.bak")) << "an export keeps no backup";

    // A folder that is not there: nothing written, and the reason with the file's name.
    const ChronicleExport failed =
        exportChronicle(game, ColourScheme::Standard, folder + "missing/rome");
    EXPECT_FALSE(failed.ok);
    EXPECT_NE(failed.error.find("missing/rome.png"), std::string::npos) << failed.error;
    EXPECT_EQ(failed.error.rfind("Unable to export the chronicle: ", 0), 0u) << failed.error;
}

}  // namespace
}  // namespace tessarion
