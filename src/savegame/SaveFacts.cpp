// The facts after the last legion block, where a reader of values alone has
// stopped: what the game has told the player and how its dice lie, one line
// each: "# ", the fact's name and its values. A loaded game thus goes on
// drawing and telling exactly what the game that was saved would have. A
// file without a fact loads as it always did (applyFacts says how). Adding a
// fact is a row of kFacts, with the version of the format it arrives in.

#include <algorithm>
#include <array>
#include <limits>
#include <utility>

#include "engine/RomanEmpire.h"
#include "savegame/SaveFormat.h"
#include "savegame/SaveLimits.h"

namespace tessarion::save {

namespace {

// The Prefect's words given once, by the words of the "shown" fact. The four
// hints come in this order, one at a time.
struct ShownFlag {
    std::string_view word;
    bool RomanEmpire::*flag;
};
const std::array<ShownFlag, 7> kShown = {{
    {"egypt", &RomanEmpire::egyptHintShown},
    {"britannia", &RomanEmpire::britanniaHintShown},
    {"dacia", &RomanEmpire::daciaHintShown},
    {"africa", &RomanEmpire::northAfricaHintShown},
    {"cap", &RomanEmpire::capWarningShown},
    {"funds", &RomanEmpire::lowFundsWarningShown},
    {"rebels", &RomanEmpire::rebellionExplained},
}};
constexpr std::size_t kHints = 4;
// The Sassanids' first crossing has been announced.
constexpr std::string_view kTigris = "tigris";
constexpr std::uint32_t kTigrisBit = 1u << kShown.size();

// The tribes' lands, whose marks change with their peace (Sarmatia and Lower
// Danube, the Goths', together).
bool isTribeLand(const Province& p) {
    return isGermanicSide(&p);
}

// The most the legions' pay can have been last year.
std::int64_t mostPay(int turn) {
    return std::int64_t{kLegionPay} *
           static_cast<std::int64_t>(kSaveLimits.legionsIn(turn) + kSaveLimits.peoplesFrontRising);
}

// ------------------------------------------------------------- each fact

std::string writeDice(const Game& g) {
    return std::to_string(g.random.state());
}

void readDice(Game&, const LineReader& in, std::string_view values, SavedGame& saved) {
    const std::string what = "the state of the dice";
    const std::int64_t state = in.number(values, what);
    in.within(state, {0, std::numeric_limits<std::uint32_t>::max()}, what);
    saved.facts.dice = static_cast<std::uint32_t>(state);
}

std::string writeResults(const Game& g) {
    return std::to_string(g.invasionCount) + " " + std::to_string(g.plagueCount) + " " +
           std::to_string(g.rebellionCount);
}

void readResults(Game&, const LineReader& in, std::string_view values, SavedGame& saved) {
    const auto n = numbersOf<3>(in, values, "the results");
    const std::array<std::pair<const char*, int>, 3> each = {
        {{"the number of invasions", kSaveLimits.invasionsPerTurn},
         {"the number of plagues", kSaveLimits.plaguesPerTurn},
         {"the number of rebellions", kSaveLimits.rebellionsPerTurn}}};
    std::array<int, 3> results{};
    for (std::size_t i = 0; i < results.size(); ++i) {
        in.within(n[i], {0, std::int64_t{each[i].second} * saved.turn}, each[i].first);
        results[i] = static_cast<int>(n[i]);
    }
    saved.facts.results = results;
}

std::string writeEconomy(const Game& g) {
    return std::to_string(g.romans.lastIncome) + " " + std::to_string(g.romans.upkeep);
}

void readEconomy(Game& g, const LineReader& in, std::string_view values, SavedGame& saved) {
    const auto n = numbersOf<2>(in, values, "the economy");
    in.within(n[0], {0, maxYearlyIncome(g)}, "last year's taxes");
    in.within(n[1], {0, mostPay(saved.turn)}, "last year's pay");
    if (n[1] % kLegionPay != 0) {
        in.fail("last year's pay is " + std::to_string(n[1]) + ", not " +
                std::to_string(kLegionPay) + " for each legion");
    }
    saved.facts.economy = {static_cast<std::int32_t>(n[0]), static_cast<std::int32_t>(n[1])};
}

std::string writeMarks(const Game& g) {
    std::string digits;
    for (const auto& p : g.provinces) {
        if (p->hostility < 0 || p->hostility > 2) {
            throw SaveRefusal{p->name + " bears the unknown mark " + std::to_string(p->hostility)};
        }
        digits += static_cast<char>('0' + p->hostility);
    }
    return digits;
}

void readMarks(Game& g, const LineReader& in, std::string_view values, SavedGame& saved) {
    std::array<int, kProvinceCount> marks{};
    if (values.size() != marks.size()) {
        in.fail("the marks should be " + std::to_string(marks.size()) + " digits, not " +
                inQuotes(values));
    }
    for (std::size_t i = 0; i < marks.size(); ++i) {
        const Province& p = *g.provinces[i];
        marks[i] = values[i] - '0';
        const bool known =
            isTribeLand(p) ? marks[i] == 1 || marks[i] == 2 : marks[i] == startingMark(p);
        if (!known) {
            in.fail(p.name + " cannot bear the mark " + inQuotes(values.substr(i, 1)) +
                    " (marks: " + inQuotes(values) + ")");
        }
    }
    if (marks[static_cast<std::size_t>(ProvinceId::Sarmatia)] !=
        marks[static_cast<std::size_t>(ProvinceId::LowerDanube)]) {
        in.fail("Sarmatia and Lower Danube, the Goths' lands, bear different marks");
    }
    saved.facts.marks = marks;
}

std::string writeShown(const Game& g) {
    std::string words;
    for (const ShownFlag& shown : kShown) {
        if (g.romans.*shown.flag) {
            words += (words.empty() ? "" : " ") + std::string(shown.word);
        }
    }
    if (!g.sassanidWarningPending) {
        words += (words.empty() ? "" : " ") + std::string(kTigris);
    }
    return words;
}

void readShown(Game&, const LineReader& in, std::string_view values, SavedGame& saved) {
    std::uint32_t bits = 0;
    while (!values.empty()) {
        const std::string_view word = values.substr(0, values.find(' '));
        values.remove_prefix(std::min(values.size(), word.size() + 1));
        std::uint32_t bit = word == kTigris ? kTigrisBit : 0;
        for (std::size_t i = 0; i < kShown.size(); ++i) {
            bit |= word == kShown[i].word ? 1u << i : 0;
        }
        if (bit == 0 || (bits & bit) != 0) {
            in.fail("the words shown should each be one of the Prefect's, once, not " +
                    inQuotes(word));
        }
        bits |= bit;
    }
    for (std::size_t i = 1; i < kHints; ++i) {
        if ((bits & (1u << i)) != 0 && (bits & (1u << (i - 1))) == 0) {
            in.fail("the " + std::string(kShown[i].word) + " hint is shown only after the " +
                    std::string(kShown[i - 1].word) + " hint");
        }
    }
    saved.facts.shown = bits;
}

struct Fact {
    std::string_view name;
    FormatVersion since;
    std::string (*write)(const Game&);
    void (*read)(Game&, const LineReader&, std::string_view values, SavedGame&);
};

// A file of a version holds every fact of that version and before it, once.
const std::array<Fact, 5> kFacts = {{
    {"dice", FormatVersion::Facts, writeDice, readDice},
    {"results", FormatVersion::Facts, writeResults, readResults},
    {"economy", FormatVersion::Facts, writeEconomy, readEconomy},
    {"marks", FormatVersion::Facts, writeMarks, readMarks},
    {"shown", FormatVersion::Facts, writeShown, readShown},
}};

// The line after the facts: a file cut short among them is refused.
constexpr std::string_view kFactsEnd = "# end";

// One line among the facts: a note of the records or one of kFacts.
void readFactLine(Game& game, const LineReader& in, std::string_view got, SavedGame& saved,
                  std::array<bool, kFacts.size()>& seen) {
    if (got.substr(0, 2) != "# ") {
        in.fail("there is more after the last legion block");
    }
    const std::string_view rest = got.substr(2);
    const std::size_t blank = rest.find(' ');
    const std::string_view name = rest.substr(0, blank);
    const std::string_view values = blank == std::string_view::npos ? "" : rest.substr(blank + 1);
    try {
        if (readRecordNote(name, values, saved.facts.records)) {
            saved.shows(FormatVersion::Records);
            return;
        }
    } catch (const RecordNoteError& e) {
        in.fail(e.what);
    }
    const auto fact =
        std::find_if(kFacts.begin(), kFacts.end(), [&](const Fact& f) { return f.name == name; });
    if (fact == kFacts.end()) {
        in.fail("there is an unknown fact after the last legion block: " + inQuotes(name));
    }
    bool& once = seen[static_cast<std::size_t>(fact - kFacts.begin())];
    if (once) {
        in.fail("the fact " + inQuotes(name) + " is told twice");
    }
    once = true;
    saved.shows(fact->since);
    fact->read(game, in, values, saved);
}

// The records must explain the game the file holds.
void checkSavedRecords(const LineReader& in, const SavedGame& saved) {
    Tally now;
    for (std::size_t i = 0; i < kPowerCount; ++i) {
        now.legions[i] = static_cast<int>(saved.powers[i].legions.size());
        now.provinces[i] = static_cast<int>(saved.powers[i].provinces.size());
    }
    now.treasury = saved.treasury;
    if (const std::optional<std::string> wrong =
            checkRecords(saved.facts.records, 235 + saved.turn, now)) {
        in.fail(*wrong);
    }
}

}  // namespace

// The year's record must be complete when the game is written: the caller
// has flushed the province it was leaving (composeSave).
void writeFacts(const Game& game, Writer& out) {
    for (const Fact& fact : kFacts) {
        const std::string values = fact.write(game);
        out.line("# " + std::string(fact.name) + (values.empty() ? "" : " " + values));
    }
    for (const std::string& line : recordNoteLines(game)) {
        out.line(line);
    }
    out.line(kFactsEnd);
}

// After the last legion block: nothing but blank lines (a file of before the
// facts), or every fact of the file's version once and the end of them.
void readFacts(Game& game, LineReader& in, SavedGame& saved) {
    std::optional<std::string_view> got = in.nextFilled();
    if (!got) {
        return;
    }
    saved.shows(FormatVersion::Facts);
    std::array<bool, kFacts.size()> seen{};
    for (; *got != kFactsEnd; got = in.filled("the end of the facts")) {
        readFactLine(game, in, *got, saved, seen);
    }
    for (std::size_t i = 0; i < kFacts.size(); ++i) {
        if (!seen[i] && kFacts[i].since <= saved.version) {
            in.fail("the fact " + inQuotes(kFacts[i].name) + " is missing");
        }
    }
    checkSavedRecords(in, saved);
    if (in.nextFilled()) {
        in.fail("there is more after the end of the facts");
    }
}

// A file without the dice leaves the generator as it is; without the results
// the count starts again; without the marks the tribes' lands are hostile as
// at the start; without the words shown the running game's stay; without the
// economy the report shows what the loaded provinces pay and legions cost.
void applyFacts(Game& game, const SavedFacts& facts) {
    if (facts.dice) {
        game.random.seed(*facts.dice);
    }
    const std::array<int, 3> results = facts.results.value_or(std::array<int, 3>{});
    game.invasionCount = results[0];
    game.plagueCount = results[1];
    game.rebellionCount = results[2];
    for (std::size_t i = 0; i < game.provinces.size(); ++i) {
        Province& p = *game.provinces[i];
        p.hostility = facts.marks ? (*facts.marks)[i] : startingMark(p);
    }
    if (facts.shown) {
        for (std::size_t i = 0; i < kShown.size(); ++i) {
            game.romans.*kShown[i].flag = (*facts.shown & (1u << i)) != 0;
        }
        game.sassanidWarningPending = (*facts.shown & kTigrisBit) == 0;
    }
    game.showLoadedYear();
    applyRecords(game, facts.records);
    if (facts.economy) {
        game.romans.lastIncome = (*facts.economy)[0];
        game.romans.upkeep = (*facts.economy)[1];
    }
}

}  // namespace tessarion::save
