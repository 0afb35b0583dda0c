#pragma once

#include <span>
#include <string>

#include "model/YearRecord.h"

namespace tessarion {

class Game;

// The state the year's record and the chronicle compare: each power's
// legions and provinces and the treasury.
Tally tallyOf(const Game& game);

// A game just set up (New Game, a scenario, play-again, a file without a
// chronicle): the chronicle starts with the game as it stands, and a new
// year's record with it.
void beginChronicle(Game& game);

// One end of turn is over (the powers' years and the new year's events):
// the year's record is closed and kept as the last year, the chronicle gains
// the new year's row, the front end is shown the year, and the next record
// opens.
void closeYear(Game& game);

// History's line beside the chronicle: how many of the empire's 23 provinces
// on this map the emperors really held in a year, 235 to 476 AD, by periods.
// The sources are named in docs/history.md.
struct HistoryPeriod {
    int from;         // first year of the period
    int provinces;    // provinces of the map held by the emperors
    const char* why;  // what changed at its start
};
std::span<const HistoryPeriod> historyPeriods();
int historicalProvinces(int year);

// The chronicle as CSV, one row a year with history's count beside it.
std::string chronicleCsv(Game& game);

}  // namespace tessarion
