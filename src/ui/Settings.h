#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/ColourScheme.h"

namespace tessarion {

// What the player chose in the menus and the window, kept between runs.
struct Settings {
    bool sound = true;
    int soundVolume = 100;  // percent
    int skillLevel = 1;     // 0 Easy, 1 Normal, 2 Hard
    ColourScheme colours = ColourScheme::Standard;
    // The language's code; nothing until the player chooses one, and the
    // game then speaks the system's language.
    std::optional<std::string> language;
    // Nothing until the player chooses: the game then starts in full screen
    // only where a window cannot show the whole frame pixel for pixel.
    std::optional<bool> fullscreen;
    // The window's size when it is neither full screen nor maximised; 0 until
    // the player has had one. Its place on the desktop, once known, and
    // whether it was maximised.
    int windowWidth = 0;
    int windowHeight = 0;
    std::optional<int> windowX;
    std::optional<int> windowY;
    bool windowMaximised = false;
    // Lines of names this game does not know (another version's), kept as
    // they were so that writing the file does not lose them.
    std::vector<std::pair<std::string, std::string>> others;

    bool operator==(const Settings&) const = default;
};

// A settings file as read: what could be made of it, and a note for each
// thing that could not (then the file should be written again).
struct SettingsRead {
    Settings settings;
    std::vector<std::string> notes;
};

// The file's text, one "name = value" per line.
std::string formatSettings(const Settings& settings);

// Reads leniently, a line at a time: a line that makes no sense (bytes that
// are no text among them) is passed over with a note and its setting keeps
// its default, and every good line is taken whatever the others hold. Past
// 64 KiB the rest is passed over. Names the game does not know are kept
// quietly, so that a newer game's file still reads and keeps its own.
SettingsRead parseSettings(std::string_view text);

// The settings file at `path`: a missing file gives the defaults without a
// note, an unreadable or damaged one the defaults (or what was readable) and
// a note. Never throws.
SettingsRead loadSettings(const std::string& path);

// Replaces the file whole, creating its folder; the reason on failure.
std::optional<std::string> storeSettings(const std::string& path, const Settings& settings);

}  // namespace tessarion
