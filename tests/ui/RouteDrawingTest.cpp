#include "ui/RouteDrawing.h"

#include <gtest/gtest.h>

#include <cmath>

#include "engine/Orders.h"
#include "model/ProvinceTable.h"
#include "ui/ScreenFixture.h"

namespace tessarion::test {
namespace {

class RouteDrawingTest : public GameTest {
  protected:
    // A game with one ready legion in Italia and one more in Aegyptus, so that
    // a drop never ends the turn.
    void ready() {
        newGame();
        clearAllLegions();
        give(game().romans, "Italia");
        give(game().romans, "Aegyptus");
    }
    // Drops Italia's legion on the province through the rules, as the window
    // does on release; true when an order was given.
    bool drop(Province* to) { return dropLegion(game(), p("Italia"), to).carriedOut(); }
};

// The drawing asks what a drop would do; it must answer as the drop then acts,
// for every province of the map, with the ways the rules give the legion.
TEST_F(RouteDrawingTest, TheRouteShownIsTheOrderTheDropGives) {
    const std::size_t count = game().provinces.size();
    int taken = 0;
    int refused = 0;
    int routed = 0;
    for (std::size_t i = 0; i < count; ++i) {
        ready();
        advisor.messages.clear();
        Province* to = game().provinces[i].get();
        Province* italia = p("Italia");
        const RouteOnMap shown = plannedRoute(game(), italia, to);
        if (to == italia) {
            EXPECT_TRUE(shown.steps.empty());
            continue;
        }
        // Nothing drawn opens a box.
        EXPECT_TRUE(advisor.messages.empty()) << to->name;
        ASSERT_GE(shown.steps.size(), 2u) << to->name;
        EXPECT_EQ(shown.steps.front(), italia);
        EXPECT_EQ(shown.steps.back(), to);
        EXPECT_EQ(drop(to), shown.accepted) << to->name;
        shown.accepted ? ++taken : ++refused;
        if (shown.accepted && shown.steps.size() > 2) {
            ++routed;
            // The legion set out on exactly the way drawn, and now shows the
            // rest of it when its province is under the pointer.
            const auto& legion =
                *std::find_if(game().romans.legions.begin(), game().romans.legions.end(),
                              [](const auto& l) { return l->hasRoute; });
            const std::vector<const Province*> way(legion->route.begin(), legion->route.end());
            EXPECT_EQ(way, shown.steps) << to->name;
            const std::vector<RouteOnMap> rest = legionRoutes(game(), legion->province);
            ASSERT_EQ(rest.size(), 1u) << to->name;
            EXPECT_EQ(rest.front().steps.front(), legion->province);
            EXPECT_EQ(rest.front().steps.back(), to);
            EXPECT_EQ(rest.front().steps.size(), shown.steps.size() - 1);
        }
    }
    // The map has all three kinds: neighbours, far provinces and the lands
    // beyond the frontier that no legion enters.
    EXPECT_GT(taken, 10);
    EXPECT_GE(refused, 7);
    EXPECT_GT(routed, 5);

    // Legions that have all moved take no order, wherever they are dropped.
    ready();
    for (const auto& l : game().romans.legions) {
        l->moved = true;
    }
    EXPECT_FALSE(plannedRoute(game(), p("Italia"), p("Raetia")).accepted);
}

TEST_F(RouteDrawingTest, ATakenWayIsSolidWithAnArrowAndARefusedOneDashedWithACross) {
    ready();
    Surface s(1366, 768, 0xFF406080);
    const RouteOnMap way = plannedRoute(game(), p("Italia"), p("Raetia"));
    ASSERT_TRUE(way.accepted);
    drawRoute(s, 0, way);
    const RoutePoint a = routePointOf(*p("Italia"), 0);
    const RoutePoint b = routePointOf(*p("Raetia"), 0);
    // Solid: every point of the first half of the stretch is in the colour.
    for (int k = 1; k < 8; ++k) {
        const int x = a.x + (b.x - a.x) * k / 16;
        const int y = a.y + (b.y - a.y) * k / 16;
        EXPECT_EQ(s.pixel(x, y), kRouteTaken) << k;
    }
    EXPECT_GT(countColour(s, kRouteEdge), countColour(s, kRouteTaken) / 3) << "edged in black";
    // The arrowhead fills the end of the way, wider than the line.
    const double length = std::hypot(b.x - a.x, b.y - a.y);
    const double ux = (b.x - a.x) / length;
    const double uy = (b.y - a.y) / length;
    const int hx = static_cast<int>(b.x - ux * 12);
    const int hy = static_cast<int>(b.y - uy * 12);
    EXPECT_EQ(s.pixel(hx, hy), kRouteTaken);
    EXPECT_EQ(s.pixel(static_cast<int>(hx - uy * 4), static_cast<int>(hy + ux * 4)), kRouteTaken);
    EXPECT_EQ(s.pixel(static_cast<int>(hx + uy * 4), static_cast<int>(hy - ux * 4)), kRouteTaken);

    Surface r(1366, 768, 0xFF406080);
    RouteOnMap refused = way;
    refused.accepted = false;
    drawRoute(r, 0, refused);
    int gaps = 0;
    int dashes = 0;
    for (int k = 1; k < 12; ++k) {
        const int x = a.x + (b.x - a.x) * k / 24;
        const int y = a.y + (b.y - a.y) * k / 24;
        gaps += r.pixel(x, y) == 0xFF406080u;
        dashes += r.pixel(x, y) == kRouteRefused;
    }
    EXPECT_GT(gaps, 0);
    EXPECT_GT(dashes, 0);
    EXPECT_EQ(r.pixel(b.x, b.y), kRouteRefused) << "the middle of the cross";
    EXPECT_EQ(r.pixel(b.x - 6, b.y - 6), kRouteRefused);
    EXPECT_EQ(r.pixel(b.x + 6, b.y - 6), kRouteRefused);
    EXPECT_EQ(countColour(r, kRouteTaken), 0);
}

}  // namespace
}  // namespace tessarion::test
