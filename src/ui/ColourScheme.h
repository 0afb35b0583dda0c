#pragma once

namespace tessarion {

// How the map tells its powers apart. ColourBlind keeps the four powers, the sea
// and the land of no province apart for players who confuse reds and greens
// or blues and yellows; Standard is the map as it was painted.
enum class ColourScheme { Standard, ColourBlind };

}  // namespace tessarion
