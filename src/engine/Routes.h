#pragma once

#include "model/Legion.h"
#include "model/Province.h"

namespace tessarion {

class World;
struct Province;

// Why Roman troops stay out of a land beyond the frontier, in the advisor's
// words (empty for a province inside it).
const char* borderRuleExplanation(const Province* province);

// The shortest route from `from` to `to` over the neighbour lists; among
// routes of equal length the one whose steps come earliest in each
// province's neighbour list. Empty when `to` cannot be reached.
Route findRoute(World& world, Province* from, Province* to);
// The same route, with no report however it turns out.
Route shortestRoute(Province* from, Province* to);

// Reports "Route is invalid" at the first step between two provinces that are
// not neighbours. The route is used either way.
void checkRoute(World& world, const Route& route);

}  // namespace tessarion
