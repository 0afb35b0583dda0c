// The menu bar worked from the keyboard alone: Alt or F10, the arrows round either end, the
// underlined letters, Enter and Escape.
#include "ui/MenuBar.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "game/Commands.h"
#include "ui/InputEvents.h"

namespace tessarion {
namespace {

using test::key;

TEST(MenuBarKeys, ArrowsLettersEnterAndEscapeWalkTheMenus) {
    const InputEvent f10 = key(KeyCode::F10);
    const InputEvent up = key(KeyCode::Up);
    const InputEvent down = key(KeyCode::Down);
    const InputEvent left = key(KeyCode::Left);
    const InputEvent right = key(KeyCode::Right);
    const InputEvent enter = key(KeyCode::Enter);
    const InputEvent escape = key(KeyCode::Escape);
    const InputEvent altF = key(KeyCode::Letter, 'f', true);
    const InputEvent altH = key(KeyCode::Letter, 'h', true);
    const InputEvent altO = key(KeyCode::Letter, 'o', true);
    const InputEvent alt = key(KeyCode::Alt);
    const InputEvent altUp = test::keyUp(KeyCode::Alt);
    struct Case {
        const char* what;
        std::vector<InputEvent> keys;
        int open;  // the open menu, -1 none
        int item;  // its lit item, or the lit title when none is open
        int sub;   // the lit item of the open submenu
        std::optional<int> command;
    };
    const Case cases[] = {
        {"F10 lights the first title; Left goes round to the last", {f10, left}, -1, 3, -1, {}},
        {"Enter on a lit title opens it", {f10, right, enter}, 1, 0, -1, {}},
        {"Alt and a title's letter open it", {altH}, 3, 0, -1, {}},
        {"Up from the first item goes round to the last", {altF, up}, 0, 4, -1, {}},
        {"Down from the last item goes round to the first", {altF, up, down}, 0, 0, -1, {}},
        {"Enter chooses the lit item", {altF, up, enter}, -1, -1, -1, cmd::kExit},
        {"an item's letter chooses it", {altH, key(KeyCode::Letter, 'a')}, -1, -1, -1, cmd::kAbout},
        {"Right opens the lit item's submenu", {f10, right, enter, right}, 1, 0, 0, {}},
        {"Up in a submenu goes round", {f10, right, enter, right, up}, 1, 0, 2, {}},
        {"Enter in a submenu", {f10, right, enter, right, up, enter}, -1, -1, -1, cmd::kHard},
        {"Left closes the submenu only", {f10, right, enter, right, left}, 1, 0, -1, {}},
        {"Right from a submenu is the next menu", {f10, right, enter, right, right}, 2, 0, -1, {}},
        {"Left from a menu is the one before, round the end", {altF, left}, 3, 0, -1, {}},
        {"Escape closes the menu and lights its title", {altH, escape}, -1, 3, -1, {}},
        {"Escape from a submenu closes it only", {f10, right, enter, right, escape}, 1, 0, -1, {}},
        {"a second Escape leaves the bar", {altH, escape, escape}, -1, -1, -1, {}},
        {"Alt and a letter no title has opens nothing", {altO}, -1, -1, -1, {}},
        {"Alt alone lights the first title", {alt, altUp, right}, -1, 1, -1, {}},
        {"Alt alone a second time leaves the bar", {alt, altUp, alt, altUp}, -1, -1, -1, {}},
        {"releasing Alt after Alt+F leaves the menu open", {alt, altF, altUp}, 0, 0, -1, {}},
    };
    for (const Case& c : cases) {
        MenuBar menu;
        std::optional<int> chosen;
        for (const InputEvent& e : c.keys) {
            bool consumed = false;
            if (e.type == InputEvent::Type::KeyUp) {
                menu.keyUp(e, consumed);
            } else if (std::optional<int> id = menu.keyDown(e, consumed)) {
                chosen = id;
            }
        }
        EXPECT_EQ(menu.openMenu(), c.open) << c.what;
        EXPECT_EQ(menu.highlightedItem(), c.item) << c.what;
        EXPECT_EQ(menu.highlightedSubitem(), c.sub) << c.what;
        EXPECT_EQ(chosen, c.command) << c.what;
    }
}

}  // namespace
}  // namespace tessarion
