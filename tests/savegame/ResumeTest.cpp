#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "engine/Orders.h"
#include "game/Scenarios.h"
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

bool perform(Game& game, const Action& action) {
    if (action.endsTurn()) {
        return endTurnCycle(game);
    }
    // The player's drag from one province to another, as the window carries it out.
    dropLegion(game, game.provinces[static_cast<std::size_t>(action.from)].get(),
               game.provinces[static_cast<std::size_t>(action.to)].get());
    return false;
}

// Everything that decides how the game goes on and what the player is told:
// the saved game (which holds every legion's exact state, the dice and the
// facts of the game), the generator, what the battles showed, and every box
// the Prefect opened and Results box shown so far.
struct Fingerprint {
    std::string save;
    std::uint32_t random = 0;
    std::size_t shown = 0;  // marches and battles shown so far
    std::string told;       // boxes, questions and Results so far

    bool operator==(const Fingerprint&) const = default;
};

// The advisor that also keeps the numbers of the Results box.
class ResultsFrontEnd : public test::RecordingFrontEnd {
  public:
    void showResults(int invasions, int plagues, int rebellions) override {
        told += "Results " + std::to_string(invasions) + " " + std::to_string(plagues) + " " +
                std::to_string(rebellions) + "\n";
        RecordingFrontEnd::showResults(invasions, plagues, rebellions);
    }
    void showMessage(const std::string& text) override {
        told += "box " + text + "\n";
        RecordingFrontEnd::showMessage(text);
    }
    bool askYesNo(const std::string& text, const Question& question) override {
        told += "asked " + text + "\n";
        return RecordingFrontEnd::askYesNo(text, question);
    }
    std::string told;
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
    // A new game of the seed, begun at the start or as a scenario, shown by
    // the advisor that keeps everything it is told.
    void begin(std::uint32_t seed, int scenario) {
        newGame(seed);
        frontEndScope.reset();
        frontEndScope.emplace(*game, seen);
        if (scenario != 0) {
            startScenario(*game, scenario);
        }
        seen.moves.clear();
        seen.flashes.clear();
        seen.told.clear();
    }

    // Plays the seeded game with orders of a fixed, draw-free whim for some
    // turns: before each action, where the game stood; after it, its
    // fingerprint since the game began.
    void record(std::uint32_t seed, int scenario, int turns) {
        begin(seed, scenario);
        std::minstd_rand whim(seed);
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
        points.push_back({saveGameText(*game), game->random.state(), 0, seen.told});
        actions.push_back(action);
        const bool over = perform(*game, action);
        after.push_back({saveGameText(*game), game->random.state(), seen.moves.size(), seen.told});
        battles.push_back(shownBattles(seen));
        return !over;
    }

    // Loads the game saved before action `start` into a game begun from
    // another seed, which has told its player other things, and plays the
    // same actions on: every step must leave the very game the uninterrupted
    // play did, and tell the player the very same.
    void resumeFrom(std::size_t start, std::size_t count) {
        SCOPED_TRACE("resumed before action " + std::to_string(start));
        begin(static_cast<std::uint32_t>(start * 7919 + 1), 0);
        game->invasionCount = 34;
        game->romans.egyptHintShown = game->romans.capWarningShown = true;
        game->romans.rebellionExplained = game->romans.lowFundsWarningShown = true;
        game->sassanidWarningPending = false;
        game->barbarians.setTribeHostility(0, 1);
        game->barbarians.setTribeHostility(1, 1);
        const FileResult loaded = loadGameText(*game, points[start].save);
        ASSERT_TRUE(loaded.ok) << loaded.error;
        ASSERT_EQ(saveGameText(*game), points[start].save);
        ASSERT_EQ(game->random.state(), points[start].random);
        // Before the save, the battles shown and the words told are the
        // original's.
        seen.moves.clear();
        seen.flashes.clear();
        seen.told = points[start].told;
        const std::string shownBefore = start == 0 ? "" : battles[start - 1];
        const std::size_t movesBefore = start == 0 ? 0 : after[start - 1].shown;
        for (std::size_t i = start; i < std::min(actions.size(), start + count); ++i) {
            perform(*game, actions[i]);
            const Fingerprint got{saveGameText(*game), game->random.state(),
                                  movesBefore + seen.moves.size(), seen.told};
            ASSERT_EQ(got.save, after[i].save) << "after action " << i;
            ASSERT_EQ(got.told, after[i].told) << "after action " << i;
            ASSERT_EQ(got, after[i]) << "after action " << i;
            ASSERT_EQ(shownBefore + shownBattles(seen), battles[i]) << "after action " << i;
        }
    }

    ResultsFrontEnd seen;

    std::vector<Fingerprint> points;  // where the game stood before each action
    std::vector<Action> actions;
    std::vector<Fingerprint> after;
    std::vector<std::string> battles;
};

// Saved between any two orders or turns of seeded games of every start and
// loaded into another game, the game goes on exactly as it would have: the
// same draws, the same battles, the same map, legion for legion, and the
// same boxes, hints, warnings and Results counts, message for message. (The
// Valerian game reaches the Results of 285 AD.)
TEST_F(ResumeTest, EverySaveResumesTheVeryGame) {
    struct Start {
        std::uint32_t seed;
        int scenario;  // 0 for 235 AD
        int turns;
    };
    for (const Start start : {Start{3, 0, 16}, Start{29, 0, 16}, Start{11, 1100, 28},
                              Start{47, 1101, 12}, Start{5, 1102, 12}, Start{13, 1103, 24}}) {
        SCOPED_TRACE("seed " + std::to_string(start.seed) + ", start " +
                     std::to_string(start.scenario));
        points.clear();
        actions.clear();
        after.clear();
        battles.clear();
        record(start.seed, start.scenario, start.turns);
        ASSERT_GT(actions.size(), 10u);
        RecordProperty("actions " + std::to_string(start.scenario),
                       static_cast<int>(actions.size()));
        if (start.scenario == 1100) {
            ASSERT_NE(after.back().told.find("Results "), std::string::npos);
        }
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
