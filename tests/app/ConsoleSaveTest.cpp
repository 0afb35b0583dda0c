#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "savegame/SavedGameFixture.h"

namespace tessarion {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;

// The game's own executable, in a process of its own, driven by console
// commands: what the player does with Save and Load in two sittings.
class ConsoleSaveTest : public ::testing::Test {
  protected:
    std::string run(unsigned seed, const std::string& commands) {
        const fs::path in = folder / "in.txt";
        const fs::path out = folder / "out.txt";
        std::ofstream(in, std::ios::binary) << commands;
        const std::string command = std::string("\"") + TESSARION_EXE + "\" --console --seed " +
                                    std::to_string(seed) + " < \"" + in.string() + "\" > \"" +
                                    out.string() + "\"";
        EXPECT_EQ(std::system(command.c_str()), 0) << command;
        return contentsOf(out);
    }

    TestFolder temporary{"console"};
    fs::path folder = temporary.path;
};

TEST_F(ConsoleSaveTest, AGameSavedInOneProcessLoadsInAnother) {
    const std::string first = (folder / "first.TSN").string();
    const std::string again = (folder / "again.TSN").string();
    // A legion sent on a long march, a few years played, then saved.
    const std::string saving =
        run(11, "drop Italia Mauretania\nend\nend\nsave " + first + "\nquit\n");
    ASSERT_THAT(saving, HasSubstr("ALERT: Alert: Game saved\n"));
    const std::string saved = contentsOf(first);
    // The route it is on, and how far it has come, go with it.
    ASSERT_THAT(saved, HasSubstr("1    #   has a route\nMauretania    #   destination, route "));

    // Another seed, another position, then the load and a save of what loaded.
    const std::string loading =
        run(3, "end\nend\nend\nload " + first + "\nsave " + again + "\nquit\n");
    EXPECT_EQ(loading.find("ALERT: ERROR"), std::string::npos) << loading;
    EXPECT_EQ(contentsOf(again), saved) << "the very game, written again";
}

// A damaged file, a missing one and a save that fails are told, and the game plays on.
TEST_F(ConsoleSaveTest, FailuresAreToldAndTheGamePlaysOn) {
    const std::string path = (folder / "bad.TSN").string();
    std::ofstream(path, std::ios::binary) << "3   # turn\n1000   # treasury\n";
    const std::string output =
        run(5, "state\nload " + path + "\nstate\nload " + (folder / "none.TSN").string() +
                   "\nstate\nsave " + (folder / "missing" / "game.TSN").string() +
                   "\nend\nquit\nstate\n");
    EXPECT_THAT(
        output,
        HasSubstr(
            "ALERT: ERROR: Unable to load the game, line 3: the file ends before the plague\n"));
    EXPECT_THAT(output, HasSubstr("ALERT: ERROR: Unable to open file (no such file or folder)\n"));
    EXPECT_THAT(output, HasSubstr("ALERT: ERROR: Unable to open file! (no such file or folder)\n"));
    std::istringstream lines(output);
    std::vector<std::string> states;
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind("{\"turn\"", 0) == 0) {
            states.push_back(line);
        }
    }
    ASSERT_EQ(states.size(), 3u) << "nothing runs after quit";
    EXPECT_EQ(states[1], states[0]);
    EXPECT_EQ(states[2], states[0]);
}

}  // namespace
}  // namespace tessarion
