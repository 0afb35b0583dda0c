#include "opponents/Sassanids.h"

#include <array>

#include "engine/Realm.h"
#include "model/Random.h"
#include "model/Wording.h"

namespace tessarion {

void Sassanids::endTurn() {
    const int level = realm.skillLevel();
    const bool attack = realm.random.draw() % kSkill.sassanidOdds[level] == 0;
    if (attack) {
        realm.invasionCount += 1;
    }
    if (attack && legions.empty()) {
        const int size = kSkill.sassanidArmy[level] + realm.random.draw() % 5;
        Province* origin = realm.province(realm.random.draw() % 2 == 0 ? ProvinceId::Mesopotamia
                                                                       : ProvinceId::Armenia);
        if (Province* target = chooseTarget()) {
            raiseInvasionArmy(origin, target, size);
            if (realm.sassanidWarningPending) {
                announceInvasion(N_("The Sassanids have crossed the Tigris!"));
                realm.sassanidWarningPending = false;
            }
        }
    }
    updateLegions();
}

Province* Sassanids::chooseTarget() {
    using P = ProvinceId;
    static constexpr std::array kTargets = {P::Pontus,   P::Lydia,   P::Cappadocia,
                                            P::Phrygia,  P::Syria,   P::Palestina,
                                            P::Aegyptus, P::Thracia, P::Macedonia};
    std::array<Province*, kTargets.size()> candidates{};
    int count = 0;
    for (const ProvinceId id : kTargets) {
        Province* p = realm.province(id);
        const Empire* owner = realm.getOwner(p);
        if (owner == nullptr || owner->power == Power::Romans ||
            owner->power == Power::RebellingLegions) {
            candidates[static_cast<std::size_t>(count++)] = p;
        }
    }
    if (count == 0) {
        return nullptr;
    }
    return candidates[static_cast<std::size_t>(realm.random.draw() % count)];
}

}  // namespace tessarion
