#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/Platform.h"
#include "ui/Settings.h"

namespace tessarion {

// The player's settings file as the window keeps it: read at start-up, and
// written again whenever the player changes one of his choices. What this run
// started with is remembered apart, so that a choice made on the command line
// for this run alone never reaches the file.
class KeptSettings {
  public:
    // `file` empty: nothing is read or written. `note` hears a word for the
    // terminal about every trouble with the file.
    KeptSettings(std::string file, std::function<void(const std::string&)> note);

    // Reads the file; what could not be read is dropped, the file written
    // again, and the player told (see takeNotes).
    void read();
    // The settings as the file keeps them.
    const Settings& settings() const { return settings_; }
    // What the window started with this run: the file's, but for the
    // command line's choices.
    void startWith(const Settings& started) { started_ = started; }
    // Takes each choice the player changed since start-up (and the window's
    // place, when given) and writes the file when it differs.
    void remember(const Settings& now, const std::optional<WindowPlace>& place);
    // What the player should be told of the file, once each kind a run, in
    // the advisor's words; taken, so each is told once.
    std::vector<std::string> takeNotes();

  private:
    void write();

    std::string file_;
    std::function<void(const std::string&)> note_;
    Settings settings_;
    Settings started_;
    std::vector<std::string> notes_;
    bool unwritable_ = false;
};

}  // namespace tessarion
