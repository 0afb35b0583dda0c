#include "game/GameSession.h"

#include "game/Events.h"
#include "game/Scenarios.h"
#include "model/Random.h"

namespace tessarion {

namespace {
std::unique_ptr<Game> seededGame(std::uint32_t seed) {
    seedRandom(seed);
    return std::make_unique<Game>();
}
}  // namespace

GameSession::GameSession(std::uint32_t seed) : game_(seededGame(seed)) {}

void beginFirstGame(Game& game, int scenario) {
    if (isScenario(scenario)) {
        startScenario(game, scenario);
        return;
    }
    game.startNewGame();
    setUpEvents(game);
}

}  // namespace tessarion
