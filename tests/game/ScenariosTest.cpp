// The four scenarios, New Game and the welcome.
#include "game/Events.h"
#include "game/HistoryFixture.h"
#include "game/Scenarios.h"
#include "game/TurnCycle.h"

namespace tessarion {
namespace {

class ScenariosTest : public test::HistoryTest {};

// Each scenario starts the year before its crisis, the rebels in place and
// none of the events it has passed behind it firing again.
TEST_F(ScenariosTest, EachScenarioStartsOnTheEveOfItsCrisis) {
    struct Case {
        int id;
        int year;
        std::vector<const char*> rebels;
        const char* unseen;
    };
    for (const Case& c :
         {Case{kScenarioValerian, 260, {"Britannia", "Aegyptus", "Cappadocia"}, "Carausius"},
          Case{kScenarioConstantine, 306, {"Syria", "Africa", "Phrygia"}, "Carausius"},
          Case{kScenarioHonorius, 409, {}, "Licinius"},
          Case{kScenarioValentinian, 454, {"Pontus", "Aegyptus"}, "Licinius"}}) {
        SCOPED_TRACE(c.year);
        newGame();
        advisor.messages.clear();
        startScenario(game(), c.id);
        EXPECT_EQ(game().year(), c.year);
        for (const char* n : c.rebels) {
            EXPECT_EQ(game().ownerOf(p(n)), &game().rogueRomans) << n;
        }
        EXPECT_FALSE(advisor.saw(c.unseen));
    }
}

TEST_F(ScenariosTest, TheCrisesOf260And308) {
    startScenario(game(), kScenarioValerian);
    // The garrisons changed sides with their provinces.
    EXPECT_GE(game().rogueRomans.legionCount(), 3);
    EXPECT_EQ(game().romans.legionsIn(p("Aegyptus")), 0);
    EXPECT_TRUE(advisor.saw("The eastern and western ends of the empire"));

    startScenario(game(), kScenarioConstantine);
    EXPECT_EQ(game().ownerOf(p("Dacia")), &game().barbarians);
    int marching = 0;
    for (const auto& l : game().rogueRomans.legions) {
        marching += l->hasRoute && l->route.back()->name == "Italia";
    }
    EXPECT_EQ(marching, 3);
    EXPECT_FALSE(advisor.saw("The Egyptians have rebelled!"));
}

TEST_F(ScenariosTest, Scenario410KeepsTheTribesAndDropsThePast) {
    game().barbarians.tribeCountdown = {9, 8, 7, 6};
    startScenario(game(), kScenarioHonorius);
    EXPECT_EQ(game().ownerOf(p("Britannia")), nullptr);
    EXPECT_EQ(game().ownerOf(p("Thracia")), &game().barbarians);
    EXPECT_EQ(game().barbarians.tribeCountdown, (std::array<int, 4>{9, 8, 7, 6}));
    endTurnCycle(game());
    EXPECT_EQ(eventYears().front(), 411) << "everything before 410 was dropped";
    EXPECT_FALSE(advisor.saw("Constantine III"));
}

TEST_F(ScenariosTest, Scenario455TheVandalsMarchOnRome) {
    startScenario(game(), kScenarioValentinian);
    EXPECT_EQ(game().barbarians.legionCount(), 10);
    for (const auto& l : game().barbarians.legions) {
        EXPECT_EQ(l->province->name, "Africa");
        EXPECT_TRUE(l->hasRoute);
        EXPECT_EQ(l->route.back()->name, "Italia");
    }
    EXPECT_EQ(game().ownerOf(p("Mauretania")), &game().romans);
    EXPECT_EQ(game().romans.provinces.size(), 4u);
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
