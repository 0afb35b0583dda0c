#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "engine/Orders.h"
#include "engine/Routes.h"
#include "game/TurnCycle.h"
#include "savegame/SavedGameFixture.h"

namespace tessarion {
namespace {

// One thing the player does: an order from one province to another (by their
// places in the map's table), or the end of the turn.
struct Action {
    int from = -1;
    int to = -1;
    bool endsTurn() const { return from < 0; }
};

// The player's drag from one province to another, as the window carries it
// out: a neighbour is moved into or attacked, a province farther away is
// marched to, with the first step at once.
void order(Game& game, Province* from, Province* to) {
    if (!hasReadyLegion(game.romans, from) || from == to || isBeyondBorder(to)) {
        return;
    }
    if (isNeighbour(from, to) || isNeighbour(to, from)) {
        attackProvince(to, game.romans, from);
        return;
    }
    const Route route = findRoute(game, from, to);
    if (route.size() >= 2) {
        if (Legion* legion = setLegionRoute(game.romans, from, route)) {
            game.romans.moveLegionStep(legion);
        }
    }
}

bool perform(Game& game, const Action& action) {
    if (action.endsTurn()) {
        return endTurnCycle(game);
    }
    order(game, game.provinces[static_cast<std::size_t>(action.from)].get(),
          game.provinces[static_cast<std::size_t>(action.to)].get());
    return false;
}

// Everything that decides how the game goes on: the saved game (which holds
// every legion's exact state), the generator, and what the battles showed.
struct Fingerprint {
    std::string save;
    std::uint32_t random = 0;
    std::size_t shown = 0;  // marches and battles shown so far

    bool operator==(const Fingerprint&) const = default;
};

std::string shownBattles(const test::RecordingFrontEnd& seen) {
    std::string text;
    for (const std::string& move : seen.moves) {
        text += move + "\n";
    }
    return text;
}

class ResumeTest : public SavedGameTest {
  protected:
    // Plays the seeded game with orders of a fixed, draw-free whim for some
    // turns: before each action, where the game stood; after it, its
    // fingerprint since the game began.
    void record(std::uint32_t seed, int turns) {
        newGame(seed);
        std::minstd_rand whim(seed);
        advisor.moves.clear();
        advisor.flashes.clear();
        for (int turn = 0; turn < turns; ++turn) {
            for (std::size_t p = 0; p < game->provinces.size(); ++p) {
                Province* from = game->provinces[p].get();
                if (!hasReadyLegion(game->romans, from) || whim() % 3 == 0) {
                    continue;
                }
                const int to = static_cast<int>(whim() % game->provinces.size());
                if (!play({static_cast<int>(p), to})) {
                    return;
                }
            }
            if (!play(Action{})) {
                return;
            }
        }
    }

    bool play(const Action& action) {
        points.push_back({saveGameText(*game), game->random.state(), 0});
        actions.push_back(action);
        const bool over = perform(*game, action);
        after.push_back({saveGameText(*game), game->random.state(), advisor.moves.size()});
        battles.push_back(shownBattles(advisor));
        return !over;
    }

    // Loads the game saved before action `start` into a game begun from
    // another seed and plays the same actions on: every step must leave the
    // very game the uninterrupted play did.
    void resumeFrom(std::size_t start, std::size_t count) {
        SCOPED_TRACE("resumed before action " + std::to_string(start));
        newGame(start * 7919 + 1);
        const FileResult loaded = loadGameText(*game, points[start].save);
        ASSERT_TRUE(loaded.ok) << loaded.error;
        ASSERT_EQ(saveGameText(*game), points[start].save);
        game->random.seed(points[start].random);
        // Before the save, the battles shown are the original's.
        advisor.moves.clear();
        advisor.flashes.clear();
        const std::string shownBefore = start == 0 ? "" : battles[start - 1];
        const std::size_t movesBefore = start == 0 ? 0 : after[start - 1].shown;
        for (std::size_t i = start; i < std::min(actions.size(), start + count); ++i) {
            perform(*game, actions[i]);
            const Fingerprint got{saveGameText(*game), game->random.state(),
                                  movesBefore + advisor.moves.size()};
            ASSERT_EQ(got.save, after[i].save) << "after action " << i;
            ASSERT_EQ(got, after[i]) << "after action " << i;
            ASSERT_EQ(shownBefore + shownBattles(advisor), battles[i]) << "after action " << i;
        }
    }

    std::vector<Fingerprint> points;  // where the game stood before each action
    std::vector<Action> actions;
    std::vector<Fingerprint> after;
    std::vector<std::string> battles;
};

// Saved between any two orders or turns of seeded games and loaded into
// another game, the game goes on exactly as it would have: the same draws,
// the same battles, the same map, legion for legion.
TEST_F(ResumeTest, EverySaveResumesTheVeryGame) {
    for (std::uint32_t seed : {3u, 11u, 29u, 47u}) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        points.clear();
        actions.clear();
        after.clear();
        battles.clear();
        record(seed, 16);
        ASSERT_GT(actions.size(), 20u);
        for (std::size_t start = 0; start < actions.size(); ++start) {
            resumeFrom(start, 8);
            if (HasFatalFailure()) {
                return;
            }
        }
    }
}

}  // namespace
}  // namespace tessarion
