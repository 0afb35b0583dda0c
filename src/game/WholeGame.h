#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "model/FrontEnd.h"

namespace tessarion {

class Game;

// The built-in players of whole games (the balance simulator's and the soak tests').
enum class PlayerKind { Idle, General };

const char* playerName(PlayerKind player);

// The seed of game `index` of a run started from `runSeed`. Game 0 uses the run
// seed itself, so any game is replayed with --games 1 --seed <its seed>.
std::uint32_t gameSeed(std::uint32_t runSeed, int index);

// How one whole game went.
struct GameResult {
    int skill = 1;
    PlayerKind player = PlayerKind::Idle;
    int from = 235;
    int index = 0;
    std::uint32_t seed = 0;
    int startYear = 235;  // the first year the player plays
    int endYear = 235;    // the year the game ended in
    bool defeated = false;
    int invasions = 0;
    int plagues = 0;
    int rebellions = 0;
    // Set when the rules raised an internal error or the game never ended.
    std::string failure;

    bool survived285() const { return !defeated || endYear > 285; }
    bool survived476() const { return !defeated && endYear >= 476; }
    int years() const { return endYear - startYear; }
};

// The most player turns a game may take before it counts as hung: each turn
// advances the year at least once and the game ends at 476 AD.
inline constexpr int kTurnLimit = 476 - 235 + 10;

// Plays one whole game: from `from` (235 or a scenario command) at the skill
// level, with every question answered by the player's policy, until defeat or
// 476 AD. Games on different threads do not touch each other. `eachYear`, when
// given, is shown the game as every year ends (the tests keep a record of it).
GameResult playGame(int skill, PlayerKind player, int from, std::uint32_t seed,
                    const std::function<void(Game&)>& eachYear = {});

// How the player answers an advisor question, given the treasury at the time.
bool answerQuestion(PlayerKind player, const Question& question, int treasury);

}  // namespace tessarion
