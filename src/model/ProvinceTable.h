#pragma once

namespace tessarion {

class Game;
struct Province;

inline constexpr int kProvinceCount = 30;

// Creates the 30 provinces with their neighbours, anchors, rectangles and
// attributes, then the army groups and the 235 AD owners.
void buildProvinceTable(Game& game);

// The province under a map point, or none: provinces in table order, each
// one's rectangles in order, edges excluded.
Province* provinceAt(Game& game, int x, int y);

}  // namespace tessarion
