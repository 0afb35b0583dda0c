#pragma once

#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "model/FrontEnd.h"

namespace tessarion {

// The built-in players of the balance simulator.
enum class PlayerKind { Idle, General };

const char* playerName(PlayerKind player);

// What a run of `tessarion --simulate` plays.
struct SimulationOptions {
    int games = 100;
    std::vector<int> skills = {0, 1, 2};
    std::vector<PlayerKind> players = {PlayerKind::Idle, PlayerKind::General};
    // From the clock when not given (the table prints it either way).
    std::optional<std::uint32_t> seed;
    // 235 for the campaign, otherwise a scenario's menu command.
    int from = 235;
    std::optional<std::string> csvPath;
};

// The options that follow "--simulate", or a message saying what is wrong.
std::variant<SimulationOptions, std::string> parseSimulationOptions(
    const std::vector<std::string>& args);

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
// 476 AD. Leaves no front end installed behind it.
GameResult playGame(int skill, PlayerKind player, int from, std::uint32_t seed);

// How the player answers an advisor question, given the treasury at the time.
bool answerQuestion(PlayerKind player, const Question& question, int treasury);

// One line of the balance table.
struct TableRow {
    int skill = 1;
    PlayerKind player = PlayerKind::Idle;
    int games = 0;
    int survived285 = 0;
    int survived476 = 0;
    int defeats = 0;
    double meanDefeatYear = 0;  // over the defeats only; 0 without any
    double meanInvasions = 0;
    double meanPlagues = 0;
    double meanRebellions = 0;
    long long years = 0;
    double seconds = 0;
    double yearsPerSecond() const { return seconds > 0 ? static_cast<double>(years) / seconds : 0; }
};

TableRow summarize(const std::vector<GameResult>& games, double seconds);
// The table for a run of `games` games a row, from `from`, started from `seed`.
std::string formatTable(int games, int from, std::uint32_t seed, const std::vector<TableRow>& rows);

std::string csvHeader();
std::string csvRow(const GameResult& game);

// `tessarion --simulate ...`: the arguments after "--simulate". Prints the table
// on `out`, errors and the progress bar on `err`. Returns the exit code: 0, 2
// for bad options or an unwritable CSV file, 3 when a game failed.
int runSimulator(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                 bool showProgress);

}  // namespace tessarion
