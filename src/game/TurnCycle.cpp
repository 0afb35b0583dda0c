#include "game/TurnCycle.h"

#include "engine/RomanEmpire.h"
#include "game/Chronicle.h"
#include "game/Commands.h"
#include "game/Events.h"
#include "game/Game.h"
#include "game/Lessons.h"
#include "model/FrontEnd.h"

#include <optional>

namespace tessarion {

bool anyLegionCanMove(Game& game) {
    for (const auto& l : game.romans.legions) {
        if (!l->moved) {
            return true;
        }
    }
    return false;
}

OrderResult orderLegion(Game& game, Province* from, Province* to) {
    const OrderResult result = dropLegion(game, from, to);
    if (result.carriedOut()) {
        game.frontEnd().redrawScreen();
        if (!anyLegionCanMove(game)) {
            endTurnCycle(game);
        }
    }
    return result;
}

namespace {

void playMilestoneLesson(Game& game, const Lesson& m) {
    if (m.year == 260) {
        showMessage(
            game, "Princeps,\r\n\r\nThe eastern and western ends of the empire\r\nhave rebelled!");
    }
    game.frontEnd().zoomFrame(m.zoomX, m.zoomY);
    game.frontEnd().zoomFrame(m.zoomX, m.zoomY);
    game.frontEnd().openPictureBox(m.picture);
}

// 1 to 8: the powers' years, then the new year and its events.
void playOneYear(Game& game) {
    // From the first tax to the last event of the new year, the economic
    // report shows the accounts as they are being made.
    game.endingTurn = true;
    game.romans.endTurn();
    game.frontEnd().redrawScreen();
    game.frontEnd().showComputerTurn();
    game.frontEnd().clearShownMoves();
    game.barbarians.endTurn();
    game.sassanids.endTurn();
    game.rogueRomans.endTurn();

    game.turn += 1;
    game.frontEnd().refreshReports();
    runEvents(game);
    game.endingTurn = false;
    closeYear(game);
    game.frontEnd().redrawScreen();
}

enum class Defeat { None, PlayAgain, Quit };

// 9: an empire without provinces is defeated; the player may start again.
Defeat checkDefeat(Game& game) {
    if (!game.romans.provinces.empty()) {
        return Defeat::None;
    }
    game.frontEnd().showChronicle();
    if (!askYesNo(game,
                  "Princeps,\r\n\r\nOur empire has been defeated.\r\n\r\nTentate Iterum? "
                  "(Would you like to "
                  "play again?)",
                  {Question::Topic::Defeat})) {
        game.frontEnd().quit();
        return Defeat::Quit;
    }
    game.startNewGame();
    game.frontEnd().redrawScreen();
    game.frontEnd().invalidateWindow();
    return Defeat::PlayAgain;
}

// 10 to 12: the lesson of a milestone year and the two ends of the game.
// Empty while the game goes on, otherwise what endTurnCycle returns.
std::optional<bool> reachMilestone(Game& game) {
    const int year = game.year();
    if (const Lesson* m = lessonForYear(year)) {
        playMilestoneLesson(game, *m);
    }
    if (year == 285) {
        game.frontEnd().showResults(game.invasionCount, game.plagueCount, game.rebellionCount);
        if (!askYesNo(game,
                      "Congratulations!\r\n\r\nYou have survived Rome's \"Crisis of the Third "
                      "Century.\"\r\nDo "
                      "you want to keep playing until 476 AD?",
                      {Question::Topic::KeepPlaying})) {
            game.frontEnd().quit();
            return true;
        }
    } else if (year == 476) {
        game.frontEnd().showResults(game.invasionCount, game.plagueCount, game.rebellionCount);
        if (askYesNo(game,
                     "Congratulations! You have outlasted the Western\r\nRoman "
                     "Empire.\r\n\r\nDo you wish to "
                     "play again?\r\n",
                     {Question::Topic::PlayAgain})) {
            game.frontEnd().postCommand(cmd::kNewGame, 1);
            return false;
        }
        game.frontEnd().quit();
        return true;
    }
    return std::nullopt;
}

}  // namespace

bool endTurnCycle(Game& game) {
    for (;;) {
        playOneYear(game);
        const Defeat defeat = checkDefeat(game);
        if (defeat == Defeat::Quit) {
            return true;
        }
        if (defeat == Defeat::None) {
            if (const std::optional<bool> over = reachMilestone(game)) {
                return *over;
            }
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
