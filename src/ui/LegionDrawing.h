#pragma once

#include <cstdint>

namespace tessarion {

class Screen;
class Surface;

// Icon codes of the legion pictures.
inline constexpr int kIconRoman = 0;
inline constexpr int kIconBarbarian = 1;
inline constexpr int kIconSassanid = 3;
inline constexpr int kIconRebel = 4;
inline constexpr int kIconRomanMoved = 5;
// The line around each legion of the colour-blind map, dark enough to part
// it from its own land's colour.
inline constexpr std::uint32_t kLegionOutline = 0xFF16141Au;

// One icon with its count beside it; x and y are map coordinates.
void drawLegion(Screen& screen, Surface& target, int x, int y, int icon, int count);
// Every province's legions, one icon per power, on the window.
void drawLegions(Screen& screen);
// The legend left of the map, onto target (a surface the size of the window).
void drawLegend(Screen& screen, Surface& target);
// The white frame round the map.
void drawMapFrame(Screen& screen, Surface& target);

}  // namespace tessarion
