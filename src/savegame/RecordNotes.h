#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/YearRecord.h"

namespace tessarion {

class Game;

// The year's record, the last year's and the chronicle, as lines among the
// facts after the last legion block, so that a loaded game shows the same
// report, summary and chart as the game that was saved:
//   # record YEAR FIRST N BEFORE  the year being played, the chronicle's first year,
//                                 its N entries and the state the year began with
//   # entry ENTRY                 one of its entries, in order
//   # last YEAR N BEFORE AFTER    the last year that is over (none before the first)
//   # lastentry ENTRY             one of its entries, in order
//   # chronicle YEAR TALLY        a row of the chronicle, oldest first
// A state (BEFORE, AFTER, TALLY) is nine numbers: each power's legions, each
// power's provinces, the treasury. An ENTRY is its kind and battle by name
// ("battle attack", "taxes -"), the province and where the attacker came
// from (places in the map's table, -1 for none), attacker, defender and
// holder (places in the order of the powers, -1 for nobody), each power's
// change of legions and the sesterces.
// Nothing when the records do not explain the game as it stands (a position
// set up by hand rather than played).
std::vector<std::string> recordNoteLines(const Game& game);

struct SavedRecords {
    std::optional<YearRecord> open;
    std::optional<YearRecord> last;
    std::vector<ChronicleRow> chronicle;
    int firstYear = 0;  // where the record says the chronicle begins
    // The entries the records announce.
    std::size_t openEntries = 0;
    std::size_t lastEntries = 0;
};

// Why a record note cannot be read (told at its line).
struct RecordNoteError {
    std::string what;
};

// Reads the values of one note; false when `name` is not one of these notes.
// Throws RecordNoteError for values no game writes.
bool readRecordNote(std::string_view name, std::string_view values, SavedRecords& records);

// Once every note is read: why they cannot be the records of the game whose
// year is `year` and whose state is `now`, or nothing. Without any of them
// (a file of before the records) there is nothing to check.
std::optional<std::string> checkRecords(const SavedRecords& records, int year, const Tally& now);

// Puts them in place; without them the chronicle starts afresh from the
// loaded game.
void applyRecords(Game& game, const SavedRecords& records);

}  // namespace tessarion
