#pragma once

#include "model/Legion.h"

namespace tessarion {

class Empire;
class Game;
struct Province;

// The release of a dragged legion at a map point; true when an attack, move or
// route order was carried out and the map must be redrawn.
bool dropLegion(int x, int y);

// A legion of the empire stands in the province with neither moved nor a route.
bool hasReadyLegion(const Empire& empire, const Province* province);
// A legion of the empire stands in the province and has not moved.
bool hasUnmovedLegionIn(const Empire& empire, const Province* province);

// Gives the route to the first unmoved legion in the province.
Legion* setLegionRoute(Empire& empire, const Province* province, const Route& route);

// Move into, or attack, a neighbouring province.
void attackProvince(Province* target, Empire& attacker, Province* source);

// The province changes hands (or is raided when beyond the frontier).
void takeProvince(Empire* empire, Province* province, Game& game, Empire* previousOwner);

void moveLegionInto(Legion* legion, Province* province);

// The enemy has reached Rome: half the treasury is gone.
void plunderRome(Game& game);

}  // namespace tessarion
