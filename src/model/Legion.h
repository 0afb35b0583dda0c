#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tessarion {

class Empire;
struct Province;

// The provinces a legion follows: first where it started, last its destination.
using Route = std::vector<Province*>;

// One army unit of any power. Legions have no strength: a power's strength in a
// province is the number of its legions standing there.
struct Legion {
    Legion(Empire* ownerEmpire, Province* where) : owner(ownerEmpire), province(where) {}

    // (Laid out small: a crowded year walks tens of thousands of them.)
    Empire* owner;
    Province* province;
    Route route;
    int routeIndex = 0;
    // Its place in the owner's list (the list's own bookkeeping).
    std::uint32_t slot = 0;
    bool moved = false;
    bool hasRoute = false;

    // Gives the legion a route order from its first entry.
    void setRoute(const Route& newRoute);
    void setRoute(Route&& newRoute);

    // One step along the route; nothing at all without a route.
    void advanceAlongRoute();

    // The province the next step goes to (only while hasRoute).
    Province* nextStep() const { return route[static_cast<std::size_t>(routeIndex) + 1]; }
};

}  // namespace tessarion
