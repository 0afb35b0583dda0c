#include "ui/Desktop.h"

#include "game/Game.h"
#include "model/PrintableText.h"
#include "model/Wording.h"
#include "res/Languages.h"
#include "ui/ChronicleExport.h"
#include "ui/Language.h"

namespace tessarion {

// The desktop's menus: their commands, the boxes, files and pages they open,
// the check marks of the Options menu and the settings they keep.

void Desktop::command(int id, int param) {
    shell_.command(id, param);
    runner_.presentFrame();
}

void Desktop::runPostedCommands() {
    while (!quitting() && !posted_.empty()) {
        auto [id, param] = posted_.front();
        posted_.pop_front();
        command(id, param);
    }
}

void Desktop::playLesson(const Lesson& lesson) {
    zoomFrame(lesson.zoomX, lesson.zoomY);
    openPictureBox(lesson.picture);
}

void Desktop::openWebPage(const std::string& path) {
    dialogs_.openWebPage(path);
}

void Desktop::showAbout() {
    dialogs_.showAbout();
}

std::optional<std::string> Desktop::chooseSavePath() {
    return dialogs_.chooseSavePath();
}

std::optional<std::string> Desktop::chooseLoadPath() {
    return dialogs_.chooseLoadPath();
}

void Desktop::alert(const std::string& caption, const std::string& text) {
    dialogs_.alert(caption, text);
}

void Desktop::leave() {
    if (mayLeave()) {
        runner_.close();
    }
}

void Desktop::showYearReport() {
    dialogs_.showYearReport();
}

void Desktop::exportChronicle() {
    const std::optional<std::string> prefix = dialogs_.chooseExportPath();
    if (!prefix) {
        return;
    }
    const ChronicleExport written = tessarion::exportChronicle(game_, shell_.view.colours, *prefix);
    if (written.ok) {
        alert(N_("Alert"),
              fillText(N_("Chronicle exported:\r\n%s\r\n%s"),
                       {printableText(written.pngPath), printableText(written.csvPath)}));
    } else {
        alert(N_("ERROR"), written.error);
    }
}

void Desktop::menuChecksChanged() {
    const int skill = game_.skillLevel();
    menu_.setChecked(cmd::kEasy, skill == 0);
    menu_.setChecked(cmd::kNormal, skill == 1);
    menu_.setChecked(cmd::kHard, skill == 2);
    menu_.setChecked(cmd::kSound, shell_.view.soundEnabled);
    for (int volume : cmd::kVolumes) {
        menu_.setChecked(volume, cmd::volumeOf(volume) == shell_.view.soundVolume);
    }
    sounds_.setVolume(shell_.view.soundVolume);
    menu_.setChecked(cmd::kColours, shell_.view.colours == ColourScheme::ColourBlind);
    for (std::size_t i = 0; i < res::languages().size(); ++i) {
        menu_.setChecked(cmd::kLanguageIds.first + static_cast<int>(i),
                         res::languages()[i].code == shell_.view.language);
    }
    const bool newLanguage = languageCode() != shell_.view.language;
    if (newLanguage) {
        setLanguage(shell_.view.language);
    }
    if (screen_->colours() != shell_.view.colours) {
        screen_->setColourScheme(shell_.view.colours, config_.pictures);
        screen_->redrawScreen();
    } else if (newLanguage) {
        screen_->redrawScreen();
    }
    rememberSettings();
    runner_.presentFrame();
}

void Desktop::noteSettings() {
    if (runner_.mapPainted && !quitting()) {
        for (const std::string& text : settings_.takeNotes()) {
            tessarion::showMessage(game_, text);
        }
    }
}

void Desktop::rememberSettings(bool windowSize) {
    if (!windowOpen_) {
        return;
    }
    Settings now;
    now.skillLevel = game_.skillLevel();
    now.sound = shell_.view.soundEnabled;
    now.soundVolume = shell_.view.soundVolume;
    now.colours = shell_.view.colours;
    // The language is kept once the player picks one; until then the game
    // follows the system (and --language is for this run only).
    now.language = shell_.view.language == startLanguage_ ? keptLanguage_
                                                          : std::optional(shell_.view.language);
    now.fullscreen = platform_.isFullscreen();
    settings_.remember(now, windowSize ? std::optional(platform_.windowPlace()) : std::nullopt);
    noteSettings();
}

void Desktop::gameFiled() {
    kept_.filed();
}

bool Desktop::mayLeave() {
    return !kept_.changed() || tessarion::askYesNo(game_, kept_.leaveQuestion());
}

}  // namespace tessarion
