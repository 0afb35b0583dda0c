#include "ui/Reports.h"

#include <gtest/gtest.h>

#include <set>

#include "game/TurnCycle.h"
#include "game/WholeGame.h"
#include "ui/ScreenFixture.h"

namespace tessarion::test {
namespace {

const std::uint32_t kParchment = colourOf(264);

class ReportsTest : public ScreenFixture {
  protected:
    ::testing::AssertionResult reportLine(int y, const std::string& text,
                                          std::uint32_t colour = kBlack) {
        return textAt(paint(), 1010, y, text, colour, kParchment);
    }
    int redInStatusLines() { return countPixels(paint(), 1010, 260, 1335, 300, kRed); }
};

TEST_F(ReportsTest, EconomicReportLines) {
    game().romans.lastIncome = 40;
    game().romans.upkeep = 55;
    game().romans.treasury = 1234;
    EXPECT_TRUE(textAt(paint(), 1110, 100, "YEAR: 235 AD", kBlack, kParchment));
    EXPECT_TRUE(reportLine(130, "ECONOMIC REPORT"));
    EXPECT_TRUE(reportLine(160, "Tax Revenue: 40"));
    EXPECT_TRUE(reportLine(180, "Legion Cost: 55"));
    EXPECT_TRUE(reportLine(200, "Net: -15"));
    EXPECT_TRUE(reportLine(220, "Treasury: 1234"));
    EXPECT_TRUE(reportLine(
        240, "The Empire can support " + std::to_string(legionCap(game().romans)) + " legions"));
    game().romans.upkeep = 40;
    game().turn = 241;
    EXPECT_TRUE(reportLine(200, "Net: +0"));
    EXPECT_TRUE(textAt(paint(), 1110, 100, "YEAR: 476 AD", kBlack, kParchment));
}

TEST_F(ReportsTest, StatusLinesTurnRedOnlyInAPlague) {
    game().romans.treasury = -500;
    EXPECT_TRUE(reportLine(260, "Taxes are being collected"));
    EXPECT_TRUE(reportLine(280, "Legions are being paid"));
    EXPECT_EQ(redInStatusLines(), 0);

    game().romans.plague = true;
    game().romans.treasury = 1;
    EXPECT_TRUE(reportLine(260, "The Empire is suffering from a plague.", kRed));
    EXPECT_TRUE(reportLine(280, "Legion creation and tax collection is slowed!", kRed));
    EXPECT_GT(redInStatusLines(), 50);

    game().romans.treasury = 0;
    EXPECT_TRUE(reportLine(260, "The Empire is out of money:", kRed));
    EXPECT_TRUE(reportLine(280, "The legions are disbanding!", kRed));
    // Only the status lines are red, and the colour is put back after them.
    EXPECT_EQ(countPixels(paint(), 980, 0, 1335, 258, kRed), 0);
    EXPECT_EQ(display().window.text.colour, kBlack);
    EXPECT_TRUE(display().window.text.opaque);
}

// Each line beside the year it happened in; the log keeps the ten latest.
TEST_F(ReportsTest, MilitaryReportShowsTheNewsOldestFirstWithItsYears) {
    for (int i = 1; i <= 11; ++i) {
        game().turn = 20 + i / 4;  // three or four lines a year
        game().addNews("News " + std::to_string(i));
    }
    EXPECT_TRUE(reportLine(320, "MILITARY REPORT"));
    const Surface s = paint();
    for (int i = 0; i < 10; ++i) {
        const int y = 360 + 20 * i;
        const std::string year = std::to_string(255 + (i + 2) / 4);
        EXPECT_TRUE(textAt(s, kNewsYearX, y, year, kNewsYearColour, kParchment)) << i;
        EXPECT_TRUE(textAt(s, kNewsTextX, y, "News " + std::to_string(i + 2), kBlack, kParchment));
    }
    EXPECT_EQ(countPixels(s, 1000, 560, 1335, 600, kParchment), 335 * 40);
    // The year column and the texts keep apart.
    EXPECT_LE(kNewsYearX + defaultFont().width("476") + 4, kNewsTextX);
}

// Every news line whole games write still ends on the parchment, short of its torn right
// edge, beside its year.
TEST(MilitaryReport, TheNewsOfWholeGamesFitsThePanel) {
    std::set<std::string> news;
    for (int from : {235, 1103}) {
        for (PlayerKind player : {PlayerKind::Idle, PlayerKind::General}) {
            playGame(2, player, from, 7,
                     [&](Game& game) { news.insert(game.newsLog.begin(), game.newsLog.end()); });
        }
    }
    EXPECT_GT(news.size(), 40u);
    for (const std::string& line : news) {
        EXPECT_LE(kNewsTextX + defaultFont().width(line), kNewsRight) << line;
    }
}

class ProvinceInfoTest : public ScreenFixture {
  protected:
    // The four coins' colours, or black where none is drawn.
    std::vector<std::uint32_t> coins(const Surface& s) {
        std::vector<std::uint32_t> out;
        for (int k = 0; k < 4; ++k) {
            out.push_back(s.pixel(515 + 22 * k + 10, 605));
        }
        return out;
    }
};

TEST_F(ProvinceInfoTest, CoinsShowTheTaxValue) {
    const std::uint32_t full = colourOf(268);
    const std::uint32_t empty = colourOf(269);
    Province* prov = p("Italia");
    view.hoveredProvince = prov;
    prov->taxValue = 1;
    EXPECT_EQ(coins(paint()), (std::vector{full, empty, empty, empty}));
    prov->taxValue = 4;
    EXPECT_EQ(coins(paint()), (std::vector{full, full, full, full}));
    prov->taxValue = 0;
    EXPECT_EQ(coins(paint()), (std::vector{kBlack, kBlack, kBlack, kBlack}));
}

TEST_F(ProvinceInfoTest, TheLineFollowsTheMouseOntoTheSea) {
    Province* prov = p("Syria");
    prov->hostility = 2;
    view.hoveredProvince = prov;
    Surface& window = display().window;
    drawProvinceInfo(display(), window);
    EXPECT_TRUE(textAt(window, 185, 600, "Province: Syria", kWhite, kBlack));
    EXPECT_TRUE(textAt(window, 430, 600, "Tax value:", kWhite, kBlack));
    EXPECT_TRUE(
        textAt(window, 660, 600, "Attributes: " + prov->attributes + " (hostile)", kWhite, kBlack));

    view.hoveredProvince = nullptr;
    drawProvinceInfo(display(), window);
    Surface expected(display().width(), display().height());
    expected.text = {kWhite, kBlack, false};
    expected.drawText(185, 600, "Province:");
    expected.drawText(430, 600, "Tax value:");
    expected.drawText(660, 600, "Attributes:");
    for (int y = 595; y < 618; ++y) {
        for (int x = 185; x < 965; ++x) {
            ASSERT_EQ(window.pixel(x, y), expected.pixel(x, y)) << x << "," << y;
        }
    }
    EXPECT_EQ(window.text.colour, kBlack);
    EXPECT_EQ(window.text.background, kWhite);
}

TEST_F(ReportsTest, NewsRefreshesThePanelOnTheWindowAlone) {
    display().redrawScreen();
    int shown = 0;
    display().onPresent = [&](const Surface&) { ++shown; };
    frontEnd.onNews = [&] { refreshReports(display()); };
    display().window.fillRect(0, 0, 990, 768, 0xFF0000FF);  // marks what must stay
    game().romans.treasury = 4321;
    game().addNews("Britannia has fallen");
    EXPECT_EQ(shown, 1);
    EXPECT_TRUE(
        textAt(display().window, kNewsTextX, 360, "Britannia has fallen", kBlack, kParchment));
    EXPECT_TRUE(textAt(display().window, 1010, 220, "Treasury: 4321", kBlack, kParchment));
    EXPECT_EQ(countPixels(display().window, 0, 0, 990, 768, 0xFF0000FF), 990 * 768);
}

// A year with a tribute paid: the report's lines add up to Net, and Net is
// the treasury's change, not taxes less pay.
TEST_F(ReportsTest, AYearsFiguresAddUpToTheTreasurysChange) {
    YearRecord& year = game().lastYear;
    Tally before;
    before.treasury = 100000;
    year.open(250, before);
    year.money(EntryKind::Taxes, 10200);
    year.money(EntryKind::Pay, -3750);
    year.money(EntryKind::Tribute, -30000);
    Tally after = before;
    after.treasury = 76450;
    year.close(after);
    game().turn = 251 - 235;
    game().romans.treasury = 76450;
    game().romans.lastIncome = 1;  // the empire's own figures are not the year's
    game().romans.upkeep = 2;

    const Surface s = paint();
    EXPECT_TRUE(textAt(s, 1110, 100, "YEAR: 251 AD", kBlack, kParchment));
    std::vector<std::string> texts;
    for (const ReportLine& line : economicReportLines(game())) {
        texts.push_back(line.text);
        EXPECT_TRUE(textAt(s, line.x, line.y, line.text, kBlack, kParchment)) << line.text;
        EXPECT_LE(line.y + defaultFont().height() + 4, 320)
            << line.text << " clear of MILITARY REPORT";
    }
    EXPECT_EQ(texts,
              (std::vector<std::string>{
                  "YEAR: 251 AD", "ECONOMIC REPORT", "Tax Revenue: 10200", "Legion Cost: 3750",
                  "Tribute, Bonus, Plunder: -30000", "Net: -23550", "Treasury: 76450",
                  "The Empire can support " + std::to_string(legionCap(game().romans)) + " legions",
                  "Taxes are being collected", "Legions are being paid"}));
}

// Whole years played with every peace bought: from the first tax of the
// computer's turn the report shows the new year's label over the year's own
// figures, and once the year is over its Net is the treasury's real change.
TEST(EconomicReportOverYears, TheLabelAndTheFiguresChangeTogether) {
    class Watcher : public RecordingFrontEnd {
      public:
        explicit Watcher(Game& g) : game(g) {}
        bool askYesNo(const std::string& text, const Question& q) override {
            questions.push_back(text);
            return q.topic != Question::Topic::Defeat;
        }
        void showComputerTurn() override {
            atBanner = economicReportLines(game);
            treasuryAtBanner = game.romans.treasury;
        }
        Game& game;
        std::vector<ReportLine> atBanner;
        long long treasuryAtBanner = 0;
    };
    const auto figure = [](const std::vector<ReportLine>& lines, const std::string& label) {
        for (const ReportLine& l : lines) {
            if (l.text.rfind(label, 0) == 0) {
                return std::stoll(l.text.substr(label.size()));
            }
        }
        ADD_FAILURE() << "no line " << label;
        return 0LL;
    };
    Game game(2024);
    Watcher watcher(game);
    const FrontEndScope scope(game, watcher);
    game.setSkillLevel(0);
    game.startNewGame();
    int tributes = 0;
    for (int i = 0; i < 60 && !watcher.quitRequested; ++i) {
        const int played = game.year();
        const long long before = game.romans.treasury;
        endTurnCycle(game);
        if (watcher.quitRequested) {
            break;
        }
        EXPECT_EQ(watcher.atBanner.front().text, "YEAR: " + std::to_string(played + 1) + " AD");
        EXPECT_EQ(figure(watcher.atBanner, "Net: "), watcher.treasuryAtBanner - before) << played;
        const std::vector<ReportLine> lines = economicReportLines(game);
        EXPECT_EQ(lines.front().text, "YEAR: " + std::to_string(game.year()) + " AD");
        const long long net = figure(lines, "Net: ");
        EXPECT_EQ(net, game.romans.treasury - before) << played;
        EXPECT_EQ(figure(lines, "Tax Revenue: ") - figure(lines, "Legion Cost: ") +
                      figure(lines, "Tribute, Bonus, Plunder: "),
                  net);
        tributes += game.lastYear.moneyOf(EntryKind::Tribute) != 0;
    }
    EXPECT_GT(tributes, 0) << "no year paid a tribute: the case is not tried";
}

}  // namespace
}  // namespace tessarion::test
