#include "model/Empire.h"

#include <algorithm>

#include "model/FrontEnd.h"
#include "model/InternalError.h"
#include "model/Province.h"
#include "model/Random.h"
#include "model/World.h"

namespace tessarion {

bool sameProvince(const Province* a, const Province* b) {
    if (a == b) {
        return true;
    }
    return a != nullptr && b != nullptr && a->name == b->name;
}

Empire::Empire(World& inWorld, std::string empireName, int colour)
    : world(inWorld), name(std::move(empireName)), colourIndex(colour) {}

Empire::~Empire() {
    clearLegions();
}

void Empire::endTurn() {
    recruit();
}

void Empire::updateLegions() {
    // The index moves on by one whatever happens to the list, so a legion that
    // moves up into the current slot after a loss waits for the next call. The
    // list never grows during the walk, so it ends after at most as many
    // examinations as there were legions; more would mean the walk is stuck.
    const std::size_t limit = legions.size();
    std::size_t examined = 0;
    for (std::size_t i = 0; i < legions.size(); ++i) {
        if (++examined > limit) {
            throw InternalError("Empire::updateLegions() stuck in loop!");
        }
        Legion* legion = legions[i].get();
        if (legion->hasRoute) {
            moveLegionStep(legion);
        }
    }
}

void Empire::recruit() {
    for (std::size_t i = 0; i < provinces.size(); ++i) {
        Province* p = provinces[i];
        if (p->name != "Dacia") {
            p->recruitCounter += 1;
        }
        if (p->recruitCounter > 2) {
            p->recruitCounter = 0;
            createLegion(p);
        }
    }
}

void Empire::addProvince(Province* province) {
    if (!ownsProvince(province)) {
        provinces.push_back(province);
    }
}

void Empire::removeProvince(Province* province) {
    auto it = std::find_if(provinces.begin(), provinces.end(),
                           [&](const Province* p) { return sameProvince(p, province); });
    if (it == provinces.end()) {
        throw InternalError("error: province" + province->name + " not found in empire" + name);
    }
    provinces.erase(it);
}

bool Empire::ownsProvince(const Province* province) const {
    return std::any_of(provinces.begin(), provinces.end(),
                       [&](const Province* p) { return sameProvince(p, province); });
}

int& Empire::countIn(const Province* province) const {
    // A handful of entries at most (one per province with legions): the
    // pointer finds the entry almost always, the name covers a copy of a
    // province that is not the table's own.
    for (ProvinceCount& entry : counts_) {
        if (entry.province == province) {
            return entry.legions;
        }
    }
    for (ProvinceCount& entry : counts_) {
        if (sameProvince(entry.province, province)) {
            return entry.legions;
        }
    }
    counts_.push_back({province, 0});
    return counts_.back().legions;
}

int Empire::legionsIn(const Province* province) const {
    if (!countsValid_ || counted_ != legions.size()) {
        counts_.clear();
        for (const auto& l : legions) {
            countIn(l->province) += 1;
        }
        counted_ = legions.size();
        countsValid_ = true;
    }
    const int count = countIn(province);
#ifndef NDEBUG
    // Every test and differential check runs through here: a count out of
    // step would change the rules, so it is caught where it happens.
    const auto counted = std::count_if(legions.begin(), legions.end(), [&](const auto& l) {
        return sameProvince(l->province, province);
    });
    if (counted != count) {
        throw InternalError("Empire::legionsIn() out of step for " + name + " in " +
                            (province != nullptr ? province->name : std::string("nowhere")));
    }
#endif
    return count;
}

bool Empire::countsInStep() {
    countsValid_ = countsValid_ && counted_ == legions.size();
    return countsValid_;
}

void Empire::legionMoved(const Province* from, const Province* to) {
    if (countsInStep() && !sameProvince(from, to)) {
        countIn(from) -= 1;
        countIn(to) += 1;
    }
}

void Empire::legionGone(const Legion& legion) {
    if (countsInStep()) {
        countIn(legion.province) -= 1;
        counted_ -= 1;
    }
}

void Empire::removeLegionsIn(const Province* province) {
    while (destroyFirstLegionIn(province, [](const Legion&) { return true; })) {
    }
}

void Empire::clearLegions() {
    // All at once: erasing one at a time from the front costs the square of
    // the count, which a loaded game with thousands of legions would feel.
    legions.clear();
    counts_.clear();
    counted_ = 0;
    countsValid_ = true;
}

void Empire::setRouteForLegionsIn(const Province* province, const Route& route) {
    for (auto& l : legions) {
        if (sameProvince(l->province, province)) {
            l->setRoute(route);
        }
    }
}

bool Empire::hasLegionInAny(const std::vector<Province*>& list) const {
    for (const auto& l : legions) {
        for (const Province* p : list) {
            if (sameProvince(l->province, p)) {
                return true;
            }
        }
    }
    return false;
}

Legion* Empire::createLegion(Province* where) {
    const bool inStep = countsInStep();
    legions.push_back(std::make_unique<Legion>(this, where));
    if (inStep) {
        countIn(where) += 1;
        counted_ += 1;
    }
    return legions.back().get();
}

void Empire::destroyLegionAt(std::size_t index) {
    legionGone(*legions[index]);
    legions.erase(legions.begin() + static_cast<std::ptrdiff_t>(index));
}

std::size_t Empire::indexOf(const Legion* legion) const {
    for (std::size_t i = 0; i < legions.size(); ++i) {
        if (legions[i].get() == legion) {
            return i;
        }
    }
    return legions.size();
}

void Empire::moveLegionStep(Legion* legion) {
    Province* next = legion->nextStep();
    Empire* owner = world.getOwner(next);
    const bool hostile = owner != nullptr && owner->name != name;

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
    frontEnd().playSound(Sound::Battle);
    frontEnd().animateMove(legion->province, next);
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
    if (province->name == "Italia" && previousOwner != nullptr) {
        previousOwner->onCapitalTaken();
    }
    if (beyond) {
        world.addNews("Our raid into " + province->name + " was successful");
        return;
    }
    if (empire->ownsProvince(province)) {
        return;
    }
    empire->addProvince(province);
    if (empire->name == "Romans") {
        world.addNews("We have reconquered " + province->name);
    } else if (previousOwner != nullptr && previousOwner->name == "Romans") {
        world.addNews(province->name + " has been overrun");
    }
}

}  // namespace tessarion
