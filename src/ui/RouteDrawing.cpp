#include "ui/RouteDrawing.h"

#include <algorithm>
#include <cmath>

#include "engine/Orders.h"
#include "engine/Realm.h"
#include "engine/Routes.h"
#include "ui/Layout.h"
#include "ui/Surface.h"

namespace tessarion {

RouteOnMap plannedRoute(Realm& realm, Province* from, Province* to) {
    // The rules' own answer to the drop, asked without giving the order. A
    // press where no Roman legion stands drags nothing.
    if (from == nullptr || to == nullptr || from == to || realm.romans.legionsIn(from) == 0) {
        return {};
    }
    const OrderPlan plan = planOrder(realm, from, to);
    if (!plan.accepted()) {
        return {{from, to}, false};
    }
    return {{plan.route.begin(), plan.route.end()}, true};
}

std::vector<RouteOnMap> legionRoutes(const Realm& realm, const Province* province) {
    std::vector<RouteOnMap> ways;
    if (province == nullptr) {
        return ways;
    }
    for (const auto& legion : realm.romans.legions) {
        if (!legion->hasRoute || !sameProvince(legion->province, province)) {
            continue;
        }
        const auto from = legion->route.begin() + legion->routeIndex;
        if (from >= legion->route.end()) {
            continue;
        }
        RouteOnMap way{{from, legion->route.end()}, true};
        // Where it stands now, even if a step took it off its way.
        way.steps.front() = province;
        if (way.steps.size() >= 2 && std::find(ways.begin(), ways.end(), way) == ways.end()) {
            ways.push_back(std::move(way));
        }
    }
    return ways;
}

RoutePoint routePointOf(const Province& province, int layoutOffsetX) {
    // The middle of the Roman icon (35 x 65) standing at the anchor.
    return {layout::windowXOfMap(legionX(province) + 17, layoutOffsetX),
            layout::windowYOfMap(legionY(province) + 32)};
}

namespace {

// A square brush of the given half-width along a line; every `dash` pixels
// on, then as many off (0: solid).
void strokeLine(Surface& s, RoutePoint a, RoutePoint b, int half, std::uint32_t colour,
                int dash = 0) {
    int i = 0;
    forEachPointOfLine(a.x, a.y, b.x, b.y, [&](long long px, long long py) {
        if (dash == 0 || (i / dash) % 2 == 0) {
            const int x = static_cast<int>(px);
            const int y = static_cast<int>(py);
            s.fillRect(x - half, y - half, x + half + 1, y + half + 1, colour);
        }
        ++i;
    });
}

// The triangle with its point at `tip`, `length` back along the direction
// (ux, uy) and `width` across, grown by `grow` pixels on every side.
void fillArrowhead(Surface& s, RoutePoint tip, double ux, double uy, double length, double width,
                   double grow, std::uint32_t colour) {
    const double tx = tip.x + ux * grow;
    const double ty = tip.y + uy * grow;
    const double bx = tip.x - ux * (length + grow);
    const double by = tip.y - uy * (length + grow);
    const double half = width / 2 + grow;
    const double px[3] = {tx, bx - uy * half, bx + uy * half};
    const double py[3] = {ty, by + ux * half, by - ux * half};
    const int left = static_cast<int>(std::floor(std::min({px[0], px[1], px[2]})));
    const int right = static_cast<int>(std::ceil(std::max({px[0], px[1], px[2]})));
    const int top = static_cast<int>(std::floor(std::min({py[0], py[1], py[2]})));
    const int bottom = static_cast<int>(std::ceil(std::max({py[0], py[1], py[2]})));
    const auto side = [&](int i, double x, double y) {
        const int j = (i + 1) % 3;
        return (px[j] - px[i]) * (y - py[i]) - (py[j] - py[i]) * (x - px[i]);
    };
    for (int y = top; y <= bottom; ++y) {
        for (int x = left; x <= right; ++x) {
            const double cx = x + 0.5;
            const double cy = y + 0.5;
            const double a = side(0, cx, cy);
            const double b = side(1, cx, cy);
            const double c = side(2, cx, cy);
            if ((a >= 0 && b >= 0 && c >= 0) || (a <= 0 && b <= 0 && c <= 0)) {
                s.fillRect(x, y, x + 1, y + 1, colour);
            }
        }
    }
}

}  // namespace

void drawRoute(Surface& target, int layoutOffsetX, const RouteOnMap& route) {
    if (route.steps.size() < 2) {
        return;
    }
    std::vector<RoutePoint> points;
    for (const Province* p : route.steps) {
        points.push_back(routePointOf(*p, layoutOffsetX));
    }
    const std::uint32_t colour = route.accepted ? kRouteTaken : kRouteRefused;
    const int dash = route.accepted ? 0 : 7;
    // The last stretch stops short of the middle, where the arrowhead or the
    // cross stands.
    const RoutePoint end = points.back();
    const RoutePoint before = points[points.size() - 2];
    const double ex = end.x - before.x;
    const double ey = end.y - before.y;
    const double length = std::max(1.0, std::hypot(ex, ey));
    const double ux = ex / length;
    const double uy = ey / length;
    const double head = std::min(16.0, length / 2);
    points.back() = {static_cast<int>(std::lround(end.x - ux * head)),
                     static_cast<int>(std::lround(end.y - uy * head))};

    // Black first, all of it, then the colour, so that the edges never cross
    // the line where two stretches meet.
    for (int pass = 0; pass < 2; ++pass) {
        const std::uint32_t edge = route.accepted ? kRouteEdge : kRouteRefusedEdge;
        const std::uint32_t ink = pass == 0 ? edge : colour;
        const int grow = pass == 0 ? 1 : 0;
        for (std::size_t i = 0; i + 1 < points.size(); ++i) {
            strokeLine(target, points[i], points[i + 1], 2 + grow, ink, dash);
        }
        if (route.accepted) {
            fillArrowhead(target, end, ux, uy, head, 16, grow * 1.5, ink);
        } else {
            // A cross where the legions would have gone.
            const int r = 7;
            strokeLine(target, {end.x - r, end.y - r}, {end.x + r, end.y + r}, 2 + grow, ink);
            strokeLine(target, {end.x - r, end.y + r}, {end.x + r, end.y - r}, 2 + grow, ink);
        }
    }
}

}  // namespace tessarion
