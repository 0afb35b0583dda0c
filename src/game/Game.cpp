#include "game/Game.h"

#include "engine/RomanEmpire.h"
#include "game/Chronicle.h"
#include "game/Events.h"
#include "model/ProvinceTable.h"
#include "model/Random.h"

namespace tessarion {

Game::Game(std::uint32_t seed) : Realm(seed), barbarians(*this), sassanids(*this) {
    buildProvinceTable(*this);
    assignStartingOwners();
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
    clearNews();
    events.clear();
    armyGroups.clear();
}

void Game::resetGame() {
    invasionCount = plagueCount = rebellionCount = 0;
    turn = 0;
    endingTurn = false;
    yearRecord = YearRecord{};
    lastYear = YearRecord{};
    chronicle.clear();
    forgetPreviousGame();
    for (auto& p : provinces) {
        p->recruitCounter = random.draw() % 3;
        p->hostility = startingMark(*p);
    }
    sassanids.clearLegions();
    barbarians.clearLegions();
    rogueRomans.clearLegions();
    romans.clearLegions();
    romans.treasury = kSkill.startingTreasury[static_cast<std::size_t>(skillLevel())];
}

void Game::forgetPreviousGame() {
    clearNews();
    romans.plague = false;
    romans.plagueCounter = 0;
    romans.lastIncome = 0;
    romans.upkeep = 0;
}

void Game::showLoadedYear() {
    clearNews();
    beginChronicle(*this);
    romans.lastIncome = collectTaxes(romans);
    romans.upkeep = romans.legionCount() * kLegionPay;
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
    beginChronicle(*this);
}

}  // namespace tessarion
