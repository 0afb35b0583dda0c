// The balance simulator: options, the table's sums and replaying a game from
// the seed in its CSV row.
#include "app/Simulator.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "support/TestFolder.h"

namespace tessarion {
namespace {

SimulationOptions parsed(const std::vector<std::string>& args) {
    auto result = parseSimulationOptions(args);
    EXPECT_TRUE(std::holds_alternative<SimulationOptions>(result)) << std::get<std::string>(result);
    return std::get<SimulationOptions>(result);
}

std::string problemWith(const std::vector<std::string>& args) {
    auto result = parseSimulationOptions(args);
    return std::holds_alternative<std::string>(result) ? std::get<std::string>(result) : "";
}

TEST(SimulatorOptionsTest, EveryOption) {
    const SimulationOptions o =
        parsed({"--games", "7", "--skill", "2", "--seed", "4294967295", "--player", "general",
                "--from", "1102", "--csv", "x.csv", "--jobs", "3"});
    EXPECT_EQ(o.games, 7);
    EXPECT_EQ(o.skills, std::vector<int>{2});
    EXPECT_EQ(o.seed, 4294967295u);
    EXPECT_EQ(o.players, std::vector<PlayerKind>{PlayerKind::General});
    EXPECT_EQ(o.from, 1102);
    EXPECT_EQ(o.csvPath, "x.csv");
    EXPECT_EQ(o.jobs, 3);
    EXPECT_GE(parsed({}).jobs, 1) << "every core by default";
    EXPECT_EQ(parsed({"--skill", "all", "--player", "all"}).skills.size(), 3u);
}

TEST(SimulatorOptionsTest, BadOptionsSayWhatIsWrong) {
    for (const char* bad :
         {"--games", "--games 0", "--games 12x", "--skill 3", "--seed 4294967296", "--seed -1",
          "--player hero", "--from 236", "--from 1200", "--csv", "--jobs 0", "--fast"}) {
        std::vector<std::string> args;
        std::istringstream words(bad);
        for (std::string word; words >> word;) {
            args.push_back(word);
        }
        EXPECT_NE(problemWith(args).find(args[0]), std::string::npos) << bad;
    }

    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(runSimulator({"--player", "hero"}, out, err, false), 2);
    EXPECT_TRUE(out.str().empty());
    EXPECT_NE(err.str().find("--player needs idle, general or all"), std::string::npos);
    EXPECT_NE(err.str().find("Usage"), std::string::npos);
}

TEST(SimulatorTest, TableSumsAndMeans) {
    // Games of Hard's general, begun in 235.
    auto game = [](bool defeated, int end, int inv, int pla, int reb) {
        return GameResult{.skill = 2,
                          .player = PlayerKind::General,
                          .endYear = end,
                          .defeated = defeated,
                          .invasions = inv,
                          .plagues = pla,
                          .rebellions = reb,
                          .failure = ""};
    };
    // Defeated in 285 has not survived the crisis; in 286 it has.
    const std::vector<GameResult> games = {game(true, 285, 10, 1, 0), game(true, 286, 20, 2, 1),
                                           game(false, 476, 60, 5, 2), game(true, 245, 2, 0, 0)};
    const TableRow row = summarize(games, 2.0);
    EXPECT_EQ(row.defeats, 3);
    // Every other figure of the row is checked as its cell in the table.
    const std::string table = formatTable(4, 235, 99, {row});
    EXPECT_NE(table.find("seed 99"), std::string::npos);
    const std::size_t at = table.find("\nHard");
    ASSERT_NE(at, std::string::npos) << table;
    std::istringstream line(table.substr(at + 1, table.find('\n', at + 1) - at - 1));
    std::vector<std::string> cells;
    for (std::string cell; line >> cell;) {
        cells.push_back(cell);
    }
    EXPECT_EQ(cells, (std::vector<std::string>{"Hard", "general", "4", "2", "50.0%", "1", "25.0%",
                                               "272.0", "23.00", "2.00", "0.75", "176"}));

    // A row without defeats shows no defeat year rather than a zero.
    const TableRow clean = summarize({game(false, 476, 0, 0, 0)}, 1.0);
    EXPECT_EQ(clean.defeats, 0);
    EXPECT_NE(formatTable(1, 235, 1, {clean}).find("100.0%        - "), std::string::npos);
}

std::vector<std::vector<std::string>> readCsv(const std::string& path) {
    std::istringstream in(contentsOf(path));
    std::vector<std::vector<std::string>> rows;
    std::string line;
    while (std::getline(in, line)) {
        std::vector<std::string> cells;
        std::istringstream cellsIn(line);
        std::string cell;
        while (std::getline(cellsIn, cell, ',')) {
            cells.push_back(cell);
        }
        rows.push_back(cells);
    }
    return rows;
}

TEST(SimulatorTest, AGameReplaysFromTheSeedInItsRow) {
    const TestFolder temporary("simulator");
    const std::string first = (temporary.path / "run.csv").string();
    const std::string again = (temporary.path / "replay.csv").string();
    std::ostringstream out;
    std::ostringstream err;
    ASSERT_EQ(runSimulator({"--games", "3", "--skill", "0", "--player", "general", "--seed", "2024",
                            "--csv", first},
                           out, err, false),
              0)
        << err.str();
    const auto rows = readCsv(first);
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0][4], "seed");
    const std::vector<std::string> third = rows[3];
    EXPECT_EQ(third[3], "2");

    ASSERT_EQ(runSimulator({"--games", "1", "--skill", "0", "--player", "general", "--seed",
                            third[4], "--csv", again},
                           out, err, false),
              0);
    auto replay = readCsv(again).at(1);
    EXPECT_EQ(replay[3], "0");
    replay[3] = third[3];
    EXPECT_EQ(replay, third);
}

// Games side by side give what they give one after another: the same table
// (but the measured speed) and the same CSV rows in the same order.
TEST(SimulatorTest, SeveralJobsPlayTheSameGamesAsOne) {
    const TestFolder temporary("simulator");
    auto run = [&](const std::string& jobs) {
        const std::string csv = (temporary.path / ("jobs-" + jobs + ".csv")).string();
        std::ostringstream out;
        std::ostringstream err;
        EXPECT_EQ(runSimulator({"--games", "4", "--skill", "all", "--player", "all", "--seed", "77",
                                "--from", "1101", "--jobs", jobs, "--csv", csv},
                               out, err, false),
                  0)
            << err.str();
        // Every figure but the speed: the last column and the closing line.
        std::istringstream table(out.str());
        std::string kept;
        std::size_t speedColumn = std::string::npos;  // where the heading's last column begins
        for (std::string line; std::getline(table, line);) {
            if (line.rfind("On ", 0) == 0) {
                continue;
            }
            if (line.rfind("Skill", 0) == 0) {
                speedColumn = line.find("Rebellions") + std::string("Rebellions").size();
            }
            const bool row = line.rfind("Easy", 0) == 0 || line.rfind("Normal", 0) == 0 ||
                             line.rfind("Hard", 0) == 0;
            kept += (row ? line.substr(0, speedColumn) : line) + '\n';
        }
        return std::make_pair(kept, contentsOf(csv));
    };
    const auto one = run("1");
    const auto three = run("3");
    EXPECT_EQ(one.first, three.first);
    EXPECT_EQ(one.second, three.second);
    EXPECT_EQ(std::count(one.second.begin(), one.second.end(), '\n'), 1 + 4 * 3 * 2);
}

}  // namespace
}  // namespace tessarion
