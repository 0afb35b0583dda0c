#pragma once

#include <string>

namespace tessarion {

class Game;

// What became of the save made when the game has to close on an error.
struct EmergencySave {
    bool saved = false;
    std::string path;    // where it went, when saved
    std::string reason;  // why not, when not
};

// Saves the game in `folder` as emergency-N.TSN, N one more than the
// highest already there, so that a second crash never overwrites the save of
// the first. Never throws: it runs when something has already gone wrong.
EmergencySave saveForEmergency(Game& game, const std::string& folder);

// The player's message about a fatal error: what happened and where the game
// went, or why it could not be kept.
std::string emergencyMessage(const std::string& error, const EmergencySave& save);

// The text of whatever is in flight, for the message.
std::string describeCurrentException();

}  // namespace tessarion
