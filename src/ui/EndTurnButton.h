#pragma once

#include <cstdint>

#include "model/Wording.h"
#include "ui/Surface.h"

namespace tessarion {

// The button under the map that ends the turn: the way for a finger, a pen or
// a one-button mouse. The hint beside it names the right click and the key.
// Positions are client coordinates of the 1366-wide layout, before the offset
// that centres it on a wider window.
struct EndTurnButton {
    static constexpr int kLeft = 630;
    static constexpr int kTop = 625;
    static constexpr int kWidth = 92;
    static constexpr int kHeight = 26;
    static constexpr const char* kLabel = N_("End turn");
    static constexpr const char* kHint = N_("or right click, or press E");
    // While the game plays out an order or the other powers' year: the
    // button greyed, and nothing it does until the player has the game back.
    static constexpr const char* kBusyLabel = N_("Please wait");
    static constexpr const char* kBusyHint = N_("the computer is moving");
    // The key that ends the turn; no box closes on it, so a second press
    // meant for a box cannot end a turn.
    static constexpr char kKey = 'e';
    // The colours of the boxes' buttons, so that it reads as one of them.
    static constexpr std::uint32_t kFace = 0xFFE2D3B0;
    static constexpr std::uint32_t kFacePressed = 0xFFC9B68C;
    static constexpr std::uint32_t kHintColour = 0xFFBFB5A0;
    static constexpr std::uint32_t kFaceBusy = 0xFF8E8A82;
    static constexpr std::uint32_t kInkBusy = 0xFF2E2C28;
    // The face at `scale`: kWidth points, or wider where a label in the
    // player's language (held to the least legible size) needs it.
    static int width(double scale);
    // Where the label and the hint stand.
    static int textTop();
    static int hintLeft(double scale) { return kLeft + width(scale) + 10; }
    // The hint ends where the map's frame does.
    static constexpr int kHintRight = 985;

    static bool contains(int clientX, int clientY, int layoutOffsetX, double scale) {
        const int x = clientX - layoutOffsetX;
        return x >= kLeft && x < kLeft + width(scale) && clientY >= kTop &&
               clientY < kTop + kHeight;
    }
    // Drawn straight on the window, over whatever the screen painted there.
    static void draw(Surface& target, int layoutOffsetX, bool pressed, bool busy = false);
};

}  // namespace tessarion
