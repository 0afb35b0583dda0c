#include "ui/LegionDrawing.h"
#include "ui/Layout.h"

#include <algorithm>
#include <cstdio>

#include "engine/Orders.h"
#include "game/Game.h"
#include "model/InternalError.h"
#include "ui/Font.h"
#include "ui/Language.h"
#include "ui/MapColours.h"
#include "ui/Screen.h"

namespace tessarion {

namespace {

const Sprite& iconSprite(const Screen& screen, int icon) {
    const Pictures& p = screen.pictures;
    const bool clear = screen.colours() == ColourScheme::ColourBlind;
    switch (icon) {
        case kIconRoman:
            return clear ? p.romanLegionColourBlind : p.romanLegion;
        case kIconBarbarian:
            return clear ? p.barbarianLegionColourBlind : p.barbarianLegion;
        case kIconSassanid:
            return clear ? p.sassanidLegionColourBlind : p.sassanidLegion;
        case kIconRebel:
            return clear ? p.rebelLegionColourBlind : p.rebelLegion;
        case kIconRomanMoved:
            return clear ? p.romanLegionMovedColourBlind : p.romanLegionMoved;
        default:
            throw InternalError("drawLegion() can't draw unsupported icon");
    }
}

// In the colour-blind map each legion wears its land's colour, so on its own
// land it needs a dark line around it to stand out.
void drawOutline(Surface& target, const Sprite& sprite, int x, int y) {
    const Mask& mask = sprite.mask;
    const int w = std::min(sprite.width, mask.width());
    const int h = std::min(sprite.height, mask.height());
    const auto shown = [&](int px, int py) {
        return px >= 0 && py >= 0 && px < w && py < h && mask.at(px, py) == 0;
    };
    for (int py = -1; py <= h; ++py) {
        for (int px = -1; px <= w; ++px) {
            if (!shown(px, py) && (shown(px - 1, py) || shown(px + 1, py) || shown(px, py - 1) ||
                                   shown(px, py + 1))) {
                target.fillRect(x + px, y + py, x + px + 1, y + py + 1, kLegionOutline);
            }
        }
    }
}

// The colour-blind legend shows beside each legion the colour its land takes:
// a framed swatch of it.
void drawLandSwatch(Surface& s, int x, int y, std::uint32_t colour) {
    s.fillRect(x, y, x + 28, y + 20, colour);
    s.drawFrame(x - 1, y - 1, x + 29, y + 21, kWhite);
}

}  // namespace

void drawLegion(Screen& screen, Surface& target, int x, int y, int icon, int count) {
    char text[80];
    std::snprintf(text, sizeof text, "%d", count);
    const int wx = layout::windowXOfMap(x, screen.layoutOffsetX);
    const int wy = layout::windowYOfMap(y);
    const Sprite& sprite = iconSprite(screen, icon);
    if (screen.colours() == ColourScheme::ColourBlind) {
        drawOutline(target, sprite, wx, wy);
    }
    sprite.drawTransparent(target, wx, wy);
    if (count != 0) {
        // The text background stays as the window keeps it, opaque white: the
        // number stands in a small white box.
        target.text.colour = kBlack;
        // Armenia's box runs past the map's right edge: a count that would leave the map
        // stands on the icon's left instead.
        const int width = defaultFont().width(text);
        const int mapRight = layout::windowXOfMap(kMapWidth, screen.layoutOffsetX);
        const int textX = wx + 40 + width > mapRight ? wx - width - 2 : wx + 40;
        target.drawText(textX, wy + 25, text);
    }
}

void drawLegions(Screen& screen) {
    Game& game = screen.game();
    for (const auto& slot : game.provinces) {
        const Province* province = slot.get();
        auto draw = [&](int icon, int count) {
            const int y = legionY(*province);
            const int x = legionX(*province);
            drawLegion(screen, screen.window, x, y, icon, count);
        };
        if (const int n = game.romans.legionsIn(province); n > 0) {
            draw(hasUnmovedLegionIn(game.romans, province) ? kIconRoman : kIconRomanMoved, n);
        }
        if (const int n = game.barbarians.legionsIn(province); n > 0) {
            draw(kIconBarbarian, n);
        }
        if (const int n = game.sassanids.legionsIn(province); n > 0) {
            draw(kIconSassanid, n);
        }
        if (const int n = game.rogueRomans.legionsIn(province); n > 0) {
            draw(kIconRebel, n);
        }
    }
}

void drawMapFrame(Screen& screen, Surface& s) {
    // Drawn after the legions, over any icon that reaches it.
    const int o = screen.layoutOffsetX;
    s.drawLine(o + 175, 25, o + 175, 583, kWhite);
    s.drawLine(o + 175, 583, o + 985, 583, kWhite);
    s.drawLine(o + 985, 25, o + 985, 583, kWhite);
    s.drawLine(o + 175, 25, o + 985, 25, kWhite);
}

// From the note's left edge to the map's frame, less a hair.
constexpr int kLegendTextRoom = 175 - 10 - 2;

namespace {

// A name under its icon: where it has always stood, or where a language's
// longer name needs it, from the column's edge and over as many lines as it takes.
void legendLabel(Surface& s, int o, int x, int y, const std::string& name) {
    constexpr int kEdge = 4;
    if (x + pointWidth(defaultFont(), name, s.scale()) <= 10 + kLegendTextRoom) {
        s.drawText(o + x, y, name);
        return;
    }
    for (const std::string& line :
         wrapToWidth(defaultFont(), name, 10 + kLegendTextRoom - kEdge, s.scale())) {
        s.drawText(o + kEdge, y, line);
        y += defaultFont().height();
    }
}

}  // namespace

void drawLegend(Screen& screen, Surface& s) {
    const int o = screen.layoutOffsetX;
    const TextStyle saved = s.text;
    s.text = {kWhite, kBlack, false};
    const TextRoom column(s, o, o + 10 + kLegendTextRoom);
    const Pictures& p = screen.pictures;
    iconSprite(screen, kIconRoman).drawTransparent(s, o + 50, 110);
    legendLabel(s, o, 20, 180, tr("Roman Legion"));
    iconSprite(screen, kIconBarbarian).drawTransparent(s, o + 50, 210);
    legendLabel(s, o, 30, 270, tr("Barbarians"));
    iconSprite(screen, kIconSassanid).drawTransparent(s, o + 50, 300);
    legendLabel(s, o, 20, 370, tr("Sassanids"));
    iconSprite(screen, kIconRebel).drawTransparent(s, o + 50, 410);
    legendLabel(s, o, 20, 475, tr("Rebelling Legion"));
    if (screen.colours() == ColourScheme::ColourBlind) {
        drawLandSwatch(s, o + 110, 135, colourBlindColour(Ground::Roman));
        drawLandSwatch(s, o + 110, 230, colourBlindColour(Ground::Germanic));
        drawLandSwatch(s, o + 110, 320, colourBlindColour(Ground::Persian));
        drawLandSwatch(s, o + 110, 435, colourBlindColour(Ground::Plain));
    }
    // The note under the legend, a line every 20 points, kept off the map.
    const std::string note =
        tr("The number next to an\nicon indicates how many\nlegions are in that\nprovince");
    // Its lines as written where they fit; otherwise one paragraph, wrapped.
    std::vector<std::string> lines = wrapToWidth(defaultFont(), note, kLegendTextRoom, s.scale());
    if (lines.size() > static_cast<std::size_t>(std::count(note.begin(), note.end(), '\n')) + 1) {
        std::string paragraph = note;
        std::replace(paragraph.begin(), paragraph.end(), '\n', ' ');
        lines = wrapToWidth(defaultFont(), paragraph, kLegendTextRoom, s.scale());
    }
    int y = 530;
    for (const std::string& line : lines) {
        s.drawText(o + 10, y, line);
        y += 20;
    }
    p.legendTitle.draw(s, o + 0, 40);
    s.text = saved;
}

}  // namespace tessarion
