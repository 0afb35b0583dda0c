#include "savegame/RecordNotes.h"

#include <cstdint>

#include "game/Chronicle.h"
#include "game/Game.h"
#include "savegame/SaveLimits.h"
#include "savegame/WholeNumber.h"

namespace tessarion {

namespace {

constexpr int kFirstYear = 235;
constexpr int kLastYear = 476;
constexpr std::size_t kChronicleRows = kMaxChronicleRows;
constexpr std::size_t kEntriesPerRecord = kMaxRecordEntries;
constexpr std::int64_t kMostLegions = static_cast<std::int64_t>(
    kSaveLimits.legionsIn(kSaveLimits.lastTurn) + kSaveLimits.peoplesFrontRising);
// The treasury of a year past may have stood above what a save of its own
// year holds (the taxes of the year on top).
constexpr std::int64_t kMostTreasury = 2 * std::int64_t{kSaveLimits.treasury};
constexpr std::int64_t kMostSesterces = 2 * kMostTreasury;

[[noreturn]] void refuse(std::string what) {
    throw RecordNoteError{std::move(what)};
}

// The blank-separated words of a note's values.
std::vector<std::string_view> wordsOf(std::string_view values) {
    std::vector<std::string_view> words;
    while (!values.empty()) {
        const std::size_t blank = values.find(' ');
        words.push_back(values.substr(0, blank));
        values.remove_prefix(blank == std::string_view::npos ? values.size() : blank + 1);
    }
    return words;
}

std::int64_t numberIn(std::string_view word, std::int64_t lowest, std::int64_t highest,
                      const std::string& what) {
    const std::optional<std::int64_t> n = wholeNumber(word);
    if (!n) {
        refuse(what + " should be a whole number, not \"" + std::string(word) + "\"");
    }
    if (*n < lowest || *n > highest) {
        refuse(what + " is " + std::to_string(*n) + ", beyond anything a game reaches (" +
               std::to_string(lowest) + " to " + std::to_string(highest) + ")");
    }
    return *n;
}

void expectWords(const std::vector<std::string_view>& words, std::size_t count,
                 const std::string& what) {
    if (words.size() != count) {
        refuse(what + " should be " + std::to_string(count) + " values, not " +
               std::to_string(words.size()));
    }
}

std::string tallyText(const Tally& t) {
    std::string out;
    for (int n : t.legions) {
        out += " " + std::to_string(n);
    }
    for (int n : t.provinces) {
        out += " " + std::to_string(n);
    }
    return out + " " + std::to_string(t.treasury);
}

// Nine words from `at`: a state of the game.
Tally tallyFrom(const std::vector<std::string_view>& words, std::size_t at,
                const std::string& what) {
    Tally t;
    int provinces = 0;
    for (std::size_t i = 0; i < kPowerCount; ++i) {
        t.legions[i] =
            static_cast<int>(numberIn(words[at + i], 0, kMostLegions, what + "'s legions"));
        t.provinces[i] = static_cast<int>(
            numberIn(words[at + kPowerCount + i], 0, kProvinceCount, what + "'s provinces"));
        provinces += t.provinces[i];
    }
    if (provinces > kProvinceCount) {
        refuse(what + " gives the powers " + std::to_string(provinces) + " provinces of " +
               std::to_string(kProvinceCount));
    }
    t.treasury = numberIn(words[at + 2 * kPowerCount], 0, kMostTreasury, what + "'s treasury");
    return t;
}
constexpr std::size_t kTallyWords = 2 * kPowerCount + 1;

int yearFrom(std::string_view word, const std::string& what) {
    return static_cast<int>(numberIn(word, kFirstYear, kLastYear, what));
}

std::string entryText(const YearEntry& e) {
    std::string out(entryKindName(e.kind));
    out += " ";
    out += e.kind == EntryKind::Battle ? std::string(battleKindName(e.battle)) : std::string("-");
    for (int n : {e.province, e.from, e.attacker, e.defender, e.holder}) {
        out += " " + std::to_string(n);
    }
    for (int n : e.legions) {
        out += " " + std::to_string(n);
    }
    return out + " " + std::to_string(e.sesterces);
}

constexpr std::size_t kEntryWords = 2 + 5 + kPowerCount + 1;

YearEntry entryFrom(std::string_view values) {
    const std::vector<std::string_view> w = wordsOf(values);
    expectWords(w, kEntryWords, "an entry of the year");
    YearEntry e;
    bool known = false;
    for (std::size_t k = 0; k < kEntryKinds; ++k) {
        if (entryKindName(static_cast<EntryKind>(k)) == w[0]) {
            e.kind = static_cast<EntryKind>(k);
            known = true;
        }
    }
    // A legion booked without a cause is a fault no saved game carries.
    if (!known || e.kind == EntryKind::Unaccounted) {
        refuse("an entry of the year is of an unknown kind: \"" + std::string(w[0]) + "\"");
    }
    if (e.kind == EntryKind::Battle) {
        known = false;
        for (std::size_t k = 0; k < kBattleKinds; ++k) {
            if (battleKindName(static_cast<BattleKind>(k)) == w[1]) {
                e.battle = static_cast<BattleKind>(k);
                known = true;
            }
        }
        if (!known) {
            refuse("a battle of the year is of an unknown kind: \"" + std::string(w[1]) + "\"");
        }
    } else if (w[1] != "-") {
        refuse("only a battle has a kind of battle, not \"" + std::string(w[1]) + "\"");
    }
    e.province = static_cast<int>(numberIn(w[2], -1, kProvinceCount - 1, "the entry's province"));
    e.from = static_cast<int>(numberIn(w[3], -1, kProvinceCount - 1, "the entry's from"));
    const int lastPower = static_cast<int>(kPowerCount) - 1;
    e.attacker = static_cast<int>(numberIn(w[4], kNobody, lastPower, "the entry's attacker"));
    e.defender = static_cast<int>(numberIn(w[5], kNobody, lastPower, "the entry's defender"));
    e.holder = static_cast<int>(numberIn(w[6], kNobody, lastPower, "the entry's holder"));
    if (e.kind == EntryKind::Battle &&
        (e.province < 0 || e.attacker == kNobody || e.defender == kNobody)) {
        refuse("a battle of the year lacks its province or a side");
    }
    for (std::size_t i = 0; i < kPowerCount; ++i) {
        e.legions[i] = static_cast<int>(
            numberIn(w[7 + i], -kMostLegions, kMostLegions, "the entry's change of legions"));
    }
    e.sesterces =
        numberIn(w[7 + kPowerCount], -kMostSesterces, kMostSesterces, "the entry's sesterces");
    return e;
}

void addEntry(std::optional<YearRecord>& record, const YearEntry& e, const char* which) {
    if (!record) {
        refuse(std::string("an entry comes before the ") + which + " it belongs to");
    }
    if (record->entries.size() >= kEntriesPerRecord) {
        refuse(std::string("the ") + which + " has more entries than any year books (" +
               std::to_string(kEntriesPerRecord) + ")");
    }
    record->entries.push_back(e);
}

}  // namespace

std::vector<std::string> recordNoteLines(const Game& game) {
    std::vector<std::string> lines;
    const YearRecord& open = game.yearRecord;
    if (open.empty()) {
        return lines;
    }
    // The records are the game's history, not its state: a game whose
    // records do not explain it (a position set up by hand, not played)
    // is saved without them and starts its chronicle afresh when loaded,
    // rather than not being saved at all. Played games always explain
    // themselves (the soak test checks every year of every start).
    SavedRecords records{
        open,
        game.lastYear.empty() ? std::nullopt : std::optional<YearRecord>(game.lastYear),
        game.chronicle,
        game.chronicle.empty() ? 0 : game.chronicle.front().year,
        open.entries.size(),
        game.lastYear.entries.size()};
    if (game.chronicle.empty() || checkRecords(records, game.year(), tallyOf(game))) {
        return lines;
    }
    lines.push_back("# record " + std::to_string(open.year) + " " +
                    std::to_string(game.chronicle.front().year) + " " +
                    std::to_string(open.entries.size()) + tallyText(open.before));
    for (const YearEntry& e : open.entries) {
        lines.push_back("# entry " + entryText(e));
    }
    const YearRecord& last = game.lastYear;
    if (!last.empty()) {
        lines.push_back("# last " + std::to_string(last.year) + " " +
                        std::to_string(last.entries.size()) + tallyText(last.before) +
                        tallyText(last.after));
        for (const YearEntry& e : last.entries) {
            lines.push_back("# lastentry " + entryText(e));
        }
    }
    for (const ChronicleRow& row : game.chronicle) {
        lines.push_back("# chronicle " + std::to_string(row.year) + tallyText(row.tally));
    }
    return lines;
}

bool readRecordNote(std::string_view name, std::string_view values, SavedRecords& records) {
    if (name == "record" || name == "last") {
        std::optional<YearRecord>& record = name == "record" ? records.open : records.last;
        if (record) {
            refuse("the note \"" + std::string(name) + "\" is told twice");
        }
        const std::vector<std::string_view> w = wordsOf(values);
        const bool closed = name == "last";
        // Each says how many entries follow; the year's record also where the
        // chronicle begins.
        const std::size_t at = closed ? 2 : 3;
        expectWords(w, at + kTallyWords * (closed ? 2 : 1), "the " + std::string(name));
        record.emplace();
        record->open(yearFrom(w[0], "the year of the " + std::string(name)),
                     tallyFrom(w, at, "the state before"));
        const auto entries = static_cast<std::size_t>(numberIn(
            w[at - 1], 0, static_cast<std::int64_t>(kEntriesPerRecord), "the number of entries"));
        if (closed) {
            record->close(tallyFrom(w, at + kTallyWords, "the state after"));
            records.lastEntries = entries;
        } else {
            records.firstYear = yearFrom(w[1], "the chronicle's first year");
            records.openEntries = entries;
        }
        return true;
    }
    if (name == "entry" || name == "lastentry") {
        addEntry(name == "entry" ? records.open : records.last, entryFrom(values),
                 name == "entry" ? "record" : "last year");
        return true;
    }
    if (name == "chronicle") {
        const std::vector<std::string_view> w = wordsOf(values);
        expectWords(w, 1 + kTallyWords, "a row of the chronicle");
        if (records.chronicle.size() >= kChronicleRows) {
            refuse("the chronicle has more rows than the years of a game");
        }
        records.chronicle.push_back(
            {yearFrom(w[0], "the chronicle's year"), tallyFrom(w, 1, "the chronicle's row")});
        return true;
    }
    return false;
}

std::optional<std::string> checkRecords(const SavedRecords& records, int year, const Tally& now) {
    if (!records.open && !records.last && records.chronicle.empty()) {
        return std::nullopt;
    }
    if (!records.open || records.chronicle.empty()) {
        return "the year's record or the chronicle is missing";
    }
    if (records.open->entries.size() != records.openEntries ||
        (records.last && records.last->entries.size() != records.lastEntries)) {
        return "the year's records do not hold the number of entries they announce";
    }
    if (records.open->year != year) {
        return "the record is of " + std::to_string(records.open->year) + " AD, the game of " +
               std::to_string(year) + " AD";
    }
    // The record so far must explain the game as it stands.
    YearRecord sofar = *records.open;
    sofar.close(now);
    if (const std::string wrong = sofar.checkBooks(); !wrong.empty()) {
        return "the year's record does not add up to the game: " + wrong;
    }
    if (records.last) {
        if (records.last->year != year - 1) {
            return "the last year's record is of " + std::to_string(records.last->year) + " AD";
        }
        if (const std::string wrong = records.last->checkBooks(); !wrong.empty()) {
            return "the last year's record does not add up: " + wrong;
        }
        if (!(records.last->after == records.open->before)) {
            return "the last year does not end where the year's record begins";
        }
    }
    if (records.chronicle.front().year != records.firstYear) {
        return "the chronicle should begin in " + std::to_string(records.firstYear) + " AD, not " +
               std::to_string(records.chronicle.front().year) + " AD";
    }
    // Every year that is over added a row and became the last year.
    if (records.last.has_value() != (records.chronicle.size() > 1)) {
        return records.last ? "the last year's record has no row in the chronicle"
                            : "the last year's record is missing";
    }
    for (std::size_t i = 1; i < records.chronicle.size(); ++i) {
        if (records.chronicle[i].year != records.chronicle[i - 1].year + 1) {
            return "the chronicle skips from " + std::to_string(records.chronicle[i - 1].year) +
                   " to " + std::to_string(records.chronicle[i].year) + " AD";
        }
    }
    const ChronicleRow& newest = records.chronicle.back();
    if (newest.year != year || !(newest.tally == records.open->before)) {
        return "the chronicle does not end where the year's record begins";
    }
    return std::nullopt;
}

void applyRecords(Game& game, const SavedRecords& records) {
    if (!records.open) {
        beginChronicle(game);
        return;
    }
    game.yearRecord = *records.open;
    game.lastYear = records.last.value_or(YearRecord{});
    game.chronicle = records.chronicle;
}

}  // namespace tessarion
