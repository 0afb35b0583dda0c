#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "ui/BoxChrome.h"
#include "ui/ModalBox.h"

namespace tessarion {

class Graphic;

// A box that shows one picture: the splash (no caption), About and Results.
// It closes on Enter, Escape, the close box or a click, and by itself when
// given a lifetime.
class PictureFrameBox : public ModalBox {
  public:
    PictureFrameBox(const Graphic* picture, std::string caption, int clientWidth, int clientHeight,
                    int screenWidth, int screenHeight);
    void draw(Surface& target) const override;
    void mouseUp(int x, int y, InputEvent::Button button) override;
    void keyDown(const InputEvent& key) override;
    std::optional<std::uint64_t> deadline() const override { return closeAt; }
    void tick(std::uint64_t now) override;

    std::optional<std::uint64_t> closeAt;
    // Extra drawing on the client area (the numbers of the Results box).
    std::function<void(Surface& target, int clientX, int clientY)> decorate;
    int pictureX = 0;  // picture position in the client area
    int pictureY = 0;

    int clientLeft() const;
    int clientTop() const;

  private:
    const Graphic* picture_;
    std::string caption_;
    int clientWidth_;
    int clientHeight_;
};

}  // namespace tessarion
