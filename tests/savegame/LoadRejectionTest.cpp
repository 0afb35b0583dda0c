#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>

#include "engine/Routes.h"
#include "savegame/SaveLimits.h"
#include "savegame/SavedGameFixture.h"

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace tessarion {
namespace {

// Damaged files are refused whole, with the line and the fault named, and the
// running game stays exactly as it was (expectRejected checks the state and
// that no advisor box was opened).
class LoadRejectionTest : public SavedGameTest {
  protected:
    void SetUp() override {
        SavedGameTest::SetUp();
        // Something in every block, a routed legion included.
        game->turn = 12;
        game->rogueRomans.addProvince(province("Britannia"));
        game->romans.removeProvince(province("Britannia"));
        game->rogueRomans.createLegion(province("Britannia"));
        game->sassanids.createLegion(province("Armenia"))
            ->setRoute(findRoute(*game, province("Armenia"), province("Lydia")));
        good = saveGameText(*game);
        ASSERT_TRUE(loadGameText(*game, good).ok);
    }

    // The good file with the first occurrence of `from` changed to `to`.
    std::string edited(const std::string& from, const std::string& to) const {
        return tessarion::edited(good, from, to);
    }

    // The number of the line on which `needle` first starts in the good file.
    std::string lineOf(const std::string& needle) const {
        const std::size_t at = good.find(needle);
        return "line " + std::to_string(1 + std::count(good.begin(),
                                                       good.begin() + static_cast<long>(at), '\n'));
    }

    std::string good;
};

// One line changed: refused at that line (or where the fault shows), the fault named.
TEST_F(LoadRejectionTest, ADamagedLineIsNamedWithItsFault) {
    struct Edit {
        std::string from;
        std::string to;
        std::string says;
        std::string at = "";  // where the fault shows, when later than the line changed
    };
    const std::vector<Edit> edits{
        {"Britannia\n", "Atlantis\n", "Bad province name \"Atlantis\""},
        {"Italia   # current", "Roma   # current", "Bad province name \"Roma\""},
        {"Lydia    #   destination", "lydia    #   destination", "Bad province name \"lydia\""},
        {"Britannia\n", "Britannia   # a province\n", "Bad province"},
        {"22    #    number", "-1    #    number",
         "the number of provinces of the Romans is negative (-1)"},
        // A count one short leaves a name where the next heading belongs.
        {"2    #    number of provinces\nArmenia", "1    #    number of provinces\nArmenia",
         "the heading of the provinces of the Rebelling Legions should read \"Rebelling "
         "Legions-provinces\", not \"Mesopotamia\"",
         "Mesopotamia\n"},
        {"9     #    number of legions", "-7     #    number of legions",
         "the number of legions of the Romans is negative (-7)"},
        // Two billion legions must be refused on sight, not reserved for.
        {"9     #    number of legions", "2000000000     #    number of legions",
         "the number of legions of the Romans is 2000000000, more than a saved game may hold "
         "(22415)"},
        {"9     #    number of legions", "500     #    number of legions",
         "is 500, more than the rest of the file holds"},
        {"Aquitania\n", "Italia\n", "Italia is listed again (first on line 11, for the Romans)"},
        {"Mesopotamia\n", "Syria\n",
         "Syria is listed again (first on " + lineOf("Syria\n") + ", for the Romans)"},
        {"12   # turn", "-1   # turn", "the turn is negative"},
        // 476 AD ends the game; there is no playing on from it.
        {"12   # turn", "241   # turn",
         "turn 241 is the year 476 AD, when the game is already over"},
        {"12   # turn", "2147483647   # turn", "the year 2147483882 AD"},
        {"12   # turn", "99999999999   # turn", "99999999999"},
        {"75000   # treasury", "2000000000   # treasury", "the treasury"},
        {"0   # plague counter", "-2147483648   # plague counter", "the plague counter"},
        {"0   # plague\n", "2   # plague\n",
         "the plague is 2, beyond anything a game reaches (0 to 1)"},
        // A destination no route leads to: no legion could ever march there.
        {"Lydia    #   destination", "Mesopotamia    #   destination",
         "there is no route from Armenia to Mesopotamia"},
        // A comment of another line, or one of the writer's own misspelled.
        {"75000   # treasury", "75000   # turn",
         "the comment of the treasury should read \"   # treasury\""},
        {"Italia   # current", "Italia   # curent", "comment"},
        // A line of comment inserted anywhere is a line out of place.
        {"Romans-provinces", "# the Romans\nRomans-provinces",
         "the heading of the provinces of the Romans should read \"Romans-provinces\", not \"# "
         "the Romans\""},
    };
    for (const Edit& e : edits) {
        SCOPED_TRACE(e.to);
        const std::string error = expectRejected(edited(e.from, e.to));
        const std::string line = lineOf(e.at.empty() ? e.from : e.at);
        EXPECT_EQ(error.rfind("Unable to load the game, " + line + ": ", 0), 0u) << error;
        EXPECT_NE(error.find(e.says), std::string::npos) << error;
    }
}

TEST_F(LoadRejectionTest, FilesThatEndEarlyAnywhere) {
    std::size_t end = good.find('\n');
    int lines = 0;
    while (end != std::string::npos && end + 1 < good.size()) {
        ++lines;
        if (end + 1 == good.find("\n# ") + 1) {
            // Cut before the facts: a file of before them, which loads.
            ASSERT_TRUE(loadGameText(*game, good.substr(0, end + 1)).ok);
            ASSERT_TRUE(loadGameText(*game, good).ok);
            end = good.find('\n', end + 1);
            continue;
        }
        // Either the missing line is named, or the count that promised it.
        const std::string error = expectRejected(good.substr(0, end + 1));
        EXPECT_TRUE(error.find("line " + std::to_string(lines + 1) + ": the file ends before") !=
                        std::string::npos ||
                    error.find("more than the rest of the file holds") != std::string::npos)
            << error;
        end = good.find('\n', end + 1);
    }
    EXPECT_GT(lines, 40);
    // Cut short among the facts after the last legion block, a file would
    // load as another game: it is refused like any other.
    ASSERT_NE(good.find("\n# end\n"), std::string::npos);
    EXPECT_EQ(expectRejected(""), "Unable to load the game, line 1: the file ends before the turn");
}

TEST_F(LoadRejectionTest, LinesLongerThanTheFormatAllowsOrHoldingNul) {
    // A value a reader of values alone reads whole; the notes after the
    // comment may take more room, up to a point.
    const std::string wide = std::string(74, ' ') + "Italia   # current province";
    EXPECT_EQ(expectRejected(edited("Italia   # current province", wide)),
              "Unable to load the game, " + lineOf("Italia   # current") +
                  ": the line is longer than 79 characters");
    const std::string long_ = "Italia   # current province" + std::string(228, ' ');
    ASSERT_EQ(long_.size(), 255u);
    ASSERT_TRUE(loadGameText(*game, edited("Italia   # current province", long_)).ok);
    ASSERT_TRUE(loadGameText(*game, good).ok);
    EXPECT_EQ(expectRejected(edited("Italia   # current province", long_ + ".")),
              "Unable to load the game, " + lineOf("Italia   # current") +
                  ": the line is longer than 255 characters");
    EXPECT_NE(
        expectRejected(edited("Italia\n", std::string(200000, 'I') + "\n")).find("longer than 79"),
        std::string::npos);
    std::string nul = edited("Italia\n", "Italia");
    nul.insert(nul.find("Italia") + 6, std::string(1, '\0') + "\n");
    EXPECT_NE(expectRejected(nul).find("NUL"), std::string::npos);
}

TEST_F(LoadRejectionTest, TheEdgesOfWhatLoads) {
    ASSERT_TRUE(loadGameText(*game, edited("12   # turn", "240   # turn")).ok);
    EXPECT_EQ(game->year(), 475);
    ASSERT_TRUE(loadGameText(*game, edited("75000   # treasury", "0   # treasury")).ok);
    EXPECT_EQ(game->romans.treasury, 0);
    // Blank lines may follow the facts, and nothing else.
    EXPECT_EQ(expectRejected(good + "\n# a comment\n"),
              "Unable to load the game, line " +
                  std::to_string(std::count(good.begin(), good.end(), '\n') + 2) +
                  ": there is more after the end of the facts");
    const std::string before = withoutNotes(good);
    EXPECT_EQ(expectRejected(before + "\n# a comment\n"),
              "Unable to load the game, line " +
                  std::to_string(std::count(before.begin(), before.end(), '\n') + 2) +
                  ": there is an unknown fact after the last legion block: \"a\"");
    EXPECT_TRUE(advisor.messages.empty());
}

// Fields are whole numbers written as the game writes them, flags are 0 or
// 1, and a comment is the one the game writes there or none at all.
TEST_F(LoadRejectionTest, FieldsHoldExactlyWhatTheGameWrites) {
    for (const char* turn : {"12abc", "1e3", "0x10", "+12", "012", "-0", " 12", "", "twelve"}) {
        EXPECT_EQ(expectRejected(edited("12   # turn", std::string(turn) + "   # turn"))
                      .rfind("Unable to load the game, line 1: the ", 0),
                  0u)
            << turn;
    }
    for (const char* flag : {"2    #   has a route", "-1    #   has a route", "1    #   no route",
                             "0    #   has a route", "1 # has a route", "10"}) {
        EXPECT_NE(expectRejected(edited("1    #   has a route", flag))
                      .find(lineOf("1    #   has a route") + ": the route flag"),
                  std::string::npos)
            << flag;
    }
    EXPECT_NE(expectRejected("# saved by hand\n" + good).find("line 1: the comment of the turn"),
              std::string::npos);
    // Any short text is not a saved game, however many lines it has.
    std::string text;
    for (int i = 0; i < 40; ++i) {
        text += "0\n";
    }
    EXPECT_NE(expectRejected(text).find("line 9: the heading"), std::string::npos);
    EXPECT_NE(expectRejected(std::string(1 << 20, '\n')).find("line 1: the turn"),
              std::string::npos);
}

TEST_F(LoadRejectionTest, FilesLargerThanAnySaveAreRefusedUnread) {
    TestFolder folder("limits");
    const std::filesystem::path path = folder.path / "huge.TSN";
    {
        std::ofstream out(path, std::ios::binary);
        out << good;
        out << std::string(kMaxSaveFileSize, '\n');
    }
    const FileResult result = loadGame(*game, path.string());
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.error,
              "Unable to load the game: the file is larger than any saved game can "
              "be (" +
                  std::to_string(kMaxSaveFileSize) + " bytes)");
    // The same file one byte smaller is only blank lines too many.
    std::filesystem::resize_file(path, kMaxSaveFileSize);
    EXPECT_TRUE(loadGame(*game, path.string()).ok);
}

TEST_F(LoadRejectionTest, OnlyRegularFilesAreRead) {
    const std::string before = stateJson(*game);
    TestFolder folder("irregular");
    FileResult result = loadGame(*game, (folder.path / "missing.TSN").string());
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.caption, "ERROR");
    EXPECT_EQ(result.error, "Unable to open file (no such file or folder)");
    EXPECT_EQ(loadGame(*game, folder.path.string()).error, "Unable to open file (it is a folder)");
#ifndef _WIN32
    // A pipe nobody writes to would block a plain open for ever.
    const std::filesystem::path fifo = folder.path / "pipe.TSN";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_EQ(loadGame(*game, fifo.string()).error,
              "Unable to open file (it is not a regular file)");
    EXPECT_EQ(loadGame(*game, "/dev/zero").error, "Unable to open file (it is not a regular file)");
    // A link to a save is the save.
    std::ofstream(folder.path / "real.TSN", std::ios::binary) << good;
    std::filesystem::create_symlink(folder.path / "real.TSN", folder.path / "link.TSN");
    EXPECT_TRUE(loadGame(*game, (folder.path / "link.TSN").string()).ok);
#endif
    EXPECT_EQ(stateJson(*game), before);
}

