// The computer's move: seizing, attacking, planning, following routes.
#include "engine/ReferenceRoutes.h"
#include "engine/Routes.h"
#include "opponents/EnemyEmpire.h"
#include "support/TestGame.h"

namespace tessarion {
namespace {

using test::EmptyMapTest;
using test::rigDraws;

class EnemyTest : public EmptyMapTest {
  protected:
    Sassanids& persians() { return game().sassanids; }
};

TEST_F(EnemyTest, SeizesTheFirstUndefendedNeighbourInListOrder) {
    // Syria's neighbours: Palestina, Lydia, Cappadocia.
    moveOwner("Syria", &persians());
    give(game().romans, "Palestina");
    give(persians(), "Syria");
    persians().updateLegions();
    EXPECT_EQ(game().ownerOf(p("Lydia")), &persians());
    EXPECT_EQ(persians().legions[0]->province->name, "Lydia");
    EXPECT_EQ(game().newsLog.back(), "Lydia has been overrun");
    EXPECT_EQ(game().ownerOf(p("Cappadocia")), &game().romans);
}

TEST_F(EnemyTest, AttacksOnlyAGarrisonNoLargerThanItsForce) {
    moveOwner("Syria", &persians());
    for (const char* n : {"Palestina", "Lydia", "Cappadocia"}) {
        give(game().romans, n, 2);
    }
    give(persians(), "Syria");
    const std::vector<std::string>& moves = frontEnd.moves;
    persians().updateLegions();
    EXPECT_TRUE(moves.empty()) << "one legion does not attack two";
    ASSERT_TRUE(persians().legions[0]->hasRoute) << "it plans a route instead";
    EXPECT_EQ(persians().legions[0]->route.back()->name, "Palestina");

    persians().clearLegions();
    give(persians(), "Syria", 2);
    rigDraws(game(), {1, 0});
    persians().updateLegions();
    EXPECT_EQ(moves, (std::vector<std::string>{"Syria>Palestina", "Syria>Palestina"}));
    EXPECT_EQ(game().romans.legionsIn(p("Palestina")), 1) << "the first attack won";
    EXPECT_EQ(persians().legionCount(), 1) << "the second was lost";
}

TEST_F(EnemyTest, WinningTheLastDefenderTakesTheProvinceButTheLegionStays) {
    moveOwner("Syria", &persians());
    give(game().romans, "Palestina");
    give(game().romans, "Lydia");
    give(game().romans, "Cappadocia");
    give(persians(), "Syria");
    const std::vector<std::string>& flashes = frontEnd.flashes;
    rigDraws(game(), {1});
    persians().updateLegions();
    EXPECT_EQ(game().ownerOf(p("Palestina")), &persians());
    EXPECT_EQ(flashes, std::vector<std::string>{"Romans@Palestina"});
    EXPECT_EQ(persians().legions[0]->province->name, "Palestina") << "moveLegionInto moves it in";
}

TEST_F(EnemyTest, FollowingARouteFightsAndLossesKeepTheIndexRule) {
    moveOwner("Syria", &persians());
    give(game().romans, "Palestina", 3);
    Route route{p("Syria"), p("Palestina"), p("Aegyptus")};
    for (int i = 0; i < 3; ++i) {
        persians().createLegion(p("Syria"))->setRoute(route);
    }
    Legion* third = persians().legions[2].get();
    // First attack lost: the legion that moves up is visited next, not skipped.
    rigDraws(game(), {0, 1, 1});
    persians().updateLegions();
    EXPECT_EQ(persians().legionCount(), 2);
    EXPECT_EQ(game().romans.legionsIn(p("Palestina")), 1);
    EXPECT_EQ(persians().legions[1].get(), third);
    EXPECT_EQ(persians().legions[0]->routeIndex, 0) << "a won attack does not advance the route";
}

TEST_F(EnemyTest, PowerShutInAmongItsOwnLandsStaysPut) {
    for (auto& prov : game().provinces) {
        moveOwner(prov->name, &persians());
    }
    Legion* l = persians().createLegion(p("Italia"));
    EXPECT_FALSE(persians().planRoute(p("Italia")).has_value());
    persians().updateLegions();
    EXPECT_FALSE(l->hasRoute);
    EXPECT_EQ(l->province->name, "Italia");
}

// The plain enumeration of partial routes to land the power does not hold.
std::optional<Route> referencePlan(Game& game, Empire& e, Province* start) {
    return test::referenceSearch(start, [&](const Province* p) {
        const Empire* owner = game.ownerOf(p);
        return owner == nullptr || owner->name != e.name;
    });
}

TEST_F(EnemyTest, PlanRouteAgreesWithTheFullEnumeration) {
    Random random(99);
    for (int round = 0; round < 40; ++round) {
        for (auto& prov : game().provinces) {
            moveOwner(prov->name,
                      random.draw() % 4 != 0 ? static_cast<Empire*>(&persians()) : &game().romans);
        }
        for (auto& start : game().provinces) {
            std::optional<Route> got = persians().planRoute(start.get());
            std::optional<Route> want = referencePlan(game(), persians(), start.get());
            ASSERT_EQ(got.has_value(), want.has_value()) << start->name;
            if (got) {
                EXPECT_EQ(*got, *want) << start->name;
            }
        }
    }
}

TEST_F(EnemyTest, InvasionArmyWaitsAYearOnItsFrontier) {
    persians().raiseInvasionArmy(p("Armenia"), p("Lydia"), 3);
    ASSERT_EQ(persians().legionCount(), 3);
    const Route& r = persians().legions[0]->route;
    ASSERT_GE(r.size(), 3u);
    EXPECT_EQ(r[0]->name, "Armenia");
    EXPECT_EQ(r[1]->name, "Armenia");
    EXPECT_EQ(r.back()->name, "Lydia");
    persians().updateLegions();
    EXPECT_EQ(persians().legions[0]->province->name, "Armenia");
    persians().updateLegions();
    EXPECT_NE(persians().legions[0]->province->name, "Armenia");
}

TEST_F(EnemyTest, RaidingATerritoryNeverChangesItsOwner) {
    moveOwner("Dacia", &game().barbarians);
    Legion* l = game().barbarians.createLegion(p("Dacia"));
    l->setRoute({p("Dacia"), p("Armenia")});  // a route may pass beyond the frontier
    game().barbarians.updateLegions();
    EXPECT_EQ(game().ownerOf(p("Armenia")), &persians());
    EXPECT_EQ(game().newsLog.back(), "Our raid into Armenia was successful");
    EXPECT_EQ(l->province->name, "Armenia") << "following a route still steps onto it";
}

}  // namespace
}  // namespace tessarion
