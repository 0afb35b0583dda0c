#pragma once

#include <span>
#include <vector>

namespace tessarion::res {

// Whose painted land lies under each pixel of the 800x548 map, as the map tool drew it: the
// map answers the mouse wherever it shows a province, not only on the click rectangles. The
// map drawn at kLargePictureScale times its pixels has a land of its own, as much finer.
class MapLand {
  public:
    static constexpr int kWidth = 800;
    static constexpr int kHeight = 548;
    static constexpr int kSea = -1;
    static constexpr int kNoProvince = -2;

    // Decodes the tool's runs (value, length low byte, length high byte) of a map drawn at
    // scale times its pixels. Damaged data, which does not cover the map exactly, leaves the
    // map empty: all sea.
    explicit MapLand(std::span<const unsigned char> runs, int scale = 1);
    // The land of the map itself embedded in the game, made once and kept.
    static const MapLand& embedded();
    // The embedded land of the map drawn at scale times its pixels (1, or kLargePictureScale),
    // decoded afresh: the large one takes 4 MB, and is wanted only while the large map is
    // coloured.
    static MapLand embeddedAt(int scale);

    bool empty() const { return cells_.empty(); }
    int width() const { return width_; }
    int height() const { return height_; }
    // The province's index in the province table, kNoProvince on land of no province, kSea on
    // the sea and off the map; x and y in the pixels of the map this land was drawn for.
    int at(int x, int y) const;

  private:
    int width_ = kWidth;
    int height_ = kHeight;
    std::vector<unsigned char> cells_;
};

}  // namespace tessarion::res
