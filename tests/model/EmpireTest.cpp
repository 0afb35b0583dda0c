// Legions, the powers' shared operations and the one step rule; and a power's legion list
// against a plain vector doing the same things: the holes battles leave, the per-province
// counts and the first legion in a province must never change what the rules see.
#include <random>

#include "engine/Routes.h"
#include "model/InternalError.h"
#include "support/TestGame.h"

namespace tessarion {
namespace {

using test::GameTest;
using test::rigDraws;

class EmpireTest : public GameTest {
  protected:
    Legion* routed(Empire& e, const std::string& from, std::vector<std::string> steps) {
        Legion* l = e.createLegion(p(from));
        Route r{p(from)};
        for (const auto& s : steps) {
            r.push_back(p(s));
        }
        l->setRoute(r);
        return l;
    }
    std::vector<Sound>& sounds = frontEnd.sounds;
    std::vector<std::string>& animations = frontEnd.moves;
};

TEST_F(EmpireTest, AdvanceAlongRoute) {
    Legion* l = routed(game().romans, "Italia", {"Raetia"});
    l->advanceAlongRoute();
    EXPECT_EQ(l->province->name, "Raetia");
    EXPECT_FALSE(l->hasRoute);
    EXPECT_TRUE(l->moved);
    EXPECT_EQ(l->routeIndex, 1);

    Legion* still = game().romans.createLegion(p("Italia"));
    still->advanceAlongRoute();
    EXPECT_FALSE(still->moved) << "no route, no change at all";
    EXPECT_EQ(still->province->name, "Italia");
}

TEST_F(EmpireTest, ListOperationsAndCounting) {
    Empire& r = game().romans;
    const std::size_t before = r.provinces.size();
    r.addProvince(p("Italia"));
    EXPECT_EQ(r.provinces.size(), before);
    give(r, "Syria", 3);
    give(game().sassanids, "Syria", 2);
    EXPECT_EQ(r.legionsIn(p("Syria")), 3);
    EXPECT_EQ(game().sassanids.legionsIn(p("Syria")), 2);
    EXPECT_TRUE(r.hasLegionInAny(game().armyGroups[2].provinces));
    EXPECT_FALSE(r.hasLegionInAny(game().armyGroups[0].provinces));
    game().addLegions("Italia", &r, 0);
    game().addLegions("Italia", &r, -4);
    EXPECT_EQ(r.legionsIn(p("Italia")), 0);
    r.removeLegionsIn(p("Syria"));
    EXPECT_EQ(r.legionCount(), 0);
    EXPECT_EQ(game().sassanids.legionsIn(p("Syria")), 2);
}

// The rebels keep the base recruitment (a legion every third call, none in Dacia), but never
// call it: their turn ends without a recruit.
TEST_F(EmpireTest, BaseRecruitRaisesEveryThirdTurnExceptInDaciaAndRebelsNeverCallIt) {
    Empire& rebels = game().rogueRomans;
    moveOwner("Italia", &rebels);
    moveOwner("Dacia", &rebels);
    p("Italia")->recruitCounter = 2;
    for (int i = 0; i < 5; ++i) {
        rebels.endTurn();
    }
    EXPECT_EQ(rebels.legionCount(), 0);
    p("Italia")->recruitCounter = 0;
    p("Dacia")->recruitCounter = 0;
    rebels.recruit();
    rebels.recruit();
    EXPECT_EQ(rebels.legionCount(), 0);
    rebels.recruit();
    EXPECT_EQ(rebels.legionsIn(p("Italia")), 1);
    EXPECT_EQ(p("Italia")->recruitCounter, 0);
    EXPECT_EQ(rebels.legionsIn(p("Dacia")), 0);
}

// A step into land without defenders needs no battle, sound or march shown: nobody's
// land is taken silently, an enemy's with the news; the route goes on from there.
TEST_F(EmpireTest, StepIntoALandWithoutDefendersNeedsNoBattle) {
    for (Empire* owner :
         {static_cast<Empire*>(nullptr), static_cast<Empire*>(&game().barbarians)}) {
        moveOwner("Raetia", owner);
        game().newsLog.clear();
        Legion* l = routed(game().romans, "Italia", {"Raetia", "Belgica"});
        game().romans.moveLegionStep(l);
        EXPECT_EQ(game().ownerOf(p("Raetia")), &game().romans);
        EXPECT_EQ(l->province->name, "Raetia");
        EXPECT_TRUE(l->hasRoute);
        EXPECT_EQ(game().newsLog.empty() ? "" : game().newsLog.back(),
                  owner == nullptr ? "" : "We have reconquered Raetia");
        game().romans.moveLegionStep(l);
        EXPECT_EQ(l->province->name, "Belgica");
        EXPECT_FALSE(l->hasRoute);
    }
    EXPECT_TRUE(sounds.empty());
    EXPECT_TRUE(animations.empty());
}

// A won battle destroys one defender; only the last one lost gives the
// province up, and only then does the legion advance.
TEST_F(EmpireTest, BattleWonAdvancesOnlyPastTheLastDefender) {
    for (int defenders : {1, 2}) {
        SCOPED_TRACE(defenders);
        clearAllLegions();
        sounds.clear();
        animations.clear();
        moveOwner("Raetia", &game().barbarians);
        give(game().barbarians, "Raetia", defenders);
        Legion* l = routed(game().romans, "Italia", {"Raetia"});
        rigDraws(game(), {1});
        game().romans.moveLegionStep(l);
        EXPECT_EQ(sounds, std::vector<Sound>{Sound::Battle});
        EXPECT_EQ(animations, std::vector<std::string>{"Italia>Raetia"});
        EXPECT_EQ(game().barbarians.legionsIn(p("Raetia")), defenders - 1);
        const bool taken = defenders == 1;
        EXPECT_EQ(l->province->name, taken ? "Raetia" : "Italia");
        EXPECT_EQ(l->hasRoute, !taken);
        EXPECT_EQ(l->moved, taken);
        EXPECT_EQ(game().ownerOf(p("Raetia")),
                  taken ? static_cast<Empire*>(&game().romans) : &game().barbarians);
    }
}

TEST_F(EmpireTest, BattleLostCostsTheFirstUnmovedLegionAtHome) {
    moveOwner("Raetia", &game().barbarians);
    give(game().barbarians, "Raetia");
    Legion* movedOne = game().romans.createLegion(p("Italia"));
    movedOne->moved = true;
    Legion* waiting = game().romans.createLegion(p("Italia"));
    Legion* l = routed(game().romans, "Italia", {"Raetia"});
    rigDraws(game(), {0});
    game().romans.moveLegionStep(l);
    ASSERT_EQ(game().romans.legionCount(), 2);
    EXPECT_EQ(game().romans.legions[0].get(), movedOne);
    EXPECT_EQ(game().romans.legions[1].get(), l)
        << "the first unmoved legion there was the one waiting";
    (void)waiting;
    EXPECT_EQ(game().barbarians.legionsIn(p("Raetia")), 1);

    rigDraws(game(), {0});
    game().romans.moveLegionStep(l);
    ASSERT_EQ(game().romans.legionCount(), 1) << "now the mover itself falls";
    EXPECT_EQ(game().romans.legions[0].get(), movedOne);
}

// Rebels marching out of Raetia (theirs) on Italia (Roman, defended), some
// still on the way from Belgica, some standing, some marked moved: battles
// then destroy legions before, at and after the one whose turn it is. A crowd
// of far more than a hundred is legal play (the PFJ and a mutiny make one).
void rebelsBeforeItalia(Game& g, std::uint32_t seed) {
    std::mt19937 rng(seed);
    Province* raetia = g.findProvince("Raetia");
    Province* belgica = g.findProvince("Belgica");
    Province* italia = g.findProvince("Italia");
    g.romans.removeProvince(raetia);
    g.rogueRomans.addProvince(raetia);
    g.addLegions("Italia", &g.romans, 40);
    for (int i = 0; i < 150; ++i) {
        const auto kind = rng() % 4;
        Legion* l = g.rogueRomans.createLegion(kind == 0 ? belgica : raetia);
        if (kind == 0) {
            l->setRoute({belgica, raetia, italia});
        } else if (kind != 3) {
            l->setRoute({raetia, italia});
        }
        l->moved = rng() % 3 == 0;
    }
}

// The walk over the legions follows their places in the list, not their
// positions: it must come out exactly like the rule's own walk by position.
TEST_F(EmpireTest, UpdateLegionsWalksLikeTheRuleByPosition) {
    for (std::uint32_t seed = 1; seed <= 8; ++seed) {
        SCOPED_TRACE(seed);
        Game byPosition;
        Game bySlot;
        rebelsBeforeItalia(byPosition, seed);
        rebelsBeforeItalia(bySlot, seed);
        byPosition.random.seed(seed);
        for (std::size_t i = 0; i < byPosition.rogueRomans.legions.size(); ++i) {
            Legion* l = byPosition.rogueRomans.legions[i].get();
            if (l->hasRoute) {
                byPosition.rogueRomans.moveLegionStep(l);
            }
        }
        const std::uint32_t drawn = byPosition.random.state();
        bySlot.random.seed(seed);
        bySlot.rogueRomans.updateLegions();
        EXPECT_EQ(bySlot.random.state(), drawn);
        EXPECT_EQ(test::legionsOf(bySlot), test::legionsOf(byPosition));
        EXPECT_LT(bySlot.romans.legionsIn(bySlot.findProvince("Italia")), 40) << "battles fought";
    }
}

class LegionListTest : public GameTest {
  protected:
    // The plain model: the same legions, in list order.
    std::vector<Legion*> expected;

