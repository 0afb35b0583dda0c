// The scripted events of history, their schedule, their years and what they set off; the
// scenarios, New Game and the welcome.
#include <algorithm>
#include <string>
#include <vector>

#include "engine/Routes.h"
#include "game/Commands.h"
#include "game/Events.h"
#include "game/GameEvent.h"
#include "game/Scenarios.h"
#include "game/TurnCycle.h"
#include "support/TestFolder.h"
#include "support/TestGame.h"

namespace tessarion {
namespace {

// A new game with its schedule of events.
class HistoryTest : public test::GameTest {
  protected:
    void SetUp() override {
        GameTest::SetUp();
        newGame();
    }
    // The years of the events still to come, in order.
    std::vector<int> eventYears() {
        std::vector<int> years;
        for (const auto& e : game().events) {
            years.push_back(e->year);
        }
        return years;
    }
};

class EventsTest : public HistoryTest {};

TEST_F(EventsTest, ScheduleHasElevenEventsOnce) {
    setUpEvents(game());
    setUpEvents(game());
    EXPECT_EQ(eventYears(),
              (std::vector<int>{260, 286, 298, 306, 306, 407, 407, 411, 411, 430, 451}));
}

TEST_F(EventsTest, PastEventsAreDroppedAndTheYearsEventsFireInOrder) {
    game().turn = 71;  // 306
    runEvents(game());
    EXPECT_EQ(eventYears(), (std::vector<int>{407, 407, 411, 411, 430, 451}));
    ASSERT_EQ(advisor.messages.size(), 1u);
    EXPECT_TRUE(advisor.saw("The eastern emperor Licinius"));
    EXPECT_EQ(game().ownerOf(p("Thracia")), &game().rogueRomans);
    EXPECT_EQ(game().rogueRomans.legionsIn(p("Thracia")), 3)
        << "the army is put there after the rebellion";
    for (const auto& l : game().rogueRomans.legions) {
        if (l->province == p("Thracia")) {
            ASSERT_TRUE(l->hasRoute);
            EXPECT_EQ(l->route.back()->name, "Italia");
        }
    }
    EXPECT_FALSE(advisor.saw("Carausius"));
}

// An army raised next to its goal marches on it too: a route of one step.
TEST_F(EventsTest, AnArmyNextToItsGoalMarchesOnIt) {
    ASSERT_EQ(findRoute(game(), p("Thracia"), p("Macedonia")).size(), 2u);
    InvasionEvent(306, "", &game().rogueRomans, p("Thracia"), p("Macedonia"), 2).fire(game());
    ASSERT_EQ(game().rogueRomans.legionsIn(p("Thracia")), 2);
    for (const auto& l : game().rogueRomans.legions) {
        ASSERT_TRUE(l->hasRoute);
        EXPECT_EQ(l->route.back(), p("Macedonia"));
    }
}

TEST_F(EventsTest, EgyptianRebellionTakesAegyptusFromWhoeverHoldsIt) {
    moveOwner("Aegyptus", &game().sassanids);
    game().romans.clearLegions();
    give(game().sassanids, "Aegyptus", 4);
    game().turn = 63;
    runEvents(game());
    EXPECT_EQ(game().ownerOf(p("Aegyptus")), &game().rogueRomans);
    EXPECT_EQ(game().rogueRomans.legionsIn(p("Aegyptus")), 4);
    EXPECT_EQ(game().sassanids.legionCount(), 0);
}

TEST_F(EventsTest, TheHunsWaitAYearOnTheRhine) {
    game().turn = 216;  // 451
    game().events.erase(game().events.begin(), std::prev(game().events.end()));
    runEvents(game());
    EXPECT_EQ(game().barbarians.legionsIn(p("Upper Rhine")), 22);
    int routed = 0;
    for (const auto& l : game().barbarians.legions) {
        if (l->hasRoute) {
            ++routed;
            EXPECT_EQ(l->route.back()->name, "Aquitania");
        }
    }
    EXPECT_EQ(routed, 20);
}

class ScenariosTest : public HistoryTest {
  protected:
    // Starts the scenario named after the year.
    void start(int year) { startScenario(game(), scenarioOfYear(year)->id); }

