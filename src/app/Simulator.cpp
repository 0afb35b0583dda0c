#include "app/Simulator.h"
#include "app/Numbers.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <charconv>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <mutex>
#include <ostream>
#include <thread>

#include "game/Scenarios.h"
#include "model/PrintableText.h"
#include "model/Random.h"
#include "model/Skill.h"
#include "platform/FileSystem.h"

namespace tessarion {

namespace {

std::string simulateUsage() {
    return "Usage: tessarion --simulate [--games N] [--skill 0|1|2|all] [--seed S]\n"
           "                            [--player idle|general|all]\n"
           "                            [--from 235|" +
           scenarioIds("|") +
           "] [--csv FILE]\n"
           "                            [--jobs N]\n";
}

std::string fromLabel(int from) {
    return from == 235 ? "235 AD" : "scenario " + std::to_string(from);
}

// A bar that redraws itself only when it grows, so a long run costs nothing.
class ProgressBar {
  public:
    ProgressBar(std::ostream& err, bool shown, long long total)
        : err_(err), shown_(shown), total_(total) {}
    ~ProgressBar() {
        if (shown_ && drawn_ >= 0) {
            err_ << '\r' << std::string(60, ' ') << '\r' << std::flush;
        }
    }
    void advance() {
        ++done_;
        if (!shown_ || total_ <= 0) {
            return;
        }
        const int percent = static_cast<int>(done_ * 100 / total_);
        if (percent == drawn_) {
            return;
        }
        drawn_ = percent;
        const int filled = percent * 30 / 100;
        err_ << "\r[" << std::string(static_cast<std::size_t>(filled), '#')
             << std::string(static_cast<std::size_t>(30 - filled), ' ') << "] " << percent << "% "
             << done_ << '/' << total_ << " games" << std::flush;
    }

