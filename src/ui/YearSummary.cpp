#include "ui/YearSummary.h"

#include "game/Game.h"
#include "model/YearRecord.h"
#include "ui/EndTurnButton.h"
#include "ui/Font.h"
#include "ui/Language.h"
#include "ui/Screen.h"

namespace tessarion {

// Clear of the End turn button above it, and inside the rows every screen
// shows, the shortest included.
static_assert(YearSummary::kTop >= EndTurnButton::kTop + EndTurnButton::kHeight + 2);
static_assert(YearSummary::kBottom <= Screen::kMinLayoutHeight);

int YearSummary::textTop() {
    return kTop + (kBottom - kTop - defaultFont().height()) / 2;
}

std::string YearSummary::text(Game& game) {
    return game.lastYear.empty() ? std::string() : summariseYear(game.lastYear, game, wording());
}

void YearSummary::draw(Screen& screen, Surface& target) {
    std::string line = text(screen.game());
    if (line.empty()) {
        return;
    }
    Font& font = defaultFont();
    const int room = kRight - kLeft;
    // A year of many losses is cut short rather than run under the parchment;
    // the report has it all.
    const double scale = target.scale();
    line = cutToWidth(font, line, room, scale);
    const TextStyle saved = target.text;
    target.text = {kColour, kBlack, false};
    const int x = screen.x(kLeft);
    const int y = textTop();
    const TextRoom strip(target, x, x + room);
    target.drawText(x, y, line);
    const std::string hint = tr(kHint);
    const int lineWidth = pointWidth(font, line, scale);
    if (lineWidth + pointWidth(font, hint, scale) <= room) {
        target.text.colour = EndTurnButton::kHintColour;
        target.drawText(x + lineWidth, y, hint);
    }
    target.text = saved;
}

bool YearSummary::contains(Game& game, int clientX, int clientY, int layoutOffsetX) {
    const int x = clientX - layoutOffsetX;
    return !game.lastYear.empty() && x >= kLeft && x < kRight && clientY >= kTop &&
           clientY < kBottom;
}

}  // namespace tessarion
