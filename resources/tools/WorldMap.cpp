#include "WorldMap.h"

// The map's pictures: the map rendered, its rivers, the city's labels, the overlays and
// masks, and the land file. The rest of the map is made in WorldMapLoad (the world file),
// WorldMapLand (projection, coasts, islands), WorldMapProvinces (the provinces' land) and
// WorldMapNames (the names).

#include <algorithm>
#include <cmath>
#include <fstream>

#include "MapPixels.h"

namespace tessarion::art {

bool WorldMap::make(const Font& serifBold, const std::string& dir) {
    buildLand();
    buildProvinces();
    placeNames(serifBold);
    if (!writeNames(dir + "/map-names.txt", serifBold)) {
        error_ = "cannot write the names into " + dir;
        return false;
    }
    return writePictures(serifBold, dir, "map-land.bin");
}

// The map, the city's labels, the land file and the overlays, at the grid's scale.
bool WorldMap::writePictures(const Font& serifBold, const std::string& dir,
                             const std::string& landFile) {
    Raster base = render(0);
    markCapital(base);
    Raster bare = capitalCrop(base);
    letterCapital(base, serifBold, capitalOld_, oldCapitalWidth());
    const Raster newLabel = newCapitalLabel(base, bare, serifBold);
    if (!writePng(dir + "/111.png", base) || !writePng(dir + "/251.png", newLabel) ||
        !writeLand(dir + "/" + landFile)) {
        error_ = "cannot write the map into " + dir;
        return false;
    }

    std::array<Raster, 3> variants;
    for (int v = 0; v < 3; ++v) {
        variants[static_cast<std::size_t>(v)] = render(v + 1);
        markCapital(variants[static_cast<std::size_t>(v)]);
    }
    for (const Overlay& o : overlays_) {
        if (!writeOverlay(o, variants, dir)) {
            error_ = "cannot write overlays into " + dir;
            return false;
        }
    }
    return true;
}

// Byzantium: a city mark at the tip of Thrace. The game letters the names of the provinces
// and seas over the map itself, at the screen's own size.
void WorldMap::markCapital(Raster& image) const {
    const float s = static_cast<float>(S);
    for (int y = -3 * S; y <= 3 * S; ++y) {
        for (int x = -3 * S; x <= 3 * S; ++x) {
            float d = std::hypot(static_cast<float>(x), static_cast<float>(y)) / s;
            int px = static_cast<int>(capital_.x * s) + x;
            int py = static_cast<int>(capital_.y * s) + y;
            if (d <= 2.9f) {
                image.blend(px, py, d <= 1.7f ? rgb(150, 20, 20) : rgb(255, 245, 225),
                            std::clamp(3.2f - d, 0.0f, 1.0f));
            }
        }
    }
}

// The city's name in its box, as large as fits the width.
void WorldMap::letterCapital(Raster& image, const Font& serifBold, const std::string& text,
                             int width) const {
    const float s = static_cast<float>(S);
    width *= S;
    float size = 11 * s;
    while (serifBold.measure(text, size, 0.3f * s) > width - 4 * S && size > 6 * s) {
        size -= 0.5f * s;
    }
    float w = serifBold.measure(text, size, 0.3f * s);
    serifBold.draw(image, capitalBox_[0] * s + (width - w) / 2.0f,
                   capitalBox_[1] * s + (capitalBox_[3] * s - size) / 2.0f - 1.5f * s, text, size,
                   rgb(248, 238, 210), 0.3f * s);
}

// The old name keeps clear of a legion box that reaches into the label's box (Pontus's),
// so the icon never hides it; the new name fills its whole picture.
int WorldMap::oldCapitalWidth() const {
    int oldWidth = capitalBox_[2];
    for (const ProvinceData& d : provinces_) {
        const bool rows =
            d.legionY < capitalBox_[1] + capitalBox_[3] && d.legionY + 60 > capitalBox_[1];
        if (rows && d.legionX > capitalBox_[0] && d.legionX < capitalBox_[0] + oldWidth) {
            oldWidth = d.legionX - capitalBox_[0] - 1;
        }
    }
    return oldWidth;
}

Raster WorldMap::capitalCrop(const Raster& image) const {
    return image.crop(capitalBox_[0] * S, capitalBox_[1] * S, capitalBox_[2] * S,
                      capitalBox_[3] * S);
}

// The label picture of the new name: drawn in map coordinates, over the box without the old
// name, so it sits exactly where the old one did.
Raster WorldMap::newCapitalLabel(const Raster& base, const Raster& bare,
                                 const Font& serifBold) const {
    Raster scratch = base;
    for (int y = 0; y < bare.height; ++y) {
        for (int x = 0; x < bare.width; ++x) {
            scratch.at(capitalBox_[0] * S + x, capitalBox_[1] * S + y) = bare.at(x, y);
        }
    }
    letterCapital(scratch, serifBold, capitalNew_, capitalBox_[2]);
    return capitalCrop(scratch);
}

// One province's overlay in its three colours and its mask.
bool WorldMap::writeOverlay(const Overlay& o, const std::array<Raster, 3>& variants,
                            const std::string& dir) const {
    int p = provinceIndex(o.province);
    int left = (o.x - 180) * S;
    int top = (o.y - 30) * S;
    const int width = o.width * S;
    const int height = o.height * S;
    Raster mask(width, height, rgb(255, 255, 255));
    std::array<Raster, 3> pictures;
    for (auto& pic : pictures) {
        pic = Raster(width, height, rgb(0, 0, 0));
    }
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            int mx = left + x;
            int my = top + y;
            if (mx < 0 || my < 0 || mx >= W || my >= H) {
                continue;
            }
            // The whole of the province's land, its border line too: any pixel left out
            // would keep the Roman colour when the province is lost.
            if (label(mx, my) == p) {
                mask.at(x, y) = rgb(0, 0, 0);
                for (int v = 0; v < 3; ++v) {
                    std::uint32_t c = variants[static_cast<std::size_t>(v)].at(mx, my);
                    // Pure black is the transparent colour of a masked picture.
                    pictures[static_cast<std::size_t>(v)].at(x, y) =
                        (c & 0xFFFFFFu) == 0 ? rgb(1, 1, 1) : c;
                }
            }
        }
    }
    const int ids[3] = {o.plain, o.yellow, o.blue};
    for (int v = 0; v < 3; ++v) {
        if (!writePng(dir + "/" + std::to_string(ids[v]) + ".png",
                      pictures[static_cast<std::size_t>(v)])) {
            return false;
        }
    }
    return writePng(dir + "/" + std::to_string(o.mask) + ".png", mask);
}

