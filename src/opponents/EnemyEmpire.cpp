#include "opponents/EnemyEmpire.h"

#include <array>
#include <cstdint>

#include "engine/Orders.h"
#include "engine/Realm.h"
#include "engine/Routes.h"
#include "model/FrontEnd.h"
#include "model/Random.h"
#include "model/World.h"
#include "model/YearRecord.h"

namespace tessarion {

namespace {

// A province the route search has reached, and the node it was reached from.
struct SearchNode {
    Province* province;
    int parent;
};
using SearchNodes = std::array<SearchNode, kProvinceCount>;

// Whether `p` lies on the partial route that ends at node `index`.
bool isOnRoute(const SearchNodes& nodes, int index, const Province* p) {
    for (int i = index; i >= 0; i = nodes[static_cast<std::size_t>(i)].parent) {
        if (nodes[static_cast<std::size_t>(i)].province == p) {
            return true;
        }
    }
    return false;
}

// The partial route that ends at node `index`, and then `next`.
Route routeThrough(const SearchNodes& nodes, int index, Province* next) {
    int steps = 1;
    for (int i = index; i >= 0; i = nodes[static_cast<std::size_t>(i)].parent) {
        ++steps;
    }
    Route route(static_cast<std::size_t>(steps));
    route[static_cast<std::size_t>(--steps)] = next;
    for (int i = index; i >= 0; i = nodes[static_cast<std::size_t>(i)].parent) {
        route[static_cast<std::size_t>(--steps)] = nodes[static_cast<std::size_t>(i)].province;
    }
    return route;
}

}  // namespace

EnemyEmpire::EnemyEmpire(Realm& inRealm, Power which, int colour)
    : Empire(inRealm, which, colour), realm(inRealm) {}

void EnemyEmpire::updateLegions() {
    // The rule works by position: a legion that is lost leaves its place to
    // the next, which is visited next. The walk follows slots; only a loss of
    // one of this power's legions before the current one (a defender of this
    // power's own province) shifts positions, and is skipped over.
    LegionList::Walk walk(legions);
    for (std::size_t s = legions.nextFrom(0); s != LegionList::npos;) {
        Legion* legion = legions.at(s);
        walk.watch(s);
        if (legion->hasRoute) {
            followRoute(legion);
        } else if (seizeUndefendedNeighbour(legion)) {
        } else if (attackWeakGarrison(legion)) {
        } else if (std::optional<Route> route = planRoute(legion->province)) {
            legion->setRoute(std::move(*route));
        }
        s = walk.skip(s, walk.lostBefore());
    }
}

bool EnemyEmpire::seizeUndefendedNeighbour(Legion* legion) {
    Province* here = legion->province;
    for (int n = 0; n < here->neighbourCount; ++n) {
        Province* next = here->neighbours[static_cast<std::size_t>(n)];
        if (next == nullptr) {
            continue;
        }
        Empire* owner = realm.getOwner(next);
        if (owner == nullptr || (owner->isRomans() && owner->legionsIn(next) == 0)) {
            takeProvince(this, next, realm, owner);
            moveLegionInto(legion, next);
            return true;
        }
    }
    return false;
}

bool EnemyEmpire::attackWeakGarrison(Legion* legion) {
    Province* here = legion->province;
    for (int n = 0; n < here->neighbourCount; ++n) {
        Province* next = here->neighbours[static_cast<std::size_t>(n)];
        if (next == nullptr) {
            continue;
        }
        const int a = realm.romans.legionsIn(next);
        const int b = legionsIn(here);
        if (a < 1 || a > b) {
            continue;
        }
        Empire* defender = realm.getOwner(next);
        if (defender == nullptr) {
            // Roman legions in a province nobody holds: nobody to fight.
            continue;
        }
        attackNeighbour(defender, legion, next);
        return true;
    }
    return false;
}

bool EnemyEmpire::attackNeighbour(Empire* defender, Legion* legion, Province* target) {
    if (!isNeighbour(legion->province, target)) {
        showMessage(realm, "something strange is going on!");
    }
    const RecordCause battle(realm,
                             defender->isRomans() ? BattleKind::Defence : BattleKind::EnemyAttack,
                             target, legion->province, power, defender->power);
    realm.frontEnd().animateMove(legion->province, target);
    if (realm.random.draw() % 2 == 0) {
        destroyLegion(*legion);
        return false;
    }
    defender->destroyFirstLegionIn(target, [](const Legion&) { return true; });
    if (defender->legionsIn(target) == 0) {
        realm.frontEnd().flashLegion(defender->power, target);
        takeProvince(this, target, realm, defender);
        moveLegionInto(legion, target);
    }
    return true;
}

std::optional<Route> EnemyEmpire::planRoute(Province* start) {
    // Breadth-first over this power's own provinces. A province reached once
    // is reached first along the route the full enumeration would find first,
    // so remembering it changes no result and keeps a power shut in among its
    // own lands from enumerating every path through them. Each province
    // enters the search once, so it fits in place.
    if (start == nullptr || start->index < 0) {
        return std::nullopt;
    }
    SearchNodes nodes;
    int count = 0;
    std::uint32_t reached = 0;
    const auto reach = [&](Province* p, int parent) {
        reached |= std::uint32_t{1} << p->index;
        nodes[static_cast<std::size_t>(count++)] = SearchNode{p, parent};
    };
    reach(start, -1);
    // The nodes double as the queue: they are appended in the order reached.
    for (int index = 0; index < count; ++index) {
        Province* last = nodes[static_cast<std::size_t>(index)].province;
        for (int n = 0; n < last->neighbourCount; ++n) {
            Province* next = last->neighbours[static_cast<std::size_t>(n)];
            // A province already on this partial route is skipped; one reached
            // by another route can only be a province of this power.
            if (next == nullptr || next->index < 0 || isOnRoute(nodes, index, next)) {
                continue;
            }
            if (realm.getOwner(next) != this) {
                Route route = routeThrough(nodes, index, next);
                checkRoute(realm, route);
                return route;
            }
            if ((reached & (std::uint32_t{1} << next->index)) == 0) {
                reach(next, index);
            }
        }
    }
    return std::nullopt;
}

bool EnemyEmpire::followRoute(Legion* legion) {
    Province* next = legion->nextStep();
    Empire* owner = realm.getOwner(next);
    const bool hostile = owner != nullptr && owner != this;
    if (!hostile) {
        addProvince(next);
        legion->advanceAlongRoute();
        return true;
    }
    if (owner->legionsIn(next) == 0) {
        takeProvince(this, next, realm, owner);
        legion->advanceAlongRoute();
        return true;
    }
    return attackNeighbour(owner, legion, next);
}

void EnemyEmpire::raiseInvasionArmy(Province* origin, Province* target, int count) {
    Route route = findRoute(realm, origin, target);
    if (route.size() < 2) {
        // Unreachable: the army stays home.
        route = {origin};
    }
    route.insert(route.begin(), origin);
    const RecordCause army(realm, EntryKind::Invasion, origin, power);
    for (int i = 0; i < count; ++i) {
        createLegion(origin)->setRoute(route);
    }
}

void EnemyEmpire::announceInvasion(const std::string& text) {
    realm.frontEnd().playSound(Sound::March);
    realm.addNews(text);
}

}  // namespace tessarion