// What the rules never reach is refused at its line, with the reason, and
// the running game stays as it was: a file the game wrote never loads as
// another game.
TEST_F(SavedGameTest, WhatTheRulesNeverReachIsRefusedAtItsLine) {
    game->turn = 4;
    const std::string good = saveGameText(*game);
    ASSERT_TRUE(loadGameText(*game, good).ok);
    const std::string recruits = good.substr(good.find("recruits ") + 9, 30);
    // The lines whose values are drawn, each whole.
    auto lineWith = [&](const std::string& start) {
        const std::size_t at = good.find(start);
        return good.substr(at, good.find('\n', at) - at);
    };
    const std::string marks = lineWith("# marks ");
    std::string gothsApart = marks;
    gothsApart[8 + static_cast<std::size_t>(ProvinceId::Sarmatia)] = '1';
    const std::string dice = lineWith("# dice ");
    std::string wide = "70";
    for (int i = 1; i < kProvinceCount; ++i) {
        wide += " 0";
    }
    struct Edit {
        std::string from;
        std::string to;
        std::string says;
    };
    const std::vector<Edit> edits{
        {"75000   # treasury", "-1   # treasury", "the treasury is -1, beyond"},
        {"75000   # treasury", "-1000000000   # treasury", "the treasury is -1000000000"},
        {"0   # plague counter", "20   # plague counter", "the plague counter is 20"},
        {"0   # plague counter", "-1   # plague counter", "the plague counter is -1"},
        {"# plague counter\n", "# plague counter\n15   # roman tribute owned by barbarians\n",
         "tribe 0 is 15"},
        // A count grows by one a year at most: by 6 in the fourth year.
        {recruits, "7" + recruits.substr(1), "a recruiting count is 7, beyond"},
        {recruits, wide, "a recruiting count is 70"},
        {"# results 0 0 0", "# results 21 0 0", "the number of invasions is 21"},
        {"# results 0 0 0", "# results 0 5 0", "the number of plagues is 5"},
        {"# results 0 0 0", "# results 0 0 13", "the number of rebellions is 13"},
        {"# results 0 0 0", "# results 0 0", "the results should be 3 numbers"},
        {"# economy 0 0", "# economy 0 100", "not 375 for each legion"},
        {"# economy 0 0", "# economy 99999 0", "last year's taxes is 99999"},
        {"# marks 0", "# marks 1", "Italia cannot bear the mark"},
        {"# marks 0", "# marks 3", "Italia cannot bear the mark"},
        {marks, gothsApart, "Sarmatia and Lower Danube"},
        {"# marks 0", "# marks ", "the marks should be 30 digits"},
        {"# shown", "# shown dacia", "the dacia hint is shown only after the britannia hint"},
        {"# shown", "# shown cap cap", "not \"cap\""},
        {"# shown", "# shown hint", "not \"hint\""},
        {dice, "# dice 4294967296", "the state of the dice is 4294967296"},
        {dice, "# dice -", "the state of the dice should be a whole number"},
        {"# results", "# dice 1\n# results", "the fact \"dice\" is told twice"},
        {"# economy", "# weather fair\n# economy", "an unknown fact after the last legion block"},
        {"# results 0 0 0\n", "", "the fact \"results\" is missing"},
        {"# end\n", "", "the file ends before the end of the facts"},
        {"# end\n", "# end\nRomans-provinces\n", "there is more after the end of the facts"},
    };
    for (const Edit& e : edits) {
        SCOPED_TRACE(e.to);
        const std::string text = edited(good, e.from, e.to);
        const std::string error = expectRejected(text);
        EXPECT_NE(error.find(e.says), std::string::npos) << error;
        EXPECT_EQ(error.rfind("Unable to load the game, line ", 0), 0u) << error;
    }
}

}  // namespace
}  // namespace tessarion
