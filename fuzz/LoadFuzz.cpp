// Feeds arbitrary bytes to the saved-game reader. Every input must either load
// or be refused with the running game exactly as it was; what loads must
// write back and load again to the same game; and the reader never speaks to
// the player through the advisor (its refusal is the one message).

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "game/Events.h"
#include "game/Game.h"
#include "game/StateJson.h"
#include "model/Advisor.h"
#include "model/Random.h"
#include "savegame/SaveGame.h"

namespace {

using namespace tessarion;

[[noreturn]] void fail(const char* what, const std::string& detail) {
    std::fprintf(stderr, "LoadFuzz: %s\n%s\n", what, detail.c_str());
    std::abort();
}

class SilentAdvisor : public Advisor {
  public:
    void showMessage(const std::string& text) override {
        fail("the reader showed a message", text);
    }
    bool askYesNo(const std::string& text) override { fail("the reader asked a question", text); }
};

SilentAdvisor gAdvisor;
std::string gStart;

Game* gGame = nullptr;

// One game for the whole run, put back to the same position before each input.
void setUpOnce() {
    seedRandom(1);
    Game* game = new Game();  // the process-wide game, reachable to the end
    static CurrentGame current(*game);
    gGame = game;
    game->startNewGame();
    setUpEvents(*game);
    gStart = saveGameText();
    setAdvisor(&gAdvisor);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool ready = (setUpOnce(), true);
    (void)ready;
    if (!loadGameText(gStart).ok) {
        fail("the starting position does not load", gStart);
    }

    const std::string before = stateJson(*gGame);
    const FileResult result =
        loadGameText(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!result.ok) {
        if (stateJson(*gGame) != before) {
            fail("a refused load changed the game", result.error);
        }
        if (result.caption != "ERROR" || result.error.empty()) {
            fail("a refusal without a message", result.caption + ": " + result.error);
        }
        return 0;
    }

    const std::string text = saveGameText();
    const std::string loaded = stateJson(*gGame);
    const FileResult again = loadGameText(text);
    if (!again.ok) {
        fail("what loaded does not load again", again.error + "\n" + text);
    }
    if (stateJson(*gGame) != loaded || saveGameText() != text) {
        fail("what loaded loads again differently", text);
    }
    return 0;
}
