#pragma once

#include <array>
#include <list>
#include <memory>

#include "engine/Realm.h"
#include "game/GameEvent.h"
#include "opponents/Barbarians.h"
#include "opponents/Sassanids.h"

namespace tessarion {

// The friendly or hostile mark a province bears when a game starts: the lands
// beyond the frontier hostile, the rest unmarked.
inline int startingMark(const Province& province) {
    return isBeyondBorder(&province) ? 2 : 0;
}

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
    std::array<const Empire*, 4> powers() const {
        return {&romans, &barbarians, &sassanids, &rogueRomans};
    }

    // New Game, a scenario and play-again: everything of the game (the
    // Results counts, the marks, last year's figures) but the tribes'
    // countdowns (drawn once a run) and the Prefect's hints and the Persian
    // warning (each once a run), which carry on.
    void resetGame();
    void assignStartingOwners();
    void startNewGame();

    // A loaded game shows nothing of the one it replaced: the file keeps no
    // news, and the economic report shows what the loaded empire's provinces
    // pay and its legions cost (the file keeps no figures either).
    void showLoadedYear();

  private:
    // The news, the plague and last year's figures of the previous game.
    void forgetPreviousGame();
};

}  // namespace tessarion
