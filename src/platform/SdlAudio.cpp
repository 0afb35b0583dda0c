// The audio device and its one voice, mixed in SDL's callback.

#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/SdlPlatformImpl.h"

namespace tessarion {

void SdlPlatform::Impl::openAudio() {
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        return;
    }
    SDL_AudioSpec want{};
    want.freq = 44100;
    want.format = AUDIO_S16SYS;
    want.channels = 2;
    want.samples = 2048;
    want.callback = &Impl::mix;
    want.userdata = this;
    audio = SDL_OpenAudioDevice(nullptr, 0, &want, &device, 0);
    if (audio != 0) {
        SDL_PauseAudioDevice(audio, 0);
    }
}

void SdlPlatform::Impl::closeAudio() {
    if (audio != 0) {
        SDL_CloseAudioDevice(audio);
        audio = 0;
    }
}

// Lets go of the voice's memory (a narration in the device's format runs
// to megabytes), not just of its samples.
void SdlPlatform::Impl::release() {
    std::vector<Uint8>().swap(voice);
    position = 0;
    looping = false;
}

void SdlPlatform::Impl::mix(void* user, Uint8* stream, int length) {
    auto* self = static_cast<Impl*>(user);
    std::memset(stream, self->device.silence, static_cast<std::size_t>(length));
    std::size_t written = 0;
    const std::size_t wanted = static_cast<std::size_t>(length);
    while (written < wanted && !self->voice.empty()) {
        const std::size_t left = self->voice.size() - self->position;
        const std::size_t n = std::min(left, wanted - written);
        // Mixed into the silence at the volume, which a setting change
        // thus reaches within one buffer.
        SDL_MixAudioFormat(stream + written, self->voice.data() + self->position,
                           self->device.format, static_cast<Uint32>(n), self->volume);
        written += n;
        self->position += n;
        if (self->position >= self->voice.size()) {
            if (self->looping) {
                self->position = 0;
            } else {
                self->release();
            }
        }
    }
}

// The sound in the device's format, converted a piece at a time into room
// reserved for the whole: a narration's conversion in one go would need
// several times its result at once (tens of megabytes).
std::vector<Uint8> SdlPlatform::Impl::convert(const SDL_AudioSpec& source, const Uint8* samples,
                                              Uint32 length) const {
    std::vector<Uint8> out;
    SDL_AudioStream* stream = SDL_NewAudioStream(source.format, source.channels, source.freq,
                                                 device.format, device.channels, device.freq);
    if (stream == nullptr) {
        return out;
    }
    const auto frameBytes = [](SDL_AudioFormat format, int channels) {
        return static_cast<double>(SDL_AUDIO_BITSIZE(format) / 8 * channels);
    };
    const double frames = length / frameBytes(source.format, source.channels);
    const double expected = frames * device.freq / std::max(source.freq, 1) *
                            frameBytes(device.format, device.channels);
    out.reserve(static_cast<std::size_t>(expected) + 65536);
    constexpr Uint32 kPiece = 32768;
    Uint8 piece[kPiece];
    const auto drain = [&] {
        int got = 0;
        while ((got = SDL_AudioStreamGet(stream, piece, static_cast<int>(kPiece))) > 0) {
            out.insert(out.end(), piece, piece + got);
        }
    };
    for (Uint32 at = 0; at < length; at += kPiece) {
        if (SDL_AudioStreamPut(stream, samples + at, static_cast<int>(std::min(kPiece, length - at))) !=
            0) {
            break;
        }
        drain();
    }
    SDL_AudioStreamFlush(stream);
    drain();
    SDL_FreeAudioStream(stream);
    return out;
}

bool SdlPlatform::Impl::playing() {
    if (audio == 0) {
        return false;
    }
    SDL_LockAudioDevice(audio);
    const bool busy = !voice.empty();
    SDL_UnlockAudioDevice(audio);
    return busy;
}

void SdlPlatform::playWave(const std::string&, std::span<const unsigned char> wav, SoundMode mode) {
    if (impl_->audio == 0 || wav.empty()) {
        return;
    }
    SDL_AudioSpec source;
    Uint8* buffer = nullptr;
    Uint32 length = 0;
    SDL_RWops* rw = SDL_RWFromConstMem(wav.data(), static_cast<int>(wav.size()));
    if (SDL_LoadWAV_RW(rw, 1, &source, &buffer, &length) == nullptr) {
        return;
    }
    // The sound playing goes first, so that two long ones never share the memory.
    SDL_LockAudioDevice(impl_->audio);
    impl_->release();
    SDL_UnlockAudioDevice(impl_->audio);
    std::vector<Uint8> converted = impl_->convert(source, buffer, length);
    SDL_FreeWAV(buffer);

    SDL_LockAudioDevice(impl_->audio);
    impl_->voice = std::move(converted);
    impl_->position = 0;
    impl_->looping = mode == SoundMode::Loop;
    SDL_UnlockAudioDevice(impl_->audio);

    if (mode == SoundMode::Sync) {
        // The game waits for the sound: it is busy, so input in the meantime
        // is dropped, but the window goes on answering and repainting.
        const std::uint64_t started = SDL_GetTicks64();
        while (impl_->playing()) {
            impl_->discardInput(started);
            SDL_Delay(10);
        }
    }
}

void SdlPlatform::stopSound() {
    if (impl_->audio == 0) {
        return;
    }
    SDL_LockAudioDevice(impl_->audio);
    impl_->release();
    SDL_UnlockAudioDevice(impl_->audio);
}

void SdlPlatform::setVolume(int percent) {
    // Loudness is heard on a logarithmic scale: the square of the fraction
    // makes the steps sound even (75 % plays 5 dB down, 50 % 12 dB, 25 %
    // 24 dB), where the fraction itself would hardly change anything until
    // the lowest.
    const double fraction = std::clamp(percent, 0, 100) / 100.0;
    const int volume = static_cast<int>(std::lround(SDL_MIX_MAXVOLUME * fraction * fraction));
    if (impl_->audio == 0) {
        impl_->volume = volume;
        return;
    }
    SDL_LockAudioDevice(impl_->audio);
    impl_->volume = volume;
    SDL_UnlockAudioDevice(impl_->audio);
}

}  // namespace tessarion
