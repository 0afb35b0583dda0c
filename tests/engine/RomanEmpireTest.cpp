// The Roman year: taxes, recruits, pay, bonus demands, plague, settlers, hints; and the
// mutinies, province revolts, unrest and the People's Front of Judea.
#include <random>

#include "engine/Rebellions.h"
#include "engine/RomanEmpire.h"
#include "support/TestGame.h"

namespace tessarion {
namespace {

using test::EmptyMapTest;
using test::rigDraws;

class RomanYearTest : public EmptyMapTest {
  protected:
    RomanEmpire& romans() { return game().romans; }
    void holdOnly(std::initializer_list<const char*> names) {
        romans().provinces.clear();
        for (const char* n : names) {
            romans().addProvince(p(n));
        }
    }
};

TEST_F(RomanYearTest, TaxesAndTheLegionCapFollowTheProvincesHeld) {
    EXPECT_EQ(collectTaxes(romans()), 10200);
    EXPECT_EQ(legionCap(romans()), 25);
    romans().plague = true;
    EXPECT_EQ(collectTaxes(romans()), 2550);
    holdOnly({"Dacia"});
    EXPECT_EQ(legionCap(romans()), 3);
    holdOnly({"Italia", "Raetia"});
    EXPECT_EQ(legionCap(romans()), 3) << "never fewer than three";
    holdOnly({"Aegyptus", "Britannia", "Italia"});
    EXPECT_EQ(legionCap(romans()), 6);
}

TEST_F(RomanYearTest, RecruitingStopsWhenTheTreasuryCannotPay) {
    holdOnly({"Italia", "Raetia"});
    romans().plague = true;  // no draws, counters as set
    p("Italia")->recruitCounter = 3;
    p("Raetia")->recruitCounter = 3;
    romans().treasury = 375;
    romans().recruit();
    EXPECT_EQ(romans().legionCount(), 0);
    EXPECT_EQ(p("Raetia")->recruitCounter, 3) << "the whole walk stops";
    romans().treasury = 376;
    romans().recruit();
    EXPECT_EQ(romans().legionCount(), 2);
    EXPECT_EQ(p("Italia")->recruitCounter, 0);
}

TEST_F(RomanYearTest, CapExplanationOnceAndOnlyWhenProvincesAreMissing) {
    holdOnly({"Italia"});
    give(romans(), "Italia", 3);
    romans().recruit();
    romans().recruit();
    EXPECT_EQ(advisor.messages.size(), 1u);
    EXPECT_TRUE(advisor.saw("The number of legions we can raise depends on"));
    EXPECT_TRUE(romans().capWarningShown);
}

TEST_F(RomanYearTest, PayNeverDrivesTheTreasuryNegative) {
    give(romans(), "Italia", 4);
    romans().treasury = 1000;
    payLegions(romans());
    EXPECT_EQ(romans().upkeep, 1500);
    EXPECT_EQ(romans().treasury, 0);
    romans().treasury = 1;  // a last sesterce still goes to the legions
    payLegions(romans());
    EXPECT_EQ(romans().treasury, 0);
    romans().treasury = -50;
    payLegions(romans());
    EXPECT_EQ(romans().treasury, -50);
}

TEST_F(RomanYearTest, EmptyTreasuryDisbandsTheNewestLegionEachTurn) {
    holdOnly({"Dacia"});  // 200 a turn, no recruits
    give(romans(), "Dacia", 3);
    Legion* first = romans().legions[0].get();
    romans().treasury = -1000;
    romans().endTurn();
    EXPECT_TRUE(advisor.saw("The treasury is empty! The legions are starting to disband."));
    ASSERT_EQ(romans().legionCount(), 2);
    EXPECT_EQ(romans().legions[0].get(), first);
}

TEST_F(RomanYearTest, LowFundsWarningOnceBelow5000) {
    holdOnly({"Dacia"});
    romans().treasury = 5000 - collectTaxes(romans());
    romans().endTurn();
    ASSERT_EQ(romans().treasury, 5000);
    EXPECT_FALSE(advisor.saw("We are running out of money!")) << "5000 is enough";
    romans().treasury = 1000;
    romans().endTurn();
    romans().endTurn();
    int warnings = 0;
    for (const auto& m : advisor.messages) {
        warnings += m.find("We are running out of money!") != std::string::npos;
    }
    EXPECT_EQ(warnings, 1);
}

TEST_F(RomanYearTest, BonusDemandAmountsAndMutinyWhenItCannotBePaid) {
    give(romans(), "Thracia", 11);
    for (auto [treasury, amount] : {std::pair{60000, 12000}, {30000, 10000}, {10000, 10000}}) {
        romans().treasury = treasury;
        advisor.answers = {true};
        demandBonus(game());
        EXPECT_EQ(romans().treasury, treasury - amount);
        EXPECT_TRUE(advisor.asked("The legions are demanding a bonus of " + std::to_string(amount) +
                                  " sesterces."));
    }
    EXPECT_EQ(game().rebellionCount, 0);
    romans().treasury = 8000;
    advisor.answers = {true};
    demandBonus(game());
    EXPECT_TRUE(advisor.saw("We do not have that much in the treasury."));
    EXPECT_TRUE(advisor.saw("The Rhine legions have rebelled!"));
    EXPECT_EQ(romans().treasury, 8000);
    EXPECT_EQ(game().rebellionCount, 1);
}

TEST_F(RomanYearTest, RefusedBonusIsACoinToss) {
    give(romans(), "Syria", 11);
    rigDraws(game(), {1});
    demandBonus(game());
    EXPECT_TRUE(advisor.saw("The troops have backed down from their demands."));
    EXPECT_EQ(romans().legionCount(), 11);
    rigDraws(game(), {0});
    demandBonus(game());
    EXPECT_TRUE(advisor.saw("The Eastern legions have rebelled!"));
    EXPECT_EQ(romans().legionCount(), 0);
    EXPECT_EQ(game().rogueRomans.legionsIn(p("Syria")), 11);
    EXPECT_TRUE(game().rogueRomans.legions[0]->hasRoute) << "the first garrison marches on Rome";
}

TEST_F(RomanYearTest, BonusIsDemandedOnlyFromMoreThanTenLegions) {
    game().setSkillLevel(2);
    game().barbarians.tribeCountdown = {50, 50, 50, 50};
    give(romans(), "Italia", 10);
    // The bonus draw is the first draw after recruiting (plague: no recruit draws).
    romans().plague = true;
    romans().plagueCounter = 50;
    for (auto& prov : game().provinces) {
        prov->recruitCounter = 0;
    }
    rigDraws(game(), {0});
    romans().endTurn();
    EXPECT_TRUE(advisor.questions.empty());
    give(romans(), "Italia", 1);
    rigDraws(game(), {0});
    romans().endTurn();
    EXPECT_EQ(advisor.questions.size(), 1u);
}

TEST_F(RomanYearTest, PlagueLengthsBySkill) {
    romans().lowFundsWarningShown = true;
    for (int skill : {0, 1, 2}) {
        for (int second : {0, 4}) {
            game().setSkillLevel(skill);
            romans().plague = false;
            rigDraws(game(), {0, second});
            updatePlague(romans());
            ASSERT_TRUE(romans().plague);
            EXPECT_EQ(romans().plagueCounter, 5 + 5 * skill + second);
        }
    }
    EXPECT_EQ(game().plagueCount, 6);
    EXPECT_EQ(frontEnd.sounds, std::vector<Sound>(6, Sound::Plague)) << "each start coughs";
    EXPECT_FALSE(romans().lowFundsWarningShown) << "a plague earns another low-funds warning";
    advisor.messages.clear();
    romans().plagueCounter = 2;
    updatePlague(romans());
    EXPECT_TRUE(romans().plague);
    updatePlague(romans());
    EXPECT_FALSE(romans().plague);
    EXPECT_EQ(advisor.messages,
              std::vector<std::string>{"Princeps,\r\n\r\nThe plague has finally ended."});
}

TEST_F(RomanYearTest, SettlersComeToAHeldRhineProvince) {
    holdOnly({"Italia", "Raetia"});
    rigDraws(game(), {0});
    Province* where = nullptr;
    int count = 0;
    ASSERT_TRUE(checkForFreeLegions(game(), where, count));
    EXPECT_EQ(where->name, "Raetia");
    EXPECT_EQ(count, 1);
    settleTribe(where, romans(), count);
    EXPECT_EQ(romans().legionsIn(p("Raetia")), 1);
    EXPECT_EQ(advisor.messages.back(),
              "A tribe from across the Rhine has settled in\r\nRaetia providing us with more "
              "legions there.");
    holdOnly({"Italia"});
    rigDraws(game(), {0});
    EXPECT_FALSE(checkForFreeLegions(game(), where, count));
}

TEST_F(RomanYearTest, HintsComeInOrderOncePerRun) {
    // One year in ten: draws of 10, 20, ... give a hint, 9 and 11 none.
    for (int draw : {9, 11, 10, 20, 30, 40, 50}) {
        rigDraws(game(), {draw});
        showProvinceHint(romans());
    }
    ASSERT_EQ(advisor.messages.size(), 4u);
    EXPECT_EQ(advisor.messages[0].substr(0, 11), "Hint: Egypt");
    EXPECT_EQ(advisor.messages[1].substr(0, 15), "Hint: Britannia");
    EXPECT_EQ(advisor.messages[2].substr(0, 12), "Hint:  Dacia");
    EXPECT_EQ(advisor.messages[3].substr(0, 16), "Hint:  The North");
    newGame();
    rigDraws(game(), {0});
    showProvinceHint(romans());
    EXPECT_EQ(advisor.messages.size(), 4u);
}

TEST_F(RomanYearTest, RoutedLegionsMarchAndMovedMarksClear) {
    give(romans(), "Italia", 2);
    romans().legions[0]->moved = true;
    romans().legions[1]->setRoute({p("Italia"), p("Raetia"), p("Belgica")});
    for (auto& prov : game().provinces) {
        prov->recruitCounter = 0;  // no recruit this turn
    }
    romans().endTurn();
    EXPECT_FALSE(romans().legions[0]->moved);
    EXPECT_EQ(romans().legions[1]->province->name, "Raetia");
    EXPECT_TRUE(romans().legions[1]->moved);
    EXPECT_EQ(romans().lastIncome, 10200);
    EXPECT_EQ(romans().upkeep, 750);
}

// Romans on routes into defended German provinces, some marked moved, some
// standing: each step of the first ready one may cost a legion before it.
void romansOnTheRhine(Game& g, std::uint32_t seed) {
    std::mt19937 rng(seed);
    Province* italia = g.findProvince("Italia");
    Province* raetia = g.findProvince("Raetia");
    for (const char* n : {"Belgica", "Pannonia"}) {
        g.romans.removeProvince(g.findProvince(n));
        g.barbarians.addProvince(g.findProvince(n));
        g.addLegions(n, &g.barbarians, 30);
    }
    for (int i = 0; i < 120; ++i) {
        const auto kind = rng() % 4;
        Legion* l = g.romans.createLegion(kind == 0 ? italia : raetia);
        if (kind == 0) {
            l->setRoute({italia, raetia, g.findProvince("Belgica")});
        } else if (kind != 3) {
            l->setRoute({raetia, g.findProvince(kind == 1 ? "Belgica" : "Pannonia")});
        }
        l->moved = rng() % 4 == 0;
    }
}

// The march goes on from the legion that marched last instead of searching
// from the front each time: it must come out exactly like the search.
TEST_F(RomanYearTest, MarchComesOutLikeSearchingFromTheFront) {
    for (std::uint32_t seed = 1; seed <= 8; ++seed) {
        SCOPED_TRACE(seed);
        Game fromFront;
        Game onwards;
        romansOnTheRhine(fromFront, seed);
        romansOnTheRhine(onwards, seed);
        fromFront.random.seed(seed);
        for (;;) {
            auto& legions = fromFront.romans.legions;
            auto next = std::find_if(legions.begin(), legions.end(),
                                     [](const auto& l) { return l->hasRoute && !l->moved; });
            if (next == legions.end()) {
                break;
            }
            fromFront.romans.moveLegionStep(next->get());
        }
        const std::uint32_t drawn = fromFront.random.state();
        onwards.random.seed(seed);
        advanceRomanLegions(onwards.romans);
        EXPECT_EQ(onwards.random.state(), drawn);
        EXPECT_EQ(test::legionsOf(onwards), test::legionsOf(fromFront));
        EXPECT_LT(onwards.barbarians.legionCount(), 60) << "battles fought";
    }
}

class RebellionsTest : public EmptyMapTest {};

TEST_F(RebellionsTest, DanubeMutinyTurnsTheRhineGroup) {
    give(game().romans, "Italia", 4);
    mutinyOverBonus(game());
    EXPECT_TRUE(advisor.messages.empty()) << "no legions in any group: no mutiny";
    EXPECT_EQ(game().rebellionCount, 0);

    give(game().romans, "Thracia", 4);
    mutinyOverBonus(game());
    EXPECT_TRUE(
        advisor.saw("The Rhine legions have rebelled! They have\r\nproclaimed their commander"));
    for (const char* name : {"Britannia", "Belgica", "Raetia"}) {
        EXPECT_EQ(game().ownerOf(p(name)), &game().rogueRomans) << name;
    }
    EXPECT_EQ(game().romans.legionsIn(p("Thracia")), 4) << "Thracia's legions stay loyal";
    EXPECT_EQ(game().rogueRomans.legionCount(), 0);
    EXPECT_EQ(game().rebellionCount, 1);
    EXPECT_TRUE(advisor.saw("When a province rebels it is shown in white"));
    const std::size_t shown = advisor.messages.size();
    mutinyOverBonus(game());
    EXPECT_EQ(advisor.messages.size(), shown + 1) << "the colours are explained once";
}

// The group's first province with legions sends them on Rome, even from next door, wherever
// in the group the revolt broke out.
TEST_F(RebellionsTest, RebelsNextDoorMarchOnRome) {
    give(game().romans, "Raetia", 2);
    rebelLegions(p("Britannia"), game().romans);
    ASSERT_EQ(game().rogueRomans.legionsIn(p("Raetia")), 2);
    EXPECT_EQ(game().rogueRomans.legions[0]->route, (Route{p("Raetia"), p("Italia")}));
}

TEST_F(RebellionsTest, GroupHeldByOthersStillAnnouncesTheRevolt) {
    for (const char* name : {"Mauretania", "Africa"}) {
        moveOwner(name, &game().barbarians);
    }
    rebelLegions(p("Africa"), game().romans);
    EXPECT_TRUE(advisor.saw("The North african legions have rebelled!"));
    EXPECT_EQ(game().ownerOf(p("Africa")), &game().barbarians);
    rebelLegions(p("Italia"), game().romans);  // in no group: nothing at all
    EXPECT_EQ(advisor.messages.size(), 2u);
}

TEST_F(RebellionsTest, RevoltTurnsGarrisonsOfAnyOwnerIntoRebels) {
    give(game().romans, "Syria", 2);
    revoltProvince(game(), p("Syria"));
    EXPECT_EQ(game().ownerOf(p("Syria")), &game().rogueRomans);
    EXPECT_EQ(game().rogueRomans.legionsIn(p("Syria")), 2);
    EXPECT_EQ(game().newsLog.back(), "Syria has been overrun");

    moveOwner("Aegyptus", &game().sassanids);
    give(game().sassanids, "Aegyptus", 3);
    revoltProvince(game(), p("Aegyptus"));
    EXPECT_EQ(game().ownerOf(p("Aegyptus")), &game().rogueRomans);
    EXPECT_EQ(game().sassanids.legionCount(), 0);
    EXPECT_EQ(game().rogueRomans.legionsIn(p("Aegyptus")), 3);
    EXPECT_EQ(game().newsLog.back(), "Syria has been overrun") << "only Roman losses make news";

    moveOwner("Dacia", nullptr);
    revoltProvince(game(), p("Dacia"));
    EXPECT_EQ(game().ownerOf(p("Dacia")), nullptr);
}

TEST_F(RebellionsTest, UngarrisonedBritanniaRebels) {
    game().setSkillLevel(2);
    give(game().romans, "Aegyptus");
    rigDraws(game(), {0});
    provinceRevolts(game().romans);
    EXPECT_EQ(game().ownerOf(p("Britannia")), nullptr);
    EXPECT_EQ(game().newsLog.back(), "Britannia has rebelled");
    EXPECT_EQ(game().rebellionCount, 1);

    // A garrison keeps it; no draw is even made.
    moveOwner("Britannia", &game().romans);
    give(game().romans, "Britannia");
    rigDraws(game(), {0});
    const std::uint32_t before = game().random.state();
    provinceRevolts(game().romans);
    EXPECT_EQ(game().random.state(), before);
    EXPECT_EQ(game().ownerOf(p("Britannia")), &game().romans);
}

TEST_F(RebellionsTest, LosingAegyptusCanStarveItaliaTheSameTurn) {
    game().setSkillLevel(2);
    give(game().romans, "Britannia");
    give(game().romans, "Italia", 3);
    moveOwner("Africa", &game().barbarians);
    moveOwner("Mauretania", &game().barbarians);
    EXPECT_FALSE(lacksGrain(game())) << "one of the three grain provinces is enough";
    rigDraws(game(), {0, 0});
    provinceRevolts(game().romans);
    EXPECT_EQ(game().ownerOf(p("Aegyptus")), nullptr);
    EXPECT_EQ(game().ownerOf(p("Italia")), nullptr);
    EXPECT_EQ(game().romans.legionsIn(p("Italia")), 0);
    EXPECT_TRUE(advisor.saw("The people of Italia are rioting over the lack of grain!"));
    EXPECT_EQ(game().rebellionCount, 1) << "grain riots are not counted";
}

TEST_F(RebellionsTest, PeoplesFrontRalliesUpToTheCap) {
    const std::vector<Sound>& sounds = frontEnd.sounds;
    peoplesFront(game());
    EXPECT_EQ(game().romans.legionsIn(p("Palestina")), 5);
    EXPECT_EQ(advisor.messages.back(), "The People's Front of Judea has rallied to your cause!");
    give(game().romans, "Italia", legionCap(game().romans) - game().romans.legionCount());
    peoplesFront(game());
    EXPECT_EQ(game().romans.legionsIn(p("Palestina")), 5) << "at the cap nothing is added";
    EXPECT_EQ(sounds, (std::vector<Sound>{Sound::PeoplesFront, Sound::PeoplesFront}));
    // One below the cap: all five come, past the cap.
    game().romans.legions.pop_back();
    peoplesFront(game());
    EXPECT_EQ(game().romans.legionsIn(p("Palestina")), 10);
}

TEST_F(RebellionsTest, PeoplesFrontOverthrowsAnotherOwner) {
    moveOwner("Palestina", &game().sassanids);
    give(game().sassanids, "Palestina", 4);
    peoplesFront(game());
    EXPECT_EQ(game().ownerOf(p("Palestina")), &game().romans);
    EXPECT_EQ(game().sassanids.legionCount(), 0);
    EXPECT_EQ(game().romans.legionsIn(p("Palestina")), 15);
    EXPECT_EQ(advisor.messages.back(),
              "Palestina has been overthrown by the\r\nPeople's Front of Judea (the PFJ)!");
}

}  // namespace
}  // namespace tessarion
