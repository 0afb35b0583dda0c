// The map drawn larger: the coasts, straits, rivers and lettering are drawn again at the larger
// grid's own pixels, while every province keeps the land the map's own grid gave it, so the
// larger pictures show the same provinces and overlays, only finer.

#include "MapPixels.h"
#include "WorldMap.h"

namespace tessarion::art {

bool WorldMap::makeLarger(int scale, const Font& serifBold, const std::string& dir) {
    const std::vector<int> coarse = labels_;
    bool written = false;
    {
        GridScale grid(scale);
        buildLand();
        labelLargerGrid(coarse);
        seaDistance_ = distanceTo(land_);
        written = writePictures(serifBold, dir, "map-land-" + std::to_string(scale) + "x.bin");
    }
    // Back to the map's own grid, for the lesson maps drawn after.
    buildLand();
    labels_ = coarse;
    seaDistance_ = distanceTo(land_);
    return written;
}

// Each land pixel of the larger grid takes the province of the map pixel it lies in. Where
// the finer coast has land the map had as sea, the nearest land of the map lends its
// province, as long as that province's overlay still covers the pixel.
void WorldMap::labelLargerGrid(const std::vector<int>& coarse) {
    labels_.assign(static_cast<std::size_t>(W) * H, -1);
    for (int y = 0; y < H; ++y) {
        for (int x = 0; x < W; ++x) {
            const std::size_t i = idx(x, y);
            if (!land_[i]) {
                continue;
            }
            int l = coarse[static_cast<std::size_t>(y / S) * kWidth + x / S];
            if (l == -1) {
                l = nearestLandLabel(coarse, x / S, y / S);
            }
            labels_[i] = l >= 0 && !inFrame(l, x, y, 0) ? -2 : l;
        }
    }
}

int WorldMap::nearestLandLabel(const std::vector<int>& coarse, int x, int y) const {
    for (int r = 1; r <= 2; ++r) {
        for (int dy = -r; dy <= r; ++dy) {
            for (int dx = -r; dx <= r; ++dx) {
                const int nx = x + dx;
                const int ny = y + dy;
                if (nx < 0 || ny < 0 || nx >= kWidth || ny >= kHeight) {
                    continue;
                }
                const int l = coarse[static_cast<std::size_t>(ny) * kWidth + nx];
                if (l != -1) {
                    return l;
                }
            }
        }
    }
    return -2;
}

}  // namespace tessarion::art
