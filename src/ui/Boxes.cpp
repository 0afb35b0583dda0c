#include "ui/Boxes.h"

#include <algorithm>

#include "PictureManifest.h"
#include "ui/Font.h"
#include "ui/Graphic.h"

namespace tessarion {

namespace {

constexpr std::uint32_t kFrameColour = 0xFF5A4632;
constexpr std::uint32_t kCaptionColour = 0xFF7A2A1E;
constexpr std::uint32_t kBodyColour = 0xFFF1E6CC;
constexpr std::uint32_t kButtonColour = 0xFFE2D3B0;
constexpr std::uint32_t kButtonPressed = 0xFFC9B68C;
constexpr std::uint32_t kShadowColour = 0xFF8C7A5C;
constexpr std::uint32_t kInkColour = 0xFF1C1710;
constexpr std::uint32_t kDamagedColour = 0xFF9A2414;
constexpr std::uint32_t kCaptionBandColour = 0xFF16100B;
constexpr std::uint32_t kSelectionColour = 0xFF7A2A1E;

int lineHeight() {
    return defaultFont().height();
}

void drawTextIn(Surface& s, int x, int y, const std::string& text, std::uint32_t colour) {
    const TextStyle saved = s.text;
    s.text = {colour, kWhite, false};
    s.drawText(x, y, text);
    s.text = saved;
}

void drawButton(Surface& s, int cx, int cy, const BoxButton& b, bool focused, bool pressed,
                bool isDefault) {
    const int x = cx + b.x;
    const int y = cy + b.y;
    s.fillRect(x, y, x + b.w, y + b.h, pressed ? kButtonPressed : kButtonColour);
    s.drawFrame(x, y, x + b.w, y + b.h, isDefault ? kInkColour : kShadowColour);
    if (isDefault) {
        s.drawFrame(x + 1, y + 1, x + b.w - 1, y + b.h - 1, kShadowColour);
    }
    Font& font = defaultFont();
    const int tx = x + (b.w - font.width(b.label)) / 2 + (pressed ? 1 : 0);
    const int ty = y + (b.h - font.height()) / 2 + (pressed ? 1 : 0);
    drawTextIn(s, tx, ty, b.label, kInkColour);
    if (focused) {
        // A dotted focus ring inside the button.
        for (int i = x + 4; i < x + b.w - 4; i += 2) {
            s.setPixel(i, y + 4, kInkColour);
            s.setPixel(i, y + b.h - 5, kInkColour);
        }
        for (int j = y + 4; j < y + b.h - 4; j += 2) {
            s.setPixel(x + 4, j, kInkColour);
            s.setPixel(x + b.w - 5, j, kInkColour);
        }
    }
}

bool isClose(const InputEvent& key) {
    return key.key == KeyCode::Enter || key.key == KeyCode::Escape;
}

}  // namespace

int dluX(int units) {
    // A dialog unit is a quarter of the font's average character width, taken
    // a little wider here so that the longest lines of the Prefect's texts fit
    // their box without scrolling.
    static const int average = [] {
        const std::string sample = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";
        return defaultFont().width(sample) * 108 / static_cast<int>(sample.size());
    }();
    return units * average / 400;
}

int dluY(int units) {
    return units * defaultFont().height() / 8;
}

void darken(Surface& s, int left, int top, int right, int bottom) {
    left = std::max(left, 0);
    top = std::max(top, 0);
    right = std::min(right, s.width());
    bottom = std::min(bottom, s.height());
    for (int y = top; y < bottom; ++y) {
        std::uint32_t* row = s.row(y);
        for (int x = left; x < right; ++x) {
            row[x] = 0xFF000000 | ((row[x] >> 3) & 0x1F1F1F);
        }
    }
}

std::vector<std::string> splitLines(const std::string& text) {
    std::vector<std::string> lines(1);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
                ++i;
            }
            lines.emplace_back();
        } else {
            lines.back() += c;
        }
    }
    return lines;
}

