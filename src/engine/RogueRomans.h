#pragma once

#include "model/Empire.h"

namespace tessarion {

// Legions in revolt. They never raise legions and never plan: they walk the
// routes they were given and then stand.
class RogueRomans : public Empire {
  public:
    explicit RogueRomans(World& inWorld) : Empire(inWorld, Power::RebellingLegions, 3) {}

    void endTurn() override { updateLegions(); }
};

}  // namespace tessarion
