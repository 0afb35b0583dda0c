#include "engine/RomanEmpire.h"

#include "engine/Realm.h"
#include "engine/Rebellions.h"
#include "model/FrontEnd.h"
#include "model/InternalError.h"
#include "model/Random.h"

namespace tessarion {

RomanEmpire::RomanEmpire(Realm& inRealm, std::string empireName)
    : Empire(inRealm, std::move(empireName), 0), realm(inRealm) {}

void RomanEmpire::onCapitalTaken() {
    treasury = treasury / 2;
    showMessage(
        "Princeps,\r\n\r\nOur enemies have reached Rome and plundered\r\nthe Imperial treasury!");
}

int provinceTax(const Province* province) {
    if (province->name == "Aegyptus") {
        return 1200;
    }
    if (province->name == "Britannia") {
        return 800;
    }
    if (province->name == "Dacia") {
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
        if (p->name == "Aegyptus") {
            cap += 2;
        } else if (p->name == "Britannia") {
            cap += 1;
        } else if (p->name == "Dacia") {
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
            if (r % 3 == 0 && p->name != "Dacia") {
                p->recruitCounter += 1;
            }
        }
        if (p->recruitCounter >= 3) {
            if (treasury <= kLegionPay) {
                return;
            }
            p->recruitCounter = 0;
            createLegion(p);
        }
    }
    if (capReached && !capWarningShown && provinces.size() < 23) {
        showMessage(
            "Princeps,\r\n\r\nThe number of legions we can raise depends on\r\nhow many provinces "
            "we control.  To "
            "increase\r\nthe maximum number of legions we can recruit,\r\nwe must conquer more "
            "provinces.");
        capWarningShown = true;
    }
}

void payLegions(RomanEmpire& romans) {
    romans.upkeep = romans.legionCount() * kLegionPay;
    for (int i = 0; i < romans.legionCount(); ++i) {
        if (romans.treasury < 1) {
            break;
        }
        romans.treasury -= kLegionPay;
        if (romans.treasury < 0) {
            romans.treasury = 0;
        }
    }
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
    if (askYesNo(question, {Question::Topic::BonusDemand, amount, 0})) {
        if (amount <= romans.treasury) {
            romans.treasury -= amount;
            return;
        }
        showMessage("Princeps,\r\n\r\nWe do not have that much in the treasury.");
        mutinyOverBonus(realm);
        return;
    }
    const int r = realm.random.draw();
    if (r % 2 == 0) {
        mutinyOverBonus(realm);
    } else {
        showMessage("Princeps,\r\n\r\nThe troops have backed down from their demands.");
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
        static constexpr int kOdds[3] = {20, 15, 10};
        static constexpr int kLength[3] = {5, 10, 15};
        const int level = realm.skillLevel();
        if (realm.random.draw() % kOdds[level] == 0) {
            realm.plagueCount += 1;
            romans.plague = true;
            romans.plagueCounter = realm.random.draw() % 5 + kLength[level];
            frontEnd().playSound(Sound::Plague);
            romans.lowFundsWarningShown = false;
            showMessage(
                "Princeps,\r\n\r\nThe empire has been hit by a plague!  This is will\r\nreduce tax "
                "revenue and slow "
                "the creation of new\r\nlegions.");
        }
        return;
    }
    romans.plagueCounter -= 1;
    if (romans.plagueCounter <= 0) {
        showMessage("Princeps,\r\n\r\nThe plague has finally ended.");
        romans.plague = false;
    }
}

bool ceckForFreeLegions(Realm& realm, Province*& province, int& count) {
    static constexpr int kOdds[3] = {10, 15, 20};
    province = nullptr;
    count = 0;
    if (realm.random.draw() % kOdds[realm.skillLevel()] != 0) {
        return false;
    }
    std::vector<Province*> kept;
    for (const char* name : {"Belgica", "Pannonia", "Raetia"}) {
        Province* p = nullptr;
        try {
            p = realm.findProvince(name);
        } catch (const NotFoundError&) {
            throw InternalError(std::string("Game::ceckForFreeLegions can't find province ") +
                                name);
        }
        if (realm.romans.ownsProvince(p)) {
            kept.push_back(p);
        }
    }
    if (kept.empty()) {
        return false;
    }
    province = kept[static_cast<std::size_t>(realm.random.draw() % static_cast<int>(kept.size()))];
    count = 1;
    return true;
}

void settleTribe(Province* province, RomanEmpire& romans, int count) {
    showMessage("A tribe from across the Rhine has settled in\r\n" + province->name +
                " providing us with more legions there.");
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
            "Hint: Egypt was strategically important to\r\nthe Romans because it produced much of "
            "the grain which "
            "was \r\ndispensed for free to Rome's huge number of urban poor.\r\n\r\nIn this game, "
            "this province "
            "will pay three times the tax\r\nand allow you to put two extra legions in the field.");
    } else if (!romans.britanniaHintShown) {
        romans.britanniaHintShown = true;
        showMessage(
            "Hint: Britannia was a valuable province.  It\r\nproduced huge amounts of lead, which "
            "was used\r\nthe "
            "way plastics are used today.\r\n\r\nBritannia will pay twice the standard tax "
            "amount,\r\nbut may rebel "
            "if no legions are stationed there.\r\n");
    } else if (!romans.daciaHintShown) {
        romans.daciaHintShown = true;
        showMessage(
            "Hint:  Dacia was the only part of the Roman Empire\r\non the far side of the Danube "
            "river, and "
            "defending\r\nit against the Goths became increasingly expensive.\r\nThe Romans "
            "abandonned it in "
            "either 271 or 275 AD.\r\n\r\nIn this game, Dacia pays half the normal tax\r\nand does "
            "not raise "
            "legions.");
    } else if (!romans.northAfricaHintShown) {
        romans.northAfricaHintShown = true;
        showMessage(
            "Hint:  The North African provinces produced\r\nmost of Rome's grain "
            "supply.\r\n\r\nNot controlling at "
            "least one North African\r\nprovince will result in food riots in Rome.");
    }
}

