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
    const std::array<Empire*, 4> all = powers();
    Empire* candidate = nullptr;
    for (Empire* e : all) {
        if (!e->ownsProvince(province)) {
            continue;
        }
        if (candidate != nullptr) {
            showMessage(*this, "Province is owner by two empires");
        }
        candidate = e;
        // The Persians' claim ends the search: the rebels are never asked.
        if (e == all[2]) {
            return e;
        }
    }
    return candidate;
}

Empire* World::ownerOf(const Province* province) {
    for (Empire* e : powers()) {
        if (e->ownsProvince(province)) {
            return e;
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
        return powers()[3];
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
