#include "opponents/Barbarians.h"

#include <array>

#include "engine/Realm.h"
#include "model/FrontEnd.h"
#include "model/InternalError.h"
#include "model/Random.h"
#include "model/Wording.h"

namespace tessarion {

namespace {

// The four tribes in the order of their countdowns: the name they offer
// peace by, and the lands beyond the frontier they hold (the Goths two, of
// which an army sets out from one drawn: the first on an odd draw).
struct Tribe {
    const char* name;
    std::array<ProvinceId, 2> lands;
    int landCount;
};
constexpr std::array<Tribe, 4> kTribes = {{
    {N_("Saxons"), {ProvinceId::LowerRhine}, 1},
    {N_("Franks"), {ProvinceId::UpperRhine}, 1},
    {N_("Marcomanni"), {ProvinceId::UpperDanube}, 1},
    {N_("Goths"), {ProvinceId::LowerDanube, ProvinceId::Sarmatia}, 2},
}};

// The people the news names for an army leaving a land: the first name, or
// on an odd draw the second, where the land has two.
struct Crossing {
    const char* land;
    const char* name;
    const char* onOdd;  // nullptr: no draw
};
constexpr std::array<Crossing, 5> kCrossings = {{
    {"Upper Rhine", "Franks", N_("Vandals")},
    {"Sarmatia", "Goths", N_("Ostrogoths")},
    {"Lower Rhine", "Saxons", nullptr},
    {"Lower Danube", "Goths", N_("Visigoths")},
    {"Upper Danube", "Marcomanni", nullptr},
}};

const Tribe& tribeAt(int tribe) {
    if (tribe < 0 || tribe >= static_cast<int>(kTribes.size())) {
        throw InternalError("invalid cur tribe!");
    }
    return kTribes[static_cast<std::size_t>(tribe)];
}

}  // namespace

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
            if (offerPeace(kTribes[static_cast<std::size_t>(i)].name, years, price)) {
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
    const Tribe& t = tribeAt(tribe);
    if (t.landCount == 1) {
        return realm.province(t.lands[0]);
    }
    return realm.province(realm.random.draw() % 2 == 1 ? t.lands[0] : t.lands[1]);
}

void Barbarians::setTribeHostility(int tribe, int value) {
    const Tribe& t = tribeAt(tribe);
    for (int i = 0; i < t.landCount; ++i) {
        realm.province(t.lands[static_cast<std::size_t>(i)])->hostility = value;
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
    announceInvasion(formatText("The %s have crossed the frontier!",
                                tribeNameFor(origin->name, realm.random).c_str()));
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
    for (const Crossing& c : kCrossings) {
        if (territory == c.land) {
            if (c.onOdd == nullptr) {
                return c.name;
            }
            return random.draw() % 2 == 1 ? c.onOdd : c.name;
        }
    }
    return "Franks";
}

}  // namespace tessarion
