#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "savegame/AtomicWrite.h"
#include "savegame/SavedGameFixture.h"

#ifdef __linux__
#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#endif

namespace tessarion {
namespace {

namespace fs = std::filesystem;

// A folder of its own for each test, gone afterwards. The tests run as root
// here, so the failures are ones root meets too: a missing folder, a folder
// where the file should be, a file size limit.
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

TEST_F(AtomicWriteTest, ReplacesTheOldSaveAndLeavesNothingElse) {
    const FileResult result = saveGame(target.string());
    ASSERT_TRUE(result.ok) << result.error;
    EXPECT_EQ(contentsOf(target), saveGameText());
    EXPECT_EQ(folderListing(), std::vector<std::string>{"game.TSN"});

    const std::string before = stateJson(*game);
    game->turn = 30;
    ASSERT_TRUE(loadGame(target.string()).ok);
    EXPECT_EQ(stateJson(*game), before);
}

TEST_F(AtomicWriteTest, AMissingFolderCannotBeOpened) {
    const FileResult result = saveGame((folder / "gone" / "game.TSN").string());
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.caption, "ERROR");
    EXPECT_EQ(result.error, "Unable to open file!");
    EXPECT_EQ(folderListing(), std::vector<std::string>{"game.TSN"});
}

TEST_F(AtomicWriteTest, AFolderInTheWayIsReportedAndKept) {
    const fs::path inTheWay = folder / "folder.TSN";
    fs::create_directory(inTheWay);
    std::ofstream(inTheWay / "keep.txt") << "kept";

    const FileResult result = saveGame(inTheWay.string());
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.caption, "ERROR");
    EXPECT_EQ(result.error.rfind("Unable to save the game: ", 0), 0u) << result.error;
    EXPECT_EQ(folderListing(), (std::vector<std::string>{"folder.TSN", "game.TSN"}));
    EXPECT_EQ(contentsOf(inTheWay / "keep.txt"), "kept");
}

#ifdef __linux__
// A write that fails part-way (the disk fills up) keeps the old save whole.
TEST_F(AtomicWriteTest, AFailedWriteKeepsTheOldSave) {
    struct rlimit old {};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit tight = old;
    tight.rlim_cur = 64;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &tight), 0);
    const FileResult result = writeFileAtomically(target.string(), std::string(4096, 'x'));
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.caption, "ERROR");
    EXPECT_EQ(result.error, "Unable to save the game: File too large");
    EXPECT_EQ(contentsOf(target), "the old save\n");
    EXPECT_EQ(folderListing(), std::vector<std::string>{"game.TSN"});
}
#endif

}  // namespace
}  // namespace tessarion
