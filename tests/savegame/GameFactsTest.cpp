#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/Rebellions.h"
#include "engine/Routes.h"
#include "game/Scenarios.h"
#include "savegame/SaveLimits.h"
#include "savegame/SavedGameFixture.h"

namespace tessarion {
namespace {

class GameFactsTest : public SavedGameTest {
  protected:
    // The good file with the first occurrence of `from` changed to `to`.
    static std::string edited(std::string text, const std::string& from, const std::string& to) {
        const std::size_t at = text.find(from);
        EXPECT_NE(at, std::string::npos) << from;
        return at == std::string::npos ? text : text.replace(at, from.size(), to);
    }
};

// What the rules never reach is refused at its line, with the reason, and
// the running game stays as it was: a file the game wrote never loads as
// another game.
TEST_F(GameFactsTest, WhatTheRulesNeverReachIsRefusedAtItsLine) {
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

// The writer never leaves a note out: counts beyond a character and routes
// longer than the old lines load back to the very game.
TEST_F(GameFactsTest, TheWriterKeepsWhatDoesNotFitTheOldLines) {
    game->turn = 100;
    province("Italia")->recruitCounter = 70;
    Province* aegyptus = province("Aegyptus");
    // Standing in Aegyptus at step 10 of a long wait before Africa: a fresh
    // route would march it to Africa at once.
    Route waiting(40, aegyptus);
    waiting.push_back(province("Africa"));
    Legion* legion = game->rogueRomans.createLegion(aegyptus);
    legion->setRoute(waiting);
    legion->routeIndex = 10;
    const std::string text = saveGameText(*game);
    EXPECT_NE(text.find("# turn, recruits 70 "), std::string::npos);
    EXPECT_NE(text.find(" at 10\n"), std::string::npos);

    newGame(9);
    const FileResult loaded = loadGameText(*game, text);
    ASSERT_TRUE(loaded.ok) << loaded.error;
    EXPECT_EQ(withoutRecords(saveGameText(*game)), text);
    EXPECT_EQ(province("Italia")->recruitCounter, 70);
    const Legion& reloaded = *game->rogueRomans.legions.back();
    Route expected(40, province("Aegyptus"));
    expected.push_back(province("Africa"));
    EXPECT_EQ(reloaded.route, expected);
    EXPECT_EQ(reloaded.routeIndex, 10);
}

// Within a turn a game stays saveable: a file at the legion limit of its year
// takes the People's Front as often as the player calls it, and every save
// (the emergency save's check too) loads again.
TEST_F(GameFactsTest, TheFrontAtTheLegionLimitLeavesTheGameSaveable) {
    game->turn = 0;
    game->romans.removeProvince(province("Palestina"));
    game->sassanids.addProvince(province("Palestina"));
    std::size_t others = 0;
    for (const Empire* power : game->powers()) {
        others += power == &game->romans ? 0 : power->legions.size();
    }
    const std::vector<Province*> lands(game->barbarians.provinces.begin(),
                                       game->barbarians.provinces.end());
    for (std::size_t i = 0; others + kSaveLimits.romansUpToTheCap < kSaveLimits.legionsIn(0);
         ++i, ++others) {
        game->barbarians.createLegion(lands[i % lands.size()]);
    }
    const std::string atTheLimit = saveGameText(*game);
    newGame(12);
    ASSERT_TRUE(loadGameText(*game, atTheLimit).ok);
    for (int call = 0; call < 8; ++call) {
        SCOPED_TRACE("call " + std::to_string(call));
        peoplesFront(*game);
        const std::optional<std::string> why = whyUnsavable(*game);
        ASSERT_FALSE(why) << *why;
        const std::string again = saveGameText(*game);
        newGame(13);
        ASSERT_TRUE(loadGameText(*game, again).ok);
    }
    EXPECT_GT(game->romans.legionCount(), 15);
}

// A new game, a scenario and a load of a file of before the facts start the
// game's own facts again: the tribes' lands hostile, the Results counts at
// nothing; the words shown once a run stay said.
TEST_F(GameFactsTest, ANewGameOrAnOldFileStartsTheFactsAgain) {
    const std::string before = withoutNotes(saveGameText(*game));
    for (int start : {0, 1102, -1}) {
        SCOPED_TRACE(start);
        game->barbarians.setTribeHostility(0, 1);
        game->barbarians.setTribeHostility(1, 1);
        game->invasionCount = 34;
        game->rebellionCount = 2;
        game->romans.egyptHintShown = true;
        if (start == 0) {
            game->startNewGame();
        } else if (start > 0) {
            startScenario(*game, start);
        } else {
            ASSERT_TRUE(loadGameText(*game, before).ok);
        }
        EXPECT_EQ(province("Upper Rhine")->hostility, 2);
        EXPECT_EQ(province("Lower Rhine")->hostility, 2);
        EXPECT_EQ(province("Italia")->hostility, 0);
        EXPECT_EQ(game->invasionCount, 0);
        EXPECT_EQ(game->rebellionCount, 0);
        EXPECT_TRUE(game->romans.egyptHintShown);
    }
}

}  // namespace
}  // namespace tessarion
