#pragma once

#include <optional>
#include <string>

#include "game/Commands.h"
#include "game/Lessons.h"
#include "ui/Layout.h"

namespace tessarion {

class Game;
struct Province;

// What the window logic needs from whoever hosts it: the desktop window or the
// text console. Pictures, sounds, pages and dialogs are theirs.
class ShellHost {
  public:
    virtual ~ShellHost() = default;
    // Compose the screen now and have the whole window painted again.
    virtual void redrawScreen() = 0;
    // The province panel under the map, drawn on the window at once.
    virtual void drawProvinceInfo() = 0;
    virtual void playLesson(const Lesson& lesson) = 0;
    virtual void openWebPage(const std::string& path) = 0;
    virtual void showAbout() = 0;
    // The file dialogs; nothing when the player cancels.
    virtual std::optional<std::string> chooseSavePath() = 0;
    virtual std::optional<std::string> chooseLoadPath() = 0;
    // The platform's plain message box.
    virtual void alert(const std::string& caption, const std::string& text) = 0;
    virtual void quit() = 0;
    // The check marks of the Options menu changed.
    virtual void menuChecksChanged() {}
};

// The platform-free half of the game window: mouse, keys and menu commands
// turned into calls on the rules.
class Shell {
  public:
    Shell(Game& game, ShellHost& host) : game_(game), host_(host) {}

    Game& game() const { return game_; }

    // Layout: the screen is laid out 1366 wide and centred on wider ones.
    static int layoutOffsetFor(int width) { return width > 1366 ? (width - 1366) / 2 : 0; }
    int layoutOffsetX = 0;
    int mapOriginX() const { return layout::windowXOfMap(0, layoutOffsetX); }
    static constexpr int kMapOriginY = layout::kMapTop;

    bool soundEnabled = true;
    bool keyP = false;
    bool keyF = false;
    bool keyJ = false;
    int mouseMapX = 0;
    int mouseMapY = 0;
    Province* hoveredProvince = nullptr;
    Province* shownProvince = nullptr;

    enum class Key { P, F, J, Other };

    void mouseMove(int x, int y);
    void leftButtonDown(int x, int y);
    void leftButtonUp(int x, int y);
    void rightButtonUp();
    void keyDown(Key key);
    void keyUp(Key key);
    // A typed character (the "?" and "/" accelerators); true when it was one.
    bool character(char c);
    // A menu command; false for an id the game does not know.
    bool command(int id, int param = 0);

    // The province whose legion box holds a map point (lowest slot wins).
    Province* legionBoxAt(int mapX, int mapY) const;
    // A window point where a press picks the province's legions, and one where
    // a release drops on the province (nothing when no such point exists).
    std::optional<std::pair<int, int>> pressPointFor(Province* province) const;
    std::optional<std::pair<int, int>> dropPointFor(Province* province) const;
    // A whole drag from one province to another, as the player would make it.
    // False when no point of the map picks one of them.
    bool dragLegion(Province* from, Province* to);

    // Whether the last left-button release carried out an order.
    bool lastDropCarriedOut = false;

  private:
    void saveCommand();
    void loadCommand();

    Game& game_;
    ShellHost& host_;
};

}  // namespace tessarion
