#pragma once

#include "engine/Orders.h"

namespace tessarion {

class Game;
struct Province;

// True when at least one Roman legion has not moved this turn.
bool anyLegionCanMove(Game& game);

// The player's order to the Romans' legion in `from` to go to `to` (none for
// no province), as a drag and drop gives it: carried out (dropLegion), the
// screen redrawn after an order, and the turn ended when no Roman legion is
// left to move.
OrderResult orderLegion(Game& game, Province* from, Province* to);

// Ends the player's turn: every power's year, the next year's events, defeat,
// lessons and the end-of-game questions; runs on while the player has nothing
// to move. Returns true when the game ended the program.
bool endTurnCycle(Game& game);

}  // namespace tessarion
