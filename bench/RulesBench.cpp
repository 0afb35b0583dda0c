// What the rules cost: a year's end in a busy position, the two route
// searches, a save and load of a late position, start-up, and whole games as
// the simulator plays them (game-years a second).
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <time.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <string>

#include "engine/Routes.h"
#include "game/Events.h"
#include "game/Game.h"
#include "game/Scenarios.h"
#include "game/TurnCycle.h"
#include "game/WholeGame.h"
#include "model/Random.h"
#include "opponents/EnemyEmpire.h"
#include "savegame/SaveGame.h"
#include "savegame/SaveLimits.h"

namespace tessarion {
namespace {

// A game set up from the scenario named after a year, with nobody at the advisor's boxes and no
// screen: questions are answered No, as the rules do without a player.
struct Position {
    explicit Position(int year) {
        game = std::make_unique<Game>(2024);
        startScenario(*game, scenarioOfYear(year)->id);
        saved = saveGameText(*game);
    }
    std::unique_ptr<Game> game;
    std::string saved;
};

// The 260 AD scenario a year on: rebels in east and west, Germans and
// Persians on the march, eighteen Roman legions to pay and recruit.
void BM_EndOfTurnMidGame(benchmark::State& state) {
    Position position(260);
    for (auto _ : state) {
        state.PauseTiming();
        if (!loadGameText(*position.game, position.saved).ok) {
            state.SkipWithError("the position did not load");
            break;
        }
        position.game->random.seed(77);
        state.ResumeTiming();
        endTurnCycle(*position.game);
    }
}
BENCHMARK(BM_EndOfTurnMidGame)->Unit(benchmark::kMicrosecond);

// A year's end with thousands of legions a power, battles on every front:
// Germans massed on the Rhine against Roman garrisons, Romans storming a
// Persian-held Cappadocia, rebels marching on a defended Italia. The same
// year is played with 625, 1,250, 2,500 and 5,000 legions a power (twice as
// many Romans), each size in turn within every iteration, so that the sizes
// are measured side by side. A year must cost about twice as much for twice
// the legions: `per_doubling` is the worst of the three ratios, `x2_1250` ...
// `x2_5000` each one, `ms_625` ... `ms_5000` the cost of a year. Only the
// year itself is timed (processor time of this thread), and each size counts
// its least time: on a shared machine the other programs only ever add to a
// year, and they add more to the larger ones, which spill out of the cache.
class CrowdedYear {
  public:
    static constexpr std::array<int, 4> kSizes = {625, 1250, 2500, 5000};

    CrowdedYear() : game_(2024) { game_.startNewGame(); }

    // Seconds of processor time the year's end took.
    double play(int count) {
        setUp(count);
        const double start = threadSeconds();
        endTurnCycle(game_);
        return threadSeconds() - start;
    }

  private:
    void setUp(int count) {
        Game& g = game_;
        g.assignStartingOwners();
        g.turn = 0;
        g.newsLog.clear();
        g.romans.plague = false;
        g.romans.plagueCounter = 0;
        g.romans.treasury = 1000000000;
        g.barbarians.tribeCountdown = {3, 3, 3, 3};
        Province* cappadocia = g.findProvince("Cappadocia");
        g.romans.removeProvince(cappadocia);
        g.sassanids.addProvince(cappadocia);
        g.addLegions("Upper Rhine", &g.barbarians, count);
        g.addLegions("Belgica", &g.romans, count);
        g.addLegions("Raetia", &g.romans, count / 2);
        g.addLegions("Italia", &g.romans, count / 4);
        g.addLegions("Syria", &g.romans, count / 2);
        g.romans.setRouteForLegionsIn(g.findProvince("Syria"),
                                      {g.findProvince("Syria"), cappadocia});
        g.addLegions("Cappadocia", &g.sassanids, count / 2);
        g.addLegions("Dalmatia", &g.rogueRomans, count);
        g.rogueRomans.setRouteForLegionsIn(g.findProvince("Dalmatia"),
                                           {g.findProvince("Dalmatia"), g.findProvince("Italia")});
        g.random.seed(77);
    }

