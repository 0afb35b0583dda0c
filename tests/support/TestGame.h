#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "game/Game.h"
#include "model/Advisor.h"
#include "model/Presentation.h"
#include "model/Random.h"

namespace tessarion::test {

// Records every box the rules open and answers questions from a queue
// (No when the queue is empty).
class RecordingAdvisor : public Advisor {
  public:
    void showMessage(const std::string& text) override { messages.push_back(text); }
    bool askYesNo(const std::string& text) override {
        questions.push_back(text);
        if (answers.empty()) {
            return false;
        }
        const bool a = answers.front();
        answers.pop_front();
        return a;
    }
    bool saw(const std::string& fragment) const {
        for (const std::string& m : messages) {
            if (m.find(fragment) != std::string::npos) {
                return true;
            }
        }
        return false;
    }
    bool asked(const std::string& fragment) const {
        for (const std::string& q : questions) {
            if (q.find(fragment) != std::string::npos) {
                return true;
            }
        }
        return false;
    }

    std::vector<std::string> messages;
    std::vector<std::string> questions;
    std::deque<bool> answers;
};

// Records the calls the turn cycle makes on the screen.
class RecordingPresentation : public Presentation {
  public:
    void redrawScreen() override { calls.push_back("redraw"); }
    void showComputerTurn() override { calls.push_back("banner"); }
    void clearShownMoves() override { calls.push_back("clearMoves"); }
    void zoomFrame(int x, int y) override {
        calls.push_back("zoom " + std::to_string(x) + "," + std::to_string(y));
    }
    void openPictureBox(int id) override { calls.push_back("picture " + std::to_string(id)); }
    void showResults(int, int, int) override { calls.push_back("results"); }
    void quit() override {
        calls.push_back("quit");
        quitRequested = true;
    }
    void postCommand(int id, int param) override {
        calls.push_back("post " + std::to_string(id) + " " + std::to_string(param));
    }
    int count(const std::string& call) const {
        int n = 0;
        for (const auto& c : calls) {
            n += c == call;
        }
        return n;
    }

    std::vector<std::string> calls;
    bool quitRequested = false;
};

// A fresh game with a recording advisor and presentation. The rules get the
// game passed; tests of the front end, which reaches the program's game, call
// installGame() to make it the process-wide one.
class GameTest : public ::testing::Test {
  protected:
    void SetUp() override {
        seedRandom(12345);
        game_ = std::make_unique<Game>();
        setAdvisor(&advisor);
        setPresentation(&screen);
    }
    void TearDown() override {
        setAdvisor(nullptr);
        setPresentation(nullptr);
        current_.reset();
        game_.reset();
    }
    void installGame() { current_.emplace(*game_); }

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

    RecordingAdvisor advisor;
    RecordingPresentation screen;

  private:
    std::unique_ptr<Game> game_;
    std::optional<CurrentGame> current_;
};

// Seeds the generator so that the next draws satisfy the checks in order,
// e.g. {{2, 1}} makes the next draw odd. Each entry is (modulus, remainder).
inline void rigDraws(const std::vector<std::pair<int, int>>& wanted) {
    for (std::uint32_t seed = 0;; ++seed) {
        setRandomState(seed);
        bool ok = true;
        for (auto [mod, rem] : wanted) {
            if (gameRand() % mod != rem) {
                ok = false;
                break;
            }
        }
        if (ok) {
            setRandomState(seed);
            return;
        }
    }
}

}  // namespace tessarion::test
