#pragma once

namespace tessarion {

class Game;
struct Province;

// Menu commands of the four scenarios.
inline constexpr int kScenarioValerian = 1100;
inline constexpr int kScenarioConstantine = 1101;
inline constexpr int kScenarioHonorius = 1102;
inline constexpr int kScenarioValentinian = 1103;

bool isScenario(int command);

// Starts the scenario of a menu command (after the player confirmed).
void startScenario(Game& game, int command);

// Legions for whoever holds the province; none for an unowned one.
void addLegionsToOwner(Game& game, Province* province, int count);

// File > New Game.
void newGame(Game& game, bool skipConfirmation);

// The greeting and the hints on playing.
void showWelcome(Game& game);

}  // namespace tessarion
