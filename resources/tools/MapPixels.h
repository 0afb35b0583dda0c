#pragma once

// The pixel work the map shares: the map's grid, noise, outlines made
// rough, filled and stroked, and distances over the grid.

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "Raster.h"
#include "WorldMap.h"

namespace tessarion::art {

// The grid being drawn: the map's own 800 x 548 pixels while the land and the provinces are
// laid out, S times as many in each direction while a larger copy is drawn (see GridScale).
inline int W = WorldMap::kWidth;
inline int H = WorldMap::kHeight;
inline int S = 1;

// Sets the grid to scale times the map's pixels for as long as it lives.
class GridScale {
  public:
    explicit GridScale(int scale) {
        S = scale;
        W = WorldMap::kWidth * scale;
        H = WorldMap::kHeight * scale;
    }
    ~GridScale() {
        S = 1;
        W = WorldMap::kWidth;
        H = WorldMap::kHeight;
    }
    GridScale(const GridScale&) = delete;
    GridScale& operator=(const GridScale&) = delete;
};

inline std::size_t idx(int x, int y) {
    return static_cast<std::size_t>(y) * W + x;
}

// Where a province's legions stand, in map pixels: the icon at the anchor, and the count
// beside it in the small sans font (on the icon's left where the right would leave the map).
// Labels keep off both; the rest of the box beside the icon is free.
constexpr int kIconWidth = 43;  // the widest, the barbarians'
constexpr int kIconHeight = 65;
constexpr int kCountWidth = 24;  // room for two digits and their white box
inline std::array<std::array<int, 4>, 2> legionShapes(int legionX, int legionY) {
    const int countX =
        legionX + 40 + kCountWidth > WorldMap::kWidth ? legionX - kCountWidth - 2 : legionX + 38;
    return {{{legionX, legionY, kIconWidth, kIconHeight}, {countX, legionY + 23, kCountWidth, 22}}};
}

// Smooth noise in -1..1; every caller passes its own seed so that the coasts, the borders and
// the texture do not wobble in step.
float noise(float x, float y, int seed);
// Noise of several octaves, in -1..1.
float fbm(float x, float y, int seed, int octaves = 3);
// A hash of the pixel in 0..1: grain with no pattern.
float hash01(int x, int y, int seed);

// Resamples an outline to short steps and pushes each point along its normal by a little
// noise, which turns smooth curves into coasts.
std::vector<Point> roughen(const std::vector<Point>& in, bool closed, float amplitude, int seed);
// Calls plot(x, y) for every pixel inside the polygon (even-odd).
void fillPolygon(const std::vector<Point>& poly, const std::function<void(int, int)>& plot);
float segmentDistance(Point p, Point a, Point b);
// Calls plot(x, y, distance) for every pixel within reach of the polyline.
void strokePolyline(const std::vector<Point>& line, float reach,
                    const std::function<void(int, int, float)>& plot);
// Catmull-Rom through the hand-placed points, so rivers bend instead of kinking.
std::vector<Point> spline(const std::vector<Point>& pts);

// Calls visit(n) for each of the four pixels beside pixel i that lie on the map.
template <typename Visit>
void forNeighbours(std::size_t i, Visit visit) {
    const int x = static_cast<int>(i % W);
    const int y = static_cast<int>(i / W);
    if (x + 1 < W) {
        visit(i + 1);
    }
    if (x > 0) {
        visit(i - 1);
    }
    if (y + 1 < H) {
        visit(i + W);
    }
    if (y > 0) {
        visit(i - W);
    }
}

// Projects a line of longitude/latitude points, cut into short steps first so that the warp
// bends it instead of only moving its corners.
std::vector<Point> projectLine(const WorldMap& map, const std::vector<Point>& line, bool closed);
// Map pixels onto the grid as it is scaled now.
std::vector<Point> onGrid(std::vector<Point> line);

// Chamfer distance from every pixel to the nearest pixel set in mask.
std::vector<float> distanceTo(const std::vector<std::uint8_t>& mask);

// The palette: a warm, flat fresco look.
inline const std::uint32_t kRoman = rgb(232, 150, 128);
inline const std::uint32_t kGermanic = rgb(236, 206, 96);
inline const std::uint32_t kPersian = rgb(204, 104, 184);
inline const std::uint32_t kNeutral = rgb(214, 198, 158);
inline const std::uint32_t kWhite = rgb(246, 242, 232);
inline const std::uint32_t kSeaShallow = rgb(140, 182, 208);
inline const std::uint32_t kSeaDeep = rgb(92, 138, 178);
inline const std::uint32_t kCoast = rgb(40, 66, 96);
inline const std::uint32_t kBorder = rgb(96, 52, 40);
inline const std::uint32_t kRiver = rgb(58, 108, 160);
inline const std::uint32_t kInk = rgb(52, 30, 22);
inline const std::uint32_t kSeaInk = rgb(30, 60, 96);

}  // namespace tessarion::art
