#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/Platform.h"
#include "ui/Surface.h"

namespace tessarion {

// Dialog units of the boxes' templates become pixels by the font, as on a
// desktop whose dialogs scale with their font.
int dluX(int units);
int dluY(int units);

// The frame every captioned box shares: border, caption bar, close box.
struct BoxChrome {
    static constexpr int kBorder = 2;
    static constexpr int kCaption = 24;
    // Draws the frame and caption; the client area is filled with `fill`.
    static void draw(Surface& target, int left, int top, int width, int height,
                     const std::string& title, bool closeBox, std::uint32_t fill);
    static bool onCloseBox(int left, int top, int width, int x, int y);
};

// A push button of a box.
struct BoxButton {
    int id = 0;
    std::string label;
    int x = 0;  // relative to the client area
    int y = 0;
    int w = 0;
    int h = 0;
    bool contains(int px, int py) const { return px >= x && px < x + w && py >= y && py < y + h; }
};

// What the boxes share beyond the frame: their colours and the drawing of
// their text and buttons.
namespace box {
inline constexpr std::uint32_t kFrameColour = 0xFF5A4632;
inline constexpr std::uint32_t kCaptionColour = 0xFF7A2A1E;
inline constexpr std::uint32_t kBodyColour = 0xFFF1E6CC;
inline constexpr std::uint32_t kButtonColour = 0xFFE2D3B0;
inline constexpr std::uint32_t kButtonPressed = 0xFFC9B68C;
inline constexpr std::uint32_t kShadowColour = 0xFF8C7A5C;
inline constexpr std::uint32_t kInkColour = 0xFF1C1710;
inline constexpr std::uint32_t kDamagedColour = 0xFF9A2414;
inline constexpr std::uint32_t kCaptionBandColour = 0xFF16100B;
inline constexpr std::uint32_t kSelectionColour = 0xFF7A2A1E;

int lineHeight();
void drawTextIn(Surface& s, int x, int y, const std::string& text, std::uint32_t colour);
void drawButton(Surface& s, int cx, int cy, const BoxButton& b, bool focused, bool pressed,
                bool isDefault);
// Enter or Escape, which close the boxes that only show something.
bool isClose(const InputEvent& key);
}  // namespace box

// Darkens a rectangle of the surface so that light text reads on it.
void darken(Surface& s, int left, int top, int right, int bottom);

// Splits a text at its line breaks (CR LF, or a lone LF or CR).
std::vector<std::string> splitLines(const std::string& text);

}  // namespace tessarion
