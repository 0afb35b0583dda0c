#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tessarion {

class Game;

// The outcome of a save or a load: on failure, what to tell the player (the
// running game and any previous save are untouched).
struct FileResult {
    bool ok = false;
    std::string caption;  // of the message box on failure
    std::string error;    // its text
};

// Replaces the file at `path` with `bytes` as files::replaceFile does (a
// reader or a crash sees the old file whole or the new one whole, the old one
// kept as NAME.bak); on failure the old file stays and the message says why,
// in the words of a save.
FileResult writeFileAtomically(const std::string& path, std::string_view bytes);

// Writes the game to a saved-game file (see writeFileAtomically); refused
// when the game holds something a saved game may not (SaveLimits.h).
FileResult saveGame(Game& game, const std::string& path);

// Reads a saved-game file into the game, all or nothing. Only a regular file
// is read; a refusal names the line at fault and why.
FileResult loadGame(Game& game, const std::string& path);

// Why the game cannot be written so that it loads again (something beyond
// SaveLimits.h), or nothing when it can.
std::optional<std::string> whyUnsavable(Game& game);

// The bytes saveGame writes for the game.
std::string saveGameText(Game& game);

// Reads a saved game held in memory (a whole file's bytes), all or nothing.
FileResult loadGameText(Game& game, std::string_view bytes);

// What a saved game holds, read and checked as loadGameText would without
// putting it in place: the year of the game in it, or why it cannot be loaded.
struct SavedGameInfo {
    FileResult result;
    int year = 0;
};
SavedGameInfo inspectGameText(Game& game, std::string_view bytes);

// The value part of one line: the first "#", the blanks just before it and
// everything after it go; a line without "#" loses its trailing blanks.
// Leading blanks stay.
std::string readField(std::string_view line);

}  // namespace tessarion