void WorldMap::paintRivers(Raster& image) const {
    for (std::size_t r = 0; r < riverPaths_.size(); ++r) {
        const std::vector<Point> path = onGrid(riverPaths_[r]);
        float width = riverWidths_[r] * static_cast<float>(S);
        // Rivers widen towards their mouths.
        std::vector<float> along(path.size(), 0.0f);
        for (std::size_t i = 1; i < path.size(); ++i) {
            along[i] =
                along[i - 1] + std::hypot(path[i].x - path[i - 1].x, path[i].y - path[i - 1].y);
        }
        float total = std::max(1.0f, along.back());
        for (std::size_t i = 0; i + 1 < path.size(); ++i) {
            float w = width * (0.55f + 0.45f * along[i] / total);
            std::vector<Point> seg = {path[i], path[i + 1]};
            strokePolyline(seg, w / 2 + 1, [&](int x, int y, float d) {
                if (land_[idx(x, y)]) {
                    float cov = std::clamp(w / 2 + 0.5f - d, 0.0f, 1.0f);
                    image.blend(x, y, kRiver, cov);
                }
            });
        }
    }
}

Raster WorldMap::render(int variant) const {
    // Distances and the noise are measured in map pixels whatever the grid's scale; only the
    // grain is the grid's own.
    const float s = static_cast<float>(S);
    Raster image(W, H);
    for (int y = 0; y < H; ++y) {
        for (int x = 0; x < W; ++x) {
            std::size_t i = idx(x, y);
            int l = labels_[i];
            const float fx = static_cast<float>(x) / s;
            const float fy = static_cast<float>(y) / s;
            if (l == -1) {
                float d = seaDistance_[i] / s;
                float t = std::clamp((d - 2.0f) / 40.0f, 0.0f, 1.0f);
                std::uint32_t c = mix(kSeaShallow, kSeaDeep, t);
                c = scale(c, 0.97f + 0.05f * fbm(fx * 0.03f, fy * 0.05f, 500, 2));
                // Engraved ripple lines follow the coasts.
                if (std::fabs(d - 4.5f) < 0.6f || std::fabs(d - 9.0f) < 0.5f) {
                    c = mix(c, kSeaShallow, 0.45f);
                }
                if (d < 1.6f) {
                    c = mix(c, kCoast, 0.85f);
                }
                image.at(x, y) = c;
                continue;
            }
            // A frontier pixel left to no province (see giveFrontierToNeighbours) is no one's
            // land: were it shown in a neighbour's colour, no overlay would cover it.
            const int shown = l;
            std::uint32_t c = kNeutral;
            if (shown >= 0) {
                const ProvinceData& d = provinces_[static_cast<std::size_t>(shown)];
                c = d.group == 0 ? kRoman : d.group == 1 ? kGermanic : kPersian;
                if (variant == 1) {
                    c = kWhite;
                } else if (variant == 2) {
                    c = kGermanic;
                } else if (variant == 3) {
                    c = kPersian;
                }
            }
            float grain = 0.94f + 0.06f * fbm(fx * 0.06f, fy * 0.06f, 700, 4) +
                          0.025f * (hash01(x, y, 3) - 0.5f);
            c = scale(c, grain);
            if (isBorder(x, y)) {
                c = mix(c, kBorder, 0.8f);
            }
            image.at(x, y) = c;
        }
    }
    paintRivers(image);
    return image;
}

