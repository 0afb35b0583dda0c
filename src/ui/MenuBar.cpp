#include "ui/MenuBar.h"

#include <algorithm>
#include <cctype>

#include "game/Commands.h"
#include "game/Lessons.h"
#include "game/Scenarios.h"
#include "model/Skill.h"
#include "res/Languages.h"
#include "ui/Font.h"
#include "ui/Language.h"

namespace tessarion {

namespace {

constexpr std::uint32_t kBarColour = 0xFFE8E2D4;
constexpr std::uint32_t kMenuColour = 0xFFF7F3EA;
constexpr std::uint32_t kBorderColour = 0xFF7A6E5A;
constexpr std::uint32_t kHighlightColour = 0xFF7A2A1E;  // a Roman red
constexpr std::uint32_t kTextColour = 0xFF1C1710;
constexpr int kItemHeight = 20;
constexpr int kTitlePadding = 8;

std::string plain(const std::string& label) {
    std::string out;
    for (std::size_t i = 0; i < label.size(); ++i) {
        if (label[i] == '&' && i + 1 < label.size()) {
            continue;
        }
        out += label[i];
    }
    return out;
}

// The underlined letter, lower case; 0 when there is none.
char mnemonic(const std::string& label) {
    const std::size_t amp = label.find('&');
    if (amp == std::string::npos || amp + 1 >= label.size()) {
        return 0;
    }
    return static_cast<char>(std::tolower(static_cast<unsigned char>(label[amp + 1])));
}

void drawLabel(Surface& s, int x, int y, const std::string& english, std::uint32_t colour,
               bool underline) {
    const std::string label = tr(english);
    const TextStyle saved = s.text;
    s.text.colour = colour;
    s.text.opaque = false;
    const std::string text = plain(label);
    s.drawText(x, y, text);
    const std::size_t amp = label.find('&');
    if (underline && amp != std::string::npos && amp + 1 < label.size()) {
        Font& font = defaultFont();
        const int from = x + font.width(plain(label.substr(0, amp)));
        const int to = from + font.width(label.substr(amp + 1, 1));
        const int under = y + font.ascent() + 2;
        s.drawLine(from, under, to, under, colour);
    }
    s.text = saved;
}

void drawCheck(Surface& s, int x, int y, std::uint32_t colour) {
    // A small tick, two pixels thick.
    for (int t = 0; t < 2; ++t) {
        s.drawLine(x, y + 4 + t, x + 3, y + 7 + t, colour);
        s.drawLine(x + 3, y + 7 + t, x + 9, y + 1 + t, colour);
    }
}

void drawArrow(Surface& s, int x, int y, std::uint32_t colour) {
    for (int i = 0; i < 4; ++i) {
        s.drawLine(x + i, y + i, x + i, y + 8 - i, colour);
    }
}

int textTop(int boxTop) {
    return boxTop + (kItemHeight - defaultFont().height()) / 2;
}

// The History Lessons submenu, in the order of the lesson table.
std::vector<MenuItem> lessonItems() {
    std::vector<MenuItem> items;
    for (const Lesson& lesson : kLessons) {
        items.emplace_back(lesson.title, lesson.menuId);
    }
    return items;
}

// The Language submenu: each language in its own name.
std::vector<MenuItem> languageItems() {
    std::vector<MenuItem> items;
    for (std::size_t i = 0; i < res::languages().size(); ++i) {
        items.emplace_back(std::string(res::languages()[i].ownName),
                           cmd::kLanguageIds.first + static_cast<int>(i));
    }
    return items;
}

// The Scenarios submenu, in the order of the scenario table.
std::vector<MenuItem> scenarioItems() {
    std::vector<MenuItem> items;
    for (const Scenario& scenario : scenarios()) {
        items.emplace_back(scenario.label, scenario.id);
    }
    return items;
}

}  // namespace

MenuBar::MenuBar() {
    menus = {
        {N_("&File"),
         {{N_("New Game"), cmd::kNewGame},
          {N_("Save"), cmd::kSave},
          {N_("Load"), cmd::kLoad},
          {N_("Export Chronicle"), cmd::kExportChronicle},
          {N_("E&xit"), cmd::kExit}}},
        {N_("Options"),
         {{N_("Skill Level"),
           0,
           false,
           {{std::string(kSkill.names[0]), cmd::kEasy},
            {std::string(kSkill.names[1]), cmd::kNormal, true},
            {std::string(kSkill.names[2]), cmd::kHard}}},
          {N_("Sound"), cmd::kSound, true},
          {N_("Volume"),
           0,
           false,
           {{"25%", cmd::kVolume25},
            {"50%", cmd::kVolume50},
            {"75%", cmd::kVolume75},
            {"100%", cmd::kVolume100, true}}},
          {N_("Colour-blind Map"), cmd::kColours},
          {N_("Language"), 0, false, languageItems()},
          {N_("Scenarios"), 0, false, scenarioItems()}}},
        {N_("History"),
         {{N_("History Lessons"), 0, false, lessonItems()},
          {N_("Year Report"), cmd::kYearReport},
          {N_("Chronicle"), cmd::kChronicle},
          {N_("Study Guide"), cmd::kStudyGuide},
          {N_("Take Quiz"), cmd::kTakeQuiz}}},
        {N_("&Help"),
         {{N_("Help"), cmd::kHelp},
          {N_("Video Tutorial"), cmd::kVideoTutorial},
          {N_("&About ..."), cmd::kAbout}}},
    };
}

MenuItem* MenuBar::find(int id) {
    for (Menu& m : menus) {
        for (MenuItem& item : m.items) {
            if (item.id == id) {
                return &item;
            }
            for (MenuItem& sub : item.submenu) {
                if (sub.id == id) {
                    return &sub;
                }
            }
        }
    }
    return nullptr;
}

const MenuItem* MenuBar::find(int id) const {
    return const_cast<MenuBar*>(this)->find(id);
}

void MenuBar::setChecked(int id, bool checked) {
    if (MenuItem* item = find(id)) {
        item->checked = checked;
    }
}

bool MenuBar::isChecked(int id) const {
    const MenuItem* item = find(id);
    return item != nullptr && item->checked;
}

void MenuBar::close() {
    open_ = -1;
    item_ = -1;
    sub_ = -1;
    subOpen_ = false;
    barFocus_ = false;
}

int MenuBar::itemWidth(const std::vector<MenuItem>& items) const {
    int widest = 0;
    for (const MenuItem& item : items) {
        widest = std::max(widest, defaultFont().width(plain(tr(item.label))));
    }
    return widest + 52;
}

MenuBar::Box MenuBar::titleBox(int menu) const {
    int x = 4;
    for (int i = 0; i < static_cast<int>(menus.size()); ++i) {
        const int w = defaultFont().width(plain(tr(menus[static_cast<std::size_t>(i)].label))) +
                      2 * kTitlePadding;
        if (i == menu) {
            return {x, 0, x + w, kHeight};
        }
        x += w;
    }
    return {};
}

MenuBar::Box MenuBar::dropdownBox(int menu) const {
    const Box title = titleBox(menu);
    const auto& items = menus[static_cast<std::size_t>(menu)].items;
    return {title.left, kHeight, title.left + itemWidth(items),
            kHeight + 4 + kItemHeight * static_cast<int>(items.size())};
}

std::optional<MenuBar::Box> MenuBar::openArea() const {
    if (open_ < 0) {
        return std::nullopt;
    }
    Box area = dropdownBox(open_);
    if (subOpen_ && item_ >= 0) {
        const Box sub = submenuBox(open_, item_);
        area = {std::min(area.left, sub.left), std::min(area.top, sub.top),
                std::max(area.right, sub.right), std::max(area.bottom, sub.bottom)};
    }
    return area;
}

MenuBar::Box MenuBar::itemBox(int menu, int item) const {
    const Box drop = dropdownBox(menu);
    const int top = drop.top + 2 + kItemHeight * item;
    return {drop.left + 2, top, drop.right - 2, top + kItemHeight};
}

MenuBar::Box MenuBar::submenuBox(int menu, int item) const {
    const Box parent = itemBox(menu, item);
    const auto& subs =
        menus[static_cast<std::size_t>(menu)].items[static_cast<std::size_t>(item)].submenu;
    const int left = parent.right;
    return {left, parent.top - 2, left + itemWidth(subs),
            parent.top + 2 + kItemHeight * static_cast<int>(subs.size())};
}

MenuBar::Box MenuBar::subitemBox(int menu, int item, int sub) const {
    const Box box = submenuBox(menu, item);
    const int top = box.top + 2 + kItemHeight * sub;
    return {box.left + 2, top, box.right - 2, top + kItemHeight};
}

void MenuBar::draw(Surface& frame) const {
    frame.fillRect(0, 0, frame.width(), kHeight, kBarColour);
    frame.drawLine(0, kHeight - 1, frame.width(), kHeight - 1, kBorderColour);
    const bool underline = barFocus_ || altDown_ || open_ >= 0;
    for (int m = 0; m < static_cast<int>(menus.size()); ++m) {
        const Box t = titleBox(m);
        const bool lit = m == open_ || (barFocus_ && open_ < 0 && item_ == m);
        if (lit) {
            frame.fillRect(t.left, t.top + 1, t.right, t.bottom - 1, kHighlightColour);
        }
        drawLabel(frame, t.left + kTitlePadding, textTop(t.top),
                  menus[static_cast<std::size_t>(m)].label, lit ? kWhite : kTextColour, underline);
    }
    if (open_ < 0) {
        return;
    }
    auto drawList = [&](const Box& box, const std::vector<MenuItem>& items, int lit, auto itemAt) {
        frame.fillRect(box.left, box.top, box.right, box.bottom, kMenuColour);
        frame.drawFrame(box.left, box.top, box.right, box.bottom, kBorderColour);
        for (int i = 0; i < static_cast<int>(items.size()); ++i) {
            const MenuItem& item = items[static_cast<std::size_t>(i)];
            const Box b = itemAt(i);
            const std::uint32_t ink = i == lit ? kWhite : kTextColour;
            if (i == lit) {
                frame.fillRect(b.left, b.top, b.right, b.bottom, kHighlightColour);
            }
            if (item.checked) {
                drawCheck(frame, b.left + 6, b.top + 5, ink);
            }
            drawLabel(frame, b.left + 22, textTop(b.top), item.label, ink, true);
            if (!item.submenu.empty()) {
                drawArrow(frame, b.right - 12, b.top + 6, ink);
            }
        }
    };
    const auto& items = menus[static_cast<std::size_t>(open_)].items;
    drawList(dropdownBox(open_), items, item_, [&](int i) { return itemBox(open_, i); });
    if (subOpen_ && item_ >= 0) {
        const auto& subs = items[static_cast<std::size_t>(item_)].submenu;
        drawList(submenuBox(open_, item_), subs, sub_,
                 [&](int i) { return subitemBox(open_, item_, i); });
    }
}

void MenuBar::hitTest(int x, int y, int& menu, int& item, int& sub) const {
    menu = item = sub = -1;
    if (open_ >= 0 && subOpen_ && item_ >= 0) {
        const auto& subs =
            menus[static_cast<std::size_t>(open_)].items[static_cast<std::size_t>(item_)].submenu;
        for (int s = 0; s < static_cast<int>(subs.size()); ++s) {
            if (subitemBox(open_, item_, s).contains(x, y)) {
                menu = open_;
                item = item_;
                sub = s;
                return;
            }
        }
    }
    if (open_ >= 0) {
        const auto& items = menus[static_cast<std::size_t>(open_)].items;
        for (int i = 0; i < static_cast<int>(items.size()); ++i) {
            if (itemBox(open_, i).contains(x, y)) {
                menu = open_;
                item = i;
                return;
            }
        }
    }
    for (int m = 0; m < static_cast<int>(menus.size()); ++m) {
        if (titleBox(m).contains(x, y)) {
            menu = m;
            return;
        }
    }
}

std::optional<int> MenuBar::activate(int menu, int item, int sub) {
    const MenuItem& it =
        menus[static_cast<std::size_t>(menu)].items[static_cast<std::size_t>(item)];
    if (sub >= 0) {
        const int id = it.submenu[static_cast<std::size_t>(sub)].id;
        close();
        return id;
    }
    if (!it.submenu.empty()) {
        open_ = menu;
        item_ = item;
        subOpen_ = true;
        sub_ = 0;
        return std::nullopt;
    }
    close();
    return it.id;
}

std::optional<int> MenuBar::mouseDown(int x, int y, bool& consumed) {
    int menu = 0;
    int item = 0;
    int sub = 0;
    hitTest(x, y, menu, item, sub);
    pressedInMenus_ = false;
    if (menu >= 0 && item < 0) {
        // A title: open it, or close it when it is already open.
        consumed = true;
        pressedInMenus_ = true;
        if (open_ == menu) {
            close();
        } else {
            openAt(menu, -1);
            openedByKeyboard_ = false;
        }
        return std::nullopt;
    }
    if (menu >= 0) {
        consumed = true;
        pressedInMenus_ = true;
        return std::nullopt;
    }
    if (open_ >= 0) {
        // A click away from an open menu closes it and goes no further.
        consumed = true;
        pressedInMenus_ = true;
        close();
        return std::nullopt;
    }
    // With nothing open the bar gives up the keyboard, and the click is the
    // window's as if the bar had never had it.
    close();
    consumed = false;
    return std::nullopt;
}

std::optional<int> MenuBar::mouseUp(int x, int y, bool& consumed) {
    consumed = pressedInMenus_ || active();
    pressedInMenus_ = false;
    int menu = 0;
    int item = 0;
    int sub = 0;
    hitTest(x, y, menu, item, sub);
    if (menu >= 0 && item >= 0) {
        return activate(menu, item, sub);
    }
    return std::nullopt;
}

void MenuBar::mouseMove(int x, int y) {
    if (open_ < 0) {
        return;
    }
    int menu = 0;
    int item = 0;
    int sub = 0;
    hitTest(x, y, menu, item, sub);
    if (menu < 0) {
        return;
    }
    if (item < 0) {
        if (menu != open_) {
            openAt(menu, -1);
        }
        return;
    }
    if (sub >= 0) {
        sub_ = sub;
        return;
    }
    item_ = item;
    const MenuItem& it =
        menus[static_cast<std::size_t>(open_)].items[static_cast<std::size_t>(item)];
    subOpen_ = !it.submenu.empty();
    sub_ = -1;
}

namespace {

// The entry whose underlined letter was typed; -1 for none.
template <class Entries>
int entryWithMnemonic(const Entries& entries, char letter) {
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (mnemonic(tr(entries[i].label)) == letter) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

// One step through a list of n, round from either end; from nothing the
// first step down is the first entry and up the last.
int stepThrough(int index, int n, int step) {
    if (step < 0) {
        return index <= 0 ? n - 1 : index - 1;
    }
    return index < 0 || index >= n - 1 ? 0 : index + 1;
}

int stepOf(KeyCode key) {
    return key == KeyCode::Up || key == KeyCode::Left ? -1 : 1;
}

}  // namespace

void MenuBar::openAt(int menu, int item) {
    open_ = menu;
    item_ = item;
    sub_ = -1;
    subOpen_ = false;
    barFocus_ = false;
    openedByKeyboard_ = true;
}

void MenuBar::toggleBarFocus() {
    if (active()) {
        close();
    } else {
        barFocus_ = true;
        item_ = 0;
    }
}

std::optional<int> MenuBar::keyDown(const InputEvent& key, bool& consumed) {
    consumed = false;
    if (key.key == KeyCode::Alt) {
        if (!key.repeat) {
            altDown_ = true;
            altUsed_ = false;
        }
        consumed = true;
        return std::nullopt;
    }
    if (key.key == KeyCode::F10) {
        consumed = true;
        toggleBarFocus();
        return std::nullopt;
    }
    if (key.alt && key.key == KeyCode::Letter) {
        altUsed_ = true;
        const int menu = entryWithMnemonic(menus, key.letter);
        if (menu >= 0) {
            consumed = true;
            openAt(menu, 0);
        }
        return std::nullopt;
    }
    if (!active()) {
        return std::nullopt;
    }
    consumed = true;
    if (open_ < 0) {
        keyOnBar(key);
        return std::nullopt;
    }
    if (subOpen_ && item_ >= 0 && key.key != KeyCode::Right) {
        return keyInSubmenu(key);
    }
    return keyInMenu(key);
}

// The bar has the keyboard with nothing open; item_ is the lit title.
void MenuBar::keyOnBar(const InputEvent& key) {
    const int count = static_cast<int>(menus.size());
    switch (key.key) {
        case KeyCode::Left:
        case KeyCode::Right:
            item_ = stepThrough(item_, count, stepOf(key.key));
            break;
        case KeyCode::Down:
        case KeyCode::Enter:
            openAt(item_, 0);
            break;
        case KeyCode::Escape:
            close();
            break;
        case KeyCode::Letter:
            if (const int menu = entryWithMnemonic(menus, key.letter); menu >= 0) {
                openAt(menu, 0);
            }
            break;
        default:
            break;
    }
}

std::optional<int> MenuBar::keyInSubmenu(const InputEvent& key) {
    const auto& subs =
        menus[static_cast<std::size_t>(open_)].items[static_cast<std::size_t>(item_)].submenu;
    switch (key.key) {
        case KeyCode::Up:
        case KeyCode::Down:
            sub_ = stepThrough(sub_, static_cast<int>(subs.size()), stepOf(key.key));
            break;
        case KeyCode::Left:
        case KeyCode::Escape:
            subOpen_ = false;
            sub_ = -1;
            break;
        case KeyCode::Enter:
            if (sub_ >= 0) {
                return activate(open_, item_, sub_);
            }
            break;
        case KeyCode::Letter:
            if (const int sub = entryWithMnemonic(subs, key.letter); sub >= 0) {
                return activate(open_, item_, sub);
            }
            break;
        default:
            break;
    }
    return std::nullopt;
}

std::optional<int> MenuBar::keyInMenu(const InputEvent& key) {
    const auto& items = menus[static_cast<std::size_t>(open_)].items;
    const int count = static_cast<int>(menus.size());
    switch (key.key) {
        case KeyCode::Up:
        case KeyCode::Down:
            item_ = stepThrough(item_, static_cast<int>(items.size()), stepOf(key.key));
            subOpen_ = false;
            break;
        case KeyCode::Right:
            // Into the lit item's submenu; from a submenu or a plain item, on to the next menu.
            if (!subOpen_ && item_ >= 0 &&
                !items[static_cast<std::size_t>(item_)].submenu.empty()) {
                subOpen_ = true;
                sub_ = 0;
            } else {
                openAt(stepThrough(open_, count, 1), 0);
            }
            break;
        case KeyCode::Left:
            openAt(stepThrough(open_, count, -1), 0);
            break;
        case KeyCode::Enter:
            if (item_ >= 0) {
                return activate(open_, item_, -1);
            }
            break;
        case KeyCode::Escape: {
            // Back to the bar when the keyboard opened the menu; a menu the
            // mouse opened closes altogether, leaving nothing lit.
            const int was = open_;
            const bool toBar = openedByKeyboard_;
            close();
            if (toBar) {
                barFocus_ = true;
                item_ = was;
            }
            break;
        }
        case KeyCode::Letter:
            if (const int item = entryWithMnemonic(items, key.letter); item >= 0) {
                return activate(open_, item, -1);
            }
            break;
        default:
            break;
    }
    return std::nullopt;
}

void MenuBar::keyUp(const InputEvent& key, bool& consumed) {
    consumed = false;
    if (key.key != KeyCode::Alt) {
        return;
    }
    consumed = true;
    altDown_ = false;
    if (altUsed_) {
        return;
    }
    // Alt pressed and released alone: the bar takes or gives back the keyboard.
    toggleBarFocus();
}

}  // namespace tessarion
