// Keyboard play on the map: where the arrows lead, and how the highlight shows.
#include "ui/MapCursor.h"

#include <set>

#include "support/TestGame.h"
#include "ui/Layout.h"
#include "ui/Surface.h"

namespace tessarion {
namespace {

using test::GameTest;

class MapCursorTest : public GameTest {};

constexpr Heading kHeadings[] = {Heading::Left, Heading::Right, Heading::Up, Heading::Down};

// Each step goes the way of its arrow, and from any province the arrows reach
// every other: no province is left that the keyboard cannot order from or to.
TEST_F(MapCursorTest, ArrowsGoTheirWayAndReachEveryProvince) {
    for (auto& slot : game().provinces) {
        const Province& from = *slot;
        for (Heading h : kHeadings) {
            const Province* to = provinceToward(game(), from, h);
            if (to == nullptr) {
                continue;
            }
            const int dx = to->legionX - from.legionX;
            const int dy = to->legionY - from.legionY;
            const int ahead = h == Heading::Left    ? -dx
                              : h == Heading::Right ? dx
                              : h == Heading::Up    ? -dy
                                                    : dy;
            EXPECT_GT(ahead, 0) << from.name << " to " << to->name;
        }
        std::set<const Province*> seen{&from};
        std::vector<const Province*> todo{&from};
        while (!todo.empty()) {
            const Province* at = todo.back();
            todo.pop_back();
            for (Heading h : kHeadings) {
                const Province* next = provinceToward(game(), *at, h);
                if (next != nullptr && seen.insert(next).second) {
                    todo.push_back(next);
                }
            }
        }
        EXPECT_EQ(seen.size(), game().provinces.size()) << "from " << from.name;
    }
    // Neighbours on the map are a press apart, as a player expects.
    EXPECT_EQ(provinceToward(game(), *p("Italia"), Heading::Right), p("Dalmatia"));
    EXPECT_EQ(provinceToward(game(), *p("Pannonia"), Heading::Left), p("Raetia"));
    EXPECT_EQ(provinceToward(game(), *p("Aegyptus"), Heading::Down), nullptr) << "the map's foot";
}

TEST_F(MapCursorTest, TheHighlightFramesTheLegionBoxAndPickedUpShowsApart) {
    Surface s(1366, 768, 0xFF336699);
    const int x = layout::windowXOfMap(p("Italia")->legionX, 0);
    const int y = layout::windowYOfMap(p("Italia")->legionY);
    MapCursor cursor;
    cursor.highlighted = p("Italia");
    drawMapCursor(s, 0, cursor);
    // White, edged in black on both sides, around the 74 x 60 box.
    EXPECT_EQ(s.pixel(x - 3, y + 30), kWhite);
    EXPECT_EQ(s.pixel(x - 5, y + 30), kBlack);
    EXPECT_EQ(s.pixel(x + 30, y + 30), 0xFF336699u) << "the legions inside stay visible";

    cursor.picked = p("Italia");
    cursor.highlighted = p("Raetia");
    Surface t(1366, 768, 0xFF336699);
    drawMapCursor(t, 0, cursor);
    const std::uint32_t sourceMark = t.pixel(x, y + 30);
    EXPECT_NE(sourceMark, 0xFF336699u);
    EXPECT_NE(sourceMark, kWhite) << "the source looks unlike the target";
    EXPECT_EQ(t.pixel(layout::windowXOfMap(p("Raetia")->legionX, 0) - 3,
                      layout::windowYOfMap(p("Raetia")->legionY) + 30),
              kWhite);
}

}  // namespace
}  // namespace tessarion
