// The land: the projection and its warp, the coasts filled and the islands given to their
// provinces.

#include <algorithm>
#include <cmath>
#include <iostream>
#include <queue>

#include "MapPixels.h"
#include "WorldMap.h"

namespace tessarion::art {

namespace {

// The projection before the warp: near-equirectangular, fitted by least squares to the
// provinces' real places and their click rectangles.
Point affine(Point lonLat) {
    return {13.71f * lonLat.x - 0.91f * lonLat.y + 181.4f,
            0.02f * lonLat.x - 18.15f * lonLat.y + 1033.2f};
}

// The warp's reach: a pin moves the land around it within about this many pixels.
constexpr float kPinReach = 34.0f;

float pinKernel(Point a, Point b) {
    float dx = a.x - b.x;
    float dy = a.y - b.y;
    return std::exp(-(dx * dx + dy * dy) / (2 * kPinReach * kPinReach));
}

// Land components (4-connected), each with its size and whether a province reached it.
struct Components {
    std::vector<int> component;
    std::vector<int> sizes;
    std::vector<std::uint8_t> owned;
};

Components componentsOf(const std::vector<std::uint8_t>& land, const std::vector<int>& owner) {
    Components c{std::vector<int>(land.size(), -1), {}, {}};
    for (std::size_t start = 0; start < land.size(); ++start) {
        if (!land[start] || c.component[start] >= 0) {
            continue;
        }
        const int k = static_cast<int>(c.sizes.size());
        c.sizes.push_back(0);
        c.owned.push_back(0);
        std::vector<std::size_t> stack = {start};
        c.component[start] = k;
        while (!stack.empty()) {
            std::size_t i = stack.back();
            stack.pop_back();
            ++c.sizes.back();
            c.owned.back() = c.owned.back() || owner[i] >= 0;
            forNeighbours(i, [&](std::size_t n) {
                if (land[n] && c.component[n] < 0) {
                    c.component[n] = k;
                    stack.push_back(n);
                }
            });
        }
    }
    return c;
}

// For every pixel within 40 steps of a province's land, that province (the nearest by steps).
std::vector<int> nearestProvince(const std::vector<int>& owner) {
    std::vector<int> nearest(owner.size(), -1);
    std::vector<int> reach(owner.size(), 0);
    std::queue<std::size_t> next;
    for (std::size_t i = 0; i < owner.size(); ++i) {
        if (owner[i] >= 0) {
            nearest[i] = owner[i];
            next.push(i);
        }
    }
    while (!next.empty()) {
        std::size_t i = next.front();
        next.pop();
        if (reach[i] >= 40) {
            continue;
        }
        forNeighbours(i, [&](std::size_t n) {
            if (nearest[n] < 0) {
                nearest[n] = nearest[i];
                reach[n] = reach[i] + 1;
                next.push(n);
            }
        });
    }
    return nearest;
}

}  // namespace

void WorldMap::fitWarp() {
    // Gaussian radial basis: solve for weights so that every pin lands (nearly) on its pixel;
    // the small ridge keeps neighbouring pins from fighting into folds.
    const std::size_t n = pins_.size();
    std::vector<double> a(n * n);
    std::vector<double> bx(n);
    std::vector<double> by(n);
    for (std::size_t i = 0; i < n; ++i) {
        Point pi = affine(pins_[i].lonLat);
        for (std::size_t j = 0; j < n; ++j) {
            a[i * n + j] = pinKernel(pi, affine(pins_[j].lonLat)) + (i == j ? 0.02 : 0.0);
        }
        bx[i] = pins_[i].pixel.x - pi.x;
        by[i] = pins_[i].pixel.y - pi.y;
    }
    // Gauss-Jordan with partial pivoting; the matrix is symmetric positive definite.
    for (std::size_t c = 0; c < n; ++c) {
        std::size_t pivot = c;
        for (std::size_t r = c + 1; r < n; ++r) {
            if (std::fabs(a[r * n + c]) > std::fabs(a[pivot * n + c])) {
                pivot = r;
            }
        }
        for (std::size_t k = 0; k < n; ++k) {
            std::swap(a[c * n + k], a[pivot * n + k]);
        }
        std::swap(bx[c], bx[pivot]);
        std::swap(by[c], by[pivot]);
        for (std::size_t r = 0; r < n; ++r) {
            if (r == c) {
                continue;
            }
            double f = a[r * n + c] / a[c * n + c];
            for (std::size_t k = c; k < n; ++k) {
                a[r * n + k] -= f * a[c * n + k];
            }
            bx[r] -= f * bx[c];
            by[r] -= f * by[c];
        }
    }
    pinWeights_.resize(n);
    for (std::size_t i = 0; i < n; ++i) {
        pinWeights_[i] = {static_cast<float>(bx[i] / a[i * n + i]),
                          static_cast<float>(by[i] / a[i * n + i])};
    }
}

Point WorldMap::project(Point lonLat) const {
    Point p = affine(lonLat);
    Point out = p;
    for (std::size_t i = 0; i < pins_.size(); ++i) {
        float k = pinKernel(p, affine(pins_[i].lonLat));
        out.x += k * pinWeights_[i].x;
        out.y += k * pinWeights_[i].y;
    }
    return out;
}

std::vector<Point> projectLine(const WorldMap& map, const std::vector<Point>& line, bool closed) {
    std::vector<Point> out;
    std::size_t n = line.size();
    std::size_t segments = closed ? n : n - 1;
    for (std::size_t i = 0; i < segments; ++i) {
        Point a = line[i];
        Point b = line[(i + 1) % n];
        int steps = std::max(1, static_cast<int>(std::hypot(b.x - a.x, b.y - a.y) / 0.08f));
        for (int s = 0; s < steps; ++s) {
            float t = static_cast<float>(s) / steps;
            out.push_back(map.project({a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t}));
        }
    }
    if (!closed && n > 0) {
        out.push_back(map.project(line.back()));
    }
    return out;
}

std::vector<Point> onGrid(std::vector<Point> line) {
    if (S != 1) {
        for (Point& p : line) {
            p = {p.x * static_cast<float>(S), p.y * static_cast<float>(S)};
        }
    }
    return line;
}

// The land on the grid as it is scaled now: the coasts and straits are drawn at its own
// pixels, so a larger map has finer coasts, not coarser ones.
void WorldMap::buildLand() {
    scale_ = S;
    // Rings are filled even-odd, so a lake inside land toggles back to water.
    land_.assign(static_cast<std::size_t>(W) * H, 0);
    for (const auto& ring : coasts_) {
        fillPolygon(onGrid(projectLine(*this, ring, true)),
                    [&](int x, int y) { land_[idx(x, y)] ^= 1; });
    }
    // Straits narrower than a pixel would close at this scale: they are cut open.
    for (const Shape& s : shapes_) {
        if (s.kind == "strait") {
            strokePolyline(onGrid(projectLine(*this, s.points, false)), s.width * S / 2,
                           [&](int x, int y, float) { land_[idx(x, y)] = 0; });
        }
    }
    if (capitalBox_[2] > 0) {
        for (int y = capitalBox_[1] * S; y < (capitalBox_[1] + capitalBox_[3]) * S; ++y) {
            for (int x = capitalBox_[0] * S; x < (capitalBox_[0] + capitalBox_[2]) * S; ++x) {
                land_[idx(x, y)] = 0;
            }
        }
    }
    labels_.assign(static_cast<std::size_t>(W) * H, -2);
    for (std::size_t i = 0; i < land_.size(); ++i) {
        labels_[i] = land_[i] ? -2 : -1;
    }
}

void WorldMap::claimIslands(std::vector<int>& owner) const {
    // Land components that no province reached.
    const Components c = componentsOf(land_, owner);
    const std::vector<int>& component = c.component;
    const std::vector<int>& sizes = c.sizes;
    const std::vector<std::uint8_t>& owned = c.owned;
    std::vector<int> given(sizes.size(), -1);
    for (const Island& island : islands_) {
        Point p = project(island.lonLat);
        int x = static_cast<int>(p.x);
        int y = static_cast<int>(p.y);
        if (x >= 0 && y >= 0 && x < W && y < H && land_[idx(x, y)]) {
            // Only land no province reached: a peninsula stays with the growth.
            auto k = static_cast<std::size_t>(component[idx(x, y)]);
            given[k] = owned[k] ? given[k] : island.province;
        } else {
            std::cerr << "artgen: island of "
                      << provinces_[static_cast<std::size_t>(island.province)].name
                      << " is not on land\n";
        }
    }
    // The rest go to the province whose land is nearest across the water, when it is near.
    const std::vector<int> nearest = nearestProvince(owner);
    std::vector<std::vector<int>> votes(sizes.size());
    for (std::size_t i = 0; i < land_.size(); ++i) {
        const int k = component[i];
        if (k >= 0 && !owned[static_cast<std::size_t>(k)] && nearest[i] >= 0 &&
            sizes[static_cast<std::size_t>(k)] < 3000) {
            auto& v = votes[static_cast<std::size_t>(k)];
            v.resize(provinces_.size(), 0);
            ++v[static_cast<std::size_t>(nearest[i])];
        }
    }
    for (std::size_t k = 0; k < sizes.size(); ++k) {
        if (given[k] < 0 && !owned[k] && !votes[k].empty()) {
            given[k] = static_cast<int>(std::max_element(votes[k].begin(), votes[k].end()) -
                                        votes[k].begin());
        }
    }
    for (std::size_t i = 0; i < land_.size(); ++i) {
        if (component[i] >= 0 && given[static_cast<std::size_t>(component[i])] >= 0) {
            owner[i] = given[static_cast<std::size_t>(component[i])];
        }
    }
}

}  // namespace tessarion::art
