#pragma once

#include <optional>
#include <string>

#include "model/Empire.h"

namespace tessarion {

class Realm;

// A foreign power run by the computer: every legion follows its route, seizes
// an undefended neighbour, attacks a Roman garrison no larger than its own
// force, or plans its way to the nearest land the power does not hold.
class EnemyEmpire : public Empire {
  public:
    EnemyEmpire(Realm& inRealm, Power which, int colour);

    void updateLegions() override;
    // The province an invading army marches on, or none.
    virtual Province* chooseTarget() = 0;

    // True when the attacking legion survives; a lost attacker is gone from
    // the list.
    bool attackNeighbour(Empire* defender, Legion* legion, Province* target);
    // The route to the nearest province this power does not hold, if any.
    std::optional<Route> planRoute(Province* start);
    // One step of one of this power's legions along its route; false when the
    // legion was lost (it is gone from the list).
    bool followRoute(Legion* legion);
    void raiseInvasionArmy(Province* origin, Province* target, int count);
    void announceInvasion(const std::string& text);

    // The world with the Romans this power fights.
    Realm& realm;

  private:
    // Whether the legion took a neighbour nobody defends.
    bool seizeUndefendedNeighbour(Legion* legion);
    // Whether the legion attacked a Roman garrison small enough in reach
    // (it may not have survived the attack).
    bool attackWeakGarrison(Legion* legion);
};

}  // namespace tessarion
