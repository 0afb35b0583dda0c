// The player's orders: moves, attacks, route orders, take-overs and plunder.
#include "engine/Orders.h"

#include <functional>

#include "engine/Routes.h"
#include "game/StateJson.h"
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
        return dropLegion(game(), p(from), p(to)).carriedOut();
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

// Every refusal the rules make, one row each: what the query answers (without
// a draw, a box or any change), what carrying the order out answers, the
// player's text, and whether the advisor has told the player already.
TEST_F(OrdersTest, EveryRefusalHasItsReason) {
    struct Row {
        OrderRefusal refusal;
        const char* from;
        const char* to;  // nullptr: dropped on the sea
        std::function<void()> setUp;
        const char* text;
        const char* box;  // the start of the advisor's box, or nullptr
    };
    const Row rows[] = {
        {OrderRefusal::NoLegion, "Belgica", "Italia", [] {}, "no Roman legion stands in Belgica",
         nullptr},
        {OrderRefusal::AllMoved, "Italia", "Raetia",
         [&] { game().romans.legions[0]->moved = true; },
         "all the legions in Italia have already moved",
         "Princeps,\r\n\r\nAll the units in the province have already moved."},
        {OrderRefusal::Marching, "Italia", "Raetia",
         [&] {
             game().romans.legions[0]->setRoute({p("Italia"), p("Raetia"), p("Belgica")});
         },
         "the legions in Italia are already marching to their orders", nullptr},
        {OrderRefusal::SamePlace, "Italia", "Italia", [] {}, "the legion is already in Italia",
         nullptr},
        {OrderRefusal::NoProvince, "Italia", nullptr, [] {}, "there is no province there", nullptr},
        {OrderRefusal::BorderRule, "Dacia", "Sarmatia", [] {},
         "Roman troops stay out of Sarmatia unless there is an enemy to attack",
         "In 9 AD, a Roman army"},
        {OrderRefusal::TooFarBeyond, "Italia", "Armenia",
         [&] { give(game().sassanids, "Armenia"); }, "too far beyond the frontier", nullptr},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(refusalReason(row.refusal).text);
        newGame();
        clearAllLegions();
        advisor.messages.clear();
        give(game().romans, "Italia");
        give(game().romans, "Dacia");
        row.setUp();
        Province* to = row.to != nullptr ? p(row.to) : nullptr;

        const std::string before = stateJson(game());
        const std::uint32_t draws = game().random.state();
        const OrderPlan plan = planOrder(game(), p(row.from), to);
        EXPECT_EQ(plan.refusal, row.refusal);
        EXPECT_TRUE(plan.route.empty());
        EXPECT_EQ(plan.explanation.empty(), row.box == nullptr);
        EXPECT_EQ(stateJson(game()), before);
        EXPECT_EQ(game().random.state(), draws);
        EXPECT_TRUE(advisor.messages.empty());

        const OrderResult result = dropLegion(game(), p(row.from), to);
        EXPECT_EQ(result.outcome, OrderOutcome::Refused);
        EXPECT_EQ(result.refusal, row.refusal);
        EXPECT_EQ(stateJson(game()), before);
        EXPECT_EQ(refusalText(row.refusal, p(row.from), to), row.text);
        EXPECT_EQ(refusalReason(row.refusal).explainedByAdvisor, row.box != nullptr);
        if (row.box != nullptr) {
            ASSERT_EQ(advisor.messages.size(), 1u);
            EXPECT_EQ(advisor.messages[0].rfind(row.box, 0), 0u) << advisor.messages[0];
            EXPECT_EQ(advisor.messages[0], plan.explanation);
        } else {
            EXPECT_TRUE(advisor.messages.empty());
        }
    }
    // The map is connected, so no order is ever refused for want of a way;
    // the reason is there all the same.
    EXPECT_EQ(refusalText(OrderRefusal::NoRoute, p("Italia"), p("Britannia")),
              "there is no way from Italia to Britannia");
    EXPECT_FALSE(refusalReason(OrderRefusal::NoRoute).explainedByAdvisor);
    // A name that holds the placeholder is put in once.
    const Province odd("TOTO", 0);
    EXPECT_EQ(refusalText(OrderRefusal::BorderRule, p("Dacia"), &odd),
              "Roman troops stay out of TOTO unless there is an enemy to attack");
}

// The query names the order the drop gives and the way it goes, and carrying
// it out does that.
TEST_F(OrdersTest, ThePlanIsWhatTheOrderDoes) {
    struct Row {
        const char* from;
        const char* to;
        OrderKind kind;
        OrderOutcome outcome;  // with the next draws odd: battles are won
    };
    const Row rows[] = {
        {"Italia", "Raetia", OrderKind::Move, OrderOutcome::Moved},
        {"Italia", "Dalmatia", OrderKind::Move, OrderOutcome::TookProvince},
        {"Italia", "Pannonia", OrderKind::Attack, OrderOutcome::TookProvince},
        {"Dacia", "Sarmatia", OrderKind::Raid, OrderOutcome::BattleWon},
        {"Italia", "Britannia", OrderKind::Route, OrderOutcome::Marched},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.to);
        newGame();
        clearAllLegions();
        give(game().romans, "Italia");
        give(game().romans, "Dacia");
        moveOwner("Dalmatia", nullptr);
        moveOwner("Pannonia", &game().rogueRomans);
        give(game().rogueRomans, "Pannonia");
        give(game().barbarians, "Sarmatia", 2);
        const OrderPlan plan = planOrder(game(), p(row.from), p(row.to));
        ASSERT_TRUE(plan.accepted());
        EXPECT_EQ(plan.kind, row.kind);
        if (row.kind == OrderKind::Route) {
            EXPECT_EQ(plan.route, findRoute(game(), p(row.from), p(row.to)));
            EXPECT_GT(plan.route.size(), 2u);
        } else {
            EXPECT_EQ(plan.route, (Route{p(row.from), p(row.to)}));
        }
        game().random.seed(7);  // nothing left rigged from the row before
        rigDraws(game(), {1, 1});
        EXPECT_EQ(dropLegion(game(), p(row.from), p(row.to)).outcome, row.outcome);
        if (row.kind == OrderKind::Route) {
            EXPECT_EQ(game().romans.legions[0]->route, plan.route);
        }
    }
    // A lost battle says so.
    game().random.seed(7);
    rigDraws(game(), {0});
    EXPECT_EQ(dropLegion(game(), p("Dacia"), p("Sarmatia")).outcome, OrderOutcome::BattleLost);
}

}  // namespace
}  // namespace tessarion
