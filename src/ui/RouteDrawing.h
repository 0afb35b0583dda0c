#pragma once

#include <cstdint>
#include <vector>

namespace tessarion {

class Realm;
class Surface;
struct Province;

// A way across the map as the player is shown it: the provinces from where
// the legions stand to where they would go, and whether the rules take the
// order. A refused order is shown as the straight wish from one to the other.
struct RouteOnMap {
    std::vector<const Province*> steps;
    bool accepted = true;
    bool operator==(const RouteOnMap&) const = default;
};

// The order a drop of the legions of `from` on `to` would give, without giving
// it: the way the rules would send them, or their refusal. Nothing to show
// when the two are one province.
RouteOnMap plannedRoute(Realm& realm, Province* from, Province* to);

// The ways the player's legions standing in the province are following, from
// where they stand on; each different way once.
std::vector<RouteOnMap> legionRoutes(const Realm& realm, const Province* province);

// Colours of the two looks: a way taken, green edged in black, and a way
// refused, near-black dashes edged in white. Red dashes were lost on Roman
// land; dark ones stand out from every power's land, in both maps and to
// every eye.
inline constexpr std::uint32_t kRouteTaken = 0xFF3CE65Au;
inline constexpr std::uint32_t kRouteRefused = 0xFF1E1A24u;
inline constexpr std::uint32_t kRouteEdge = 0xFF000000u;
inline constexpr std::uint32_t kRouteRefusedEdge = 0xFFFFFFFFu;

// The point of a province a route passes through: the middle of its legion
// icon, in the window.
struct RoutePoint {
    int x;
    int y;
};
RoutePoint routePointOf(const Province& province, int layoutOffsetX);

// Draws the route over the map: a taken way as a solid line from icon to icon
// ending in an arrowhead, a refused one dashed, ending in a cross; both edged
// in black so that they read on every colour of the map.
void drawRoute(Surface& target, int layoutOffsetX, const RouteOnMap& route);

}  // namespace tessarion
