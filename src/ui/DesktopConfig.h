#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "ui/Graphic.h"
#include "ui/SoundBoard.h"

namespace tessarion {

// Where the desktop game finds its saved games and its embedded data.
struct DesktopConfig {
    std::string saveFolder;  // created when the first game is saved
    PictureProvider pictures;
    // The pictures drawn at store::kLargePictureScale times their size, for
    // screens drawn larger than the layout; none: they are enlarged from their
    // own size.
    PictureProvider largePictures;
    SoundProvider sounds;
    std::function<std::string(const std::string&)> lessonScript;
    // When each caption line of a narration is spoken (ms); empty paces them by length.
    std::function<std::vector<std::uint64_t>(const std::string&)> lessonCaptionTimes;
    // Turns a page of the game's web site ("/guide.html") into the address to open.
    std::function<std::string(const std::string&)> webAddress;
    bool showSplash = true;
    // The player's settings file; none is read or written when empty.
    std::string settingsFile;
    // Where a word about a damaged settings file goes (standard error).
    std::function<void(const std::string&)> note;
    // The command line's choices for this run, over the settings file's.
    std::optional<bool> fullscreen;
    std::optional<bool> sound;
    std::optional<std::string> language;
    // The language the system asks for, when neither the command line nor
    // the settings name one.
    std::string systemLanguage = "en";
    // The saved game the window keeps of the game in play (whenever a year
    // ends, and when the window closes or is hidden), offered at the next
    // start; none when empty.
    std::string autosaveFile;
    // A saved game to load once the game is up.
    std::optional<std::string> loadFile;
    bool showIntro = true;
    // Pauses on exit (the About box, then the wait after it).
    int aboutMs = 3000;
    int exitWaitMs = 3000;
};

}  // namespace tessarion
