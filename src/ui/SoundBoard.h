#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "SoundList.h"
#include "platform/Platform.h"

namespace tessarion {

// The game's recordings by resource name.
struct SoundProvider {
    // The recording decoded to a RIFF/WAVE file, afresh at each call; empty when there is no
    // such one.
    std::function<std::vector<unsigned char>(const std::string&)> decode;
    // How long it plays (ms), known without decoding it; 0 when unknown.
    std::function<std::uint64_t(const std::string&)> length;
};

// Everything the window plays: the rules' effects, the theme of the
// introduction and the lessons' narrations, each in the way the sound list
// gives it (alongside the game, holding it up, or over and over).
class SoundBoard {
  public:
    SoundBoard(Platform& platform, SoundProvider sounds)
        : platform_(platform), sounds_(std::move(sounds)) {}

    void play(Sound sound);
    // The introduction's theme, until stopped.
    void playTheme();
    void playNarration(const std::string& name);
    void stop();
    // The loudness of whatever plays, now and later, in percent.
    void setVolume(int percent);
    // How long a recording plays (ms; 0 when unknown).
    std::uint64_t length(const std::string& name) const;
    // An effect that holds the game up while it is heard.
    static bool holdsUp(Sound sound);
    // The narration of a lesson's picture; empty for other pictures.
    static std::string narrationOf(int pictureId);
    // The listed sound of that name; null when there is none.
    static const ListedSound* listed(const std::string& name);

    // Recordings kept decoded, for tests of what stays in memory.
    std::size_t keptCount() const { return kept_.size(); }

  private:
    void playListed(const ListedSound& sound, SoundMode mode);

    Platform& platform_;
    SoundProvider sounds_;
    // The effects come again and again and are small: decoded once and kept. The theme and
    // the narrations are long and rare: decoded when asked for, and let go of once the
    // platform has its own copy, which it drops when they end.
    std::map<std::string, std::vector<unsigned char>, std::less<>> kept_;
};

}  // namespace tessarion
