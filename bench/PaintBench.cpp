// What a whole-screen paint costs next to one plain copy of the whole frame,
// measured side by side in the same run: BM_PaintScreen reports the ratio as
// frame_copies. A paint should stay within three such copies.
#include <benchmark/benchmark.h>

#include <chrono>
#include <ctime>

#include "game/Game.h"
#include "ui/FrameScale.h"
#include "ui/RouteDrawing.h"
#include "ui/Screen.h"

namespace tessarion {
namespace {

// A screen showing a busy map: a new game with legions of every power about,
// some provinces lost, a full news report and a province under the mouse, on a
// window of w x h pixels.
struct BusyScreen {
    BusyScreen(int w, int h)
        : fit(FrameScale::forWindow(w, h)),
          screen(game, fit.width, fit.height - layout::kMenuBarHeight, fit.scale) {
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
        screen.view = &view;
        view.hoveredProvince = game.findProvince("Italia");
    }
    FrameScale fit;
    Game game;
    Screen screen;
    WindowState view;
};

// The processor time of this thread: on a machine shared with other work the
// wall clock counts their turns too, and the ratio would follow the load.
struct Clock {
    using duration = std::chrono::nanoseconds;
    using time_point = std::chrono::time_point<Clock, duration>;
    static time_point now() {
        timespec t{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
        return time_point(duration(static_cast<long long>(t.tv_sec) * 1000000000LL + t.tv_nsec));
    }
};

double secondsOf(Clock::duration d) {
    return std::chrono::duration<double>(d).count();
}

// One copy of the whole window onto a surface of its size (the measure a
// paint is counted in).
void copyFrame(Screen& screen) {
    static Surface copy;
    const Surface& back = screen.window;
    if (copy.pixelWidth() != back.pixelWidth() || copy.pixelHeight() != back.pixelHeight() ||
        copy.scale() != back.scale()) {
        copy = Surface(back.width(), back.height(), kBlack, back.scale());
    }
    copy.blit(back, 0, 0, back.width(), back.height(), 0, 0);
    benchmark::ClobberMemory();
}

void BM_PaintScreen(benchmark::State& state) {
    BusyScreen busy(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    // The copies are timed in the same loop, one after each paint, so that
    // both meet the same machine: the ratio holds when the times do not.
    Clock::duration painting{};
    Clock::duration copying{};
    for (auto _ : state) {
        const auto start = Clock::now();
        busy.screen.paintScreen(busy.screen.window);
        benchmark::ClobberMemory();
        const auto painted = Clock::now();
        copyFrame(busy.screen);
        const auto copied = Clock::now();
        painting += painted - start;
        copying += copied - painted;
    }
    state.counters["paint_us"] =
        secondsOf(painting) * 1e6 /
        static_cast<double>(std::max<benchmark::IterationCount>(state.iterations(), 1));
    state.counters["frame_copies"] =
        secondsOf(copying) > 0 ? secondsOf(painting) / secondsOf(copying) : 0;
}
BENCHMARK(BM_PaintScreen)
    ->Unit(benchmark::kMicrosecond)
    ->MeasureProcessCPUTime()
    ->Args({1366, 768})
    ->Args({1920, 1080})
    ->Args({3840, 2160});

// A paint while a legion is dragged across the map, its route drawn over it.
void BM_PaintScreenWithRoute(benchmark::State& state) {
    BusyScreen busy(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    Province* from = busy.game.findProvince("Lusitania");
    Province* to = busy.game.findProvince("Aegyptus");
    busy.screen.drawOverMap = [&](Surface& target) {
        drawRoute(target, busy.screen.layoutOffsetX, plannedRoute(busy.game, from, to));
    };
    Clock::duration painting{};
    Clock::duration copying{};
    for (auto _ : state) {
        const auto start = Clock::now();
        busy.screen.paintScreen(busy.screen.window);
        benchmark::ClobberMemory();
        const auto painted = Clock::now();
        copyFrame(busy.screen);
        copying += Clock::now() - painted;
        painting += painted - start;
    }
    state.counters["frame_copies"] =
        secondsOf(copying) > 0 ? secondsOf(painting) / secondsOf(copying) : 0;
}
BENCHMARK(BM_PaintScreenWithRoute)
    ->Unit(benchmark::kMicrosecond)
    ->Args({1366, 768})
    ->Args({1920, 1080})
    ->Args({3840, 2160});

// The map's owners change every time: the background is made again.
void BM_PaintScreenNewOwners(benchmark::State& state) {
    BusyScreen busy(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    Province* syria = busy.game.findProvince("Syria");
    bool persian = true;
    for (auto _ : state) {
        state.PauseTiming();
        if (persian) {
            busy.game.sassanids.removeProvince(syria);
            busy.game.barbarians.addProvince(syria);
        } else {
            busy.game.barbarians.removeProvince(syria);
            busy.game.sassanids.addProvince(syria);
        }
        persian = !persian;
        state.ResumeTiming();
        busy.screen.paintScreen(busy.screen.window);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_PaintScreenNewOwners)
    ->Unit(benchmark::kMicrosecond)
    ->Args({1366, 768})
    ->Args({3840, 2160});

void BM_CopyBackBuffer(benchmark::State& state) {
    BusyScreen busy(1366, 768);
    for (auto _ : state) {
        copyFrame(busy.screen);
    }
}
BENCHMARK(BM_CopyBackBuffer)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace tessarion
