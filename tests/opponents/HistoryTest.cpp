// The scripted events and the scenarios.
#include "model/TurnCycle.h"
#include "opponents/Events.h"
#include "opponents/GameEvent.h"
#include "opponents/Scenarios.h"
#include "support/TestGame.h"

namespace tessarion {
namespace {

using test::GameTest;

class HistoryTest : public GameTest {
  protected:
    void SetUp() override {
        GameTest::SetUp();
        newGame();
    }
    std::vector<int> eventYears() {
        std::vector<int> years;
        for (const auto& e : game().events) {
            years.push_back(e->year);
        }
        return years;
    }
};

TEST_F(HistoryTest, ScheduleHasElevenEventsOnce) {
    setUpEvents(game());
    setUpEvents(game());
    EXPECT_EQ(eventYears(),
              (std::vector<int>{260, 286, 298, 306, 306, 407, 407, 411, 411, 430, 451}));
    auto* licinius = dynamic_cast<RebellionEvent*>(std::next(game().events.begin(), 3)->get());
    ASSERT_NE(licinius, nullptr);
    EXPECT_EQ(licinius->provinceNames.size(), 12u);
    auto* huns = dynamic_cast<InvasionEvent*>(game().events.back().get());
    ASSERT_NE(huns, nullptr);
    EXPECT_EQ(huns->invader, &game().barbarians);
    EXPECT_EQ(huns->legionCount, 20);
    EXPECT_FALSE(game().events.front()->hasMessage);
}

TEST_F(HistoryTest, PastEventsAreDroppedAndTheYearsEventsFireInOrder) {
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

TEST_F(HistoryTest, CarausiusAt286) {
    game().turn = 51;
    runEvents(game());
    EXPECT_TRUE(advisor.saw("The governor of Britannia, Marcus Carausius, has rebelled"));
    for (const char* n : {"Britannia", "Lugdunensis", "Belgica"}) {
        EXPECT_EQ(game().ownerOf(p(n)), &game().rogueRomans) << n;
    }
}

TEST_F(HistoryTest, EgyptianRebellionTakesAegyptusFromWhoeverHoldsIt) {
    moveOwner("Aegyptus", &game().sassanids);
    game().romans.clearLegions();
    give(game().sassanids, "Aegyptus", 4);
    game().turn = 63;
    runEvents(game());
    EXPECT_EQ(game().ownerOf(p("Aegyptus")), &game().rogueRomans);
    EXPECT_EQ(game().rogueRomans.legionsIn(p("Aegyptus")), 4);
    EXPECT_EQ(game().sassanids.legionCount(), 0);
}

TEST_F(HistoryTest, TheHunsWaitAYearOnTheRhine) {
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

TEST_F(HistoryTest, Scenario260) {
    startScenario(kScenarioValerian);
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

TEST_F(HistoryTest, Scenario308) {
    startScenario(kScenarioConstantine);
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

TEST_F(HistoryTest, Scenario410) {
    game().barbarians.tribeCountdown = {9, 8, 7, 6};
    startScenario(kScenarioHonorius);
    EXPECT_EQ(game().year(), 409);
    EXPECT_EQ(game().romans.treasury, 20000);
    EXPECT_EQ(game().ownerOf(p("Britannia")), nullptr);
    EXPECT_EQ(game().ownerOf(p("Thracia")), &game().barbarians);
    EXPECT_EQ(game().romans.legionsIn(p("Italia")), 5);
    EXPECT_EQ(game().barbarians.legionsIn(p("Dacia")), 3);
    EXPECT_EQ(game().barbarians.tribeCountdown, (std::array<int, 4>{9, 8, 7, 6}));
    endTurnCycle();
    EXPECT_EQ(eventYears().front(), 411) << "everything before 410 was dropped";
    EXPECT_FALSE(advisor.saw("Constantine III"));
    EXPECT_FALSE(advisor.saw("Licinius"));
}

TEST_F(HistoryTest, Scenario455) {
    startScenario(kScenarioValentinian);
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

TEST_F(HistoryTest, NewGameAsksBeforeDiscarding) {
    game().turn = 30;
    tessarion::newGame(false);
    EXPECT_EQ(game().turn, 30);
    EXPECT_EQ(advisor.questions, std::vector<std::string>{"Discard the current game?"});
    advisor.answers = {true};
    tessarion::newGame(false);
    EXPECT_EQ(game().turn, 0);
    tessarion::newGame(true);
    EXPECT_EQ(advisor.questions.size(), 2u);
}

TEST_F(HistoryTest, WelcomeHints) {
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
