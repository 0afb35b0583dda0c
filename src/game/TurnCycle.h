#pragma once

namespace tessarion {

class Game;

// True when at least one Roman legion has not moved this turn.
bool anyLegionCanMove(Game& game);

// Ends the player's turn: every power's year, the next year's events, defeat,
// lessons and the end-of-game questions; runs on while the player has nothing
// to move. Returns true when the game ended the program.
bool endTurnCycle(Game& game);

}  // namespace tessarion
