#include "savegame/SaveGame.h"

#include <array>
#include <cstdio>
#include <limits>
#include <list>
#include <memory>
#include <utility>
#include <vector>

#include "engine/Routes.h"
#include "model/Game.h"
#include "opponents/Events.h"
#include "savegame/AtomicWrite.h"

namespace tessarion {

namespace {

#ifdef _WIN32
constexpr const char* kLineEnd = "\r\n";
#else
constexpr const char* kLineEnd = "\n";
#endif

// Far beyond any real save (a few hundred lines), small enough to read whole.
constexpr std::size_t kMaxFileSize = 16u << 20;
// Turn 241 is 476 AD, the year the turn cycle ends the game: a game that is
// still being played is at most in 475 AD.
constexpr int kLastPlayableTurn = 240;
// Treasury and plague counter further out than this would overflow in the
// yearly sums; no game comes near it.
constexpr std::int32_t kValueLimit = 1'000'000'000;

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

// ---------------------------------------------------------------- writing

void writeLine(std::string& out, const std::string& text) {
    out += text;
    out += kLineEnd;
}

void writeValue(std::string& out, long value, const char* label) {
    writeLine(out, std::to_string(value) + label);
}

// ---------------------------------------------------------------- reading

// Why a load was refused, and where.
struct LoadError {
    int line;
    std::string what;
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
    std::array<SavedPower, 4> powers;
};

// Hands out the lines of a file one at a time, each through readField.
class LineReader {
  public:
    explicit LineReader(std::string_view bytes) {
        std::size_t start = 0;
        while (start < bytes.size()) {
            std::size_t end = bytes.find('\n', start);
            const std::size_t next = end == std::string_view::npos ? bytes.size() : end + 1;
            if (end == std::string_view::npos) {
                end = bytes.size();
            }
            std::string_view line = bytes.substr(start, end - start);
            if (!line.empty() && line.back() == '\r') {
                line.remove_suffix(1);
            }
            lines_.push_back(line);
            start = next;
        }
    }

    // The number of the line read last (0 before the first).
    int lineNumber() const { return static_cast<int>(next_); }
    std::size_t remaining() const { return lines_.size() - next_; }

    [[noreturn]] void fail(std::string what) const {
        throw LoadError{lineNumber(), std::move(what)};
    }

    std::string field(const std::string& what) {
        if (next_ >= lines_.size()) {
            throw LoadError{lineNumber() + 1, "the file ends before " + what};
        }
        const std::string_view line = lines_[next_++];
        if (line.size() > kMaxSaveLineLength) {
            fail("the line is longer than " + std::to_string(kMaxSaveLineLength) + " characters");
        }
        if (line.find('\0') != std::string_view::npos) {
            fail("the line holds a NUL character");
        }
        return readField(line);
    }

    std::int32_t number(const std::string& what) {
        const std::string text = field(what);
        const std::optional<std::int32_t> value = fieldNumber(text);
        if (!value) {
            fail("the number " + text + " (" + what + ") is out of range");
        }
        return *value;
    }

