#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "engine/Orders.h"
#include "engine/RomanEmpire.h"
#include "engine/Routes.h"
#include "game/TurnCycle.h"
#include "model/InternalError.h"
#include "savegame/SaveLimits.h"
#include "savegame/SavedGameFixture.h"
#include "support/Recorded.h"

namespace tessarion {
namespace {

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find('\n', start);
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

// Every "#" comment and the blanks before it, as a hand-written file would be.
std::string withoutComments(const std::string& text) {
    std::string out;
    for (const std::string& line : linesOf(text)) {
        out += readField(line) + "\n";
    }
    return out;
}

class SaveGameFileTest : public SavedGameTest {
  protected:
    // A small position that touches every shape of the file: blanks in names,
    // a power with nothing, a legion on its way, one whose route has been
    // walked to its end, and every fact of the game after the legions.
    void setUpKnownPosition() {
        game->turn = 25;
        game->romans.treasury = 1200;
        game->romans.plague = true;
        game->romans.plagueCounter = 7;
        game->barbarians.tribeCountdown = {3, 0, 12, 5};
        for (Empire* e : game->powers()) {
            e->provinces.clear();
            e->clearLegions();
        }
        for (const char* name : {"Italia", "Aegyptus", "Syria"}) {
            game->romans.addProvince(province(name));
        }
        game->barbarians.addProvince(province("Upper Rhine"));
        game->barbarians.addProvince(province("Lower Danube"));
        game->sassanids.addProvince(province("Mesopotamia"));

        game->romans.createLegion(province("Italia"))
            ->setRoute(findRoute(*game, province("Italia"), province("Lugdunensis")));
        game->romans.createLegion(province("Syria"));
        Legion* arrived = game->romans.createLegion(province("Italia"));
        arrived->setRoute({province("Italia"), province("Raetia")});
        arrived->advanceAlongRoute();
        game->barbarians.createLegion(province("Upper Rhine"));
        game->rogueRomans.createLegion(province("Thracia"))
            ->setRoute(findRoute(*game, province("Thracia"), province("Italia")));
        for (std::size_t i = 0; i < game->provinces.size(); ++i) {
            game->provinces[i]->recruitCounter = static_cast<int>(i % 3);
        }
        game->random.seed(2868424661u);
        game->invasionCount = 9;
        game->plagueCount = 2;
        game->rebellionCount = 1;
        game->romans.lastIncome = 600;
        game->romans.upkeep = 1125;
        game->barbarians.setTribeHostility(0, 1);
        game->romans.egyptHintShown = true;
        game->romans.capWarningShown = true;
        game->sassanidWarningPending = false;
    }
};

// The file of the known position, kept in tests/savegame/known-position.TSN: a change to the
// format shows there, line by line.
TEST_F(SaveGameFileTest, WritesTheKnownPositionByteForByte) {
    setUpKnownPosition();
    std::string text = saveGameText(*game);
    std::erase(text, '\r');  // the file is kept with the one line end
    test::expectAsRecorded(std::string(TESSARION_SOURCE_DIR) + "/tests/savegame/known-position.TSN",
                           text);
    EXPECT_TRUE(advisor.messages.empty());
}

TEST_F(SaveGameFileTest, KnownPositionLoadsIntoAnotherGameInAnyWriting) {
    setUpKnownPosition();
    const std::string text = saveGameText(*game);
    // Byte order marks and other line ends are tried on every stored save.
    for (const std::string& variant : {text, withoutComments(text)}) {
        SCOPED_TRACE(variant.substr(0, 40));
        newGame(99);
        const FileResult result = loadGameText(*game, variant);
        ASSERT_TRUE(result.ok) << result.error;
        // Without its comments a file has no notes: nothing has moved yet
        // and the recruiting counts are the running game's.
        EXPECT_EQ(withoutNotes(saveGameText(*game)), withoutNotes(text));
        EXPECT_EQ(withoutRecords(saveGameText(*game)) == text,
                  variant.find('#') != std::string::npos);
        EXPECT_EQ(game->ownerOf(province("Upper Rhine")), &game->barbarians);
        // Provinces nobody lists belong to nobody after the load.
        EXPECT_EQ(game->ownerOf(province("Britannia")), nullptr);
        EXPECT_TRUE(advisor.messages.empty());
    }
}

TEST_F(SaveGameFileTest, LegionsReloadOnTheirVeryRoutesAndMarks) {
    setUpKnownPosition();
    // A detour half walked: the rest of it is not the shortest way on.
    Legion* detour = game->romans.createLegion(province("Italia"));
    detour->setRoute({province("Italia"), province("Raetia"), province("Pannonia"),
                      province("Dalmatia"), province("Macedonia")});
    detour->advanceAlongRoute();
    ASSERT_EQ(detour->province, province("Raetia"));
    ASSERT_TRUE(detour->moved);
    // Invaders stand a year where they gather, then march.
    Legion* gathering = game->barbarians.createLegion(province("Upper Rhine"));
    gathering->setRoute({province("Upper Rhine"), province("Upper Rhine"), province("Belgica")});
    // Pushed into the province it fought for, its route not yet stepped on.
    Legion* pushed = game->barbarians.createLegion(province("Raetia"));
    pushed->setRoute({province("Upper Rhine"), province("Raetia"), province("Italia")});
    const std::string text = saveGameText(*game);
    EXPECT_NE(text.find("Macedonia    #   destination, route "), std::string::npos);
    EXPECT_NE(text.find(" at 1"), std::string::npos);

    newGame(77);
    ASSERT_TRUE(loadGameText(*game, text).ok);
    EXPECT_EQ(withoutRecords(saveGameText(*game)), text);
    EXPECT_EQ(game->romans.legions.back()->route.size(), 5u);

    // The same file as written before the notes loads as it always did: a
    // fresh shortest route from where each legion stands, nothing moved yet,
    // the running game's recruiting counts.
    newGame(78);
    std::vector<int> counters;
    for (const auto& p : game->provinces) {
        counters.push_back(p->recruitCounter);
    }
    ASSERT_TRUE(loadGameText(*game, withoutNotes(text)).ok);
    const Legion& replanned = *game->romans.legions.back();
    EXPECT_EQ(replanned.routeIndex, 0);
    EXPECT_FALSE(replanned.moved);
    EXPECT_EQ(replanned.route, findRoute(*game, province("Raetia"), province("Macedonia")));
    EXPECT_EQ(replanned.route.size(), 4u);  // Raetia, Italia, Dalmatia, Macedonia
    EXPECT_EQ(game->barbarians.legions[1]->route,
              findRoute(*game, province("Upper Rhine"), province("Belgica")));
    EXPECT_EQ(game->barbarians.legions[2]->route,
              findRoute(*game, province("Raetia"), province("Italia")));
    EXPECT_FALSE(game->romans.legions[2]->moved);
    for (std::size_t i = 0; i < game->provinces.size(); ++i) {
        EXPECT_EQ(game->provinces[i]->recruitCounter, counters[i]);
    }
}

// A legion marked as marching with no route to march on cannot name its
// destination: the text says ERROR there, and the game refuses to write a
// file that it would refuse to read.
TEST_F(SaveGameFileTest, ALegionWithoutItsRouteIsNeverWritten) {
    setUpKnownPosition();
    game->romans.legions[1]->hasRoute = true;
    EXPECT_THROW(saveGameText(*game), InternalError);

    TestFolder folder("unsavable");
    const std::string path = (folder.path / "game.TSN").string();
    std::ofstream(path, std::ios::binary) << "the old save\n";
    const FileResult result = saveGame(*game, path);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.error,
              "Unable to save the game: a legion of the Romans in Syria marches without a "
              "destination");
    EXPECT_EQ(contentsOf(path), "the old save\n");
}

// The writer holds to the reader's limits: what it writes loads again, and
// what it cannot write that way it refuses, the old save untouched.
TEST_F(SaveGameFileTest, TheWriterKeepsToTheReadersLimits) {
    setUpKnownPosition();
    TestFolder folder("limits");
    const std::string path = (folder.path / "game.TSN").string();
    game->turn = 0;
    game->invasionCount = game->plagueCount = game->rebellionCount = 0;
    game->romans.treasury = kSaveLimits.treasury;
    game->romans.plagueCounter = kSaveLimits.plagueCounter;
    game->barbarians.tribeCountdown[2] = kSaveLimits.tribeCountdown;
    ASSERT_TRUE(saveGame(*game, path).ok) << saveGame(*game, path).error;
    const std::string atTheLimits = saveGameText(*game);
    newGame(5);
    ASSERT_TRUE(loadGame(*game, path).ok);
    EXPECT_EQ(withoutRecords(saveGameText(*game)), atTheLimits);

    // A year of taxes on top of the most a save of the first year may hold.
    game->romans.treasury = kSaveLimits.treasury + 5000;
    FileResult result = saveGame(*game, path);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.error,
              "Unable to save the game: the treasury is 1000005000, beyond what a "
              "saved game may hold");
    EXPECT_EQ(contentsOf(path), atTheLimits);
    // A year later, a year's taxes later.
    game->turn = 1;
    result = saveGame(*game, path);
    EXPECT_TRUE(result.ok) << result.error;
}

