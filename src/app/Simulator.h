#pragma once

#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "game/WholeGame.h"

namespace tessarion {

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
    // Games played side by side, one a thread: every core unless told.
    int jobs = defaultJobs();

    static int defaultJobs();
};

// The options that follow "--simulate", or a message saying what is wrong.
std::variant<SimulationOptions, std::string> parseSimulationOptions(
    const std::vector<std::string>& args);

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
