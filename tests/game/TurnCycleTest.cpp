// The yearly cycle: order, lessons, the ends of the game and its two loops; the lesson table
// the History menu, the turn cycle and the lesson box read, and the commands' ids.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "game/Commands.h"
#include "game/Lessons.h"
#include "game/Scenarios.h"
#include "game/TurnCycle.h"
#include "support/TestGame.h"

namespace tessarion {
namespace {

using test::GameTest;

class TurnCycleTest : public GameTest {
  protected:
    // A quiet position: Romans everywhere they start, one legion at home,
    // no enemies on the map and tribes that wait.
    void quietGame() {
        newGame();
        clearAllLegions();
        give(game().romans, "Italia");
        give(game().romans, "Britannia");  // garrisons keep the unrest away
        give(game().romans, "Aegyptus");
        game().barbarians.tribeCountdown = {100, 100, 100, 100};
        game().romans.egyptHintShown = game().romans.britanniaHintShown = true;
        game().romans.daciaHintShown = game().romans.northAfricaHintShown = true;
        screen.calls.clear();
    }
    int indexOf(const std::string& call) {
        auto it = std::find(screen.calls.begin(), screen.calls.end(), call);
        return it == screen.calls.end() ? -1 : static_cast<int>(it - screen.calls.begin());
    }
};

TEST_F(TurnCycleTest, FirstTurnOfANewGamePlaysTheFirstLesson) {
    quietGame();
    EXPECT_FALSE(endTurnCycle(game()));
    EXPECT_EQ(game().year(), 236);
    const std::vector<std::string> expected{"redraw",           "banner",       "clearMoves",
                                            "redraw",           "zoom 673,300", "zoom 673,300",
                                            "picture maximinus"};
    EXPECT_EQ(std::vector<std::string>(screen.calls.begin(), screen.calls.begin() + 7), expected);
    EXPECT_TRUE(anyLegionCanMove(game()));
}

TEST_F(TurnCycleTest, RebellionMessageComesBeforeTheThreeEmpiresLesson) {
    quietGame();
    game().turn = 24;
    game().romans.rebellionExplained = true;
    endTurnCycle(game());
    EXPECT_EQ(game().year(), 260);
    ASSERT_FALSE(advisor.messages.empty());
    EXPECT_EQ(advisor.messages.front(),
              "Princeps,\r\n\r\nThe eastern and western ends of the empire\r\nhave rebelled!");
    EXPECT_NE(indexOf("picture threeEmpires"), -1);
}

TEST_F(TurnCycleTest, LessonsInTwoConsecutiveYears) {
    quietGame();
    game().events.clear();
    game().turn = 142;  // 377
    endTurnCycle(game());
    EXPECT_NE(indexOf("picture adrianople"), -1);
    screen.calls.clear();
    endTurnCycle(game());
    EXPECT_NE(indexOf("picture theodosius"), -1);
    EXPECT_EQ(game().year(), 379);
}

TEST_F(TurnCycleTest, YearsRunOnWhileTheRomansHaveNoLegions) {
    quietGame();
    game().romans.clearLegions();
    for (auto& prov : game().provinces) {
        prov->recruitCounter = 0;
    }
    endTurnCycle(game());
    EXPECT_GT(game().romans.legionCount(), 0) << "returns only once a legion has been raised";
    EXPECT_GT(game().turn, 1);
    EXPECT_TRUE(anyLegionCanMove(game()));
}

TEST_F(TurnCycleTest, YearsRunOnWhileEveryLegionMarches) {
    quietGame();
    game().romans.clearLegions();
    Legion* l = game().romans.createLegion(p("Lusitania"));
    l->setRoute({p("Lusitania"), p("Terraconensis"), p("Aquitania"), p("Italia"), p("Pannonia")});
    // A long plague keeps the recruit counters still, so no new legion
    // stops the march early.
    game().romans.plague = true;
    game().romans.plagueCounter = 100;
    for (auto& prov : game().provinces) {
        prov->recruitCounter = 0;
    }
    endTurnCycle(game());
    EXPECT_FALSE(l->hasRoute);
    EXPECT_EQ(l->province->name, "Pannonia");
    EXPECT_EQ(game().year(), 240)
        << "four years of marching, then a year in which it can be ordered again";
}

TEST_F(TurnCycleTest, DefeatAskedBeforeTheMilestoneAndPlayAgainStartsOver) {
    quietGame();
    game().romans.provinces.clear();
    advisor.answers = {true};
    EXPECT_FALSE(endTurnCycle(game()));
    ASSERT_EQ(advisor.questions.size(), 1u);
    EXPECT_EQ(advisor.questions[0],
              "Princeps,\r\n\r\nOur empire has been defeated.\r\n\r\nTentate Iterum? (Would you "
              "like to play again?)");
    EXPECT_EQ(game().year(), 235);
    EXPECT_EQ(game().romans.provinces.size(), 23u);
    EXPECT_EQ(indexOf("picture maximinus"), -1) << "no lesson after playing again";
    EXPECT_EQ(screen.calls.back(), "redraw") << "the new game is drawn once it is set up";

    game().romans.provinces.clear();
    EXPECT_TRUE(endTurnCycle(game()));
    EXPECT_TRUE(screen.quitRequested);
}

// Both ends of the game show the results and ask: at 285 Yes plays on, at 476
// Yes starts a new game; No quits either way.
TEST_F(TurnCycleTest, TheEndsOfTheGame) {
    struct Case {
        int turn;
        const char* question;
        const char* shown;
        bool shownBeforeResults;
    };
    for (const Case& c :
         {Case{49, "Do you want to keep playing until 476 AD?", "picture diocletian", true},
          Case{240,
               "Congratulations! You have outlasted the Western\r\nRoman Empire.\r\n\r\nDo you "
               "wish to play again?\r\n",
               "post 3002 1", false}}) {
        SCOPED_TRACE(c.turn);
        quietGame();
        screen.quitRequested = false;
        game().events.clear();
        game().turn = c.turn;
        advisor.answers = {true};
        EXPECT_FALSE(endTurnCycle(game()));
        EXPECT_EQ(game().year(), 235 + c.turn + 1);
        ASSERT_NE(indexOf("results"), -1);
        ASSERT_NE(indexOf(c.shown), -1);
        EXPECT_EQ(indexOf(c.shown) < indexOf("results"), c.shownBeforeResults);
        EXPECT_TRUE(advisor.asked(c.question));
        EXPECT_FALSE(screen.quitRequested);

        game().turn = c.turn;
        EXPECT_TRUE(endTurnCycle(game()));
        EXPECT_TRUE(screen.quitRequested);
    }
}

TEST(Lessons, EachLessonIsFoundOnceByMenuPictureAndYear) {
    std::set<std::string> pictures;
    std::set<std::string> narrations;
    int previousYear = 235;
    for (const Lesson& lesson : kLessons) {
        const std::string title = lesson.title;
        EXPECT_TRUE(pictures.insert(lesson.picture).second) << title;
        EXPECT_TRUE(narrations.insert(lesson.narration).second) << title;
        EXPECT_EQ(lessonForMenu(lesson.menuId), &lesson) << title;
        EXPECT_EQ(lessonForPicture(lesson.picture), &lesson) << title;
        EXPECT_EQ(lessonForYear(lesson.year), &lesson) << title;

        // The menu runs in the order of history, within the game's years.
        EXPECT_GT(lesson.year, previousYear) << title;
        EXPECT_LE(lesson.year, 476) << title;
        previousYear = lesson.year;

        // The zoom that leads into it starts on the 1366 x 768 layout.
        EXPECT_TRUE(lesson.zoomX >= 0 && lesson.zoomX < 1366 && lesson.zoomY >= 0 &&
                    lesson.zoomY < 768)
            << title;
        EXPECT_EQ(std::string(lesson.narration).rfind("IDR_", 0), 0u) << title;
    }
    EXPECT_EQ(lessonForYear(235), nullptr);
    EXPECT_EQ(lessonForMenu(0), nullptr);
    EXPECT_EQ(lessonForPicture("intro"), nullptr) << "the introduction has no lesson";
}

// Every command of the game, plain, a scenario's or a lesson's, fits the shell's low 16 bits
// (the compiler keeps the ids apart), and each lookup knows only its own.
TEST(CommandIds, EachLookupKnowsOnlyItsOwn) {
    std::vector<int> ids(std::begin(cmd::kAll), std::end(cmd::kAll));
    for (const Scenario& s : scenarios()) {
        ids.push_back(s.id);
    }
    for (const Lesson& l : kLessons) {
        ids.push_back(l.menuId);
    }
    for (int id : ids) {
        EXPECT_GT(id, 0);
        EXPECT_LE(id, 0xffff) << id;
        EXPECT_EQ(isScenario(id), findScenario(id) != nullptr && cmd::kScenarioIds.holds(id));
        EXPECT_EQ(lessonForMenu(id) != nullptr, cmd::kLessonIds.holds(id)) << id;
    }
}

}  // namespace
}  // namespace tessarion
