// The embedded sounds are decoded at run time, at the depth the platform is handed.
#include <gtest/gtest.h>

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "res/ResourceStore.h"
#include "res/SoundCodec.h"

namespace tessarion {
namespace {

std::vector<unsigned char> stored(const char* name) {
    const std::span<const unsigned char> blob = res::compressedSoundData(name);
    return {blob.begin(), blob.end()};
}

std::uint32_t le32(const std::vector<unsigned char>& b, std::size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}

TEST(SoundCodec, EightBitSoundsComeBackUnsignedAndCentred) {
    // The header asks for the depth the platform is handed; a signed/unsigned slip in 8-bit
    // samples would shift the whole sound by half the range.
    std::vector<unsigned char> blob = stored("IDR_SWORD_SND");
    ASSERT_GT(blob.size(), res::kSoundHeaderSize);
    blob[10] = 8;
    const std::vector<unsigned char> wav = res::decodeSound(blob);
    ASSERT_GT(wav.size(), 44u);
    EXPECT_EQ(wav[34], 8);  // bits per sample
    const std::uint32_t dataSize = le32(wav, 40);
    ASSERT_EQ(wav.size(), 44u + dataSize + (dataSize & 1));
    EXPECT_EQ(le32(wav, 4), wav.size() - 8);
    double sum = 0;
    for (std::uint32_t i = 0; i < dataSize; ++i) {
        sum += wav[44 + i];
    }
    EXPECT_NEAR(sum / dataSize, 128.0, 1.0);
    EXPECT_EQ(dataSize, 8000u) << "0.5 s at 16000 Hz, one byte a frame";
    EXPECT_EQ(res::soundLengthMs(blob), 500u);
}

TEST(SoundCodec, UnknownSoundsAreEmptyAndUntimed) {
    EXPECT_TRUE(res::soundData("IDR_NO_SUCH_SND").empty());
    EXPECT_TRUE(res::compressedSoundData("IDR_NO_SUCH_SND").empty());
    EXPECT_EQ(res::soundLength("IDR_NO_SUCH_SND"), 0u);
    EXPECT_EQ(res::soundLengthMs(std::vector<unsigned char>(15, 0)), 0u);
}

}  // namespace
}  // namespace tessarion
