#pragma once

#include "opponents/EnemyEmpire.h"

namespace tessarion {

// Persia beyond the Tigris: one army at a time, only when none of its legions
// is left on the map.
class Sassanids : public EnemyEmpire {
  public:
    explicit Sassanids(Realm& inRealm) : EnemyEmpire(inRealm, Power::Sassanids, 2) {}

    void endTurn() override;
    Province* chooseTarget() override;
};

}  // namespace tessarion
