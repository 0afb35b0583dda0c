// What a whole-screen paint costs next to one plain copy of the back buffer,
// measured in the same run. A paint should stay within ten such copies.
#include <benchmark/benchmark.h>

#include "game/Game.h"
#include "ui/Screen.h"

namespace tessarion {
namespace {

// A screen showing a busy map: a new game with legions of every power about,
// some provinces lost, a full news report and a province under the mouse.
struct BusyScreen {
    BusyScreen() : screen(game, 1366, 768) {
        game.startNewGame();
        for (const char* name : {"Syria", "Dacia", "Britannia", "Mauretania"}) {
            Province* p = game.findProvince(name);
            game.romans.removeProvince(p);
        }
        game.sassanids.addProvince(game.findProvince("Syria"));
        game.barbarians.addProvince(game.findProvince("Dacia"));
        game.rogueRomans.addProvince(game.findProvince("Britannia"));
        game.addLegions("Syria", &game.sassanids, 6);
        game.addLegions("Dacia", &game.barbarians, 4);
        game.addLegions("Britannia", &game.rogueRomans, 2);
        for (int i = 0; i < 10; ++i) {
            game.addNews("The Germanic Tribes have taken province " + std::to_string(i));
        }
        game.turn = 100;
        screen.buildOverlayKeys();
        screen.loadPictures();
        screen.hoveredProvince = game.findProvince("Italia");
    }
    Game game;
    Screen screen;
};

void BM_PaintScreen(benchmark::State& state) {
    BusyScreen busy;
    for (auto _ : state) {
        busy.screen.paintScreen(busy.screen.window);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_PaintScreen)->Unit(benchmark::kMicrosecond);

void BM_CopyBackBuffer(benchmark::State& state) {
    BusyScreen busy;
    Surface& back = busy.screen.backBuffer;
    for (auto _ : state) {
        busy.screen.window.blit(back, 0, 0, back.width(), back.height(), 0, 0);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_CopyBackBuffer)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace tessarion
