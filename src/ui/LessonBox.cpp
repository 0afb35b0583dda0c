#include "ui/LessonBox.h"

#include <algorithm>

#include "PictureManifest.h"
#include "ui/Font.h"
#include "ui/Graphic.h"

namespace tessarion {

using namespace box;

LessonBox::LessonBox(const Graphic* picture, int id, std::string script, int screenWidth,
                     int screenHeight, const Graphic* playButton, const Graphic* stopButton)
    : pictureId(id), picture_(picture), play_(playButton), stop_(stopButton) {
    for (std::string& line : splitLines(script)) {
        if (!line.empty()) {
            script_.push_back(std::move(line));
        }
    }
    width = 600 + 2 * BoxChrome::kBorder;
    height = 400 + 2 * BoxChrome::kBorder + BoxChrome::kCaption;
    left = screenWidth / 2 - 300;
    top = screenHeight / 2 - 200;
}

std::vector<std::string> LessonBox::currentCaption() const {
    if (!narrationPlaying || script_.empty()) {
        return {};
    }
    const std::uint64_t elapsed = now_ - startedAt_;
    std::size_t told = script_.size();  // the line being told; none once it is all said
    if (captionTimes.size() == script_.size()) {
        // The last line whose time has come; before the first word the first line is already
        // up, so the reader is ready for it.
        if (narrationLength == 0 || elapsed < narrationLength) {
            told = 0;
            while (told + 1 < captionTimes.size() && captionTimes[told + 1] <= elapsed) {
                ++told;
            }
        }
    } else {
        // Pace the lines by their length over the narration's running time.
        std::size_t total = 0;
        for (const std::string& l : script_) {
            total += l.size() + 8;
        }
        const std::uint64_t length = narrationLength > 0 ? narrationLength : total * 60;
        const std::uint64_t reached = elapsed * total / std::max<std::uint64_t>(length, 1);
        std::size_t upto = 0;
        for (told = 0; told < script_.size(); ++told) {
            upto += script_[told].size() + 8;
            if (reached < upto) {
                break;
            }
        }
    }
    if (told >= script_.size()) {
        return {};
    }
    // Two lines at a time: the one being told and the next.
    std::vector<std::string> shown{script_[told]};
    if (told + 1 < script_.size()) {
        shown.push_back(script_[told + 1]);
    }
    return shown;
}

void LessonBox::draw(Surface& s) const {
    BoxChrome::draw(s, left, top, width, height, "", true, kBlack);
    const int cx = clientLeft();
    const int cy = clientTop();
    if (picture_ != nullptr) {
        picture_->draw(s, cx, cy);
    }
    if (pictureId != pic::intro.id) {
        const Graphic* button = narrationPlaying ? stop_ : play_;
        if (button != nullptr) {
            button->draw(s, cx + 75, cy + 18);
        }
    }
    const std::vector<std::string> caption = currentCaption();
    if (!caption.empty()) {
        const int bandTop = cy + 400 - 12 - lineHeight() * static_cast<int>(caption.size());
        // An opaque band: darkening alone lets the picture's own painted
        // titles show through the words.
        s.fillRect(cx, bandTop - 6, cx + 600, cy + 400, kCaptionBandColour);
        s.drawLine(cx, bandTop - 6, cx + 600, bandTop - 6, kShadowColour);
        for (std::size_t i = 0; i < caption.size(); ++i) {
            const int w = defaultFont().width(caption[i]);
            drawTextIn(s, cx + (600 - w) / 2, bandTop + static_cast<int>(i) * lineHeight(),
                       caption[i], i == 0 ? 0xFFFFF4D8 : 0xFFB8AD96);
        }
    }
}

void LessonBox::mouseDown(int x, int y, InputEvent::Button b) {
    const int px = x - clientLeft();
    const int py = y - clientTop();
    pressedButton_ = b == InputEvent::Button::Left && px >= 75 && px <= 99 && py >= 18 && py <= 42;
}

void LessonBox::mouseUp(int x, int y, InputEvent::Button b) {
    if (b != InputEvent::Button::Left) {
        return;
    }
    if (BoxChrome::onCloseBox(left, top, width, x, y)) {
        done = true;
        return;
    }
    const int px = x - clientLeft();
    const int py = y - clientTop();
    if (px >= 75 && px <= 99 && py >= 18 && py <= 42) {
        // The intro has no narration: a click there only stops its music.
        narrationPlaying = !narrationPlaying && pictureId != pic::intro.id;
        startedAt_ = now_;
        if (onNarration) {
            onNarration(narrationPlaying);
        }
    }
    pressedButton_ = false;
}

void LessonBox::keyDown(const InputEvent& key) {
    if (isClose(key)) {
        done = true;
    }
}

std::optional<std::uint64_t> LessonBox::deadline() const {
    // While the words run, redraw them now and then.
    if (narrationPlaying) {
        return now_ + 250;
    }
    return std::nullopt;
}

void LessonBox::tick(std::uint64_t now) {
    now_ = now;
    if (narrationPlaying && narrationLength > 0 && now_ - startedAt_ > narrationLength + 500) {
        narrationPlaying = false;  // the narration has ended by itself
    }
}

}  // namespace tessarion
