#include "savegame/SaveGame.h"

#include <algorithm>
#include <array>
#include <limits>
#include <list>
#include <memory>
#include <new>
#include <utility>
#include <vector>

#include "engine/RomanEmpire.h"
#include "engine/Routes.h"
#include "game/Events.h"
#include "game/Game.h"
#include "model/InternalError.h"
#include "model/PrintableText.h"
#include "platform/FileSystem.h"
#include "savegame/AtomicWrite.h"
#include "savegame/RecordNotes.h"
#include "savegame/SaveLimits.h"
#include "savegame/WholeNumber.h"

namespace tessarion {

namespace {

// ------------------------------------------------------------ the fields

// The comments the writer puts after each value, blanks included. The reader
// takes a value line with exactly its comment, with no comment at all, or
// with its comment followed by the notes that line may carry (below).
namespace label {
constexpr std::string_view kTurn = "   # turn";
constexpr std::string_view kTreasury = "   # treasury";
constexpr std::string_view kPlague = "   # plague";
constexpr std::string_view kPlagueCounter = "   # plague counter";
constexpr std::string_view kTribute = "   # roman tribute owned by barbarians";
constexpr std::string_view kProvinces = "-provinces";  // after the power's name
constexpr std::string_view kProvinceCount = "    #    number of provinces";
constexpr std::string_view kLegions = "-Legions";  // after the power's name
constexpr std::string_view kLegionCount = "     #    number of legions";
constexpr std::string_view kCurrent = "   # current province";
constexpr std::string_view kHasRoute = "    #   has a route";  // after "1"
constexpr std::string_view kNoRoute = "    #   no route";      // after "0"
constexpr std::string_view kDestination = "    #   destination";
}  // namespace label

// What the game needs to resume the very turn it was saved in. It follows the
// comments, where a reader of the format looks for nothing: the legions that
// have already moved this year, the exact route of a legion on its way (its
// provinces by their place in the map's table, and the step it has reached),
// and every province's recruiting count. A file without them loads as it
// always did: no legion has moved, routes are planned afresh and the counts
// stay as they are.
namespace note {
constexpr std::string_view kMoved = ", moved";
constexpr std::string_view kRoute = ", route ";
constexpr std::string_view kStep = " at ";
constexpr std::string_view kRecruits = ", recruits ";
}  // namespace note

// One character for each province of the table, and for each small count.
constexpr std::string_view kCodes =
    "0123456789abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";
static_assert(kCodes.size() >= static_cast<std::size_t>(kProvinceCount));

int codeValue(char c) {
    const std::size_t at = kCodes.find(c);
    return at == std::string_view::npos ? -1 : static_cast<int>(at);
}

// The facts of the game after the last legion block: what it told the player
// and how its dice lie, so that a loaded game goes on telling and drawing
// exactly what the game that was saved would have (notes::kFacts below).
struct SavedFacts {
    std::optional<std::uint32_t> dice;
    std::optional<std::array<int, 3>> results;             // invasions, plagues, rebellions
    std::optional<std::array<std::int32_t, 2>> economy;    // last year's taxes and pay
    std::optional<std::array<int, kProvinceCount>> marks;  // every province's hostility
    std::optional<std::uint32_t> shown;                    // bit i: kShown[i] has been shown
    SavedRecords records;  // the year's record, the last year's and the chronicle
};

struct SavedPower {
    std::vector<Province*> provinces;
    std::vector<std::unique_ptr<Legion>> legions;
};

// Everything a saved game holds, checked and ready to be put in place.
struct SavedGame {
    int turn = 0;
    std::int32_t treasury = 0;
    bool plague = false;
    std::int32_t plagueCounter = 0;
    std::array<int, 4> tribeCountdown{};
    std::optional<std::array<int, kProvinceCount>> recruitCounters;
    std::array<SavedPower, 4> powers;
    SavedFacts facts;
};

struct Bounds {
    std::int64_t lowest;
    std::int64_t highest;
};

// The most the taxes can bring in a year: every province's tax.
std::int64_t maxYearlyIncome(const Game& game) {
    std::int64_t sum = 0;
    for (const auto& p : game.provinces) {
        sum += provinceTax(p.get());
    }
    return sum;
}

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

std::string inQuotes(std::string_view text) {
    std::string quoted = "\"";
    quoted += printableText(text);
    quoted += '"';
    return quoted;
}

std::string_view trimmedRight(std::string_view line) {
    while (!line.empty() && (line.back() == ' ' || line.back() == '\t')) {
        line.remove_suffix(1);
    }
    return line;
}

// ---------------------------------------------------------------- writing

#ifdef _WIN32
constexpr std::string_view kLineEnd = "\r\n";
#else
constexpr std::string_view kLineEnd = "\n";
#endif

// Why the game cannot be written as it stands (the writer never leaves out
// what the game needs to go on).
struct SaveRefusal {
    std::string why;
};

// Every line is one the reader takes: what comes before a comment fits a
// reader of values alone, and the notes after it have the room they need up
// to the longest line a saved game may hold.
class Writer {
  public:
    void line(std::string_view text) { line(text, {}); }
    void line(std::string_view value, std::string_view comment, std::string_view notes = {}) {
        const std::size_t start = out_.size();
        out_ += value;
        out_ += comment;
        out_ += notes;
        const std::string_view written = std::string_view(out_).substr(start);
        const std::size_t hash = written.find('#');
        if ((hash == std::string_view::npos ? written.size() : hash) > kSaveLimits.lineLength ||
            written.size() > kSaveLimits.noteLineLength) {
            throw SaveRefusal{"the line " + inQuotes(written.substr(0, 40)) + "... would be " +
                              std::to_string(written.size()) +
                              " characters long, more than a saved game may hold"};
        }
        out_ += kLineEnd;
    }
    std::string take() { return std::move(out_); }

