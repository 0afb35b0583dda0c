#include "ui/EndTurnButton.h"

#include "ui/Font.h"

namespace tessarion {

namespace {

constexpr std::uint32_t kShadow = 0xFF8C7A5C;
constexpr std::uint32_t kInk = 0xFF1C1710;

void write(Surface& s, int x, int y, const char* text, std::uint32_t colour) {
    const TextStyle saved = s.text;
    s.text = {colour, kBlack, false};
    s.drawText(x, y, text);
    s.text = saved;
}

}  // namespace

int EndTurnButton::textTop() {
    return kTop + (kHeight - defaultFont().height()) / 2;
}

void EndTurnButton::draw(Surface& s, int layoutOffsetX, bool pressed) {
    const int x = kLeft + layoutOffsetX;
    const int y = kTop;
    // Black around it first: the text it replaces may still stand there.
    s.fillRect(x - 2, y - 2, x + kWidth + 2, y + kHeight + 2, kBlack);
    s.fillRect(x, y, x + kWidth, y + kHeight, pressed ? kFacePressed : kFace);
    s.drawFrame(x - 1, y - 1, x + kWidth + 1, y + kHeight + 1, kWhite);
    s.drawFrame(x, y, x + kWidth, y + kHeight, kInk);
    s.drawFrame(x + 1, y + 1, x + kWidth - 1, y + kHeight - 1, kShadow);
    Font& font = defaultFont();
    const int shift = pressed ? 1 : 0;
    write(s, x + (kWidth - font.width(kLabel)) / 2 + shift, textTop() + shift, kLabel, kInk);
    write(s, hintLeft() + layoutOffsetX, textTop(), kHint, kHintColour);
}

}  // namespace tessarion