  private:
    std::vector<std::string_view> lines_;
    std::size_t next_ = 0;
};

// A province by its exact name, without the advisor's "not found" box that
// Game::findProvince shows: a bad name here is the file's fault, reported once.
int provinceIndex(Game& game, const std::string& name) {
    for (std::size_t i = 0; i < game.provinces.size(); ++i) {
        if (game.provinces[i]->name == name) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

Province* readProvince(Game& game, LineReader& in, const std::string& what) {
    const std::string name = in.field(what);
    const int index = provinceIndex(game, name);
    if (index < 0) {
        in.fail("Bad province name \"" + name + "\"");
    }
    return game.provinces[static_cast<std::size_t>(index)].get();
}

std::int32_t readLimited(LineReader& in, const std::string& what) {
    const std::int32_t value = in.number(what);
    if (value < -kValueLimit || value > kValueLimit) {
        in.fail(what + " " + std::to_string(value) + " is beyond anything a game reaches");
    }
    return value;
}

// A count of entries taking `linesEach` lines apiece. Checked before anything
// is set aside for them, so a damaged count costs nothing.
std::size_t readCount(LineReader& in, const std::string& what, std::size_t linesEach) {
    const std::int32_t count = in.number(what);
    if (count < 0) {
        in.fail(what + " is negative (" + std::to_string(count) + ")");
    }
    if (static_cast<std::size_t>(count) > in.remaining() / linesEach) {
        in.fail(what + " is " + std::to_string(count) + ", more than the rest of the file holds");
    }
    return static_cast<std::size_t>(count);
}

SavedGame parseSavedGame(Game& game, std::string_view bytes) {
    if (bytes.size() > kMaxFileSize) {
        throw LoadError{0, "the file is far larger than any saved game"};
    }
    LineReader in(bytes);
    SavedGame saved;

    saved.turn = in.number("the turn");
    if (saved.turn < 0) {
        in.fail("the turn is negative (" + std::to_string(saved.turn) + ")");
    }
    if (saved.turn > kLastPlayableTurn) {
        in.fail("turn " + std::to_string(saved.turn) + " is the year " +
                std::to_string(235LL + saved.turn) + " AD, when the game is already over");
    }
    saved.treasury = readLimited(in, "the treasury");
    saved.plague = in.number("the plague") == 1;
    saved.plagueCounter = readLimited(in, "the plague counter");
    for (std::size_t i = 0; i < saved.tribeCountdown.size(); ++i) {
        saved.tribeCountdown[i] = in.number("the countdown of tribe " + std::to_string(i));
    }

    const std::array<Empire*, 4> powers = game.powers();
    // Where each province was listed, to refuse one listed twice.
    std::array<int, kProvinceCount> listedAt{};
    std::array<const Empire*, kProvinceCount> listedFor{};
    for (std::size_t p = 0; p < powers.size(); ++p) {
        const std::string& power = powers[p]->name;
        in.field("the heading of the provinces of the " + power);
        const std::size_t count = readCount(in, "the number of provinces of the " + power, 1);
        if (count > kProvinceCount) {
            in.fail("the number of provinces of the " + power + " is " + std::to_string(count) +
                    ", more than the map has");
        }
        for (std::size_t i = 0; i < count; ++i) {
            Province* province = readProvince(game, in, "a province of the " + power);
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

    for (std::size_t p = 0; p < powers.size(); ++p) {
        const std::string& power = powers[p]->name;
        in.field("the heading of the legions of the " + power);
        // A legion takes two lines at least: where it stands and its route flag.
        const std::size_t count = readCount(in, "the number of legions of the " + power, 2);
        std::vector<std::unique_ptr<Legion>>& legions = saved.powers[p].legions;
        legions.reserve(count);
        for (std::size_t i = 0; i < count; ++i) {
            Province* at = readProvince(game, in, "the province of a legion of the " + power);
            auto legion = std::make_unique<Legion>(powers[p], at);
            if (in.number("the route flag of a legion of the " + power) != 0) {
                Province* destination =
                    readProvince(game, in, "the destination of a legion of the " + power);
                const Route route = findRoute(game, at, destination);
                if (route.size() < 2) {
                    in.fail("there is no route from " + at->name + " to " + destination->name);
                }
                legion->setRoute(route);
            }
            legions.push_back(std::move(legion));
        }
    }
    return saved;
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
    const std::array<Empire*, 4> powers = game.powers();
    for (std::size_t p = 0; p < powers.size(); ++p) {
        powers[p]->provinces.swap(saved.powers[p].provinces);
        // The old legions leave with `saved`.
        powers[p]->legions.swap(saved.powers[p].legions);
    }
}

FileResult loadError(const LoadError& e) {
    std::string text = "Unable to load the game";
    if (e.line > 0) {
        text += ", line " + std::to_string(e.line);
    }
    return {false, "ERROR", text + ": " + e.what};
}

}  // namespace

std::string readField(std::string_view line) {
    std::size_t end = line.find('#');
    if (end == std::string_view::npos) {
        end = line.size();
    }
    while (end > 0 && isBlank(line[end - 1])) {
        --end;
    }
    return std::string(line.substr(0, end));
}

std::optional<std::int32_t> fieldNumber(std::string_view field) {
    std::size_t i = 0;
    while (i < field.size() && (field[i] == ' ' || (field[i] >= '\t' && field[i] <= '\r'))) {
        ++i;
    }
    bool negative = false;
    if (i < field.size() && (field[i] == '+' || field[i] == '-')) {
        negative = field[i] == '-';
        ++i;
    }
    // Accumulate as a negative number so that the lowest value fits too.
    constexpr std::int64_t kLowest = std::numeric_limits<std::int32_t>::min();
    std::int64_t value = 0;
    for (; i < field.size() && field[i] >= '0' && field[i] <= '9'; ++i) {
        value = value * 10 - (field[i] - '0');
        if (value < kLowest) {
            return std::nullopt;
        }
    }
    if (!negative) {
        value = -value;
        if (value > std::numeric_limits<std::int32_t>::max()) {
            return std::nullopt;
        }
    }
    return static_cast<std::int32_t>(value);
}

std::string saveGameText() {
    Game& game = Game::instance();
    std::string out;
    writeValue(out, game.turn, "   # turn");
    writeValue(out, game.romans.treasury, "   # treasury");
    writeValue(out, game.romans.plague ? 1 : 0, "   # plague");
    writeValue(out, game.romans.plagueCounter, "   # plague counter");
    for (int countdown : game.barbarians.tribeCountdown) {
        writeValue(out, countdown, "   # roman tribute owned by barbarians");
    }
    for (const Empire* power : game.powers()) {
        writeLine(out, power->name + "-provinces");
        writeValue(out, static_cast<long>(power->provinces.size()), "    #    number of provinces");
        for (const Province* province : power->provinces) {
            writeLine(out, province->name);
        }
    }
    for (const Empire* power : game.powers()) {
        writeLine(out, power->name + "-Legions");
        writeValue(out, static_cast<long>(power->legions.size()), "     #    number of legions");
        for (const auto& legion : power->legions) {
            writeLine(out, legion->province->name + "   # current province");
            if (legion->hasRoute) {
                writeLine(out, "1    #   has a route");
                if (legion->route.empty() || legion->route.back() == nullptr) {
                    writeLine(out, "ERROR");
                } else {
                    writeLine(out, legion->route.back()->name + "    #   destination");
                }
            } else {
                writeLine(out, "0    #   no route");
            }
        }
    }
    return out;
}

FileResult saveGame(const std::string& path) {
    return writeFileAtomically(path, saveGameText());
}

FileResult loadGameText(std::string_view bytes) {
    Game& game = Game::instance();
    try {
        SavedGame saved = parseSavedGame(game, bytes);
        applySavedGame(game, saved);
    } catch (const LoadError& e) {
        return loadError(e);
    }
    return {true, "", ""};
}

SavedGameInfo inspectGameText(std::string_view bytes) {
    SavedGameInfo info;
    try {
        const SavedGame saved = parseSavedGame(Game::instance(), bytes);
        info.year = 235 + saved.turn;
        info.result.ok = true;
    } catch (const LoadError& e) {
        info.result = loadError(e);
    }
    return info;
}

FileResult loadGame(const std::string& path) {
    const FileResult cannotOpen{false, "ERROR", "Unable to open file"};
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        return cannotOpen;
    }
    // One byte more than the limit tells a file that is too large.
    std::string bytes;
    char buffer[65536];
    std::size_t got = 0;
    while (bytes.size() <= kMaxFileSize && (got = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
        bytes.append(buffer, got);
    }
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed) {
        // A folder opens on some systems but cannot be read.
        return cannotOpen;
    }
    return loadGameText(bytes);
}

}  // namespace tessarion
