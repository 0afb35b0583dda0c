// The year told in the window: the line under the map after the computer's
// turn, the Year Report box it opens, and a loaded game picked up where it was.
#include <algorithm>

#include <gtest/gtest.h>

#include "game/Chronicle.h"
#include "game/Commands.h"
#include "game/Game.h"
#include "model/YearRecord.h"
#include "savegame/SaveGame.h"
#include "ui/DesktopFixture.h"
#include "ui/Reports.h"
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

}  // namespace
}  // namespace tessarion
