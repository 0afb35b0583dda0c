#pragma once

#include <optional>
#include <string>
#include <vector>

#include "PictureManifest.h"
#include "ui/AdvisorBox.h"
#include "ui/DesktopConfig.h"
#include "ui/FileBox.h"
#include "ui/Graphic.h"

namespace tessarion {

class ModalRunner;
class PictureFrameBox;
class Platform;
class Game;
class Screen;
class SoundBoard;

// The saved games of a folder as the file boxes list them: the game's year
// (or "damaged") and when it was saved, newest first.
std::vector<SavedGameEntry> savedGamesIn(Game& game, const std::string& folder);
// The chronicles exported to a folder, by their names without extension,
// newest first.
std::vector<SavedGameEntry> exportsIn(const std::string& folder);

// The window's boxes other than the menus: the Prefect's, the file boxes, the
// splash, About and Results, the lessons and the platform's alerts. Each is
// set up here and run by the modal runner.
class Dialogs {
  public:
    // The introduction's picture, shown with the theme rather than a narration.
    static constexpr int kIntroPicture = pic::intro.id;

    Dialogs(Platform& platform, ModalRunner& runner, Screen& screen, SoundBoard& sounds,
            const DesktopConfig& config)
        : platform_(platform), runner_(runner), screen_(screen), sounds_(sounds), config_(config) {}

    // The Prefect's portrait for the screen's scale; the big pictures are
    // loaded when their box is shown.
    void loadPictures();

    void showSplash();
    // The Prefect's message or question; the box's end code.
    int advise(AdvisorBox::Kind kind, const std::string& text);
    void alert(const std::string& caption, const std::string& text);
    // Closes by itself after a lifetime when given one (the farewell).
    void showAbout(std::optional<int> lifetimeMs = std::nullopt);
    void showResults(int invasions, int plagues, int rebellions);
    // A lesson's (or the introduction's) picture with its narration.
    void openPictureBox(int pictureId);
    // A page of the game's web site in the browser, or where it is when no
    // browser starts.
    void openWebPage(const std::string& path);
    // Nothing when the player cancels.
    std::optional<std::string> chooseSavePath();
    std::optional<std::string> chooseLoadPath();
    // Where to export the chronicle: a path without extension, in the saved
    // games' folder.
    std::optional<std::string> chooseExportPath();

    // The last closed year's record of the screen's game.
    void showYearReport();
    // The chronicle's chart of the screen's game, in the map's colours.
    void showChronicle();

  private:
    PictureSource pictureSource() const;
    void showPicture(Graphic& picture, PictureFrameBox& box);
    int screenWidth() const;
    int screenHeight() const;
    // The platform's own file chooser, when it has one: its answer, with an
    // empty path for a cancel.
    std::optional<std::string> nativeChoice(bool save);

    Platform& platform_;
    ModalRunner& runner_;
    Screen& screen_;
    SoundBoard& sounds_;
    const DesktopConfig& config_;
    Graphic portrait_{pic::portrait};
    Graphic splash_{pic::splash};
    Graphic about_{pic::about};
    Graphic results_{pic::results};
};

}  // namespace tessarion
