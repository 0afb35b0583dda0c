// What the rules cost: a year's end in a busy position, the two route
// searches, a save and load of a late position, start-up, and whole games as
// the simulator plays them (game-years a second).
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <string>

#include "app/Simulator.h"
#include "engine/Routes.h"
#include "game/Events.h"
#include "game/Game.h"
#include "game/Scenarios.h"
#include "game/TurnCycle.h"
#include "model/Random.h"
#include "opponents/EnemyEmpire.h"
#include "savegame/SaveGame.h"
#include "savegame/SaveLimits.h"

namespace tessarion {
namespace {

// A game set up from a scenario, with nobody at the advisor's boxes and no
// screen: questions are answered No, as the rules do without a player.
struct Position {
    explicit Position(int scenario) {
        game = std::make_unique<Game>(2024);
        startScenario(*game, scenario);
        saved = saveGameText(*game);
    }
    std::unique_ptr<Game> game;
    std::string saved;
};

// The 260 AD scenario a year on: rebels in east and west, Germans and
// Persians on the march, eighteen Roman legions to pay and recruit.
void BM_EndOfTurnMidGame(benchmark::State& state) {
    Position position(kScenarioValerian);
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

// A year's end with the most legions a saved game may hold for one power
// (and a fraction of it): Germans massed on the Rhine against as many Romans
// across it, rebels marching on Italia. The cost per legion must not grow
// with the number of legions; items are legions.
void BM_EndOfTurnCrowded(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    Game game(2024);
    game.startNewGame();
    for (auto _ : state) {
        state.PauseTiming();
        for (Empire* power : game.powers()) {
            power->clearLegions();
        }
        game.addLegions("Upper Rhine", &game.barbarians, count);
        game.addLegions("Belgica", &game.romans, count);
        game.addLegions("Raetia", &game.romans, count / 2);
        game.addLegions("Dalmatia", &game.rogueRomans, count);
        const Route march =
            findRoute(game, game.findProvince("Dalmatia"), game.findProvince("Italia"));
        game.rogueRomans.setRouteForLegionsIn(game.findProvince("Dalmatia"), march);
        game.romans.treasury = 1000000000;
        game.random.seed(77);
        state.ResumeTiming();
        endTurnCycle(game);
    }
    state.SetItemsProcessed(state.iterations() * count * 7 / 2);
}
BENCHMARK(BM_EndOfTurnCrowded)
    ->Arg(625)
    ->Arg(1250)
    ->Arg(2500)
    ->Arg(5000)
    ->Unit(benchmark::kMillisecond);

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
    Position position(kScenarioValentinian);
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
    Position position(kScenarioValentinian);
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
