// Each sound plays in the way the sound list gives it, and only the small effects stay
// decoded: a narration is let go of once the platform has it.
#include "ui/SoundBoard.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "platform/HeadlessPlatform.h"

namespace tessarion {
namespace {

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
