#include "ui/AlertBox.h"

#include <algorithm>

#include "ui/Font.h"
#include "ui/Language.h"

namespace tessarion {

using namespace box;

AlertBox::AlertBox(std::string caption, std::string text, int screenWidth, int screenHeight,
                   bool question)
    : caption_(tr(caption)), lines_(splitLines(tr(text))) {
    int widest = defaultFont().width(caption_) + 60;
    for (const std::string& l : lines_) {
        widest = std::max(widest, defaultFont().width(l));
    }
    width = std::clamp(widest + 48, 240, screenWidth - 40) + 2 * BoxChrome::kBorder;
    height = static_cast<int>(lines_.size()) * lineHeight() + 80 + BoxChrome::kCaption +
             2 * BoxChrome::kBorder;
    left = (screenWidth - width) / 2;
    top = (screenHeight - height) / 2;
    const int clientW = width - 2 * BoxChrome::kBorder;
    const int buttonY = height - BoxChrome::kCaption - 2 * BoxChrome::kBorder - 40;
    if (question) {
        buttons_ = {{kYes, tr("Yes"), clientW / 2 - 88 - 8, buttonY, 88, 28},
                    {kNo, tr("No"), clientW / 2 + 8, buttonY, 88, 28}};
    } else {
        buttons_ = {{1, tr("OK"), (clientW - 88) / 2, buttonY, 88, 28}};
    }
}

void AlertBox::draw(Surface& s) const {
    BoxChrome::draw(s, left, top, width, height, caption_, true, kBodyColour);
    const int cx = clientLeft();
    const int cy = clientTop();
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        drawTextIn(s, cx + 24, cy + 16 + static_cast<int>(i) * lineHeight(), lines_[i], kInkColour);
    }
    for (std::size_t i = 0; i < buttons_.size(); ++i) {
        drawButton(s, cx, cy, buttons_[i], i == 0, false, i == 0);
    }
}

void AlertBox::mouseUp(int x, int y, InputEvent::Button b) {
    if (b != InputEvent::Button::Left) {
        return;
    }
    const bool question = buttons_.size() > 1;
    if (BoxChrome::onCloseBox(left, top, width, x, y)) {
        done = true;
        endCode = question ? kNo : 1;
        return;
    }
    for (const BoxButton& button : buttons_) {
        if (button.contains(x - clientLeft(), y - clientTop())) {
            done = true;
            endCode = button.id;
        }
    }
}

void AlertBox::keyDown(const InputEvent& key) {
    const bool question = buttons_.size() > 1;
    if (key.key == KeyCode::Escape) {
        done = true;
        endCode = question ? kNo : 1;
    } else if (isClose(key) || key.key == KeyCode::Space) {
        // The first button has the focus.
        done = true;
        endCode = buttons_.front().id;
    } else if (question && key.type == InputEvent::Type::KeyDown && key.key == KeyCode::Letter &&
               (key.letter == 'y' || key.letter == 'n')) {
        done = true;
        endCode = key.letter == 'y' ? kYes : kNo;
    }
}

}  // namespace tessarion
