#include "ui/MapColours.h"

#include <algorithm>
#include <cmath>

#include "model/ProvinceTable.h"
#include "ui/Layout.h"
#include "ui/Screen.h"

namespace tessarion {

namespace {

constexpr std::uint32_t rgb(int r, int g, int b) {
    return 0xFF000000u | static_cast<std::uint32_t>(r) << 16 | static_cast<std::uint32_t>(g) << 8 |
           static_cast<std::uint32_t>(b);
}

int channel(std::uint32_t c, int shift) {
    return static_cast<int>((c >> shift) & 0xFF);
}

// Measured with the simulations of protanopia, deuteranopia and tritanopia
// (and normal sight): no two of these come closer than about 19 in CIEDE2000,
// where 15 is the least the map may show.
constexpr std::array<std::uint32_t, kGroundCount> kColourBlind = {
    rgb(220, 80, 50),    // Roman: brick red
    rgb(240, 200, 40),   // Germanic: gold
    rgb(131, 108, 125),  // Persian: dusk mauve, darker than every other land
    rgb(246, 242, 232),  // rebels and no one: as white as before
    rgb(163, 162, 151),  // land of no province: stone grey
    rgb(68, 123, 218),   // the open sea, its shallows lighter
};

// How close to a ground's own colour (scaled with the grain) a pixel must be
// to take the new colour, in 8-bit steps; beyond twice this it keeps its own.
constexpr float kNear = 14.0f;

struct Tint {
    float from[3];
    float scale[3];
    bool everything;  // the sea: waves, coasts and names all take the new blue
};

Tint tintFor(std::uint32_t from, std::uint32_t to, bool everything) {
    Tint t{};
    for (int i = 0; i < 3; ++i) {
        const int shift = 16 - 8 * i;
        t.from[i] = static_cast<float>(channel(from, shift));
        t.scale[i] = static_cast<float>(channel(to, shift)) / std::max(t.from[i], 1.0f);
    }
    t.everything = everything;
    return t;
}

std::uint32_t apply(const Tint& t, std::uint32_t pixel) {
    float p[3];
    for (int i = 0; i < 3; ++i) {
        p[i] = static_cast<float>(channel(pixel, 16 - 8 * i));
    }
    float weight = 1.0f;
    if (!t.everything) {
        // How strong the ground's colour is in the pixel, and how far the
        // pixel lies from that colour at that strength.
        const float dot = p[0] * t.from[0] + p[1] * t.from[1] + p[2] * t.from[2];
        const float norm = t.from[0] * t.from[0] + t.from[1] * t.from[1] + t.from[2] * t.from[2];
        const float strength = norm > 0 ? dot / norm : 0.0f;
        float off = 0;
        for (int i = 0; i < 3; ++i) {
            off += (p[i] - strength * t.from[i]) * (p[i] - strength * t.from[i]);
        }
        off = std::sqrt(off);
        weight = std::clamp(2.0f - off / kNear, 0.0f, 1.0f);
        // Lettering's pale halo is far lighter than any grain.
        weight *= std::clamp((1.25f - strength) / 0.1f, 0.0f, 1.0f) *
                  std::clamp((strength - 0.55f) / 0.1f, 0.0f, 1.0f);
    }
    if (weight <= 0) {
        return pixel;
    }
    std::uint32_t out = pixel & 0xFF000000u;
    for (int i = 0; i < 3; ++i) {
        const float v = p[i] + weight * (p[i] * t.scale[i] - p[i]);
        out |= static_cast<std::uint32_t>(std::clamp(std::lround(v), 0L, 255L)) << (16 - 8 * i);
    }
    return out;
}

// A median from a histogram of 256 counts.
int median(const std::array<std::size_t, 256>& counts, std::size_t total) {
    std::size_t seen = 0;
    for (int v = 0; v < 256; ++v) {
        seen += counts[static_cast<std::size_t>(v)];
        if (2 * seen >= total && total > 0) {
            return v;
        }
    }
    return 0;
}

struct Histogram {
    std::array<std::array<std::size_t, 256>, 3> counts{};
    std::size_t total = 0;

