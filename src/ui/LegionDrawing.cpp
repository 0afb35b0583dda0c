#include "ui/LegionDrawing.h"
#include "ui/Layout.h"

#include <cstdio>

#include "engine/Orders.h"
#include "game/Game.h"
#include "model/InternalError.h"
#include "ui/Font.h"
#include "ui/Screen.h"

namespace tessarion {

namespace {

const Sprite& iconSprite(const Pictures& pictures, int icon) {
    switch (icon) {
        case kIconRoman:
            return pictures.romanLegion;
        case kIconBarbarian:
            return pictures.barbarianLegion;
        case kIconSassanid:
            return pictures.sassanidLegion;
        case kIconRebel:
            return pictures.rebelLegion;
        case kIconRomanMoved:
            return pictures.romanLegionMoved;
        default:
            throw InternalError("drawLegion() can't draw unsupported icon");
    }
}

}  // namespace

void drawLegion(Screen& screen, Surface& target, int x, int y, int icon, int count) {
    char text[80];
    std::snprintf(text, sizeof text, "%d", count);
    const int wx = layout::windowXOfMap(x, screen.layoutOffsetX);
    const int wy = layout::windowYOfMap(y);
    iconSprite(screen.pictures, icon).drawTransparent(target, wx, wy);
    if (count != 0) {
        // The background stays as the back buffer keeps it, opaque white: the
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
            drawLegion(screen, screen.backBuffer, x, y, icon, count);
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

void drawLegend(Screen& screen, Surface& s) {
    const int o = screen.layoutOffsetX;
    const TextStyle saved = s.text;
    s.text = {kWhite, kBlack, false};
    const Pictures& p = screen.pictures;
    p.romanLegion.drawTransparent(s, o + 50, 110);
    s.drawText(o + 20, 180, "Roman Legion");
    p.barbarianLegion.drawTransparent(s, o + 50, 210);
    s.drawText(o + 30, 270, "Barbarians");
    p.sassanidLegion.drawTransparent(s, o + 50, 300);
    s.drawText(o + 20, 370, "Sassanids");
    p.rebelLegion.drawTransparent(s, o + 50, 410);
    s.drawText(o + 20, 475, "Rebelling Legion");
    s.drawText(o + 10, 530, "The number next to an");
    s.drawText(o + 10, 550, "icon indicates how many");
    s.drawText(o + 10, 570, "legions are in that");
    s.drawText(o + 10, 590, "province");
    p.legendTitle.draw(s, o + 0, 40);
    s.text = saved;
}

}  // namespace tessarion
