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
#include "game/Scenarios.h"
#include "game/StateJson.h"
#include "game/WholeGame.h"
#include "support/Recorded.h"

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

}  // namespace
}  // namespace tessarion
