#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

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

// The bytes saveGame writes for the running game.
std::string saveGameText();

// Reads a saved game held in memory (a whole file's bytes), all or nothing.
FileResult loadGameText(std::string_view bytes);

// What a saved game holds, read and checked as loadGameText would without
// putting it in place: the year of the game in it, or why it cannot be loaded.
struct SavedGameInfo {
    FileResult result;
    int year = 0;
};
SavedGameInfo inspectGameText(std::string_view bytes);

// The longest line a saved game may hold, line ending not counted.
inline constexpr std::size_t kMaxSaveLineLength = 79;

// The value part of one line: the first "#", the blanks just before it and
// everything after it go; a line without "#" loses its trailing blanks.
// Leading blanks stay (they are part of nothing we write, but a name keeps
// whatever it is given).
std::string readField(std::string_view line);

// The decimal conversion of a field: leading white space skipped, an optional
// sign, the digits that follow; anything else ends the number, no digits is 0.
// Nothing when the number does not fit in 32 bits.
std::optional<std::int32_t> fieldNumber(std::string_view field);

}  // namespace tessarion