  private:
    std::string out_;
};

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

int tableIndex(const Game& game, const Province* province) {
    for (std::size_t i = 0; i < game.provinces.size(); ++i) {
        if (game.provinces[i].get() == province) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

// The route and the step a legion on its way has reached, unless a fresh
// route from where it stands is the very same.
std::string routeNote(Game& game, const Legion& legion) {
    const Route& route = legion.route;
    const std::string whose =
        "a legion of the " + legion.owner->name + " in " + legion.province->name;
    if (legion.routeIndex < 0 || static_cast<std::size_t>(legion.routeIndex) + 1 >= route.size()) {
        throw SaveRefusal{whose + " is at step " + std::to_string(legion.routeIndex) +
                          " of a route of " + std::to_string(route.size()) + " provinces"};
    }
    if (legion.routeIndex == 0 && route.front() == legion.province &&
        route == findRoute(game, legion.province, route.back())) {
        return "";
    }
    std::string codes;
    for (const Province* p : route) {
        const int index = tableIndex(game, p);
        if (index < 0) {
            throw SaveRefusal{whose + " marches through a province not on the map"};
        }
        codes += kCodes[static_cast<std::size_t>(index)];
    }
    return std::string(note::kRoute) + codes + std::string(note::kStep) +
           std::to_string(legion.routeIndex);
}

void writeLegion(Game& game, Writer& out, const Legion& legion) {
    out.line(legion.province->name, label::kCurrent, legion.moved ? note::kMoved : "");
    if (!legion.hasRoute) {
        out.line("0", label::kNoRoute);
        return;
    }
    out.line("1", label::kHasRoute);
    if (legion.route.empty() || legion.route.back() == nullptr) {
        throw SaveRefusal{"a legion of the " + legion.owner->name + " in " + legion.province->name +
                          " marches without a destination"};
    }
    out.line(legion.route.back()->name, label::kDestination, routeNote(game, legion));
}

// ---------------------------------------------------------------- reading

// Why a load was refused, and where.
struct LoadError {
    int line;
    std::string what;
};

// A value line taken apart: the value, and the notes after its comment.
struct ValueLine {
    std::string_view value;
    std::string_view notes;
};

// Hands out the lines of a file one at a time and checks each against what
// the writer puts there. A byte-order mark and carriage returns before the
// line feeds are taken on purpose (editors add them); blanks at the end of a
// line are taken too. Anything else unexpected is refused with its line.
// Lines are found as they are read, so that a file of nothing but line
// feeds costs no more than its bytes.
class LineReader {
  public:
    explicit LineReader(std::string_view bytes) : rest_(bytes) {
        if (rest_.substr(0, 3) == "\xEF\xBB\xBF") {
            rest_.remove_prefix(3);
        }
    }

    // The number of the line read last (0 before the first).
    int lineNumber() const { return lineNumber_; }

    std::size_t remaining() const {
        std::size_t lines = 0;
        for (char c : rest_) {
            lines += c == '\n' ? 1 : 0;
        }
        return lines + (!rest_.empty() && rest_.back() != '\n' ? 1 : 0);
    }

    [[noreturn]] void fail(std::string what) const {
        throw LoadError{lineNumber(), std::move(what)};
    }

    // The next line, blanks at its end removed.
    std::string_view line(const std::string& what) {
        if (rest_.empty()) {
            throw LoadError{lineNumber() + 1, "the file ends before " + what};
        }
        const std::size_t end = rest_.find('\n');
        std::string_view line = rest_.substr(0, end);
        rest_.remove_prefix(end == std::string_view::npos ? rest_.size() : end + 1);
        ++lineNumber_;
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        // A value a reader of values alone reads whole; notes after the
        // comment may take more room.
        const std::size_t hash = line.find('#');
        if ((hash == std::string_view::npos ? line.size() : hash) > kSaveLimits.lineLength) {
            fail("the line is longer than " + std::to_string(kSaveLimits.lineLength) +
                 " characters");
        }
        if (line.size() > kSaveLimits.noteLineLength) {
            fail("the line is longer than " + std::to_string(kSaveLimits.noteLineLength) +
                 " characters");
        }
        if (line.find('\0') != std::string_view::npos) {
            fail("the line holds a NUL character");
        }
        return trimmedRight(line);
    }

    void expect(const std::string& text, const std::string& what) {
        const std::string_view got = line(what);
        if (got != text) {
            fail(what + " should read " + inQuotes(text) + ", not " + inQuotes(got));
        }
    }

    // A line that is either the value alone or the value followed by exactly
    // its comment and, after that, notes.
    ValueLine value(std::string_view comment, const std::string& what) {
        const std::string_view got = line(what);
        const std::size_t hash = got.find('#');
        if (hash == std::string_view::npos) {
            return {got, {}};
        }
        const std::size_t blanks = comment.find('#');
        if (hash < blanks || got.substr(hash - blanks, comment.size()) != comment) {
            failComment(comment, what);
        }
        return {got.substr(0, hash - blanks), got.substr(hash - blanks + comment.size())};
    }

    [[noreturn]] void failComment(std::string_view comment, const std::string& what) const {
        fail("the comment of " + what + " should read " + inQuotes(trimmedRight(comment)));
    }

    std::int64_t number(std::string_view field, const std::string& what) const {
        const std::optional<std::int64_t> number = wholeNumber(field);
        if (!number) {
            fail(what + " should be a whole number, not " + inQuotes(field));
        }
        return *number;
    }

    void within(std::int64_t number, Bounds bounds, const std::string& what) const {
        if (number < bounds.lowest || number > bounds.highest) {
            fail(what + " is " + std::to_string(number) + ", beyond anything a game reaches (" +
                 std::to_string(bounds.lowest) + " to " + std::to_string(bounds.highest) + ")");
        }
    }

    // The next line that is not blank, or nothing at the end of the file.
    std::optional<std::string_view> nextFilled() {
        while (!rest_.empty()) {
            const std::string_view got = line("the end");
            if (!got.empty()) {
                return got;
            }
        }
        return std::nullopt;
    }
    // The next line that is not blank, which must come before the end.
    std::string_view filled(const std::string& what) {
        for (;;) {
            const std::string_view got = line(what);
            if (!got.empty()) {
                return got;
            }
        }
    }

  private:
    std::string_view rest_;
    int lineNumber_ = 0;
};

// A province by its exact name, without the advisor's "not found" box that
// Game::findProvince shows: a bad name here is the file's fault, reported once.
int provinceIndex(Game& game, std::string_view name) {
    for (std::size_t i = 0; i < game.provinces.size(); ++i) {
        if (game.provinces[i]->name == name) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

Province* namedProvince(Game& game, const LineReader& in, std::string_view name) {
    const int index = provinceIndex(game, name);
    if (index < 0) {
        in.fail("Bad province name " + inQuotes(name));
    }
    return game.provinces[static_cast<std::size_t>(index)].get();
}

// A count of entries taking at least `linesEach` lines apiece. Checked before
// anything is set aside for them, so a damaged count costs nothing.
std::size_t readCount(LineReader& in, std::string_view comment, const std::string& what,
                      std::size_t linesEach, std::size_t limit, const std::string& beyond) {
    const ValueLine line = in.value(comment, what);
    if (!line.notes.empty()) {
        in.failComment(comment, what);
    }
    const std::int64_t count = in.number(line.value, what);
    if (count < 0) {
        in.fail(what + " is negative (" + std::to_string(count) + ")");
    }
    if (static_cast<std::uint64_t>(count) > limit) {
        in.fail(what + " is " + std::to_string(count) + ", " + beyond + " (" +
                std::to_string(limit) + ")");
    }
    if (static_cast<std::size_t>(count) > in.remaining() / linesEach) {
        in.fail(what + " is " + std::to_string(count) + ", more than the rest of the file holds");
    }
    return static_cast<std::size_t>(count);
}

// Exactly `N` whole numbers with one blank between them.
template <std::size_t N>
std::array<std::int64_t, N> numbersOf(const LineReader& in, std::string_view text,
                                      const std::string& what) {
    std::array<std::int64_t, N> numbers{};
    std::size_t at = 0;
    for (std::size_t i = 0; i < N; ++i) {
        const std::size_t end = i + 1 < N ? text.find(' ', at) : text.size();
        if (end == std::string_view::npos) {
            in.fail(what + " should be " + std::to_string(N) + " numbers, not " + inQuotes(text));
        }
        numbers[i] = in.number(text.substr(at, end - at), what);
        at = end + 1;
    }
    return numbers;
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

// The turn, the treasury, the plague and the tribes' countdowns.
void readHeader(Game& game, LineReader& in, SavedGame& saved) {
    for (const HeaderField& field : kHeader) {
        const std::string what = field.what;
        const ValueLine line = in.value(field.label, what);
        const std::int64_t number = in.number(line.value, what);
        if (&field == &kHeader.front()) {
            if (number < 0) {
                in.fail("the turn is negative (" + std::to_string(number) + ")");
            }
            if (number > kSaveLimits.lastTurn) {
                in.fail("turn " + std::to_string(number) + " is the year " +
                        std::to_string(235 + number) + " AD, when the game is already over");
            }
            if (line.notes.substr(0, note::kRecruits.size()) == note::kRecruits) {
                saved.recruitCounters =
                    readRecruits(in, line.notes.substr(note::kRecruits.size()), number);
            } else if (!line.notes.empty()) {
                in.failComment(field.label, what);
            }
        } else if (!line.notes.empty()) {
            in.failComment(field.label, what);
        }
        in.within(number, field.bounds(game, saved.turn), what);
        field.put(saved, number);
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

// The route of a destination line's notes, checked the way the rules build
// routes: each step to a neighbour or a year standing still, the legion on
// the step it has reached or, pushed on by a won battle, on the next one.
void readRoute(Game& game, const LineReader& in, std::string_view notes, Legion& legion,
               Province* destination) {
    const std::string_view codes = notes.substr(0, notes.find(' '));
    const std::string_view after = notes.substr(codes.size());
    if (codes.size() < 2 || after.substr(0, note::kStep.size()) != note::kStep) {
        in.fail(
            "the route of a legion should read \"route\", the provinces, \"at\" and a step, "
            "not " +
            inQuotes(notes));
    }
    Route route;
    for (char c : codes) {
        const int index = codeValue(c);
        if (index < 0 || index >= static_cast<int>(game.provinces.size())) {
            in.fail("the route of a legion holds an unknown province: " + inQuotes(codes));
        }
        route.push_back(game.provinces[static_cast<std::size_t>(index)].get());
    }
    const std::int64_t step = in.number(after.substr(note::kStep.size()), "the step of a route");
    in.within(step, {0, static_cast<std::int64_t>(route.size()) - 2}, "the step of a route");
    if (route.back() != destination) {
        in.fail("the route of a legion ends in " + route.back()->name + ", not in " +
                destination->name);
    }
    for (std::size_t i = 0; i + 1 < route.size(); ++i) {
        if (route[i] != route[i + 1] && !isNeighbour(route[i], route[i + 1])) {
            in.fail("the route of a legion goes from " + route[i]->name + " to " +
                    route[i + 1]->name + ", which do not border");
        }
    }
    const auto at = static_cast<std::size_t>(step);
    if (legion.province != route[at] && legion.province != route[at + 1]) {
        in.fail("a legion in " + legion.province->name + " is not on its route");
    }
    legion.setRoute(route);
    legion.routeIndex = static_cast<int>(step);
}

std::unique_ptr<Legion> readLegion(Game& game, LineReader& in, Empire* owner) {
    const std::string& power = owner->name;
    const std::string where = "the province of a legion of the " + power;
    const ValueLine current = in.value(label::kCurrent, where);
    if (!current.notes.empty() && current.notes != note::kMoved) {
        in.failComment(label::kCurrent, where);
    }
    auto legion = std::make_unique<Legion>(owner, namedProvince(game, in, current.value));
    legion->moved = !current.notes.empty();

    const std::string flagName = "the route flag of a legion of the " + power;
    const std::string_view flag = in.line(flagName);
    const std::string hasRoute = "1" + std::string(label::kHasRoute);
    const std::string noRoute = "0" + std::string(label::kNoRoute);
    if (flag == "0" || flag == noRoute) {
        return legion;
    }
    if (flag != "1" && flag != hasRoute) {
        in.fail(flagName + " should read " + inQuotes(hasRoute) + " or " + inQuotes(noRoute) +
                ", not " + inQuotes(flag));
    }
    const std::string what = "the destination of a legion of the " + power;
    const ValueLine line = in.value(label::kDestination, what);
    Province* destination = namedProvince(game, in, line.value);
    if (line.notes.substr(0, note::kRoute.size()) == note::kRoute) {
        readRoute(game, in, line.notes.substr(note::kRoute.size()), *legion, destination);
        return legion;
    }
    if (!line.notes.empty()) {
        in.failComment(label::kDestination, what);
    }
    const Route route = findRoute(game, legion->province, destination);
    if (route.size() < 2) {
        in.fail("there is no route from " + legion->province->name + " to " + destination->name);
    }
    legion->setRoute(route);
    return legion;
}

void readLegions(Game& game, LineReader& in, SavedGame& saved) {
    const std::array<Empire*, 4> powers = game.powers();
    // The Romans may hold the Front's legions beyond the bound (legionWeight).
    std::size_t left = kSaveLimits.legionsIn(saved.turn) + kSaveLimits.peoplesFrontRising;
    for (std::size_t p = 0; p < powers.size(); ++p) {
        const std::string& power = powers[p]->name;
        in.expect(power + std::string(label::kLegions),
                  "the heading of the legions of the " + power);
        // A legion takes two lines at least: where it stands and its route flag.
        const std::size_t count =
            readCount(in, label::kLegionCount, "the number of legions of the " + power, 2, left,
                      "more than a saved game may hold");
        left -= count;
        std::vector<std::unique_ptr<Legion>>& legions = saved.powers[p].legions;
        legions.reserve(count);
        for (std::size_t i = 0; i < count; ++i) {
            legions.push_back(readLegion(game, in, powers[p]));
        }
    }
    std::size_t others = 0;
    for (std::size_t p = 1; p < powers.size(); ++p) {
        others += saved.powers[p].legions.size();
    }
    const std::vector<Province*>& roman = saved.powers[0].provinces;
    const bool palestina =
        std::find(roman.begin(), roman.end(), game.province(ProvinceId::Palestina)) != roman.end();
    const std::size_t weight =
        kSaveLimits.legionWeight(others, saved.powers[0].legions.size(), palestina);
    if (weight > kSaveLimits.legionsIn(saved.turn)) {
        in.fail("the legions of all the powers count as " + std::to_string(weight) +
                ", more than a saved game of " + std::to_string(235 + saved.turn) +
                " AD may hold (" + std::to_string(kSaveLimits.legionsIn(saved.turn)) + ")");
    }
}

// -------------------------------------------------------------- the facts

// After the last legion block, where a reader of values alone has stopped,
// the game keeps what it has told the player and how its dice lie, one line
// each: "# ", the fact's name and its values. A loaded game thus goes on
// drawing and telling exactly what the game that was saved would have. A
// file without a fact loads as it always did (applySavedGame says how).
// Adding a fact is a row of kFacts.

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

struct Fact {
    std::string_view name;
    std::string (*write)(Game&);
    void (*read)(Game&, const LineReader&, std::string_view values, SavedGame&);
};

const std::array<Fact, 5> kFacts = {{
    {"dice", [](Game& g) { return std::to_string(g.random.state()); },
     [](Game&, const LineReader& in, std::string_view values, SavedGame& saved) {
         const std::string what = "the state of the dice";
         const std::int64_t state = in.number(values, what);
         in.within(state, {0, std::numeric_limits<std::uint32_t>::max()}, what);
         saved.facts.dice = static_cast<std::uint32_t>(state);
     }},
    {"results",
     [](Game& g) {
         return std::to_string(g.invasionCount) + " " + std::to_string(g.plagueCount) + " " +
                std::to_string(g.rebellionCount);
     },
     [](Game&, const LineReader& in, std::string_view values, SavedGame& saved) {
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
     }},
    {"economy",
     [](Game& g) {
         return std::to_string(g.romans.lastIncome) + " " + std::to_string(g.romans.upkeep);
     },
     [](Game& g, const LineReader& in, std::string_view values, SavedGame& saved) {
         const auto n = numbersOf<2>(in, values, "the economy");
         in.within(n[0], {0, maxYearlyIncome(g)}, "last year's taxes");
         in.within(n[1], {0, mostPay(saved.turn)}, "last year's pay");
         if (n[1] % kLegionPay != 0) {
             in.fail("last year's pay is " + std::to_string(n[1]) + ", not " +
                     std::to_string(kLegionPay) + " for each legion");
         }
         saved.facts.economy = {static_cast<std::int32_t>(n[0]), static_cast<std::int32_t>(n[1])};
     }},
    {"marks",
     [](Game& g) {
         std::string digits;
         for (const auto& p : g.provinces) {
             if (p->hostility < 0 || p->hostility > 2) {
                 throw SaveRefusal{p->name + " bears the unknown mark " +
                                   std::to_string(p->hostility)};
             }
             digits += static_cast<char>('0' + p->hostility);
         }
         return digits;
     },
     [](Game& g, const LineReader& in, std::string_view values, SavedGame& saved) {
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
     }},
    {"shown",
     [](Game& g) {
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
     },
     [](Game&, const LineReader& in, std::string_view values, SavedGame& saved) {
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
     }},
}};

// The line after the facts: a file cut short among them is refused.
constexpr std::string_view kFactsEnd = "# end";

void writeFacts(Game& game, Writer& out) {
    for (const Fact& fact : kFacts) {
        const std::string values = fact.write(game);
        out.line("# " + std::string(fact.name) + (values.empty() ? "" : " " + values));
    }
    game.yearRecord.flushProvince();
    for (const std::string& line : recordNoteLines(game)) {
        out.line(line);
    }
    out.line(kFactsEnd);
}

// After the last legion block: nothing but blank lines (a file of before the
// facts), or every fact once and the end of them.
void readFacts(Game& game, LineReader& in, SavedGame& saved) {
    std::optional<std::string_view> got = in.nextFilled();
    if (!got) {
        return;
    }
    std::array<bool, kFacts.size()> seen{};
    for (; *got != kFactsEnd; got = in.filled("the end of the facts")) {
        if (got->substr(0, 2) != "# ") {
            in.fail("there is more after the last legion block");
        }
        const std::string_view rest = got->substr(2);
        const std::size_t blank = rest.find(' ');
        const std::string_view name = rest.substr(0, blank);
        const std::string_view values =
            blank == std::string_view::npos ? "" : rest.substr(blank + 1);
        try {
            if (readRecordNote(name, values, saved.facts.records)) {
                continue;
            }
        } catch (const RecordNoteError& e) {
            in.fail(e.what);
        }
        const auto fact = std::find_if(kFacts.begin(), kFacts.end(),
                                       [&](const Fact& f) { return f.name == name; });
        if (fact == kFacts.end()) {
            in.fail("there is an unknown fact after the last legion block: " + inQuotes(name));
        }
        bool& once = seen[static_cast<std::size_t>(fact - kFacts.begin())];
        if (once) {
            in.fail("the fact " + inQuotes(name) + " is told twice");
        }
        once = true;
        fact->read(game, in, values, saved);
    }
    for (std::size_t i = 0; i < kFacts.size(); ++i) {
        if (!seen[i]) {
            in.fail("the fact " + inQuotes(kFacts[i].name) + " is missing");
        }
    }
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
    if (in.nextFilled()) {
        in.fail("there is more after the end of the facts");
    }
}

SavedGame parseSavedGame(Game& game, std::string_view bytes) {
    if (bytes.size() > kMaxSaveFileSize) {
        throw LoadError{0, "the file is larger than any saved game can be (" +
                               std::to_string(kMaxSaveFileSize) + " bytes)"};
    }
    LineReader in(bytes);
    SavedGame saved;
    readHeader(game, in, saved);
    readProvinces(game, in, saved);
    readLegions(game, in, saved);
    readFacts(game, in, saved);
    return saved;
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

// Puts a checked saved game in place. The schedule is the only part that
// allocates; it is rebuilt first so that nothing has changed if that fails.
void applySavedGame(Game& game, SavedGame& saved) {
    std::list<std::unique_ptr<GameEvent>> previousEvents = std::move(game.events);
    game.events.clear();
    try {
        // The running game's schedule may have lost events already past for
        // it but still ahead for the loaded year.
        setUpEvents(game);
    } catch (...) {
        game.events = std::move(previousEvents);
        throw;
    }

    game.turn = saved.turn;
    game.romans.treasury = saved.treasury;
    game.romans.plague = saved.plague;
    game.romans.plagueCounter = saved.plagueCounter;
    for (std::size_t i = 0; i < saved.tribeCountdown.size(); ++i) {
        game.barbarians.tribeCountdown[i] = saved.tribeCountdown[i];
    }
    for (std::size_t i = 0; i < game.provinces.size(); ++i) {
        Province& p = *game.provinces[i];
        // A file without the counts keeps the running game's, within what
        // its year can have.
        p.recruitCounter =
            saved.recruitCounters
                ? (*saved.recruitCounters)[i]
                : std::min(p.recruitCounter, kSaveLimits.firstRecruitCount + saved.turn);
    }
    const std::array<Empire*, 4> powers = game.powers();
    for (std::size_t p = 0; p < powers.size(); ++p) {
        powers[p]->provinces.swap(saved.powers[p].provinces);
        // The old legions leave with `saved`.
        powers[p]->legions.swap(saved.powers[p].legions);
    }
    applyFacts(game, saved.facts);
}

std::string composeSave(Game& game) {
    Writer out;
    for (const HeaderField& field : kHeader) {
        const bool first = &field == &kHeader.front();
        out.line(std::to_string(field.get(game)), field.label, first ? recruitsNote(game) : "");
    }
    for (const Empire* power : game.powers()) {
        out.line(power->name + std::string(label::kProvinces));
        out.line(std::to_string(power->provinces.size()), label::kProvinceCount);
        for (const Province* province : power->provinces) {
            out.line(province->name);
        }
    }
    for (const Empire* power : game.powers()) {
        out.line(power->name + std::string(label::kLegions));
        out.line(std::to_string(power->legions.size()), label::kLegionCount);
        for (const auto& legion : power->legions) {
            writeLegion(game, out, *legion);
        }
    }
    writeFacts(game, out);
    return out.take();
}

// The file of the game in `text`, or why there can be none: a value beyond
// what a saved game may hold, one the writer cannot put down, or a file the
// reader would not take back.
std::optional<std::string> checkedSave(Game& game, std::string& text) {
    auto beyond = [](const std::string& what, long long value) {
        return what + " is " + std::to_string(value) + ", beyond what a saved game may hold";
    };
    for (const HeaderField& field : kHeader) {
        const Bounds bounds = field.bounds(game, game.turn);
        const std::int64_t value = field.get(game);
        if (value < bounds.lowest || value > bounds.highest) {
            return beyond(field.what, value);
        }
    }
    std::size_t others = 0;
    for (const Empire* power : game.powers()) {
        others += power == &game.romans ? 0 : power->legions.size();
    }
    const std::size_t weight =
        kSaveLimits.legionWeight(others, game.romans.legions.size(),
                                 game.romans.ownsProvince(game.province(ProvinceId::Palestina)));
    if (weight > kSaveLimits.legionsIn(game.turn)) {
        return beyond("the number of legions of all the powers",
                      static_cast<long long>(others + game.romans.legions.size()));
    }
    try {
        text = composeSave(game);
    } catch (const SaveRefusal& refusal) {
        return refusal.why;
    }
    try {
        (void)parseSavedGame(game, text);
    } catch (const LoadError& e) {
        return "it would not load again (line " + std::to_string(e.line) + ": " + e.what + ")";
    }
    return std::nullopt;
}

FileResult loadError(const LoadError& e) {
    std::string text = "Unable to load the game";
    if (e.line > 0) {
        text += ", line " + std::to_string(e.line);
    }
    return {false, "ERROR", text + ": " + e.what};
}

FileResult outOfMemory() {
    return {false, "ERROR", "Unable to load the game: there is not enough memory to read it"};
}

}  // namespace

std::string readField(std::string_view line) {
    std::size_t end = line.find('#');
    if (end == std::string_view::npos) {
        end = line.size();
    }
    while (end > 0 && (line[end - 1] == ' ' || line[end - 1] == '\t')) {
        --end;
    }
    return std::string(line.substr(0, end));
}

std::optional<std::string> whyUnsavable(Game& game) {
    std::string text;
    return checkedSave(game, text);
}

std::string saveGameText(Game& game) {
    try {
        return composeSave(game);
    } catch (const SaveRefusal& refusal) {
        throw InternalError("the game cannot be saved: " + refusal.why);
    }
}

FileResult saveGame(Game& game, const std::string& path) {
    try {
        std::string text;
        if (std::optional<std::string> why = checkedSave(game, text)) {
            return {false, "ERROR", "Unable to save the game: " + *why};
        }
        return writeFileAtomically(path, text);
    } catch (const std::bad_alloc&) {
        return {false, "ERROR", "Unable to save the game: there is not enough memory"};
    }
}

FileResult loadGameText(Game& game, std::string_view bytes) {
    try {
        SavedGame saved = parseSavedGame(game, bytes);
        applySavedGame(game, saved);
    } catch (const LoadError& e) {
        return loadError(e);
    } catch (const std::bad_alloc&) {
        return outOfMemory();
    }
    return {true, "", ""};
}

SavedGameInfo inspectGameText(Game& game, std::string_view bytes) {
    SavedGameInfo info;
    try {
        const SavedGame saved = parseSavedGame(game, bytes);
        info.year = 235 + saved.turn;
        info.result.ok = true;
    } catch (const LoadError& e) {
        info.result = loadError(e);
    } catch (const std::bad_alloc&) {
        info.result = outOfMemory();
    }
    return info;
}

FileResult loadGame(Game& game, const std::string& path) {
    std::string bytes;
    try {
        if (std::optional<std::string> why =
                files::readRegularFile(path, kMaxSaveFileSize + 1, bytes)) {
            return FileResult{false, "ERROR", "Unable to open file (" + *why + ")"};
        }
    } catch (const std::bad_alloc&) {
        return outOfMemory();
    }
    return loadGameText(game, bytes);
}

}  // namespace tessarion