void BoxChrome::draw(Surface& s, int left, int top, int width, int height, const std::string& title,
                     bool closeBox, std::uint32_t fill) {
    // A soft shadow, the frame, the caption bar.
    s.fillRect(left + 4, top + height, left + width + 4, top + height + 4, 0xFF201810);
    s.fillRect(left + width, top + 4, left + width + 4, top + height, 0xFF201810);
    s.fillRect(left, top, left + width, top + height, kFrameColour);
    s.fillRect(left + kBorder, top + kBorder, left + width - kBorder, top + kBorder + kCaption,
               kCaptionColour);
    s.fillRect(left + kBorder, top + kBorder + kCaption, left + width - kBorder,
               top + height - kBorder, fill);
    if (!title.empty()) {
        drawTextIn(s, left + kBorder + 8, top + kBorder + (kCaption - defaultFont().height()) / 2,
                   title, kWhite);
    }
    if (closeBox) {
        const int x = left + width - kBorder - 22;
        const int y = top + kBorder + 3;
        s.drawFrame(x, y, x + 18, y + 18, 0xFFE8C9A0);
        for (int t = 0; t < 2; ++t) {
            s.drawLine(x + 5 + t, y + 5, x + 13 + t, y + 13, kWhite);
            s.drawLine(x + 13 + t, y + 5, x + 5 + t, y + 13, kWhite);
        }
    }
}

bool BoxChrome::onCloseBox(int left, int top, int width, int x, int y) {
    const int bx = left + width - kBorder - 22;
    const int by = top + kBorder + 3;
    return x >= bx && x < bx + 18 && y >= by && y < by + 18;
}

// The advisor's boxes.

AdvisorBox::AdvisorBox(Kind kind, std::string text, int screenWidth, int screenHeight,
                       const Graphic* portrait)
    : kind_(kind), lines_(splitLines(text)), portrait_(portrait) {
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
        buttons_.push_back({kOk, "OK", dluX(123), dluY(75), dluX(50), dluY(14)});
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
        buttons_.push_back({kYes, "Yes", dluX(16), dluY(68), dluX(50), dluY(14)});
        buttons_.push_back({kNo, "No", dluX(197), dluY(70), dluX(50), dluY(14)});
        focus_ = kYes;
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
        widest = std::max(widest, defaultFont().width(l));
    }
    return widest;
}

void AdvisorBox::draw(Surface& s) const {
    BoxChrome::draw(s, left, top, width, height, kTitle, true, kBodyColour);
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
    Surface field(textW_, textH_, kWhite);
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
    // Escape and the close box arrive as id 2: they end a message, never a question.
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

// The plain message box.

AlertBox::AlertBox(std::string caption, std::string text, int screenWidth, int screenHeight,
                   bool question)
    : caption_(std::move(caption)), lines_(splitLines(text)) {
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
        buttons_ = {{kYes, "Yes", clientW / 2 - 88 - 8, buttonY, 88, 28},
                    {kNo, "No", clientW / 2 + 8, buttonY, 88, 28}};
    } else {
        buttons_ = {{1, "OK", (clientW - 88) / 2, buttonY, 88, 28}};
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

// Pictures in boxes: splash, About, Results.

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

// The lesson box.

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

// Choosing a saved game.

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
    ok_ = {1, saving ? "Save" : "Load", 440 - 2 * 96 - 16, buttonsY, 88, 28};
    cancel_ = {2, "Cancel", 440 - 96 - 8, buttonsY, 88, 28};
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
    BoxChrome::draw(s, left, top, width, height, saving_ ? "Save the game" : "Load a saved game",
                    true, kBodyColour);
    const int cx = clientLeft();
    const int cy = clientTop();
    drawTextIn(
        s, cx + 12, cy + 10,
        saving_ ? "Saved games (Tessarion Files, .TSN):" : "Choose a saved game:", kInkColour);
    const int listH = kFileRows * lineHeight();
    s.fillRect(cx + 12, cy + kListTop, cx + 440 - 12, cy + kListTop + listH, kWhite);
    s.drawFrame(cx + 11, cy + kListTop - 1, cx + 440 - 11, cy + kListTop + listH + 1,
                kShadowColour);
    if (files_.empty()) {
        drawTextIn(s, cx + 18, cy + kListTop + 2, "(no saved games yet)", kShadowColour);
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
        drawTextIn(s, cx + 12, y + 4, "Name:", kInkColour);
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
