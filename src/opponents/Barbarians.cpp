#include "opponents/Barbarians.h"

#include "engine/Realm.h"
#include "model/FrontEnd.h"
#include "model/InternalError.h"
#include "model/Random.h"

namespace tessarion {

namespace {
const char* const kPeaceNames[4] = {"Saxons", "Franks", "Marcomanni", "Goths"};
}

Barbarians::Barbarians(Realm& inRealm, std::string empireName)
    : EnemyEmpire(inRealm, std::move(empireName), 1) {
    for (int& countdown : tribeCountdown) {
        countdown = realm.random.draw() % 4 + 2;
    }
}

void Barbarians::endTurn() {
    for (int i = 0; i < 4; ++i) {
        int& countdown = tribeCountdown[static_cast<std::size_t>(i)];
        if (countdown > 0) {
            countdown -= 1;
            continue;
        }
        const int r = realm.random.draw() % 3;
        const int treasury = realm.romans.treasury;
        if (treasury > 1000 && r == 0) {
            const int divisor = realm.random.draw() % 3 + 2;
            const int price = treasury / divisor / 1000 * 1000;
            const int years = realm.random.draw() % 10 + 5;
            if (offerPeace(kPeaceNames[i], years, price)) {
                countdown = years;
                setTribeHostility(i, 1);
            } else {
                countdown = realm.random.draw() % 5 + 5;
                setTribeHostility(i, 2);
                invade(frontierOf(i));
            }
        } else {
            setTribeHostility(i, 2);
            countdown = realm.random.draw() % 5 + 5;
            invade(frontierOf(i));
        }
    }
    updateLegions();
}

bool Barbarians::offerPeace(const std::string& tribeName, int years, int price) {
    const std::string question = formatText(
        "Princeps,\r\n\r\nThe %s are offering peace for %d years \r\nin exchange for %d "
        "sesterces.\r\n\r\nDo you "
        "accept their offer?",
        tribeName.c_str(), years, price);
    if (askYesNo(question, {Question::Topic::PeaceOffer, price, years})) {
        realm.romans.treasury -= price;
        return true;
    }
    return false;
}

Province* Barbarians::frontierOf(int tribe) {
    switch (tribe) {
        case 0:
            return realm.findProvince("Lower Rhine");
        case 1:
            return realm.findProvince("Upper Rhine");
        case 2:
            return realm.findProvince("Upper Danube");
        case 3:
            return realm.findProvince(realm.random.draw() % 2 == 1 ? "Lower Danube" : "Sarmatia");
        default:
            throw InternalError("invalid cur tribe!");
    }
}

void Barbarians::setTribeHostility(int tribe, int value) {
    switch (tribe) {
        case 0:
            realm.findProvince("Lower Rhine")->hostility = value;
            break;
        case 1:
            realm.findProvince("Upper Rhine")->hostility = value;
            break;
        case 2:
            realm.findProvince("Upper Danube")->hostility = value;
            break;
        case 3:
            realm.findProvince("Lower Danube")->hostility = value;
            realm.findProvince("Sarmatia")->hostility = value;
            break;
        default:
            throw InternalError("invalid cur tribe!");
    }
}

void Barbarians::invade(Province* origin) {
    Province* target = chooseTarget();
    if (target == nullptr || origin == nullptr) {
        return;
    }
    const int s = realm.skillLevel();
    const int size = realm.random.draw() % (s + 1) + (s + 1);
    raiseInvasionArmy(origin, target, size);
    announceInvasion("The " + tribeNameFor(origin->name, realm.random) +
                     " have crossed the frontier!");
    realm.invasionCount += 1;
}

Province* Barbarians::chooseTarget() {
    std::vector<Province*> candidates;
    for (const char* name :
         {"Italia", "Aquitania", "Lugdunensis", "Narbonensis", "Raetia", "Britannia", "Pannonia",
          "Dacia", "Belgica", "Lusitania", "Mauretania", "Terraconensis"}) {
        Province* p = realm.findProvince(name);
        Empire* owner = realm.getOwner(p);
        if (owner == nullptr || owner->name != "Germanic Tribes") {
            candidates.push_back(p);
        }
    }
    if (candidates.empty()) {
        return nullptr;
    }
    return candidates[static_cast<std::size_t>(realm.random.draw() %
                                               static_cast<int>(candidates.size()))];
}

std::string tribeNameFor(const std::string& territory, Random& random) {
    if (territory == "Upper Rhine") {
        return random.draw() % 2 == 1 ? "Vandals" : "Franks";
    }
    if (territory == "Sarmatia") {
        return random.draw() % 2 == 0 ? "Goths" : "Ostrogoths";
    }
    if (territory == "Lower Rhine") {
        return "Saxons";
    }
    if (territory == "Lower Danube") {
        return random.draw() % 2 == 0 ? "Goths" : "Visigoths";
    }
    if (territory == "Upper Danube") {
        return "Marcomanni";
    }
    return "Franks";
}

}  // namespace tessarion
