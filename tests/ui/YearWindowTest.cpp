// The year told in the window: the line under the map after the computer's turn, the Year
// Report box it opens, a loaded game picked up where it was, and the chronicle's chart and
// its export.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "game/Chronicle.h"
#include "game/Commands.h"
#include "game/Game.h"
#include "model/YearRecord.h"
#include "savegame/SaveGame.h"
#include "support/TestFolder.h"
#include "ui/ChronicleChart.h"
#include "ui/ChronicleExport.h"
#include "ui/DesktopFixture.h"
#include "ui/Font.h"
#include "ui/MapColours.h"
#include "ui/Reports.h"
#include "ui/ScreenFixture.h"
#include "ui/YearReportBox.h"
#include "ui/YearSummary.h"

namespace tessarion {
namespace {

using namespace test;

class YearWindowTest : public DesktopFixture {
  protected:
    void make(std::optional<std::string> load = std::nullopt) {
        DesktopConfig c = config();
        c.loadFile = std::move(load);
        makeDesktop(c);
    }
    void opened(ModalBox& box) override {
        boxes.push_back(describe(box));
        if (auto* report = dynamic_cast<YearReportBox*>(&box)) {
            reportLines = report->lines();
        }
    }
    void start() {
        make();
        startPlaying();
        boxes.clear();
    }

