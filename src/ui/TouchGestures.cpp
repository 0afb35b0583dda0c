#include "ui/TouchGestures.h"

#include <cstdlib>

namespace tessarion {

namespace {

InputEvent mouse(InputEvent::Type type, int x, int y, InputEvent::Button button,
                 std::uint64_t time) {
    InputEvent e;
    e.type = type;
    e.x = x;
    e.y = y;
    e.button = button;
    e.time = time;
    return e;
}

}  // namespace

bool TouchGestures::wandered(int x, int y) const {
    return std::abs(x - x0_) > kSlop || std::abs(y - y0_) > kSlop;
}

std::vector<InputEvent> TouchGestures::translate(const InputEvent& t, bool longPressIsRightClick) {
    using T = InputEvent::Type;
    using B = InputEvent::Button;
    std::vector<InputEvent> out;
    if (t.type == T::TouchDown) {
        if (state_ != State::Idle && t.finger != finger_) {
            return out;  // a second finger
        }
        state_ = State::Held;
        finger_ = t.finger;
        x0_ = t.x;
        y0_ = t.y;
        downAt_ = t.time;
        // The hover comes first, as the mouse's would: the province panel
        // follows the finger, and menus light what it is on.
        out.push_back(mouse(T::MouseMove, t.x, t.y, B::Left, t.time));
        return out;
    }
    if ((t.type != T::TouchMove && t.type != T::TouchUp) || state_ == State::Idle ||
        t.finger != finger_) {
        return out;
    }
    if (state_ == State::Held && wandered(t.x, t.y)) {
        // A drag, from where the finger came down.
        state_ = State::Dragging;
        out.push_back(mouse(T::MouseDown, x0_, y0_, B::Left, t.time));
    }
    if (state_ == State::Dragging) {
        out.push_back(mouse(T::MouseMove, t.x, t.y, B::Left, t.time));
        if (t.type == T::TouchUp) {
            out.push_back(mouse(T::MouseUp, t.x, t.y, B::Left, t.time));
            state_ = State::Idle;
        }
        return out;
    }
    if (t.type == T::TouchUp) {
        const bool held = t.time >= downAt_ && t.time - downAt_ >= kLongPressMs;
        const B button = held && longPressIsRightClick ? B::Right : B::Left;
        out.push_back(mouse(T::MouseDown, x0_, y0_, button, t.time));
        out.push_back(mouse(T::MouseUp, x0_, y0_, button, t.time));
        state_ = State::Idle;
    }
    return out;
}

}  // namespace tessarion
