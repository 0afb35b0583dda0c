// The painted map and what stands on it: overlays, names, legions, frames and the layout; and
// the frame the platform shows, the menu bar's rows over the window itself: the menus and
// boxes are shown over the window and taken off again, leaving the game's picture as it was,
// at any scale.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "model/ProvinceTable.h"
#include "platform/HeadlessPlatform.h"
#include "res/ResourceStore.h"
#include "support/TestGame.h"
#include "ui/Animation.h"
#include "ui/BoxChrome.h"
#include "ui/EndTurnButton.h"
#include "ui/InputEvents.h"
#include "ui/LegionDrawing.h"
#include "ui/MapLabels.h"
#include "ui/MenuBar.h"
#include "ui/ModalRunner.h"
#include "ui/Pictures.h"
#include "ui/ScreenFixture.h"

namespace tessarion::test {
namespace {

const std::uint32_t kMap = colourOf(kBaseMapId);

class MapTest : public ScreenFixture {
  protected:
    // The centre of the province's overlay rectangle, in the window.
    Point overlayCentre(const std::string& name) {
        for (const OverlayEntry& o : kOverlays) {
            if (name == o.province) {
                return {display().x(o.x + o.width / 2), o.y + o.height / 2};
            }
        }
        ADD_FAILURE() << name << " has no overlay";
        return {};
    }

    // The map as it is shown without overlays: the base map with the names over it.
    std::vector<std::uint32_t> mapWithNames() {
        Surface map = display().baseMap;
        drawMapNames(map, game(), 0, 0, 1.0);
        return {map.pixels().begin(), map.pixels().end()};
    }

