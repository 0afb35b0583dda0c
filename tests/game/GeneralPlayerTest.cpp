// Whole games and the built-in general: the seeds of a run, the players'
// policies, the general's orders in positions set up by hand, and how he does.
#include "game/GeneralPlayer.h"

#include "game/WholeGame.h"
#include "support/TestGame.h"

namespace tessarion {
namespace {

using test::EmptyMapTest;

TEST(WholeGameTest, GameSeedsKeepTheRunSeedFirstAndDiffer) {
    EXPECT_EQ(gameSeed(12345, 0), 12345u);
    EXPECT_NE(gameSeed(12345, 1), gameSeed(12345, 2));
    EXPECT_NE(gameSeed(12345, 1), gameSeed(12346, 1));
}

TEST(WholeGameTest, QuestionsAnsweredByEachPolicy) {
    using Topic = Question::Topic;
    for (PlayerKind player : {PlayerKind::Idle, PlayerKind::General}) {
        EXPECT_TRUE(answerQuestion(player, {Topic::KeepPlaying}, 0));
        for (Topic over : {Topic::Defeat, Topic::PlayAgain, Topic::Other}) {
            EXPECT_FALSE(answerQuestion(player, {over}, 100000));
        }
    }
    const Question peace{Topic::PeaceOffer, 30000, 9};
    const Question bonus{Topic::BonusDemand, 12000, 0};
    EXPECT_FALSE(answerQuestion(PlayerKind::Idle, peace, 1000000));
    EXPECT_FALSE(answerQuestion(PlayerKind::Idle, bonus, 1000000));
    EXPECT_TRUE(answerQuestion(PlayerKind::General, bonus, 12000));
    EXPECT_FALSE(answerQuestion(PlayerKind::General, bonus, 11999));
    EXPECT_TRUE(answerQuestion(PlayerKind::General, peace, 30000));
    EXPECT_FALSE(answerQuestion(PlayerKind::General, peace, 29999));
}

TEST(WholeGameTest, TheGeneralOutlastsTheIdlePlayer) {
    int idle = 0;
    int general = 0;
    for (int i = 0; i < 12; ++i) {
        const std::uint32_t seed = gameSeed(31, i);
        idle += playGame(0, PlayerKind::Idle, 235, seed).survived285();
        general += playGame(0, PlayerKind::General, 235, seed).survived285();
    }
    EXPECT_GE(general, idle + 5) << "idle " << idle << ", general " << general;
}

// The general's orders in positions set up by hand.
class GeneralOrdersTest : public EmptyMapTest {
  protected:
    std::pair<std::string, std::string> order() {
        GeneralPlayer::View view;
        GeneralPlayer::look(game(), view);
        const GeneralPlayer::Order o = GeneralPlayer().chooseOrder(view);
        if (o.from < 0) {
            return {};
        }
        return {view.province[static_cast<std::size_t>(o.from)]->name,
                view.province[static_cast<std::size_t>(o.to)]->name};
    }
};

TEST_F(GeneralOrdersTest, RetakesAnEmptyLostProvinceWithASpareLegion) {
    moveOwner("Africa", nullptr);
    give(game().romans, "Aegyptus", 2);
    EXPECT_EQ(order(), std::make_pair(std::string("Aegyptus"), std::string("Africa")));
}

TEST_F(GeneralOrdersTest, KeepsTheLastLegionInBritannia) {
    moveOwner("Belgica", nullptr);
    give(game().romans, "Britannia", 1);
    EXPECT_EQ(order().first, "");
    give(game().romans, "Britannia", 1);
    EXPECT_EQ(order(), std::make_pair(std::string("Britannia"), std::string("Belgica")));
}

TEST_F(GeneralOrdersTest, GuardsTheProvincesABandCanStrike) {
    give(game().barbarians, "Upper Rhine", 2);
    give(game().romans, "Italia", 4);
    const auto [from, to] = order();
    EXPECT_EQ(from, "Italia");
    EXPECT_TRUE(to == "Raetia" || to == "Pannonia") << to;
}

TEST_F(GeneralOrdersTest, LetsThePersiansLastLegionBreakOnOurGarrison) {
    moveOwner("Syria", &game().sassanids);
    give(game().sassanids, "Syria", 1);
    give(game().romans, "Palestina", 3);
    EXPECT_NE(order().second, "Syria");
    give(game().sassanids, "Armenia", 1);
    EXPECT_EQ(order(), std::make_pair(std::string("Palestina"), std::string("Syria")));
}

}  // namespace
}  // namespace tessarion
