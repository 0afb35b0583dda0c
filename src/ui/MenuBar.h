#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/Platform.h"
#include "ui/Layout.h"
#include "ui/Surface.h"

namespace tessarion {

struct MenuItem {
    MenuItem(std::string text, int command = 0, bool check = false,
             std::vector<MenuItem> items = {})
        : label(std::move(text)), id(command), checked(check), submenu(std::move(items)) {}

    std::string label;  // "&" marks the underlined letter
    int id = 0;         // 0 for a submenu
    bool checked = false;
    std::vector<MenuItem> submenu;
};

struct Menu {
    std::string label;
    std::vector<MenuItem> items;
};

// The game's menu bar (menu 109), drawn by the game above the client area and
// worked with the mouse or the keyboard: Alt or F10 to reach it, the
// underlined letters, the arrows, Enter and Escape.
class MenuBar {
  public:
    static constexpr int kHeight = layout::kMenuBarHeight;

    MenuBar();

    std::vector<Menu> menus;

    void setChecked(int id, bool checked);
    bool isChecked(int id) const;

    // True while a menu is open or the bar has the keyboard.
    bool active() const { return open_ >= 0 || barFocus_; }
    void close();

    void draw(Surface& frame) const;

    // Each returns the command chosen, if any; `consumed` tells the caller
    // the event belonged to the menus.
    std::optional<int> mouseDown(int x, int y, bool& consumed);
    std::optional<int> mouseUp(int x, int y, bool& consumed);
    void mouseMove(int x, int y);
    std::optional<int> keyDown(const InputEvent& key, bool& consumed);
    void keyUp(const InputEvent& key, bool& consumed);

    // Where things are, for drawing and for tests.
    struct Box {
        int left = 0;
        int top = 0;
        int right = 0;
        int bottom = 0;
        bool contains(int x, int y) const {
            return x >= left && x < right && y >= top && y < bottom;
        }
    };
    Box titleBox(int menu) const;
    Box dropdownBox(int menu) const;
    Box itemBox(int menu, int item) const;
    Box submenuBox(int menu, int item) const;
    Box subitemBox(int menu, int item, int sub) const;
    // What the open menu covers below the bar (its list and any submenu);
    // nothing while none is open.
    std::optional<Box> openArea() const;
    int openMenu() const { return open_; }
    int highlightedItem() const { return item_; }
    int highlightedSubitem() const { return sub_; }

  private:
    MenuItem* find(int id);
    const MenuItem* find(int id) const;
    std::optional<int> activate(int menu, int item, int sub);
    int itemWidth(const std::vector<MenuItem>& items) const;
    void hitTest(int x, int y, int& menu, int& item, int& sub) const;
    // Opens a menu with an item lit (-1 none), its submenus closed.
    void openAt(int menu, int item);
    // Alt alone or F10: the bar takes the keyboard, or gives it back.
    void toggleBarFocus();
    // The keys while the bar has the keyboard, in an open submenu, in an open menu.
    void keyOnBar(const InputEvent& key);
    std::optional<int> keyInSubmenu(const InputEvent& key);
    std::optional<int> keyInMenu(const InputEvent& key);

    int open_ = -1;  // open menu, -1 none
    int item_ = -1;  // highlighted item in it
    int sub_ = -1;   // highlighted item of its open submenu, -1 when the submenu is closed
    bool subOpen_ = false;
    bool barFocus_ = false;  // Alt pressed: the bar has the keyboard, nothing open
    bool altDown_ = false;
    bool altUsed_ = false;
    bool pressedInMenus_ = false;
    bool openedByKeyboard_ = false;  // the open menu came from Alt, F10 or a key
};

}  // namespace tessarion
