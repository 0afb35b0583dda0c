#include "savegame/SaveGame.h"

namespace tessarion {

// Placeholder until the saved-game format lands.
FileResult saveGame(const std::string&) {
    return {false, "ERROR", "Unable to open file!"};
}
FileResult loadGame(const std::string&) {
    return {false, "ERROR", "Unable to open file"};
}

}  // namespace tessarion
