// The year told in the window: the line under the map after the computer's
// turn, the Year Report box it opens, and a loaded game picked up where it was.
#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <set>

#include <gtest/gtest.h>

#include "game/Chronicle.h"
#include "game/Commands.h"
#include "game/Game.h"
#include "model/YearRecord.h"
#include "platform/HeadlessPlatform.h"
#include "savegame/SaveGame.h"
#include "support/TestGame.h"
#include "ui/AdvisorBox.h"
#include "ui/AlertBox.h"
#include "ui/ChronicleBox.h"
#include "ui/Desktop.h"
#include "ui/InputEvents.h"
#include "ui/LessonBox.h"
#include "ui/Reports.h"
#include "ui/ScreenFixture.h"
#include "ui/YearReportBox.h"
#include "ui/YearSummary.h"

namespace tessarion {
namespace {

using namespace test;

class YearWindowTest : public ::testing::Test {
  protected:
    void SetUp() override { game_ = std::make_unique<Game>(5); }
    void TearDown() override {
        desktop_.reset();
        game_.reset();
        std::error_code ec;
        std::filesystem::remove_all(saveFolder, ec);
    }
    void make(std::optional<std::string> load = std::nullopt) {
        DesktopConfig config;
        config.saveFolder = saveFolder;
        config.pictures = greyPicture;
        config.aboutMs = 10;
        config.exitWaitMs = 10;
        config.loadFile = std::move(load);
        desktop_ = std::make_unique<Desktop>(platform, *game_, config);
        desktop_->modal().onBoxOpened = [this](ModalBox& box) { opened(box); };
    }
    void opened(ModalBox& box) {
        if (auto* report = dynamic_cast<YearReportBox*>(&box)) {
            boxes.push_back("report: " + report->title());
            reportLines = report->lines();
        } else if (dynamic_cast<ChronicleBox*>(&box) != nullptr) {
            boxes.push_back("chronicle");
        } else if (auto* a = dynamic_cast<AdvisorBox*>(&box)) {
            const auto& lines = a->lines();
            const bool defeat = std::any_of(lines.begin(), lines.end(), [](const std::string& l) {
                return l.find("has been defeated") != std::string::npos;
            });
            boxes.push_back(defeat ? "defeat question" : "advisor: " + lines.front());
        } else if (auto* l = dynamic_cast<LessonBox*>(&box)) {
            boxes.push_back("picture " + std::to_string(l->pictureId));
        } else {
            boxes.push_back("other");
        }
    }
    // Up and running, the splash and the intro closed and the hints declined.
    void start() {
        make();
        platform.input.clear();
        for (const InputEvent& e : {key(KeyCode::Enter), key(KeyCode::Escape), key(KeyCode::Tab),
                                    key(KeyCode::Enter), key(KeyCode::Enter)}) {
            platform.input.push_back(e);
        }
        ASSERT_TRUE(desktop_->startUp());
        desktop_->firstPaint();
        platform.input.clear();
        boxes.clear();
    }
    void run(const std::vector<InputEvent>& events) {
        for (const InputEvent& e : events) {
            desktop_->handle(e);
        }
    }
    // Ends the turn with a right click, every box on the way answered with Enter.
    void endTurn() {
        for (int i = 0; i < 20; ++i) {
            platform.input.push_back(key(KeyCode::Enter));
        }
        run(click(600, 300, InputEvent::Button::Right));
        platform.input.clear();
        boxes.clear();
    }
    bool anyBox(const std::string& prefix) const {
        return std::any_of(boxes.begin(), boxes.end(),
                           [&](const std::string& b) { return b.rfind(prefix, 0) == 0; });
    }

    const std::string saveFolder =
        ::testing::TempDir() + "tessarion-year-window-" +
        ::testing::UnitTest::GetInstance()->current_test_info()->name() + "-" +
        std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()) + "/";
    HeadlessPlatform platform;
    std::unique_ptr<Game> game_;
    std::unique_ptr<Desktop> desktop_;
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

    endTurn();
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

    // So do its key and the History menu.
    platform.input.push_back(key(KeyCode::Escape));
    run(typed("y"));
    platform.input.push_back(key(KeyCode::Enter));
    desktop_->shell().command(cmd::kYearReport);
    EXPECT_EQ(boxes.size(), 3u);
    EXPECT_EQ(boxes.back(), boxes.front());

