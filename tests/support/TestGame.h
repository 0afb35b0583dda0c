#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <functional>
#include <initializer_list>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "game/Game.h"
#include "model/FrontEnd.h"
#include "model/Random.h"

namespace tessarion::test {

// Records everything the rules show: the boxes, the calls on the screen, the
// sounds, marches and flashing legions; questions are answered from a queue
// (No when it is empty).
class RecordingFrontEnd : public FrontEnd {
  public:
    void showMessage(const std::string& text) override { messages.push_back(text); }
    bool askYesNo(const std::string& text, const Question&) override {
        questions.push_back(text);
        if (answers.empty()) {
            return false;
        }
        const bool a = answers.front();
        answers.pop_front();
        return a;
    }
    bool saw(const std::string& fragment) const { return anyHas(messages, fragment); }
    bool asked(const std::string& fragment) const { return anyHas(questions, fragment); }

    void redrawScreen() override { calls.push_back("redraw"); }
    void showComputerTurn() override { calls.push_back("banner"); }
    void clearShownMoves() override { calls.push_back("clearMoves"); }
    void zoomFrame(int x, int y) override {
        calls.push_back("zoom " + std::to_string(x) + "," + std::to_string(y));
    }
    void openPictureBox(const std::string& picture) override {
        calls.push_back("picture " + picture);
    }
    void showResults(int, int, int) override { calls.push_back("results"); }
    void showChronicle() override { calls.push_back("chronicle"); }
    void quit() override {
        calls.push_back("quit");
        quitRequested = true;
    }
    void postCommand(int id, int param) override {
        calls.push_back("post " + std::to_string(id) + " " + std::to_string(param));
    }
    int count(const std::string& call) const {
        return static_cast<int>(std::count(calls.begin(), calls.end(), call));
    }

    void playSound(Sound sound) override { sounds.push_back(sound); }
    void animateMove(Province* from, Province* to) override {
        moves.push_back(from->name + ">" + to->name);
    }
    void flashLegion(Power who, Province* where) override {
        flashes.push_back(std::string(powerName(who)) + "@" + where->name);
    }
    void refreshReports() override {
        ++newsRefreshes;
        if (onNews) {
            onNews();
        }
    }

    std::vector<std::string> messages;
    std::vector<std::string> questions;
    std::deque<bool> answers;
    std::vector<std::string> calls;
    bool quitRequested = false;
    std::vector<Sound> sounds;
    std::vector<std::string> moves;    // "From>To"
    std::vector<std::string> flashes;  // "Empire@Province"
    int newsRefreshes = 0;
    std::function<void()> onNews;

  private:
    static bool anyHas(const std::vector<std::string>& texts, const std::string& fragment) {
        return std::any_of(texts.begin(), texts.end(), [&](const std::string& t) {
            return t.find(fragment) != std::string::npos;
        });
    }
};

// A fresh game with a recording front end installed.
class GameTest : public ::testing::Test {
  protected:
    void SetUp() override {
        game_ = std::make_unique<Game>(12345);
        frontEndScope_.emplace(*game_, frontEnd);
    }
    void TearDown() override {
        frontEndScope_.reset();
        game_.reset();
    }

    Game& game() { return *game_; }
    Province* p(const std::string& name) { return game_->findProvince(name); }
    // A new game as start-up makes it.
    void newGame(int skill = 1) {
        game_->setSkillLevel(skill);
        game_->startNewGame();
    }
    // Empties every power's legions (provinces stay as they are).
    void clearAllLegions() {
        for (Empire* e : game_->powers()) {
            e->clearLegions();
        }
    }
    void give(Empire& e, const std::string& province, int count = 1) {
        game_->addLegions(province, &e, count);
    }
    void moveOwner(const std::string& province, Empire* to) {
        Province* q = p(province);
        for (Empire* e : game_->powers()) {
            if (e->ownsProvince(q)) {
                e->removeProvince(q);
            }
        }
        if (to != nullptr) {
            to->addProvince(q);
        }
    }

    RecordingFrontEnd frontEnd;
    // What tests read: the advisor's boxes and the calls on the screen.
    RecordingFrontEnd& advisor = frontEnd;
    RecordingFrontEnd& screen = frontEnd;

  private:
    std::optional<FrontEndScope> frontEndScope_;
    std::unique_ptr<Game> game_;
};

// A new game with nobody's legions on the map, for tests that place their own.
class EmptyMapTest : public GameTest {
  protected:
    void SetUp() override {
        GameTest::SetUp();
        newGame();
        clearAllLegions();
    }
};

// Every legion of every power as a line of text, in list order: two games
// that played alike print alike.
inline std::vector<std::string> legionsOf(Game& game) {
    std::vector<std::string> out;
    for (Empire* e : game.powers()) {
        for (const auto& l : e->legions) {
            out.push_back(e->name + " " + l->province->name + (l->moved ? " moved" : "") +
                          (l->hasRoute ? " step " + std::to_string(l->routeIndex) : ""));
        }
    }
    return out;
}

// The game's next draws return exactly these values, in order (e.g. {1}
// wins the next battle, whose draw must be odd).
inline void rigDraws(World& world, std::initializer_list<int> values) {
    world.random.rig(values);
}

}  // namespace tessarion::test
