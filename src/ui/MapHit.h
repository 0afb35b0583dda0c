#pragma once

namespace tessarion {

class Game;
struct Province;

// The province a map point shows. Inside the click rectangles the rules decide, as everywhere
// else in the game; on painted land outside every rectangle, the province whose land it is;
// on the sea (and on land of no province), none.
Province* provinceShownAt(Game& game, int mapX, int mapY);

}  // namespace tessarion
