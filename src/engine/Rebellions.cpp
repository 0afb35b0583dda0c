#include "engine/Rebellions.h"

#include "engine/Orders.h"
#include "engine/Realm.h"
#include "engine/Routes.h"
#include "model/FrontEnd.h"
#include "model/Random.h"
#include "model/Wording.h"
#include "model/YearRecord.h"

namespace tessarion {

ArmyGroup* findArmyGroup(const Province* province, World& world) {
    for (ArmyGroup& group : world.armyGroups) {
        for (const Province* p : group.provinces) {
            if (sameProvince(p, province)) {
                return &group;
            }
        }
    }
    return nullptr;
}

void rebelLegions(Province* province, RomanEmpire& romans) {
    Realm& realm = romans.realm;
    ArmyGroup* group = findArmyGroup(province, realm);
    if (group == nullptr) {
        return;
    }
    Province* italia = realm.province(ProvinceId::Italia);
    const RecordCause wentOver(realm, EntryKind::WentOver, province, romans.power);
    bool firstWithLegions = true;
    for (Province* q : group->provinces) {
        if (!romans.ownsProvince(q)) {
            continue;
        }
        const int n = romans.legionsIn(q);
        romans.removeLegionsIn(q);
        romans.removeProvince(q);
        realm.rogueRomans.addProvince(q);
        revoltProvince(realm, q);
        if (n > 0) {
            if (firstWithLegions) {
                const Route route = findRoute(realm, q, italia);
                addRebelLegions(realm, q, n, &route);
                firstWithLegions = false;
            } else {
                addRebelLegions(realm, q, n);
            }
        }
    }
    showMessage(romans.realm,
                formatText("Princeps,\r\n\r\nThe %s have rebelled! They have\r\nproclaimed "
                           "their commander the new Emperor and are\r\nmarching on Rome!",
                           group->name.c_str()));
    if (!romans.rebellionExplained) {
        showMessage(
            romans.realm,
            "When a province rebels it is shown in white, and any legions\r\nin it are shown in "
            "red.  You no longer "
            "control rebelling\r\nlegions.  To regain control of a rebelling province you\r\nmust "
            "move a "
            "non-rebelling legion into it.");
        romans.rebellionExplained = true;
    }
    realm.rogueRomans.setRouteForLegionsIn(province, findRoute(realm, province, italia));
}

void revoltProvince(Realm& realm, Province* province) {
    Empire* holder = nullptr;
    if (realm.romans.ownsProvince(province)) {
        holder = &realm.romans;
    } else {
        holder = realm.getOwner(province);
    }
    if (holder == nullptr) {
        return;
    }
    const RecordCause revolt(realm, EntryKind::Revolt, province, holder->power);
    const int n = holder->legionsIn(province);
    if (n > 0) {
        holder->removeLegionsIn(province);
    }
    takeProvince(&realm.rogueRomans, province, realm, holder);
    addRebelLegions(realm, province, n);
}

void addRebelLegions(Realm& realm, Province* province, int count, const Route* route) {
    for (int i = 0; i < count; ++i) {
        Legion* l = realm.rogueRomans.createLegion(province);
        if (route != nullptr && route->size() >= 2) {
            l->setRoute(*route);
        }
    }
}

namespace {

bool unrest(RomanEmpire& romans, Realm& realm, ProvinceId where, const char* message,
            const char* news) {
    Province* p = realm.province(where);
    if (!romans.ownsProvince(p) || romans.legionsIn(p) > 0) {
        return false;
    }
    if (realm.random.draw() % kSkill.unrestOdds[realm.skillLevel()] != 0) {
        return false;
    }
    realm.rebellionCount += 1;
    showMessage(realm, message);
    realm.addNews(news);
    romans.removeProvince(p);
    return true;
}

}  // namespace

void provinceRevolts(RomanEmpire& romans) {
    Realm& realm = romans.realm;
    unrest(
        romans, realm, ProvinceId::Britannia,
        N_("Princeps,\r\n\r\nThe tribes of Britannia have rebelled against Roman rule!\r\n\r\nWe "
           "should send a legion "
           "there to restore order."),
        N_("Britannia has rebelled"));
    unrest(romans, realm, ProvinceId::Aegyptus,
           N_("Princeps,\r\n\r\nThe people of Aegyptus have rebelled against Roman rule!\r\n\r\nWe "
              "should send a legion "
              "there to restore order."),
           N_("Aegyptus has rebelled"));
    Province* italia = realm.province(ProvinceId::Italia);
    if (lacksGrain(realm) && romans.ownsProvince(italia)) {
        if (realm.random.draw() % kSkill.grainRiotOdds[realm.skillLevel()] == 0) {
            const RecordCause riots(realm, EntryKind::GrainRiots, italia, romans.power);
            romans.removeLegionsIn(italia);
            romans.removeProvince(italia);
            showMessage(romans.realm,
                        "Princeps,\r\n\r\nThe people of Italia are rioting over the lack of "
                        "grain!\r\n\r\nWe should send a "
                        "legion there to restore order.");
        }
    }
}

bool lacksGrain(Realm& realm) {
    for (const ProvinceId id : {ProvinceId::Aegyptus, ProvinceId::Mauretania, ProvinceId::Africa}) {
        if (realm.romans.ownsProvince(realm.province(id))) {
            return false;
        }
    }
    return true;
}

void peoplesFront(Realm& realm) {
    Province* palestina = realm.province(ProvinceId::Palestina);
    const RecordCause front(realm, EntryKind::PeoplesFront, palestina, Power::Romans);
    if (realm.romans.ownsProvince(palestina)) {
        realm.frontEnd().playSound(Sound::PeoplesFront);
        showMessage(realm, "The People's Front of Judea has rallied to your cause!");
        if (realm.romans.legionCount() < legionCap(realm.romans)) {
            realm.addLegions("Palestina", &realm.romans, 5);
        }
        return;
    }
    realm.frontEnd().playSound(Sound::PeoplesFront);
    showMessage(realm,
                "Palestina has been overthrown by the\r\nPeople's Front of Judea (the PFJ)!");
    if (Empire* owner = realm.getOwner(palestina)) {
        owner->removeLegionsIn(palestina);
        owner->removeProvince(palestina);
    }
    realm.romans.addProvince(palestina);
    realm.addLegions("Palestina", &realm.romans, 15);
}

}  // namespace tessarion
