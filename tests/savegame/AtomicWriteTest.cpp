// Saves written whole or not at all, and the emergency save of a crash.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "platform/FileSystem.h"
#include "savegame/EmergencySave.h"
#include "savegame/SaveGame.h"
#include "savegame/SavedGameFixture.h"

#ifdef __linux__
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#endif

namespace tessarion {
namespace {

namespace fs = std::filesystem;

// A folder of its own for each test, gone afterwards. The tests may run as
// root, so the failures are ones root meets too: a missing folder, a folder
// where the file should be, a file size limit, a save made read-only.
class AtomicWriteTest : public SavedGameTest {
  protected:
    void SetUp() override {
        SavedGameTest::SetUp();
        std::ofstream(target, std::ios::binary) << "the old save\n";
    }

    // Everything in the folder, so a stray temporary file shows.
    std::vector<std::string> folderListing() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder)) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    TestFolder temporary{"save"};
    fs::path folder = temporary.path;
    fs::path target = folder / "game.TSN";
};

TEST_F(AtomicWriteTest, ReplacesTheOldSaveKeepingItAsBak) {
    const FileResult result = saveGame(*game, target.string());
    ASSERT_TRUE(result.ok) << result.error;
    EXPECT_EQ(contentsOf(target), saveGameText(*game));
    EXPECT_EQ(folderListing(), (std::vector<std::string>{"game.TSN", "game.TSN.bak"}));
    EXPECT_EQ(contentsOf(folder / "game.TSN.bak"), "the old save\n");

    const std::string first = saveGameText(*game);
    game->turn = 30;
    ASSERT_TRUE(saveGame(*game, target.string()).ok);
    EXPECT_EQ(contentsOf(folder / "game.TSN.bak"), first);
    ASSERT_TRUE(loadGame(*game, target.string()).ok);
    EXPECT_EQ(game->turn, 30);
}

TEST_F(AtomicWriteTest, FailuresNameTheirReasonAndKeepEverything) {
    FileResult result = saveGame(*game, (folder / "gone" / "game.TSN").string());
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.caption, "ERROR");
    EXPECT_EQ(result.error, "Unable to open file! (no such file or folder)");

    const fs::path inTheWay = folder / "folder.TSN";
    fs::create_directory(inTheWay);
    std::ofstream(inTheWay / "keep.txt") << "kept";
    EXPECT_EQ(saveGame(*game, inTheWay.string()).error, "Unable to open file! (it is a folder)");
    EXPECT_EQ(contentsOf(inTheWay / "keep.txt"), "kept");
    EXPECT_EQ(saveGame(*game, folder.string() + "/" + std::string(256, 'n')).error,
              "Unable to open file! (the name is too long)");
    // The temporary file's name is short: a name as long as the system allows is saved, twice
    // (with no room left for the .bak).
    const std::string longest = std::string(251, 'L') + ".TSN";
    ASSERT_TRUE(saveGame(*game, (folder / longest).string()).ok);
    ASSERT_TRUE(saveGame(*game, (folder / longest).string()).ok);
    EXPECT_EQ(folderListing(), (std::vector<std::string>{longest, "folder.TSN", "game.TSN"}));
}

#ifdef __linux__
// A write that fails part-way (here a file size limit, as under ulimit -f)
// keeps the old save whole and does not kill the game.
TEST_F(AtomicWriteTest, AFailedWriteKeepsTheOldSave) {
    struct rlimit old {};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_DFL);
    struct rlimit tight = old;
    tight.rlim_cur = 64;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &tight), 0);
    const FileResult result = writeFileAtomically(target.string(), std::string(4096, 'x'));
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.caption, "ERROR");
    EXPECT_EQ(result.error,
              "Unable to save the game: the file would be larger than the system allows");
    EXPECT_EQ(contentsOf(target), "the old save\n");
    EXPECT_EQ(folderListing(), std::vector<std::string>{"game.TSN"});
}

