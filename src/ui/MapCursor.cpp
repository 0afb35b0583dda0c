#include "ui/MapCursor.h"

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <optional>
#include <tuple>
#include <vector>

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

namespace {

// How far `to` lies from `from` for an arrow towards `heading`: a step
// sideways counts twice a step straight on. Nothing when it is not that way.
std::optional<long> distanceToward(const Province& from, const Province& to, Heading heading) {
    const Centre a = centreOf(from);
    const Centre b = centreOf(to);
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
        return std::nullopt;
    }
    const long straight = ahead;
    const long sideways = 2L * std::abs(aside);
    return straight * straight + sideways * sideways;
}

Heading opposite(Heading h) {
    switch (h) {
        case Heading::Left:
            return Heading::Right;
        case Heading::Right:
            return Heading::Left;
        case Heading::Up:
            return Heading::Down;
        case Heading::Down:
            break;
    }
    return Heading::Up;
}

// The nearest province that way, by itself.
int nearestToward(const Game& game, std::size_t from, Heading heading, long& score) {
    int best = -1;
    score = std::numeric_limits<long>::max();
    for (std::size_t i = 0; i < game.provinces.size(); ++i) {
        if (i == from) {
            continue;
        }
        const auto d = distanceToward(*game.provinces[from], *game.provinces[i], heading);
        if (d && *d < score) {
            score = *d;
            best = static_cast<int>(i);
        }
    }
    return best;
}

constexpr std::size_t kNone = static_cast<std::size_t>(-1);

// The steps along one axis, paired: next[a] is b when the step a -> b that
// way is paired with b -> a the opposite way, previous[b] is then a.
struct Pairing {
    std::vector<std::size_t> next;
    std::vector<std::size_t> previous;
};

// Pairs the closest steps first. At first a pair may be no more than twice as
// long as either end's nearest step that way, so that the natural pairs form;
// then what is left is paired as it can be.
Pairing pairAlong(const Game& game, Heading ahead) {
    const std::size_t n = game.provinces.size();
    std::vector<long> nearestAhead(n);
    std::vector<long> nearestBack(n);
    for (std::size_t i = 0; i < n; ++i) {
        nearestToward(game, i, ahead, nearestAhead[i]);
        nearestToward(game, i, opposite(ahead), nearestBack[i]);
    }
    struct Step {
        long score;
        std::size_t a;
        std::size_t b;
    };
    std::vector<Step> steps;
    for (std::size_t a = 0; a < n; ++a) {
        for (std::size_t b = 0; b < n; ++b) {
            if (a == b) {
                continue;
            }
            if (const auto d = distanceToward(*game.provinces[a], *game.provinces[b], ahead)) {
                steps.push_back({*d, a, b});
            }
        }
    }
    std::sort(steps.begin(), steps.end(), [](const Step& x, const Step& y) {
        return std::tie(x.score, x.a, x.b) < std::tie(y.score, y.a, y.b);
    });
    Pairing pairs{std::vector<std::size_t>(n, kNone), std::vector<std::size_t>(n, kNone)};
    for (const bool natural : {true, false}) {
        for (const Step& s : steps) {
            if (pairs.next[s.a] != kNone || pairs.previous[s.b] != kNone) {
                continue;
            }
            if (natural && s.score > 4 * std::min(nearestAhead[s.a], nearestBack[s.b])) {
                continue;
            }
            pairs.next[s.a] = s.b;
            pairs.previous[s.b] = s.a;
        }
    }
    return pairs;
}

}  // namespace

Province* provinceToward(Game& game, const Province& from, Heading heading) {
    // Steps along one axis are paired, so that the opposite arrow leads back:
    // Left undoes Right. A province left without a partner takes its nearest
    // step, which the opposite arrow cannot undo.
    const bool forward = heading == Heading::Right || heading == Heading::Down;
    const std::size_t n = game.provinces.size();
    std::size_t self = n;
    for (std::size_t i = 0; i < n; ++i) {
        if (game.provinces[i].get() == &from) {
            self = i;
        }
    }
    if (self == n) {
        return nullptr;
    }
    const Pairing pairs = pairAlong(game, forward ? heading : opposite(heading));
    const std::size_t paired = forward ? pairs.next[self] : pairs.previous[self];
    if (paired != kNone) {
        return game.provinces[paired].get();
    }
    long score = 0;
    const int nearest = nearestToward(game, self, heading, score);
    return nearest < 0 ? nullptr : game.provinces[static_cast<std::size_t>(nearest)].get();
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
