#pragma once

#include <cstdint>

#include "model/Empire.h"
#include "model/YearRecord.h"

namespace tessarion {

class Realm;

inline constexpr int kLegionPay = 375;

// The player's power: the treasury, the plague and the Roman year.
class RomanEmpire : public Empire {
  public:
    explicit RomanEmpire(Realm& inRealm);

    void endTurn() override;
    void setUp() override { placeStartingLegions(); }
    void recruit() override;
    // Rome has fallen: half the treasury is gone.
    void onCapitalTaken() override;

    // The player's side of the world.
    Realm& realm;

    std::int32_t lastIncome = 0;
    std::int32_t upkeep = 0;
    std::int32_t treasury = 100000;
    bool egyptHintShown = false;
    bool daciaHintShown = false;
    bool northAfricaHintShown = false;
    bool britanniaHintShown = false;
    bool capWarningShown = false;
    bool plague = false;
    bool rebellionExplained = false;
    bool lowFundsWarningShown = false;
    std::int32_t plagueCounter = 0;

    void placeStartingLegions();
    // Every sesterce the rules move goes through here, booked with its cause.
    void changeTreasury(EntryKind why, std::int32_t newValue);
};

// The tax a Roman province pays in a turn without plague.
int provinceTax(const Province* province);

int collectTaxes(const RomanEmpire& romans);
int legionCap(const RomanEmpire& romans);
void payLegions(RomanEmpire& romans);
void demandBonus(Realm& realm);
void mutinyOverBonus(Realm& realm);
void updatePlague(RomanEmpire& romans);
bool checkForFreeLegions(Realm& realm, Province*& province, int& count);
void settleTribe(Province* province, RomanEmpire& romans, int count);
void showProvinceHint(RomanEmpire& romans);
// Roman legions on their routes take their steps, one each.
void advanceRomanLegions(RomanEmpire& romans);

}  // namespace tessarion