    std::vector<std::string> boxes;
    std::vector<YearReportBox::Line> reportLines;
};

TEST_F(YearWindowTest, AfterTheComputersTurnTheLineTellsTheYearAndOpensItsReport) {
    start();
    Screen& screen = desktop_->screen();
    const int x = screen.x(YearSummary::kLeft);
    const auto lineStrip = [&] {
        return countPixels(screen.window, x, YearSummary::kTop, screen.x(YearSummary::kRight),
                           YearSummary::kBottom, kBlack);
    };
    const int stripArea =
        (YearSummary::kRight - YearSummary::kLeft) * (YearSummary::kBottom - YearSummary::kTop);
    EXPECT_EQ(lineStrip(), stripArea) << "nothing to tell before the first year ends";
    // A click where the line will be opens nothing yet.
    run(click(x + 20, MenuBar::kHeight + YearSummary::kTop + 8));
    EXPECT_TRUE(boxes.empty());

    endTurnAnsweringEverything();
    boxes.clear();
    const std::string said = summariseYear(game_->lastYear, *game_);
    ASSERT_EQ(said.rfind("235 AD: ", 0), 0u) << said;
    EXPECT_TRUE(
        textAt(screen.window, x, YearSummary::textTop(), said, YearSummary::kColour, kBlack));

    // A click (or a tap) on it opens the year's report, grouped.
    platform.input.push_back(key(KeyCode::Enter));
    run(click(x + 20, MenuBar::kHeight + YearSummary::kTop + 8));
    ASSERT_EQ(boxes, std::vector<std::string>{"report: Year Report: 235 AD"});
    std::vector<std::string> headings;
    for (const YearReportBox::Line& line : reportLines) {
        if (line.heading) {
            headings.push_back(line.text.substr(0, line.text.find(' ')));
        }
    }
    EXPECT_EQ(headings,
              (std::vector<std::string>{"Battles", "Provinces", "Legions", "Treasury", "At"}));
    EXPECT_TRUE(std::any_of(reportLines.begin(), reportLines.end(), [](const auto& l) {
        return l.text.rfind("Taxes: +", 0) == 0;
    })) << "every year's taxes are in it";
    EXPECT_FALSE(desktop_->openBox()) << "Enter closed it";

    // A new game has no year to tell.
    desktop_->shell().command(cmd::kNewGame, 1);
    EXPECT_EQ(lineStrip(), stripArea);
}

TEST_F(YearWindowTest, ALoadedGameStartsWithoutTheIntroductionOrTheWelcome) {
    const std::string path = saveFolder + "284.TSN";
    {
        Game old(9);
        old.startNewGame();
        old.turn = 284 - 235;
        ASSERT_TRUE(saveGame(old, path).ok);
    }
    // From the command line: the splash, the game, the farewell; nothing else.
    make(path);
    platform.input.push_back(key(KeyCode::Enter));
    EXPECT_EQ(desktop_->run(), 0);
    EXPECT_EQ(game_->year(), 284);
    EXPECT_EQ(boxes, (std::vector<std::string>{"frame", "frame"}));
    EXPECT_EQ(economicReportLines(*game_).front().text, "YEAR: 284 AD");

    // From the File menu, in a game already under way.
    desktop_.reset();
    game_ = std::make_unique<Game>(5);
    start();
    platform.input.push_back(key(KeyCode::Enter));  // the first saved game of the list
    desktop_->shell().command(cmd::kLoad);
    EXPECT_EQ(game_->year(), 284);
    EXPECT_EQ(boxes, std::vector<std::string>{"file"}) << "the file box alone";
}

TEST_F(YearWindowTest, AtDefeatTheChronicleComesBeforeTheQuestion) {
    start();
    const std::vector<Province*> roman(game_->romans.provinces.begin(),
                                       game_->romans.provinces.end());
    for (Province* q : roman) {
        game_->romans.removeProvince(q);
        game_->barbarians.addProvince(q);
    }
    game_->romans.clearLegions();
    endTurnAnsweringEverything();
    const auto chronicle = std::find(boxes.begin(), boxes.end(), "chronicle");
    ASSERT_NE(chronicle, boxes.end());
    ASSERT_NE(chronicle + 1, boxes.end());
    EXPECT_EQ(*(chronicle + 1), "question: Princeps,") << "the defeat's";
}

TEST_F(YearWindowTest, FileExportChronicleWritesBothFilesBesideTheSavedGames) {
    start();
    endTurnAnsweringEverything();
    std::vector<std::string> told;
    desktop_->modal().onBoxOpened = [&](ModalBox& box) {
        opened(box);
        if (auto* alert = dynamic_cast<AlertBox*>(&box)) {
            told = alert->lines();
        }
    };
    script(typed("rome"));
    script({key(KeyCode::Enter), key(KeyCode::Enter)});  // the name, what was written
    desktop_->shell().command(cmd::kExportChronicle);
    ASSERT_EQ(told.size(), 3u);
    EXPECT_EQ(told[0], "Chronicle exported:");
    EXPECT_EQ(told[1], saveFolder + "rome.png");
    EXPECT_EQ(told[2], saveFolder + "rome.csv");
    EXPECT_EQ(contentsOf(saveFolder + "rome.csv"), chronicleCsv(*game_));
    EXPECT_TRUE(std::filesystem::exists(saveFolder + "rome.png"));
}

// A long year scrolls: by line, to either end, by the bar's arrows; its lines
// are wrapped to the box.
TEST(YearReportBox, LongReportsWrapAndScroll) {
    std::vector<ReportRow> rows = {{"Treasury", true}};
    for (int i = 0; i < 40; ++i) {
        rows.push_back({"Taxes: +" + std::to_string(i) + " sesterces", false});
    }
    rows.push_back(
        {std::string(60, 'x') + " " + std::string(60, 'y') + " " + std::string(60, 'z'), false});
    YearReportBox box("Year Report: 300 AD", rows, 1366, 672);
    EXPECT_LE(box.top + box.height, 672) << "the box fits the shortest screen";
    ASSERT_LT(box.visibleLines(), static_cast<int>(box.lines().size()));
    const std::vector<YearReportBox::Line>& lines = box.lines();
    EXPECT_TRUE(lines.back().continued);
    EXPECT_FALSE(lines[lines.size() - 3].continued) << "the long row starts its own line";

    box.keyDown(key(KeyCode::Down));
    EXPECT_EQ(box.firstLine(), 1);
    box.keyDown(key(KeyCode::End));
    EXPECT_EQ(box.firstLine(), static_cast<int>(lines.size()) - box.visibleLines());
    box.keyDown(key(KeyCode::Down));
    EXPECT_EQ(box.firstLine(), static_cast<int>(lines.size()) - box.visibleLines());
    box.keyDown(key(KeyCode::Home));
    EXPECT_EQ(box.firstLine(), 0);
    const BoxButton& down = box.downArrow();
    box.mouseDown(box.clientLeft() + down.x + 4, box.clientTop() + down.y + 4,
                  InputEvent::Button::Left);
    box.mouseUp(box.clientLeft() + down.x + 4, box.clientTop() + down.y + 4,
                InputEvent::Button::Left);
    EXPECT_EQ(box.firstLine(), 1);
    EXPECT_FALSE(box.done);
    box.keyDown(key(KeyCode::Escape));
    EXPECT_TRUE(box.done);
}

TEST(YearReportRows, EachEntryStandsUnderItsGroupWithTheYearsTotals) {
    Game game(3);
    game.startNewGame();
    YearRecord record;
    Tally before;
    before.treasury = 50000;
    before.provinces = {23, 5, 2, 0};
    record.open(240, before);
    // Out of order, as the year books them.
    record.money(EntryKind::Taxes, 9000);
    YearEntry lost;
    lost.kind = EntryKind::ProvinceChange;
    lost.province = 0;
    lost.attacker = static_cast<int>(powerIndex(Power::GermanicTribes));
    lost.defender = static_cast<int>(powerIndex(Power::Romans));
    lost.holder = lost.attacker;
    record.entries.push_back(lost);
    record.money(EntryKind::Tribute, -20000);
    Tally after = before;
    after.treasury = 39000;
    after.provinces = {22, 6, 2, 0};
    record.close(after);

    const std::vector<ReportRow> rows = yearReportRows(record, game);
    std::vector<std::string> texts;
    for (const ReportRow& r : rows) {
        texts.push_back((r.heading ? "# " : "") + r.text);
    }
    const std::string province = describeEntry(lost, game);
    EXPECT_EQ(texts,
              (std::vector<std::string>{
                  "# Battles", "None.", "# Provinces", province, "# Legions", "None.", "# Treasury",
                  "Taxes: +9,000 sesterces", "Tribute for peace: -20,000 sesterces",
                  "# At the end of the year", "Romans: 22 provinces (-1), 0 legions (+0)",
                  "Germanic Tribes: 6 provinces (+1), 0 legions (+0)",
                  "Sassanids: 2 provinces (+0), 0 legions (+0)",
                  "Rebelling Legions: 0 provinces (+0), 0 legions (+0)",
                  "Treasury: 39,000 sesterces (-11,000)"}));
    EXPECT_EQ(yearReportTitle(record), "Year Report: 240 AD");
    EXPECT_EQ(yearReportRows(YearRecord{}, game).size(), 1u) << "before the first year's end";
}

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
