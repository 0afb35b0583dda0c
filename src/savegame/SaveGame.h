#pragma once

#include <string>

namespace tessarion {

// The outcome of a save or a load: on failure, what to tell the player (the
// running game and any previous save are untouched).
struct FileResult {
    bool ok = false;
    std::string caption;  // of the message box on failure
    std::string error;    // its text
};

// Writes the running game to a saved-game file.
FileResult saveGame(const std::string& path);

// Reads a saved-game file into the running game, all or nothing.
FileResult loadGame(const std::string& path);

}  // namespace tessarion
