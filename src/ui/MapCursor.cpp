#include "ui/MapCursor.h"

#include <cstdlib>
#include <limits>

#include "game/Game.h"
#include "model/Province.h"
#include "ui/Layout.h"
#include "ui/Surface.h"

namespace tessarion {

namespace {

// The middle of a province's legion box, which is where the player looks.
constexpr int kBoxWidth = 74;
constexpr int kBoxHeight = 60;

struct Centre {
    int x;
    int y;
};

Centre centreOf(const Province& p) {
    return {legionX(p) + kBoxWidth / 2, legionY(p) + kBoxHeight / 2};
}

constexpr std::uint32_t kGold = 0xFFFFC832;

void frame(Surface& s, int left, int top, int right, int bottom, int thickness,
           std::uint32_t colour) {
    for (int i = 0; i < thickness; ++i) {
        s.drawFrame(left + i, top + i, right - i, bottom - i, colour);
    }
}

void markBox(Surface& s, int layoutOffsetX, const Province& p, int grow, std::uint32_t colour) {
    const int left = layout::windowXOfMap(legionX(p), layoutOffsetX) - grow;
    const int top = layout::windowYOfMap(legionY(p)) - grow;
    const int right = left + kBoxWidth + 2 * grow;
    const int bottom = top + kBoxHeight + 2 * grow;
    frame(s, left - 1, top - 1, right + 1, bottom + 1, 1, kBlack);
    frame(s, left, top, right, bottom, 3, colour);
    frame(s, left + 3, top + 3, right - 3, bottom - 3, 1, kBlack);
}

}  // namespace

Province* provinceToward(Game& game, const Province& from, Heading heading) {
    const Centre a = centreOf(from);
    Province* best = nullptr;
    long bestScore = std::numeric_limits<long>::max();
    for (auto& slot : game.provinces) {
        Province* p = slot.get();
        if (p == &from) {
            continue;
        }
        const Centre b = centreOf(*p);
        const int dx = b.x - a.x;
        const int dy = b.y - a.y;
        int ahead = 0;
        int aside = 0;
        switch (heading) {
            case Heading::Left:
                ahead = -dx, aside = dy;
                break;
            case Heading::Right:
                ahead = dx, aside = dy;
                break;
            case Heading::Up:
                ahead = -dy, aside = dx;
                break;
            case Heading::Down:
                ahead = dy, aside = dx;
                break;
        }
        if (ahead <= 0) {
            continue;
        }
        const long straight = ahead;
        const long sideways = 2L * std::abs(aside);
        const long score = straight * straight + sideways * sideways;
        if (score < bestScore) {
            bestScore = score;
            best = p;
        }
    }
    return best;
}

void drawMapCursor(Surface& target, int layoutOffsetX, const MapCursor& cursor) {
    const Province* highlighted = cursor.highlighted;
    const Province* picked = cursor.picked;
    if (picked != nullptr && picked != highlighted) {
        markBox(target, layoutOffsetX, *picked, 1, kGold);
    }
    if (highlighted != nullptr) {
        // Picked up and still over its own province: gold inside the white.
        if (picked == highlighted) {
            markBox(target, layoutOffsetX, *picked, -4, kGold);
        }
        markBox(target, layoutOffsetX, *highlighted, 4, kWhite);
    }
}

}  // namespace tessarion
