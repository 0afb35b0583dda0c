#pragma once

#include <deque>
#include <memory>
#include <optional>
#include <string>

#include "Version.h"
#include "model/FrontEnd.h"
#include "platform/Platform.h"
#include "ui/Animation.h"
#include "ui/DesktopConfig.h"
#include "ui/Dialogs.h"
#include "ui/KeptGame.h"
#include "ui/KeptSettings.h"
#include "ui/MenuBar.h"
#include "ui/ModalBox.h"
#include "ui/ModalRunner.h"
#include "ui/RouteDrawing.h"
#include "ui/Screen.h"
#include "ui/Settings.h"
#include "ui/Shell.h"
#include "ui/SoundBoard.h"

namespace tessarion {

// The game in its window: start-up and shut-down, the message loop and the
// wiring of its parts (the screen, the menus, the shell, the modal runner,
// the dialogs, the animations and the sound board). It is the Shell's host
// and, from start-up to shut-down, the rules' front end.
class Desktop : public ShellHost {
  public:
    static constexpr const char* kTitle = kGameTitle;

    Desktop(Platform& platform, Game& game, DesktopConfig config);
    ~Desktop() override;

    // Start-up, the loop until the window closes, shut-down. Returns the exit code.
    int run();

    // Pieces of run(), for tests.
    bool startUp();
    // The first paint: the screen, then once per run the intro and the welcome.
    void firstPaint();
    // Handles one input event; false once the program is to end.
    bool handle(const InputEvent& event);
    void shutDown();

    // ShellHost.
    void redrawScreen() override;
    void drawProvinceInfo() override;
    void playLesson(const Lesson& lesson) override;
    void openWebPage(const std::string& path) override;
    void showAbout() override;
    std::optional<std::string> chooseSavePath() override;
    std::optional<std::string> chooseLoadPath() override;
    void alert(const std::string& caption, const std::string& text) override;
    void quit() override;
    void leave() override;
    void gameFiled() override;
    void menuChecksChanged() override;
    void drawEndTurnButton(bool pressed) override;
    void drawMapCursor() override;
    void showYearReport() override;
    void exportChronicle() override;
    void showBusy(bool busy) override;

    // FrontEnd.
    void showMessage(const std::string& text) override;
    bool askYesNo(const std::string& text, const Question& question) override;

    void showComputerTurn() override;
    void clearShownMoves() override { animator_.clearShownMoves(); }
    void invalidateWindow() override { redrawScreen(); }
    void zoomFrame(int x, int y) override;
    void openPictureBox(const std::string& picture) override;
    void showResults(int invasions, int plagues, int rebellions) override;
    void postCommand(int id, int param) override { posted_.emplace_back(id, param); }

    void playSound(Sound sound) override;
    void animateMove(Province* from, Province* to) override { animator_.animateMove(from, to); }
    void flashLegion(Power who, Province* where) override { animator_.flashLegion(who, where); }
    void refreshReports() override;
    void showChronicle() override;

    Screen& screen() { return *screen_; }
    Shell& shell() { return shell_; }
    MenuBar& menuBar() { return menu_; }
    Animator& animator() { return animator_; }
    ModalRunner& modal() { return runner_; }
    const Surface& frame() const { return runner_.frame(); }
    bool quitting() const { return runner_.closing(); }
    int frameWidth() const { return runner_.frame().width(); }
    // The box open at the moment, if any (for tests).
    ModalBox* openBox() const { return runner_.openBox(); }
    // The settings as the file keeps them.
    const Settings& settings() const { return settings_.settings(); }

    // The routes on the map in the last paint.
    const std::vector<RouteOnMap>& routesShown() const { return routesDrawn_; }

  private:
    // The People's Front chord's letters; the others are no key of the shell's.
    static Shell::Key shellKey(const InputEvent& e);
    void command(int id, int param = 0);
    void runPostedCommands();
    void dispatch(const InputEvent& event);
    void mouseDown(const InputEvent& event);
    void mouseUp(const InputEvent& event);
    void keyDown(const InputEvent& event);
    void keyUp(const InputEvent& event);
    // The keys of the map: the highlight, picking up and dropping, the end of the turn.
    void mapKey(const InputEvent& event);
    // Resizing and full screen, whether or not a box is open; true when it
    // was one of those.
    bool windowEvent(const InputEvent& event);
    void fitFrameToWindow();
    // The province whose legions are being dragged, while the button is held.
    Province* dragged() const;
    // The routes the map should show: the way of a dragged legion to the
    // province under the pointer, or else the ways of the legions of the
    // province under the pointer.
    std::vector<RouteOnMap> routesWanted();
    // Paints again when the routes to show are not those on the map.
    void showRoutes();
    void loadPictures();
    // The animations' and the boxes' pictures, for the screen's scale (the
    // screen's own follow its scale by themselves).
    void loadPicturesForScale();
    void clearFrame();
    // At start-up: the game the last run kept, offered to go on with; true
    // when the player took it.
    bool offerToContinue();
    // Asks before the player leaves a game that has changed; true to leave.
    bool mayLeave();
    // Takes what the player changed since start-up into the settings (and the
    // window's place, when asked), and writes them when they differ from the file's.
    void rememberSettings(bool windowSize = false);
    // Tells the player, once the window shows the map, what became of the
    // settings file.
    void noteSettings();

    Platform& platform_;
    Game& game_;
    // Installed as the rules' front end from start-up to shut-down.
    std::optional<FrontEndScope> frontEnd_;
    // The first game is being set up, silently.
    bool settingUp_ = false;
    DesktopConfig config_;
    std::unique_ptr<Screen> screen_;
    Shell shell_;
    MenuBar menu_;
    ModalRunner runner_;
    SoundBoard sounds_;
    Dialogs dialogs_;
    Animator animator_;
    bool firstPaint_ = true;
    bool windowOpen_ = false;
    bool picturesLoaded_ = false;
    // The language the window started in, and the one the settings kept.
    std::string startLanguage_;
    std::optional<std::string> keptLanguage_;
    // The left button went down on the map and has not come up yet.
    bool leftHeld_ = false;
    // The left button went down on the year's summary line under the map.
    bool summaryPressed_ = false;
    // How deep the busy signs nest (Shell's orders and turns, waits on sounds).
    int busyDepth_ = 0;
    std::vector<RouteOnMap> routesDrawn_;
    std::deque<std::pair<int, int>> posted_;
    KeptGame kept_;
    KeptSettings settings_;
};

}  // namespace tessarion
