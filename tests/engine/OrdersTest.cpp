// The player's orders: moves, attacks, route orders, take-overs and plunder.
#include "engine/Orders.h"
#include "engine/Routes.h"
#include "support/TestGame.h"

namespace tessarion {
namespace {

using test::GameTest;
using test::rigDraws;

class OrdersTest : public GameTest {
  protected:
    void SetUp() override {
        GameTest::SetUp();
        newGame();
        clearAllLegions();
    }
    bool drop(const std::string& from, const std::string& to) {
        game().dragSource = p(from);
        for (const Rect& r : p(to)->hitRects) {
            const int x = (r.left + r.right) / 2;
            const int y = (r.top + r.bottom) / 2;
            if (provinceAt(game(), x, y) == p(to)) {
                return dropLegion(game(), x, y);
            }
        }
        ADD_FAILURE() << "no drop point for " << to;
        return false;
    }
    std::vector<std::string>& flashes = frontEnd.flashes;
};

TEST_F(OrdersTest, MoveIntoOwnNeighbourWithoutNews) {
    give(game().romans, "Italia", 2);
    EXPECT_TRUE(drop("Italia", "Raetia"));
    EXPECT_EQ(game().romans.legionsIn(p("Raetia")), 1);
    EXPECT_TRUE(game().romans.legions[0]->moved);
    EXPECT_FALSE(game().romans.legions[1]->moved);
    EXPECT_TRUE(game().newsLog.empty());
}

TEST_F(OrdersTest, MoveIntoUnownedNeighbourRetakesIt) {
    give(game().romans, "Britannia");
    game().romans.removeProvince(p("Belgica"));
    EXPECT_TRUE(drop("Britannia", "Belgica"));
    EXPECT_EQ(game().ownerOf(p("Belgica")), &game().romans);
    EXPECT_EQ(game().newsLog.back(), "We have reconquered Belgica");
}

TEST_F(OrdersTest, ReleaseWithoutAReadyLegionExplainsOrDoesNothing) {
    give(game().romans, "Italia");
    game().romans.legions[0]->moved = true;
    EXPECT_FALSE(drop("Italia", "Raetia"));
    EXPECT_EQ(advisor.messages.size(), 1u);
    EXPECT_TRUE(advisor.saw("All the units in the province have already moved."));
    advisor.messages.clear();
    EXPECT_FALSE(drop("Syria", "Palestina")) << "no legions at all: silence";
    game().dragSource = p("Italia");
    game().romans.legions[0]->moved = false;
    EXPECT_FALSE(dropLegion(game(), 2, 2)) << "over the sea";
    EXPECT_FALSE(drop("Italia", "Italia"));
    EXPECT_TRUE(advisor.messages.empty());
}

// Against more than one defender a won attack destroys one and the attacker
// stays home, its move spent; a lost one costs the attacker.
TEST_F(OrdersTest, BattlesOfThePlayersOrders) {
    struct Case {
        int draw;
        int romansLeft;
        const char* news;
        const char* flash;
    };
    for (const Case& c : {Case{1, 1, "Enemy legion in Raetia defeated", "Germanic Tribes@Raetia"},
                          Case{0, 0, "Our attack on Raetia failed", "Romans@Italia"}}) {
        SCOPED_TRACE(c.news);
        clearAllLegions();
        flashes.clear();
        moveOwner("Raetia", &game().barbarians);
        give(game().barbarians, "Raetia", 2);
        give(game().romans, "Italia");
        rigDraws(game(), {c.draw});
        EXPECT_TRUE(drop("Italia", "Raetia"));
        ASSERT_EQ(game().romans.legionCount(), c.romansLeft);
        EXPECT_EQ(game().barbarians.legionsIn(p("Raetia")), 2 - c.romansLeft);
        EXPECT_EQ(game().newsLog.back(), c.news);
        EXPECT_EQ(flashes, std::vector<std::string>{c.flash});
        if (c.romansLeft == 1) {
            EXPECT_EQ(game().romans.legions[0]->province->name, "Italia");
            EXPECT_TRUE(game().romans.legions[0]->moved);
        }
    }
}

TEST_F(OrdersTest, TakingItaliaFromTheRomansPlundersTheTreasury) {
    for (int treasury : {7, -7}) {
        newGame();
        clearAllLegions();
        give(game().rogueRomans, "Raetia");
        game().romans.treasury = treasury;
        takeProvince(&game().rogueRomans, p("Italia"), game(), &game().romans);
        EXPECT_EQ(game().romans.treasury, treasury / 2);
        EXPECT_EQ(game().newsLog.back(), "Italia has been overrun");
        EXPECT_TRUE(advisor.saw("Our enemies have reached Rome and plundered"));
    }
}

TEST_F(OrdersTest, RouteOrderTakesItsFirstStepAtOnce) {
    give(game().romans, "Britannia");
    EXPECT_TRUE(drop("Britannia", "Italia"));
    Legion& l = *game().romans.legions[0];
    EXPECT_EQ(l.province->name, "Belgica");
    EXPECT_TRUE(l.hasRoute);
    EXPECT_TRUE(l.moved);
    EXPECT_EQ(l.route.back()->name, "Italia");
}

TEST_F(OrdersTest, HeldUpLegionIsTheOneThatTakesTheNextOrder) {
    // A routed legion held up by a battle keeps its place (unmoved) ahead of a
    // ready legion in the list.
    give(game().romans, "Britannia", 2);
    Legion* heldUp = game().romans.legions[0].get();
    heldUp->setRoute(findRoute(game(), p("Britannia"), p("Italia")));
    Legion* ready = game().romans.legions[1].get();
    EXPECT_TRUE(drop("Britannia", "Raetia"));
    EXPECT_EQ(heldUp->route.back()->name, "Raetia");
    EXPECT_EQ(heldUp->province->name, "Belgica");
    EXPECT_EQ(ready->province->name, "Britannia");
    EXPECT_FALSE(ready->hasRoute);
}

TEST_F(OrdersTest, WipingOutAPowerMayMakeTheVictorsRebel) {
    game().setSkillLevel(2);
    moveOwner("Raetia", &game().barbarians);
    give(game().barbarians, "Raetia");
    give(game().romans, "Italia");
    give(game().romans, "Britannia");
    rigDraws(game(), {1, 0});
    EXPECT_TRUE(drop("Italia", "Raetia"));
    EXPECT_TRUE(advisor.saw("The Rhine legions have rebelled!"));
    EXPECT_EQ(game().ownerOf(p("Raetia")), &game().rogueRomans);
    EXPECT_EQ(game().ownerOf(p("Britannia")), &game().rogueRomans);
    EXPECT_EQ(game().romans.legionCount(), 0);
    EXPECT_EQ(game().rogueRomans.legionCount(), 2);

    // The other half of the coin: the victors stay loyal.
    newGame();
    clearAllLegions();
    game().setSkillLevel(2);
    moveOwner("Raetia", &game().barbarians);
    give(game().barbarians, "Raetia");
    give(game().romans, "Italia");
    advisor.messages.clear();
    rigDraws(game(), {1, 1});
    EXPECT_TRUE(drop("Italia", "Raetia"));
    EXPECT_TRUE(advisor.messages.empty());
    EXPECT_EQ(game().ownerOf(p("Raetia")), &game().romans);
}

TEST_F(OrdersTest, DestroyingTheLastRebelsStartsNoNewRevolt) {
    game().setSkillLevel(2);
    moveOwner("Raetia", &game().rogueRomans);
    give(game().rogueRomans, "Raetia");
    give(game().romans, "Italia");
    rigDraws(game(), {1, 0});
    EXPECT_TRUE(drop("Italia", "Raetia"));
    EXPECT_EQ(game().ownerOf(p("Raetia")), &game().romans);
    EXPECT_TRUE(advisor.messages.empty());
}

}  // namespace
}  // namespace tessarion