  private:
    std::ostream& err_;
    bool shown_;
    long long total_;
    long long done_ = 0;
    int drawn_ = -1;
};

}  // namespace

int SimulationOptions::defaultJobs() {
    const unsigned cores = std::thread::hardware_concurrency();
    return cores > 0 ? static_cast<int>(std::min(cores, 1024u)) : 1;
}

namespace {

// Each option takes the value after it, and says why when it cannot.
using OptionProblem = std::optional<std::string>;

// A whole number from `least` to `most` into `into`.
OptionProblem takeWhole(const std::string& value, bool hasValue, const char* name, int least,
                        int most, int& into) {
    long long n = 0;
    if (!hasValue || !parseNumber(value, least, most, n)) {
        return std::string(name) + " needs a whole number from " + std::to_string(least) +
               " to " + std::to_string(most);
    }
    into = static_cast<int>(n);
    return std::nullopt;
}

OptionProblem takeGames(const std::string& value, bool hasValue, SimulationOptions& options) {
    return takeWhole(value, hasValue, "--games", 1, 100000000, options.games);
}

OptionProblem takeSkill(const std::string& value, bool hasValue, SimulationOptions& options) {
    long long n = 0;
    if (value == "all") {
        options.skills = {0, 1, 2};
    } else if (hasValue && parseNumber(value, 0, 2, n)) {
        options.skills = {static_cast<int>(n)};
    } else {
        return "--skill needs 0 (Easy), 1 (Normal), 2 (Hard) or all";
    }
    return std::nullopt;
}

OptionProblem takeSeed(const std::string& value, bool hasValue, SimulationOptions& options) {
    options.seed = hasValue ? parseSeed(value) : std::nullopt;
    if (!options.seed) {
        return "--seed needs a number from 0 to 4294967295";
    }
    return std::nullopt;
}

OptionProblem takePlayer(const std::string& value, bool, SimulationOptions& options) {
    if (value == "idle") {
        options.players = {PlayerKind::Idle};
    } else if (value == "general") {
        options.players = {PlayerKind::General};
    } else if (value == "all") {
        options.players = {PlayerKind::Idle, PlayerKind::General};
    } else {
        return "--player needs idle, general or all";
    }
    return std::nullopt;
}

OptionProblem takeFrom(const std::string& value, bool hasValue, SimulationOptions& options) {
    long long n = 0;
    if (!hasValue || !parseNumber(value, 0, 65535, n) ||
        (n != 235 && !isScenario(static_cast<int>(n)))) {
        std::string ids = scenarioIds(", ");
        ids.replace(ids.rfind(", "), 2, " or ");
        return "--from needs 235 (the campaign) or a scenario: " + ids;
    }
    options.from = static_cast<int>(n);
    return std::nullopt;
}

OptionProblem takeJobs(const std::string& value, bool hasValue, SimulationOptions& options) {
    return takeWhole(value, hasValue, "--jobs", 1, 1024, options.jobs);
}

OptionProblem takeCsv(const std::string& value, bool hasValue, SimulationOptions& options) {
    if (!hasValue || value.empty()) {
        return "--csv needs a file name";
    }
    options.csvPath = value;
    return std::nullopt;
}

struct SimulatorOption {
    std::string_view name;
    OptionProblem (*take)(const std::string& value, bool hasValue, SimulationOptions&);
};

const SimulatorOption kOptions[] = {
    {"--games", takeGames}, {"--skill", takeSkill}, {"--seed", takeSeed}, {"--player", takePlayer},
    {"--from", takeFrom},   {"--jobs", takeJobs},   {"--csv", takeCsv},
};

}  // namespace

std::variant<SimulationOptions, std::string> parseSimulationOptions(
    const std::vector<std::string>& args) {
    SimulationOptions options;
    for (std::size_t i = 0; i < args.size(); i += 2) {
        const std::string& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        const std::string value = hasValue ? args[i + 1] : std::string();
        const auto option = std::find_if(std::begin(kOptions), std::end(kOptions),
                                         [&](const SimulatorOption& o) { return o.name == arg; });
        if (option == std::end(kOptions)) {
            return "unknown simulator option " + arg;
        }
        if (OptionProblem problem = option->take(value, hasValue, options)) {
            return *problem;
        }
    }
    return options;
}

TableRow summarize(const std::vector<GameResult>& games, double seconds) {
    TableRow row;
    row.seconds = seconds;
    long long defeatYears = 0;
    long long invasions = 0;
    long long plagues = 0;
    long long rebellions = 0;
    for (const GameResult& g : games) {
        row.skill = g.skill;
        row.player = g.player;
        row.games += 1;
        row.survived285 += g.survived285();
        row.survived476 += g.survived476();
        if (g.defeated) {
            row.defeats += 1;
            defeatYears += g.endYear;
        }
        invasions += g.invasions;
        plagues += g.plagues;
        rebellions += g.rebellions;
        row.years += g.years();
    }
    if (row.defeats > 0) {
        row.meanDefeatYear = static_cast<double>(defeatYears) / row.defeats;
    }
    if (row.games > 0) {
        row.meanInvasions = static_cast<double>(invasions) / row.games;
        row.meanPlagues = static_cast<double>(plagues) / row.games;
        row.meanRebellions = static_cast<double>(rebellions) / row.games;
    }
    return row;
}

std::string formatTable(int games, int from, std::uint32_t seed,
                        const std::vector<TableRow>& rows) {
    std::string out = "Balance of " + std::to_string(games) + (games == 1 ? " game" : " games") +
                      " a row from " + fromLabel(from) + ", seed " + std::to_string(seed) + "\n\n";
    char line[256];
    std::snprintf(line, sizeof line, "%-7s %-8s %7s %14s %14s %8s %9s %8s %10s %10s\n", "Skill",
                  "Player", "Games", "Reached 285", "Reached 476", "Defeat", "Invasions", "Plagues",
                  "Rebellions", "Years/s");
    out += line;
    for (const TableRow& r : rows) {
        const double n = r.games > 0 ? r.games : 1;
        char defeat[16] = "-";
        if (r.defeats > 0) {
            std::snprintf(defeat, sizeof defeat, "%.1f", r.meanDefeatYear);
        }
        std::snprintf(line, sizeof line,
                      "%-7s %-8s %7d %7d %5.1f%% %7d %5.1f%% %8s %9.2f %8.2f %10.2f %10.0f\n",
                      kSkill.names[static_cast<std::size_t>(r.skill)].data(), playerName(r.player),
                      r.games, r.survived285, 100.0 * r.survived285 / n, r.survived476,
                      100.0 * r.survived476 / n, defeat, r.meanInvasions, r.meanPlagues,
                      r.meanRebellions, r.yearsPerSecond());
        out += line;
    }
    out +=
        "\nReached: games not yet defeated in that year. Defeat: mean year of the defeats.\n"
        "Invasions, plagues, rebellions: means a game. Years/s: game-years played a second\n"
        "of processor time.\n";
    return out;
}

std::string csvHeader() {
    return "skill,player,from,game,seed,start_year,end_year,outcome,invasions,plagues,"
           "rebellions\n";
}

std::string csvRow(const GameResult& g) {
    const char* outcome = !g.failure.empty() ? "failed" : g.defeated ? "defeated" : "survived";
    return std::to_string(g.skill) + ',' + playerName(g.player) + ',' + std::to_string(g.from) +
           ',' + std::to_string(g.index) + ',' + std::to_string(g.seed) + ',' +
           std::to_string(g.startYear) + ',' + std::to_string(g.endYear) + ',' + outcome + ',' +
           std::to_string(g.invasions) + ',' + std::to_string(g.plagues) + ',' +
           std::to_string(g.rebellions) + '\n';
}

namespace {

// Processor time of the calling thread, so that the speed of the rules does
// not depend on what else the machine (or the other games) are doing; wall
// time where the system keeps no such clock.
double threadSeconds() {
#if defined(CLOCK_THREAD_CPUTIME_ID) && !defined(__EMSCRIPTEN__)
    timespec t{};
    if (clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t) == 0) {
        return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
    }
#endif
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// The CSV file, and why writing it failed (an errno value) once it has.
// The table is written whole when the run ends, replacing an earlier one only
// then: a run that fails part-way leaves the old table as it was.
struct CsvFile {
    bool open = false;
    std::string text;

