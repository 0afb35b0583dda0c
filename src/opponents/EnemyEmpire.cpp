#include "opponents/EnemyEmpire.h"

#include <algorithm>
#include <queue>
#include <unordered_set>

#include "engine/Orders.h"
#include "engine/Realm.h"
#include "engine/Routes.h"
#include "model/FrontEnd.h"
#include "model/Random.h"

namespace tessarion {

EnemyEmpire::EnemyEmpire(Realm& inRealm, std::string empireName, int colour)
    : Empire(inRealm, std::move(empireName), colour), realm(inRealm) {}

void EnemyEmpire::updateLegions() {
    for (std::size_t i = 0; i < legions.size(); ++i) {
        Legion* legion = legions[i].get();
        if (legion->hasRoute) {
            if (!followRoute(i)) {
                --i;  // the next legion moved into this slot
            }
            continue;
        }
        if (seizeUndefendedNeighbour(legion)) {
            continue;
        }
        if (const std::optional<bool> survived = attackWeakGarrison(legion)) {
            if (!*survived) {
                destroyLegionAt(i);
                --i;
            }
            continue;
        }
        if (std::optional<Route> route = planRoute(legion->province)) {
            legion->setRoute(*route);
        }
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
        if (owner == nullptr || (owner->name == "Romans" && owner->legionsIn(next) == 0)) {
            takeProvince(this, next, realm, owner);
            moveLegionInto(legion, next);
            return true;
        }
    }
    return false;
}

std::optional<bool> EnemyEmpire::attackWeakGarrison(Legion* legion) {
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
        return attackNeighbour(defender, legion, next);
    }
    return std::nullopt;
}

bool EnemyEmpire::attackNeighbour(Empire* defender, Legion* legion, Province* target) {
    if (!isNeighbour(legion->province, target)) {
        showMessage("something strange is going on!");
    }
    frontEnd().animateMove(legion->province, target);
    if (realm.random.draw() % 2 == 0) {
        return false;
    }
    defender->destroyFirstLegionIn(target, [](const Legion&) { return true; });
    if (defender->legionsIn(target) == 0) {
        frontEnd().flashLegion(defender->name, target);
        takeProvince(this, target, realm, defender);
        moveLegionInto(legion, target);
    }
    return true;
}

std::optional<Route> EnemyEmpire::planRoute(Province* start) {
    // Breadth-first over this power's own provinces. A province reached once
    // is reached first along the route the full enumeration would find first,
    // so remembering it changes no result and keeps a power shut in among its
    // own lands from enumerating every path through them.
    struct Node {
        Province* province;
        int parent;
    };
    std::vector<Node> nodes{{start, -1}};
    std::unordered_set<std::string> reached{start->name};
    std::queue<int> queue;
    queue.push(0);
    while (!queue.empty()) {
        const int index = queue.front();
        queue.pop();
        Province* last = nodes[static_cast<std::size_t>(index)].province;
        for (int n = 0; n < last->neighbourCount; ++n) {
            Province* next = last->neighbours[static_cast<std::size_t>(n)];
            if (next == nullptr) {
                continue;
            }
            // A province already on this partial route is skipped; one reached
            // by another route can only be a province of this power.
            bool onRoute = false;
            for (int i = index; i >= 0; i = nodes[static_cast<std::size_t>(i)].parent) {
                if (nodes[static_cast<std::size_t>(i)].province->name == next->name) {
                    onRoute = true;
                    break;
                }
            }
            if (onRoute) {
                continue;
            }
            Empire* owner = realm.getOwner(next);
            if (owner == nullptr || owner->name != name) {
                Route route;
                route.push_back(next);
                for (int i = index; i >= 0; i = nodes[static_cast<std::size_t>(i)].parent) {
                    route.push_back(nodes[static_cast<std::size_t>(i)].province);
                }
                std::reverse(route.begin(), route.end());
                checkRoute(route);
                return route;
            }
            if (reached.insert(next->name).second) {
                nodes.push_back(Node{next, index});
                queue.push(static_cast<int>(nodes.size()) - 1);
            }
        }
    }
    return std::nullopt;
}

bool EnemyEmpire::followRoute(std::size_t index) {
    Legion* legion = legions[index].get();
    Province* next = legion->nextStep();
    Empire* owner = realm.getOwner(next);
    const bool hostile = owner != nullptr && owner->name != name;
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
    if (!attackNeighbour(owner, legion, next)) {
        destroyLegionAt(index);
        return false;
    }
    return true;
}

void EnemyEmpire::raiseInvasionArmy(Province* origin, Province* target, int count) {
    Route route = findRoute(realm, origin, target);
    if (route.size() < 2) {
        // Unreachable: the army stays home.
        route = {origin};
    }
    route.insert(route.begin(), origin);
    for (int i = 0; i < count; ++i) {
        createLegion(origin)->setRoute(route);
    }
}

void EnemyEmpire::announceInvasion(const std::string& text) {
    frontEnd().playSound(Sound::March);
    realm.addNews(text);
}

}  // namespace tessarion
