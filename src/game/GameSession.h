#pragma once

#include <cstdint>
#include <memory>

#include "game/Game.h"

namespace tessarion {

// The one game of a program run, made the same way by the window, the
// console, the simulator and the screenshot: the generator seeded first (the
// first game's set-up draws from it), then the game.
class GameSession {
  public:
    explicit GameSession(std::uint32_t seed);

    GameSession(const GameSession&) = delete;
    GameSession& operator=(const GameSession&) = delete;

    Game& game() { return *game_; }

  private:
    std::unique_ptr<Game> game_;
};

// The first game of a run: New Game at 235 AD with the history's events, or
// the scenario of a scenario menu command.
void beginFirstGame(Game& game, int scenario = 0);

}  // namespace tessarion