    void write(const std::string& row) {
        if (open) {
            text += row;
        }
    }
};

// One game of the run, in the order of the table and the CSV file.
struct Task {
    int skill;
    PlayerKind player;
    int index;
    GameResult result;
    double seconds = 0;
    bool done = false;
};

// Plays every task on `jobs` threads, each game whole on one thread: a game
// owns everything it touches, so games side by side never meet. Rows go to
// the CSV file in the order of the tasks, each as soon as those before it
// are done.
void playAll(std::vector<Task>& tasks, int jobs, int from, std::uint32_t seed, CsvFile& csv,
             ProgressBar& bar) {
    std::atomic<std::size_t> next{0};
    std::mutex doneMutex;
    std::size_t written = 0;
    auto work = [&] {
        for (std::size_t t = next++; t < tasks.size(); t = next++) {
            Task& task = tasks[t];
            const double start = threadSeconds();
            GameResult g = playGame(task.skill, task.player, from, gameSeed(seed, task.index));
            const double seconds = threadSeconds() - start;
            g.index = task.index;
            const std::lock_guard<std::mutex> lock(doneMutex);
            task.result = std::move(g);
            task.seconds = seconds;
            task.done = true;
            for (; written < tasks.size() && tasks[written].done; ++written) {
                csv.write(csvRow(tasks[written].result));
            }
            bar.advance();
        }
    };
    std::vector<std::thread> threads;
    for (int j = 1; j < jobs && static_cast<std::size_t>(j) < tasks.size(); ++j) {
        threads.emplace_back(work);
    }
    work();
    for (std::thread& t : threads) {
        t.join();
    }
}

// Told at once, not after the games, when the table cannot be written
// there; the check leaves no file behind and an earlier one untouched.
bool canWriteCsv(const std::string& path, std::ostream& err) {
    std::error_code ec;
    const bool existed = std::filesystem::exists(path, ec);
    errno = 0;
    std::ofstream probe(path, std::ios::binary | std::ios::app);
    if (!probe) {
        err << "tessarion: cannot write " << printableText(path) << " ("
            << files::errorReason(errno != 0 ? errno : EIO) << ")\n";
        return false;
    }
    probe.close();
    if (!existed) {
        std::filesystem::remove(path, ec);
    }
    return true;
}

// Every game to play: each skill with each player, `games` of each.
std::vector<Task> tasksOf(const SimulationOptions& options) {
    std::vector<Task> tasks;
    for (int skill : options.skills) {
        for (PlayerKind player : options.players) {
            for (int i = 0; i < options.games; ++i) {
                tasks.push_back(Task{skill, player, i, {}, 0, false});
            }
        }
    }
    return tasks;
}

// The games played, a row of the table for each skill and player.
struct Summary {
    std::vector<TableRow> rows;
    std::vector<GameResult> failures;
    long long years = 0;
};

Summary summarizeAll(const std::vector<Task>& tasks, int games) {
    Summary summary;
    for (std::size_t first = 0; first < tasks.size(); first += static_cast<std::size_t>(games)) {
        std::vector<GameResult> results;
        double seconds = 0;
        for (std::size_t t = first; t < first + static_cast<std::size_t>(games); ++t) {
            results.push_back(tasks[t].result);
            seconds += tasks[t].seconds;
            if (!tasks[t].result.failure.empty()) {
                summary.failures.push_back(tasks[t].result);
            }
        }
        summary.rows.push_back(summarize(results, seconds));
        summary.years += summary.rows.back().years;
    }
    return summary;
}

void reportFailure(const GameResult& g, std::ostream& err) {
    err << "tessarion: game " << g.index << " (skill " << g.skill << ", " << playerName(g.player)
        << ", from " << g.from << ", seed " << g.seed << ") failed in " << g.endYear
        << " AD: " << g.failure << '\n';
}

}  // namespace

int runSimulator(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                 bool showProgress) {
    auto parsed = parseSimulationOptions(args);
    if (const std::string* problem = std::get_if<std::string>(&parsed)) {
        err << "tessarion: " << printableText(*problem) << '\n' << simulateUsage();
        return 2;
    }
    const SimulationOptions options = std::get<SimulationOptions>(parsed);
    const std::uint32_t seed = options.seed ? *options.seed : clockSeed();

    CsvFile csv;
    if (options.csvPath) {
        if (!canWriteCsv(*options.csvPath, err)) {
            return 2;
        }
        csv.open = true;
        csv.write(csvHeader());
    }

    std::vector<Task> tasks = tasksOf(options);
    const auto wallStart = std::chrono::steady_clock::now();
    {
        ProgressBar bar(err, showProgress, static_cast<long long>(tasks.size()));
        playAll(tasks, options.jobs, options.from, seed, csv, bar);
    }
    const double wallSeconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - wallStart).count();

    const Summary summary = summarizeAll(tasks, options.games);
    out << formatTable(options.games, options.from, seed, summary.rows);
    char speed[160];
    std::snprintf(speed, sizeof speed, "On %d %s: %.0f game-years a second of wall time.\n",
                  options.jobs, options.jobs == 1 ? "thread" : "threads",
                  wallSeconds > 0 ? static_cast<double>(summary.years) / wallSeconds : 0.0);
    out << speed;
    for (const GameResult& g : summary.failures) {
        reportFailure(g, err);
    }
    if (csv.open) {
        if (const std::optional<std::string> why =
                files::writeWholeFile(*options.csvPath, csv.text)) {
            // A full disk, a file-size limit or a closed pipe.
            err << "tessarion: writing " << printableText(*options.csvPath) << " failed (" << *why
                << ")\n";
            return 2;
        }
    }
    return summary.failures.empty() ? 0 : 3;
}

}  // namespace tessarion
