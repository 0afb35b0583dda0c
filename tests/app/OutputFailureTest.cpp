// The game's own executable in a process of its own: a game saved in one sitting and loaded
// in another, and output it cannot write told on standard error, never a silent end.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/wait.h>

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

// The game's own executable under a shell, where its output cannot be
// written: a full device, a file-size limit, a reader that has gone. Each
// failure is told on standard error and ends the program with a code that
// says so; none of them kills it silently.
class OutputFailureTest : public ::testing::Test {
  protected:
    struct Run {
        int code = -1;
        std::string errors;
    };

    // Runs `script` under sh with $EXE set to the game, standard error kept.
    Run shell(const std::string& script) {
        const fs::path file = folder / "script.sh";
        const fs::path errors = folder / "errors.txt";
        std::ofstream(file) << "EXE='" << TESSARION_EXE << "'\n" << script << "\n";
        const std::string command = "sh '" + file.string() + "' 2>'" + errors.string() + "'";
        const int status = std::system(command.c_str());
        Run run;
        run.code = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        run.errors = contentsOf(errors);
        return run;
    }

    // Runs the game's `arguments` under a file-size limit of `blocks`; what
    // it says, and its exit code, come back through a pipe, which the limit
    // does not reach.
    Run limited(int blocks, const std::string& arguments) {
        Run run = shell("( ulimit -f " + std::to_string(blocks) + "; \"$EXE\" " + arguments +
                        "; echo \"exit $?\" >&2 ) 2>&1 | cat >&2");
        const std::size_t at = run.errors.rfind("exit ");
        run.code = at == std::string::npos ? -1 : std::stoi(run.errors.substr(at + 5));
        return run;
    }

    std::string at(const std::string& name) const { return (folder / name).string(); }

    TestFolder temporary{"output"};
    fs::path folder = temporary.path;
};

const std::string kOneGame = "--simulate --games 1 --skill 0 --player idle --seed 5";

TEST_F(OutputFailureTest, TheSimulatorsTableAndFileReportEveryFailure) {
    Run run = shell("\"$EXE\" " + kOneGame + " --csv /dev/full >/dev/null");
    EXPECT_EQ(run.code, 2);
    EXPECT_THAT(run.errors, HasSubstr("tessarion: writing /dev/full failed (the disk is full)"));

    // A file-size limit would end the program by a signal, leaving an
    // empty file and no word.
    run = limited(0, kOneGame + " --csv '" + at("games.csv") + "' >/dev/null");
    EXPECT_EQ(run.code, 2);
    EXPECT_THAT(run.errors, HasSubstr("failed (the file would be larger than the system allows)"));

    run = shell("\"$EXE\" " + kOneGame + " >/dev/full");
    EXPECT_EQ(run.code, 1);
    EXPECT_THAT(run.errors, HasSubstr("tessarion: could not write the output (the disk is full)"));

    // The reader of the table has gone before it was written.
    run = shell("{ \"$EXE\" " + kOneGame + "; echo $? >'" + at("code") + "'; } | true");
    EXPECT_EQ(contentsOf(folder / "code"), "1\n") << run.errors;
    EXPECT_THAT(run.errors,
                HasSubstr("could not write the output (the program reading it has stopped)"));
}

TEST_F(OutputFailureTest, TheConsolesTranscriptAndScreenshotsReportEveryFailure) {
    Run run = shell("printf 'map\\nstate\\n' | \"$EXE\" --console --seed 3 >/dev/full");
    EXPECT_EQ(run.code, 1);
    EXPECT_THAT(run.errors, HasSubstr("could not write the output (the disk is full)"));

    run = shell("printf 'screenshot /dev/full\\nscreenshot \"" + at("shot.png") +
                "\"\\n' | \"$EXE\" --console --seed 3 >'" + at("out.txt") + "'");
    EXPECT_EQ(run.code, 0) << run.errors;
    EXPECT_EQ(contentsOf(folder / "out.txt"), "ERROR: /dev/full: the disk is full\n");
    EXPECT_GT(fs::file_size(folder / "shot.png"), 1000u);
    EXPECT_EQ(contentsOf(folder / "shot.png").substr(1, 3), "PNG");

    // A picture that cannot be written whole leaves the earlier one as it was.
    std::ofstream(folder / "big.png") << "the earlier picture";
    run = limited(1, "--screenshot '" + at("big.png") + "'");
    EXPECT_NE(run.code, 0);
    EXPECT_THAT(run.errors, HasSubstr("the file would be larger than the system allows"));
    EXPECT_EQ(contentsOf(folder / "big.png"), "the earlier picture");
}

TEST_F(OutputFailureTest, ExportsReportAFullDisk) {
    const Run run = limited(1, "--export-resources '" + at("art") + "'");
    EXPECT_EQ(run.code, 1);
    EXPECT_THAT(run.errors, HasSubstr("(File too large)"));
}

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
