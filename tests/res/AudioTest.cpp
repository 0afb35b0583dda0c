// The sounds as the game plays them: decompressed from what the executable embeds at run time,
// at the depth the platform is handed, they must come back in the very format and length that
// was built, and sound like it. The built files themselves are checked by the build
// (resources/audio/pack.py and check_sounds.py).
// Each sound plays in the way the sound list gives it, and only the small effects stay
// decoded: a narration is let go of once the platform has it.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <map>
#include <span>
#include <sstream>
#include <string>
#include <vector>

#include "SoundList.h"
#include "platform/HeadlessPlatform.h"
#include "res/ResourceStore.h"
#include "res/SoundCodec.h"
#include "support/TestFolder.h"
#include "ui/SoundBoard.h"

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

// The sound folder hands the test its paths when it is part of the build.
#if defined(TESSARION_AUDIO_DIR) && defined(TESSARION_LESSON_DIR)

std::uint32_t le(const std::string& b, std::size_t at, int bytes) {
    std::uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) {
        v = (v << 8) | static_cast<unsigned char>(b[at + i]);
    }
    return v;
}

// A plain PCM wave: its format and its samples scaled to [-1, 1), interleaved.
struct Wave {
    int channels = 0, rate = 0, bits = 0;
    std::vector<double> samples;

    double seconds() const { return rate ? double(samples.size()) / channels / rate : 0; }
    double rmsBetween(double from, double to) const {
        const auto first = static_cast<std::size_t>(from * rate) * channels;
        const auto last = std::min(samples.size(), static_cast<std::size_t>(to * rate) * channels);
        double squares = 0;
        for (std::size_t i = first; i < last; ++i) {
            squares += samples[i] * samples[i];
        }
        return last > first ? std::sqrt(squares / double(last - first)) : 0;
    }
};

Wave parseWave(const std::string& b) {
    Wave w;
    for (std::size_t at = 12; b.size() >= 12 && at + 8 <= b.size();) {
        const std::string id = b.substr(at, 4);
        const std::size_t size = std::min<std::size_t>(le(b, at + 4, 4), b.size() - at - 8);
        if (id == "fmt ") {
            w.channels = static_cast<int>(le(b, at + 10, 2));
            w.rate = static_cast<int>(le(b, at + 12, 4));
            w.bits = static_cast<int>(le(b, at + 22, 2));
        } else if (id == "data") {
            for (std::size_t i = 0; i + w.bits / 8 <= size; i += w.bits / 8) {
                const auto* d = reinterpret_cast<const unsigned char*>(b.data() + at + 8 + i);
                w.samples.push_back(w.bits == 8 ? (d[0] - 128) / 128.0
                                                : std::int16_t(d[0] | d[1] << 8) / 32768.0);
            }
        }
        at += 8 + size + (size & 1);
    }
    return w;
}

TEST(Audio, TheExecutableDecodesEverySoundAsBuilt) {
    for (const ListedSound& listed : kSoundList) {
        SCOPED_TRACE(listed.name);
        const Wave built =
            parseWave(contentsOf(std::string(TESSARION_AUDIO_DIR) + "/" + listed.name + ".wav"));
        const std::vector<unsigned char> embedded = res::soundData(listed.name);
        const Wave played = parseWave(std::string(embedded.begin(), embedded.end()));
        ASSERT_FALSE(built.samples.empty());
        EXPECT_EQ(played.channels, listed.channels);
        EXPECT_EQ(played.rate, listed.rate);
        EXPECT_EQ(played.bits, listed.bits);
        EXPECT_EQ(played.samples.size(), built.samples.size());
        // The loudness, 20 ms at a time, follows the built sound: nothing shifted, dropped,
        // swapped or garbled by the compression.
        const double step = 0.02;
        double sxy = 0, sxx = 0, syy = 0, sx = 0, sy = 0;
        int n = 0;
        for (double t = 0; t + step <= built.seconds(); t += step, ++n) {
            const double x = built.rmsBetween(t, t + step);
            const double y = played.rmsBetween(t, t + step);
            sx += x, sy += y, sxx += x * x, syy += y * y, sxy += x * y;
        }
        EXPECT_GT((n * sxy - sx * sy) / std::sqrt((n * sxx - sx * sx) * (n * syy - sy * sy)), 0.97);
        EXPECT_NEAR(double(res::soundLength(listed.name)), built.seconds() * 1000, 1);
        if (listed.kind != SoundKind::Narration) {
            continue;
        }
        EXPECT_EQ(res::lessonScript(listed.name),
                  contentsOf(std::string(TESSARION_LESSON_DIR) + "/" + listed.name + ".txt"));
        std::istringstream cues(
            contentsOf(std::string(TESSARION_AUDIO_DIR) + "/" + listed.name + ".cues"));
        std::vector<std::uint64_t> lines;
        for (std::string kind, rest; cues >> kind && std::getline(cues, rest);) {
            if (kind == "line") {
                lines.push_back(static_cast<std::uint64_t>(std::lround(std::stod(rest))));
            }
        }
        EXPECT_EQ(res::lessonCaptionTimes(listed.name), lines);
    }
}

#else

TEST(Audio, SoundsAreBuilt) {
    GTEST_SKIP() << "the sound folder is not part of this build";
}

#endif

class SoundBoardTest : public ::testing::Test {
  protected:
    HeadlessPlatform platform;
    SoundBoard board{platform, SoundProvider{[this](const std::string& name) {
                                                 ++decoded[name];
                                                 return std::vector<unsigned char>(44, 1);
                                             },
                                             [](const std::string& name) {
                                                 return name == "IDR_ODOACER" ? 43100u : 0u;
                                             }}};
    std::map<std::string, int> decoded;
};

TEST_F(SoundBoardTest, EffectsStayDecodedWhileTheThemeAndNarrationsAreLetGo) {
    for (int i = 0; i < 3; ++i) {
        board.play(Sound::Battle);
        board.playTheme();
        board.playNarration("IDR_ODOACER");
    }
    EXPECT_EQ(decoded["IDR_SWORD_SND"], 1);
    EXPECT_EQ(decoded["IDR_INTRO_SND"], 3);
    EXPECT_EQ(decoded["IDR_ODOACER"], 3);
    EXPECT_EQ(board.keptCount(), 1u);
    // The caption box is paced by the length, which needs no decoding.
    EXPECT_EQ(board.length("IDR_ODOACER"), 43100u);
    EXPECT_EQ(decoded["IDR_ODOACER"], 3);
}

TEST_F(SoundBoardTest, AnUnknownNarrationPlaysNothingButStopsWhatPlayed) {
    board.playNarration("IDR_NO_SUCH_LESSON");
    board.playNarration("IDR_SWORD_SND");  // an effect is no narration
    EXPECT_EQ(platform.log, (std::vector<std::string>{"play async IDR_NO_SUCH_LESSON (missing)",
                                                      "play async IDR_SWORD_SND (missing)"}));
    EXPECT_TRUE(decoded.empty());
}

}  // namespace
}  // namespace tessarion
