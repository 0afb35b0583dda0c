#pragma once

namespace tessarion {

class World;
struct Province;

inline constexpr int kProvinceCount = 30;
// The map picture the click rectangles and legion anchors are pixels of.
inline constexpr int kMapWidth = 800;
inline constexpr int kMapHeight = 548;

// Makes the game's 30 provinces from the one shared table (names, neighbours,
// anchors, rectangles, attributes and the lands beyond the frontier), then the
// army groups (the 235 AD owners are the game's).
void buildProvinceTable(World& world);

// The province under a map point, or none: provinces in table order, each
// one's rectangles in order, edges excluded.
Province* provinceAt(World& world, int x, int y);

}  // namespace tessarion
