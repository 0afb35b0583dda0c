#pragma once

#include <optional>
#include <string>

#include "engine/Orders.h"
#include "game/Commands.h"
#include "game/Lessons.h"
#include "model/FrontEnd.h"
#include "ui/Layout.h"
#include "ui/MapCursor.h"
#include "ui/Surface.h"
#include "ui/WindowState.h"

namespace tessarion {

class Game;
struct Province;

// What the window logic needs from whoever hosts it, the desktop window or
// the text console, beyond what the rules ask of it as their front end
// (`redrawScreen`, `quit` and the rest). Pictures, sounds, pages and dialogs
// are theirs. Everything does nothing by default and the file boxes are
// cancelled, so a host overrides only what it shows.
class ShellHost : public FrontEnd {
  public:
    // The province panel under the map, drawn on the window at once.
    virtual void drawProvinceInfo() {}
    virtual void playLesson(const Lesson& lesson) { (void)lesson; }
    virtual void openWebPage(const std::string& path) { (void)path; }
    virtual void showAbout() {}
    // The file dialogs; nothing when the player cancels.
    virtual std::optional<std::string> chooseSavePath() { return std::nullopt; }
    virtual std::optional<std::string> chooseLoadPath() { return std::nullopt; }
    // The platform's plain message box.
    virtual void alert(const std::string& caption, const std::string& text) {
        (void)caption, (void)text;
    }
    // The check marks of the Options menu changed.
    virtual void menuChecksChanged() {}
    // The end-turn button, drawn pressed or raised on the window at once.
    virtual void drawEndTurnButton(bool pressed) { (void)pressed; }
    // The keyboard's highlight or its picked-up legion changed: the map shows
    // them again, and the province panel the highlighted province.
    virtual void drawMapCursor() {}
    // The last closed year's record, and the chronicle's picture and figures
    // written to files of the player's choosing.
    virtual void showYearReport() {}
    virtual void exportChronicle() {}
    // From true to the matching false the game plays out an order or a turn
    // and does not listen: the host shows it on the end-turn button and the
    // pointer. Calls nest.
    virtual void showBusy(bool busy) { (void)busy; }
    // The player asks to leave (File > Exit): a host may ask first. The
    // rules' own end of the program is `quit`, which never asks.
    virtual void leave() { quit(); }
    // The game was saved to, or loaded from, a file the player chose.
    virtual void gameFiled() {}
};

// The platform-free half of the game window: mouse, keys and menu commands
// turned into calls on the rules.
class Shell {
  public:
    Shell(Game& game, ShellHost& host) : game_(game), host_(host) {}

    Game& game() const { return game_; }

    // Layout: the screen is laid out 1366 wide and centred on wider ones.
    static int layoutOffsetFor(int width) {
        return width > layout::kLayoutWidth ? (width - layout::kLayoutWidth) / 2 : 0;
    }
    // Where the layout starts on a window wider than it: the screen owns it,
    // the shell follows it (0 when there is no screen).
    int layoutOffsetX() const { return layoutOffset_ != nullptr ? *layoutOffset_ : 0; }
    void followLayoutOffset(const int& offset) { layoutOffset_ = &offset; }
    // The window the shell's buttons are drawn on, for their size at its scale.
    void followWindow(const Surface& window) { window_ = &window; }
    double windowScale() const { return window_ != nullptr ? window_->scale() : 1.0; }
    int mapOriginX() const { return layout::windowXOfMap(0, layoutOffsetX()); }
    static constexpr int kMapOriginY = layout::kMapTop;

    // The window's choices and what the pointer rests on; the screen and the
    // desktop read them here.
    WindowState view;
    bool keyP = false;
    bool keyF = false;
    bool keyJ = false;
    // The chord has fired and waits for one of its keys to come up: held
    // down, it rises once, however many keys are pressed meanwhile.
    bool chordFired = false;
    int mouseMapX = 0;
    int mouseMapY = 0;
    // The province the province line last showed.
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

    // The province whose legions the last left-button press picked up.
    Province* dragSource = nullptr;
    // What the last left-button release did.
    OrderResult lastDrop;

    // Ends the turn: the right click, the end-turn button and its key.
    void endTurn();
    // The end-turn button under the map, in window points. A press on it is
    // the button's alone and arms it; the release ends the turn when it comes
    // back on the button. Each is true when the event was the button's.
    bool endTurnButtonDown(int x, int y);
    bool endTurnButtonUp(int x, int y);
    bool endTurnButtonPressed = false;

    // Keyboard play. The arrows move the highlight (the first press shows it
    // where the keyboard left it, or on Italia); Enter or Space picks up a ready
    // legion of the highlighted province and then drops it on the highlighted
    // target; Escape puts it down again, or hides the highlight.
    MapCursor cursor;
    void moveHighlight(Heading heading);
    void pickOrDrop();
    // False when there was nothing to cancel.
    bool cancelPick();
    // The mouse or a finger took over: no highlight, nothing picked up.
    void hideMapCursor();

  private:
    // The commands of each menu (the scenarios are the File menu's, the web
    // pages the History's and the Help's); false for an id of another menu.
    bool fileCommand(int id, int param);
    bool optionCommand(int id);
    bool historyCommand(int id);
    bool helpCommand(int id);
    // Every order the player gives, by mouse, finger or keyboard, goes
    // through here; a refusal is kept for the province line. True when the
    // order was carried out.
    bool giveOrder(Province* from, Province* to);
    void showHighlight(Province* province);

    void saveCommand();
    void loadCommand();

    // Shows the host busy from its making to its end.
    class Busy {
      public:
        explicit Busy(ShellHost& host) : host_(host) { host_.showBusy(true); }
        ~Busy() { host_.showBusy(false); }
        Busy(const Busy&) = delete;
        Busy& operator=(const Busy&) = delete;

      private:
        ShellHost& host_;
    };

    Game& game_;
    ShellHost& host_;
    const int* layoutOffset_ = nullptr;
    const Surface* window_ = nullptr;
};

}  // namespace tessarion
