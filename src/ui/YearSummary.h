#pragma once

#include <string>

#include "model/Wording.h"
#include "ui/Surface.h"

namespace tessarion {

class Game;
class Screen;

// The line under the End turn button that tells, once the computer's turn is
// over, what the year did: battles, provinces, legions, treasury. A click or
// a tap on it, or its key, opens the year's report. Positions are layout
// points of the 1366-wide layout, before the offset that centres it.
struct YearSummary {
    // Below the End turn button and above the layout's last row, from the
    // province line's left to the parchment, so that a long year still fits.
    static constexpr int kLeft = 185;
    static constexpr int kTop = 654;
    static constexpr int kRight = 978;
    static constexpr int kBottom = 672;
    static constexpr char kKey = 'y';
    static constexpr const char* kHint = N_("  (Y or click: the year's report)");
    static constexpr std::uint32_t kColour = 0xFFF0DCA8;

    // Where its text's cell stands.
    static int textTop();
    // What the line says: the last year closed, or nothing before the first.
    static std::string text(Game& game);
    // Drawn on the window at each paint.
    static void draw(Screen& screen, Surface& target);
    // Whether a client point is on the line while it shows something.
    static bool contains(Game& game, int clientX, int clientY, int layoutOffsetX);
};

}  // namespace tessarion
