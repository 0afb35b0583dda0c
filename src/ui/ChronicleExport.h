#pragma once

#include <string>

#include "ui/ColourScheme.h"
#include "ui/Surface.h"

namespace tessarion {

class Game;

// The chronicle's chart as a picture of its own, with its title above it.
Surface chronicleImage(const Game& game, ColourScheme scheme);

// The chosen name without the extension of either file (".png", ".csv") or
// of a saved game, so that "rome.png" and "rome" both give "rome".
std::string exportPrefix(const std::string& path);

// What an export wrote, or why it wrote nothing more.
struct ChronicleExport {
    bool ok = false;
    std::string pngPath;
    std::string csvPath;
    std::string error;  // in the player's words, naming the file
};

// Writes PREFIX.png (the chart) and PREFIX.csv (the chronicle, one row a
// year), each replaced whole or not at all.
ChronicleExport exportChronicle(Game& game, ColourScheme scheme, const std::string& prefix);

}  // namespace tessarion
