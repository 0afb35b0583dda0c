#pragma once

#include <optional>
#include <utility>

namespace tessarion {

class Game;
struct Province;

// The province a map point shows. Inside the click rectangles the rules decide, as everywhere
// else in the game; on painted land outside every rectangle, the province whose land it is;
// on the sea (and on land of no province), none.
Province* provinceShownAt(Game& game, int mapX, int mapY);

// A map point the rules read as the province: inside its click rectangles and not taken by an
// earlier province's rectangle. None only for a province without rectangles.
std::optional<std::pair<int, int>> clickPointIn(Game& game, const Province& province);

}  // namespace tessarion
