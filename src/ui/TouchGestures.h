#pragma once

#include <cstdint>
#include <vector>

#include "platform/Platform.h"

namespace tessarion {

// A finger made into the mouse the game already understands. A tap is a click
// where the finger came down; a finger that moves drags from where it came
// down; a finger held still and lifted after kLongPressMs is the right click,
// wherever a right click means something, and a click elsewhere (a box or an
// open menu, where a slow tap must still press the button). Only the first
// finger counts: others that come down meanwhile are ignored.
class TouchGestures {
  public:
    // How far a finger may wander (frame pixels) and still tap or hold.
    static constexpr int kSlop = 16;
    static constexpr std::uint64_t kLongPressMs = 600;

    // The mouse events one touch event amounts to, carrying its time; nothing
    // for anything else.
    std::vector<InputEvent> translate(const InputEvent& touch, bool longPressIsRightClick);
    // The fingers' history is void (input was dropped while the game was busy,
    // and with it perhaps a finger's lifting): the next finger starts afresh.
    void reset() { state_ = State::Idle; }
    // A finger is down and counted.
    bool active() const { return state_ != State::Idle; }

  private:
    enum class State { Idle, Held, Dragging };
    bool wandered(int x, int y) const;

    State state_ = State::Idle;
    std::int64_t finger_ = 0;
    int x0_ = 0;
    int y0_ = 0;
    std::uint64_t downAt_ = 0;
};

}  // namespace tessarion