    static double threadSeconds() {
        timespec t{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
        return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
    }

    Game game_;
};

void BM_EndOfTurnCrowded(benchmark::State& state) {
    CrowdedYear year;
    std::array<double, CrowdedYear::kSizes.size()> seconds;
    seconds.fill(1e9);
    for (auto _ : state) {
        double total = 0;
        for (std::size_t i = 0; i < seconds.size(); ++i) {
            const double t = year.play(CrowdedYear::kSizes[i]);
            seconds[i] = std::min(seconds[i], t);
            total += t;
        }
        state.SetIterationTime(total);
    }
    double worst = 0;
    for (std::size_t i = 0; i < seconds.size(); ++i) {
        const std::string size = std::to_string(CrowdedYear::kSizes[i]);
        state.counters["ms_" + size] = seconds[i] * 1e3;
        if (i > 0) {
            const double ratio = seconds[i] / seconds[i - 1];
            state.counters["x2_" + size] = ratio;
            worst = std::max(worst, ratio);
        }
    }
    state.counters["per_doubling"] = worst;
}
BENCHMARK(BM_EndOfTurnCrowded)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(2.0);

// The longest way across the map, from the far north-west to beyond the Tigris.
void BM_FindRoute(benchmark::State& state) {
    Game game;
    Province* from = game.findProvince("Britannia");
    Province* to = game.findProvince("Mesopotamia");
    for (auto _ : state) {
        Route route = findRoute(game, from, to);
        benchmark::DoNotOptimize(route);
    }
}
BENCHMARK(BM_FindRoute)->Unit(benchmark::kMicrosecond);

// A German band on the Rhine looking for its next conquest.
void BM_PlanRouteFromTheRhine(benchmark::State& state) {
    Game game;
    game.startNewGame();
    Province* start = game.findProvince("Upper Rhine");
    for (auto _ : state) {
        auto route = game.barbarians.planRoute(start);
        benchmark::DoNotOptimize(route);
    }
}
BENCHMARK(BM_PlanRouteFromTheRhine)->Unit(benchmark::kMicrosecond);

// The worst case: the Persians hold their two lands and everything around
// them that leads anywhere, so the search walks every simple path through
// their territory before it gives up.
void BM_PlanRouteEnclosed(benchmark::State& state) {
    Game game;
    for (Empire* e : game.powers()) {
        e->provinces.clear();
    }
    for (auto& p : game.provinces) {
        game.sassanids.addProvince(p.get());
    }
    Province* start = game.findProvince("Mesopotamia");
    for (auto _ : state) {
        auto route = game.sassanids.planRoute(start);
        benchmark::DoNotOptimize(route);
    }
}
BENCHMARK(BM_PlanRouteEnclosed)->Unit(benchmark::kMillisecond);

// The 455 AD scenario: a late position with every power on the map.
void BM_SaveAndLoadLateGame(benchmark::State& state) {
    Position position(455);
    for (auto _ : state) {
        std::string text = saveGameText(*position.game);
        if (!loadGameText(*position.game, text).ok) {
            state.SkipWithError("the position did not load");
            break;
        }
        benchmark::DoNotOptimize(text);
    }
}
BENCHMARK(BM_SaveAndLoadLateGame)->Unit(benchmark::kMicrosecond);

// Refusing the worst file a reader is handed: as large as any save can be, and
// nothing but line feeds. The peak memory of the process (which includes the
// file's bytes, read whole) is reported beside the time.
void BM_RefuseFileOfNewlinesAtTheSizeLimit(benchmark::State& state) {
    Position position(455);
    const std::filesystem::path path =
        std::filesystem::temp_directory_path() / "tessarion-bench-newlines.TSN";
    std::ofstream(path, std::ios::binary) << std::string(kMaxSaveFileSize, '\n');
    for (auto _ : state) {
        const FileResult result = loadGame(*position.game, path.string());
        if (result.ok) {
            state.SkipWithError("a file of line feeds loaded");
        }
        benchmark::DoNotOptimize(result);
    }
    std::filesystem::remove(path);
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["peak_MB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
    state.counters["file_MB"] = static_cast<double>(kMaxSaveFileSize) / 1e6;
}
BENCHMARK(BM_RefuseFileOfNewlinesAtTheSizeLimit)->Unit(benchmark::kMillisecond);

// From nothing to a game ready for the first order, as start-up makes it.
void BM_StartUpToReadyGame(benchmark::State& state) {
    for (auto _ : state) {
        auto game = std::make_unique<Game>(5);
        game->startNewGame();
        setUpEvents(*game);
        benchmark::DoNotOptimize(game.get());
    }
}
BENCHMARK(BM_StartUpToReadyGame)->Unit(benchmark::kMicrosecond);

// Whole games as `--simulate` plays them; items are game-years.
void BM_WholeGames(benchmark::State& state) {
    const auto player = state.range(0) == 0 ? PlayerKind::Idle : PlayerKind::General;
    const int skill = static_cast<int>(state.range(1));
    long long years = 0;
    int i = 0;
    for (auto _ : state) {
        const GameResult g = playGame(skill, player, 235, gameSeed(1, i++));
        years += g.years();
    }
    state.SetItemsProcessed(years);
    state.SetLabel(std::string(playerName(player)) + ", skill " + std::to_string(skill));
}
BENCHMARK(BM_WholeGames)
    ->ArgsProduct({{0, 1}, {0, 1, 2}})
    ->Unit(benchmark::kMillisecond)
    ->MinTime(0.5);

}  // namespace
}  // namespace tessarion
