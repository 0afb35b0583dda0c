#include "ui/AdvisorBox.h"

#include <algorithm>

#include "ui/Font.h"
#include "ui/Graphic.h"
#include "ui/Language.h"

namespace tessarion {

using namespace box;

AdvisorBox::AdvisorBox(Kind kind, std::string text, int screenWidth, int screenHeight,
                       const Graphic* portrait, double scale)
    : kind_(kind), scale_(scale), portrait_(portrait) {
    left = screenWidth / 2 - 300;
    top = screenHeight / 2 - 200;
    if (kind == Kind::Message) {
        width = dluX(266) + 2 * BoxChrome::kBorder;
        height = dluY(93) + 2 * BoxChrome::kBorder + BoxChrome::kCaption;
        portraitX_ = dluX(7);
        portraitY_ = dluY(8);
        textX_ = dluX(60);
        textY_ = dluY(9);
        textW_ = dluX(197);
        textH_ = dluY(61);
        buttons_.push_back({kOk, tr("OK"), dluX(123), dluY(75), dluX(50), dluY(14)});
        focus_ = kOk;
    } else {
        width = dluX(258) + 2 * BoxChrome::kBorder;
        height = dluY(92) + 2 * BoxChrome::kBorder + BoxChrome::kCaption;
        portraitX_ = dluX(12);
        portraitY_ = dluY(9);
        textX_ = dluX(69);
        textY_ = dluY(7);
        textW_ = dluX(182);
        textH_ = dluY(58);
        buttons_.push_back({kYes, tr("Yes"), dluX(16), dluY(68), dluX(50), dluY(14)});
        buttons_.push_back({kNo, tr("No"), dluX(197), dluY(70), dluX(50), dluY(14)});
        focus_ = kYes;
    }
    for (const std::string& line : splitLines(tr(text))) {
        for (std::string& part : wrapToWidth(defaultFont(), line, textW_ - 8, scale_)) {
            lines_.push_back(std::move(part));
        }
    }
}

const BoxButton* AdvisorBox::button(int id) const {
    for (const BoxButton& b : buttons_) {
        if (b.id == id) {
            return &b;
        }
    }
    return nullptr;
}

int AdvisorBox::visibleLines() const {
    return std::max(1, (textH_ - 2) / lineHeight());
}

int AdvisorBox::widestLine() const {
    int widest = 0;
    for (const std::string& l : lines_) {
        widest = std::max(widest, pointWidth(defaultFont(), l, scale_));
    }
    return widest;
}

void AdvisorBox::draw(Surface& s) const {
    BoxChrome::draw(s, left, top, width, height, tr(kTitle), true, kBodyColour);
    const int cx = clientLeft();
    const int cy = clientTop();
    if (portrait_ != nullptr) {
        s.drawFrame(cx + portraitX_ - 2, cy + portraitY_ - 2,
                    cx + portraitX_ + portrait_->width + 2, cy + portraitY_ + portrait_->height + 2,
                    kShadowColour);
        portrait_->draw(s, cx + portraitX_, cy + portraitY_);
    }
    // The read-only text: a sunken white field, clipped to itself.
    const int tx = cx + textX_;
    const int ty = cy + textY_;
    Surface field(textW_, textH_, kWhite, s.scale());
    field.text = {kInkColour, kWhite, false};
    for (int i = scrollLine_, row = 0; i < static_cast<int>(lines_.size()) && row < visibleLines();
         ++i, ++row) {
        field.drawText(4 - scrollX_, 1 + row * lineHeight(), lines_[static_cast<std::size_t>(i)]);
    }
    if (focus_ == 0) {
        field.drawFrame(1, 1, textW_ - 1, textH_ - 1, kSelectionColour);
    }
    s.blit(field, 0, 0, textW_, textH_, tx, ty);
    s.drawLine(tx - 1, ty - 1, tx + textW_, ty - 1, kShadowColour);
    s.drawLine(tx - 1, ty - 1, tx - 1, ty + textH_, kShadowColour);
    for (const BoxButton& b : buttons_) {
        const bool isDefault = b.id == (kind_ == Kind::Message ? kOk : kYes);
        drawButton(s, cx, cy, b, focus_ == b.id, pressed_ == b.id, isDefault);
    }
}

void AdvisorBox::command(int id) {
    // Escape and the close box arrive as id 2: they end a message, and answer
    // a question No, so that every box can be left the same way.
    if (kind_ == Kind::Question && id == kOk) {
        id = kNo;
    }
    if (kind_ == Kind::Message) {
        if (id == kOk) {
            done = true;
            endCode = kOk;
        }
        return;
    }
    if (id == kYes || id == kNo) {
        done = true;
        endCode = id;
    }
}

void AdvisorBox::abandon() {
    done = true;
    endCode = kind_ == Kind::Message ? kOk : kNo;
}

void AdvisorBox::mouseDown(int x, int y, InputEvent::Button b) {
    if (b != InputEvent::Button::Left) {
        return;
    }
    const int cx = x - clientLeft();
    const int cy = y - clientTop();
    pressed_ = 0;
    for (const BoxButton& button : buttons_) {
        if (button.contains(cx, cy)) {
            pressed_ = button.id;
            focus_ = button.id;
        }
    }
    if (cx >= textX_ && cx < textX_ + textW_ && cy >= textY_ && cy < textY_ + textH_ &&
        kind_ == Kind::Message) {
        focus_ = 0;
    }
}

void AdvisorBox::mouseUp(int x, int y, InputEvent::Button b) {
    if (b != InputEvent::Button::Left) {
        return;
    }
    if (BoxChrome::onCloseBox(left, top, width, x, y)) {
        command(kOk);  // the close box is id 2
        return;
    }
    const int cx = x - clientLeft();
    const int cy = y - clientTop();
    const int was = pressed_;
    pressed_ = 0;
    for (const BoxButton& button : buttons_) {
        if (button.id == was && button.contains(cx, cy)) {
            command(button.id);
        }
    }
}

void AdvisorBox::keyDown(const InputEvent& key) {
    switch (key.key) {
        case KeyCode::Enter:
            // Enter presses the focused button, or the default one from the text.
            command(focus_ != 0 ? focus_ : (kind_ == Kind::Message ? kOk : kYes));
            return;
        case KeyCode::Space:
            if (focus_ != 0) {
                command(focus_);
            }
            return;
        case KeyCode::Escape:
            command(kOk);
            return;
        case KeyCode::Tab:
            tab(key.shift);
            return;
        default:
            break;
    }
    if (focus_ == 0) {
        scrollText(key.key);
    } else if (kind_ == Kind::Question && (key.key == KeyCode::Left || key.key == KeyCode::Right)) {
        focus_ = focus_ == kYes ? kNo : kYes;
    }
}

void AdvisorBox::tab(bool back) {
    // The tab stops in template order: the message's OK and text; the question's buttons.
    const std::vector<int> stops =
        kind_ == Kind::Message ? std::vector<int>{kOk, 0} : std::vector<int>{kYes, kNo};
    auto it = std::find(stops.begin(), stops.end(), focus_);
    const std::size_t at = it == stops.end() ? 0 : static_cast<std::size_t>(it - stops.begin());
    const std::size_t n = stops.size();
    focus_ = stops[back ? (at + n - 1) % n : (at + 1) % n];
}

void AdvisorBox::scrollText(KeyCode key) {
    const int step = defaultFont().width("x") * 4;
    const int maxScroll = std::max(0, widestLine() + 8 - textW_);
    const int maxLine = std::max(0, static_cast<int>(lines_.size()) - visibleLines());
    switch (key) {
        case KeyCode::Left:
            scrollX_ = std::max(0, scrollX_ - step);
            break;
        case KeyCode::Right:
            scrollX_ = std::min(maxScroll, scrollX_ + step);
            break;
        case KeyCode::Home:
            scrollX_ = 0;
            break;
        case KeyCode::End:
            scrollX_ = maxScroll;
            break;
        case KeyCode::Up:
            scrollLine_ = std::max(0, scrollLine_ - 1);
            break;
        case KeyCode::Down:
            scrollLine_ = std::min(maxLine, scrollLine_ + 1);
            break;
        default:
            break;
    }
}

}  // namespace tessarion
