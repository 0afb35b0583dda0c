#pragma once

namespace tessarion {

class Game;

// A milestone year with its history lesson.
struct Milestone {
    int year;
    const char* lesson;
    int pictureId;
    int frameX;  // layout x (before the horizontal offset)
    int frameY;
};

inline constexpr Milestone kMilestones[] = {
    {236, "Maximinus Thrax", 162, 673, 300}, {260, "Three Empires", 233, 910, 360},
    {275, "Aurelian", 187, 489, 308},        {285, "Diocletian", 160, 737, 343},
    {313, "Constantine I", 161, 737, 343},   {378, "Battle of Adrianople", 249, 702, 312},
    {379, "Theodosius I", 248, 737, 343},    {410, "Sack of 410 AD", 235, 489, 308},
    {455, "Sack of 455 AD", 163, 489, 308},  {476, "Romulus Augustulus", 164, 489, 308},
};

const Milestone* milestoneFor(int year);

// True when at least one Roman legion has not moved this turn.
bool anyLegionCanMove(Game& game);

// Ends the player's turn: every power's year, the next year's events, defeat,
// lessons and the end-of-game questions; runs on while the player has nothing
// to move. Returns true when the game ended the program.
bool endTurnCycle(Game& game);

}  // namespace tessarion
