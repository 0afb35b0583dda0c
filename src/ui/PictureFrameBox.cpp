#include "ui/PictureFrameBox.h"

#include "ui/Graphic.h"

namespace tessarion {

using namespace box;

PictureFrameBox::PictureFrameBox(const Graphic* picture, std::string caption, int clientWidth,
                                 int clientHeight, int screenWidth, int screenHeight)
    : picture_(picture),
      caption_(std::move(caption)),
      clientWidth_(clientWidth),
      clientHeight_(clientHeight) {
    width = clientWidth + 2 * BoxChrome::kBorder;
    height = clientHeight + 2 * BoxChrome::kBorder + (caption_.empty() ? 0 : BoxChrome::kCaption);
    left = screenWidth / 2 - width / 2;
    top = screenHeight / 2 - height / 2;
}

int PictureFrameBox::clientLeft() const {
    return left + BoxChrome::kBorder;
}

int PictureFrameBox::clientTop() const {
    return top + BoxChrome::kBorder + (caption_.empty() ? 0 : BoxChrome::kCaption);
}

void PictureFrameBox::draw(Surface& s) const {
    if (caption_.empty()) {
        s.fillRect(left, top, left + width, top + height, kFrameColour);
    } else {
        BoxChrome::draw(s, left, top, width, height, caption_, true, kBlack);
    }
    s.fillRect(clientLeft(), clientTop(), clientLeft() + clientWidth_, clientTop() + clientHeight_,
               kBlack);
    if (picture_ != nullptr) {
        picture_->draw(s, clientLeft() + pictureX, clientTop() + pictureY);
    }
    if (decorate) {
        decorate(s, clientLeft(), clientTop());
    }
}

void PictureFrameBox::mouseUp(int, int, InputEvent::Button b) {
    if (b == InputEvent::Button::Left) {
        done = true;
    }
}

void PictureFrameBox::keyDown(const InputEvent& key) {
    if (isClose(key) || key.key == KeyCode::Space) {
        done = true;
    }
}

void PictureFrameBox::tick(std::uint64_t now) {
    if (closeAt && now >= *closeAt) {
        done = true;
    }
}

}  // namespace tessarion
