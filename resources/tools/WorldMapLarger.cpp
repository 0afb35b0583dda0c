// The map drawn larger: the coasts, straits, rivers and lettering are drawn again at the larger
// grid's own pixels, while every province keeps the land the map's own grid gave it, so the
// larger pictures show the same provinces and overlays, only finer.

#include <array>
#include <cmath>
#include <utility>

#include "MapPixels.h"
#include "WorldMap.h"

namespace tessarion::art {

bool WorldMap::makeLarger(int scale, const Font& serifBold, const std::string& dir,
                          const std::function<bool()>& alsoDraw) {
    const std::vector<int> coarse = labels_;
    bool written = false;
    {
        GridScale grid(scale);
        buildLand();
        labelLargerGrid(coarse);
        seaDistance_ = distanceTo(land_);
        written = writePictures(serifBold, dir, "map-land-large.bin") && (!alsoDraw || alsoDraw());
    }
    // Back to the map's own grid.
    buildLand();
    labels_ = coarse;
    seaDistance_ = distanceTo(land_);
    return written;
}

// Each land pixel of the larger grid takes the province most of the map's pixels about it
// hold, the nearest weighing most: a border keeps its place but its steps are a pixel of the
// larger grid, not of the map. Where the finer coast has land the map had as sea, the
// nearest land of the map lends its province, as long as that province's overlay still
// covers the pixel.
void WorldMap::labelLargerGrid(const std::vector<int>& coarse) {
    labels_.assign(static_cast<std::size_t>(W) * H, -1);
    const float s = static_cast<float>(S);
    for (int y = 0; y < H; ++y) {
        for (int x = 0; x < W; ++x) {
            const std::size_t i = idx(x, y);
            if (!land_[i]) {
                continue;
            }
            const float cx = (static_cast<float>(x) + 0.5f) / s;
            const float cy = (static_cast<float>(y) + 0.5f) / s;
            int best = -1;
            float bestWeight = 0;
            std::array<std::pair<int, float>, 9> votes{};
            int voters = 0;
            for (int k = 0; k < 9; ++k) {
                const int mx = x / S + k % 3 - 1;
                const int my = y / S + k / 3 - 1;
                if (mx < 0 || my < 0 || mx >= kWidth || my >= kHeight) {
                    continue;
                }
                const int l = coarse[static_cast<std::size_t>(my) * kWidth + mx];
                if (l == -1) {
                    continue;
                }
                const float dx = static_cast<float>(mx) + 0.5f - cx;
                const float dy = static_cast<float>(my) + 0.5f - cy;
                const float weight = std::exp(-(dx * dx + dy * dy) / (2 * 0.7f * 0.7f));
                int v = 0;
                while (v < voters && votes[static_cast<std::size_t>(v)].first != l) {
                    ++v;
                }
                if (v == voters) {
                    votes[static_cast<std::size_t>(voters++)] = {l, 0.0f};
                }
                auto& vote = votes[static_cast<std::size_t>(v)];
                vote.second += weight;
                if (vote.second > bestWeight) {
                    bestWeight = vote.second;
                    best = vote.first;
                }
            }
            const int l = best == -1 ? nearestLandLabel(coarse, x / S, y / S) : best;
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
