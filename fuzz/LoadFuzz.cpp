// Feeds arbitrary bytes to the saved-game reader the way the player's files
// reach it: written to the disk by the game's own atomic writer, then read by
// loadGame. Every input must either load or be refused with the running game
// exactly as it was; what loads must describe a game the rules could hold,
// must save back to the bytes it was read from (comments the file left out
// and its line ends aside), and must load again to the same game. Then the
// loaded game plays on for a seeded turn or two, and each year saves and
// loads back to the very same game. The reader never speaks to the player
// through the advisor; the turns played may.

#include <unistd.h>
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "game/Events.h"
#include "game/Game.h"
#include "game/StateJson.h"
#include "game/TurnCycle.h"
#include "model/FrontEnd.h"
#include "model/Random.h"
#include "savegame/SaveGame.h"
#include "savegame/SaveLimits.h"

namespace {

using namespace tessarion;
namespace fs = std::filesystem;

[[noreturn]] void fail(const char* what, const std::string& detail) {
    std::fprintf(stderr, "LoadFuzz: %s\n%s\n", what, detail.c_str());
    std::abort();
}

// The reader must never show anything: a box means it reached the rules.
class MustStaySilent : public FrontEnd {
  public:
    void showMessage(const std::string& text) override {
        fail("the reader showed a message", text);
    }
    bool askYesNo(const std::string& text, const Question&) override {
        fail("the reader asked a question", text);
    }
};

MustStaySilent gFrontEnd;
// What the turns played on say is shown to nobody; questions are answered No.
NullFrontEnd gQuiet;
std::string gStart;
fs::path gFolder;

Game* gGame = nullptr;

// One game for the whole run, put back to the same position before each input.
void setUpOnce() {
    Game* game = new Game(1);  // the run's one game, reachable to the end
    gGame = game;
    game->startNewGame();
    setUpEvents(*game);
    gStart = saveGameText(*game);
    static FrontEndScope frontEnd(*game, gFrontEnd);
    // Memory-backed where there is such a folder: the writer syncs every file.
    const fs::path base = fs::exists("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path();
    gFolder = base / ("tessarion-fuzz-" + std::to_string(getpid()));
    fs::create_directories(gFolder);
    std::atexit([] {
        std::error_code ec;
        fs::remove_all(gFolder, ec);
    });
}

std::string contentsOf(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

std::vector<std::string> linesOf(std::string_view text) {
    if (text.substr(0, 3) == "\xEF\xBB\xBF") {
        text.remove_prefix(3);
    }
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        const std::size_t next = end == std::string_view::npos ? text.size() : end + 1;
        std::string line(text.substr(start, std::min(end, text.size()) - start));
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        while (!line.empty() && (line.back() == ' ' || line.back() == '\t')) {
            line.pop_back();
        }
        lines.push_back(line);
        start = next;
    }
    while (!lines.empty() && lines.back().empty()) {
        lines.pop_back();
    }
    return lines;
}

// The line as written, without the notes the writer puts after a comment
// (the labels hold no comma).
std::string withoutNotes(const std::string& line) {
    const std::size_t hash = line.find('#');
    return hash == std::string::npos ? line : line.substr(0, line.find(", ", hash));
}

// The lines before the facts that follow the last legion block.
std::vector<std::string> valueLines(std::vector<std::string> lines) {
    const auto facts = std::find_if(lines.begin(), lines.end(),
                                    [](const std::string& l) { return l.rfind("# ", 0) == 0; });
    lines.erase(facts, lines.end());
    while (!lines.empty() && lines.back().empty()) {
        lines.pop_back();
    }
    return lines;
}

// Each line read is the line written, its value without the comment, or the
// same line but for the writer's notes: a file of before them, one that left
// them out, or one whose route note the writer leaves out because a fresh
// route is the same (the reload below checks that nothing was lost). The
// facts read are the facts written, the blank lines between them aside.
void expectSameBytes(const std::string& input, const std::string& saved) {
    const std::vector<std::string> allRead = linesOf(input);
    const std::vector<std::string> allWritten = linesOf(saved);
    const std::vector<std::string> read = valueLines(allRead);
    const std::vector<std::string> written = valueLines(allWritten);
    std::vector<std::string> factsRead(allRead.begin() + static_cast<long>(read.size()),
                                       allRead.end());
    std::erase(factsRead, std::string());
    const std::vector<std::string> factsWritten(
        allWritten.begin() + static_cast<long>(written.size()), allWritten.end());
    if (!factsRead.empty() && factsRead != factsWritten) {
        fail("the facts loaded save back differently", input + "\n----\n" + saved);
    }
    if (read.size() != written.size()) {
        fail("what loaded saves back to another number of lines", input + "\n----\n" + saved);
    }
    for (std::size_t i = 0; i < read.size(); ++i) {
        if (read[i] != written[i] && read[i] != readField(written[i]) &&
            withoutNotes(read[i]) != withoutNotes(written[i])) {
            fail("what loaded saves back differently",
                 "line " + std::to_string(i + 1) + ": " + read[i] + " / " + written[i]);
        }
    }
}

// The loaded game is one the rules could hold.
void expectPlausible(Game& game) {
    const SaveLimits& limits = kSaveLimits;
    // No year's taxes bring in this much.
    const std::int64_t yearlyIncome = 100000;
    if (game.turn < 0 || game.turn > limits.lastTurn || game.romans.treasury < 0 ||
        game.romans.treasury > limits.treasury + game.turn * yearlyIncome ||
        game.romans.plagueCounter < 0 || game.romans.plagueCounter > limits.plagueCounter ||
        game.invasionCount > limits.invasionsPerTurn * game.turn ||
        game.plagueCount > limits.plaguesPerTurn * game.turn ||
        game.rebellionCount > limits.rebellionsPerTurn * game.turn) {
        fail("an impossible year, treasury or plague loaded", stateJson(*gGame));
    }
    std::set<const Province*> owned;
    std::set<const Province*> real;
    for (const auto& p : game.provinces) {
        real.insert(p.get());
        if (p->recruitCounter < 0 || p->recruitCounter > limits.firstRecruitCount + game.turn) {
            fail("a recruiting count out of its range loaded", stateJson(*gGame));
        }
        if (p->hostility < 0 || p->hostility > 2) {
            fail("an unknown mark loaded", stateJson(*gGame));
        }
    }
    std::size_t legions = 0;
    for (const Empire* power : game.powers()) {
        for (const Province* p : power->provinces) {
            if (real.count(p) == 0 || !owned.insert(p).second) {
                fail("a province owned twice or not on the map loaded", stateJson(*gGame));
            }
        }
        legions += power->legions.size();
        for (const auto& legion : power->legions) {
            if (real.count(legion->province) == 0 || legion->owner != power) {
                fail("a legion off the map loaded", stateJson(*gGame));
            }
            if (!legion->hasRoute) {
                continue;
            }
            const Route& route = legion->route;
            const auto at = static_cast<std::size_t>(legion->routeIndex);
            if (route.size() < 2 || legion->routeIndex < 0 || at + 1 >= route.size() ||
                (route[at] != legion->province && route[at + 1] != legion->province)) {
                fail("a legion off its route loaded", stateJson(*gGame));
            }
            for (std::size_t i = 0; i + 1 < route.size(); ++i) {
                bool neighbours = route[i] == route[i + 1];
                for (int n = 0; n < route[i]->neighbourCount; ++n) {
                    neighbours = neighbours ||
                                 route[i]->neighbours[static_cast<std::size_t>(n)] == route[i + 1];
                }
                if (!neighbours || real.count(route[i]) == 0 || real.count(route[i + 1]) == 0) {
                    fail("a route with a step between strangers loaded", stateJson(*gGame));
                }
            }
        }
    }
    if (legions > limits.legionsIn(game.turn) + limits.peoplesFrontRising) {
        fail("more legions than a save may hold loaded", stateJson(*gGame));
    }
}

// A seeded turn or two of the loaded game, every one saved and loaded back to
// the very same game: what the reader takes, the rules can play and the
// writer can keep. Small armies only: a game of thousands of legions is
// slow to play in a fuzzing build and adds nothing a small one misses.
void playOn(Game& game, std::uint32_t seed) {
    std::size_t legions = 0;
    for (const Empire* power : game.powers()) {
        legions += power->legions.size();
    }
    if (legions > 300) {
        return;
    }
    FrontEndScope quiet(game, gQuiet);
    game.random.seed(seed);
    for (int year = 0; year < 1 + static_cast<int>(seed % 2); ++year) {
        if (endTurnCycle(game)) {
            return;
        }
        if (const std::optional<std::string> why = whyUnsavable(game)) {
            fail("a year played on cannot be saved", *why);
        }
        const std::string text = saveGameText(game);
        const FileResult again = loadGameText(game, text);
        if (!again.ok) {
            fail("a year played on does not load again", again.error + "\n" + text);
        }
        if (saveGameText(game) != text) {
            fail("a year played on loads again differently", text);
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool ready = (setUpOnce(), true);
    (void)ready;
    if (!loadGameText(*gGame, gStart).ok) {
        fail("the starting position does not load", gStart);
    }

    const std::string input(reinterpret_cast<const char*>(data), size);
    const std::string file = (gFolder / "input.TSN").string();
    const FileResult stored = writeFileAtomically(file, input);
    if (!stored.ok || contentsOf(file) != input) {
        fail("the writer did not store the input whole", stored.error);
    }

    const std::string before = stateJson(*gGame);
    const FileResult result = loadGame(*gGame, file);
    if (!result.ok) {
        if (stateJson(*gGame) != before) {
            fail("a refused load changed the game", result.error);
        }
        if (result.caption != "ERROR" || result.error.empty()) {
            fail("a refusal without a message", result.caption + ": " + result.error);
        }
        return 0;
    }
    expectPlausible(*gGame);

    const std::string loaded = stateJson(*gGame);
    const std::string again = (gFolder / "again.TSN").string();
    const FileResult saved = saveGame(*gGame, again);
    if (!saved.ok) {
        fail("what loaded cannot be saved", saved.error);
    }
    const std::string text = contentsOf(again);
    expectSameBytes(input, text);
    const FileResult reloaded = loadGame(*gGame, again);
    if (!reloaded.ok) {
        fail("what loaded does not load again", reloaded.error + "\n" + text);
    }
    if (stateJson(*gGame) != loaded || saveGameText(*gGame) != text) {
        fail("what loaded loads again differently", text);
    }
    playOn(*gGame, static_cast<std::uint32_t>(size));
    return 0;
}
