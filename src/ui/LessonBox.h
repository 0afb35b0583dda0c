#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "ui/BoxChrome.h"
#include "ui/ModalBox.h"

namespace tessarion {

class Graphic;

// The lesson box (105): a 600 x 400 picture, the narration's play and stop
// button, and the lesson's words as captions while it is told.
class LessonBox : public ModalBox {
  public:
    LessonBox(const Graphic* picture, int pictureId, std::string script, int screenWidth,
              int screenHeight, const Graphic* playButton, const Graphic* stopButton);

    void draw(Surface& target) const override;
    void mouseDown(int x, int y, InputEvent::Button button) override;
    void mouseUp(int x, int y, InputEvent::Button button) override;
    void keyDown(const InputEvent& key) override;
    std::optional<std::uint64_t> deadline() const override;
    void tick(std::uint64_t now) override;

    // Asked to start (true) or stop (false) the narration; given the time now.
    std::function<void(bool start)> onNarration;
    // How long the narration runs, to pace the captions (ms; 0 when unknown).
    std::uint64_t narrationLength = 0;
    // When each caption line is spoken (ms from the start); used when it has one time per
    // line, else the lines are paced by their length.
    std::vector<std::uint64_t> captionTimes;
    bool narrationPlaying = false;
    int pictureId;

    int clientLeft() const { return left + BoxChrome::kBorder; }
    int clientTop() const { return top + BoxChrome::kBorder + BoxChrome::kCaption; }
    // The caption lines shown at the moment.
    std::vector<std::string> currentCaption() const;

  private:
    const Graphic* picture_;
    const Graphic* play_;
    const Graphic* stop_;
    std::vector<std::string> script_;
    std::uint64_t now_ = 0;
    std::uint64_t startedAt_ = 0;
    bool pressedButton_ = false;
};

}  // namespace tessarion
