#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "engine/Routes.h"
#include "savegame/SavedGameFixture.h"

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
        good = saveGameText();
        ASSERT_TRUE(loadGameText(good).ok);
    }

    // The good file with the first occurrence of `from` changed to `to`.
    std::string edited(const std::string& from, const std::string& to) const {
        std::string text = good;
        const std::size_t at = text.find(from);
        EXPECT_NE(at, std::string::npos) << from;
        return at == std::string::npos ? text : text.replace(at, from.size(), to);
    }

    // The number of the line on which `needle` first starts in the good file.
    std::string lineOf(const std::string& needle) const {
        const std::size_t at = good.find(needle);
        return "line " + std::to_string(1 + std::count(good.begin(),
                                                       good.begin() + static_cast<long>(at), '\n'));
    }

    std::string good;
};

TEST_F(LoadRejectionTest, UnknownProvinceNamesInAnyBlock) {
    EXPECT_EQ(
        expectRejected(edited("Britannia\n", "Atlantis\n")),
        "Unable to load the game, " + lineOf("Britannia\n") + ": Bad province name \"Atlantis\"");
    EXPECT_EQ(expectRejected(edited("Italia   # current", "Roma   # current")),
              "Unable to load the game, " + lineOf("Italia   # current") +
                  ": Bad province name \"Roma\"");
    EXPECT_NE(expectRejected(edited("Lydia    #   destination", "lydia    #   destination"))
                  .find("Bad province name \"lydia\""),
              std::string::npos);
    // Names are exact: a blank too many is another name.
    EXPECT_NE(expectRejected(edited("Upper Rhine\n", "Upper  Rhine\n")).find("Bad province name"),
              std::string::npos);
}

TEST_F(LoadRejectionTest, FilesThatEndEarlyAnywhere) {
    std::size_t end = good.find('\n');
    int lines = 0;
    while (end != std::string::npos && end + 1 < good.size()) {
        ++lines;
        // Either the missing line is named, or the count that promised it.
        const std::string error = expectRejected(good.substr(0, end + 1));
        EXPECT_TRUE(error.find("line " + std::to_string(lines + 1) + ": the file ends before") !=
                        std::string::npos ||
                    error.find("more than the rest of the file holds") != std::string::npos)
            << error;
        end = good.find('\n', end + 1);
    }
    EXPECT_GT(lines, 40);
    EXPECT_EQ(expectRejected(""), "Unable to load the game, line 1: the file ends before the turn");
}

TEST_F(LoadRejectionTest, CountsOutOfAllProportion) {
    EXPECT_EQ(
        expectRejected(edited("22    #    number", "-1    #    number")),
        "Unable to load the game, line 10: the number of provinces of the Romans is negative (-1)");
    EXPECT_NE(expectRejected(edited("5    #    number of provinces", "2000000000    #    number"))
                  .find("more than the rest of the file holds"),
              std::string::npos);
    EXPECT_NE(
        expectRejected(edited("9     #    number of legions", "-7     #    number of legions"))
            .find("the number of legions of the Romans is negative (-7)"),
        std::string::npos);
    // Two billion legions must be refused on sight, not reserved for.
    EXPECT_NE(expectRejected(
                  edited("9     #    number of legions", "2000000000     #    number of legions"))
                  .find("the number of legions of the Romans is 2000000000, more than the rest"),
              std::string::npos);
    EXPECT_NE(expectRejected(
                  edited("9     #    number of legions", "99999999999     #    number of legions"))
                  .find("out of range"),
              std::string::npos);
    // More provinces than the map has, with enough lines to hold them.
    std::string many = good;
    many.replace(many.find("22    #    number"), 2, "31");
    for (int i = 0; i < 9; ++i) {
        many.insert(many.find("Germanic Tribes-provinces"), "Italia\n");
    }
    EXPECT_NE(expectRejected(many).find("more than the map has"), std::string::npos);
}

