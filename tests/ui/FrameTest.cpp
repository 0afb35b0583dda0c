// The frame the platform shows is the menu bar's rows over the window itself:
// the menus and boxes are shown over the window and taken off again, leaving
// the game's picture as it was, at any scale.
#include <gtest/gtest.h>

#include <functional>

#include "InputEvents.h"
#include "ScreenFixture.h"
#include "platform/HeadlessPlatform.h"
#include "ui/BoxChrome.h"
#include "ui/MenuBar.h"
#include "ui/ModalRunner.h"

namespace tessarion {
namespace {

using namespace test;

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
        runBox(runner, box, [&] {
            seen = shown(600, 300) == kBoxFill && shown(600, 100) != kBoxFill;
        });
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
}  // namespace tessarion
