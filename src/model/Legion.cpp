#include "model/Legion.h"

#include "model/Empire.h"

namespace tessarion {

void Legion::setRoute(const Route& newRoute) {
    route = newRoute;
    routeIndex = 0;
    hasRoute = true;
}

void Legion::setRoute(Route&& newRoute) {
    route = std::move(newRoute);
    routeIndex = 0;
    hasRoute = true;
}

void Legion::advanceAlongRoute() {
    if (!hasRoute) {
        return;
    }
    routeIndex += 1;
    Province* from = province;
    province = route[static_cast<std::size_t>(routeIndex)];
    if (owner != nullptr) {
        owner->legionMoved(*this, from);
    }
    if (static_cast<std::size_t>(routeIndex) + 1 >= route.size()) {
        hasRoute = false;
    }
    moved = true;
}

}  // namespace tessarion
