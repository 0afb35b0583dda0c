// A power's legion list against a plain vector doing the same things: the
// holes battles leave, the per-province counts and the first legion in a
// province must never change what the rules see.
#include <random>

#include "support/TestGame.h"

namespace tessarion {
namespace {

using test::GameTest;

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
