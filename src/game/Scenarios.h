#pragma once

#include <span>
#include <string>

namespace tessarion {

class Game;
struct Province;

// A scenario of the Scenarios menu: the game set up at a later point of the
// history. Adding one is a row of kScenarios and its set-up function; the
// menu, the console, the simulator, the command line and the scripts all read
// the table.
struct Scenario {
    int id;             // its menu command, also the console's and --from's
    const char* label;  // its entry in the Scenarios menu
    int year;           // the year it is named after
    int setUpYear;      // the year its set-up stands in
    // Rewrites the standard start: the treasury, the owners, the legions.
    void (*setUp)(Game& game);
    // One end of turn follows the set-up, firing that year's events.
    bool endTurnFollows;

    // The first year the player plays.
    int firstYear() const { return setUpYear + (endTurnFollows ? 1 : 0); }
};

// In the order of the Scenarios menu.
std::span<const Scenario> scenarios();

// Null for an id that is no scenario's.
const Scenario* findScenario(int command);
// The scenario named after a year; null if none is.
const Scenario* scenarioOfYear(int year);
bool isScenario(int command);
// The ids in the table's order, for usage texts: "1100|1101|1102|1103".
std::string scenarioIds(const std::string& separator);

// Starts the scenario of a menu command (after the player confirmed).
void startScenario(Game& game, int command);

// Legions for whoever holds the province; none for an unowned one.
void addLegionsToOwner(Game& game, Province* province, int count);

// File > New Game.
void newGame(Game& game, bool skipConfirmation);

// The greeting and the hints on playing.
void showWelcome(Game& game);

}  // namespace tessarion
