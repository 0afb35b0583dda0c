#pragma once

#include "model/Legion.h"

namespace tessarion {

class Empire;
class World;
class Realm;
class RomanEmpire;
struct ArmyGroup;
struct Province;

// The first army group, in table order, that lists the province.
ArmyGroup* findArmyGroup(const Province* province, World& world);

// The army group of the province proclaims its commander emperor and marches
// on Rome.
void rebelLegions(Province* province, RomanEmpire& romans);

// One province goes over to the rebels, its garrison with it.
void revoltProvince(Realm& realm, Province* province);

void addRebelLegions(Realm& realm, Province* province, int count, const Route* route = nullptr);

// Unrest in Britannia, Aegyptus and (without grain) Italia.
void provinceRevolts(RomanEmpire& romans);

bool lacksGrain(Realm& realm);

// The People's Front of Judea rises in Palestina.
void peoplesFront(Realm& realm);

}  // namespace tessarion