    void check(const Empire& e, const std::vector<Province*>& places) {
        std::vector<Legion*> seen;
        for (const auto& l : e.legions) {
            seen.push_back(l.get());
        }
        ASSERT_EQ(seen, expected);
        ASSERT_EQ(e.legions.size(), expected.size());
        for (Province* p : places) {
            const auto n = std::count_if(expected.begin(), expected.end(),
                                         [&](const Legion* l) { return l->province == p; });
            ASSERT_EQ(e.legionsIn(p), n) << p->name;
        }
    }
    void forget(Legion* l) { expected.erase(std::find(expected.begin(), expected.end(), l)); }
    Legion* firstIn(Province* p, bool unmovedOnly) {
        for (Legion* l : expected) {
            if (l->province == p && (!unmovedOnly || !l->moved)) {
                return l;
            }
        }
        return nullptr;
    }
};

TEST_F(LegionListTest, KeepsListOrderThroughEveryChange) {
    Empire& e = game().romans;
    const std::vector<Province*> places = {p("Italia"), p("Raetia"), p("Belgica"), p("Pannonia")};
    std::mt19937 rng(7);
    auto pick = [&](std::size_t n) { return static_cast<std::size_t>(rng() % n); };
    for (int step = 0; step < 4000; ++step) {
        Province* where = places[pick(places.size())];
        // The list grows crowded, then is fought down to a few again.
        const bool growing = step < 2000;
        const std::size_t op = expected.empty() || pick(10) < (growing ? 6u : 1u) ? 0 : pick(6) + 3;
        if (op <= 2) {
            expected.push_back(e.createLegion(where));
        } else if (op == 3) {  // the first (unmoved) legion there falls
            const bool unmoved = pick(2) == 0;
            Legion* victim = firstIn(where, unmoved);
            const bool destroyed =
                unmoved ? e.destroyFirstLegionIn(where, [](const Legion& l) { return !l.moved; })
                        : e.destroyFirstLegionIn(where, [](const Legion&) { return true; });
            ASSERT_EQ(destroyed, victim != nullptr);
            if (victim != nullptr) {
                forget(victim);
            }
        } else if (op == 4) {  // a legion marches to a neighbour
            Legion* l = expected[pick(expected.size())];
            l->setRoute({l->province, places[pick(places.size())]});
            l->advanceAlongRoute();
        } else if (op == 5) {
            expected[pick(expected.size())]->moved ^= true;
        } else if (op == 6) {  // by position, as the disbanding does
            const std::size_t at = pick(expected.size());
            ASSERT_EQ(e.legions[at].get(), expected[at]);
            e.destroyLegionAt(at);
            expected.erase(expected.begin() + static_cast<std::ptrdiff_t>(at));
        } else if (op == 7 && pick(40) == 0) {  // a revolt or riot empties a province
            std::erase_if(expected, [&](const Legion* l) { return l->province == where; });
            e.removeLegionsIn(where);
        } else if (op == 8) {
            ASSERT_EQ(e.legions.back().get(), expected.back());
            e.legions.pop_back();
            expected.pop_back();
        }
        check(e, places);
        if (step == 1999) {
            EXPECT_GT(expected.size(), 400u) << "the list grew crowded";
        }
    }
    EXPECT_LT(expected.size(), 100u) << "and was fought down again";

    // A saved game's legions put in place, and the old ones handed back.
    std::vector<std::unique_ptr<Legion>> loaded;
    loaded.push_back(std::make_unique<Legion>(&e, p("Syria")));
    loaded.push_back(std::make_unique<Legion>(&e, p("Italia")));
    std::vector<Legion*> incoming = {loaded[0].get(), loaded[1].get()};
    const std::size_t before = expected.size();
    e.legions.swap(loaded);
    expected = incoming;
    check(e, {p("Syria"), p("Italia"), p("Raetia")});
    EXPECT_EQ(loaded.size(), before);
    e.legions.resize(1);
    expected.resize(1);
    check(e, {p("Syria"), p("Italia")});
}

// A province made outside the table (as a test makes one) keeps its count all the same.
TEST_F(LegionListTest, AProvinceOutsideTheTableIsCountedToo) {
    Province nowhere("Nowhere", 0);
    Empire& e = game().romans;
    e.createLegion(&nowhere);
    e.createLegion(p("Italia"));
    e.createLegion(&nowhere);
    EXPECT_EQ(e.legionsIn(&nowhere), 2);
    e.destroyLegionAt(0);
    EXPECT_EQ(e.legionsIn(&nowhere), 1);
    e.clearLegions();
}

// While a walk is on, the slots stay put however many legions fall (far more holes than
// legions) or are raised; once it ends, the holes close.
TEST_F(LegionListTest, AWalkKeepsEverySlotThroughAMassacre) {
    Empire& e = game().romans;
    for (int i = 0; i < 100; ++i) {
        e.createLegion(p("Italia"));
    }
    const Legion* last = e.legions.back().get();
    {
        const LegionList::Walk walk(e.legions);
        for (int i = 0; i < 90; ++i) {
            e.destroyLegionAt(0);
        }
        e.createLegion(p("Italia"));  // raised in the middle of it, as rebels are
        EXPECT_EQ(last->slot, 99u);
        EXPECT_EQ(e.legions.at(99), last);
    }
    EXPECT_EQ(last->slot, 9u);
    EXPECT_EQ(e.legionsIn(p("Italia")), 11);
}

}  // namespace
}  // namespace tessarion
