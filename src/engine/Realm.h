#pragma once

#include "engine/RogueRomans.h"
#include "engine/RomanEmpire.h"
#include "model/World.h"

namespace tessarion {

// The world as the Roman rules see it: the map with the player's empire and
// the legions in revolt. The computer's powers are added by the game above.
class Realm : public World {
  public:
    explicit Realm(std::uint32_t seed = 1)
        : World(seed), romans(*this, "Romans"), rogueRomans(*this, "Rebelling Legions") {}

    RomanEmpire romans;
    RogueRomans rogueRomans;
};

}  // namespace tessarion
