#include "engine/Orders.h"

#include "engine/Realm.h"
#include "engine/Rebellions.h"
#include "engine/Routes.h"
#include "model/FrontEnd.h"
#include "model/Random.h"

namespace tessarion {

bool hasReadyLegion(const Empire& empire, const Province* province) {
    for (const auto& l : empire.legions) {
        if (sameProvince(l->province, province) && !l->moved && !l->hasRoute) {
            return true;
        }
    }
    return false;
}

bool hasUnmovedLegionIn(const Empire& empire, const Province* province) {
    for (const auto& l : empire.legions) {
        if (sameProvince(l->province, province) && !l->moved) {
            return true;
        }
    }
    return false;
}

Legion* setLegionRoute(Empire& empire, const Province* province, const Route& route) {
    for (auto& l : empire.legions) {
        if (sameProvince(l->province, province) && !l->moved) {
            l->setRoute(route);
            return l.get();
        }
    }
    showMessage("ERROR: setLegionRoute didn't find a legion to move");
    return nullptr;
}

bool dropLegion(Realm& realm, int x, int y) {
    RomanEmpire& romans = realm.romans;
    Province* source = realm.dragSource;

    if (source == nullptr || romans.legions.empty() || !hasReadyLegion(romans, source)) {
        if (source != nullptr && romans.legionsIn(source) > 0) {
            showMessage(
                "Princeps,\r\n\r\nAll the units in the province have already moved.\r\nNotice how "
                "the legion icon "
                "appears grayed out.  You will be\r\nable to move grayed out legions again next "
                "turn.");
        }
        return false;
    }

    Province* target = provinceAt(realm, x, y);
    if (target == nullptr) {
        return false;
    }
    if (target->name == source->name) {
        return false;
    }
    if (isBeyondBorder(target)) {
        Empire* owner = realm.getOwner(target);
        if (owner == nullptr || owner->legionsIn(target) == 0) {
            explainBorderRule(target);
            return false;
        }
    }
    if (isNeighbour(source, target) || isNeighbour(target, source)) {
        attackProvince(target, romans, source);
        return true;
    }
    if (isBeyondBorder(target)) {
        return false;
    }
    Route route = findRoute(realm, source, target);
    if (route.size() < 2) {
        // No way there: no order.
        return false;
    }
    Legion* legion = setLegionRoute(romans, source, route);
    if (legion == nullptr) {
        return false;
    }
    romans.moveLegionStep(legion);
    return true;
}

namespace {

Legion* readyLegionIn(RomanEmpire& attacker, const Province* source) {
    for (auto& l : attacker.legions) {
        if (sameProvince(l->province, source) && !l->hasRoute && !l->moved) {
            return l.get();
        }
    }
    return nullptr;
}

// One battle against the legions holding `target`: either side may lose a
// legion, and the last defender lost gives up the province.
void fightFor(Province* target, RomanEmpire& attacker, Province* source, Legion* acting,
              Empire* owner) {
    Realm& realm = attacker.realm;
    frontEnd().animateMove(acting->province, target);
    const int r = realm.random.draw();
    if (r % 2 == 0) {
        frontEnd().flashLegion(attacker.name, source);
        attacker.destroyFirstLegionIn(source, [](const Legion& l) { return !l.moved; });
        realm.addNews("Our attack on " + target->name + " failed");
        return;
    }
    frontEnd().flashLegion(owner->name, target);
    owner->destroyFirstLegionIn(target, [](const Legion&) { return true; });
    if (owner->legionsIn(target) > 0) {
        acting->moved = true;
        realm.addNews("Enemy legion in " + target->name + " defeated");
        return;
    }
    takeProvince(&attacker, target, realm, owner);
    moveLegionInto(acting, target);
    if (owner->legions.empty() && owner->name != "Rebelling Legions") {
        static constexpr int kOdds[3] = {4, 3, 2};
        const int r2 = realm.random.draw();
        if (r2 % kOdds[realm.skillLevel()] == 0) {
            rebelLegions(target, attacker);
        }
    }
}

}  // namespace

void attackProvince(Province* target, RomanEmpire& attacker, Province* source) {
    Realm& realm = attacker.realm;
    Legion* acting = readyLegionIn(attacker, source);
    if (acting == nullptr) {
        // Callers check for a ready legion first; without one there is nobody
        // to carry out the order.
        return;
    }
    if (acting->province->name != source->name) {
        showMessage("legion's current province (" + acting->province->name +
                    ") doesn't match from->name() (" + source->name);
        return;
    }
    Empire* owner = realm.getOwner(target);
    const bool hostile = owner != nullptr && owner->name != attacker.name;
    if (!hostile) {
        takeProvince(&attacker, target, realm, nullptr);
        moveLegionInto(acting, target);
        return;
    }
    if (owner->legionsIn(target) == 0) {
        takeProvince(&attacker, target, realm, owner);
        moveLegionInto(acting, target);
        return;
    }
    fightFor(target, attacker, source, acting, owner);
}

void moveLegionInto(Legion* legion, Province* province) {
    if (!isBeyondBorder(province)) {
        Province* from = legion->province;
        legion->province = province;
        if (legion->owner != nullptr) {
            legion->owner->legionMoved(from, province);
        }
    }
    legion->moved = true;
}

}  // namespace tessarion