TEST_F(LoadRejectionTest, LinesLongerThanTheFormatAllows) {
    const std::string padded = "Italia   # current province" + std::string(52, '.');
    ASSERT_EQ(padded.size(), 79u);
    ASSERT_TRUE(loadGameText(edited("Italia   # current province", padded)).ok);
    ASSERT_TRUE(loadGameText(good).ok);
    EXPECT_EQ(expectRejected(edited("Italia   # current province", padded + ".")),
              "Unable to load the game, " + lineOf("Italia   # current") +
                  ": the line is longer than 79 characters");
    EXPECT_NE(
        expectRejected(edited("Italia\n", std::string(200000, 'I') + "\n")).find("longer than 79"),
        std::string::npos);
}

TEST_F(LoadRejectionTest, ProvincesListedTwice) {
    EXPECT_EQ(expectRejected(edited("Aquitania\n", "Italia\n")),
              "Unable to load the game, line 12: Italia is listed again (first on line 11, for the "
              "Romans)");
    EXPECT_EQ(expectRejected(edited("Mesopotamia\n", "Syria\n")),
              "Unable to load the game, " + lineOf("Mesopotamia\n") +
                  ": Syria is listed again (first on " + lineOf("Syria\n") + ", for the Romans)");
}

TEST_F(LoadRejectionTest, ValuesNoGameCanHold) {
    EXPECT_NE(
        expectRejected(edited("12   # turn", "-1   # turn")).find("line 1: the turn is negative"),
        std::string::npos);
    // 476 AD ends the game; there is no playing on from it.
    EXPECT_EQ(expectRejected(edited("12   # turn", "241   # turn")),
              "Unable to load the game, line 1: turn 241 is the year 476 AD, when the game is "
              "already over");
    EXPECT_NE(
        expectRejected(edited("12   # turn", "2147483647   # turn")).find("the year 2147483882 AD"),
        std::string::npos);
    EXPECT_NE(expectRejected(edited("12   # turn", "2147483648   # turn")).find("out of range"),
              std::string::npos);
    EXPECT_NE(expectRejected(edited("75000   # treasury", "2000000000   # treasury"))
                  .find("line 2: the treasury"),
              std::string::npos);
    EXPECT_NE(expectRejected(edited("0   # plague counter", "-2147483648   # plague counter"))
                  .find("line 4: the plague counter"),
              std::string::npos);
    // A destination no route leads to: no legion could ever march there.
    EXPECT_EQ(expectRejected(edited("Lydia    #   destination", "Mesopotamia    #   destination")),
              "Unable to load the game, " + lineOf("Lydia    #   destination") +
                  ": there is no route from Armenia to Mesopotamia");
    std::string nul = edited("Italia\n", "Italia");
    nul.insert(nul.find("Italia") + 6, std::string(1, '\0') + "\n");
    EXPECT_NE(expectRejected(nul).find("NUL"), std::string::npos);
}

TEST_F(LoadRejectionTest, TheEdgesOfWhatLoads) {
    ASSERT_TRUE(loadGameText(edited("12   # turn", "240   # turn")).ok);
    EXPECT_EQ(game->year(), 475);
    ASSERT_TRUE(loadGameText(edited("75000   # treasury", "-1000000000   # treasury")).ok);
    EXPECT_EQ(game->romans.treasury, -1000000000);
    // What follows the last legion is never read.
    ASSERT_TRUE(loadGameText(good + "\nanything at all\n").ok);
    // The last line may lack its line feed.
    ASSERT_TRUE(loadGameText(good.substr(0, good.size() - 1)).ok);
    EXPECT_EQ(saveGameText(), good);
    EXPECT_TRUE(advisor.messages.empty());
}

TEST_F(LoadRejectionTest, FilesThatCannotBeRead) {
    const std::string before = stateJson(*game);
    FileResult result = loadGame("/nonexistent-folder/game.TSN");
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.caption, "ERROR");
    EXPECT_EQ(result.error, "Unable to open file");
    result = loadGame("/");
    EXPECT_EQ(result.error, "Unable to open file");
    EXPECT_EQ(stateJson(*game), before);
}

}  // namespace
}  // namespace tessarion
