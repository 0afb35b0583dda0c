#pragma once

// The lines of a saved game, shared by its blocks (SaveBlocks, SaveFacts) and
// by SaveGame, which writes and reads them in order: the comments and notes,
// the writer's and the reader's line discipline, and what a checked file
// holds before it is put in place. Nothing here is for use outside savegame.

#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "game/Game.h"
#include "model/ProvinceTable.h"
#include "savegame/RecordNotes.h"

namespace tessarion::save {

// The format has grown by what older files lack, never by changing a line:
// each version still loads as it always did, and the writer writes the
// newest. The file names no version; it shows which it is by what it holds,
// and the reader asks of it no more than that version had (a fact of a newer
// version than the file shows may be missing).
enum class FormatVersion {
    Values = 1,   // the values and their comments, all a reader of values alone needs
    Notes = 2,    // the notes after some comments: moved legions, routes, recruiting counts
    Facts = 3,    // the facts after the last legion block
    Records = 4,  // the year's record and the chronicle among the facts
};

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

// What the game needs to resume the very turn it was saved in (since
// FormatVersion::Notes). It follows the comments, where a reader of the
// format looks for nothing: the legions that have already moved this year,
// the exact route of a legion on its way (its provinces by their place in the
// map's table, and the step it has reached), and every province's recruiting
// count. A file without them loads as it always did: no legion has moved,
// routes are planned afresh and the counts stay as they are.
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

inline int codeValue(char c) {
    const std::size_t at = kCodes.find(c);
    return at == std::string_view::npos ? -1 : static_cast<int>(at);
}

// ------------------------------------------------------ what a file holds

// The facts of the game after the last legion block: what it told the player
// and how its dice lie, so that a loaded game goes on telling and drawing
// exactly what the game that was saved would have (SaveFacts).
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
    FormatVersion version = FormatVersion::Values;  // the newest its lines show
    int turn = 0;
    std::int32_t treasury = 0;
    bool plague = false;
    std::int32_t plagueCounter = 0;
    std::array<int, 4> tribeCountdown{};
    std::optional<std::array<int, kProvinceCount>> recruitCounters;
    std::array<SavedPower, 4> powers;
    SavedFacts facts;

    void shows(FormatVersion v) { version = std::max(version, v); }
};

struct Bounds {
    std::int64_t lowest;
    std::int64_t highest;
};

// The most the taxes can bring in a year: every province's tax.
std::int64_t maxYearlyIncome(const Game& game);

std::string inQuotes(std::string_view text);
std::string_view trimmedRight(std::string_view line);

// ---------------------------------------------------------------- writing

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
    void line(std::string_view value, std::string_view comment, std::string_view notes = {});
    std::string take() { return std::move(out_); }

  private:
    std::string out_;
};

// The province's place in the map's table, or -1 for one not on the map.
int tableIndex(const Game& game, const Province* province);

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
    explicit LineReader(std::string_view bytes);

    // The number of the line read last (0 before the first).
    int lineNumber() const { return lineNumber_; }
    // How many lines are left.
    std::size_t remaining() const;

    [[noreturn]] void fail(std::string what) const;
    [[noreturn]] void failComment(std::string_view comment, const std::string& what) const;

    // The next line, blanks at its end removed.
    std::string_view line(const std::string& what);
    void expect(const std::string& text, const std::string& what);
    // A line that is either the value alone or the value followed by exactly
    // its comment and, after that, notes.
    ValueLine value(std::string_view comment, const std::string& what);
    // The next line that is not blank, or nothing at the end of the file.
    std::optional<std::string_view> nextFilled();
    // The next line that is not blank, which must come before the end.
    std::string_view filled(const std::string& what);

    std::int64_t number(std::string_view field, const std::string& what) const;
    void within(std::int64_t number, Bounds bounds, const std::string& what) const;

  private:
    std::string_view rest_;
    int lineNumber_ = 0;
};

// A province by its exact name, without the advisor's "not found" box that
// Game::findProvince shows: a bad name here is the file's fault, reported once.
int provinceIndex(const Game& game, std::string_view name);
Province* namedProvince(Game& game, const LineReader& in, std::string_view name);

// A count of entries taking at least `linesEach` lines apiece. Checked before
// anything is set aside for them, so a damaged count costs nothing.
std::size_t readCount(LineReader& in, std::string_view comment, const std::string& what,
                      std::size_t linesEach, std::size_t limit, const std::string& beyond);

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

// ----------------------------------------------------------------- blocks

// The file is these blocks in this order; each is written from the game as
// it stands and read into a SavedGame, nothing of the game changed until the
// whole file has been read.
struct Block {
    std::string_view name;
    FormatVersion since;
    void (*write)(const Game&, Writer&);
    void (*read)(Game&, LineReader&, SavedGame&);
};

void writeHeader(const Game& game, Writer& out);
void readHeader(Game& game, LineReader& in, SavedGame& saved);
void writeProvinces(const Game& game, Writer& out);
void readProvinces(Game& game, LineReader& in, SavedGame& saved);
void writeLegions(const Game& game, Writer& out);
void readLegions(Game& game, LineReader& in, SavedGame& saved);
void writeFacts(const Game& game, Writer& out);
void readFacts(Game& game, LineReader& in, SavedGame& saved);

// The facts put in place once the rest of the saved game is.
void applyFacts(Game& game, const SavedFacts& facts);

// Why the header's values are beyond what a saved game may hold, or nothing.
std::optional<std::string> headerBeyondLimits(const Game& game);

}  // namespace tessarion::save
