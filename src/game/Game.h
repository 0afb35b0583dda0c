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
// reset it in place. There is no process-wide game: whoever needs the game
// is given it (the program's own is made by `GameSession`).
class Game : public Realm {
  public:
    // The generator is seeded first: building the provinces and the tribes draws.
    explicit Game(std::uint32_t seed = 1);
    ~Game() override;

    Barbarians barbarians;
    Sassanids sassanids;
    std::list<std::unique_ptr<GameEvent>> events;

    std::array<Empire*, 4> powers() override {
        return {&romans, &barbarians, &sassanids, &rogueRomans};
    }

    void resetGame();
    void assignStartingOwners();
    void startNewGame();
};

}  // namespace tessarion
