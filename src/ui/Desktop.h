#pragma once

#include <deque>
#include <memory>
#include <optional>
#include <string>

#include "Version.h"
#include "model/FrontEnd.h"
#include "platform/Platform.h"
#include "ui/Animation.h"
#include "ui/Boxes.h"
#include "ui/DesktopConfig.h"
#include "ui/Dialogs.h"
#include "ui/MenuBar.h"
#include "ui/ModalRunner.h"
#include "ui/Screen.h"
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
    void menuChecksChanged() override;

    // FrontEnd.
    void showMessage(const std::string& text) override;
    bool askYesNo(const std::string& text, const Question& question) override;

    void showComputerTurn() override;
    void clearShownMoves() override { animator_.clearShownMoves(); }
    void invalidateWindow() override { redrawScreen(); }
    void zoomFrame(int x, int y) override;
    void openPictureBox(int pictureId) override;
    void showResults(int invasions, int plagues, int rebellions) override;
    void postCommand(int id, int param) override { posted_.emplace_back(id, param); }

    void playSound(Sound sound) override;
    void animateMove(Province* from, Province* to) override { animator_.animateMove(from, to); }
    void flashLegion(Power who, Province* where) override { animator_.flashLegion(who, where); }
    void refreshReports() override;

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

  private:
    void command(int id, int param = 0);
    void runPostedCommands();
    void dispatch(const InputEvent& event);
    void mouseDown(const InputEvent& event);
    void mouseUp(const InputEvent& event);
    void keyDown(const InputEvent& event);
    void keyUp(const InputEvent& event);
    // Resizing and full screen, whether or not a box is open; true when it
    // was one of those.
    bool windowEvent(const InputEvent& event);
    void fitFrameToWindow();
    void loadPictures();
    void clearFrame();

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
    std::deque<std::pair<int, int>> posted_;
};

}  // namespace tessarion
