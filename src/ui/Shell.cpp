#include "ui/Shell.h"

#include <tuple>

#include "engine/Orders.h"
#include "engine/Rebellions.h"
#include "game/Game.h"
#include "game/Scenarios.h"
#include "game/TurnCycle.h"
#include "model/FrontEnd.h"
#include "savegame/SaveGame.h"
#include "ui/MapHit.h"

namespace tessarion {

void Shell::mouseMove(int x, int y) {
    mouseMapX = layout::mapXOfWindow(x, layoutOffsetX);
    mouseMapY = layout::mapYOfWindow(y);
    hoveredProvince = provinceShownAt(Game::instance(), mouseMapX, mouseMapY);
    if (hoveredProvince != shownProvince) {
        shownProvince = hoveredProvince;
        host_.drawProvinceInfo();
    }
}

Province* Shell::legionBoxAt(int mapX, int mapY) {
    Game& game = Game::instance();
    for (auto& p : game.provinces) {
        const int lx = legionX(*p);
        const int ly = legionY(*p);
        if (mapX >= lx && mapX <= lx + 73 && mapY >= ly && mapY <= ly + 59) {
            return p.get();
        }
    }
    return nullptr;
}

std::optional<std::pair<int, int>> Shell::pressPointFor(Province* p) const {
    for (int dy = 0; dy <= 59; ++dy) {
        for (int dx = 0; dx <= 73; ++dx) {
            const int mx = p->legionX + dx;
            const int my = p->legionY + dy;
            if (legionBoxAt(mx, my) == p) {
                return std::make_pair(mx + mapOriginX(), my + kMapOriginY);
            }
        }
    }
    return std::nullopt;
}

std::optional<std::pair<int, int>> Shell::dropPointFor(Province* p) const {
    auto point = clickPointIn(Game::instance(), *p);
    if (!point) {
        return std::nullopt;
    }
    return std::make_pair(point->first + mapOriginX(), point->second + kMapOriginY);
}

bool Shell::dragLegion(Province* from, Province* to) {
    auto press = pressPointFor(from);
    auto release = dropPointFor(to);
    if (!press || !release) {
        return false;
    }
    leftButtonDown(press->first, press->second);
    leftButtonUp(release->first, release->second);
    return true;
}

void Shell::leftButtonDown(int x, int y) {
    Game& game = Game::instance();
    game.dragSource = nullptr;
    Province* hit = legionBoxAt(layout::mapXOfWindow(x, layoutOffsetX), layout::mapYOfWindow(y));
    if (hit == nullptr) {
        return;
    }
    if (hasReadyLegion(game.romans, hit) || !hasUnmovedLegionIn(game.romans, hit)) {
        game.dragSource = hit;
    }
}

void Shell::leftButtonUp(int x, int y) {
    Game& game = Game::instance();
    int mapX = layout::mapXOfWindow(x, layoutOffsetX);
    int mapY = layout::mapYOfWindow(y);
    // Painted land outside every click rectangle drops as the province it shows: the rules
    // are given a point of that province they understand.
    if (provinceAt(game, mapX, mapY) == nullptr) {
        if (Province* shown = provinceShownAt(game, mapX, mapY)) {
            if (auto point = clickPointIn(game, *shown)) {
                std::tie(mapX, mapY) = *point;
            }
        }
    }
    lastDropCarriedOut = dropLegion(game, mapX, mapY);
    if (!lastDropCarriedOut) {
        return;
    }
    host_.redrawScreen();
    if (!anyLegionCanMove(game)) {
        endTurnCycle(game);
    }
}

void Shell::rightButtonUp() {
    endTurnCycle(Game::instance());
}

void Shell::keyDown(Key key) {
    if (key == Key::P) {
        keyP = true;
    } else if (key == Key::F) {
        keyF = true;
    } else if (key == Key::J) {
        keyJ = true;
    }
    if (keyP && keyF && keyJ) {
        peoplesFront(Game::instance());
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
    }
}

bool Shell::character(char c) {
    if (c == '?' || c == '/') {
        return command(cmd::kAbout);
    }
    return false;
}

bool Shell::command(int id, int param) {
    id &= 0xffff;
    Game& game = Game::instance();
    switch (id) {
        case cmd::kNewGame:
            newGame(game, param != 0);
            host_.repaintWindow();
            return true;
        case cmd::kSave:
            saveCommand();
            return true;
        case cmd::kLoad:
            loadCommand();
            return true;
        case cmd::kExit:
            host_.quit();
            return true;
        case cmd::kEasy:
        case cmd::kNormal:
        case cmd::kHard:
            game.setSkillLevel(id - cmd::kEasy);
            host_.menuChecksChanged();
            return true;
        case cmd::kSound:
            soundEnabled = !soundEnabled;
            host_.menuChecksChanged();
            return true;
        case cmd::kStudyGuide:
            host_.openWebPage("/guide.html");
            return true;
        case cmd::kTakeQuiz:
            host_.openWebPage("/quiz.php");
            return true;
        case cmd::kHelp:
            showWelcome();
            return true;
        case cmd::kVideoTutorial:
            host_.openWebPage("/tutorial.html");
            return true;
        case cmd::kAbout:
            host_.showAbout();
            return true;
        default:
            break;
    }
    if (isScenario(id)) {
        if (askYesNo("Are you sure you want to discard the current game?")) {
            startScenario(game, id);
        }
        return true;
    }
    if (const Lesson* lesson = lessonForMenu(id)) {
        host_.playLesson(*lesson);
        return true;
    }
    return false;
}

void Shell::saveCommand() {
    std::optional<std::string> path = host_.chooseSavePath();
    if (!path) {
        return;
    }
    FileResult result = saveGame(Game::instance(), *path);
    if (result.ok) {
        host_.alert("Alert", "Game saved");
    } else {
        host_.alert(result.caption, result.error);
    }
}

void Shell::loadCommand() {
    std::optional<std::string> path = host_.chooseLoadPath();
    if (!path) {
        return;
    }
    FileResult result = loadGame(Game::instance(), *path);
    if (!result.ok) {
        host_.alert(result.caption, result.error);
        return;
    }
    host_.repaintWindow();
}

}  // namespace tessarion