// A load shows the loaded game alone: none of the news of the game it
// replaces (however often it is loaded), the plague as the file has it, and
// the figures, Results counts, marks and words shown of the saved game. A
// file of before the facts shows the taxes and pay of the loaded empire,
// starts the counts again, marks the tribes' lands hostile as at the start,
// and keeps the running game's words shown (each is said once a run). The
// skill level stays the running game's, and the chronicle is the loaded game's.
TEST_F(SavedGameTest, ALoadedGameShowsItsOwnYear) {
    game->romans.plague = true;
    game->romans.plagueCounter = 5;
    const std::string plagued = withoutNotes(saveGameText(*game));
    game->romans.plague = false;
    game->romans.plagueCounter = 0;
    game->romans.removeProvince(province("Britannia"));
    game->addLegions("Syria", &game->romans, 2);
    game->turn = 3;
    game->invasionCount = 7;
    game->romans.lastIncome = 8400;
    game->romans.upkeep = 375 * 11;
    game->barbarians.setTribeHostility(3, 1);
    game->romans.egyptHintShown = true;
    const std::string healthy = saveGameText(*game);
    const int taxes = collectTaxes(game->romans);
    const int pay = game->romans.legionCount() * kLegionPay;

    newGame(8);
    game->setSkillLevel(2);
    for (const std::string& text : {healthy, withoutNotes(healthy)}) {
        const bool facts = text == healthy;
        SCOPED_TRACE(facts ? "with the facts" : "before the facts");
        game->addNews("Italia has been overrun");
        game->romans.lastIncome = 1;
        game->romans.upkeep = 2;
        game->invasionCount = 4;
        game->romans.egyptHintShown = false;
        game->romans.britanniaHintShown = true;
        game->barbarians.setTribeHostility(1, 1);
        game->chronicle.resize(3);  // the years of the game it replaces
        ASSERT_TRUE(loadGameText(*game, text).ok);
        ASSERT_TRUE(loadGameText(*game, text).ok);
        EXPECT_EQ(game->chronicle.size(), 1u);
        EXPECT_EQ(game->skillLevel(), 2);
        EXPECT_TRUE(game->newsLog.empty());
        EXPECT_TRUE(game->newsYears.empty());
        EXPECT_EQ(game->invasionCount, facts ? 7 : 0);
        EXPECT_EQ(game->romans.egyptHintShown, facts);
        EXPECT_EQ(game->romans.britanniaHintShown, !facts);
        EXPECT_EQ(game->romans.lastIncome, facts ? 8400 : taxes);
        EXPECT_EQ(game->romans.upkeep, facts ? 375 * 11 : pay);
        EXPECT_EQ(province("Upper Rhine")->hostility, 2);
        EXPECT_EQ(province("Sarmatia")->hostility, facts ? 1 : 2);
    }

    ASSERT_TRUE(loadGameText(*game, plagued).ok);
    EXPECT_TRUE(game->romans.plague);
    EXPECT_EQ(game->romans.plagueCounter, 5);
    EXPECT_EQ(game->romans.lastIncome, collectTaxes(game->romans)) << "a quarter, in the plague";
    EXPECT_LT(game->romans.lastIncome, taxes);
}

