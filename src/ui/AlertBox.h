#pragma once

#include <string>
#include <vector>

#include "ui/BoxChrome.h"
#include "ui/ModalBox.h"

namespace tessarion {

// The platform's plain message box: a caption, a text and OK, or for a
// question Yes and No (endCode kYes or kNo; Escape and the close box say No).
class AlertBox : public ModalBox {
  public:
    AlertBox(std::string caption, std::string text, int screenWidth, int screenHeight,
             bool question = false);
    void draw(Surface& target) const override;
    void mouseUp(int x, int y, InputEvent::Button button) override;
    void keyDown(const InputEvent& key) override;

    static constexpr int kYes = 6;
    static constexpr int kNo = 7;
    const std::vector<std::string>& lines() const { return lines_; }
    const BoxButton& button(int i) const { return buttons_[static_cast<std::size_t>(i)]; }
    int clientLeft() const { return left + BoxChrome::kBorder; }
    int clientTop() const { return top + BoxChrome::kBorder + BoxChrome::kCaption; }

  private:
    std::string caption_;
    std::vector<std::string> lines_;
    std::vector<BoxButton> buttons_;
};

}  // namespace tessarion
