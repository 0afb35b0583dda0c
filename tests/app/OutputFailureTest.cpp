#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
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

}  // namespace
}  // namespace tessarion