void advanceRomanLegions(RomanEmpire& romans) {
    // Each step either moves the legion (marking it moved), or fights and
    // destroys one legion; either way the number of candidates shrinks, so
    // the loop ends.
    for (;;) {
        Legion* next = nullptr;
        for (auto& l : romans.legions) {
            if (l->hasRoute && !l->moved) {
                next = l.get();
                break;
            }
        }
        if (next == nullptr) {
            return;
        }
        romans.moveLegionStep(next);
    }
}

void RomanEmpire::placeStartingLegions() {
    realm.addLegions("Italia", this, 5);
    realm.addLegions("Aegyptus", this, 3);
    realm.addLegions("Syria", this, 1);
}

void RomanEmpire::endTurn() {
    // 1. Taxes.
    const int income = collectTaxes(*this);
    treasury += income;
    lastIncome = income;
    // 2. New legions.
    recruit();
    // 3. The money check.
    if (treasury > 0 && treasury < 5000 && !lowFundsWarningShown) {
        lowFundsWarningShown = true;
        showMessage(
            "Princeps,\r\n\r\nWe are running out of money!\r\nWe should conquer new provinces to "
            "increase our "
            "tax base.");
    }
    if (treasury <= 0 && !legions.empty()) {
        showMessage("Princeps,\r\n\r\nThe treasury is empty! The legions are starting to disband.");
        destroyLegionAt(legions.size() - 1);
    }
    // 4. Pay.
    payLegions(*this);
    // 5. The legions may demand a bonus (the draw is made every turn).
    static constexpr int kBonusOdds[3] = {30, 20, 10};
    const int r = realm.random.draw();
    if (legionCount() > 10 && r % kBonusOdds[realm.skillLevel()] == 0) {
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
    if (ceckForFreeLegions(realm, settled, count)) {
        settleTribe(settled, *this, count);
    }
}

}  // namespace tessarion
