#include "ui/SoundBoard.h"

#include <string_view>

#include "game/Lessons.h"
#include "ui/Pictures.h"

namespace tessarion {

namespace {

SoundMode modeOf(SoundPlay play) {
    switch (play) {
        case SoundPlay::HoldsUp:
            return SoundMode::Sync;
        case SoundPlay::Loops:
            return SoundMode::Loop;
        case SoundPlay::Alongside:
            break;
    }
    return SoundMode::Async;
}

const ListedSound* listedEffect(Sound sound) {
    for (const ListedSound& listed : kSoundList) {
        if (listed.kind != SoundKind::Narration && listed.effect == sound) {
            return &listed;
        }
    }
    return nullptr;
}

}  // namespace

const ListedSound* SoundBoard::listed(const std::string& name) {
    for (const ListedSound& listed : kSoundList) {
        if (name == listed.name) {
            return &listed;
        }
    }
    return nullptr;
}

void SoundBoard::play(Sound sound) {
    if (const ListedSound* listed = listedEffect(sound)) {
        // The theme, asked for as an effect, is heard once: only its picture box loops it.
        playListed(*listed,
                   listed->kind == SoundKind::Theme ? SoundMode::Async : modeOf(listed->play));
    }
}

bool SoundBoard::holdsUp(Sound sound) {
    const ListedSound* listed = listedEffect(sound);
    return listed != nullptr && listed->play == SoundPlay::HoldsUp;
}

void SoundBoard::playTheme() {
    for (const ListedSound& listed : kSoundList) {
        if (listed.kind == SoundKind::Theme) {
            playListed(listed, modeOf(listed.play));
        }
    }
}

void SoundBoard::playNarration(const std::string& name) {
    const ListedSound* sound = listed(name);
    if (sound != nullptr && sound->kind == SoundKind::Narration) {
        playListed(*sound, modeOf(sound->play));
    } else {
        // Unknown: nothing to hear, but like any new sound it stops the one playing.
        platform_.playWave(name, {}, SoundMode::Async);
    }
}

void SoundBoard::stop() {
    platform_.stopSound();
}

void SoundBoard::setVolume(int percent) {
    platform_.setVolume(percent);
}

std::uint64_t SoundBoard::length(const std::string& name) const {
    return sounds_.length ? sounds_.length(name) : 0;
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

void SoundBoard::playListed(const ListedSound& sound, SoundMode mode) {
    if (!sounds_.decode) {
        platform_.playWave(sound.name, {}, mode);
        return;
    }
    if (sound.kind == SoundKind::Effect) {
        auto it = kept_.find(std::string_view(sound.name));
        if (it == kept_.end()) {
            it = kept_.emplace(sound.name, sounds_.decode(sound.name)).first;
        }
        platform_.playWave(sound.name, it->second, mode);
        return;
    }
    const std::vector<unsigned char> wav = sounds_.decode(sound.name);
    platform_.playWave(sound.name, wav, mode);
}

}  // namespace tessarion
