#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace tessarion::res {

// The sounds are embedded as Ogg Vorbis behind a small header that keeps what Vorbis does
// not: the sample depth the platform is handed and the exact number of frames.
//   "TSV1", channels (u16), rate (u32), bits (u16: 8 or 16), frames (u32), Ogg stream
// All numbers little-endian.
struct SoundHeader {
    int channels = 0;
    int rate = 0;
    int bits = 0;
    std::uint32_t frames = 0;
};

inline constexpr std::size_t kSoundHeaderSize = 16;

// False when the bytes do not start with a plausible header.
bool readSoundHeader(std::span<const unsigned char> blob, SoundHeader& header);

// How long the sound plays in ms, from its header alone; 0 when the header is no good.
std::uint64_t soundLengthMs(std::span<const unsigned char> blob);

// The RIFF/WAVE file (plain PCM, 8-bit unsigned or 16-bit signed) the blob was made from;
// empty when the blob is damaged or disagrees with its own header.
std::vector<unsigned char> decodeSound(std::span<const unsigned char> blob);

}  // namespace tessarion::res
