#include "ui/KeptSettings.h"
#include "model/Wording.h"

#include <utility>

namespace tessarion {

KeptSettings::KeptSettings(std::string file, std::function<void(const std::string&)> note)
    : file_(std::move(file)), note_(std::move(note)) {}

void KeptSettings::read() {
    if (file_.empty()) {
        return;
    }
    SettingsRead read = loadSettings(file_);
    settings_ = read.settings;
    if (read.notes.empty()) {
        return;
    }
    for (const std::string& note : read.notes) {
        if (note_) {
            note_("settings file " + file_ + ": " + note);
        }
    }
    std::string text = N_("Princeps,\r\n\r\nYour settings file could not all be read:\r\n") +
                       read.notes.front() + ".";
    if (read.notes.size() > 1) {
        text += "\r\n(" + std::to_string(read.notes.size() - 1) + " more like it.)";
    }
    text += "\r\nThe other settings are kept.";
    notes_.push_back(text);
    // What could not be read goes; the file says again what the game will do.
    write();
}

void KeptSettings::write() {
    if (file_.empty()) {
        return;
    }
    const std::optional<std::string> error = storeSettings(file_, settings_);
    if (!error) {
        return;
    }
    if (note_) {
        note_("settings file " + file_ + " not written: " + *error);
    }
    if (!unwritable_) {
        unwritable_ = true;
        notes_.push_back(
            N_("Princeps,\r\n\r\nYour settings could not be kept for the next game:\r\n") + *error +
            ".");
    }
}

void KeptSettings::remember(const Settings& now, const std::optional<WindowPlace>& place) {
    const Settings before = settings_;
    // Each setting the player changed since start-up; what the command line
    // chose for this run alone stays out of the file.
    auto take = [](auto& kept, auto& started, const auto& value) {
        if (started != value) {
            kept = value;
            started = value;
        }
    };
    take(settings_.skillLevel, started_.skillLevel, now.skillLevel);
    take(settings_.sound, started_.sound, now.sound);
    take(settings_.soundVolume, started_.soundVolume, now.soundVolume);
    take(settings_.colours, started_.colours, now.colours);
    take(settings_.fullscreen, started_.fullscreen, now.fullscreen);
    if (place && place->width > 0 && place->height > 0) {
        settings_.windowWidth = place->width;
        settings_.windowHeight = place->height;
        settings_.windowMaximised = place->maximised;
        if (place->positioned) {
            settings_.windowX = place->x;
            settings_.windowY = place->y;
        }
    }
    if (!(settings_ == before)) {
        write();
    }
}

std::vector<std::string> KeptSettings::takeNotes() {
    std::vector<std::string> notes;
    notes.swap(notes_);
    return notes;
}

}  // namespace tessarion