    // A new game has no year to tell.
    desktop_->shell().command(cmd::kNewGame, 1);
    EXPECT_EQ(lineStrip(), stripArea);
}

TEST_F(YearWindowTest, ALoadedGameStartsWithoutTheIntroductionOrTheWelcome) {
    const std::string path = saveFolder + "284.TSN";
    {
        std::filesystem::create_directories(saveFolder);
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
    EXPECT_EQ(boxes, (std::vector<std::string>{"other", "other"}));
    EXPECT_EQ(economicReportLines(*game_).front().text, "YEAR: 284 AD");

    // From the File menu, in a game already under way.
    desktop_.reset();
    game_ = std::make_unique<Game>(5);
    start();
    platform.input.push_back(key(KeyCode::Enter));  // the first saved game of the list
    desktop_->shell().command(cmd::kLoad);
    EXPECT_EQ(game_->year(), 284);
    EXPECT_EQ(boxes, std::vector<std::string>{"other"}) << "the file box alone";
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
    for (int i = 0; i < 20; ++i) {
        platform.input.push_back(key(KeyCode::Enter));
    }
    run(click(600, 300, InputEvent::Button::Right));
    const auto chronicle = std::find(boxes.begin(), boxes.end(), "chronicle");
    ASSERT_NE(chronicle, boxes.end());
    ASSERT_NE(chronicle + 1, boxes.end());
    EXPECT_EQ(*(chronicle + 1), "defeat question");
}

TEST_F(YearWindowTest, FileExportChronicleWritesBothFilesBesideTheSavedGames) {
    start();
    endTurn();
    std::vector<std::string> told;
    desktop_->modal().onBoxOpened = [&](ModalBox& box) {
        opened(box);
        if (auto* alert = dynamic_cast<AlertBox*>(&box)) {
            told = alert->lines();
        }
    };
    for (const InputEvent& e : typed("rome")) {
        platform.input.push_back(e);
    }
    platform.input.push_back(key(KeyCode::Enter));  // the name
    platform.input.push_back(key(KeyCode::Enter));  // what was written
    desktop_->shell().command(cmd::kExportChronicle);
    ASSERT_EQ(told.size(), 3u);
    EXPECT_EQ(told[0], "Chronicle exported:");
    EXPECT_EQ(told[1], saveFolder + "rome.png");
    EXPECT_EQ(told[2], saveFolder + "rome.csv");
    std::ifstream csv(saveFolder + "rome.csv", std::ios::binary);
    const std::string written{std::istreambuf_iterator<char>(csv),
                              std::istreambuf_iterator<char>()};
    EXPECT_EQ(written, chronicleCsv(*game_));
    EXPECT_TRUE(std::filesystem::exists(saveFolder + "rome.png"));

    // Again under the same name: asked first, and No writes nothing.
    told.clear();
    for (const InputEvent& e : typed("rome")) {
        platform.input.push_back(e);
    }
    platform.input.push_back(key(KeyCode::Enter));
    platform.input.push_back(key(KeyCode::Escape));  // No to replacing it
    platform.input.push_back(key(KeyCode::Escape));  // and no other name
    desktop_->shell().command(cmd::kExportChronicle);
    ASSERT_FALSE(told.empty());
    EXPECT_EQ(told[0], "rome.png already exists.");
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

// The menus, the keyboard and the console speak in command ids: no two
// commands may share one.
TEST(CommandIds, EveryMenuCommandHasItsOwn) {
    std::multiset<int> ids;
    std::function<void(const std::vector<MenuItem>&)> collect = [&](const auto& items) {
        for (const MenuItem& item : items) {
            if (item.id != 0) {
                ids.insert(item.id);
            }
            collect(item.submenu);
        }
    };
    for (const Menu& menu : MenuBar().menus) {
        collect(menu.items);
    }
    for (int id : ids) {
        EXPECT_EQ(ids.count(id), 1u) << id;
    }
    for (int id : cmd::kAll) {
        EXPECT_EQ(ids.count(id), 1u) << id << " is in the menus";
    }
}

}  // namespace
}  // namespace tessarion
