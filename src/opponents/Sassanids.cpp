#include "opponents/Sassanids.h"

#include "model/Game.h"
#include "model/Random.h"

namespace tessarion {

void Sassanids::endTurn() {
    Game& game = Game::instance();
    static constexpr int kOdds[3] = {4, 3, 2};
    static constexpr int kBaseSize[3] = {2, 4, 7};
    const int level = game.skillLevel;
    const bool attack = gameRand() % kOdds[level] == 0;
    if (attack) {
        game.invasionCount += 1;
    }
    if (attack && legions.empty()) {
        const int size = kBaseSize[level] + gameRand() % 5;
        Province* origin = game.findProvince(gameRand() % 2 == 0 ? "Mesopotamia" : "Armenia");
        if (Province* target = chooseTarget()) {
            raiseInvasionArmy(origin, target, size);
            if (game.sassanidWarningPending) {
                announceInvasion("The Sassanids have crossed the Tigris!");
                game.sassanidWarningPending = false;
            }
        }
    }
    updateLegions();
}

Province* Sassanids::chooseTarget() {
    Game& game = Game::instance();
    std::vector<Province*> candidates;
    for (const char* name : {"Pontus", "Lydia", "Cappadocia", "Phrygia", "Syria", "Palestina",
                             "Aegyptus", "Thracia", "Macedonia"}) {
        Province* p = game.findProvince(name);
        Empire* owner = game.getOwner(p);
        if (owner == nullptr || owner->name == "Romans" || owner->name == "Rebelling Legions") {
            candidates.push_back(p);
        }
    }
    if (candidates.empty()) {
        return nullptr;
    }
    return candidates[static_cast<std::size_t>(gameRand() % static_cast<int>(candidates.size()))];
}

}  // namespace tessarion
