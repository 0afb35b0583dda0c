#pragma once

#include <array>
#include <string>

#include "opponents/EnemyEmpire.h"

namespace tessarion {

// The Germanic tribes beyond the Rhine and the Danube: four tribes that offer
// peace for tribute or send armies across the frontier, on their own countdowns.
class Random;

class Barbarians : public EnemyEmpire {
  public:
    Barbarians(Realm& inRealm, std::string empireName);

    void endTurn() override;
    Province* chooseTarget() override;

    std::array<int, 4> tribeCountdown{};

    bool offerPeace(const std::string& tribeName, int years, int price);
    Province* frontierOf(int tribe);
    void setTribeHostility(int tribe, int value);
    void invade(Province* origin);
};

// The tribe named in the news for an army leaving the territory.
std::string tribeNameFor(const std::string& territory, Random& random);

}  // namespace tessarion
