// Whole games and the built-in general: the seeds of a run, the players' policies, the
// general's orders in positions set up by hand, and how he does.
//
// Whole campaigns at every skill level, by both players, from 235 AD and from
// each scenario: no internal error, no game that fails to end, and (under the
// sanitizers) nothing leaked or touched after it was freed. The long soak is
// the same thing with thousands of games: scripts/bench or --simulate.
//
// The general's games are also kept year by year in tests/game/whole-games.txt,
// so that a change to any draw, odds, set-up or choice of the general shows in
// the rules' own tests. After a change meant to alter the games, write the
// record anew and read the difference before committing it:
//
//   TESSARION_UPDATE_TRANSCRIPTS=1 build/dev/tests/tessarion_rules_tests --gtest_filter='Soak*'
#include <gtest/gtest.h>

#include <sstream>
#include <utility>

#include "game/Chronicle.h"
#include "game/Game.h"
#include "game/GeneralPlayer.h"
#include "game/Scenarios.h"
#include "game/StateJson.h"
#include "game/WholeGame.h"
#include "support/Recorded.h"
#include "support/TestGame.h"

namespace tessarion {
namespace {

struct Start {
    int from;
    int firstYear;  // the first year the player plays
};

// 235 AD and every scenario.
std::vector<Start> starts() {
    std::vector<Start> out{{235, 235}};
    for (const Scenario& s : scenarios()) {
        out.push_back({s.id, s.firstYear()});
    }
    return out;
}

std::string which(const GameResult& g) {
    return "from " + std::to_string(g.from) + ", skill " + std::to_string(g.skill) + ", " +
           playerName(g.player) + ", seed " + std::to_string(g.seed);
}

void expectPlayedToTheEnd(const GameResult& g, const Start& start) {
    EXPECT_EQ(g.failure, "") << which(g);
    EXPECT_EQ(g.startYear, start.firstYear) << which(g);
    EXPECT_TRUE(g.defeated || g.endYear == 476) << which(g) << ": " << g.endYear;
    EXPECT_LE(g.endYear, 476) << which(g);
}

TEST(SoakTest, EveryStartSkillAndPlayerPlaysToItsEnd) {
    // The general's first seed of each start is played in the record below.
    for (const Start& start : starts()) {
        for (int skill = 0; skill < 3; ++skill) {
            for (PlayerKind player : {PlayerKind::Idle, PlayerKind::General}) {
                const std::uint32_t seed = gameSeed(static_cast<std::uint32_t>(start.from), 1);
                expectPlayedToTheEnd(playGame(skill, player, start.from, seed), start);
            }
        }
    }
}

// A year in a line: the treasury, each power's provinces and legions, the
// provinces history left Rome that year (the chronicle's other line), and a
// digest of the whole state as the console's `state` gives it.
std::string yearLine(Game& game) {
    std::ostringstream line;
    line << game.year() << ' ' << game.romans.treasury;
    char sep = ' ';
    for (const Empire* e : game.powers()) {
        line << std::exchange(sep, '/') << e->provinces.size();
    }
    sep = ' ';
    for (const Empire* e : game.powers()) {
        line << std::exchange(sep, '/') << e->legions.size();
    }
    std::uint64_t hash = 14695981039346656037ull;  // FNV-1a
    for (unsigned char c : stateJson(game)) {
        hash = (hash ^ c) * 1099511628211ull;
    }
    line << " history " << historicalProvinces(game.year()) << ' ' << std::hex << (hash >> 32);
    return line.str();
}

std::string record(const GameResult& g, const std::string& years) {
    return "game " + which(g) + ": played " + std::to_string(g.startYear) + "-" +
           std::to_string(g.endYear) + (g.defeated ? " defeated" : "") + ", " +
           std::to_string(g.invasions) + " invasions, " + std::to_string(g.plagues) + " plagues, " +
           std::to_string(g.rebellions) + " rebellions\n" + years;
}

TEST(SoakTest, TheGeneralsGamesPlayAsRecorded) {
    std::string played;
    for (const Start& start : starts()) {
        for (int skill = 0; skill < 3; ++skill) {
            std::string years;
            const auto seed = static_cast<std::uint32_t>(start.from * 10 + skill);
            const GameResult g = playGame(skill, PlayerKind::General, start.from, seed,
                                          [&](Game& game) { years += yearLine(game) + "\n"; });
            expectPlayedToTheEnd(g, start);
            EXPECT_EQ(g.from, start.from);
            played += record(g, years);
        }
    }
    test::expectAsRecorded(std::string(TESSARION_SOURCE_DIR) + "/tests/game/whole-games.txt",
                           played, "game ",
                           "\n(year treasury provinces legions history digest; replay it with "
                           "the console's --seed and `state`)");
}

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
