#include "engine/RomanEmpire.h"

#include <algorithm>
#include <array>
#include <utility>

#include "engine/Realm.h"
#include "engine/Rebellions.h"
#include "model/FrontEnd.h"
#include "model/InternalError.h"
#include "model/Random.h"
#include "model/YearRecord.h"

namespace tessarion {

RomanEmpire::RomanEmpire(Realm& inRealm) : Empire(inRealm, Power::Romans, 0), realm(inRealm) {}

void RomanEmpire::changeTreasury(EntryKind why, std::int32_t newValue) {
    realm.yearRecord.money(why, static_cast<std::int64_t>(newValue) - treasury);
    treasury = newValue;
}

void RomanEmpire::onCapitalTaken() {
    changeTreasury(EntryKind::Plunder, treasury / 2);
    showMessage(
        realm,
        "Princeps,\r\n\r\nOur enemies have reached Rome and plundered\r\nthe Imperial treasury!");
}

int provinceTax(const Province* province) {
    if (province->is(ProvinceId::Aegyptus)) {
        return 1200;
    }
    if (province->is(ProvinceId::Britannia)) {
        return 800;
    }
    if (province->is(ProvinceId::Dacia)) {
        return 200;
    }
    return 400;
}

int collectTaxes(const RomanEmpire& romans) {
    int sum = 0;
    for (const Province* p : romans.provinces) {
        sum += provinceTax(p);
    }
    return romans.plague ? sum / 4 : sum;
}

int legionCap(const RomanEmpire& romans) {
    int cap = static_cast<int>(romans.provinces.size());
    for (const Province* p : romans.provinces) {
        if (p->is(ProvinceId::Aegyptus)) {
            cap += 2;
        } else if (p->is(ProvinceId::Britannia)) {
            cap += 1;
        } else if (p->is(ProvinceId::Dacia)) {
            cap -= 1;
        }
    }
    return cap < 3 ? 3 : cap;
}

void RomanEmpire::recruit() {
    const int cap = legionCap(*this);
    bool capReached = false;
    for (Province* p : provinces) {
        if (legionCount() >= cap) {
            capReached = true;
            break;
        }
        if (!plague) {
            const int r = realm.random.draw();
            if (r % 3 == 0 && !p->is(ProvinceId::Dacia)) {
                p->recruitCounter += 1;
            }
        }
        if (p->recruitCounter >= 3) {
            if (treasury <= kLegionPay) {
                return;
            }
            p->recruitCounter = 0;
            const RecordCause raised(realm, EntryKind::Raised, p, power);
            createLegion(p);
        }
    }
    if (capReached && !capWarningShown && provinces.size() < 23) {
        showMessage(
            realm,
            "Princeps,\r\n\r\nThe number of legions we can raise depends on\r\nhow many provinces "
            "we control.  To "
            "increase\r\nthe maximum number of legions we can recruit,\r\nwe must conquer more "
            "provinces.");
        capWarningShown = true;
    }
}

void payLegions(RomanEmpire& romans) {
    romans.upkeep = romans.legionCount() * kLegionPay;
    std::int32_t left = romans.treasury;
    for (int i = 0; i < romans.legionCount(); ++i) {
        if (left < 1) {
            break;
        }
        left -= kLegionPay;
        if (left < 0) {
            left = 0;
        }
    }
    romans.changeTreasury(EntryKind::Pay, left);
}

void demandBonus(Realm& realm) {
    RomanEmpire& romans = realm.romans;
    int amount = romans.treasury / 5;
    if (amount < 10000) {
        amount = 10000;
    }
    const std::string question = formatText(
        "Princeps,\r\n\r\nThe legions are demanding a bonus of %d sesterces.\r\nDo you wish to pay "
        "them?\r\n\r\nIf "
        "you don't, they may rebel and march on Rome.",
        amount);
    if (askYesNo(realm, question, {Question::Topic::BonusDemand, amount, 0})) {
        if (amount <= romans.treasury) {
            romans.changeTreasury(EntryKind::Bonus, romans.treasury - amount);
            return;
        }
        showMessage(realm, "Princeps,\r\n\r\nWe do not have that much in the treasury.");
        mutinyOverBonus(realm);
        return;
    }
    const int r = realm.random.draw();
    if (r % 2 == 0) {
        mutinyOverBonus(realm);
    } else {
        showMessage(realm, "Princeps,\r\n\r\nThe troops have backed down from their demands.");
    }
}

void mutinyOverBonus(Realm& realm) {
    for (const char* groupName : {"Danube legions", "Eastern legions", "Rhine legions"}) {
        for (ArmyGroup& group : realm.armyGroups) {
            if (group.name != groupName || !realm.romans.hasLegionInAny(group.provinces)) {
                continue;
            }
            rebelLegions(group.provinces.front(), realm.romans);
            realm.rebellionCount += 1;
            return;
        }
    }
}

void updatePlague(RomanEmpire& romans) {
    Realm& realm = romans.realm;
    if (!romans.plague) {
        const int level = realm.skillLevel();
        if (realm.random.draw() % kSkill.plagueOdds[level] == 0) {
            realm.plagueCount += 1;
            romans.plague = true;
            romans.plagueCounter = realm.random.draw() % 5 + kSkill.plagueYears[level];
            romans.realm.frontEnd().playSound(Sound::Plague);
            romans.lowFundsWarningShown = false;
            showMessage(
                romans.realm,
                "Princeps,\r\n\r\nThe empire has been hit by a plague!  This will\r\nreduce tax "
                "revenue and slow "
                "the creation of new\r\nlegions.");
        }
        return;
    }
    romans.plagueCounter -= 1;
    if (romans.plagueCounter <= 0) {
        showMessage(romans.realm, "Princeps,\r\n\r\nThe plague has finally ended.");
        romans.plague = false;
    }
}

bool checkForFreeLegions(Realm& realm, Province*& province, int& count) {
    province = nullptr;
    count = 0;
    if (realm.random.draw() % kSkill.settlersOdds[realm.skillLevel()] != 0) {
        return false;
    }
    std::array<Province*, 3> kept{};
    int held = 0;
    for (const ProvinceId id : {ProvinceId::Belgica, ProvinceId::Pannonia, ProvinceId::Raetia}) {
        Province* p = realm.province(id);
        if (realm.romans.ownsProvince(p)) {
            kept[static_cast<std::size_t>(held++)] = p;
        }
    }
    if (held == 0) {
        return false;
    }
    province = kept[static_cast<std::size_t>(realm.random.draw() % held)];
    count = 1;
    return true;
}

void settleTribe(Province* province, RomanEmpire& romans, int count) {
    showMessage(romans.realm, formatText("A tribe from across the Rhine has settled in\r\n%s "
                                         "providing us with more legions there.",
                                         province->name.c_str()));
    const RecordCause settlers(romans.realm, EntryKind::Settlers, province, romans.power);
    for (int i = 0; i < count; ++i) {
        romans.createLegion(province);
    }
}

void showProvinceHint(RomanEmpire& romans) {
    if (romans.realm.random.draw() % 10 != 0) {
        return;
    }
    if (!romans.egyptHintShown) {
        romans.egyptHintShown = true;
        showMessage(
            romans.realm,
            "Hint: Egypt was strategically important to\r\nthe Romans because it produced much of "
            "the grain which "
            "was \r\ndispensed for free to Rome's huge number of urban poor.\r\n\r\nIn this game, "
            "this province "
            "will pay three times the tax\r\nand allow you to put two extra legions in the field.");
    } else if (!romans.britanniaHintShown) {
        romans.britanniaHintShown = true;
        showMessage(
            romans.realm,
            "Hint: Britannia was a valuable province.  It\r\nproduced huge amounts of lead, which "
            "was used\r\nthe "
            "way plastics are used today.\r\n\r\nBritannia will pay twice the standard tax "
            "amount,\r\nbut may rebel "
            "if no legions are stationed there.\r\n");
    } else if (!romans.daciaHintShown) {
        romans.daciaHintShown = true;
        showMessage(
            romans.realm,
            "Hint:  Dacia was the only part of the Roman Empire\r\non the far side of the Danube "
            "river, and "
            "defending\r\nit against the Goths became increasingly expensive.\r\nThe Romans "
            "abandoned it in "
            "either 271 or 275 AD.\r\n\r\nIn this game, Dacia pays half the normal tax\r\nand does "
            "not raise "
            "legions.");
    } else if (!romans.northAfricaHintShown) {
        romans.northAfricaHintShown = true;
        showMessage(romans.realm,
                    "Hint:  The North African provinces produced\r\nmost of Rome's grain "
                    "supply.\r\n\r\nNot controlling at "
                    "least one North African\r\nprovince will result in food riots in Rome.");
    }
}

namespace {

bool readyToMarch(const Legion& legion) {
    return legion.hasRoute && !legion.moved;
}

}  // namespace

void advanceRomanLegions(RomanEmpire& romans) {
    // Again and again the first legion in the list on a route that has not
    // moved takes a step. Each step either moves the legion (marking it
    // moved), or fights and destroys one legion; either way the number of
    // candidates shrinks, so the loop ends. A step never makes a legion
    // before the current one a candidate, so the search goes on from there
    // instead of from the front.
    LegionList& legions = romans.legions;
    LegionList::Walk walk(legions);
    std::size_t s = legions.nextFrom(0);
    for (;;) {
        while (s != LegionList::npos && !readyToMarch(*legions.at(s))) {
            s = legions.nextFrom(s + 1);
        }
#ifndef NDEBUG
        const auto first = std::find_if(legions.begin(), legions.end(),
                                        [](const auto& l) { return readyToMarch(*l); });
        if ((first == legions.end()) != (s == LegionList::npos) ||
            (s != LegionList::npos && first->get() != legions.at(s))) {
            throw InternalError("advanceRomanLegions() lost its place in the list");
        }
#endif
        if (s == LegionList::npos) {
            return;
        }
        romans.moveLegionStep(legions.at(s));
        // The legion may be gone; if it waits, held up, it goes again.
        s = legions.nextFrom(s);
    }
}

void RomanEmpire::placeStartingLegions() {
    for (const auto& [where, count] :
         {std::pair{ProvinceId::Italia, 5}, {ProvinceId::Aegyptus, 3}, {ProvinceId::Syria, 1}}) {
        for (int i = 0; i < count; ++i) {
            createLegion(realm.province(where));
        }
    }
}

void RomanEmpire::endTurn() {
    // 1. Taxes.
    const int income = collectTaxes(*this);
    changeTreasury(EntryKind::Taxes, treasury + income);
    lastIncome = income;
    // 2. New legions.
    recruit();
    // 3. The money check.
    if (treasury > 0 && treasury < 5000 && !lowFundsWarningShown) {
        lowFundsWarningShown = true;
        showMessage(
            realm,
            "Princeps,\r\n\r\nWe are running out of money!\r\nWe should conquer new provinces to "
            "increase our "
            "tax base.");
    }
    if (treasury <= 0 && !legions.empty()) {
        showMessage(realm,
                    "Princeps,\r\n\r\nThe treasury is empty! The legions are starting to disband.");
        const RecordCause disbanded(realm, EntryKind::Disbanded, legions.back()->province, power);
        destroyLegion(*legions.back());
    }
    // 4. Pay.
    payLegions(*this);
    // 5. The legions may demand a bonus (the draw is made every turn).
    const int r = realm.random.draw();
    if (legionCount() > 10 && r % kSkill.bonusDemandOdds[realm.skillLevel()] == 0) {
        demandBonus(realm);
    }
    // 6. A new year for every legion.
    for (auto& l : legions) {
        l->moved = false;
    }
    // 7. Legions on their routes march.
    advanceRomanLegions(*this);
    // 8. to 10.
    updatePlague(*this);
    provinceRevolts(*this);
    Province* settled = nullptr;
    int count = 0;
    if (checkForFreeLegions(realm, settled, count)) {
        settleTribe(settled, *this, count);
    }
}

}  // namespace tessarion
