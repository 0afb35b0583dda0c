#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <regex>
#include <string>
#include <vector>

#include "game/Events.h"
#include "game/Game.h"
#include "game/StateJson.h"
#include "model/FrontEnd.h"
#include "model/Random.h"
#include "savegame/SaveGame.h"
#include "support/TestFolder.h"
#include "support/TestGame.h"

namespace tessarion {

// A file as the game wrote it before it kept the moved marks, the routes,
// the recruiting counts and the facts after the last legion block: every
// note after a comment gone, and the facts.
inline std::string withoutNotes(const std::string& text) {
    static const std::regex kNotes(
        ", (moved|route [0-9a-zA-Z]+ at [0-9]+|recruits [0-9a-zA-Z]+( [0-9]+)*)");
    std::string plain = std::regex_replace(text, kNotes, "");
    const std::size_t facts = plain.find("\n# ");
    return facts == std::string::npos ? plain : plain.substr(0, facts + 1);
}

// The text without the year's records and the chronicle: what a game set up
// by hand (whose records explain nothing) is saved without, and gains when it
// is loaded and saved again.
inline std::string withoutRecords(const std::string& text) {
    static const std::regex kRecords("# (record|entry|last|lastentry|chronicle) [^\n]*\r?\n");
    return std::regex_replace(text, kRecords, "");
}

// The save written again after loading `save`, as the writer of `save` would
// have written it: a file of before the facts (or the notes) gains them.
inline std::string asWrittenBefore(const std::string& again, const std::string& save) {
    const std::size_t facts = again.find("\n# ");
    if (again == save || save.find("\n# ") != std::string::npos || facts == std::string::npos) {
        return again;
    }
    const std::string withoutFacts = again.substr(0, facts + 1);
    return withoutFacts == save ? save : withoutNotes(again);
}

// The text with the first occurrence of `from` changed to `to`.
inline std::string edited(std::string text, const std::string& from, const std::string& to) {
    const std::size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

// A fresh game of a fixed seed, set up as start-up leaves it.
class SavedGameTest : public ::testing::Test {
  protected:
    void SetUp() override { newGame(7); }

    void newGame(std::uint32_t seed) {
        frontEndScope.reset();
        game.reset();
        game = std::make_unique<Game>(seed);
        frontEndScope.emplace(*game, advisor);
        game->startNewGame();
        setUpEvents(*game);
        advisor.messages.clear();
        advisor.questions.clear();
    }
    void TearDown() override {
        frontEndScope.reset();
        game.reset();
    }

    Province* province(const std::string& name) { return game->findProvince(name); }

    // Loads the text and insists that it was refused without any change to
    // the running game or a word to the player; returns the refusal's text.
    std::string expectRejected(const std::string& text) {
        const std::string before = stateJson(*game);
        const FileResult result = loadGameText(*game, text);
        EXPECT_FALSE(result.ok);
        EXPECT_EQ(result.caption, "ERROR");
        EXPECT_EQ(stateJson(*game), before);
        EXPECT_TRUE(advisor.messages.empty());
        EXPECT_TRUE(advisor.questions.empty());
        return result.error;
    }

    std::unique_ptr<Game> game;
    // The boxes the rules open: a refused load must open none.
    test::RecordingFrontEnd advisor;
    std::optional<FrontEndScope> frontEndScope;
};

}  // namespace tessarion
