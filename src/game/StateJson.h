#pragma once

#include <string>

namespace tessarion {

// One line of JSON describing the whole running game: the console's `state`,
// and the yardstick by which tests and the fuzzer see that a refused load
// changed nothing.
class Game;

std::string stateJson(Game& game);

}  // namespace tessarion
