#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string>

#include "model/Sound.h"
#include "platform/Platform.h"

namespace tessarion {

// The game's recordings by resource name (empty when there is no such one).
using SoundProvider = std::function<std::span<const unsigned char>(const std::string&)>;

// How long a WAV recording plays (ms), from its format and the size of its
// samples; 0 when the bytes are no WAV the game can time.
std::uint64_t waveLength(std::span<const unsigned char> wav);

// Everything the window plays: the rules' effects, the theme of the
// introduction and the lessons' narrations, each in the way it is heard
// (alongside the game, holding it up, or over and over).
class SoundBoard {
  public:
    SoundBoard(Platform& platform, SoundProvider sounds)
        : platform_(platform), sounds_(std::move(sounds)) {}

    void play(Sound sound);
    // The introduction's theme, until stopped.
    void playTheme();
    void playNarration(const std::string& name);
    void stop();
    // How long a recording plays (ms; 0 when unknown).
    std::uint64_t length(const std::string& name) const;
    // An effect that holds the game up while it is heard.
    static bool holdsUp(Sound sound);
    // The narration of a lesson's picture; empty for other pictures.
    static std::string narrationOf(int pictureId);

  private:
    void playWave(const std::string& name, SoundMode mode);
    std::span<const unsigned char> wave(const std::string& name) const;

    Platform& platform_;
    SoundProvider sounds_;
};

}  // namespace tessarion
