#pragma once

#include <memory>

#include "platform/Platform.h"

namespace tessarion {

// The desktop: an SDL2 window whose own surface shows each frame as it is,
// centred (scaled down only while the window is smaller than the frame), with
// the mouse mapped back to layout points, and an audio device with one voice.
class SdlPlatform : public Platform {
  public:
    SdlPlatform();
    ~SdlPlatform() override;

    // False when SDL could not start its video (no display).
    bool ready() const;

    std::pair<int, int> screenSize() override;
    bool openWindow(const std::string& title, int width, int height) override;
    void setFrameSize(int width, int height) override;
    void showWindow() override;
    void setIcon(const std::uint32_t* pixels, int width, int height) override;
    void hideWindow() override;
    void present(const std::uint32_t* pixels, int width, int height) override;
    std::uint32_t* lendFrame(int width, int height,
                             std::function<const std::uint32_t*()> giveBack) override;
    void endFrameLoan() override;
    bool pollEvent(InputEvent& event) override;
    bool waitEvent(InputEvent& event, int timeoutMs) override;
    void setCursor(Cursor cursor) override;
    void sleep(int ms) override;
    void discardInput(std::uint64_t since) override;
    std::uint64_t ticks() override;
    void toggleFullscreen() override;
    bool isFullscreen() override;
    bool windowFits(int width, int height) override;
    std::pair<int, int> windowSize() override;
    void setWindowSize(int width, int height) override;
    WindowPlace windowPlace() override;
    void setWindowPlace(const WindowPlace& place) override;
    std::pair<int, int> drawableSize() override;
    void setFrameScale(double pixelsPerPoint) override;
    int frameWidthFor(int height, int minimum) override;
    void playWave(const std::string& name, std::span<const unsigned char> wav,
                  SoundMode mode) override;
    void stopSound() override;
    void setVolume(int percent) override;
    void setUnsavedChanges(bool unsaved) override;
    bool openUrl(const std::string& url) override;
    std::optional<std::string> nativeFileChooser(bool save, const std::string& folder) override;

    struct Impl;

  private:
    std::unique_ptr<Impl> impl_;
};

// A text quoted for the POSIX shell: one word, read back exactly, whatever it
// holds (the save folder goes into the file chooser's command line).
std::string shellQuote(const std::string& text);

}  // namespace tessarion
