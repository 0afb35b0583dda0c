#pragma once

#include <algorithm>
#include <deque>
#include <tuple>

#include "platform/Platform.h"

namespace tessarion {

// A platform without a screen: frames and requests are recorded, input comes
// from a script, and time passes only when someone sleeps.
class HeadlessPlatform : public Platform {
  public:
    HeadlessPlatform(int screenWidth = 1366, int screenHeight = 768)
        : screenWidth_(screenWidth), screenHeight_(screenHeight) {}

    std::pair<int, int> screenSize() override { return {screenWidth_, screenHeight_}; }
    bool openWindow(const std::string& title, int width, int height) override;
    void setFrameSize(int width, int height) override {
        frameWidth = width;
        frameHeight = height;
    }
    void showWindow() override { visible = true; }
    void hideWindow() override { visible = false; }
    void present(const std::uint32_t* pixels, int width, int height) override;
    bool pollEvent(InputEvent& event) override;
    bool waitEvent(InputEvent& event, int timeoutMs) override;
    void setCursor(Cursor shape) override {
        if (shape != cursor) {
            cursor = shape;
            log.push_back(shape == Cursor::Wait ? "cursor wait" : "cursor arrow");
        }
    }
    void sleep(int ms) override { now_ += static_cast<std::uint64_t>(ms < 0 ? 0 : ms); }
    void discardInput(std::uint64_t since) override;
    std::uint64_t ticks() override { return now_; }
    void toggleFullscreen() override { fullscreen = !fullscreen; }
    bool isFullscreen() override { return fullscreen; }
    std::pair<int, int> windowSize() override {
        return windowWidth > 0 ? std::pair{windowWidth, windowHeight}
                               : std::pair{screenWidth_, screenHeight_};
    }
    void setWindowSize(int width, int height) override {
        windowWidth = width;
        windowHeight = height;
    }
    std::pair<int, int> drawableSize() override { return fullscreen ? screenSize() : windowSize(); }
    void setFrameScale(double pixelsPerPoint) override { frameScale = pixelsPerPoint; }
    int frameWidthFor(int height, int minimum) override {
        return windowHeight > 0 ? std::max(minimum, windowWidth * height / windowHeight) : minimum;
    }
    WindowPlace windowPlace() override {
        WindowPlace place = placed;
        std::tie(place.width, place.height) = windowSize();
        return place;
    }
    void setWindowPlace(const WindowPlace& place) override {
        placed = place;
        setWindowSize(place.width, place.height);
    }
    // The window's size as the player made it (0: as opened).
    int windowWidth = 0;
    int windowHeight = 0;
    // Its place and whether it is maximised (the size is windowWidth's).
    WindowPlace placed;
    void playWave(const std::string& name, std::span<const unsigned char> wav,
                  SoundMode mode) override;
    void stopSound() override { log.push_back("stop sound"); }
    void setVolume(int percent) override { log.push_back("volume " + std::to_string(percent)); }
    bool openUrl(const std::string& url) override {
        log.push_back("open " + url);
        return browser;
    }

    // Scripted input, delivered in order. An event with a time arrives when the
    // clock reaches it (time passes only in sleeps and waits), one without
    // whenever the game next looks for input.
    std::deque<InputEvent> input;
    // How many scripted events were dropped as arriving while the game was busy.
    int discarded = 0;
    // Whether a browser opens the pages asked for.
    bool browser = true;
    // Once the script is used up, the window is closed (so nothing waits forever).
    bool quitWhenIdle = true;
    // Everything asked of the platform, in order.
    std::vector<std::string> log;
    std::string title;
    bool windowOpen = false;
    bool visible = false;
    bool fullscreen = false;
    Cursor cursor = Cursor::Arrow;
    int frameWidth = 0;  // in pixels
    int frameHeight = 0;
    double frameScale = 1.0;
    // The last frame shown.
    std::vector<std::uint32_t> frame;
    int presented = 0;

  private:
    int screenWidth_;
    int screenHeight_;
    std::uint64_t now_ = 0;
};

}  // namespace tessarion
