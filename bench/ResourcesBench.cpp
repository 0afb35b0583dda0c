// Start-up decodes every embedded picture once; this measures that whole pass.
#include <benchmark/benchmark.h>

#include "res/ResourceStore.h"

namespace {

void DecodeEveryPicture(benchmark::State& state) {
    const std::vector<int> ids = tessarion::res::pictureIds();
    std::size_t pixels = 0;
    for (auto _ : state) {
        pixels = 0;
        for (int id : ids) {
            tessarion::res::Image image = tessarion::res::decodePicture(id);
            pixels += image.pixels.size();
            benchmark::DoNotOptimize(image.pixels.data());
        }
    }
    state.counters["pictures"] = static_cast<double>(ids.size());
    state.counters["pixels"] = static_cast<double>(pixels);
}
BENCHMARK(DecodeEveryPicture)->Unit(benchmark::kMillisecond);

}  // namespace
