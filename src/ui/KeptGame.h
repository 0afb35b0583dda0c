#pragma once

#include <functional>
#include <optional>
#include <string>

#include "savegame/SaveGame.h"

namespace tessarion {

class Game;
class Platform;

// The game in the window against its files: what was last saved or loaded by
// the player, and the autosave the window keeps of the game in play (at every
// year's end, and when the window closes or is hidden) and offers at the next
// start. Tells the platform whether leaving now would lose anything.
class KeptGame {
  public:
    // `autosaveFile` empty: nothing is kept. `note` hears a word for the
    // terminal when the game cannot be kept.
    KeptGame(Game& game, Platform& platform, std::string autosaveFile,
             std::function<void(const std::string&)> note);

    // The game as it stands differs from the one last saved, loaded or kept.
    bool changed() const;
    // The game was saved to, or loaded from, a file the player chose.
    void filed();
    // Keeps the game in the autosave, when it changed since the last.
    void keep();
    // The game is over: nothing is left to go on with, and nothing is kept.
    void end() { over_ = true; }
    // At the window's close: keeps the game, or forgets the autosave of a
    // game that is over.
    void keepOrForget();
    // The year of the game the last run kept, when there is one that loads.
    std::optional<int> keptYear() const;
    // Loads the kept game into the game in play.
    FileResult takeKept();
    // What to ask before the player leaves a changed game.
    const char* leaveQuestion() const;
    // Tells the platform whether leaving now would lose anything.
    void noteUnsaved();

  private:
    Game& game_;
    Platform& platform_;
    std::string file_;
    std::function<void(const std::string&)> note_;
    // The game's saved text as last written or read (by the player or the
    // autosave), and as the autosave last kept it.
    std::string filedText_;
    std::string keptText_;
    bool unsavedNoted_ = false;
    bool over_ = false;
};

}  // namespace tessarion
