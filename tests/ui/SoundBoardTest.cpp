// How long a recording plays, read from its chunks: the lesson captions are paced by it.
#include "ui/SoundBoard.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace tessarion {
namespace {

using Bytes = std::vector<unsigned char>;

void put32(Bytes& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) {
        out.push_back(static_cast<unsigned char>(v >> (8 * i)));
    }
}

void chunk(Bytes& out, const char* id, std::uint32_t declared, std::size_t present) {
    out.insert(out.end(), id, id + 4);
    put32(out, declared);
    out.insert(out.end(), present, 0);
}

// A RIFF file whose format chunk says 16000 bytes a second, then the chunks given.
Bytes wave(const std::vector<std::pair<std::string, std::pair<std::uint32_t, std::size_t>>>& chunks,
           std::uint32_t byteRate = 16000) {
    Bytes out{'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E'};
    chunk(out, "fmt ", 16, 0);
    const unsigned char format[16] = {1, 0, 1, 0, 0x80, 0x3E, 0, 0};
    out.insert(out.end(), format, format + 8);
    put32(out, byteRate);
    out.insert(out.end(), {2, 0, 16, 0});
    for (const auto& [id, size] : chunks) {
        chunk(out, id.c_str(), size.first, size.second);
    }
    return out;
}

TEST(WaveLength, WalksTheChunksToTheSamples) {
    struct Case {
        const char* what;
        Bytes wav;
        std::uint64_t ms;
    };
    const Case cases[] = {
        {"samples right after the format", wave({{"data", {8000, 8000}}}), 500},
        {"a chunk before the samples", wave({{"LIST", {26, 26}}, {"data", {8000, 8000}}}), 500},
        // Read without its pad byte, the walk lands one byte short of "data".
        {"an odd-sized chunk and its pad byte", wave({{"note", {3, 4}}, {"data", {16000, 16000}}}),
         1000},
        {"a cut-off file plays what it has", wave({{"data", {32000, 8000}}}), 500},
        {"no samples at all", wave({{"LIST", {4, 4}}}), 0},
        {"a chunk running past the end", wave({{"LIST", {0xFFFFFFF0u, 40}}}), 0},
        {"a format without a byte rate", wave({{"data", {8000, 8000}}}, 0), 0},
        {"shorter than any header", Bytes(43, 0), 0},
        {"nothing", Bytes(), 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(waveLength(c.wav), c.ms) << c.what;
    }
}

}  // namespace
}  // namespace tessarion
