#pragma once

#include "model/Legion.h"

namespace tessarion {

class Empire;
class Realm;
class RomanEmpire;
struct Province;

// The release of a dragged legion at a map point; true when an attack, move or
// route order was carried out and the map must be redrawn.
bool dropLegion(Realm& realm, int x, int y);

// A legion of the empire stands in the province with neither moved nor a route.
bool hasReadyLegion(const Empire& empire, const Province* province);
// A legion of the empire stands in the province and has not moved.
bool hasUnmovedLegionIn(const Empire& empire, const Province* province);

// Gives the route to the first unmoved legion in the province.
Legion* setLegionRoute(Empire& empire, const Province* province, const Route& route);

// Move into, or attack, a neighbouring province.
void attackProvince(Province* target, RomanEmpire& attacker, Province* source);

void moveLegionInto(Legion* legion, Province* province);

}  // namespace tessarion
