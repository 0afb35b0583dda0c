#pragma once

#include <span>
#include <vector>

namespace tessarion::res {

// Whose painted land lies under each pixel of the 800x548 map, as the map tool drew it: the
// map answers the mouse wherever it shows a province, not only on the click rectangles.
class MapLand {
  public:
    static constexpr int kWidth = 800;
    static constexpr int kHeight = 548;
    static constexpr int kSea = -1;
    static constexpr int kNoProvince = -2;

    // Decodes the tool's runs (value, length low byte, length high byte). Damaged data, which
    // does not cover the map exactly, leaves the map empty: all sea.
    explicit MapLand(std::span<const unsigned char> runs);
    // The map embedded in the game.
    static const MapLand& embedded();

    bool empty() const { return cells_.empty(); }
    // The province's index in the province table, kNoProvince on land of no province, kSea on
    // the sea and off the map.
    int at(int x, int y) const;

  private:
    std::vector<unsigned char> cells_;
};

}  // namespace tessarion::res
