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
    // Nothing until the player chooses: the game then starts in full screen
    // only where a window cannot show the whole frame pixel for pixel.
    std::optional<bool> fullscreen;
    // The window's size when it is not full screen; 0 until the player has had one.
    int windowWidth = 0;
    int windowHeight = 0;

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

// Reads leniently: a line that makes no sense is passed over with a note and
// its setting keeps its default; a text that is no settings file at all (a
// binary file, a huge one) is ignored whole. Names the game does not know are
// passed over quietly, so that a newer game's file still reads.
SettingsRead parseSettings(std::string_view text);

// The settings file at `path`: a missing file gives the defaults without a
// note, an unreadable or damaged one the defaults (or what was readable) and
// a note. Never throws.
SettingsRead loadSettings(const std::string& path);

// Replaces the file whole, creating its folder; the reason on failure.
std::optional<std::string> storeSettings(const std::string& path, const Settings& settings);

}  // namespace tessarion
