#include "game/TurnCycle.h"

#include "engine/RomanEmpire.h"
#include "game/Commands.h"
#include "game/Events.h"
#include "game/Game.h"
#include "game/Lessons.h"
#include "model/FrontEnd.h"

namespace tessarion {

bool anyLegionCanMove(Game& game) {
    for (const auto& l : game.romans.legions) {
        if (!l->moved) {
            return true;
        }
    }
    return false;
}

namespace {

void playMilestoneLesson(const Lesson& m) {
    if (m.year == 260) {
        showMessage(
            "Princeps,\r\n\r\nThe eastern and western ends of the empire\r\nhave rebelled!");
    }
    frontEnd().zoomFrame(m.zoomX, m.zoomY);
    frontEnd().zoomFrame(m.zoomX, m.zoomY);
    frontEnd().openPictureBox(m.pictureId);
}

}  // namespace

bool endTurnCycle(Game& game) {
    for (;;) {
        // 1 to 5: the powers' years.
        game.romans.endTurn();
        frontEnd().redrawScreen();
        frontEnd().showComputerTurn();
        frontEnd().clearShownMoves();
        game.barbarians.endTurn();
        game.sassanids.endTurn();
        game.rogueRomans.endTurn();

        // 6 to 8: the new year and its events.
        game.turn += 1;
        runEvents(game);
        frontEnd().redrawScreen();

        // 9: defeat.
        bool playedAgain = false;
        if (game.romans.provinces.empty()) {
            if (!askYesNo("Princeps,\r\n\r\nOur empire has been defeated.\r\n\r\nTentate Iterum? "
                          "(Would you like to "
                          "play again?)")) {
                frontEnd().quit();
                return true;
            }
            game.startNewGame();
            frontEnd().redrawScreen();
            frontEnd().invalidateWindow();
            playedAgain = true;
        }

        const int year = game.year();
        // 10: the lesson of a milestone year.
        if (!playedAgain) {
            if (const Lesson* m = lessonForYear(year)) {
                playMilestoneLesson(*m);
            }
        }
        // 11 and 12: the ends of the game.
        if (!playedAgain && year == 285) {
            frontEnd().showResults(game.invasionCount, game.plagueCount, game.rebellionCount);
            if (!askYesNo("Congratulations!\r\n\r\nYou have survived Rome's \"Crisis of the Third "
                          "Century\"\r\nDo "
                          "you want to keep playing until 476 AD?")) {
                frontEnd().quit();
                return true;
            }
        } else if (!playedAgain && year == 476) {
            frontEnd().showResults(game.invasionCount, game.plagueCount, game.rebellionCount);
            if (askYesNo("Congratulations! You have outlasted the Western\r\nRoman "
                         "Empire.\r\n\r\nDo you wish to "
                         "play again?\r\n")) {
                frontEnd().postCommand(cmd::kNewGame, 1);
                return false;
            }
            frontEnd().quit();
            return true;
        }

        // 13: now and then a hint about a special province.
        showProvinceHint(game.romans);

        // 14: the player moves next unless nothing of theirs can move.
        if (game.romans.legions.empty()) {
            continue;
        }
        if (anyLegionCanMove(game)) {
            return false;
        }
    }
}

}  // namespace tessarion