    void add(std::uint32_t c) {
        for (int i = 0; i < 3; ++i) {
            ++counts[static_cast<std::size_t>(i)][static_cast<std::size_t>(channel(c, 16 - 8 * i))];
        }
        ++total;
    }
    std::uint32_t median() const {
        if (total == 0) {
            return 0xFF000000u;
        }
        return rgb(tessarion::median(counts[0], total), tessarion::median(counts[1], total),
                   tessarion::median(counts[2], total));
    }
};

}  // namespace

std::uint32_t colourBlindColour(Ground ground) {
    return kColourBlind[static_cast<std::size_t>(ground)];
}

std::uint32_t typicalColour(const Surface& picture, const Mask* mask) {
    Histogram h;
    for (int y = 0; y < picture.pixelHeight(); ++y) {
        for (int x = 0; x < picture.pixelWidth(); ++x) {
            const bool shown =
                mask == nullptr || (x < mask->width() && y < mask->height() && mask->at(x, y) == 0);
            if (shown) {
                h.add(picture.pixel(x, y));
            }
        }
    }
    return h.median();
}

MapRecolouring::MapRecolouring(const Surface& baseMap, const res::MapLand& land) : land_(land) {
    // Each province's colour first: its hue tells whose land the map painted it.
    std::vector<Histogram> provinces(kProvinceCount);
    std::array<Histogram, kGroundCount> grounds;
    const int w = std::min(baseMap.pixelWidth(), land.width());
    const int h = std::min(baseMap.pixelHeight(), land.height());
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const int at = land.at(x, y);
            const std::uint32_t c = baseMap.pixel(x, y);
            if (at >= 0 && at < kProvinceCount) {
                provinces[static_cast<std::size_t>(at)].add(c);
            } else {
                grounds[static_cast<std::size_t>(at == res::MapLand::kSea ? Ground::Sea
                                                                          : Ground::NoProvince)]
                    .add(c);
            }
        }
    }
    provinceGround_.assign(kProvinceCount, Ground::Roman);
    for (std::size_t i = 0; i < provinces.size(); ++i) {
        const std::uint32_t c = provinces[i].median();
        const int r = channel(c, 16);
        const int g = channel(c, 8);
        const int b = channel(c, 0);
        // Persian magenta has more blue than green; Germanic yellow almost as
        // much green as red; Roman terracotta neither.
        const Ground ground = b > g              ? Ground::Persian
                              : g * 100 > r * 77 ? Ground::Germanic
                                                 : Ground::Roman;
        provinceGround_[i] = ground;
        Histogram& into = grounds[static_cast<std::size_t>(ground)];
        for (int k = 0; k < 3; ++k) {
            for (std::size_t v = 0; v < 256; ++v) {
                into.counts[static_cast<std::size_t>(k)][v] +=
                    provinces[i].counts[static_cast<std::size_t>(k)][v];
            }
        }
        into.total += provinces[i].total;
    }
    for (std::size_t i = 0; i < kGroundCount; ++i) {
        standard_[i] = grounds[i].median();
    }
}

std::uint32_t MapRecolouring::standardColour(Ground ground) const {
    return standard_[static_cast<std::size_t>(ground)];
}

Ground MapRecolouring::groundAt(int x, int y) const {
    const int at = land_.at(x, y);
    if (at >= 0 && at < kProvinceCount) {
        return provinceGround_[static_cast<std::size_t>(at)];
    }
    return at == res::MapLand::kSea ? Ground::Sea : Ground::NoProvince;
}

void MapRecolouring::recolour(Surface& picture, int x, int y) const {
    x *= landScale();
    y *= landScale();
    std::array<Tint, kGroundCount> tints{};
    for (std::size_t i = 0; i < kGroundCount; ++i) {
        tints[i] = tintFor(standard_[i], kColourBlind[i], static_cast<Ground>(i) == Ground::Sea);
    }
    for (int py = 0; py < picture.pixelHeight(); ++py) {
        std::uint32_t* row = picture.row(py);
        for (int px = 0; px < picture.pixelWidth(); ++px) {
            row[px] = apply(tints[static_cast<std::size_t>(groundAt(x + px, y + py))], row[px]);
        }
    }
}

void MapRecolouring::recolourGround(Surface& picture, int x, int y, Ground ground,
                                    std::uint32_t to) const {
    const Tint tint = tintFor(standard_[static_cast<std::size_t>(ground)], to, false);
    x *= landScale();
    y *= landScale();
    for (int py = 0; py < picture.pixelHeight(); ++py) {
        std::uint32_t* row = picture.row(py);
        for (int px = 0; px < picture.pixelWidth(); ++px) {
            if (groundAt(x + px, y + py) == ground) {
                row[px] = apply(tint, row[px]);
            }
        }
    }
}

void recolourOverlay(Surface& picture, const Mask& mask, Ground ground) {
    const Tint tint = tintFor(typicalColour(picture, &mask), colourBlindColour(ground), false);
    for (int y = 0; y < picture.pixelHeight() && y < mask.height(); ++y) {
        std::uint32_t* row = picture.row(y);
        for (int x = 0; x < picture.pixelWidth() && x < mask.width(); ++x) {
            if (mask.at(x, y) == 0) {
                row[x] = apply(tint, row[x]);
            }
        }
    }
}

void paintColourBlind(Screen& screen) {
    const res::MapLand land = res::MapLand::embeddedAt(screen.mapPixelsPerPoint());
    const MapRecolouring recolouring(screen.baseMap, land);
    recolouring.recolour(screen.baseMap, 0, 0);
    // The label stands on Thrace, where the layout puts it.
    recolouring.recolour(screen.pictures.constantinople.surface, layout::mapXOfWindow(724, 0),
                         layout::mapYOfWindow(294));
}

void recolourOverlay(Sprite& overlay, std::size_t index) {
    // Plain, yellow and blue for each province, as pictures.txt lists them.
    constexpr Ground kOverlayGround[3] = {Ground::Plain, Ground::Germanic, Ground::Persian};
    recolourOverlay(overlay.surface, overlay.mask, kOverlayGround[index % 3]);
}

void paintLandOfNoProvince(Screen& screen) {
    const res::MapLand land = res::MapLand::embeddedAt(screen.mapPixelsPerPoint());
    const MapRecolouring recolouring(screen.baseMap, land);
    recolouring.recolourGround(screen.baseMap, 0, 0, Ground::NoProvince, kStandardNoProvince);
}

}  // namespace tessarion
