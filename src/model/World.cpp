#include "model/World.h"

#include "model/Empire.h"
#include "model/FrontEnd.h"
#include "model/InternalError.h"

namespace tessarion {

void World::setSkillLevel(int level) {
    skillLevel_ = level >= 0 && level < kSkillLevels ? level : kDefaultSkillLevel;
}

Province* World::findProvince(const std::string& name) {
    for (auto& p : provinces) {
        if (p && p->name == name) {
            return p.get();
        }
    }
    const std::string text = "province " + name + " not found!";
    showMessage(*this, text);
    throw NotFoundError(text);
}

Empire* World::getOwner(const Province* province) {
    if (province == nullptr) {
        return nullptr;
    }
    // The powers' lists keep each province's holders, in the powers' order.
    Empire* candidate = nullptr;
    for (std::size_t i = 0; i < kPowerCount; ++i) {
        if (province->heldBy[i] == 0) {
            continue;
        }
        if (candidate != nullptr) {
            showMessage(*this, "Province is owner by two empires");
        }
        candidate = powerAt(i);
        // The Persians' claim ends the search: the rebels are never asked.
        if (i == powerIndex(Power::Sassanids)) {
            return candidate;
        }
    }
    return candidate;
}

Empire* World::ownerOf(const Province* province) {
    if (province == nullptr) {
        return nullptr;
    }
    for (std::size_t i = 0; i < kPowerCount; ++i) {
        if (province->heldBy[i] != 0) {
            return powerAt(i);
        }
    }
    return nullptr;
}

Empire* World::getEmpire(const std::string& name) {
    for (Empire* e : powers()) {
        if (e->name == name) {
            return e;
        }
    }
    // The rebels' old name, still used by the event table.
    if (name == "Rogue Romans") {
        return empire(Power::RebellingLegions);
    }
    throw InternalError("Unable to find empire :" + name + " Game::getEmpire()");
}

void World::addLegions(const std::string& provinceName, Empire* empire, int count) {
    Province* p = findProvince(provinceName);
    for (int i = 0; i < count; ++i) {
        empire->createLegion(p);
    }
}

void World::addNews(const std::string& text) {
    if (!newsLog.empty() && newsLog.back() == text) {
        return;
    }
    newsLog.push_back(text);
    newsYears.push_back(year());
    if (newsLog.size() > kNewsLogLimit) {
        newsLog.pop_front();
        newsYears.pop_front();
    }
    frontEnd().refreshReports();
}

void World::clearNews() {
    newsLog.clear();
    newsYears.clear();
}

}  // namespace tessarion
