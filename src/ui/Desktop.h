#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "Version.h"
#include "model/FrontEnd.h"
#include "platform/Platform.h"
#include "ui/Animation.h"
#include "ui/Boxes.h"
#include "ui/MenuBar.h"
#include "ui/Screen.h"
#include "ui/Shell.h"

namespace tessarion {

// Where the desktop game finds its saved games and its embedded data.
struct DesktopConfig {
    std::string saveFolder;  // created when the first game is saved
    PictureProvider pictures;
    std::function<std::span<const unsigned char>(const std::string&)> sounds;
    std::function<std::string(const std::string&)> lessonScript;
    // When each caption line of a narration is spoken (ms); empty paces them by length.
    std::function<std::vector<std::uint64_t>(const std::string&)> lessonCaptionTimes;
    // Turns a page of the game's web site ("/guide.html") into the address to open.
    std::function<std::string(const std::string&)> webAddress;
    bool showSplash = true;
    bool fullscreen = false;
    bool sound = true;
    // A saved game to load once the game is up.
    std::optional<std::string> loadFile;
    bool showIntro = true;
    // Pauses on exit (the About box, then the wait after it).
    int aboutMs = 3000;
    int exitWaitMs = 3000;
};

// The game in its window: start-up and shut-down, the message loop, the menus,
// the advisor's boxes, the lessons, animations and sounds. It is the Shell's
// host and, from start-up to shut-down, the rules' front end.
class Desktop : public ShellHost {
  public:
    static constexpr const char* kTitle = kGameTitle;

    Desktop(Platform& platform, DesktopConfig config);
    ~Desktop() override;

    // Start-up, the loop until the window closes, shut-down. The Game must
    // exist (created after seeding). Returns the exit code.
    int run();

    // Pieces of run(), for tests.
    bool startUp();
    // The first paint: the screen, then once per run the intro and the welcome.
    void firstPaint();
    // Handles one input event; false once the program is to end.
    bool handle(const InputEvent& event);
    void shutDown();

    // ShellHost.
    void repaintWindow() override;
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
    void invalidateWindow() override { repaintWindow(); }
    void zoomFrame(int x, int y) override;
    void openPictureBox(int pictureId) override;
    void showResults(int invasions, int plagues, int rebellions) override;
    void postCommand(int id, int param) override { posted_.emplace_back(id, param); }

    void playSound(Sound sound) override;
    void animateMove(Province* from, Province* to) override { animator_.animateMove(from, to); }
    void flashLegion(const std::string& empireName, Province* where) override {
        animator_.flashLegion(empireName, where);
    }
    void refreshReports() override;

    // Runs a box until it ends, pumping input into it and repainting; input
    // that came before it opened is not its own. Closing it repaints the
    // window from the game as it stands.
    void runModal(ModalBox& box);
    // The game waits (animations, the banner, the zoom): the window answers,
    // and input arriving meanwhile is dropped.
    void pause(int ms);
    // True while the game works on an input of the player's.
    bool busy() const { return busy_ > 0; }
    // Shows the frame: menu bar, the window surface, any open box.
    void presentFrame();

    Screen& screen() { return *screen_; }
    Shell& shell() { return shell_; }
    MenuBar& menuBar() { return menu_; }
    Animator& animator() { return animator_; }
    const Surface& frame() const { return frame_; }
    bool quitting() const { return quitting_; }
    int frameWidth() const { return frame_.width(); }
    // The box open at the moment, if any (for tests).
    ModalBox* openBox() const { return box_; }
    // Called each time a box opens, before its loop runs (for tests and tools).
    std::function<void(ModalBox&)> onBoxOpened;

  private:
    void command(int id, int param = 0);
    void runPostedCommands();
    void dispatch(const InputEvent& event);
    void toggleFullscreen();
    // Paints the window from the game state, as the window's paint message does.
    void repaintFromState();
    void fitFrameToWindow();
    void creditAbout(PictureFrameBox& about);
    void playWave(const std::string& name, SoundMode mode);
    std::vector<SavedGameEntry> savedGames() const;
    std::uint64_t waveLength(const std::string& name) const;

    Platform& platform_;
    // Installed as the rules' front end from start-up to shut-down.
    std::optional<FrontEndScope> frontEnd_;
    // The first game is being set up, silently.
    bool settingUp_ = false;
    DesktopConfig config_;
    std::unique_ptr<Screen> screen_;
    Shell shell_;
    MenuBar menu_;
    Animator animator_;
    Surface frame_;
    Graphic portrait_{pic::portrait};
    Graphic splash_{pic::splash};
    Graphic about_{pic::about};
    Graphic results_{pic::results};
    ModalBox* box_ = nullptr;
    bool firstPaint_ = true;
    bool quitting_ = false;
    bool windowOpen_ = false;
    // The map has been painted once and boxes repaint it when they close.
    bool painted_ = false;
    int busy_ = 0;
    std::uint64_t busySince_ = 0;
    // Something made the game wait since the busy time began.
    bool waited_ = false;
    std::deque<std::pair<int, int>> posted_;
    std::map<int, std::string> narrations_;
    int screenWidth_ = 1366;
    int screenHeight_ = 768;
};

}  // namespace tessarion
