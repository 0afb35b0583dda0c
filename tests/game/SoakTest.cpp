// Whole campaigns at every skill level, by both players, from 235 AD and from
// each scenario: no internal error, no game that fails to end, and (under the
// sanitizers) nothing leaked or touched after it was freed. The long soak is
// the same thing with thousands of games: scripts/bench or --simulate.
#include <gtest/gtest.h>

#include "game/Scenarios.h"
#include "game/WholeGame.h"

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

TEST(SoakTest, EveryStartSkillAndPlayerPlaysToItsEnd) {
    for (const Start& start : starts()) {
        for (int skill = 0; skill < 3; ++skill) {
            for (PlayerKind player : {PlayerKind::Idle, PlayerKind::General}) {
                for (int i = 0; i < 2; ++i) {
                    const std::uint32_t seed = gameSeed(static_cast<std::uint32_t>(start.from), i);
                    const GameResult g = playGame(skill, player, start.from, seed);
                    const std::string which = "from " + std::to_string(start.from) + ", skill " +
                                              std::to_string(skill) + ", " + playerName(player) +
                                              ", seed " + std::to_string(seed);
                    EXPECT_EQ(g.failure, "") << which;
                    EXPECT_EQ(g.startYear, start.firstYear) << which;
                    EXPECT_TRUE(g.defeated || g.endYear == 476) << which << ": " << g.endYear;
                    EXPECT_LE(g.endYear, 476) << which;
                }
            }
        }
    }
}

}  // namespace
}  // namespace tessarion
