#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "res/MapLand.h"
#include "ui/Surface.h"

namespace tessarion {

class Sprite;

class Screen;

// The kinds of ground the map tells apart by colour.
enum class Ground { Roman, Germanic, Persian, Plain, NoProvince, Sea };
inline constexpr std::size_t kGroundCount = 6;

// The colour-blind map's colour of each ground: the three powers' lands, the
// plain land of rebels and of no one, the land of no province and the sea,
// chosen so that every pair stays far apart whichever cones the eye lacks.
// The legions of the colour-blind map wear the same (resources/art/figures.py).
std::uint32_t colourBlindColour(Ground ground);

// A picture's usual colour: the per-channel median of its pixels (only those
// the mask shows, when there is a mask; black where nothing counts).
std::uint32_t typicalColour(const Surface& picture, const Mask* mask = nullptr);

// Recolours the standard map's pictures for the colour-blind map. A pixel of
// a ground's colour, lighter or darker with the paper's grain, takes the new
// colour at the same strength; ink, borders, rivers and lettering keep
// theirs, so the map stays the same map in other paint.
class MapRecolouring {
  public:
    // Learns each ground's colour from the standard base map and whose land
    // lies under each of its pixels (a land drawn for the map's own pixels:
    // 800 x 548, or the large map's).
    MapRecolouring(const Surface& baseMap, const res::MapLand& land);

    // A picture lying on the map with its top-left corner at map point
    // (x, y): the base map itself at (0, 0), or the Constantinople label. Its
    // pixels are the land's.
    void recolour(Surface& picture, int x, int y) const;

    // Only one ground of the picture takes a new colour, the rest as it is.
    void recolourGround(Surface& picture, int x, int y, Ground ground, std::uint32_t to) const;

    // What a ground looks like on the standard base map.
    std::uint32_t standardColour(Ground ground) const;

  private:
    Ground groundAt(int x, int y) const;
    int landScale() const { return land_.width() / res::MapLand::kWidth; }

    const res::MapLand& land_;
    std::array<std::uint32_t, kGroundCount> standard_{};
    // The ground of each province's land, by province index.
    std::vector<Ground> provinceGround_;
};

// An ownership overlay of the given ground, from the colour it was painted in
// to the colour-blind map's; only the pixels its mask shows change.
void recolourOverlay(Surface& picture, const Mask& mask, Ground ground);
// The same for the overlay of pictures.overlays[index] (plain, yellow, blue in turn).
void recolourOverlay(Sprite& overlay, std::size_t index);

// The screen's freshly decoded map pictures (the base map, the Constantinople
// label) in the colour-blind map's colours; the overlays are recoloured as
// they are decoded.
void paintColourBlind(Screen& screen);

// The standard map's land beyond the provinces, painted nearly as white as
// the rebels' land, a shade of stone instead, so that a rebel province
// cannot be taken for the land of no province.
inline constexpr std::uint32_t kStandardNoProvince = 0xFFA09E94u;
void paintLandOfNoProvince(Screen& screen);

}  // namespace tessarion
