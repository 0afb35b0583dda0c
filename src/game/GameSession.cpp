#include "game/GameSession.h"

#include "game/Events.h"
#include "game/Scenarios.h"

namespace tessarion {

GameSession::GameSession(std::uint32_t seed) : game_(std::make_unique<Game>(seed)) {}

void beginFirstGame(Game& game, int scenario) {
    if (isScenario(scenario)) {
        startScenario(game, scenario);
        return;
    }
    game.startNewGame();
    setUpEvents(game);
}

}  // namespace tessarion
