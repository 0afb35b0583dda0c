#include "ui/YearSummary.h"

#include "game/Game.h"
#include "model/YearRecord.h"
#include "ui/EndTurnButton.h"
#include "ui/Font.h"
#include "ui/Screen.h"

namespace tessarion {

std::string YearSummary::text(Game& game) {
    return game.lastYear.empty() ? std::string() : summariseYear(game.lastYear, game);
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
    if (font.width(line) > room) {
        while (!line.empty() && font.width(line + "...") > room) {
            line.pop_back();
        }
        line += "...";
    }
    const TextStyle saved = target.text;
    target.text = {kColour, kBlack, false};
    const int x = screen.x(kLeft);
    const int y = kTop + (kBottom - kTop - font.height()) / 2;
    target.drawText(x, y, line);
    if (font.width(line) + font.width(kHint) <= room) {
        target.text.colour = EndTurnButton::kHintColour;
        target.drawText(x + font.width(line), y, kHint);
    }
    target.text = saved;
}

bool YearSummary::contains(Game& game, int clientX, int clientY, int layoutOffsetX) {
    const int x = clientX - layoutOffsetX;
    return !game.lastYear.empty() && x >= kLeft && x < kRight && clientY >= kTop &&
           clientY < kBottom;
}

}  // namespace tessarion
