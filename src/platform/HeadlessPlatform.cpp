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
            return true;
        }
        return false;
    }
    event = input.front();
    input.pop_front();
    return true;
}

bool HeadlessPlatform::waitEvent(InputEvent& event, int timeoutMs) {
    if (pollEvent(event)) {
        return true;
    }
    sleep(timeoutMs);
    return false;
}

void HeadlessPlatform::playWave(const std::string& name, std::span<const unsigned char> wav,
                                SoundMode mode) {
    const char* how = mode == SoundMode::Async  ? "async"
                      : mode == SoundMode::Sync ? "sync"
                                                : "loop";
    log.push_back(std::string("play ") + how + " " + name + (wav.empty() ? " (missing)" : ""));
}

}  // namespace tessarion