// The writer never leaves a note out: counts beyond a character and routes
// longer than the old lines load back to the very game.
TEST_F(SavedGameTest, TheWriterKeepsWhatDoesNotFitTheOldLines) {
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
    Route expected(40, province("Aegyptus"));
    expected.push_back(province("Africa"));
    EXPECT_EQ(game->rogueRomans.legions.back()->route, expected);
}

// Games saved from real play (seeded campaigns and the scenarios), as other
// systems and editors leave them.
class EditedSaveTest : public SavedGameTest {
  protected:
    std::vector<std::string> saves() {
        std::vector<std::string> texts;
        for (const auto& entry : std::filesystem::directory_iterator(TESSARION_SAVES)) {
            if (entry.path().extension() == ".TSN") {
                texts.push_back(contentsOf(entry.path()));
            }
        }
        EXPECT_GE(texts.size(), 10u);
        return texts;
    }
};

// What editors and other systems do to a text file without changing a word
// of it still loads to the same game.
TEST_F(EditedSaveTest, ByteOrderMarkLineEndsAndTrailingBlanksAreHarmless) {
    for (const std::string& save : saves()) {
        std::string crlf;
        std::string padded;
        for (const std::string& line : linesOf(save)) {
            crlf += line + "\r\n";
            padded += line + " \t \n";
        }
        for (const std::string& variant :
             {"\xEF\xBB\xBF" + save, crlf, "\xEF\xBB\xBF" + crlf, padded, save + "\n\n  \n",
              save.substr(0, save.size() - 1)}) {
            newGame(3);
            const FileResult result = loadGameText(*game, variant);
            ASSERT_TRUE(result.ok) << result.error;
            const std::string resaved = saveGameText(*game);
            EXPECT_EQ(asWrittenBefore(resaved, save), save);
        }
    }
}

}  // namespace
}  // namespace tessarion
