#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "platform/Platform.h"
#include "ui/ModalBox.h"
#include "ui/Surface.h"
#include "ui/TouchGestures.h"

namespace tessarion {

class MenuBar;
class Screen;

// Runs the window's modal boxes and shows the screen's frame: the menu bar
// and the open box drawn over the frame for each showing, then taken off
// again, so that the window under them stays the game's picture. It also
// keeps the game's busy time, in which input the player gave while the game
// was working is dropped.
class ModalRunner {
  public:
    ModalRunner(Platform& platform, Screen& screen, MenuBar& menu);

    // Runs a box until it ends, pumping input into it and repainting. The
    // box, laid out in the client area, is placed below the menu bar. Input
    // that came before it opened is not its own. Closing it repaints the
    // window from the game as it stands, once the map has been painted.
    void run(ModalBox& box);
    // The game waits (animations, the banner, the zoom): the window answers,
    // and input arriving meanwhile is dropped.
    void pause(int ms);
    // Something held the game up, so what the player did meanwhile is stale.
    void noteWait() { waited_ = true; }
    // Shows the frame: menu bar, the window surface, any open box.
    void presentFrame();

    // From its making until its end the game works on an input of the
    // player's; what the player does meanwhile is dropped rather than acted
    // on later, except in the boxes that open on the way.
    class BusyTime {
      public:
        explicit BusyTime(ModalRunner& runner);
        ~BusyTime();
        BusyTime(const BusyTime&) = delete;
        BusyTime& operator=(const BusyTime&) = delete;

      private:
        ModalRunner& runner_;
    };
    bool busy() const { return busy_ > 0; }

    // From beginWait to the matching endWait the game plays out an order or
    // a turn and the pointer says so; a box that opens meanwhile is the
    // player's to answer, and shows the usual arrow while it is open. Calls nest.
    void beginWait();
    void endWait();
    bool waiting() const { return waiting_ > 0; }

    // The window is closing: open boxes end the gentle way, new ones at once.
    void close() { closing_ = true; }
    // The boxes of the farewell, and of an error, run their course.
    void reopen() { closing_ = false; }
    bool closing() const { return closing_; }

    // The map has been painted once and boxes repaint it when they close.
    bool mapPainted = false;
    // The window's own events while a box is open (resizing, full screen);
    // true when it took the event.
    std::function<bool(const InputEvent&)> windowEvent;
    // A key let go while a box is open: no key may stay held for the window
    // because its release came to a box.
    std::function<void(const InputEvent&)> keyReleased;
    // Called each time a box opens, before its loop runs (for tests and tools).
    std::function<void(ModalBox&)> onBoxOpened;

    // The mouse events a touch amounts to: on the map a long press is the
    // right click; in a box or an open menu it is a click.
    std::vector<InputEvent> fromTouch(const InputEvent& touch);
    static bool isTouch(const InputEvent& e) {
        return e.type == InputEvent::Type::TouchDown || e.type == InputEvent::Type::TouchMove ||
               e.type == InputEvent::Type::TouchUp;
    }

    ModalBox* openBox() const { return box_; }
    Surface& frame();
    const Surface& frame() const;

  private:
    void deliver(ModalBox& box, const InputEvent& e);
    // Drops what the player did since the game got busy, fingers included.
    void discardInput();
    // How long the box's loop may wait for input before it ticks; -1 for as
    // long as it takes.
    int waitFor(const ModalBox& box, std::uint64_t now) const;
    // Keeps what lies under the open menu and box, in the frame's pixels.
    void keepUnder();
    // Puts it back; true when the menu and box drew only where it was kept.
    bool putBack(const std::optional<std::vector<Area>>& drawn);

    Platform& platform_;
    Screen& screen_;
    MenuBar& menu_;
    // The pixels under the menu and the box while they are shown, area by
    // area, row by row.
    SavedPixels under_;
    ModalBox* box_ = nullptr;
    bool closing_ = false;
    int busy_ = 0;
    int waiting_ = 0;
    std::uint64_t busySince_ = 0;
    bool waited_ = false;
    TouchGestures touch_;
};

}  // namespace tessarion
