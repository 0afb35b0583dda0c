// The four scenarios, New Game and the welcome.
#include "game/Events.h"
#include "game/HistoryFixture.h"
#include "game/Scenarios.h"
#include "game/TurnCycle.h"

namespace tessarion {
namespace {

class ScenariosTest : public test::HistoryTest {};

TEST_F(ScenariosTest, Scenario260) {
    startScenario(game(), kScenarioValerian);
    EXPECT_EQ(game().year(), 260);
    const char* rebels[] = {"Britannia",   "Lugdunensis", "Aquitania", "Belgica",   "Terraconensis",
                            "Narbonensis", "Raetia",      "Lusitania", "Palestina", "Syria",
                            "Aegyptus",    "Lydia",       "Cappadocia"};
    for (const char* n : rebels) {
        EXPECT_EQ(game().ownerOf(p(n)), &game().rogueRomans) << n;
    }
    // The garrisons changed sides with their provinces (Britannia 3, Aegyptus 3 ...).
    EXPECT_GE(game().rogueRomans.legionCount(), 3);
    EXPECT_EQ(game().romans.legionsIn(p("Aegyptus")), 0);
    EXPECT_TRUE(advisor.saw("The eastern and western ends of the empire"));
}

TEST_F(ScenariosTest, Scenario308) {
    startScenario(game(), kScenarioConstantine);
    EXPECT_EQ(game().year(), 306);
    EXPECT_EQ(game().ownerOf(p("Dacia")), &game().barbarians);
    for (const char* n : {"Palestina", "Syria", "Aegyptus", "Lydia", "Cappadocia", "Africa",
                          "Mauretania", "Macedonia", "Dalmatia", "Pontus", "Phrygia"}) {
        EXPECT_EQ(game().ownerOf(p(n)), &game().rogueRomans) << n;
    }
    int marching = 0;
    for (const auto& l : game().rogueRomans.legions) {
        marching += l->hasRoute && l->route.back()->name == "Italia";
    }
    EXPECT_EQ(marching, 3);
    EXPECT_FALSE(advisor.saw("Carausius"));
    EXPECT_FALSE(advisor.saw("The Egyptians have rebelled!"));
}

TEST_F(ScenariosTest, Scenario410) {
    game().barbarians.tribeCountdown = {9, 8, 7, 6};
    startScenario(game(), kScenarioHonorius);
    EXPECT_EQ(game().year(), 409);
    EXPECT_EQ(game().romans.treasury, 20000);
    EXPECT_EQ(game().ownerOf(p("Britannia")), nullptr);
    EXPECT_EQ(game().ownerOf(p("Thracia")), &game().barbarians);
    EXPECT_EQ(game().romans.legionsIn(p("Italia")), 5);
    EXPECT_EQ(game().barbarians.legionsIn(p("Dacia")), 3);
    EXPECT_EQ(game().barbarians.tribeCountdown, (std::array<int, 4>{9, 8, 7, 6}));
    endTurnCycle(game());
    EXPECT_EQ(eventYears().front(), 411) << "everything before 410 was dropped";
    EXPECT_FALSE(advisor.saw("Constantine III"));
    EXPECT_FALSE(advisor.saw("Licinius"));
}

TEST_F(ScenariosTest, Scenario455) {
    startScenario(game(), kScenarioValentinian);
    EXPECT_EQ(game().year(), 454);
    EXPECT_EQ(game().romans.treasury, 40000);
    EXPECT_EQ(game().barbarians.legionCount(), 10);
    for (const auto& l : game().barbarians.legions) {
        EXPECT_EQ(l->province->name, "Africa");
        EXPECT_TRUE(l->hasRoute);
        EXPECT_EQ(l->route.back()->name, "Italia");
    }
    EXPECT_EQ(game().ownerOf(p("Mauretania")), &game().romans);
    EXPECT_EQ(game().romans.legionsIn(p("Mauretania")), 1);
    EXPECT_EQ(game().romans.provinces.size(), 4u);
    EXPECT_EQ(game().ownerOf(p("Pontus")), &game().rogueRomans);
    EXPECT_EQ(game().ownerOf(p("Armenia")), &game().sassanids);
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
    showWelcome();
    EXPECT_EQ(advisor.messages.size(), 4u);
    EXPECT_EQ(advisor.messages[3].substr(0, 30), "Your goal is to hold on to as ");
    advisor.messages.clear();
    showWelcome();
    ASSERT_EQ(advisor.messages.size(), 1u);
    EXPECT_TRUE(advisor.saw("refer to\r\nthe video tutorial under the Help menu."));
}

}  // namespace
}  // namespace tessarion
