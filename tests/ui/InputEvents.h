#pragma once

// The player's input as the platform delivers it, for scripting the window's tests.

#include <string>
#include <vector>

#include "platform/Platform.h"

namespace tessarion::test {

inline InputEvent key(KeyCode code, char letter = 0, bool alt = false) {
    InputEvent e;
    e.type = InputEvent::Type::KeyDown;
    e.key = code;
    e.letter = letter;
    e.alt = alt;
    return e;
}

inline InputEvent keyUp(KeyCode code, char letter = 0) {
    InputEvent e = key(code, letter);
    e.type = InputEvent::Type::KeyUp;
    return e;
}

// A name typed into a box, a character at a time.
inline std::vector<InputEvent> typed(const std::string& text) {
    std::vector<InputEvent> events;
    for (char c : text) {
        InputEvent e;
        e.type = InputEvent::Type::Text;
        e.text = c;
        events.push_back(e);
    }
    return events;
}

inline InputEvent mouse(InputEvent::Type type, int x, int y,
                        InputEvent::Button button = InputEvent::Button::Left) {
    InputEvent e;
    e.type = type;
    e.x = x;
    e.y = y;
    e.button = button;
    return e;
}

// A finger on the window's frame at a given time (0: whenever it is looked for).
inline InputEvent touch(InputEvent::Type type, int x, int y, std::uint64_t time = 0,
                        std::int64_t finger = 1) {
    InputEvent e = mouse(type, x, y);
    e.time = time;
    e.finger = finger;
    return e;
}

inline std::vector<InputEvent> click(int x, int y,
                                     InputEvent::Button button = InputEvent::Button::Left) {
    return {mouse(InputEvent::Type::MouseDown, x, y, button),
            mouse(InputEvent::Type::MouseUp, x, y, button)};
}

}  // namespace tessarion::test
