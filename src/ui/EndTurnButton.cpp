#include "ui/EndTurnButton.h"

#include <algorithm>

#include "ui/Font.h"
#include "ui/Language.h"

namespace tessarion {

namespace {

constexpr std::uint32_t kShadow = 0xFF8C7A5C;
constexpr std::uint32_t kInk = 0xFF1C1710;

void write(Surface& s, int x, int y, const std::string& text, std::uint32_t colour) {
    const TextStyle saved = s.text;
    s.text = {colour, kBlack, false};
    s.drawText(x, y, text);
    s.text = saved;
}

}  // namespace

int EndTurnButton::textTop() {
    return kTop + (kHeight - defaultFont().height()) / 2;
}

void EndTurnButton::draw(Surface& s, int layoutOffsetX, bool pressed, bool busy) {
    const int x = kLeft + layoutOffsetX;
    const int y = kTop;
    Font& font = defaultFont();
    // Black around it first: the text it replaces may still stand there, and
    // the two hints differ in length.
    s.fillRect(x - 2, y - 2, x + kWidth + 2, y + kHeight + 2, kBlack);
    const int hintX = hintLeft() + layoutOffsetX;
    const int hintWidth = std::min(std::max(font.width(tr(kHint)), font.width(tr(kBusyHint))),
                                   kHintRight - hintLeft());
    s.fillRect(hintX, textTop(), hintX + hintWidth + 2, textTop() + font.height(), kBlack);
    pressed = pressed && !busy;
    s.fillRect(x, y, x + kWidth, y + kHeight, busy ? kFaceBusy : pressed ? kFacePressed : kFace);
    s.drawFrame(x - 1, y - 1, x + kWidth + 1, y + kHeight + 1, busy ? kShadow : kWhite);
    s.drawFrame(x, y, x + kWidth, y + kHeight, kInk);
    s.drawFrame(x + 1, y + 1, x + kWidth - 1, y + kHeight - 1, kShadow);
    const int shift = pressed ? 1 : 0;
    const std::string label = tr(busy ? kBusyLabel : kLabel);
    write(s, x + (kWidth - font.width(label)) / 2 + shift, textTop() + shift, label,
          busy ? kInkBusy : kInk);
    // The hint is a help, not a need: cut where the map's frame ends.
    write(s, hintX, textTop(),
          cutToWidth(font, tr(busy ? kBusyHint : kHint), kHintRight - hintLeft(), s.scale()),
          kHintColour);
}

}  // namespace tessarion
