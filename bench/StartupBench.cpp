// Start-up to the first frame, as a player meets it: the game process starts, maps its
// executable, decodes its pictures and paints a new game's screen (--screenshot, which then
// writes the frame and exits). The size of the executable counts here, so it is reported too.
// Sounds are not decoded at start-up at all; what one costs when it is first played is the
// second measurement.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "res/ResourceStore.h"
#include "res/SoundCodec.h"

namespace {

void StartUpToTheFirstFrame(benchmark::State& state) {
    const std::filesystem::path shot =
        std::filesystem::temp_directory_path() / "tessarion-bench.png";
    const std::string command =
        std::string("\"") + TESSARION_EXE + "\" --screenshot \"" + shot.string() + "\"";
    for (auto _ : state) {
        if (std::system(command.c_str()) != 0) {
            state.SkipWithError("the game did not start");
            break;
        }
    }
    std::error_code ec;
    state.counters["executable_MB"] =
        static_cast<double>(std::filesystem::file_size(TESSARION_EXE, ec)) / (1024.0 * 1024.0);
    std::filesystem::remove(shot, ec);
}
BENCHMARK(StartUpToTheFirstFrame)->Unit(benchmark::kMillisecond)->Iterations(5);

// Each sound's first play decodes it; the longest narration is the worst wait.
void DecodeEverySound(benchmark::State& state) {
    const std::vector<std::string> names = tessarion::res::soundNames();
    std::size_t stored = 0;
    std::size_t played = 0;
    for (auto _ : state) {
        stored = played = 0;
        for (const std::string& name : names) {
            const auto blob = tessarion::res::compressedSoundData(name);
            const std::vector<unsigned char> wav = tessarion::res::decodeSound(blob);
            stored += blob.size();
            played += wav.size();
            benchmark::DoNotOptimize(wav.data());
        }
    }
    state.counters["stored_MB"] = static_cast<double>(stored) / (1024.0 * 1024.0);
    state.counters["decoded_MB"] = static_cast<double>(played) / (1024.0 * 1024.0);
}
BENCHMARK(DecodeEverySound)->Unit(benchmark::kMillisecond);

void DecodeTheLongestNarration(benchmark::State& state) {
    const auto blob = tessarion::res::compressedSoundData("IDR_ADRIANOPLE");
    for (auto _ : state) {
        benchmark::DoNotOptimize(tessarion::res::decodeSound(blob).data());
    }
}
BENCHMARK(DecodeTheLongestNarration)->Unit(benchmark::kMillisecond);

}  // namespace