    std::uint32_t overlayShown(const std::string& name) {
        const Surface s = paint();
        const Point c = overlayCentre(name);
        return s.pixel(c.x, c.y);
    }
};

TEST_F(MapTest, OverlayColourFollowsTheOwner) {
    // At the start every province with an overlay is Roman: the map alone.
    paint();
    EXPECT_EQ(display().groundMap().pixels(), mapWithNames());

    moveOwner("Syria", &game().sassanids);
    EXPECT_EQ(overlayShown("Syria"), colourOf(217));  // "-blue"
    moveOwner("Syria", &game().barbarians);
    EXPECT_EQ(overlayShown("Syria"), colourOf(197));  // "-yellow"
    moveOwner("Syria", &game().rogueRomans);
    EXPECT_EQ(overlayShown("Syria"), colourOf(122));  // plain
    moveOwner("Syria", nullptr);
    EXPECT_EQ(overlayShown("Syria"), colourOf(122));
    moveOwner("Syria", &game().romans);
    EXPECT_EQ(overlayShown("Syria"), kMap);

    // Overlays land at their table positions, shifted with the layout.
    moveOwner("Cappadocia", &game().sassanids);
    const Surface s = paint();
    EXPECT_EQ(s.pixel(813, 307), colourOf(237));
    EXPECT_EQ(s.pixel(812, 307), kMap);
    EXPECT_EQ(s.pixel(907, 386), colourOf(237));
    EXPECT_EQ(s.pixel(908, 386), kMap);
}

// Every name lettered on the map stays in sight in every year: nothing the screen draws over
// the map (a legion's icon or count in any province, the city's label, which reads
// CONSTANTINOPLE from 313 AD) covers any of it.
TEST_F(MapTest, EveryNameStaysInSightEveryYear) {
    const std::vector<MapLabels::Placed>& names = MapLabels::embedded(game()).layout(1.0);
    ASSERT_FALSE(names.empty());
    // Legions in every province, of whoever holds it, two digits of them in one.
    for (const auto& q : game().provinces) {
        Empire* owner = game().ownerOf(q.get());
        game().addLegions(q->name, owner, q->name == "Pontus" ? 10 : 2);
    }
    paint();
    const Surface ground = display().ground();  // before the city's label
    for (int year = 235; year <= 476; ++year) {
        game().turn = year - 235;
        const Surface s = paint();
        for (const MapLabels::Placed& n : names) {
            int covered = 0;
            for (int y = static_cast<int>(n.box.top); y < n.box.bottom; ++y) {
                for (int x = static_cast<int>(n.box.left); x < n.box.right; ++x) {
                    const int wx = layout::windowXOfMap(x, display().layoutOffsetX);
                    const int wy = layout::windowYOfMap(y);
                    covered += s.pixel(wx, wy) != ground.pixel(wx, wy);
                }
            }
            ASSERT_EQ(covered, 0) << n.lines[0] << " is covered in " << year;
        }
    }
}

TEST_F(MapTest, LandsBeyondTheFrontierNeverGetAnOverlay) {
    for (Empire* owner :
         {static_cast<Empire*>(&game().barbarians), static_cast<Empire*>(&game().sassanids),
          static_cast<Empire*>(&game().rogueRomans), static_cast<Empire*>(nullptr)}) {
        moveOwner("Upper Rhine", owner);
        moveOwner("Armenia", owner);
        paint();
        EXPECT_EQ(display().groundMap().pixels(), mapWithNames());
    }
}

TEST_F(MapTest, ConstantinopleIsNamedFrom313) {
    game().turn = 312 - 235;
    EXPECT_EQ(paint().pixel(774, 301), kMap);
    game().turn = 313 - 235;
    const Surface s = paint();
    EXPECT_EQ(s.pixel(774, 301), colourOf(251));
    EXPECT_EQ(s.pixel(724, 294), colourOf(251));
    EXPECT_EQ(s.pixel(823, 308), colourOf(251));
    EXPECT_EQ(s.pixel(824, 308), kMap);
    // The legions stay out of the ground the paints put back.
    game().turn = 312 - 235;
    game().addLegions("Italia", &game().romans, 2);
    paint();
    EXPECT_EQ(display().groundMap().pixels(), mapWithNames());
}

TEST_F(MapTest, InstructionsAndTheirFrameAreDrawnOverTheGround) {
    const Surface s = paint();
    for (const Point p :
         {Point{175, 590}, Point{984, 590}, Point{175, 619}, Point{985, 619}, Point{500, 620}}) {
        EXPECT_EQ(s.pixel(p.x, p.y), kWhite) << p.x << "," << p.y;
        EXPECT_NE(display().ground().pixel(p.x, p.y), kWhite) << p.x << "," << p.y;
    }
    EXPECT_NE(s.pixel(985, 620), kWhite);  // the last corner is left out, as the lines end
    EXPECT_TRUE(textAt(s, 230, 630, "Instructions:  Left-click and drag to move legions.  ", kWhite,
                       kBlack));
    EXPECT_EQ(countPixels(display().ground(), 176, 621, 980, 660, kBlack), 804 * 39);

    // What the target had for text colours is left as it was.
    Surface target(display().width(), display().height());
    target.text = {kRed, 0xFF123456, true};
    display().paintScreen(target);
    EXPECT_EQ(target.text.colour, kRed);
    EXPECT_EQ(target.text.background, 0xFF123456u);
    EXPECT_TRUE(target.text.opaque);
}

// A paint brings the window up to date by the areas that changed; whatever was
// drawn over it in between, and whatever changed in the game, it must leave
// the window as a whole paint would.
TEST_F(MapTest, EveryPaintOfTheWindowIsAWholePaint) {
    Screen& s = display();
    auto check = [&](const char* after) {
        s.paintScreen(s.window);
        const Surface painted = s.window;
        s.repaintAll();
        EXPECT_TRUE(painted.pixels() == s.window.pixels()) << after;
    };
    check("the first paint");
    check("a paint like the last");
    game().addLegions("Italia", &game().romans, 3);
    game().addLegions("Dacia", &game().barbarians, 2);
    check("new legions");
    view.hoveredProvince = p("Italia");
    check("a province under the mouse");
    game().addNews("Dacia has fallen");
    check("a news line");
    // A marching figure, the banner, the province line.
    s.window.fillRect(300, 200, 380, 270, kRed);
    s.window.fillRect(500, 100, 560, 160, kRed);
    s.window.row(600)[700] = kRed;
    check("figures drawn in between");
    moveOwner("Syria", &game().sassanids);
    check("a new owner");
    game().turn = 313 - 235;
    check("Constantinople named");
    game().romans.clearLegions();
    view.hoveredProvince = nullptr;
    check("legions gone");
    s.resize(1600, 900);
    check("a wider window");
    for (int i = 0; i < 3000; ++i) {
        s.window.setPixel((i * 37) % s.width(), (i * 91) % s.height(), kRed);
    }
    check("more drawings than the logs follow");
}

// New owners and Constantinople's name make the map again, and nothing else:
// the background is then as one made afresh.
TEST_F(MapTest, TheMapMadeAgainIsTheWholeBackgroundMadeAgain) {
    Screen& s = display();
    const Surface first = s.background();
    moveOwner("Syria", &game().sassanids);
    game().turn = 313 - 235;
    const Surface updated = s.background();
    EXPECT_FALSE(updated.pixels() == first.pixels());
    s.resize(1366, s.height());
    EXPECT_TRUE(s.background().pixels() == updated.pixels());
}

// A marching figure stands over the map as it was painted, its own icon
// taken out: each frame over that alone, never over the frame before, at any
// scale; the next paint puts the icon back.
TEST_F(MapTest, AFigureMarchesOverThePaintedMapNotOverItself) {
    Screen& s = display();
    game().addLegions("Italia", &game().romans, 2);
    for (const double scale : {1.0, 1.5}) {
        SCOPED_TRACE(scale);
        s.resize(1366, s.height(), scale);
        s.paintScreen(s.window);
        const Surface painted = s.window;
        std::vector<Surface> shown;
        Animator animator(s, {{}, {}, [&] { shown.push_back(s.window); }});
        animator.load({store::decodePicture, store::decodeLargePicture, s.scale()});
        animator.animateMove(p("Italia"), p("Dalmatia"));
        const auto& frames = animator.romanMarch.frames;
        ASSERT_EQ(shown.size(), frames.size());
        const Point icon = iconAt("Italia");
        Surface behind = painted;
        behind.blit(s.ground(), icon.x, icon.y, 35, 65, icon.x, icon.y);
        const int w = frames.front()->width;
        const int x = w > 30 ? icon.x - (w - 30) / 2 : icon.x;
        for (std::size_t k = 0; k < frames.size(); ++k) {
            Surface expected = behind;
            frames[k]->drawTransparent(expected, x, icon.y);
            EXPECT_TRUE(shown[k].pixels() == expected.pixels()) << "frame " << k;
        }
        s.paintScreen(s.window);
        EXPECT_TRUE(s.window.pixels() == painted.pixels());
    }
}

// On a wider window everything moves right, the map, the panels and what is drawn on them alike.
TEST_F(MapTest, TheLayoutOnA1366AndA1920WideWindow) {
    moveOwner("Syria", &game().sassanids);
    game().addLegions("Italia", &game().barbarians, 2);
    view.hoveredProvince = p("Italia");
    for (const auto& [width, height, dx] :
         {std::tuple{1366, 768, 0}, std::tuple{1920, 1080, 277}}) {
        SCOPED_TRACE(width);
        display().resize(width, height);
        const Surface s = paint();
        ASSERT_EQ(display().layoutOffsetX, dx);
        EXPECT_EQ(s.height(), height);
        EXPECT_EQ(s.pixel(dx + 180, 30), kMap);
        EXPECT_EQ(s.pixel(dx + 179, 30), kBlack);
        // The land beyond the provinces lies there, repainted in stone.
        EXPECT_NE(s.pixel(dx + 979, 577), kBlack) << "the map reaches its corner";
        EXPECT_EQ(s.pixel(dx + 980, 100), colourOf(264));  // the parchment
        EXPECT_EQ(s.pixel(dx + 1334, 663), colourOf(264));
        EXPECT_EQ(s.pixel(dx + 1335, 100), kBlack);
        EXPECT_EQ(s.pixel(dx + 0, 40), colourOf(185));  // the legend title
        EXPECT_EQ(s.pixel(dx + 900, 420), colourOf(217));
        const Point icon = iconAt("Italia");
        EXPECT_EQ(s.pixel(icon.x + 5, icon.y + 5), colourOf(179));
        EXPECT_TRUE(textAt(s, dx + 20, 180, "Roman Legion", kWhite, kBlack));
        EXPECT_TRUE(textAt(s, dx + 10, 590, "province", kWhite, kBlack));
        EXPECT_TRUE(textAt(s, dx + 1010, 130, "ECONOMIC REPORT", kBlack, colourOf(264)));
        EXPECT_TRUE(textAt(s, dx + 185, 600, "Province: Italia", kWhite, kBlack));
        // The map frame, one pixel outside the map.
        EXPECT_EQ(s.pixel(dx + 175, 25), kWhite);
        EXPECT_EQ(s.pixel(dx + 985, 582), kWhite);
        EXPECT_EQ(s.pixel(dx + 600, 583), kWhite);
        EXPECT_EQ(s.pixel(dx + EndTurnButton::kLeft + 3, EndTurnButton::kTop + 3),
                  EndTurnButton::kFace);
        EXPECT_TRUE(textAt(s, dx + EndTurnButton::hintLeft(s.scale()), EndTurnButton::textTop(),
                           EndTurnButton::kHint, EndTurnButton::kHintColour, kBlack));
    }
}

TEST(ScreenSize, NeverSmallerThanTheLayout) {
    Game game;
    const Screen small(game, 1024, 600);
    EXPECT_EQ(small.width(), 1366);
    // Only the empty rows below the parchment may go.
    EXPECT_EQ(small.height(), Screen::kMinLayoutHeight);
    EXPECT_GE(small.height(), 664);
    EXPECT_EQ(small.layoutOffsetX, 0);
}

class LegionDrawingTest : public ScreenFixture {
  protected:
    // The count in its white box beside the icon.
    ::testing::AssertionResult countAt(const Surface& s, Point icon, const std::string& count) {
        return textAt(s, icon.x + 40, icon.y + 25, count, kBlack, kWhite);
    }
};

TEST_F(LegionDrawingTest, ArmeniasCountStaysOnTheMap) {
    game().addLegions("Armenia", &game().sassanids, 12);
    game().addLegions("Syria", &game().romans, 12);
    const Surface s = paint();
    const Point armenia = iconAt("Armenia");
    const int width = defaultFont().width("12");
    EXPECT_TRUE(textAt(s, armenia.x - width - 2, armenia.y + 25, "12", kBlack, kWhite));
    EXPECT_LE(armenia.x - 2, 980);
    EXPECT_TRUE(countAt(s, iconAt("Syria"), "12"));  // elsewhere the count stays at the right
}

TEST_F(LegionDrawingTest, RomanIconGoesPaleOnceEveryLegionHasMoved) {
    game().addLegions("Italia", &game().romans, 3);
    const Point at = iconAt("Italia");
    game().romans.legions[0]->moved = true;
    game().romans.legions[1]->moved = true;
    Surface s = paint();
    EXPECT_EQ(s.pixel(at.x, at.y), colourOf(168));
    EXPECT_EQ(s.pixel(at.x + 34, at.y + 64), colourOf(168));
    EXPECT_TRUE(countAt(s, at, "3"));

    game().romans.legions[2]->moved = true;
    s = paint();
    EXPECT_EQ(s.pixel(at.x + 20, at.y + 30), colourOf(170));
    EXPECT_TRUE(countAt(s, at, "3"));
}

TEST_F(LegionDrawingTest, EachPowerHasItsIconAndTheLastDrawnWins) {
    game().addLegions("Italia", &game().romans, 2);
    game().addLegions("Italia", &game().barbarians, 5);
    game().addLegions("Syria", &game().sassanids, 12);
    game().addLegions("Africa", &game().rogueRomans, 1);
    game().addLegions("Africa", &game().sassanids, 4);
    const Surface s = paint();
    const Point italia = iconAt("Italia");
    EXPECT_EQ(s.pixel(italia.x + 42, italia.y), colourOf(179));
    // The Roman icon is taller: its foot still shows under the barbarian one.
    EXPECT_EQ(s.pixel(italia.x + 10, italia.y + 62), colourOf(168));
    EXPECT_TRUE(countAt(s, italia, "5"));
    EXPECT_TRUE(countAt(s, iconAt("Syria"), "12"));
    EXPECT_EQ(s.pixel(iconAt("Syria").x + 39, iconAt("Syria").y + 59), colourOf(114));
    // Rebels are drawn after the Sassanids.
    EXPECT_EQ(s.pixel(iconAt("Africa").x, iconAt("Africa").y), colourOf(183));
    EXPECT_TRUE(countAt(s, iconAt("Africa"), "1"));
}

TEST_F(LegionDrawingTest, AProvinceWithoutLegionsShowsNothing) {
    const Surface s = paint();
    const Point at = iconAt("Italia");
    EXPECT_EQ(countPixels(s, at.x, at.y, at.x + 74, at.y + 65, kWhite), 0);
    EXPECT_EQ(countPixels(s, at.x, at.y, at.x + 74, at.y + 65, colourOf(168)), 0);

    // A zero count draws the icon alone, with no box.
    Surface t(display().width(), display().height());
    drawLegion(display(), t, p("Italia")->legionX, p("Italia")->legionY, kIconRoman, 0);
    EXPECT_EQ(t.pixel(at.x, at.y), colourOf(168));
    EXPECT_EQ(countPixels(t, at.x, at.y, at.x + 74, at.y + 65, kWhite), 0);
}

TEST_F(LegionDrawingTest, TheLegendStandsWithNoLegionsOnTheMap) {
    const Surface s = paint();
    EXPECT_EQ(s.pixel(50, 110), colourOf(168));
    EXPECT_EQ(s.pixel(50, 210), colourOf(179));
    EXPECT_EQ(s.pixel(50, 300), colourOf(114));
    EXPECT_EQ(s.pixel(50, 410), colourOf(183));
    EXPECT_TRUE(textAt(s, 20, 475, "Rebelling Legion", kWhite, kBlack));
    // The legend leaves the window's text as it found it.
    EXPECT_EQ(display().window.text.background, kWhite);
    EXPECT_TRUE(display().window.text.opaque);
}

constexpr std::uint32_t kBoxFill = 0xFF336699;

// A box that ends at the first key, drawing its chrome, and anything else asked.
struct PlainBox : ModalBox {
    std::function<void(Surface&)> more;
    std::function<void()> onKey;
    void draw(Surface& s) const override {
        BoxChrome::draw(s, left, top, width, height, "Box", true, kBoxFill);
        if (more) {
            more(s);
        }
    }
    void keyDown(const InputEvent&) override {
        if (onKey) {
            onKey();
        }
        done = true;
    }
};

class FrameTest : public ScreenFixture {
  protected:
    // The frame's pixel at a frame point.
    std::uint32_t shown(int x, int y) const {
        const int px = static_cast<int>(x * platform.frameScale);
        const int py = static_cast<int>(y * platform.frameScale);
        return platform.frame[static_cast<std::size_t>(py * platform.frameWidth + px)];
    }
    // A box run to its end by a key, the frame shown meanwhile checked by `check`.
    void runBox(ModalRunner& runner, PlainBox& box, const std::function<void()>& check) {
        box.left = 400;
        box.top = 200;
        box.width = 400;
        box.height = 200;
        box.onKey = check;
        platform.input.push_back(key(KeyCode::Escape));
        runner.run(box);
    }
    HeadlessPlatform platform;
    MenuBar menu;
};

TEST_F(FrameTest, MenusAndBoxesAreShownOverTheWindowAndTakenOffAgain) {
    for (double scale : {1.0, 1.4, 2.8}) {
        Screen& s = display();
        s.resize(1366, s.height(), scale);
        platform.setFrameScale(scale);
        s.paintScreen(s.window);
        const Surface painted = s.window;
        ModalRunner runner(platform, s, menu);

        PlainBox box;
        bool seen = false;
        runBox(runner, box,
               [&] { seen = shown(600, 300) == kBoxFill && shown(600, 100) != kBoxFill; });
        EXPECT_TRUE(seen) << "no box shown at " << scale;
        EXPECT_TRUE(s.window.pixels() == painted.pixels()) << "box left at " << scale;

        bool consumed = false;
        const MenuBar::Box title = menu.titleBox(0);
        menu.mouseDown(title.left + 2, title.top + 2, consumed);
        ASSERT_TRUE(menu.openArea().has_value());
        runner.presentFrame();
        const MenuBar::Box list = *menu.openArea();
        EXPECT_NE(shown(list.left + 8, list.bottom - 4),
                  painted.pixel(painted.toPixels(list.left + 8),
                                painted.toPixels(layout::clientYOfFrame(list.bottom - 4))));
        EXPECT_TRUE(s.window.pixels() == painted.pixels()) << "menu left at " << scale;
        menu.close();
    }
}

TEST_F(FrameTest, ABoxDrawingBeyondItsPlaceLeavesTheWindowAWholePaint) {
    Screen& s = display();
    ModalRunner runner(platform, s, menu);
    runner.mapPainted = true;
    s.paintScreen(s.window);
    PlainBox box;
    box.more = [](Surface& f) { f.fillRect(0, 100, 200, 140, kRed); };
    runBox(runner, box, [] {});
    Surface whole(s.width(), s.height(), kBlack);
    s.paintScreen(whole);
    EXPECT_TRUE(s.window.pixels() == whole.pixels());
}

}  // namespace
}  // namespace tessarion::test
