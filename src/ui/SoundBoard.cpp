#include "ui/SoundBoard.h"

#include <algorithm>

#include "game/Lessons.h"
#include "ui/Pictures.h"

namespace tessarion {

namespace {

struct Effect {
    Sound sound;
    const char* wave;
    SoundMode mode;
};

// The march is heard to its end before the army moves on.
constexpr Effect kEffects[] = {
    {Sound::Battle, "IDR_SWORD_SND", SoundMode::Async},
    {Sound::March, "IDR_MARCH_SND", SoundMode::Sync},
    {Sound::Plague, "IDR_COUGH_SND", SoundMode::Async},
    {Sound::PeoplesFront, "IDR_PFJ_SND", SoundMode::Async},
    {Sound::Intro, "IDR_INTRO_SND", SoundMode::Async},
};

constexpr const char* kTheme = "IDR_INTRO_SND";

const Effect* effectOf(Sound sound) {
    for (const Effect& effect : kEffects) {
        if (effect.sound == sound) {
            return &effect;
        }
    }
    return nullptr;
}

}  // namespace

std::uint64_t waveLength(std::span<const unsigned char> wav) {
    // The RIFF header (12 bytes) and the shortest format chunk before any samples.
    if (wav.size() < 44) {
        return 0;
    }
    auto u32 = [&](std::size_t at) -> std::uint32_t {
        return at + 4 <= wav.size()
                   ? static_cast<std::uint32_t>(wav[at] | wav[at + 1] << 8 | wav[at + 2] << 16 |
                                                static_cast<std::uint32_t>(wav[at + 3]) << 24)
                   : 0;
    };
    const std::uint32_t byteRate = u32(28);
    if (byteRate == 0) {
        return 0;
    }
    // Walk the chunks to the samples; a chunk of odd size is followed by a pad byte.
    for (std::size_t at = 12; at + 8 <= wav.size();) {
        const std::uint64_t size = u32(at + 4);
        const std::uint64_t present = wav.size() - at - 8;
        if (wav[at] == 'd' && wav[at + 1] == 'a' && wav[at + 2] == 't' && wav[at + 3] == 'a') {
            // A cut-off file plays the samples it has.
            return std::min(size, present) * 1000 / byteRate;
        }
        if (size + (size & 1) >= present) {
            return 0;  // the chunk runs past the end: no samples follow it
        }
        at += 8 + static_cast<std::size_t>(size + (size & 1));
    }
    return 0;
}

void SoundBoard::play(Sound sound) {
    if (const Effect* effect = effectOf(sound)) {
        playWave(effect->wave, effect->mode);
    }
}

bool SoundBoard::holdsUp(Sound sound) {
    const Effect* effect = effectOf(sound);
    return effect != nullptr && effect->mode == SoundMode::Sync;
}

void SoundBoard::playTheme() {
    playWave(kTheme, SoundMode::Loop);
}

void SoundBoard::playNarration(const std::string& name) {
    playWave(name, SoundMode::Async);
}

void SoundBoard::stop() {
    platform_.stopSound();
}

std::uint64_t SoundBoard::length(const std::string& name) const {
    return waveLength(wave(name));
}

std::string SoundBoard::narrationOf(int pictureId) {
    for (const Lesson& lesson : kLessons) {
        const PictureEntry* picture = pictureNamed(lesson.picture);
        if (picture != nullptr && picture->id == pictureId) {
            return lesson.narration;
        }
    }
    return "";
}

void SoundBoard::playWave(const std::string& name, SoundMode mode) {
    platform_.playWave(name, wave(name), mode);
}

std::span<const unsigned char> SoundBoard::wave(const std::string& name) const {
    return sounds_ ? sounds_(name) : std::span<const unsigned char>();
}

}  // namespace tessarion