bool WorldMap::writeLand(const std::string& path) const {
    // Runs of (value, length as two bytes, low first) over the rows: a province's index in the
    // province table, 254 for land of no province, 255 for sea.
    std::vector<unsigned char> out;
    auto value = [&](std::size_t i) {
        const int l = labels_[i];
        return static_cast<unsigned char>(l >= 0 ? l : l == -1 ? 255 : 254);
    };
    for (std::size_t i = 0; i < labels_.size();) {
        const unsigned char v = value(i);
        std::size_t n = 1;
        while (i + n < labels_.size() && n < 0xFFFF && value(i + n) == v) {
            ++n;
        }
        out.push_back(v);
        out.push_back(static_cast<unsigned char>(n & 0xFF));
        out.push_back(static_cast<unsigned char>(n >> 8));
        i += n;
    }
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(out.data()), static_cast<std::streamsize>(out.size()));
    return static_cast<bool>(file);
}

Raster WorldMap::groupMap(const std::vector<Group>& groups) const {
    const float s = static_cast<float>(S);
    Raster image = render(0);
    for (int y = 0; y < H; ++y) {
        for (int x = 0; x < W; ++x) {
            int l = label(x, y);
            if (l < 0 && l != -3) {
                continue;
            }
            std::uint32_t c = kNeutral;
            if (l >= 0) {
                for (const Group& g : groups) {
                    for (const auto& name : g.provinces) {
                        if (provinces_[static_cast<std::size_t>(l)].name == name) {
                            c = g.colour;
                        }
                    }
                }
            }
            const float grain = 0.94f + 0.06f * fbm(static_cast<float>(x) / s * 0.06f,
                                                    static_cast<float>(y) / s * 0.06f, 700, 4);
            c = scale(c, grain);
            if (isBorder(x, y)) {
                c = mix(c, kBorder, 0.8f);
            }
            image.at(x, y) = c;
        }
    }
    paintRivers(image);
    return image;
}

}  // namespace tessarion::art
