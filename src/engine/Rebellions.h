#pragma once

#include "model/Legion.h"

namespace tessarion {

class Empire;
class Game;
class RomanEmpire;
struct ArmyGroup;
struct Province;

// The first army group, in table order, that lists the province.
ArmyGroup* findArmyGroup(const Province* province, Game& game);

// The army group of the province proclaims its commander emperor and marches
// on Rome.
void rebelLegions(Province* province, Empire& empire);

// One province goes over to the rebels, its garrison with it.
void revoltProvince(Game& game, Province* province);

void addRebelLegions(Game& game, Province* province, int count, const Route* route = nullptr);

// Unrest in Britannia, Aegyptus and (without grain) Italia.
void provinceRevolts(RomanEmpire& romans);

bool lacksGrain(Game& game);

// The People's Front of Judea rises in Palestina.
void peoplesFront();

}  // namespace tessarion
