#include "model/Empire.h"

#include <algorithm>

#include "model/FrontEnd.h"
#include "model/InternalError.h"
#include "model/Province.h"
#include "model/Random.h"
#include "model/World.h"
#include "model/YearRecord.h"

namespace tessarion {

Empire::Empire(World& inWorld, Power which, int colour)
    : world(inWorld), power(which), name(powerName(which)), provinces(which), colourIndex(colour) {}

Empire::~Empire() {
    clearLegions();
}

void Empire::endTurn() {
    recruit();
}

void Empire::updateLegions() {
    // The rule works by position: the position moves on by one whatever
    // happens to the list, so when a legion at or before the current one is
    // lost, the legion that moves up into the current position waits for the
    // next call. The walk follows slots instead and skips one legion for each
    // such loss. The list never grows during the walk, so it ends after at most
    // as many examinations as there were legions; more would mean it is stuck.
    LegionList::Walk walk(legions);
    const std::size_t limit = legions.size();
    std::size_t examined = 0;
    for (std::size_t s = legions.nextFrom(0); s != LegionList::npos;) {
        if (++examined > limit) {
            throw InternalError("Empire::updateLegions() stuck in loop!");
        }
        Legion* legion = legions.at(s);
        walk.watch(s);
        if (legion->hasRoute) {
            moveLegionStep(legion);
        }
        s = walk.skip(s, walk.lostBefore() + (walk.lostWatched() ? 1 : 0));
    }
}

void Empire::recruit() {
    for (std::size_t i = 0; i < provinces.size(); ++i) {
        Province* p = provinces[i];
        if (!p->is(ProvinceId::Dacia)) {
            p->recruitCounter += 1;
        }
        if (p->recruitCounter > 2) {
            p->recruitCounter = 0;
            const RecordCause raised(world, EntryKind::Raised, p, power);
            createLegion(p);
        }
    }
}

void Empire::addProvince(Province* province) {
    if (!ownsProvince(province)) {
        provinces.push_back(province);
        world.yearRecord.provinceJoined(*province, power);
    }
}

void Empire::removeProvince(Province* province) {
    auto it = std::find(provinces.begin(), provinces.end(), province);
    if (it == provinces.end()) {
        throw InternalError("error: province" + province->name + " not found in empire" + name);
    }
    provinces.erase(it);
    world.yearRecord.provinceLeft(*province, power);
}

int Empire::legionsIn(const Province* province) const {
    const int count = legions.countIn(province);
#ifndef NDEBUG
    // Every test and differential check runs through here: a count out of
    // step would change the rules, so it is caught where it happens.
    const auto counted = std::count_if(legions.begin(), legions.end(),
                                       [&](const auto& l) { return l->province == province; });
    if (counted != count) {
        throw InternalError("Empire::legionsIn() out of step for " + name + " in " +
                            (province != nullptr ? province->name : std::string("nowhere")));
    }
#endif
    return count;
}

void Empire::checkFirstLegionIn(const Province* province, std::size_t found,
                                bool (*pred)(const Legion&, const void*),
                                const void* context) const {
    std::size_t expected = LegionList::npos;
    for (const auto& l : legions) {
        if (l->province == province && pred(*l, context)) {
            expected = l->slot;
            break;
        }
    }
    if (expected != found) {
        throw InternalError("Empire::destroyFirstLegionIn() found the wrong legion for " + name);
    }
}

void Empire::removeLegionsIn(const Province* province) {
    world.yearRecord.legionsChanged(power, -legions.countIn(province));
    legions.destroyAllIn(province);
}

void Empire::clearLegions() {
    legions.clear();
}

void Empire::setRouteForLegionsIn(const Province* province, const Route& route) {
    for (auto& l : legions) {
        if (l->province == province) {
            l->setRoute(route);
        }
    }
}

bool Empire::hasLegionInAny(const std::vector<Province*>& list) const {
    return std::any_of(list.begin(), list.end(),
                       [&](const Province* p) { return legions.countIn(p) > 0; });
}

Legion* Empire::createLegion(Province* where) {
    world.yearRecord.legionsChanged(power, 1);
    legions.push_back(std::make_unique<Legion>(this, where));
    return legions.back().get();
}

void Empire::destroyLegionAt(std::size_t index) {
    destroyLegion(*legions[index]);
}

void Empire::destroyLegion(const Legion& legion) {
    world.yearRecord.legionsChanged(power, -1);
    legions.destroy(legion);
}

void Empire::legionLost() {
    world.yearRecord.legionsChanged(power, -1);
}

void Empire::moveLegionStep(Legion* legion) {
    Province* next = legion->nextStep();
    Empire* owner = world.getOwner(next);
    const bool hostile = owner != nullptr && owner != this;

    if (!hostile) {
        addProvince(next);
        legion->advanceAlongRoute();
        onConquest(next);
        return;
    }
    if (owner->legionsIn(next) == 0) {
        takeProvince(this, next, world, owner);
        legion->advanceAlongRoute();
        onConquest(next);
        return;
    }

    // A battle: one coin toss, one legion lost by one side.
    const RecordCause battle(world,
                             isRomans()          ? BattleKind::OnRoute
                             : owner->isRomans() ? BattleKind::Defence
                                                 : BattleKind::EnemyAttack,
                             next, legion->province, power, owner->power);
    world.frontEnd().playSound(Sound::Battle);
    world.frontEnd().animateMove(legion->province, next);
    const int r = world.random.draw() % 2;
    if (r == 1) {
        owner->destroyFirstLegionIn(next, [](const Legion&) { return true; });
        if (owner->legionsIn(next) > 0) {
            return;
        }
        takeProvince(this, next, world, owner);
        legion->advanceAlongRoute();
        onConquest(next);
        return;
    }
    // The attacker loses its first unmoved legion in its own province; that may
    // be the moving legion itself, so it must not be touched after this.
    Province* from = legion->province;
    destroyFirstLegionIn(from, [](const Legion& l) { return !l.moved; });
}

void takeProvince(Empire* empire, Province* province, World& world, Empire* previousOwner) {
    const bool beyond = isBeyondBorder(province);
    if (previousOwner != nullptr && !beyond && previousOwner->ownsProvince(province)) {
        previousOwner->removeProvince(province);
    }
    if (province->is(ProvinceId::Italia) && previousOwner != nullptr) {
        previousOwner->onCapitalTaken();
    }
    if (beyond) {
        world.addNews(formatText("Our raid into %s was successful", province->name.c_str()));
        return;
    }
    if (empire->ownsProvince(province)) {
        return;
    }
    empire->addProvince(province);
    if (empire->isRomans()) {
        world.addNews(formatText("We have reconquered %s", province->name.c_str()));
    } else if (previousOwner != nullptr && previousOwner->isRomans()) {
        world.addNews(formatText("%s has been overrun", province->name.c_str()));
    }
}

}  // namespace tessarion
