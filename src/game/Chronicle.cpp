#include "game/Chronicle.h"

#include <array>

#include "game/Game.h"
#include "model/FrontEnd.h"

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
    {235, 23, "the empire whole under Maximinus Thrax"},
    {260, 16, "Postumus's Gallic empire: Britain, Gaul and Spain"},
    {269, 19, "Spain and Narbonensis return to Claudius II"},
    {270, 16, "Zenobia of Palmyra takes Syria, Palestine and Egypt"},
    {271, 15, "Dacia given up beyond the Danube"},
    {273, 18, "Aurelian retakes the east"},
    {274, 22, "Aurelian ends the Gallic empire"},
    {286, 21, "Carausius rules Britain"},
    {296, 22, "Constantius retakes Britain"},
    {297, 21, "Domitianus rises in Egypt"},
    {298, 22, "Diocletian retakes Egypt"},
    {410, 21, "Britain left to defend itself"},
    {411, 20, "Alans, Vandals and Sueves share out Spain"},
    {418, 19, "the Visigoths settled in Aquitania"},
    {433, 18, "Pannonia ceded to the Huns"},
    {435, 17, "the Vandals granted Mauretania"},
    {439, 16, "the Vandals take Carthage and Africa"},
    {461, 14, "northern Gaul goes its own way"},
    {462, 13, "Narbonne ceded to the Visigoths"},
    {473, 12, "the Visigoths take Tarraconensis"},
    {476, 10, "the last western emperor deposed: the east and Dalmatia remain"},
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
