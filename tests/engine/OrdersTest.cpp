// The player's orders: moves, attacks, route orders, take-overs and plunder; and the route
// search they march by.
#include "engine/Orders.h"

#include <algorithm>
#include <functional>

#include "engine/ReferenceRoutes.h"
#include "engine/Routes.h"
#include "game/StateJson.h"
#include "support/TestGame.h"

namespace tessarion {
namespace {

using test::EmptyMapTest;
using test::rigDraws;

class OrdersTest : public EmptyMapTest {
  protected:
    bool drop(const std::string& from, const std::string& to) {
        return dropLegion(game(), p(from), p(to)).carriedOut();
    }
    std::vector<std::string>& flashes = frontEnd.flashes;
};

// Against more than one defender a won attack destroys one and the attacker
// stays home, its move spent; a lost one costs the attacker. Either way the
// attack is shown marching and the loser's legion flashes.
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
        frontEnd.moves.clear();
        moveOwner("Raetia", &game().barbarians);
        give(game().barbarians, "Raetia", 2);
        give(game().romans, "Italia");
        rigDraws(game(), {c.draw});
        EXPECT_TRUE(drop("Italia", "Raetia"));
        ASSERT_EQ(game().romans.legionCount(), c.romansLeft);
        EXPECT_EQ(game().barbarians.legionsIn(p("Raetia")), 2 - c.romansLeft);
        EXPECT_EQ(game().newsLog.back(), c.news);
        EXPECT_EQ(flashes, std::vector<std::string>{c.flash});
        EXPECT_EQ(frontEnd.moves, std::vector<std::string>{"Italia>Raetia"});
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

// Wiping out a power may turn the victors (a coin at Hard): the Rhine group
// goes over to the rebels with its legions. Wiping out the last rebels starts
// no revolt of its own, whatever the coin.
TEST_F(OrdersTest, WipingOutAPowerMayMakeTheVictorsRebel) {
    struct Case {
        Empire* beaten;
        int coin;
        bool rebels;
    };
    for (const Case& c : {Case{&game().barbarians, 0, true}, Case{&game().barbarians, 1, false},
                          Case{&game().rogueRomans, 0, false}}) {
        SCOPED_TRACE(c.beaten->name + " " + std::to_string(c.coin));
        newGame();
        clearAllLegions();
        game().setSkillLevel(2);
        advisor.messages.clear();
        moveOwner("Raetia", c.beaten);
        give(*c.beaten, "Raetia");
        give(game().romans, "Italia");
        give(game().romans, "Britannia");
        rigDraws(game(), {1, c.coin});
        EXPECT_TRUE(drop("Italia", "Raetia"));
        EXPECT_EQ(advisor.saw("The Rhine legions have rebelled!"), c.rebels);
        EXPECT_EQ(advisor.messages.empty(), !c.rebels);
        Empire* holder = c.rebels ? &game().rogueRomans : static_cast<Empire*>(&game().romans);
        EXPECT_EQ(game().ownerOf(p("Raetia")), holder);
        EXPECT_EQ(game().ownerOf(p("Britannia")), holder);
        EXPECT_EQ(game().romans.legionCount(), c.rebels ? 0 : 2);
        EXPECT_EQ(game().rogueRomans.legionCount(), c.rebels ? 2 : 0);
    }
}

// Every refusal the rules make, one row each (both of the frontier's lessons among
// them): what the query answers (without a draw, a box or any change), what carrying
// the order out answers, the player's text, and whether the advisor tells the player
// why, every time.
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
        {OrderRefusal::BorderRule, "Syria", "Mesopotamia", [&] { give(game().romans, "Syria"); },
         "Roman troops stay out of Mesopotamia unless there is an enemy to attack",
         "The Romans believed the Tigris river"},
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
            dropLegion(game(), p(row.from), to);
            EXPECT_EQ(advisor.messages, std::vector<std::string>(2, plan.explanation))
                << "told every time";
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
// it out does that: one of Italia's two legions goes (or Dacia's raids and stays
// home), takes what it was sent to take, and the news tells what a player is told.
TEST_F(OrdersTest, ThePlanIsWhatTheOrderDoes) {
    struct Row {
        const char* from;
        const char* to;
        OrderKind kind;
        OrderOutcome outcome;  // with the next draws odd: battles are won
        const char* news;      // the last news after the order, "" for none
    };
    const Row rows[] = {
        {"Italia", "Raetia", OrderKind::Move, OrderOutcome::Moved, ""},
        {"Italia", "Dalmatia", OrderKind::Move, OrderOutcome::TookProvince,
         "We have reconquered Dalmatia"},
        {"Italia", "Pannonia", OrderKind::Attack, OrderOutcome::TookProvince,
         "We have reconquered Pannonia"},
        {"Dacia", "Sarmatia", OrderKind::Raid, OrderOutcome::BattleWon,
         "Our raid into Sarmatia was successful"},
        {"Italia", "Britannia", OrderKind::Route, OrderOutcome::Marched, ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.to);
        newGame();
        clearAllLegions();
        give(game().romans, "Italia", 2);
        give(game().romans, "Dacia");
        moveOwner("Dalmatia", nullptr);
        moveOwner("Pannonia", &game().rogueRomans);
        give(game().rogueRomans, "Pannonia");
        give(game().barbarians, "Sarmatia");
        give(game().barbarians, "Upper Rhine");  // so that no power is wiped out
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
        EXPECT_EQ(game().newsLog.empty() ? "" : game().newsLog.back(), row.news);
        const auto& legions = game().romans.legions;
        EXPECT_EQ(std::count_if(legions.begin(), legions.end(), [](auto& l) { return l->moved; }),
                  1);
        const Legion& sent = *legions[row.kind == OrderKind::Raid ? 2 : 0];
        EXPECT_TRUE(sent.moved);
        if (row.kind == OrderKind::Raid) {
            EXPECT_EQ(sent.province, p("Dacia")) << "a raid comes home";
            EXPECT_EQ(game().ownerOf(p("Sarmatia")), &game().barbarians);
        } else if (row.kind == OrderKind::Route) {
            EXPECT_EQ(sent.route, plan.route);
            EXPECT_TRUE(sent.hasRoute);
            EXPECT_EQ(sent.province, plan.route[1]) << "the first step is taken at once";
        } else {
            EXPECT_EQ(sent.province, p(row.to));
            EXPECT_EQ(game().ownerOf(p(row.to)), &game().romans);
        }
    }
    // A lost battle says so.
    game().random.seed(7);
    rigDraws(game(), {0});
    EXPECT_EQ(dropLegion(game(), p("Dacia"), p("Sarmatia")).outcome, OrderOutcome::BattleLost);
}

using test::GameTest;

Route referenceRoute(Province* from, Province* to) {
    return test::referenceSearch(from, [to](const Province* p) { return p == to; })
        .value_or(Route{});
}

std::vector<std::string> names(const Route& r) {
    std::vector<std::string> out;
    for (Province* p : r) {
        out.push_back(p->name);
    }
    return out;
}

class RoutesTest : public GameTest {};

// The enumeration tries neighbours in list order, so agreeing with it also
// fixes the tie-break between routes of one length.
TEST_F(RoutesTest, AgreesWithTheFullEnumerationForEveryPair) {
    for (auto& a : game().provinces) {
        for (auto& b : game().provinces) {
            if (a == b || isBeyondBorder(b.get())) {
                continue;  // nothing lists a territory, so those searches would enumerate the whole
                           // map
            }
            EXPECT_EQ(names(findRoute(game(), a.get(), b.get())),
                      names(referenceRoute(a.get(), b.get())))
                << a->name << " -> " << b->name;
        }
    }
    EXPECT_TRUE(advisor.messages.empty()) << "every route found passes the check";
}

TEST_F(RoutesTest, NoRouteIntoTheLandsBeyondTheFrontier) {
    EXPECT_TRUE(findRoute(game(), p("Italia"), p("Armenia")).empty());
    EXPECT_TRUE(findRoute(game(), p("Sarmatia"), p("Lower Rhine")).empty());
    EXPECT_TRUE(findRoute(game(), nullptr, p("Italia")).empty());  // nor from nowhere
}

TEST_F(RoutesTest, CheckRouteReportsTheFirstBadStepOnly) {
    checkRoute(game(), {p("Italia"), p("Raetia"), p("Belgica")});
    EXPECT_TRUE(advisor.messages.empty());
    checkRoute(game(), {p("Italia"), p("Syria"), p("Britannia")});
    EXPECT_EQ(advisor.messages, std::vector<std::string>{"Route is invalid"});
}

}  // namespace
}  // namespace tessarion
