// The Germanic tribes and the Sassanids at the frontier.
#include "opponents/Barbarians.h"
#include "opponents/Sassanids.h"
#include "support/TestGame.h"

namespace tessarion {
namespace {

using test::EmptyMapTest;
using test::rigDraws;

class FrontierPowersTest : public EmptyMapTest {
  protected:
    Barbarians& tribes() { return game().barbarians; }
    std::vector<Sound>& sounds = frontEnd.sounds;
};

TEST_F(FrontierPowersTest, CountdownsRunDownBeforeATribeActs) {
    tribes().tribeCountdown = {2, 5, 1, 3};
    tribes().endTurn();
    EXPECT_EQ(tribes().tribeCountdown, (std::array<int, 4>{1, 4, 0, 2}));
    EXPECT_TRUE(advisor.questions.empty());
    EXPECT_EQ(tribes().legionCount(), 0);
}

TEST_F(FrontierPowersTest, PeaceOfferPriceAndAcceptance) {
    tribes().tribeCountdown = {0, 9, 9, 9};
    game().romans.treasury = 9999;
    // offer (r%3==0), divisor 2+1 = 3, years 5+7 = 12
    rigDraws(game(), {0, 1, 7});
    advisor.answers = {true};
    tribes().endTurn();
    ASSERT_EQ(advisor.questions.size(), 1u);
    EXPECT_EQ(advisor.questions[0],
              "Princeps,\r\n\r\nThe Saxons are offering peace for 12 years \r\nin exchange for "
              "3000 sesterces.\r\n\r\nDo "
              "you accept their offer?");
    EXPECT_EQ(game().romans.treasury, 6999);
    EXPECT_EQ(tribes().tribeCountdown[0], 12);
    EXPECT_EQ(p("Lower Rhine")->hostility, 1);
    EXPECT_EQ(tribes().legionCount(), 0);
}

TEST_F(FrontierPowersTest, PriceRoundsDownToThousandsAndNoOfferAtOrBelow1000) {
    tribes().tribeCountdown = {9, 9, 9, 0};
    game().romans.treasury = 1001;
    rigDraws(game(), {0, 0});  // divisor 2: 1001 / 2 = 500 -> 0
    advisor.answers = {true};
    tribes().endTurn();
    EXPECT_TRUE(advisor.asked("in exchange for 0 sesterces."));
    EXPECT_EQ(p("Lower Danube")->hostility, 1);
    EXPECT_EQ(p("Sarmatia")->hostility, 1) << "the Goths' peace covers both lands";

    advisor.questions.clear();
    for (int i = 0; i < 20; ++i) {
        tribes().tribeCountdown = {0, 0, 0, 0};
        game().romans.treasury = 1000;
        tribes().endTurn();
    }
    EXPECT_TRUE(advisor.questions.empty());
}

TEST_F(FrontierPowersTest, RefusedPeaceBringsAnArmyAtOnce) {
    tribes().tribeCountdown = {9, 0, 9, 9};
    game().romans.treasury = 50000;
    game().setSkillLevel(2);
    // An offer, its price and years, then the wait for the next one: 8 % 5 + 5.
    rigDraws(game(), {0, 0, 0, 8});
    tribes().endTurn();  // refused: the queue of answers is empty
    EXPECT_EQ(game().romans.treasury, 50000);
    EXPECT_EQ(p("Upper Rhine")->hostility, 2);
    EXPECT_EQ(tribes().tribeCountdown[1], 8);
    EXPECT_GE(tribes().legionsIn(p("Upper Rhine")), 3);
    EXPECT_LE(tribes().legionsIn(p("Upper Rhine")), 5);
    EXPECT_EQ(game().invasionCount, 1);
    EXPECT_EQ(sounds, std::vector<Sound>{Sound::March});
    const std::string& news = game().newsLog.back();
    EXPECT_TRUE(news == "The Vandals have crossed the frontier!" ||
                news == "The Franks have crossed the frontier!")
        << news;
}

TEST_F(FrontierPowersTest, ArmySizesBySkill) {
    for (int skill : {0, 1, 2}) {
        for (int r = 0; r <= skill; ++r) {
            tribes().clearLegions();
            game().setSkillLevel(skill);
            rigDraws(game(), {0, r});  // target Italia, then the size
            tribes().invade(p("Upper Danube"));
            EXPECT_EQ(tribes().legionCount(), skill + 1 + r) << "skill " << skill;
            EXPECT_EQ(tribes().legions[0]->route.back()->name, "Italia");
        }
    }
    EXPECT_EQ(game().newsLog.back(), "The Marcomanni have crossed the frontier!");
}

TEST_F(FrontierPowersTest, TargetsExcludeGermanLandsAndNothingLeftMeansNoArmy) {
    for (const char* n : {"Italia", "Aquitania", "Lugdunensis", "Narbonensis", "Raetia",
                          "Britannia", "Pannonia", "Dacia", "Belgica", "Lusitania", "Mauretania"}) {
        moveOwner(n, &tribes());
    }
    EXPECT_EQ(tribes().chooseTarget()->name, "Terraconensis");
    moveOwner("Terraconensis", &tribes());
    EXPECT_EQ(tribes().chooseTarget(), nullptr);
    tribes().invade(p("Upper Rhine"));
    EXPECT_EQ(tribes().legionCount(), 0);
    EXPECT_EQ(game().invasionCount, 0);
}

// Where two tribes share a land, a coin decides which one comes.
TEST_F(FrontierPowersTest, TribeNames) {
    struct Case {
        const char* land;
        int draw;
        const char* tribe;
    };
    for (const Case& c :
         {Case{"Lower Rhine", 0, "Saxons"}, Case{"Dalmatia", 0, "Franks"},
          Case{"Upper Rhine", 1, "Vandals"}, Case{"Upper Rhine", 0, "Franks"},
          Case{"Sarmatia", 1, "Ostrogoths"}, Case{"Lower Danube", 1, "Visigoths"}}) {
        game().random.seed(1);  // a land of one tribe leaves its rigged draw unused
        rigDraws(game(), {c.draw});
        EXPECT_EQ(tribeNameFor(c.land, game().random), c.tribe) << c.land << " " << c.draw;
    }
}

TEST_F(FrontierPowersTest, SassanidsComeOnlyWhenNoneOfTheirLegionsIsLeft) {
    game().setSkillLevel(2);
    // attack, size 7 + 4, origin Mesopotamia, target index 0 (Pontus)
    rigDraws(game(), {0, 4, 0, 0});
    game().sassanids.endTurn();
    EXPECT_EQ(game().sassanids.legionsIn(p("Mesopotamia")), 11);
    EXPECT_EQ(game().sassanids.legions[0]->route.back()->name, "Pontus");
    EXPECT_EQ(game().invasionCount, 1);
    EXPECT_EQ(game().newsLog.back(), "The Sassanids have crossed the Tigris!");
    EXPECT_EQ(sounds, std::vector<Sound>{Sound::March});
    EXPECT_FALSE(game().sassanidWarningPending);

    // An army still on the map: the draw counts, but no army comes.
    rigDraws(game(), {0});
    game().sassanids.endTurn();
    EXPECT_EQ(game().invasionCount, 2);
    EXPECT_EQ(game().sassanids.legionCount(), 11);

    // Once the army is gone the next one comes without news or sound.
    game().sassanids.clearLegions();
    game().setSkillLevel(0);
    rigDraws(game(), {0, 0, 1});
    game().sassanids.endTurn();
    EXPECT_EQ(game().sassanids.legionsIn(p("Armenia")), 2);
    EXPECT_EQ(sounds.size(), 1u);
}

TEST_F(FrontierPowersTest, SassanidTargetsIncludeRebelsButNotGermans) {
    for (const char* n : {"Pontus", "Lydia", "Cappadocia", "Phrygia", "Syria", "Palestina",
                          "Aegyptus", "Thracia"}) {
        moveOwner(n, &tribes());
    }
    moveOwner("Macedonia", &game().rogueRomans);
    EXPECT_EQ(game().sassanids.chooseTarget()->name, "Macedonia");
    moveOwner("Macedonia", &game().sassanids);
    EXPECT_EQ(game().sassanids.chooseTarget(), nullptr);
}

}  // namespace
}  // namespace tessarion
