#include "platform/HeadlessPlatform.h"

namespace tessarion {

bool HeadlessPlatform::openWindow(const std::string& windowTitle, int width, int height) {
    title = windowTitle;
    windowOpen = true;
    frameWidth = width;
    frameHeight = height;
    log.push_back("open window");
    return true;
}

void HeadlessPlatform::present(const std::uint32_t* pixels, int width, int height) {
    frame.assign(pixels,
                 pixels + static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    frameWidth = width;
    frameHeight = height;
    ++presented;
}

bool HeadlessPlatform::pollEvent(InputEvent& event) {
    if (input.empty()) {
        if (quitWhenIdle && windowOpen) {
            event = InputEvent{};
            event.type = InputEvent::Type::Quit;
            event.time = now_;
            return true;
        }
        return false;
    }
    if (input.front().time > now_) {
        return false;  // not arrived yet
    }
    event = input.front();
    input.pop_front();
    if (event.time == 0) {
        event.time = now_;
    }
    return true;
}

bool HeadlessPlatform::waitEvent(InputEvent& event, int timeoutMs) {
    if (pollEvent(event)) {
        return true;
    }
    if (timeoutMs < 0) {
        // Waiting for as long as it takes: until the next scripted event, or
        // no time at all when none is left to come.
        if (input.empty()) {
            return false;
        }
        now_ = std::max(now_, input.front().time);
        return pollEvent(event);
    }
    const std::uint64_t until = now_ + static_cast<std::uint64_t>(timeoutMs);
    if (!input.empty() && input.front().time <= until) {
        now_ = input.front().time;
        return pollEvent(event);
    }
    now_ = until;
    return false;
}

void HeadlessPlatform::discardInput(std::uint64_t since) {
    const auto arrivedInput = [this, since](const InputEvent& e) {
        using T = InputEvent::Type;
        return e.time != 0 && e.time >= since && e.time <= now_ &&
               (e.type == T::MouseMove || e.type == T::MouseDown || e.type == T::MouseUp ||
                e.type == T::KeyDown || e.type == T::Text || e.type == T::TouchDown ||
                e.type == T::TouchMove || e.type == T::TouchUp);
    };
    const auto before = input.size();
    input.erase(std::remove_if(input.begin(), input.end(), arrivedInput), input.end());
    discarded += static_cast<int>(before - input.size());
}

void HeadlessPlatform::playWave(const std::string& name, std::span<const unsigned char> wav,
                                SoundMode mode) {
    const char* how = mode == SoundMode::Async  ? "async"
                      : mode == SoundMode::Sync ? "sync"
                                                : "loop";
    log.push_back(std::string("play ") + how + " " + name + (wav.empty() ? " (missing)" : ""));
}

}  // namespace tessarion
