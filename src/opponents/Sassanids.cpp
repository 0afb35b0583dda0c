#include "opponents/Sassanids.h"

#include "engine/Realm.h"
#include "model/Random.h"

namespace tessarion {

void Sassanids::endTurn() {
    static constexpr int kOdds[3] = {4, 3, 2};
    static constexpr int kBaseSize[3] = {2, 4, 7};
    const int level = realm.skillLevel();
    const bool attack = realm.random.draw() % kOdds[level] == 0;
    if (attack) {
        realm.invasionCount += 1;
    }
    if (attack && legions.empty()) {
        const int size = kBaseSize[level] + realm.random.draw() % 5;
        Province* origin =
            realm.findProvince(realm.random.draw() % 2 == 0 ? "Mesopotamia" : "Armenia");
        if (Province* target = chooseTarget()) {
            raiseInvasionArmy(origin, target, size);
            if (realm.sassanidWarningPending) {
                announceInvasion("The Sassanids have crossed the Tigris!");
                realm.sassanidWarningPending = false;
            }
        }
    }
    updateLegions();
}

Province* Sassanids::chooseTarget() {
    std::vector<Province*> candidates;
    for (const char* name : {"Pontus", "Lydia", "Cappadocia", "Phrygia", "Syria", "Palestina",
                             "Aegyptus", "Thracia", "Macedonia"}) {
        Province* p = realm.findProvince(name);
        Empire* owner = realm.getOwner(p);
        if (owner == nullptr || owner->name == "Romans" || owner->name == "Rebelling Legions") {
            candidates.push_back(p);
        }
    }
    if (candidates.empty()) {
        return nullptr;
    }
    return candidates[static_cast<std::size_t>(realm.random.draw() %
                                               static_cast<int>(candidates.size()))];
}

}  // namespace tessarion
