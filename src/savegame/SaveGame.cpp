#include "savegame/SaveGame.h"

#include <algorithm>
#include <array>
#include <list>
#include <memory>
#include <new>
#include <utility>

#include "game/Events.h"
#include "game/Game.h"
#include "model/InternalError.h"
#include "model/Wording.h"
#include "platform/FileSystem.h"
#include "savegame/SaveFormat.h"
#include "savegame/SaveLimits.h"

namespace tessarion {

namespace {

using namespace save;

// The file, block by block, each with the version of the format it arrived
// in. A file of an older version lacks the newer blocks: the facts block then
// finds nothing but blank lines after the legions.
const std::array<Block, 4> kBlocks = {{
    {"header", FormatVersion::Values, writeHeader, readHeader},
    {"provinces", FormatVersion::Values, writeProvinces, readProvinces},
    {"legions", FormatVersion::Values, writeLegions, readLegions},
    {"facts", FormatVersion::Facts, writeFacts, readFacts},
}};

// The file of the game as it stands.
std::string writeBlocks(const Game& game) {
    Writer out;
    for (const Block& block : kBlocks) {
        block.write(game, out);
    }
    return out.take();
}

// The year's record keeps the province being left open until another joins
// or the year ends; the file holds it closed, as the game will after a load.
std::string composeSave(Game& game) {
    game.yearRecord.flushProvince();
    return writeBlocks(game);
}

SavedGame parseSavedGame(Game& game, std::string_view bytes) {
    if (bytes.size() > kMaxSaveFileSize) {
        throw LoadError{0, "the file is larger than any saved game can be (" +
                               std::to_string(kMaxSaveFileSize) + " bytes)"};
    }
    LineReader in(bytes);
    SavedGame saved;
    for (const Block& block : kBlocks) {
        block.read(game, in, saved);
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

// The file of the game in `text`, or why there can be none: a value beyond
// what a saved game may hold, one the writer cannot put down, or a file the
// reader would not take back.
std::optional<std::string> checkedSave(Game& game, std::string& text) {
    if (std::optional<std::string> beyond = headerBeyondLimits(game)) {
        return beyond;
    }
    std::size_t others = 0;
    for (const Empire* power : game.powers()) {
        others += power == &game.romans ? 0 : power->legions.size();
    }
    const std::size_t weight =
        kSaveLimits.legionWeight(others, game.romans.legions.size(),
                                 game.romans.ownsProvince(game.province(ProvinceId::Palestina)));
    if (weight > kSaveLimits.legionsIn(game.turn)) {
        return "the number of legions of all the powers is " +
               std::to_string(others + game.romans.legions.size()) +
               ", beyond what a saved game may hold";
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
    // The window translates the lead; the details stay as the reader wrote them.
    if (e.line > 0) {
        return {
            false, N_("ERROR"),
            fillText(N_("Unable to load the game, line %d: %s"), {std::to_string(e.line), e.what})};
    }
    return {false, N_("ERROR"), fillText(N_("Unable to load the game: %s"), {e.what})};
}

FileResult outOfMemory() {
    return {false, "ERROR", N_("Unable to load the game: there is not enough memory to read it")};
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

FileResult writeFileAtomically(const std::string& path, std::string_view bytes) {
    const files::WriteOutcome outcome = files::replaceFile(path, bytes);
    if (outcome.ok) {
        return {true, "", ""};
    }
    if (outcome.started) {
        return {false, "ERROR", fillText(N_("Unable to save the game: %s"), {outcome.reason})};
    }
    return {false, "ERROR", fillText(N_("Unable to open file! (%s)"), {outcome.reason})};
}

FileResult saveGame(Game& game, const std::string& path) {
    try {
        std::string text;
        if (std::optional<std::string> why = checkedSave(game, text)) {
            return {false, "ERROR", fillText(N_("Unable to save the game: %s"), {*why})};
        }
        return writeFileAtomically(path, text);
    } catch (const std::bad_alloc&) {
        return {false, "ERROR", N_("Unable to save the game: there is not enough memory")};
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
            return FileResult{false, "ERROR", fillText(N_("Unable to open file (%s)"), {*why})};
        }
    } catch (const std::bad_alloc&) {
        return outOfMemory();
    }
    return loadGameText(game, bytes);
}

}  // namespace tessarion
