// Mutinies, province revolts, unrest and the People's Front of Judea.
#include "engine/Rebellions.h"
#include "engine/RomanEmpire.h"
#include "support/TestGame.h"

namespace tessarion {
namespace {

using test::EmptyMapTest;
using test::rigDraws;

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