    // The game the player leaves: a plague raging, news of its battles, last
    // year's taxes and pay, and what a run keeps from game to game.
    void leaveAGameInItsYear() {
        game().turn = 120;
        game().addNews("Italia has been overrun");
        game().addNews("Our raid into Armenia was successful");
        game().romans.plague = true;
        game().romans.plagueCounter = 7;
        game().romans.lastIncome = 9200;
        game().romans.upkeep = 4125;
        game().barbarians.tribeCountdown = {9, 8, 7, 6};
        game().barbarians.setTribeHostility(0, 1);
        game().invasionCount = 34;
        game().romans.egyptHintShown = true;
    }
};

// Each scenario starts the year before its crisis, the rebels in place and
// none of the events it has passed behind it firing again.
TEST_F(ScenariosTest, EachScenarioStartsOnTheEveOfItsCrisis) {
    struct Case {
        int named;
        int year;
        std::vector<const char*> rebels;
        const char* unseen;
    };
    for (const Case& c :
         {Case{260, 260, {"Britannia", "Aegyptus", "Cappadocia"}, "Carausius"},
          Case{308, 306, {"Syria", "Africa", "Phrygia"}, "Carausius"},
          Case{410, 409, {}, "Licinius"}, Case{455, 454, {"Pontus", "Aegyptus"}, "Licinius"}}) {
        SCOPED_TRACE(c.year);
        newGame();
        advisor.messages.clear();
        start(c.named);
        EXPECT_EQ(game().year(), c.year);
        EXPECT_EQ(scenarioOfYear(c.named)->firstYear(), c.year) << "as the table says";
        for (const char* n : c.rebels) {
            EXPECT_EQ(game().ownerOf(p(n)), &game().rogueRomans) << n;
        }
        EXPECT_FALSE(advisor.saw(c.unseen));
    }
}

TEST_F(ScenariosTest, TheCrisesOf260And308) {
    start(260);
    // The garrisons changed sides with their provinces.
    EXPECT_GE(game().rogueRomans.legionCount(), 3);
    EXPECT_EQ(game().romans.legionsIn(p("Aegyptus")), 0);
    EXPECT_TRUE(advisor.saw("The eastern and western ends of the empire"));

    start(308);
    EXPECT_EQ(game().ownerOf(p("Dacia")), &game().barbarians);
    int marching = 0;
    for (const auto& l : game().rogueRomans.legions) {
        marching += l->hasRoute && l->route.back()->name == "Italia";
    }
    EXPECT_EQ(marching, 3);
    EXPECT_FALSE(advisor.saw("The Egyptians have rebelled!"));
}

// (That it keeps the tribes' countdowns is checked with every other start.)
TEST_F(ScenariosTest, Scenario410LeavesBritanniaAndThraciaAndDropsThePast) {
    start(410);
    EXPECT_EQ(game().ownerOf(p("Britannia")), nullptr);
    EXPECT_EQ(game().ownerOf(p("Thracia")), &game().barbarians);
    endTurnCycle(game());
    EXPECT_EQ(eventYears().front(), 411) << "everything before 410 was dropped";
    EXPECT_FALSE(advisor.saw("Constantine III"));
}

TEST_F(ScenariosTest, Scenario455TheVandalsMarchOnRome) {
    start(455);
    EXPECT_EQ(game().barbarians.legionCount(), 10);
    for (const auto& l : game().barbarians.legions) {
        EXPECT_EQ(l->province->name, "Africa");
        EXPECT_TRUE(l->hasRoute);
        EXPECT_EQ(l->route.back()->name, "Italia");
    }
    EXPECT_EQ(game().ownerOf(p("Mauretania")), &game().romans);
    EXPECT_EQ(game().romans.provinces.size(), 4u);
}

// A row added to the table must fit the menu and the history (the compiler keeps
// its id apart from every other command's).
TEST(ScenarioTable, RowsAreCommandsInHistoryOrder) {
    int previousYear = 235;
    for (const Scenario& s : scenarios()) {
        SCOPED_TRACE(s.label);
        EXPECT_EQ(findScenario(s.id), &s);
        EXPECT_EQ(scenarioOfYear(s.year), &s);
        EXPECT_NE(std::string(s.label).find("(" + std::to_string(s.year) + " AD)"),
                  std::string::npos)
            << "the menu names the year";
        EXPECT_GT(s.setUpYear, previousYear);
        EXPECT_LT(s.firstYear(), 476);
        EXPECT_LE(s.firstYear(), s.year) << "the player meets the year's crisis";
        previousYear = s.setUpYear;
    }
    EXPECT_FALSE(isScenario(235)) << "--from 235 is the campaign";
    EXPECT_EQ(scenarioOfYear(235), nullptr);
}

std::string document(const std::string& path) {
    return contentsOf(std::string(TESSARION_SOURCE_DIR) + "/" + path);
}

// The README and the console's page list the scenarios by hand: they must
// say what the table says. Line breaks in the documents count as blanks.
TEST(ScenarioTable, TheDocumentsListTheTable) {
    std::string years;
    std::string consoleIds;
    const auto rows = scenarios();
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const std::string sep = i == 0 ? "" : i + 1 == rows.size() ? " or " : ", ";
        years += sep + std::to_string(rows[i].year);
        consoleIds += (i == 0 ? "" : ", ") + std::to_string(rows[i].id) + " (" +
                      std::to_string(rows[i].year) + " AD)";
    }
    auto flat = [](std::string text) {
        std::replace(text.begin(), text.end(), '\n', ' ');
        return text;
    };
    const std::string readme = flat(document("README.md"));
    const std::string console = flat(document("docs/console.md"));
    ASSERT_FALSE(readme.empty());
    ASSERT_FALSE(console.empty());
    EXPECT_NE(readme.find("Options > Scenarios starts in " + years + " AD."), std::string::npos);
    EXPECT_NE(readme.find("--from 235|" + scenarioIds("|") + " "), std::string::npos);
    EXPECT_NE(console.find("as the Scenarios menu answered Yes: " + consoleIds + " |"),
              std::string::npos);
    EXPECT_NE(console.find(std::to_string(rows.front().id) + " to " +
                           std::to_string(rows.back().id) + " scenarios"),
              std::string::npos);
}

// New Game (and play-again, which is New Game) and every scenario show
// nothing of the game before: no plague, no news, no figures or Results
// counts of a year not played, the tribes' lands hostile as at the start. A start whose set-up
// plays a year may have news and a plague of its own.
TEST_F(ScenariosTest, EveryStartShowsNothingOfThePreviousGame) {
    std::vector<const Scenario*> starts{nullptr};
    for (const Scenario& s : scenarios()) {
        starts.push_back(&s);
    }
    for (const Scenario* s : starts) {
        SCOPED_TRACE(s != nullptr ? s->label : "New Game");
        leaveAGameInItsYear();
        if (s != nullptr) {
            startScenario(game(), s->id);
        } else {
            tessarion::newGame(game(), true);
        }
        const RomanEmpire& romans = game().romans;
        EXPECT_EQ(romans.plague, game().plagueCount > 0) << "the plague is this game's own";
        ASSERT_EQ(game().newsYears.size(), game().newsLog.size());
        for (int year : game().newsYears) {
            EXPECT_GE(year, s != nullptr ? s->setUpYear : 235) << "news of the last game";
        }
        if (s == nullptr || !s->endTurnFollows) {
            EXPECT_TRUE(game().newsLog.empty());
            EXPECT_FALSE(romans.plague);
            EXPECT_EQ(romans.plagueCounter, 0);
            EXPECT_EQ(romans.lastIncome, 0);
            EXPECT_EQ(romans.upkeep, 0);
            // Kept for the run (a year played counts them down).
            EXPECT_EQ(game().barbarians.tribeCountdown, (std::array<int, 4>{9, 8, 7, 6}));
            EXPECT_EQ(game().invasionCount, 0);
        }
        EXPECT_EQ(p("Upper Rhine")->hostility, 2) << "the tribes' lands hostile again";
        EXPECT_TRUE(romans.egyptHintShown) << "each hint once a run";
    }
}

TEST_F(ScenariosTest, NewGameAsksBeforeDiscarding) {
    game().turn = 30;
    tessarion::newGame(game(), false);
    EXPECT_EQ(game().turn, 30);
    EXPECT_EQ(advisor.questions, std::vector<std::string>{"Discard the current game?"});
    advisor.answers = {true};
    tessarion::newGame(game(), false);
    EXPECT_EQ(game().turn, 0);
    tessarion::newGame(game(), true);
    EXPECT_EQ(advisor.questions.size(), 2u);
}

TEST_F(ScenariosTest, WelcomeHints) {
    advisor.answers = {true};
    showWelcome(game());
    EXPECT_EQ(advisor.messages.size(), 4u);
    EXPECT_EQ(advisor.messages[3].substr(0, 30), "Your goal is to hold on to as ");
    advisor.messages.clear();
    showWelcome(game());
    ASSERT_EQ(advisor.messages.size(), 1u);
    EXPECT_TRUE(advisor.saw("refer to\r\nthe video tutorial under the Help menu."));
}

}  // namespace
}  // namespace tessarion
