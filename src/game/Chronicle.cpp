#include "game/Chronicle.h"

#include <array>

#include "game/Game.h"
#include "model/FrontEnd.h"
#include "model/Wording.h"

namespace tessarion {

Tally tallyOf(const Game& game) {
    Tally t;
    const std::array<const Empire*, 4> powers = game.powers();
    for (std::size_t i = 0; i < kPowerCount; ++i) {
        t.legions[i] = powers[i]->legionCount();
        t.provinces[i] = static_cast<int>(powers[i]->provinces.size());
    }
    t.treasury = game.romans.treasury;
    return t;
}

void beginChronicle(Game& game) {
    const Tally now = tallyOf(game);
    game.lastYear = YearRecord{};
    game.chronicle.clear();
    game.chronicle.push_back({game.year(), now});
    game.yearRecord.open(game.year(), now);
}

void closeYear(Game& game) {
    const Tally now = tallyOf(game);
    game.yearRecord.close(now);
    game.lastYear = game.yearRecord;
    game.chronicle.push_back({game.year(), now});
    game.yearRecord.open(game.year(), now);
    game.frontEnd().yearEnded(game.lastYear);
}

namespace {

// The provinces of the map the emperors at Rome (and, from 395, at
// Constantinople too) held: breakaway empires and lands given up or settled
// by the peoples from beyond count as lost; short-lived usurpers inside the
// empire do not. Dates are the usual ones of the histories in docs/history.md.
constexpr std::array<HistoryPeriod, 21> kHistory = {{
    {235, 23, N_("the empire whole under Maximinus Thrax")},
    {260, 16, N_("Postumus's Gallic empire: Britain, Gaul and Spain")},
    {269, 19, N_("Spain and Narbonensis return to Claudius II")},
    {270, 16, N_("Zenobia of Palmyra takes Syria, Palestine and Egypt")},
    {271, 15, N_("Dacia given up beyond the Danube")},
    {273, 18, N_("Aurelian retakes the east")},
    {274, 22, N_("Aurelian ends the Gallic empire")},
    {286, 21, N_("Carausius rules Britain")},
    {296, 22, N_("Constantius retakes Britain")},
    {297, 21, N_("Domitianus rises in Egypt")},
    {298, 22, N_("Diocletian retakes Egypt")},
    {410, 21, N_("Britain left to defend itself")},
    {411, 20, N_("Alans, Vandals and Sueves share out Spain")},
    {418, 19, N_("the Visigoths settled in Aquitania")},
    {433, 18, N_("Pannonia ceded to the Huns")},
    {435, 17, N_("the Vandals granted Mauretania")},
    {439, 16, N_("the Vandals take Carthage and Africa")},
    {461, 14, N_("northern Gaul goes its own way")},
    {462, 13, N_("Narbonne ceded to the Visigoths")},
    {473, 12, N_("the Visigoths take Tarraconensis")},
    {476, 10, N_("the last western emperor deposed: the east and Dalmatia remain")},
}};

}  // namespace

std::span<const HistoryPeriod> historyPeriods() {
    return kHistory;
}

int historicalProvinces(int year) {
    int count = kHistory.front().provinces;
    for (const HistoryPeriod& p : kHistory) {
        if (p.from <= year) {
            count = p.provinces;
        }
    }
    return count;
}

std::string chronicleCsv(Game& game) {
    std::string out =
        "year,roman_provinces,germanic_provinces,sassanid_provinces,rebel_provinces,"
        "roman_legions,germanic_legions,sassanid_legions,rebel_legions,treasury,"
        "historical_roman_provinces\n";
    for (const ChronicleRow& row : game.chronicle) {
        out += std::to_string(row.year);
        for (int n : row.tally.provinces) {
            out += "," + std::to_string(n);
        }
        for (int n : row.tally.legions) {
            out += "," + std::to_string(n);
        }
        out += "," + std::to_string(row.tally.treasury) + "," +
               std::to_string(historicalProvinces(row.year)) + "\n";
    }
    return out;
}

}  // namespace tessarion
