#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "savegame/EmergencySave.h"
#include "savegame/SavedGameFixture.h"

namespace tessarion {
namespace {

namespace fs = std::filesystem;

// A crash never overwrites the save of the crash before it, and the player is
// told where the game went or why it could not be kept.
TEST_F(SavedGameTest, EmergencySavesAreNumberedAndLoad) {
    TestFolder folder("emergency");
    std::ofstream(folder.path / "emergency-7.TSN.bak") << "not a save of ours";
    const EmergencySave first = saveForEmergency(*game, folder.path.string());
    ASSERT_TRUE(first.saved) << first.reason;
    EXPECT_EQ(first.path, (folder.path / "emergency-1.TSN").string());
    const std::string firstText = saveGameText(*game);

    game->turn = 40;
    const EmergencySave second = saveForEmergency(*game, folder.path.string());
    ASSERT_TRUE(second.saved) << second.reason;
    EXPECT_EQ(fs::path(second.path).filename(), "emergency-2.TSN");
    EXPECT_EQ(contentsOf(first.path), firstText);
    EXPECT_EQ(emergencyMessage("Empire::updateLegions() stuck in loop!", second),
              "Tessarion has met an internal error and must close:\r\nEmpire::updateLegions() "
              "stuck in loop!\r\n\r\nThe game was saved to " +
                  second.path);
    ASSERT_TRUE(loadGame(*game, second.path).ok);
    EXPECT_EQ(game->turn, 40);

    // Where nothing can be written, the message says why.
    const fs::path notAFolder = folder.path / "file";
    std::ofstream(notAFolder) << "x";
    EXPECT_EQ(emergencyMessage("out of memory", saveForEmergency(*game, notAFolder.string())),
              "Tessarion has met an internal error and must close:\r\nout of memory\r\n\r\nThe "
              "game could not be saved: Unable to open file! (part of the path is not a folder)");
}

// What names the message comes from outside the game: shown escaped.
TEST_F(SavedGameTest, EmergencyMessagesAreShownEscaped) {
    EmergencySave saved;
    saved.saved = true;
    saved.path = "saves/\x1B[2Jemergency-1.TSN";
    EXPECT_EQ(emergencyMessage("bad \a", saved),
              "Tessarion has met an internal error and must close:\r\nbad \\x07\r\n\r\nThe game "
              "was saved to saves/\\x1B[2Jemergency-1.TSN");
}

// A game wrecked beyond what a save may hold is not written half-right.
TEST_F(SavedGameTest, AnEmergencySaveOfAWreckedGameSaysWhy) {
    TestFolder folder("emergency");
    game->romans.treasury = -2000000000;
    const EmergencySave result = saveForEmergency(*game, folder.path.string());
    EXPECT_FALSE(result.saved);
    EXPECT_EQ(result.reason,
              "Unable to save the game: the treasury is -2000000000, beyond what a "
              "saved game may hold");
}

}  // namespace
}  // namespace tessarion
