// A finger made into the mouse: taps, drags and the long press.
#include "ui/TouchGestures.h"

#include <gtest/gtest.h>

#include <string>

#include "ui/InputEvents.h"

namespace tessarion {
namespace {

using test::touch;

// "down L 10,20" and the like, one word per mouse event.
std::string told(const std::vector<InputEvent>& events) {
    std::string out;
    for (const InputEvent& e : events) {
        using T = InputEvent::Type;
        const char* what = e.type == T::MouseMove   ? "move"
                           : e.type == T::MouseDown ? "down"
                           : e.type == T::MouseUp   ? "up"
                                                    : "?";
        out += out.empty() ? "" : "; ";
        out += what;
        if (e.type != T::MouseMove) {
            out += e.button == InputEvent::Button::Left ? " L" : " R";
        }
        out += " " + std::to_string(e.x) + "," + std::to_string(e.y);
    }
    return out;
}

using T = InputEvent::Type;

TEST(TouchGesturesTest, ATapClicksWhereTheFingerCameDownAndAMovingFingerDrags) {
    TouchGestures g;
    EXPECT_EQ(told(g.translate(touch(T::TouchDown, 100, 200, 1000), true)), "move 100,200");
    // A finger trembles: still a tap, at the place it came down.
    EXPECT_EQ(told(g.translate(touch(T::TouchMove, 108, 195, 1050), true)), "");
    EXPECT_EQ(told(g.translate(touch(T::TouchUp, 110, 206, 1100), true)),
              "down L 100,200; up L 100,200");
    EXPECT_FALSE(g.active());

    // Past the slop it is a drag from the first point, however long it was held.
    g.translate(touch(T::TouchDown, 100, 200, 2000), true);
    EXPECT_EQ(told(g.translate(touch(T::TouchMove, 130, 200, 3000), true)),
              "down L 100,200; move 130,200");
    EXPECT_EQ(told(g.translate(touch(T::TouchMove, 300, 250, 3100), true)), "move 300,250");
    EXPECT_EQ(told(g.translate(touch(T::TouchUp, 310, 260, 3200), true)),
              "move 310,260; up L 310,260");
    // A quick flick whose only report is its lifting still drags.
    g.translate(touch(T::TouchDown, 100, 200, 4000), true);
    EXPECT_EQ(told(g.translate(touch(T::TouchUp, 400, 200, 4050), true)),
              "down L 100,200; move 400,200; up L 400,200");
}

TEST(TouchGesturesTest, ALongPressIsTheRightClickOnlyWhereOneMeansSomething) {
    TouchGestures g;
    g.translate(touch(T::TouchDown, 50, 60, 1000), true);
    EXPECT_EQ(
        told(g.translate(touch(T::TouchUp, 52, 61, 1000 + TouchGestures::kLongPressMs), true)),
        "down R 50,60; up R 50,60");
    // Just short of it: a tap.
    g.translate(touch(T::TouchDown, 50, 60, 5000), true);
    EXPECT_EQ(
        told(g.translate(touch(T::TouchUp, 50, 60, 5000 + TouchGestures::kLongPressMs - 1), true)),
        "down L 50,60; up L 50,60");
    // In a box a slow tap must still press its button.
    g.translate(touch(T::TouchDown, 50, 60, 9000), false);
    EXPECT_EQ(told(g.translate(touch(T::TouchUp, 50, 60, 12000), false)),
              "down L 50,60; up L 50,60");
}

TEST(TouchGesturesTest, OnlyTheFirstFingerCountsAndAResetForgetsIt) {
    TouchGestures g;
    g.translate(touch(T::TouchDown, 100, 100, 1000, 7), true);
    EXPECT_EQ(told(g.translate(touch(T::TouchDown, 500, 500, 1010, 8), true)), "");
    EXPECT_EQ(told(g.translate(touch(T::TouchMove, 700, 500, 1020, 8), true)), "");
    EXPECT_EQ(told(g.translate(touch(T::TouchUp, 700, 500, 1030, 8), true)), "");
    EXPECT_EQ(told(g.translate(touch(T::TouchUp, 100, 100, 1040, 7), true)),
              "down L 100,100; up L 100,100");

    // The game was busy and dropped the lifting: the finger is forgotten, and
    // a lifting seen later makes no click of it.
    g.translate(touch(T::TouchDown, 100, 100, 2000, 7), true);
    g.reset();
    EXPECT_EQ(told(g.translate(touch(T::TouchUp, 100, 100, 9000, 7), true)), "");
    EXPECT_EQ(told(g.translate(touch(T::TouchMove, 300, 100, 9000, 7), true)), "");
    // Mouse and keys are not its business.
    EXPECT_TRUE(g.translate(test::key(KeyCode::Enter), true).empty());
}

}  // namespace
}  // namespace tessarion
