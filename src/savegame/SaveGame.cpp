#include "savegame/SaveGame.h"

#include <array>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <limits>
#include <list>
#include <memory>
#include <utility>
#include <vector>

#include "engine/Routes.h"
#include "game/Events.h"
#include "game/Game.h"
#include "savegame/AtomicWrite.h"
#include "savegame/SaveLimits.h"

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace tessarion {

namespace {

#ifdef _WIN32
constexpr const char* kLineEnd = "\r\n";
#else
constexpr const char* kLineEnd = "\n";
#endif

// The labels the writer puts after each value, blanks included. The reader
// takes a value line either exactly so or with no comment at all.
constexpr const char* kTurnLabel = "   # turn";
constexpr const char* kTreasuryLabel = "   # treasury";
constexpr const char* kPlagueLabel = "   # plague";
constexpr const char* kPlagueCounterLabel = "   # plague counter";
constexpr const char* kTributeLabel = "   # roman tribute owned by barbarians";
constexpr const char* kProvinceCountLabel = "    #    number of provinces";
constexpr const char* kLegionCountLabel = "     #    number of legions";
constexpr const char* kCurrentLabel = "   # current province";
constexpr const char* kHasRouteLine = "1    #   has a route";
constexpr const char* kNoRouteLine = "0    #   no route";
constexpr const char* kDestinationLabel = "    #   destination";

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view trimmedRight(std::string_view line) {
    while (!line.empty() && isBlank(line.back())) {
        line.remove_suffix(1);
    }
    return line;
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

std::string inQuotes(std::string_view text) {
    return "\"" + std::string(text) + "\"";
}

// A whole field holding a number exactly as the writer puts it: an optional
// minus sign and digits, no leading zero, nothing else.
std::optional<std::int64_t> wholeNumber(std::string_view field) {
    std::size_t i = field.size() > 0 && field[0] == '-' ? 1 : 0;
    const std::string_view digits = field.substr(i);
    if (digits.empty() || digits.size() > 11 || (digits[0] == '0' && digits.size() > 1) ||
        (i == 1 && digits == "0")) {
        return std::nullopt;
    }
    std::int64_t value = 0;
    for (char c : digits) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        value = value * 10 + (c - '0');
    }
    return i == 1 ? -value : value;
}

// Hands out the lines of a file one at a time and checks each against what
// the writer puts there. A byte-order mark and carriage returns before the
// line feeds are taken on purpose (editors add them); blanks at the end of a
// line are taken too. Anything else unexpected is refused with its line.
class LineReader {
  public:
    explicit LineReader(std::string_view bytes) {
        if (bytes.substr(0, 3) == "\xEF\xBB\xBF") {
            bytes.remove_prefix(3);
        }
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

    // The next line, blanks at its end removed.
    std::string_view line(const std::string& what) {
        if (next_ >= lines_.size()) {
            throw LoadError{lineNumber() + 1, "the file ends before " + what};
        }
        const std::string_view line = lines_[next_++];
        if (line.size() > kSaveLimits.lineLength) {
            fail("the line is longer than " + std::to_string(kSaveLimits.lineLength) +
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

    // The value part of a line that is either the value alone or the value
    // followed by exactly its label.
    std::string_view value(std::string_view label, const std::string& what) {
        std::string_view got = line(what);
        if (got.size() > label.size() && got.substr(got.size() - label.size()) == label) {
            got.remove_suffix(label.size());
        }
        if (got.find('#') != std::string_view::npos) {
            fail("the comment of " + what + " should read " + inQuotes(trimmedRight(label)));
        }
        return got;
    }

    std::int64_t number(std::string_view label, const std::string& what) {
        const std::string_view field = value(label, what);
        const std::optional<std::int64_t> number = wholeNumber(field);
        if (!number) {
            fail(what + " should be a whole number, not " + inQuotes(field));
        }
        return *number;
    }

    std::int64_t bounded(std::string_view label, const std::string& what, std::int64_t lowest,
                         std::int64_t highest) {
        const std::int64_t number = this->number(label, what);
        if (number < lowest || number > highest) {
            fail(what + " is " + std::to_string(number) + ", beyond anything a game reaches (" +
                 std::to_string(lowest) + " to " + std::to_string(highest) + ")");
        }
        return number;
    }

    // Only blank lines may follow the last legion block.
    void expectEnd() {
        while (next_ < lines_.size()) {
            if (!trimmedRight(lines_[next_++]).empty()) {
                fail("there is more after the last legion block");
            }
        }
    }

  private:
    std::vector<std::string_view> lines_;
    std::size_t next_ = 0;
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

Province* readProvince(Game& game, LineReader& in, std::string_view label,
                       const std::string& what) {
    const std::string_view name = label.empty() ? in.line(what) : in.value(label, what);
    const int index = provinceIndex(game, name);
    if (index < 0) {
        in.fail("Bad province name " + inQuotes(name));
    }
    return game.provinces[static_cast<std::size_t>(index)].get();
}

// A count of entries taking at least `linesEach` lines apiece. Checked before
// anything is set aside for them, so a damaged count costs nothing.
std::size_t readCount(LineReader& in, std::string_view label, const std::string& what,
                      std::size_t linesEach, std::size_t limit, const std::string& beyond) {
    const std::int64_t count = in.number(label, what);
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

// The turn, the treasury, the plague and the tribes' countdowns.
void readState(LineReader& in, SavedGame& saved) {
    const SaveLimits& limits = kSaveLimits;
    const std::int64_t turn = in.number(kTurnLabel, "the turn");
    if (turn < 0) {
        in.fail("the turn is negative (" + std::to_string(turn) + ")");
    }
    if (turn > limits.lastTurn) {
        in.fail("turn " + std::to_string(turn) + " is the year " + std::to_string(235 + turn) +
                " AD, when the game is already over");
    }
    saved.turn = static_cast<int>(turn);
    saved.treasury = static_cast<std::int32_t>(
        in.bounded(kTreasuryLabel, "the treasury", -limits.treasury, limits.treasury));
    saved.plague = in.bounded(kPlagueLabel, "the plague", 0, 1) == 1;
    saved.plagueCounter = static_cast<std::int32_t>(in.bounded(
        kPlagueCounterLabel, "the plague counter", -limits.plagueCounter, limits.plagueCounter));
    for (std::size_t i = 0; i < saved.tribeCountdown.size(); ++i) {
        saved.tribeCountdown[i] = static_cast<int>(
            in.bounded(kTributeLabel, "the countdown of tribe " + std::to_string(i), 0,
                       limits.tribeCountdown));
    }
}

void readProvinces(Game& game, LineReader& in, SavedGame& saved) {
    const std::array<Empire*, 4> powers = game.powers();
    // Where each province was listed, to refuse one listed twice.
    std::array<int, kProvinceCount> listedAt{};
    std::array<const Empire*, kProvinceCount> listedFor{};
    for (std::size_t p = 0; p < powers.size(); ++p) {
        const std::string& power = powers[p]->name;
        in.expect(power + "-provinces", "the heading of the provinces of the " + power);
        const std::size_t count =
            readCount(in, kProvinceCountLabel, "the number of provinces of the " + power, 1,
                      kProvinceCount, "more than the map has");
        for (std::size_t i = 0; i < count; ++i) {
            Province* province = readProvince(game, in, "", "a province of the " + power);
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

std::unique_ptr<Legion> readLegion(Game& game, LineReader& in, Empire* owner) {
    const std::string& power = owner->name;
    Province* at =
        readProvince(game, in, kCurrentLabel, "the province of a legion of the " + power);
    auto legion = std::make_unique<Legion>(owner, at);
    const std::string flagName = "the route flag of a legion of the " + power;
    const std::string_view flag = in.line(flagName);
    if (flag == "1" || flag == kHasRouteLine) {
        Province* destination = readProvince(game, in, kDestinationLabel,
                                             "the destination of a legion of the " + power);
        const Route route = findRoute(game, at, destination);
        if (route.size() < 2) {
            in.fail("there is no route from " + at->name + " to " + destination->name);
        }
        legion->setRoute(route);
    } else if (flag != "0" && flag != kNoRouteLine) {
        in.fail(flagName + " should read " + inQuotes(kHasRouteLine) + " or " +
                inQuotes(kNoRouteLine) + ", not " + inQuotes(flag));
    }
    return legion;
}

void readLegions(Game& game, LineReader& in, SavedGame& saved) {
    const std::array<Empire*, 4> powers = game.powers();
    for (std::size_t p = 0; p < powers.size(); ++p) {
        const std::string& power = powers[p]->name;
        in.expect(power + "-Legions", "the heading of the legions of the " + power);
        // A legion takes two lines at least: where it stands and its route flag.
        const std::size_t count =
            readCount(in, kLegionCountLabel, "the number of legions of the " + power, 2,
                      kSaveLimits.legionsPerPower, "more than a saved game may hold");
        std::vector<std::unique_ptr<Legion>>& legions = saved.powers[p].legions;
        legions.reserve(count);
        for (std::size_t i = 0; i < count; ++i) {
            legions.push_back(readLegion(game, in, powers[p]));
        }
    }
}

SavedGame parseSavedGame(Game& game, std::string_view bytes) {
    if (bytes.size() > kMaxSaveFileSize) {
        throw LoadError{0, "the file is larger than any saved game can be (" +
                               std::to_string(kMaxSaveFileSize) + " bytes)"};
    }
    LineReader in(bytes);
    SavedGame saved;
    readState(in, saved);
    readProvinces(game, in, saved);
    readLegions(game, in, saved);
    in.expectEnd();
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

// Why the running game cannot be written so that it loads again, if it cannot.
std::optional<std::string> unsavable(Game& game) {
    const SaveLimits& limits = kSaveLimits;
    auto beyond = [](const std::string& what, long long value) {
        return what + " is " + std::to_string(value) + ", beyond what a saved game may hold";
    };
    if (game.turn < 0 || game.turn > limits.lastTurn) {
        return beyond("the turn", game.turn);
    }
    if (game.romans.treasury < -limits.treasury || game.romans.treasury > limits.treasury) {
        return beyond("the treasury", game.romans.treasury);
    }
    if (game.romans.plagueCounter < -limits.plagueCounter ||
        game.romans.plagueCounter > limits.plagueCounter) {
        return beyond("the plague counter", game.romans.plagueCounter);
    }
    for (int countdown : game.barbarians.tribeCountdown) {
        if (countdown < 0 || countdown > limits.tribeCountdown) {
            return beyond("a tribe's countdown", countdown);
        }
    }
    for (const Empire* power : game.powers()) {
        if (power->legions.size() > limits.legionsPerPower) {
            return beyond("the number of legions of the " + power->name,
                          static_cast<long long>(power->legions.size()));
        }
        for (const auto& legion : power->legions) {
            if (legion->hasRoute && (legion->route.empty() || legion->route.back() == nullptr)) {
                return "a legion of the " + power->name + " in " + legion->province->name +
                       " marches without a destination";
            }
        }
    }
    return std::nullopt;
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

std::string saveGameText(Game& game) {
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

FileResult saveGame(Game& game, const std::string& path) {
    if (std::optional<std::string> why = unsavable(game)) {
        return {false, "ERROR", "Unable to save the game: " + *why};
    }
    return writeFileAtomically(path, saveGameText(game));
}

FileResult loadGameText(Game& game, std::string_view bytes) {
    try {
        SavedGame saved = parseSavedGame(game, bytes);
        applySavedGame(game, saved);
    } catch (const LoadError& e) {
        return loadError(e);
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
    }
    return info;
}

namespace {

// Reads at most one byte more than any save can be, which tells a file that is
// too large; the reason it could not be read, if it could not.
std::optional<std::string> readSaveFile(const std::string& path, std::string& bytes) {
    const std::size_t wanted = kMaxSaveFileSize + 1;
#ifdef _WIN32
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) {
        return std::filesystem::exists(path, ec) ? "it is not a regular file"
                                                 : fileErrorReason(ENOENT);
    }
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        return fileErrorReason(errno);
    }
    char buffer[65536];
    std::size_t got = 0;
    while (bytes.size() < wanted && (got = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
        bytes.append(buffer, got);
    }
    const bool failed = std::ferror(file) != 0;
    const int readError = errno;
    std::fclose(file);
#else
    // Not blocking: a pipe with nobody at the other end must not hang the
    // game before it can be told apart from a file.
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return fileErrorReason(errno);
    }
    struct stat st {};
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        close(fd);
        return S_ISDIR(st.st_mode) ? fileErrorReason(EISDIR)
                                   : std::string("it is not a regular file");
    }
    char buffer[65536];
    bool failed = false;
    int readError = 0;
    while (bytes.size() < wanted) {
        const ssize_t got = read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            failed = got < 0;
            readError = errno;
            break;
        }
        bytes.append(buffer, static_cast<std::size_t>(got));
    }
    close(fd);
#endif
    if (failed) {
        return fileErrorReason(readError);
    }
    return std::nullopt;
}

}  // namespace

FileResult loadGame(Game& game, const std::string& path) {
    std::string bytes;
    if (std::optional<std::string> why = readSaveFile(path, bytes)) {
        return FileResult{false, "ERROR", "Unable to open file (" + *why + ")"};
    }
    return loadGameText(game, bytes);
}

}  // namespace tessarion