// A link is written through to its file, however it is reached; the link
// stays a link.
TEST_F(AtomicWriteTest, LinksAreWrittenThrough) {
    fs::create_directory(folder / "saves");
    fs::create_symlink("../game.TSN", folder / "saves" / "link.TSN");
    fs::create_symlink(folder / "saves" / "link.TSN", folder / "chain.TSN");
    ASSERT_TRUE(saveGame(*game, (folder / "chain.TSN").string()).ok);
    EXPECT_TRUE(fs::is_symlink(folder / "chain.TSN"));
    EXPECT_TRUE(fs::is_symlink(folder / "saves" / "link.TSN"));
    EXPECT_EQ(contentsOf(target), saveGameText(*game));
    EXPECT_EQ(contentsOf(folder / "game.TSN.bak"), "the old save\n");
}

// Nothing but a regular file the player may write is ever replaced; a save
// that replaces one keeps its permissions.
TEST_F(AtomicWriteTest, OnlyWritableRegularFilesAreReplacedAndKeepTheirMode) {
    ASSERT_EQ(mkfifo((folder / "pipe.TSN").c_str(), 0600), 0);
    fs::create_symlink("pipe.TSN", folder / "to-pipe.TSN");
    for (const char* name : {"pipe.TSN", "to-pipe.TSN"}) {
        EXPECT_EQ(saveGame(*game, (folder / name).string()).error,
                  "Unable to open file! (it is not a regular file)");
    }
    EXPECT_TRUE(fs::is_fifo(folder / "pipe.TSN"));
    EXPECT_EQ(saveGame(*game, "/dev/null").error,
              "Unable to open file! (it is not a regular file)");
    EXPECT_TRUE(fs::is_character_file("/dev/null"));

    fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    ASSERT_TRUE(saveGame(*game, target.string()).ok);
    EXPECT_EQ(fs::status(target).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);

    const std::string kept = contentsOf(target);
    fs::permissions(target, fs::perms::owner_read | fs::perms::others_read);
    EXPECT_EQ(saveGame(*game, target.string()).error,
              "Unable to open file! (the file is read-only)");
    EXPECT_EQ(contentsOf(target), kept);
    EXPECT_EQ(fs::status(target).permissions(), fs::perms::owner_read | fs::perms::others_read);
}

// Temporary files left by a save that was killed go at the next start; those
// of a game still running, and anything not of the game's naming, stay.
TEST_F(AtomicWriteTest, StaleTemporaryFilesAreRemoved) {
    const pid_t child = fork();
    if (child == 0) {
        _exit(0);
    }
    ASSERT_GT(child, 0);
    waitpid(child, nullptr, 0);
    const std::string dead = std::to_string(child);
    const std::string alive = std::to_string(getpid());
    for (const std::string& name : std::vector<std::string>{
             ".tessarion-" + dead + "-0.tmp", "game.TSN." + dead + "-3.tmp",
             ".tessarion-" + alive + "-7.tmp", "notes.tmp", "game.TSN.x-3.tmp"}) {
        std::ofstream(folder / name) << "half a save";
    }
    EXPECT_EQ(files::removeStaleTemporaries(folder.string()), 2);
    EXPECT_EQ(folderListing(),
              (std::vector<std::string>{".tessarion-" + alive + "-7.tmp", "game.TSN",
                                        "game.TSN.x-3.tmp", "notes.tmp"}));
    EXPECT_EQ(files::removeStaleTemporaries((folder / "none").string()), 0);

    // Any folder the game saves to is cleaned by its first save there, not
    // only the folder it starts in.
    const fs::path elsewhere = folder / "elsewhere";
    fs::create_directory(elsewhere);
    std::ofstream(elsewhere / (".tessarion-" + dead + "-4.tmp")) << "half a save";
    ASSERT_TRUE(writeFileAtomically((elsewhere / "b.TSN").string(), "new").ok);
    EXPECT_FALSE(fs::exists(elsewhere / (".tessarion-" + dead + "-4.tmp")));
}
#endif

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
