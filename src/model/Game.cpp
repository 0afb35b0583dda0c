#include "model/Game.h"

#include "model/Advisor.h"
#include "model/InternalError.h"
#include "model/Random.h"
#include "opponents/Events.h"

namespace tessarion {

namespace {
Game* gGame = nullptr;
// A game that a rule had to create by itself, freed at exit.
std::unique_ptr<Game> gImplicitGame;
}  // namespace

Game* Game::current() {
    return gGame;
}

Game& Game::instance() {
    if (gGame == nullptr) {
        gImplicitGame = std::make_unique<Game>();
    }
    return *gGame;
}

Game::Game()
    : romans("Romans"),
      barbarians("Germanic Tribes"),
      sassanids("Sassanids"),
      rogueRomans("Rebelling Legions") {
    // The newest game is the process-wide one, so replacing a game by a new
    // one never leaves the rules without it.
    gGame = this;
    buildProvinceTable(*this);
}

Game::~Game() {
    // Legions point at provinces, so the powers give up their legions before
    // the provinces go.
    for (Empire* e : {static_cast<Empire*>(&rogueRomans), static_cast<Empire*>(&sassanids),
                      static_cast<Empire*>(&barbarians), static_cast<Empire*>(&romans)}) {
        e->clearLegions();
        e->provinces.clear();
    }
    for (auto& p : provinces) {
        p.reset();
    }
    newsLog.clear();
    events.clear();
    armyGroups.clear();
    if (gGame == this) {
        gGame = nullptr;
    }
}

Province* Game::findProvince(const std::string& name) {
    for (auto& p : provinces) {
        if (p && p->name == name) {
            return p.get();
        }
    }
    const std::string text = "province " + name + " not found!";
    showMessage(text);
    throw NotFoundError(text);
}

Empire* Game::getOwner(const Province* province) {
    Empire* candidate = nullptr;
    if (romans.ownsProvince(province)) {
        candidate = &romans;
    }
    if (barbarians.ownsProvince(province)) {
        if (candidate != nullptr) {
            showMessage("Province is owner by two empires");
        }
        candidate = &barbarians;
    }
    if (sassanids.ownsProvince(province)) {
        if (candidate != nullptr) {
            showMessage("Province is owner by two empires");
        }
        return &sassanids;
    }
    if (rogueRomans.ownsProvince(province)) {
        if (candidate != nullptr) {
            showMessage("Province is owner by two empires");
        }
        candidate = &rogueRomans;
    }
    return candidate;
}

Empire* Game::ownerOf(const Province* province) {
    for (Empire* e : powers()) {
        if (e->ownsProvince(province)) {
            return e;
        }
    }
    return nullptr;
}

Empire* Game::getEmpire(const std::string& name) {
    if (name == "Romans") {
        return &romans;
    }
    if (name == "Germanic Tribes") {
        return &barbarians;
    }
    if (name == "Sassanids") {
        return &sassanids;
    }
    if (name == "Rogue Romans" || name == "Rebelling Legions") {
        return &rogueRomans;
    }
    throw InternalError("Unable to find empire :" + name + " Game::getEmpire()");
}

void Game::addLegions(const std::string& provinceName, Empire* empire, int count) {
    Province* p = findProvince(provinceName);
    for (int i = 0; i < count; ++i) {
        empire->createLegion(p);
    }
}

void Game::addNews(const std::string& text) {
    if (!newsLog.empty() && newsLog.back() == text) {
        return;
    }
    newsLog.push_back(text);
    if (newsLog.size() > kNewsLogLimit) {
        newsLog.pop_front();
    }
    if (refreshReports) {
        refreshReports();
    }
}

void Game::resetGame() {
    invasionCount = plagueCount = rebellionCount = 0;
    turn = 0;
    for (auto& p : provinces) {
        p->recruitCounter = gameRand() % 3;
    }
    sassanids.clearLegions();
    barbarians.clearLegions();
    rogueRomans.clearLegions();
    romans.clearLegions();
    int level = skillLevel;
    if (level < 0 || level > 2) {
        level = 1;
    }
    romans.treasury = kStartingTreasury[level];
}

void Game::assignStartingOwners() {
    romans.provinces.clear();
    sassanids.provinces.clear();
    barbarians.provinces.clear();
    rogueRomans.provinces.clear();
    romans.clearLegions();
    sassanids.clearLegions();
    barbarians.clearLegions();
    rogueRomans.clearLegions();
    for (const char* name :
         {"Italia",    "Aquitania", "Narbonensis", "Dacia",       "Dalmatia",  "Terraconensis",
          "Aegyptus",  "Africa",    "Palestina",   "Lugdunensis", "Macedonia", "Britannia",
          "Pontus",    "Lydia",     "Cappadocia",  "Phrygia",     "Thracia",   "Raetia",
          "Lusitania", "Syria",     "Belgica",     "Pannonia",    "Mauretania"}) {
        romans.addProvince(findProvince(name));
    }
    for (const char* name :
         {"Upper Rhine", "Sarmatia", "Lower Rhine", "Upper Danube", "Lower Danube"}) {
        barbarians.addProvince(findProvince(name));
    }
    for (const char* name : {"Armenia", "Mesopotamia"}) {
        sassanids.addProvince(findProvince(name));
    }
}

void Game::startNewGame() {
    resetGame();
    assignStartingOwners();
    setUpEvents(*this);
    romans.setUp();
    addLegions("Upper Rhine", &barbarians, 2);
}

}  // namespace tessarion
