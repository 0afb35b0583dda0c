#include "ui/FileBox.h"

#include <algorithm>

#include "ui/Font.h"
#include "ui/Language.h"

namespace tessarion {

using namespace box;

namespace {
constexpr int kFileRows = 10;
constexpr int kListTop = 34;
}  // namespace

FileBox::FileBox(bool saving, std::vector<SavedGameEntry> existing, int screenWidth,
                 int screenHeight)
    : saving_(saving), files_(std::move(existing)) {
    width = 440 + 2 * BoxChrome::kBorder;
    height = kListTop + kFileRows * lineHeight() + (saving ? 50 : 10) + 52 + BoxChrome::kCaption +
             2 * BoxChrome::kBorder;
    left = (screenWidth - width) / 2;
    top = (screenHeight - height) / 2;
    const int buttonsY = height - BoxChrome::kCaption - 2 * BoxChrome::kBorder - 40;
    ok_ = {1, saving ? tr("Save") : tr("Load"), 440 - 2 * 96 - 16, buttonsY, 88, 28};
    cancel_ = {2, tr("Cancel"), 440 - 96 - 8, buttonsY, 88, 28};
    if (!saving && !files_.empty()) {
        selected_ = 0;
    }
}

int FileBox::rowAt(int x, int y) const {
    const int cx = x - clientLeft();
    const int cy = y - clientTop() - kListTop;
    if (cx < 12 || cx >= 440 - 12 || cy < 0) {
        return -1;
    }
    const int row = cy / lineHeight();
    if (row >= kFileRows || firstRow_ + row >= static_cast<int>(files_.size())) {
        return -1;
    }
    return firstRow_ + row;
}

void FileBox::draw(Surface& s) const {
    const std::string caption = !title.empty() ? title
                                : saving_      ? tr("Save the game")
                                               : tr("Load a saved game");
    BoxChrome::draw(s, left, top, width, height, caption, true, kBodyColour);
    const int cx = clientLeft();
    const int cy = clientTop();
    const std::string above = !prompt.empty() ? prompt
                              : saving_       ? tr("Saved games (Tessarion Files, .TSN):")
                                              : tr("Choose a saved game:");
    drawTextIn(s, cx + 12, cy + 10, above, kInkColour);
    const int listH = kFileRows * lineHeight();
    s.fillRect(cx + 12, cy + kListTop, cx + 440 - 12, cy + kListTop + listH, kWhite);
    s.drawFrame(cx + 11, cy + kListTop - 1, cx + 440 - 11, cy + kListTop + listH + 1,
                kShadowColour);
    if (files_.empty()) {
        drawTextIn(s, cx + 18, cy + kListTop + 2,
                   emptyList.empty() ? tr("(no saved games yet)") : emptyList, kShadowColour);
    }
    for (int row = 0; row < kFileRows && firstRow_ + row < static_cast<int>(files_.size()); ++row) {
        const int i = firstRow_ + row;
        const int y = cy + kListTop + row * lineHeight();
        const bool lit = i == selected_;
        if (lit) {
            s.fillRect(cx + 12, y, cx + 440 - 12, y + lineHeight(), kSelectionColour);
        }
        const SavedGameEntry& file = files_[static_cast<std::size_t>(i)];
        const std::uint32_t ink = lit ? kWhite : file.damaged ? kDamagedColour : kInkColour;
        // The details stand right-aligned; a long name gives way to them.
        const int detailsX = cx + 440 - 18 - defaultFont().width(file.details);
        std::string shown = file.name;
        while (shown.size() > 1 && cx + 18 + defaultFont().width(shown) > detailsX - 12) {
            shown.resize(shown.size() - 2);
            shown += "~";
        }
        drawTextIn(s, cx + 18, y + 1, shown, ink);
        drawTextIn(s, detailsX, y + 1, file.details, ink);
    }
    if (saving_) {
        const int y = cy + kListTop + listH + 12;
        drawTextIn(s, cx + 12, y + 4, tr("Name:"), kInkColour);
        s.fillRect(cx + 60, y, cx + 440 - 12, y + lineHeight() + 6, kWhite);
        s.drawFrame(cx + 59, y - 1, cx + 440 - 11, y + lineHeight() + 7, kShadowColour);
        drawTextIn(s, cx + 64, y + 3, name, kInkColour);
        const int caret = cx + 64 + defaultFont().width(name) + 1;
        s.drawLine(caret, y + 3, caret, y + 3 + defaultFont().height(), kInkColour);
    }
    drawButton(s, cx, cy, ok_, false, pressed_ == 1, true);
    drawButton(s, cx, cy, cancel_, false, pressed_ == 2, false);
}

void FileBox::choose() {
    if (!saving_ && selected_ >= 0) {
        name = files_[static_cast<std::size_t>(selected_)].name;
    }
    if (name.empty()) {
        return;
    }
    done = true;
    endCode = 1;
}

void FileBox::mouseDown(int x, int y, InputEvent::Button b) {
    if (b != InputEvent::Button::Left) {
        return;
    }
    const int cx = x - clientLeft();
    const int cy = y - clientTop();
    pressed_ = ok_.contains(cx, cy) ? 1 : cancel_.contains(cx, cy) ? 2 : 0;
    const int row = rowAt(x, y);
    if (row >= 0) {
        selected_ = row;
        if (saving_) {
            name = files_[static_cast<std::size_t>(row)].name;
        }
    }
}

void FileBox::mouseUp(int x, int y, InputEvent::Button b) {
    if (b != InputEvent::Button::Left) {
        return;
    }
    if (BoxChrome::onCloseBox(left, top, width, x, y)) {
        done = true;
        return;
    }
    const int cx = x - clientLeft();
    const int cy = y - clientTop();
    if (pressed_ == 1 && ok_.contains(cx, cy)) {
        choose();
    } else if (pressed_ == 2 && cancel_.contains(cx, cy)) {
        done = true;
    }
    pressed_ = 0;
}

void FileBox::keyDown(const InputEvent& key) {
    const int n = static_cast<int>(files_.size());
    switch (key.key) {
        case KeyCode::Enter:
            choose();
            break;
        case KeyCode::Escape:
            done = true;
            break;
        case KeyCode::Up:
        case KeyCode::Down:
            if (n > 0) {
                selected_ = key.key == KeyCode::Up ? std::max(0, selected_ - 1)
                                                   : std::min(n - 1, selected_ + 1);
                firstRow_ = std::clamp(firstRow_, selected_ - kFileRows + 1, selected_);
                if (saving_) {
                    name = files_[static_cast<std::size_t>(selected_)].name;
                }
            }
            break;
        case KeyCode::Backspace:
            if (saving_ && !name.empty()) {
                name.pop_back();
            }
            break;
        default:
            break;
    }
}

void FileBox::text(char c) {
    if (!saving_) {
        return;
    }
    // Names stay plain: letters, digits and a few marks; no folders.
    const unsigned char u = static_cast<unsigned char>(c);
    if ((std::isalnum(u) != 0 || c == ' ' || c == '-' || c == '_' || c == '.' || c == '(' ||
         c == ')') &&
        name.size() < 60) {
        name += c;
        selected_ = -1;
    }
}

}  // namespace tessarion
