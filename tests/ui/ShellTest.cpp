// The window's platform-free logic: press and release, the key chord, menu commands; the menu
// bar worked from the keyboard alone (Alt or F10, the arrows round either end, the underlined
// letters, Enter and Escape); keyboard play on the map, where the arrows lead and how the
// highlight shows; and a finger made into the mouse: taps, drags and the long press.
#include "ui/Shell.h"

#include <gtest/gtest.h>

#include <optional>
#include <set>
#include <string>
#include <vector>

#include "engine/Orders.h"
#include "game/Commands.h"
#include "game/Scenarios.h"
#include "model/ProvinceTable.h"
#include "res/MapLand.h"
#include "support/TestGame.h"
#include "ui/EndTurnButton.h"
#include "ui/InputEvents.h"
#include "ui/Layout.h"
#include "ui/MapCursor.h"
#include "ui/MapHit.h"
#include "ui/MenuBar.h"
#include "ui/Surface.h"
#include "ui/TouchGestures.h"

namespace tessarion {
namespace {

using test::GameTest;
using test::key;

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

class MapCursorTest : public GameTest {};

constexpr Heading kHeadings[] = {Heading::Left, Heading::Right, Heading::Up, Heading::Down};

// Each step goes the way of its arrow, and from any province the arrows reach
// every other: no province is left that the keyboard cannot order from or to.
TEST_F(MapCursorTest, ArrowsGoTheirWayAndReachEveryProvince) {
    for (auto& slot : game().provinces) {
        const Province& from = *slot;
        for (Heading h : kHeadings) {
            const Province* to = provinceToward(game(), from, h);
            if (to == nullptr) {
                continue;
            }
            const int dx = to->legionX - from.legionX;
            const int dy = to->legionY - from.legionY;
            const int ahead = h == Heading::Left    ? -dx
                              : h == Heading::Right ? dx
                              : h == Heading::Up    ? -dy
                                                    : dy;
            EXPECT_GT(ahead, 0) << from.name << " to " << to->name;
        }
        std::set<const Province*> seen{&from};
        std::vector<const Province*> todo{&from};
        while (!todo.empty()) {
            const Province* at = todo.back();
            todo.pop_back();
            for (Heading h : kHeadings) {
                const Province* next = provinceToward(game(), *at, h);
                if (next != nullptr && seen.insert(next).second) {
                    todo.push_back(next);
                }
            }
        }
        EXPECT_EQ(seen.size(), game().provinces.size()) << "from " << from.name;
    }
    // Neighbours on the map are a press apart, as a player expects.
    EXPECT_EQ(provinceToward(game(), *p("Italia"), Heading::Right), p("Dalmatia"));
    EXPECT_EQ(provinceToward(game(), *p("Pannonia"), Heading::Left), p("Raetia"));
    EXPECT_EQ(provinceToward(game(), *p("Aegyptus"), Heading::Down), nullptr) << "the map's foot";
}

TEST_F(MapCursorTest, TheHighlightFramesTheLegionBoxAndPickedUpShowsApart) {
    Surface s(1366, 768, 0xFF336699);
    const int x = layout::windowXOfMap(p("Italia")->legionX, 0);
    const int y = layout::windowYOfMap(p("Italia")->legionY);
    MapCursor cursor;
    cursor.highlighted = p("Italia");
    drawMapCursor(s, 0, cursor);
    // White, edged in black on both sides, around the 74 x 60 box.
    EXPECT_EQ(s.pixel(x - 3, y + 30), kWhite);
    EXPECT_EQ(s.pixel(x - 5, y + 30), kBlack);
    EXPECT_EQ(s.pixel(x + 30, y + 30), 0xFF336699u) << "the legions inside stay visible";

    cursor.picked = p("Italia");
    cursor.highlighted = p("Raetia");
    Surface t(1366, 768, 0xFF336699);
    drawMapCursor(t, 0, cursor);
    const std::uint32_t sourceMark = t.pixel(x, y + 30);
    EXPECT_NE(sourceMark, 0xFF336699u);
    EXPECT_NE(sourceMark, kWhite) << "the source looks unlike the target";
    EXPECT_EQ(t.pixel(layout::windowXOfMap(p("Raetia")->legionX, 0) - 3,
                      layout::windowYOfMap(p("Raetia")->legionY) + 30),
              kWhite);
}

TEST(MenuBarKeys, ArrowsLettersEnterAndEscapeWalkTheMenus) {
    const InputEvent f10 = key(KeyCode::F10);
    const InputEvent up = key(KeyCode::Up);
    const InputEvent down = key(KeyCode::Down);
    const InputEvent left = key(KeyCode::Left);
    const InputEvent right = key(KeyCode::Right);
    const InputEvent enter = key(KeyCode::Enter);
    const InputEvent escape = key(KeyCode::Escape);
    const InputEvent altF = key(KeyCode::Letter, 'f', true);
    const InputEvent altH = key(KeyCode::Letter, 'h', true);
    const InputEvent altO = key(KeyCode::Letter, 'o', true);
    const InputEvent alt = key(KeyCode::Alt);
    const InputEvent altUp = test::keyUp(KeyCode::Alt);
    struct Case {
        const char* what;
        std::vector<InputEvent> keys;
        int open;  // the open menu, -1 none
        int item;  // its lit item, or the lit title when none is open
        int sub;   // the lit item of the open submenu
        std::optional<int> command;
    };
    const Case cases[] = {
        {"F10 lights the first title; Left goes round to the last", {f10, left}, -1, 3, -1, {}},
        {"Enter on a lit title opens it", {f10, right, enter}, 1, 0, -1, {}},
        {"Alt and a title's letter open it", {altH}, 3, 0, -1, {}},
        {"Up from the first item goes round to the last", {altF, up}, 0, 4, -1, {}},
        {"Down from the last item goes round to the first", {altF, up, down}, 0, 0, -1, {}},
        {"Enter chooses the lit item", {altF, up, enter}, -1, -1, -1, cmd::kExit},
        {"an item's letter chooses it", {altH, key(KeyCode::Letter, 'a')}, -1, -1, -1, cmd::kAbout},
        {"Right opens the lit item's submenu", {f10, right, enter, right}, 1, 0, 0, {}},
        {"Up in a submenu goes round", {f10, right, enter, right, up}, 1, 0, 2, {}},
        {"Enter in a submenu", {f10, right, enter, right, up, enter}, -1, -1, -1, cmd::kHard},
        {"Left closes the submenu only", {f10, right, enter, right, left}, 1, 0, -1, {}},
        {"Right from a submenu is the next menu", {f10, right, enter, right, right}, 2, 0, -1, {}},
        {"Left from a menu is the one before, round the end", {altF, left}, 3, 0, -1, {}},
        {"Escape closes the menu and lights its title", {altH, escape}, -1, 3, -1, {}},
        {"Escape from a submenu closes it only", {f10, right, enter, right, escape}, 1, 0, -1, {}},
        {"a second Escape leaves the bar", {altH, escape, escape}, -1, -1, -1, {}},
        {"Alt and a letter no title has opens nothing", {altO}, -1, -1, -1, {}},
        {"Alt alone lights the first title", {alt, altUp, right}, -1, 1, -1, {}},
        {"Alt alone a second time leaves the bar", {alt, altUp, alt, altUp}, -1, -1, -1, {}},
        {"releasing Alt after Alt+F leaves the menu open", {alt, altF, altUp}, 0, 0, -1, {}},
    };
    for (const Case& c : cases) {
        MenuBar menu;
        std::optional<int> chosen;
        for (const InputEvent& e : c.keys) {
            bool consumed = false;
            if (e.type == InputEvent::Type::KeyUp) {
                menu.keyUp(e, consumed);
            } else if (std::optional<int> id = menu.keyDown(e, consumed)) {
                chosen = id;
            }
        }
        EXPECT_EQ(menu.openMenu(), c.open) << c.what;
        EXPECT_EQ(menu.highlightedItem(), c.item) << c.what;
        EXPECT_EQ(menu.highlightedSubitem(), c.sub) << c.what;
        EXPECT_EQ(chosen, c.command) << c.what;
    }
}

using test::touch;

// "down L 10,20" and the like, one word per mouse event.
std::string told(const std::vector<InputEvent>& events) {
    std::string out;
    for (const InputEvent& e : events) {
        using T = InputEvent::Type;
        const char* what = e.type == T::MouseMove   ? "move"
                           : e.type == T::MouseDown ? "down"
                           : e.type == T::MouseUp   ? "up"
                                                    : "?";
        out += out.empty() ? "" : "; ";
        out += what;
        if (e.type != T::MouseMove) {
            out += e.button == InputEvent::Button::Left ? " L" : " R";
        }
        out += " " + std::to_string(e.x) + "," + std::to_string(e.y);
    }
    return out;
}

using T = InputEvent::Type;

TEST(TouchGesturesTest, ATapClicksWhereTheFingerCameDownAndAMovingFingerDrags) {
    TouchGestures g;
    EXPECT_EQ(told(g.translate(touch(T::TouchDown, 100, 200, 1000), true)), "move 100,200");
    // A finger trembles: still a tap, at the place it came down.
    EXPECT_EQ(told(g.translate(touch(T::TouchMove, 108, 195, 1050), true)), "");
    EXPECT_EQ(told(g.translate(touch(T::TouchUp, 110, 206, 1100), true)),
              "down L 100,200; up L 100,200");
    EXPECT_FALSE(g.active());

    // Past the slop it is a drag from the first point, however long it was held.
    g.translate(touch(T::TouchDown, 100, 200, 2000), true);
    EXPECT_EQ(told(g.translate(touch(T::TouchMove, 130, 200, 3000), true)),
              "down L 100,200; move 130,200");
    EXPECT_EQ(told(g.translate(touch(T::TouchMove, 300, 250, 3100), true)), "move 300,250");
    EXPECT_EQ(told(g.translate(touch(T::TouchUp, 310, 260, 3200), true)),
              "move 310,260; up L 310,260");
    // A quick flick whose only report is its lifting still drags.
    g.translate(touch(T::TouchDown, 100, 200, 4000), true);
    EXPECT_EQ(told(g.translate(touch(T::TouchUp, 400, 200, 4050), true)),
              "down L 100,200; move 400,200; up L 400,200");
}

TEST(TouchGesturesTest, ALongPressIsTheRightClickOnlyWhereOneMeansSomething) {
    TouchGestures g;
    g.translate(touch(T::TouchDown, 50, 60, 1000), true);
    EXPECT_EQ(
        told(g.translate(touch(T::TouchUp, 52, 61, 1000 + TouchGestures::kLongPressMs), true)),
        "down R 50,60; up R 50,60");
    // Just short of it: a tap.
    g.translate(touch(T::TouchDown, 50, 60, 5000), true);
    EXPECT_EQ(
        told(g.translate(touch(T::TouchUp, 50, 60, 5000 + TouchGestures::kLongPressMs - 1), true)),
        "down L 50,60; up L 50,60");
    // In a box a slow tap must still press its button.
    g.translate(touch(T::TouchDown, 50, 60, 9000), false);
    EXPECT_EQ(told(g.translate(touch(T::TouchUp, 50, 60, 12000), false)),
              "down L 50,60; up L 50,60");
}

TEST(TouchGesturesTest, OnlyTheFirstFingerCountsAndAResetForgetsIt) {
    TouchGestures g;
    g.translate(touch(T::TouchDown, 100, 100, 1000, 7), true);
    EXPECT_EQ(told(g.translate(touch(T::TouchDown, 500, 500, 1010, 8), true)), "");
    EXPECT_EQ(told(g.translate(touch(T::TouchMove, 700, 500, 1020, 8), true)), "");
    EXPECT_EQ(told(g.translate(touch(T::TouchUp, 700, 500, 1030, 8), true)), "");
    EXPECT_EQ(told(g.translate(touch(T::TouchUp, 100, 100, 1040, 7), true)),
              "down L 100,100; up L 100,100");

    // The game was busy and dropped the lifting: the finger is forgotten, and
    // a lifting seen later makes no click of it.
    g.translate(touch(T::TouchDown, 100, 100, 2000, 7), true);
    g.reset();
    EXPECT_EQ(told(g.translate(touch(T::TouchUp, 100, 100, 9000, 7), true)), "");
    EXPECT_EQ(told(g.translate(touch(T::TouchMove, 300, 100, 9000, 7), true)), "");
    // Mouse and keys are not its business.
    EXPECT_TRUE(g.translate(test::key(KeyCode::Enter), true).empty());
}

}  // namespace
}  // namespace tessarion
