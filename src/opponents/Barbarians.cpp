#include "opponents/Barbarians.h"

#include <array>

#include "engine/Realm.h"
#include "model/FrontEnd.h"
#include "model/InternalError.h"
#include "model/Random.h"

namespace tessarion {

namespace {
const char* const kPeaceNames[4] = {"Saxons", "Franks", "Marcomanni", "Goths"};
}

Barbarians::Barbarians(Realm& inRealm) : EnemyEmpire(inRealm, Power::GermanicTribes, 1) {
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
    if (askYesNo(realm, question, {Question::Topic::PeaceOffer, price, years})) {
        realm.romans.changeTreasury(EntryKind::Tribute, realm.romans.treasury - price);
        return true;
    }
    return false;
}

Province* Barbarians::frontierOf(int tribe) {
    switch (tribe) {
        case 0:
            return realm.province(ProvinceId::LowerRhine);
        case 1:
            return realm.province(ProvinceId::UpperRhine);
        case 2:
            return realm.province(ProvinceId::UpperDanube);
        case 3:
            return realm.province(realm.random.draw() % 2 == 1 ? ProvinceId::LowerDanube
                                                               : ProvinceId::Sarmatia);
        default:
            throw InternalError("invalid cur tribe!");
    }
}

void Barbarians::setTribeHostility(int tribe, int value) {
    switch (tribe) {
        case 0:
            realm.province(ProvinceId::LowerRhine)->hostility = value;
            break;
        case 1:
            realm.province(ProvinceId::UpperRhine)->hostility = value;
            break;
        case 2:
            realm.province(ProvinceId::UpperDanube)->hostility = value;
            break;
        case 3:
            realm.province(ProvinceId::LowerDanube)->hostility = value;
            realm.province(ProvinceId::Sarmatia)->hostility = value;
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
    using P = ProvinceId;
    static constexpr std::array kTargets = {
        P::Italia,   P::Aquitania, P::Lugdunensis, P::Narbonensis, P::Raetia,     P::Britannia,
        P::Pannonia, P::Dacia,     P::Belgica,     P::Lusitania,   P::Mauretania, P::Terraconensis};
    std::array<Province*, kTargets.size()> candidates{};
    int count = 0;
    for (const ProvinceId id : kTargets) {
        Province* p = realm.province(id);
        if (realm.getOwner(p) != this) {
            candidates[static_cast<std::size_t>(count++)] = p;
        }
    }
    if (count == 0) {
        return nullptr;
    }
    return candidates[static_cast<std::size_t>(realm.random.draw() % count)];
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
