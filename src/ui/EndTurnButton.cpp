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

int EndTurnButton::width(double scale) {
    constexpr int kMargin = 6;  // each side of the label
    Font& font = defaultFont();
    return std::max({kWidth, pointWidth(font, tr(kLabel), scale) + 2 * kMargin,
                     pointWidth(font, tr(kBusyLabel), scale) + 2 * kMargin});
}

int EndTurnButton::textTop() {
    return kTop + (kHeight - defaultFont().height()) / 2;
}

void EndTurnButton::draw(Surface& s, int layoutOffsetX, bool pressed, bool busy) {
    const double scale = s.scale();
    const int x = kLeft + layoutOffsetX;
    const int y = kTop;
    const int w = width(scale);
    Font& font = defaultFont();
    // Black around it first: the text it replaces may still stand there, and
    // the two hints differ in length.
    s.fillRect(x - 2, y - 2, x + w + 2, y + kHeight + 2, kBlack);
    const int hintX = hintLeft(scale) + layoutOffsetX;
    const int hintRoom = kHintRight - hintLeft(scale);
    const int hintWidth = std::min(
        std::max(pointWidth(font, tr(kHint), scale), pointWidth(font, tr(kBusyHint), scale)),
        hintRoom);
    s.fillRect(hintX, textTop(), hintX + hintWidth + 2, textTop() + font.height(), kBlack);
    pressed = pressed && !busy;
    s.fillRect(x, y, x + w, y + kHeight, busy ? kFaceBusy : pressed ? kFacePressed : kFace);
    s.drawFrame(x - 1, y - 1, x + w + 1, y + kHeight + 1, busy ? kShadow : kWhite);
    s.drawFrame(x, y, x + w, y + kHeight, kInk);
    s.drawFrame(x + 1, y + 1, x + w - 1, y + kHeight - 1, kShadow);
    const int shift = pressed ? 1 : 0;
    const std::string label = tr(busy ? kBusyLabel : kLabel);
    {
        const TextRoom face(s, x + 2, x + w - 2);
        write(s, x + (w - pointWidth(font, label, scale)) / 2 + shift, textTop() + shift, label,
              busy ? kInkBusy : kInk);
    }
    // The hint is a help, not a need: cut where the map's frame ends.
    const TextRoom hint(s, hintX, hintX + hintRoom);
    write(s, hintX, textTop(), cutToWidth(font, tr(busy ? kBusyHint : kHint), hintRoom, scale),
          kHintColour);
}

}  // namespace tessarion
