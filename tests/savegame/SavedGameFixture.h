#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/Console.h"
#include "model/Advisor.h"
#include "model/Game.h"
#include "model/Random.h"
#include "opponents/Events.h"
#include "savegame/SaveGame.h"

namespace tessarion {

// Remembers every box the rules open, so a test can tell a silent load from
// one that bothered the player.
class RecordingAdvisor : public Advisor {
  public:
    void showMessage(const std::string& text) override { messages.push_back(text); }
    bool askYesNo(const std::string& text) override {
        messages.push_back(text);
        return false;
    }
    std::vector<std::string> messages;
};

// A fresh game of a fixed seed, set up as start-up leaves it.
class SavedGameTest : public ::testing::Test {
  protected:
    void SetUp() override {
        newGame(7);
        setAdvisor(&advisor);
    }

    // The process-wide game is the first one constructed, so the old one goes
    // before the new one comes.
    void newGame(std::uint32_t seed) {
        game.reset();
        seedRandom(seed);
        game = std::make_unique<Game>();
        game->startNewGame();
        setUpEvents(*game);
        advisor.messages.clear();
    }
    void TearDown() override {
        setAdvisor(nullptr);
        game.reset();
    }

    Province* province(const std::string& name) { return game->findProvince(name); }

    // Loads the text and insists that it was refused without any change to
    // the running game or a word to the player; returns the refusal's text.
    std::string expectRejected(const std::string& text) {
        const std::string before = stateJson();
        const FileResult result = loadGameText(text);
        EXPECT_FALSE(result.ok);
        EXPECT_EQ(result.caption, "ERROR");
        EXPECT_EQ(stateJson(), before);
        EXPECT_TRUE(advisor.messages.empty());
        return result.error;
    }

    std::unique_ptr<Game> game;
    RecordingAdvisor advisor;
};

}  // namespace tessarion
