// The scripted events of history: their schedule, their years and what they set off.
#include "game/Events.h"
#include "game/HistoryFixture.h"
#include "game/TurnCycle.h"

namespace tessarion {
namespace {

class EventsTest : public test::HistoryTest {};

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

}  // namespace
}  // namespace tessarion
