#include "ui/Shell.h"

#include "res/Languages.h"
#include "ui/Language.h"

#include "engine/Orders.h"
#include "engine/Rebellions.h"
#include "game/Game.h"
#include "game/Scenarios.h"
#include "game/TurnCycle.h"
#include "model/FrontEnd.h"
#include "model/Wording.h"
#include "savegame/SaveGame.h"
#include "ui/EndTurnButton.h"
#include "ui/MapHit.h"

namespace tessarion {

void Shell::mouseMove(int x, int y) {
    mouseMapX = layout::mapXOfWindow(x, layoutOffsetX());
    mouseMapY = layout::mapYOfWindow(y);
    view.hoveredProvince = provinceShownAt(game_, mouseMapX, mouseMapY);
    if (view.hoveredProvince != shownProvince) {
        shownProvince = view.hoveredProvince;
        view.refusal.clear();
        host_.drawProvinceInfo();
    }
}

Province* Shell::legionBoxAt(int mapX, int mapY) const {
    for (auto& p : game_.provinces) {
        const int lx = legionX(*p);
        const int ly = legionY(*p);
        if (mapX >= lx && mapX <= lx + 73 && mapY >= ly && mapY <= ly + 59) {
            return p.get();
        }
    }
    return nullptr;
}

void Shell::leftButtonDown(int x, int y) {
    if (!view.refusal.empty()) {
        view.refusal.clear();
        host_.drawProvinceInfo();
    }
    dragSource = legionBoxAt(layout::mapXOfWindow(x, layoutOffsetX()), layout::mapYOfWindow(y));
}

void Shell::leftButtonUp(int x, int y) {
    lastDrop = {};
    if (dragSource == nullptr) {
        return;  // the press picked up no legion: no order was meant
    }
    // Painted land outside every click rectangle drops as the province it shows.
    Province* target =
        provinceShownAt(game_, layout::mapXOfWindow(x, layoutOffsetX()), layout::mapYOfWindow(y));
    giveOrder(dragSource, target);
}

bool Shell::giveOrder(Province* from, Province* to) {
    // An order the rules take marches, fights and may end the turn: busy till
    // the player has the game back. A refusal is told at once, so it is not.
    std::optional<Busy> busy;
    if (from != nullptr && to != nullptr && planOrder(game_, from, to).accepted()) {
        busy.emplace(host_);
    }
    lastDrop = orderLegion(game_, from, to);
    if (!lastDrop.carriedOut()) {
        view.refusal = refusalText(lastDrop.refusal, from, to, wording());
        host_.drawProvinceInfo();
    }
    return lastDrop.carriedOut();
}

void Shell::rightButtonUp() {
    endTurn();
}

void Shell::endTurn() {
    if (cursor.picked != nullptr) {
        cursor.picked = nullptr;
        host_.drawMapCursor();
    }
    const Busy busy(host_);
    endTurnCycle(game_);
}

bool Shell::endTurnButtonDown(int x, int y) {
    endTurnButtonPressed = EndTurnButton::contains(x, y, layoutOffsetX(), windowScale());
    if (endTurnButtonPressed) {
        host_.drawEndTurnButton(true);
    }
    return endTurnButtonPressed;
}

bool Shell::endTurnButtonUp(int x, int y) {
    if (!endTurnButtonPressed) {
        return false;
    }
    endTurnButtonPressed = false;
    host_.drawEndTurnButton(false);
    // Slid off the button before letting go: the player changed his mind.
    if (EndTurnButton::contains(x, y, layoutOffsetX(), windowScale())) {
        endTurn();
    }
    return true;
}

// Keyboard play.

void Shell::showHighlight(Province* province) {
    if (province != shownProvince) {
        view.refusal.clear();  // the player has moved on, as with the mouse
    }
    cursor.highlighted = province;
    view.hoveredProvince = province;
    shownProvince = province;
    host_.drawMapCursor();
}

void Shell::moveHighlight(Heading heading) {
    if (cursor.highlighted == nullptr) {
        // Where the keyboard left it, not where the mouse happens to rest.
        Province* start = cursor.lastHighlighted != nullptr ? cursor.lastHighlighted
                                                            : game_.findProvince("Italia");
        if (start == nullptr && !game_.provinces.empty()) {
            start = game_.provinces.front().get();
        }
        showHighlight(start);
        return;
    }
    if (Province* next = provinceToward(game_, *cursor.highlighted, heading)) {
        showHighlight(next);
    }
}

void Shell::pickOrDrop() {
    if (cursor.highlighted == nullptr) {
        moveHighlight(Heading::Up);  // only shows it
        return;
    }
    if (cursor.picked == nullptr) {
        if (hasReadyLegion(game_.romans, cursor.highlighted)) {
            cursor.picked = cursor.highlighted;
            host_.drawMapCursor();
        } else {
            // As a press and release on the province itself would: the rules
            // explain why nothing there can move, when they have a reason.
            giveOrder(cursor.highlighted, cursor.highlighted);
        }
        return;
    }
    Province* from = cursor.picked;
    cursor.picked = nullptr;
    if (from == cursor.highlighted) {
        host_.drawMapCursor();  // put down where it was
        return;
    }
    if (!giveOrder(from, cursor.highlighted)) {
        host_.drawMapCursor();
    }
}

bool Shell::cancelPick() {
    if (cursor.picked != nullptr) {
        cursor.picked = nullptr;
    } else if (cursor.highlighted != nullptr) {
        cursor.lastHighlighted = cursor.highlighted;
        cursor.highlighted = nullptr;
    } else {
        return false;
    }
    host_.drawMapCursor();
    return true;
}

void Shell::hideMapCursor() {
    if (cursor.picked != nullptr || cursor.highlighted != nullptr) {
        cursor.picked = nullptr;
        if (cursor.highlighted != nullptr) {
            cursor.lastHighlighted = cursor.highlighted;
        }
        cursor.highlighted = nullptr;
        host_.drawMapCursor();
    }
}

void Shell::keyDown(Key key) {
    if (key == Key::P) {
        keyP = true;
    } else if (key == Key::F) {
        keyF = true;
    } else if (key == Key::J) {
        keyJ = true;
    }
    if (keyP && keyF && keyJ && !chordFired) {
        chordFired = true;
        peoplesFront(game_);
        host_.redrawScreen();
    }
}

void Shell::keyUp(Key key) {
    if (key == Key::P) {
        keyP = false;
    } else if (key == Key::F) {
        keyF = false;
    } else if (key == Key::J) {
        keyJ = false;
    } else {
        return;
    }
    chordFired = false;
}

bool Shell::character(char c) {
    if (c == '?' || c == '/') {
        return command(cmd::kAbout);
    }
    if (c == 'y' || c == 'Y') {
        return command(cmd::kYearReport);
    }
    return false;
}

namespace {

// The menu's pages of the game's web site.
struct WebPage {
    int command;
    const char* path;
};
constexpr WebPage kWebPages[] = {
    {cmd::kStudyGuide, "/guide.html"},
    {cmd::kTakeQuiz, "/quiz.php"},
    {cmd::kVideoTutorial, "/tutorial.html"},
};

}  // namespace

bool Shell::command(int id, int param) {
    id &= 0xffff;
    if (id == cmd::kNewGame || id == cmd::kLoad || isScenario(id)) {
        // A legion picked up in one game is none of the next one's.
        cursor.picked = nullptr;
    }
    return fileCommand(id, param) || optionCommand(id) || historyCommand(id) || helpCommand(id);
}

bool Shell::fileCommand(int id, int param) {
    switch (id) {
        case cmd::kNewGame:
            newGame(game_, param != 0);
            host_.redrawScreen();
            return true;
        case cmd::kSave:
            saveCommand();
            return true;
        case cmd::kLoad:
            loadCommand();
            return true;
        case cmd::kExportChronicle:
            host_.exportChronicle();
            return true;
        case cmd::kExit:
            host_.leave();
            return true;
        default:
            break;
    }
    if (isScenario(id)) {
        if (askYesNo(game_, "Are you sure you want to discard the current game?")) {
            startScenario(game_, id);
        }
        return true;
    }
    return false;
}

bool Shell::optionCommand(int id) {
    switch (id) {
        case cmd::kEasy:
        case cmd::kNormal:
        case cmd::kHard:
            game_.setSkillLevel(id - cmd::kEasy);
            break;
        case cmd::kSound:
            view.soundEnabled = !view.soundEnabled;
            break;
        case cmd::kVolume25:
        case cmd::kVolume50:
        case cmd::kVolume75:
        case cmd::kVolume100:
            view.soundVolume = cmd::volumeOf(id);
            break;
        case cmd::kColours:
            view.colours = view.colours == ColourScheme::Standard ? ColourScheme::ColourBlind
                                                                  : ColourScheme::Standard;
            break;
        default: {
            const auto place = static_cast<std::size_t>(id - cmd::kLanguageIds.first);
            if (!cmd::kLanguageIds.holds(id) || place >= res::languages().size()) {
                return false;
            }
            view.language = std::string(res::languages()[place].code);
            break;
        }
    }
    host_.menuChecksChanged();
    return true;
}

bool Shell::historyCommand(int id) {
    if (id == cmd::kYearReport) {
        host_.showYearReport();
        return true;
    }
    if (id == cmd::kChronicle) {
        host_.showChronicle();
        return true;
    }
    if (const Lesson* lesson = lessonForMenu(id)) {
        host_.playLesson(*lesson);
        return true;
    }
    return false;
}

bool Shell::helpCommand(int id) {
    for (const WebPage& page : kWebPages) {
        if (page.command == id) {
            host_.openWebPage(page.path);
            return true;
        }
    }
    if (id == cmd::kHelp) {
        showWelcome(game_);
        return true;
    }
    if (id == cmd::kAbout) {
        host_.showAbout();
        return true;
    }
    return false;
}

void Shell::saveCommand() {
    std::optional<std::string> path = host_.chooseSavePath();
    if (!path) {
        return;
    }
    FileResult result = saveGame(game_, *path);
    if (result.ok) {
        host_.gameFiled();
        host_.alert(N_("Alert"), N_("Game saved"));
    } else {
        host_.alert(result.caption, result.error);
    }
}

void Shell::loadCommand() {
    std::optional<std::string> path = host_.chooseLoadPath();
    if (!path) {
        return;
    }
    FileResult result = loadGame(game_, *path);
    if (!result.ok) {
        host_.alert(result.caption, result.error);
        return;
    }
    host_.gameFiled();
    host_.redrawScreen();
}

}  // namespace tessarion
