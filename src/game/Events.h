#pragma once

namespace tessarion {

class Game;

// Rebuilds the schedule of the eleven historical events.
void setUpEvents(Game& game);

// Drops the events of years already past and fires those of the year begun.
void runEvents(Game& game);

}  // namespace tessarion
