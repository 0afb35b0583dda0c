#include "ui/BoxChrome.h"

#include <algorithm>

#include "ui/Font.h"

namespace tessarion {

namespace box {

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
    const int tx = x + (b.w - pointWidth(font, b.label, s.scale())) / 2 + (pressed ? 1 : 0);
    const int ty = y + (b.h - font.height()) / 2 + (pressed ? 1 : 0);
    {
        const TextRoom face(s, x + 1, x + b.w - 1);
        drawTextIn(s, tx, ty, b.label, kInkColour);
    }
    if (focused) {
        // A dotted focus ring four points inside the button, a dot every
        // other pixel of the surface's own.
        const int left = s.toPixels(x + 4);
        const int top = s.toPixels(y + 4);
        const int right = s.toPixels(x + b.w - 4) - 1;
        const int bottom = s.toPixels(y + b.h - 4) - 1;
        for (int i = left; i <= right; i += 2) {
            s.setPixel(i, top, kInkColour);
            s.setPixel(i, bottom, kInkColour);
        }
        for (int j = top; j <= bottom; j += 2) {
            s.setPixel(left, j, kInkColour);
            s.setPixel(right, j, kInkColour);
        }
    }
}

bool isClose(const InputEvent& key) {
    return key.key == KeyCode::Enter || key.key == KeyCode::Escape;
}

}  // namespace box

using namespace box;

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
    // Pixel by pixel, at the surface's own.
    left = std::max(s.toPixels(left), 0);
    top = std::max(s.toPixels(top), 0);
    right = std::min(s.toPixels(right), s.pixelWidth());
    bottom = std::min(s.toPixels(bottom), s.pixelHeight());
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
        const TextRoom caption(s, left + kBorder, left + width - kBorder - (closeBox ? 22 : 0));
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

}  // namespace tessarion
