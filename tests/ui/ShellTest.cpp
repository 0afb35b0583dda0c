// The window's platform-free logic: press and release, the key chord, menu commands.
#include "ui/Shell.h"

#include <optional>
#include <set>

#include "engine/Orders.h"
#include "game/Scenarios.h"
#include "model/ProvinceTable.h"
#include "res/MapLand.h"
#include "support/TestGame.h"
#include "ui/EndTurnButton.h"
#include "ui/MapHit.h"
#include "ui/MenuBar.h"

namespace tessarion {
namespace {

using test::GameTest;

class FakeHost : public ShellHost {
  public:
    void redrawScreen() override { log.push_back("redraw"); }
    void drawProvinceInfo() override { log.push_back("panel"); }
    void playLesson(const Lesson& lesson) override {
        log.push_back("lesson " + std::string(lesson.picture));
    }
    void openWebPage(const std::string& path) override { log.push_back("open " + path); }
    void showAbout() override { log.push_back("about"); }
    void alert(const std::string& caption, const std::string& text) override {
        log.push_back(caption + ":" + text);
    }
    void quit() override { log.push_back("quit"); }
    void drawEndTurnButton(bool pressed) override {
        log.push_back(pressed ? "button down" : "button up");
    }
    void drawMapCursor() override { log.push_back("cursor"); }
    std::vector<std::string> log;
};

class ShellTest : public GameTest {
  protected:
    void SetUp() override {
        GameTest::SetUp();
        shell_ = std::make_unique<Shell>(game(), host);
        newGame();
    }
    void TearDown() override {
        shell_.reset();
        GameTest::TearDown();
    }
    FakeHost host;
    Shell& shell() { return *shell_; }
    std::unique_ptr<Shell> shell_;
    // Window point of a map point at 1366 wide.
    static int wx(int mapX) { return layout::windowXOfMap(mapX, 0); }
    static int wy(int mapY) { return layout::windowYOfMap(mapY); }
};

TEST_F(ShellTest, LegionBoxIncludesItsFarCornerOnly) {
    Province* britannia = p("Britannia");  // alone in its corner of the map
    EXPECT_EQ(shell().legionBoxAt(britannia->legionX + 73, britannia->legionY + 59), britannia);
    EXPECT_NE(shell().legionBoxAt(britannia->legionX + 74, britannia->legionY + 59), britannia);
    EXPECT_NE(shell().legionBoxAt(britannia->legionX + 73, britannia->legionY + 60), britannia);
    // Narbonensis's anchor lies in Aquitania's box, and Aquitania has the lower slot.
    EXPECT_EQ(shell().legionBoxAt(p("Narbonensis")->legionX + 5, p("Narbonensis")->legionY + 5),
              p("Aquitania"));
}

TEST_F(ShellTest, DroppingTheLastUnmovedLegionEndsTheTurn) {
    clearAllLegions();
    give(game().romans, "Britannia");
    Province* b = p("Britannia");
    shell().leftButtonDown(wx(b->legionX + 5), wy(b->legionY + 5));
    const Rect& target = p("Belgica")->hitRects.front();
    shell().leftButtonUp(wx((target.left + target.right) / 2),
                         wy((target.top + target.bottom) / 2));
    EXPECT_EQ(game().year(), 236);
    EXPECT_EQ(screen.calls.front(), "redraw") << "the order is shown before the turn ends";
}

TEST_F(ShellTest, TheEndTurnButtonEndsTheTurnOnlyForAPressAndReleaseOnIt) {
    const int x = wx(0) - layout::kMapLeft + EndTurnButton::kLeft + 10;
    const int y = EndTurnButton::kTop + 10;
    // Pressed, then slid off before letting go: no end of turn.
    EXPECT_TRUE(shell().endTurnButtonDown(x, y));
    EXPECT_TRUE(shell().endTurnButtonUp(x + EndTurnButton::kWidth, y));
    EXPECT_EQ(game().year(), 235);
    // A drag that ends on the button is the map's release, not the button's.
    EXPECT_FALSE(shell().endTurnButtonDown(x, 300));
    EXPECT_FALSE(shell().endTurnButtonUp(x, y));
    EXPECT_EQ(game().year(), 235);
    EXPECT_TRUE(shell().endTurnButtonDown(x, y));
    EXPECT_TRUE(shell().endTurnButtonUp(x, y));
    EXPECT_EQ(game().year(), 236);
    EXPECT_EQ(std::count(host.log.begin(), host.log.end(), "button down"), 2);
    EXPECT_EQ(std::count(host.log.begin(), host.log.end(), "button up"), 2);
    // On a wider window the button moves with the layout.
    const int offset = 200;
    shell().followLayoutOffset(offset);
    EXPECT_FALSE(shell().endTurnButtonDown(x, y));
    EXPECT_TRUE(shell().endTurnButtonDown(x + 200, y));
}

TEST_F(ShellTest, KeyboardPicksUpADropsAndCancels) {
    // The first arrow shows the highlight on Italia, wherever the mouse is,
    // and the panel follows it.
    const Rect& r = p("Pannonia")->hitRects.front();
    shell().mouseMove(wx(r.left + 2), wy(r.top + 2));
    shell().moveHighlight(Heading::Up);
    EXPECT_EQ(shell().cursor.highlighted, p("Italia"));
    EXPECT_EQ(shell().view.hoveredProvince, p("Italia"));

    // Italia's legion to Raetia: Enter, up, left, Enter.
    shell().pickOrDrop();
    EXPECT_EQ(shell().cursor.picked, p("Italia"));
    shell().moveHighlight(Heading::Up);
    shell().moveHighlight(Heading::Left);
    EXPECT_EQ(shell().cursor.highlighted, p("Raetia"));
    shell().pickOrDrop();
    EXPECT_EQ(game().romans.legionsIn(p("Raetia")), 1);
    EXPECT_EQ(shell().cursor.picked, nullptr);

    // Escape puts a picked-up legion down; a second Escape hides the highlight.
    shell().moveHighlight(Heading::Right);  // Pannonia
    shell().moveHighlight(Heading::Down);   // Italia
    shell().pickOrDrop();
    EXPECT_TRUE(shell().cancelPick());
    EXPECT_EQ(shell().cursor.picked, nullptr);
    EXPECT_EQ(shell().cursor.highlighted, p("Italia"));
    EXPECT_TRUE(shell().cancelPick());
    EXPECT_EQ(shell().cursor.highlighted, nullptr);
    EXPECT_FALSE(shell().cancelPick());

    // A province whose legions have all moved is not picked up; the Prefect says why.
    shell().mouseMove(1, 1);
    shell().moveHighlight(Heading::Up);  // shows it on Italia
    shell().moveHighlight(Heading::Up);
    shell().moveHighlight(Heading::Left);
    ASSERT_EQ(shell().cursor.highlighted, p("Raetia"));
    shell().pickOrDrop();
    EXPECT_EQ(shell().cursor.picked, nullptr);
    EXPECT_TRUE(advisor.saw("All the units in the province have already moved."));
    // The province line says why until the highlight moves on.
    EXPECT_EQ(shell().view.refusal, "all the legions in Raetia have already moved");
    shell().moveHighlight(Heading::Down);  // Narbonensis
    EXPECT_EQ(shell().view.refusal, "");
    // Enter on the province it was picked up from puts it down.
    shell().moveHighlight(Heading::Right);  // Italia
    shell().pickOrDrop();
    shell().pickOrDrop();
    EXPECT_EQ(shell().cursor.picked, nullptr);
    EXPECT_EQ(game().romans.legionsIn(p("Italia")), 4);
    // The end of the turn drops what is picked up.
    shell().pickOrDrop();
    shell().endTurn();
    EXPECT_EQ(shell().cursor.picked, nullptr);
    EXPECT_EQ(game().year(), 236);
}

TEST_F(ShellTest, MenuCommands) {
    EXPECT_TRUE(shell().character('?'));
    EXPECT_TRUE(shell().character('/'));
    EXPECT_FALSE(shell().character('x'));
    EXPECT_TRUE(shell().command(2010));
    EXPECT_TRUE(shell().command(cmd::kStudyGuide | 0x10000));  // compared on the low 16 bits
    EXPECT_FALSE(shell().command(2001)) << "there is no lesson 2001";
    EXPECT_EQ(host.log, (std::vector<std::string>{"about", "about", "lesson adrianople",
                                                  "open /guide.html"}));
}

TEST_F(ShellTest, ScenarioAnsweredNoLeavesTheGameAlone) {
    const std::string before = std::to_string(game().turn) + std::to_string(game().romans.treasury);
    const int honorius = scenarioOfYear(410)->id;
    EXPECT_TRUE(shell().command(honorius));
    EXPECT_EQ(advisor.questions,
              std::vector<std::string>{"Are you sure you want to discard the current game?"});
    EXPECT_EQ(std::to_string(game().turn) + std::to_string(game().romans.treasury), before);
    advisor.answers = {true};
    shell().command(honorius);
    EXPECT_EQ(game().year(), 409);
}

// The menus and the shell read the same ids: every item of the bar is served,
// every command is in the bar once, and the History menu offers the lessons of
// the lesson table in its order.
TEST_F(ShellTest, EveryMenuItemIsServedAndTheHistoryMenuIsTheLessonTable) {
    MenuBar bar;
    std::vector<int> lessonsOffered;
    std::multiset<int> ids;
    for (const Menu& menu : bar.menus) {
        for (const MenuItem& item : menu.items) {
            std::vector<const MenuItem*> commands{&item};
            for (const MenuItem& sub : item.submenu) {
                commands.push_back(&sub);
            }
            for (const MenuItem* c : commands) {
                if (c->id == 0) {
                    continue;
                }
                ids.insert(c->id);
                if (const Lesson* lesson = lessonForMenu(c->id)) {
                    EXPECT_EQ(c->label, lesson->title);
                    lessonsOffered.push_back(c->id);
                }
                EXPECT_TRUE(shell().command(c->id)) << c->label;
            }
        }
    }
    std::vector<int> table;
    for (const Lesson& lesson : kLessons) {
        table.push_back(lesson.menuId);
    }
    EXPECT_EQ(lessonsOffered, table);
    for (int id : ids) {
        EXPECT_EQ(ids.count(id), 1u) << id;
    }
    for (int id : cmd::kAll) {
        EXPECT_EQ(ids.count(id), 1u) << id << " is in the menus";
    }
}

// Painted land outside every click rectangle hovers and drops as the province whose land it is;
// inside the rectangles the rules decide as always; the sea is no province.
TEST_F(ShellTest, EveryPaintedPixelAnswersTheMouse) {
    clearAllLegions();
    give(game().romans, "Dalmatia");
    give(game().romans, "Aegyptus");  // so the drop does not end the turn
    const res::MapLand& land = res::MapLand::embedded();
    std::optional<std::pair<int, int>> italiasLand;
    std::vector<int> sampled(game().provinces.size(), 0);
    int sea = 0;
    for (int y = 0; y < res::MapLand::kHeight; y += 3) {
        for (int x = 0; x < res::MapLand::kWidth; x += 3) {
            shell().mouseMove(x + 180, y + 30);
            Province* rules = provinceAt(game(), x, y);
            const int under = land.at(x, y);
            if (rules != nullptr) {
                ASSERT_EQ(shell().view.hoveredProvince, rules) << x << "," << y;
            } else if (under >= 0) {
                const auto i = static_cast<std::size_t>(under);
                ASSERT_EQ(shell().view.hoveredProvince, game().provinces[i].get()) << x << "," << y;
                ++sampled[i];
                if (game().provinces[i].get() == p("Italia") && !italiasLand) {
                    italiasLand.emplace(x + 180, y + 30);
                }
            } else {
                ASSERT_EQ(shell().view.hoveredProvince, nullptr) << x << "," << y;
                sea += under == res::MapLand::kSea;
            }
        }
    }
    EXPECT_GT(sea, 10000);
    for (std::size_t i = 0; i < sampled.size(); ++i) {
        EXPECT_GT(sampled[i], 0) << game().provinces[i]->name << " has no land outside its boxes";
    }
    ASSERT_TRUE(italiasLand);
    shell().leftButtonDown(wx(p("Dalmatia")->legionX + 5), wy(p("Dalmatia")->legionY + 5));
    ASSERT_EQ(shell().dragSource, p("Dalmatia"));
    shell().leftButtonUp(italiasLand->first, italiasLand->second);
    EXPECT_EQ(game().romans.legionsIn(p("Italia")), 1);
}

}  // namespace
}  // namespace tessarion
