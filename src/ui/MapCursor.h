#pragma once

namespace tessarion {

class Game;
class Screen;
class Surface;
struct Province;

// Keyboard play on the map: a highlight that the arrows move from province to
// province, and the province whose legion Enter has picked up.
struct MapCursor {
    Province* highlighted = nullptr;
    Province* picked = nullptr;
    // Where the highlight stood when it was last hidden: the next arrow
    // brings it back there.
    Province* lastHighlighted = nullptr;
};

enum class Heading { Left, Right, Up, Down };

// The province one arrow press leads to from `from`: of those whose legion
// anchor lies that way, the nearest, a step sideways counting twice a step
// straight on, so that the highlight goes where the arrow points and every
// province can be reached. None when nothing lies that way.
Province* provinceToward(Game& game, const Province& from, Heading heading);

// The marks over the map: a picked-up legion's province framed in gold, the
// highlight framed in white and black, so that it shows on every colour of
// the map. Drawn on the window alone, over the painted screen.
void drawMapCursor(Surface& target, int layoutOffsetX, const MapCursor& cursor);

}  // namespace tessarion
