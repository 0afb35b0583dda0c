#pragma once

#include <array>
#include <list>
#include <memory>

#include "engine/Realm.h"
#include "game/GameEvent.h"
#include "opponents/Barbarians.h"
#include "opponents/Sassanids.h"

namespace tessarion {

inline constexpr int kStartingTreasury[kSkillLevels] = {100000, 75000, 50000};

// The whole state of a game: the world with all four powers and the schedule
// of historical events. New Game, a scenario, play-again and loading all
// reset it in place. Constructing one has no effect on anything else: the
// program makes its game the process-wide one with `CurrentGame`.
class Game : public Realm {
  public:
    Game();
    ~Game() override;

    // The process-wide game, or null when there is none (before start-up,
    // after exit, and in tests that pass their game around).
    static Game* current();
    // The process-wide game for the front end; raises InternalError when
    // none is installed (it never makes one up).
    static Game& instance();

    Barbarians barbarians;
    Sassanids sassanids;
    std::list<std::unique_ptr<GameEvent>> events;

    std::array<Empire*, 4> powers() override {
        return {&romans, &barbarians, &sassanids, &rogueRomans};
    }

    void resetGame();
    void assignStartingOwners();
    void startNewGame();

  private:
    friend class CurrentGame;
    static Game* current_;
};

// Makes a game the process-wide one for as long as it lives (the window's,
// the console's and the simulator's game; the game a test hands to the
// screen). The one before it comes back when it ends, so guards nest.
class CurrentGame {
  public:
    explicit CurrentGame(Game& game) : previous_(Game::current_) { Game::current_ = &game; }
    ~CurrentGame() { Game::current_ = previous_; }

    CurrentGame(const CurrentGame&) = delete;
    CurrentGame& operator=(const CurrentGame&) = delete;

  private:
    Game* previous_;
};

}  // namespace tessarion
