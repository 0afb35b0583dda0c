#pragma once

#include <cstdint>
#include <optional>

#include "platform/Platform.h"
#include "ui/Surface.h"

namespace tessarion {

// A modal box drawn by the game over its window. Coordinates are those of the
// client area (below the menu bar). While a box is open no input reaches the
// game; the box ends by setting `done`.
class ModalBox {
  public:
    virtual ~ModalBox() = default;

    virtual void draw(Surface& target) const = 0;
    virtual void mouseDown(int x, int y, InputEvent::Button button) {
        (void)x, (void)y, (void)button;
    }
    virtual void mouseUp(int x, int y, InputEvent::Button button) {
        (void)x, (void)y, (void)button;
    }
    virtual void mouseMove(int x, int y) { (void)x, (void)y; }
    virtual void keyDown(const InputEvent& key) { (void)key; }
    // A typed character.
    virtual void text(char c) { (void)c; }
    // The time (platform ticks) at which the box wants tick(); none by default.
    virtual std::optional<std::uint64_t> deadline() const { return std::nullopt; }
    virtual void tick(std::uint64_t now) { (void)now; }
    // The window is being closed while the box is open: end it the gentle way.
    virtual void abandon() { done = true; }

    bool done = false;
    int endCode = 0;

    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

}  // namespace tessarion
