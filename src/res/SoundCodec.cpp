#include "res/SoundCodec.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <memory>

#define STB_VORBIS_HEADER_ONLY
#define STB_VORBIS_NO_STDIO
#define STB_VORBIS_NO_PUSHDATA_API
#include <stb/stb_vorbis.h>

namespace tessarion::res {

namespace {

std::uint32_t readLe(std::span<const unsigned char> b, std::size_t at, int bytes) {
    std::uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) {
        v = (v << 8) | b[at + static_cast<std::size_t>(i)];
    }
    return v;
}

void putLe(std::vector<unsigned char>& out, std::uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out.push_back(static_cast<unsigned char>(v >> (8 * i)));
    }
}

void putTag(std::vector<unsigned char>& out, const char* tag) {
    out.insert(out.end(), tag, tag + 4);
}

// Vorbis may end a few frames short of the original on its last page; anything more than
// one block's worth missing means the stream is cut.
constexpr std::uint32_t kShortfallAllowed = 2048;

// Longer than any sound of the game by far; keeps a damaged header from asking for gigabytes.
constexpr std::uint32_t kMostFrames = 10u * 60u * 48000u;

}  // namespace

bool readSoundHeader(std::span<const unsigned char> blob, SoundHeader& header) {
    if (blob.size() < kSoundHeaderSize || blob[0] != 'T' || blob[1] != 'S' || blob[2] != 'V' ||
        blob[3] != '1') {
        return false;
    }
    header.channels = static_cast<int>(readLe(blob, 4, 2));
    header.rate = static_cast<int>(readLe(blob, 6, 4));
    header.bits = static_cast<int>(readLe(blob, 10, 2));
    header.frames = readLe(blob, 12, 4);
    return (header.channels == 1 || header.channels == 2) && header.rate >= 8000 &&
           header.rate <= 48000 && (header.bits == 8 || header.bits == 16) && header.frames > 0 &&
           header.frames <= kMostFrames;
}

std::uint64_t soundLengthMs(std::span<const unsigned char> blob) {
    SoundHeader h;
    if (!readSoundHeader(blob, h)) {
        return 0;
    }
    return std::uint64_t{h.frames} * 1000 / static_cast<std::uint64_t>(h.rate);
}

std::vector<unsigned char> decodeSound(std::span<const unsigned char> blob) {
    SoundHeader h;
    if (!readSoundHeader(blob, h) || blob.size() - kSoundHeaderSize > INT_MAX) {
        return {};
    }
    const std::span<const unsigned char> ogg = blob.subspan(kSoundHeaderSize);
    int channels = 0;
    int rate = 0;
    short* raw = nullptr;
    const int decoded =
        stb_vorbis_decode_memory(ogg.data(), static_cast<int>(ogg.size()), &channels, &rate, &raw);
    const std::unique_ptr<short, decltype(&std::free)> samples(raw, &std::free);
    if (decoded <= 0 || raw == nullptr || channels != h.channels || rate != h.rate ||
        static_cast<std::uint32_t>(decoded) + kShortfallAllowed < h.frames) {
        return {};
    }

    const std::size_t count =
        static_cast<std::size_t>(h.frames) * static_cast<std::size_t>(h.channels);
    const std::size_t available =
        static_cast<std::size_t>(decoded) * static_cast<std::size_t>(channels);
    const std::uint32_t dataBytes =
        static_cast<std::uint32_t>(count * static_cast<std::size_t>(h.bits / 8));
    const std::uint32_t blockAlign = static_cast<std::uint32_t>(h.channels * h.bits / 8);

    std::vector<unsigned char> wav;
    wav.reserve(44 + dataBytes + 1);
    putTag(wav, "RIFF");
    putLe(wav, 36 + dataBytes + (dataBytes & 1), 4);
    putTag(wav, "WAVE");
    putTag(wav, "fmt ");
    putLe(wav, 16, 4);
    putLe(wav, 1, 2);  // plain PCM
    putLe(wav, static_cast<std::uint32_t>(h.channels), 2);
    putLe(wav, static_cast<std::uint32_t>(h.rate), 4);
    putLe(wav, blockAlign * static_cast<std::uint32_t>(h.rate), 4);
    putLe(wav, blockAlign, 2);
    putLe(wav, static_cast<std::uint32_t>(h.bits), 2);
    putTag(wav, "data");
    putLe(wav, dataBytes, 4);
    for (std::size_t i = 0; i < count; ++i) {
        const int v = i < available ? raw[i] : 0;
        if (h.bits == 8) {
            // Round to the nearest 8-bit step rather than truncating, which would add a
            // half-step offset to the whole sound.
            wav.push_back(static_cast<unsigned char>(std::clamp((v + 128 + 32768) >> 8, 0, 255)));
        } else {
            putLe(wav, static_cast<std::uint32_t>(static_cast<std::uint16_t>(v)), 2);
        }
    }
    if (dataBytes & 1) {
        wav.push_back(0);  // RIFF chunks are padded to an even size
    }
    return wav;
}

}  // namespace tessarion::res
