// The blocks of values every saved game holds: the header, each power's
// provinces and each power's legions, with the notes that resume the very
// turn the game was saved in.

#include <algorithm>
#include <array>

#include "engine/Routes.h"
#include "savegame/SaveFormat.h"
#include "savegame/SaveLimits.h"

namespace tessarion::save {

namespace {

// ------------------------------------------------------------- the header

// The eight values at the top of the file, in their order: what a refusal
// calls each, its comment, where the game keeps it, and what a game in a
// given turn may hold there (see SaveLimits).
struct HeaderField {
    const char* what;
    std::string_view label;
    std::int64_t (*get)(const Game&);
    void (*put)(SavedGame&, std::int64_t);
    Bounds (*bounds)(const Game&, int turn);
};

template <std::size_t Tribe>
constexpr HeaderField tributeField(const char* what) {
    return {what, label::kTribute,
            [](const Game& g) -> std::int64_t { return g.barbarians.tribeCountdown[Tribe]; },
            [](SavedGame& s, std::int64_t v) { s.tribeCountdown[Tribe] = static_cast<int>(v); },
            [](const Game&, int) {
                return Bounds{0, kSaveLimits.tribeCountdown};
            }};
}

const std::array<HeaderField, 8> kHeader = {{
    {"the turn", label::kTurn, [](const Game& g) -> std::int64_t { return g.turn; },
     [](SavedGame& s, std::int64_t v) { s.turn = static_cast<int>(v); },
     [](const Game&, int) {
         return Bounds{0, kSaveLimits.lastTurn};
     }},
    {"the treasury", label::kTreasury,
     [](const Game& g) -> std::int64_t { return g.romans.treasury; },
     [](SavedGame& s, std::int64_t v) { s.treasury = static_cast<std::int32_t>(v); },
     [](const Game& g, int turn) {
         return Bounds{0, kSaveLimits.treasury + turn * maxYearlyIncome(g)};
     }},
    {"the plague", label::kPlague,
     [](const Game& g) -> std::int64_t { return g.romans.plague ? 1 : 0; },
     [](SavedGame& s, std::int64_t v) { s.plague = v == 1; },
     [](const Game&, int) {
         return Bounds{0, 1};
     }},
    {"the plague counter", label::kPlagueCounter,
     [](const Game& g) -> std::int64_t { return g.romans.plagueCounter; },
     [](SavedGame& s, std::int64_t v) { s.plagueCounter = static_cast<std::int32_t>(v); },
     [](const Game&, int turn) {
         (void)turn;
         return Bounds{0, kSaveLimits.plagueCounter};
     }},
    tributeField<0>("the countdown of tribe 0"),
    tributeField<1>("the countdown of tribe 1"),
    tributeField<2>("the countdown of tribe 2"),
    tributeField<3>("the countdown of tribe 3"),
}};

// The recruiting counts of the whole map: a character each while every count
// fits in one, else the numbers with a blank between them.
std::string recruitsNote(const Game& game) {
    std::string codes;
    std::string numbers;
    bool fits = true;
    for (const auto& p : game.provinces) {
        if (p->recruitCounter < 0) {
            throw SaveRefusal{p->name + "'s recruiting count is negative (" +
                              std::to_string(p->recruitCounter) + ")"};
        }
        const auto count = static_cast<std::size_t>(p->recruitCounter);
        fits = fits && count < kCodes.size();
        codes += fits ? kCodes[count] : '?';
        numbers += (numbers.empty() ? "" : " ") + std::to_string(count);
    }
    return std::string(note::kRecruits) + (fits ? codes : numbers);
}

// A character each, or (when one of them is beyond a character) the numbers
// with a blank between them. A count grows by at most one a year.
std::array<int, kProvinceCount> readRecruits(const LineReader& in, std::string_view codes,
                                             std::int64_t turn) {
    std::array<int, kProvinceCount> counts{};
    const std::string what = "the recruiting counts";
    if (codes.find(' ') != std::string_view::npos) {
        const auto numbers = numbersOf<kProvinceCount>(in, codes, what);
        for (std::size_t i = 0; i < counts.size(); ++i) {
            in.within(numbers[i], {0, kSaveLimits.firstRecruitCount + turn}, "a recruiting count");
            counts[i] = static_cast<int>(numbers[i]);
        }
        return counts;
    }
    if (codes.size() != counts.size()) {
        in.fail(what + " should be " + std::to_string(counts.size()) + " characters, not " +
                inQuotes(codes));
    }
    for (std::size_t i = 0; i < counts.size(); ++i) {
        counts[i] = codeValue(codes[i]);
        if (counts[i] < 0) {
            in.fail(what + " hold an unknown character: " + inQuotes(codes));
        }
        in.within(counts[i], {0, kSaveLimits.firstRecruitCount + turn}, "a recruiting count");
    }
    return counts;
}

// The turn comes first and bounds the rest; its line may carry the
// recruiting counts.
void readTurnNotes(LineReader& in, const HeaderField& field, const ValueLine& line,
                   std::int64_t turn, SavedGame& saved) {
    if (turn < 0) {
        in.fail("the turn is negative (" + std::to_string(turn) + ")");
    }
    if (turn > kSaveLimits.lastTurn) {
        in.fail("turn " + std::to_string(turn) + " is the year " + std::to_string(235 + turn) +
                " AD, when the game is already over");
    }
    if (line.notes.substr(0, note::kRecruits.size()) == note::kRecruits) {
        saved.recruitCounters = readRecruits(in, line.notes.substr(note::kRecruits.size()), turn);
        saved.shows(FormatVersion::Notes);
    } else if (!line.notes.empty()) {
        in.failComment(field.label, field.what);
    }
}

}  // namespace

void writeHeader(const Game& game, Writer& out) {
    for (const HeaderField& field : kHeader) {
        const bool first = &field == &kHeader.front();
        out.line(std::to_string(field.get(game)), field.label, first ? recruitsNote(game) : "");
    }
}

// The turn, the treasury, the plague and the tribes' countdowns.
void readHeader(Game& game, LineReader& in, SavedGame& saved) {
    for (const HeaderField& field : kHeader) {
        const std::string what = field.what;
        const ValueLine line = in.value(field.label, what);
        const std::int64_t number = in.number(line.value, what);
        if (&field == &kHeader.front()) {
            readTurnNotes(in, field, line, number, saved);
        } else if (!line.notes.empty()) {
            in.failComment(field.label, what);
        }
        in.within(number, field.bounds(game, saved.turn), what);
        field.put(saved, number);
    }
}

std::optional<std::string> headerBeyondLimits(const Game& game) {
    for (const HeaderField& field : kHeader) {
        const Bounds bounds = field.bounds(game, game.turn);
        const std::int64_t value = field.get(game);
        if (value < bounds.lowest || value > bounds.highest) {
            return std::string(field.what) + " is " + std::to_string(value) +
                   ", beyond what a saved game may hold";
        }
    }
    return std::nullopt;
}

// ---------------------------------------------------------- the provinces

void writeProvinces(const Game& game, Writer& out) {
    for (const Empire* power : game.powers()) {
        out.line(power->name + std::string(label::kProvinces));
        out.line(std::to_string(power->provinces.size()), label::kProvinceCount);
        for (const Province* province : power->provinces) {
            out.line(province->name);
        }
    }
}

void readProvinces(Game& game, LineReader& in, SavedGame& saved) {
    const std::array<Empire*, 4> powers = game.powers();
    // Where each province was listed, to refuse one listed twice.
    std::array<int, kProvinceCount> listedAt{};
    std::array<const Empire*, kProvinceCount> listedFor{};
    for (std::size_t p = 0; p < powers.size(); ++p) {
        const std::string& power = powers[p]->name;
        in.expect(power + std::string(label::kProvinces),
                  "the heading of the provinces of the " + power);
        const std::size_t count =
            readCount(in, label::kProvinceCount, "the number of provinces of the " + power, 1,
                      kProvinceCount, "more than the map has");
        for (std::size_t i = 0; i < count; ++i) {
            Province* province = namedProvince(game, in, in.line("a province of the " + power));
            const auto index = static_cast<std::size_t>(provinceIndex(game, province->name));
            if (listedAt[index] != 0) {
                in.fail(province->name + " is listed again (first on line " +
                        std::to_string(listedAt[index]) + ", for the " + listedFor[index]->name +
                        ")");
            }
            listedAt[index] = in.lineNumber();
            listedFor[index] = powers[p];
            saved.powers[p].provinces.push_back(province);
        }
    }
}

}  // namespace tessarion::save
