// The provinces' land: grown from the click rectangles over the land, kept off the frontier
// rivers and the Wall, its borders made to wander, and every rule the player relies on kept.

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <queue>

#include "MapPixels.h"
#include "WorldMap.h"

namespace tessarion::art {

namespace {

// The eight steps to the pixels around one: the four straight ones first.
const int kStepX[8] = {1, -1, 0, 0, 1, 1, -1, -1};
const int kStepY[8] = {0, 0, 1, -1, 1, -1, 1, -1};

using GrowthItem = std::pair<float, std::pair<int, int>>;  // distance, (pixel, province)

}  // namespace

// Frontier rivers and the Wall stop the growth; the Wall alone also keeps the rectangles'
// sources away from it.
struct WorldMap::Walls {
    std::vector<std::uint8_t> wall;
    std::vector<std::uint8_t> landWall;
};

// The growth under way: how far each pixel is from its province's rectangles, its province,
// and the pixels still to grow from.
struct WorldMap::Growth {
    std::vector<float> dist;
    std::vector<int> owner;
    std::priority_queue<GrowthItem, std::vector<GrowthItem>, std::greater<>> queue;
};

void WorldMap::buildProvinces() {
    const Walls walls = buildWalls();
    // Geodesic growth from the click rectangles (and the islands given to a province): each
    // land pixel goes to the nearest province over land, with a noisy cost so that borders
    // wander like real ones, kept inside the province's overlay frame.
    const std::vector<float> nearWall = distanceTo(walls.wall);
    const std::vector<float> nearLandWall = distanceTo(walls.landWall);
    Growth growth{
        std::vector<float>(static_cast<std::size_t>(W) * H, std::numeric_limits<float>::max()),
        std::vector<int>(static_cast<std::size_t>(W) * H, -1),
        {}};
    seedGrowth(growth, nearLandWall);
    growFromRectangles(growth, walls.wall);
    std::vector<int> owner = std::move(growth.owner);
    fillCoasts(owner, walls.wall);
    wobbleBorders(owner, nearWall);
    claimIslands(owner);
    growOntoBanks(owner, walls.wall);
    keepRulesOfTheMap(owner);
    giveFrontierToNeighbours(owner, walls.wall);
    setLabels(owner, walls.wall);

    // Distance from land over the sea, for the shading of the water.
    seaDistance_ = distanceTo(land_);
}

// Frontier rivers are walls: no province grows across them. The rivers' paths are kept for
// painting.
WorldMap::Walls WorldMap::buildWalls() {
    Walls walls{std::vector<std::uint8_t>(static_cast<std::size_t>(W) * H, 0),
                std::vector<std::uint8_t>(static_cast<std::size_t>(W) * H, 0)};
    std::vector<std::uint8_t>& wall = walls.wall;
    std::vector<std::uint8_t>& landWall = walls.landWall;
    riverPaths_.clear();
    riverWidths_.clear();
    for (const Shape& s : shapes_) {
        if (s.kind == "wall") {
            strokePolyline(projectLine(*this, s.points, false), s.width / 2,
                           [&](int x, int y, float) { wall[idx(x, y)] = landWall[idx(x, y)] = 1; });
        }
        if (s.kind != "river") {
            continue;
        }
        std::vector<Point> waypoints;
        for (Point p : s.points) {
            waypoints.push_back(project(p));
        }
        auto path = roughen(spline(waypoints), false, 0.8f, 71 + static_cast<int>(s.name.size()));
        riverPaths_.push_back(path);
        riverWidths_.push_back(s.width);
        if (s.frontier) {
            strokePolyline(path, 1.2f, [&](int x, int y, float) { wall[idx(x, y)] = 1; });
        }
    }
    return walls;
}

// Whether province p may grow into (x, y): inside its overlay frame, whose edge is frayed so
// that it never shows as a straight line.
bool WorldMap::allowed(int p, int x, int y) const {
    return inFrame(p, x, y, 2.5f + 2.5f * fbm(x * 0.07f, y * 0.07f, 300 + p));
}

void WorldMap::seedGrowth(Growth& growth, const std::vector<float>& nearLandWall) const {
    for (int y = 0; y < H; ++y) {
        for (int x = 0; x < W; ++x) {
            // Sources lie a couple of pixels inside the rectangles, so that where two provinces'
            // rectangles meet the border may still wander a pixel or two.
            int p = provinceAt(x, y);
            if (p >= 0 && (provinceAt(x - 2, y) != p || provinceAt(x + 2, y) != p ||
                           provinceAt(x, y - 2) != p || provinceAt(x, y + 2) != p)) {
                bool sameAround = true;
                for (int k = -2; k <= 2; k += 4) {
                    int a = provinceAt(x + k, y);
                    int b = provinceAt(x, y + k);
                    sameAround = sameAround && (a == p || a < 0) && (b == p || b < 0);
                }
                p = sameAround ? p : -1;
            }
            // Nor beside a frontier: a rectangle pixel beyond the Wall would carry the province
            // over it.
            if (p >= 0 && land_[idx(x, y)] && nearLandWall[idx(x, y)] >= 3.0f) {
                growth.dist[idx(x, y)] = 0;
                growth.owner[idx(x, y)] = p;
                growth.queue.push({0.0f, {static_cast<int>(idx(x, y)), p}});
            }
        }
    }
}

void WorldMap::growFromRectangles(Growth& growth, const std::vector<std::uint8_t>& wall) const {
    std::vector<float>& dist = growth.dist;
    std::vector<int>& owner = growth.owner;
    while (!growth.queue.empty()) {
        auto [d, item] = growth.queue.top();
        growth.queue.pop();
        auto [i, p] = item;
        if (owner[static_cast<std::size_t>(i)] != p || d > dist[static_cast<std::size_t>(i)]) {
            continue;
        }
        int x = i % W;
        int y = i / W;
        // How far a province reaches beyond its rectangles into empty land (the desert, the
        // steppe) wanders too, so the edge of the known world is not a ruled line.
        float reach = (provinces_[static_cast<std::size_t>(p)].group == 0 ? 26.0f : 95.0f) *
                      (0.75f + 0.5f * fbm(x * 0.03f, y * 0.03f, 211, 2));
        for (int k = 0; k < 8; ++k) {
            int nx = x + kStepX[k];
            int ny = y + kStepY[k];
            if (nx < 0 || ny < 0 || nx >= W || ny >= H) {
                continue;
            }
            std::size_t n = idx(nx, ny);
            if (!land_[n] || wall[n] || dist[n] == 0) {
                continue;
            }
            float step = (k < 4 ? 1.0f : 1.4142f) *
                         (1.0f + 4.0f * (0.5f + 0.5f * fbm(nx * 0.06f, ny * 0.06f, 97, 3)));
            // A province's legions stand on its own land: it crosses the box of its icons
            // cheaply, so the border keeps outside the box where the land allows.
            const ProvinceData& own = provinces_[static_cast<std::size_t>(p)];
            if (nx >= own.legionX && nx < own.legionX + kIconWidth && ny >= own.legionY &&
                ny < own.legionY + kIconHeight) {
                step *= 0.1f;
            }
            float nd = d + step;
            if (nd < dist[n] && nd <= reach && allowed(p, nx, ny)) {
                dist[n] = nd;
                owner[n] = p;
                growth.queue.push({nd, {static_cast<int>(n), p}});
            }
        }
    }
}

// Coastal land beyond the reach (capes, deltas, the shores of gulfs) goes to the province
// beside it, and so do the gaps between two Roman provinces, so that neither the coast nor
// the inland shows a strip of no one's land inside the empire.
void WorldMap::fillCoasts(std::vector<int>& owner, const std::vector<std::uint8_t>& wall) const {
    std::vector<int> steps(land_.size(), 0);
    std::vector<std::uint8_t> water(land_.size(), 0);
    for (std::size_t i = 0; i < land_.size(); ++i) {
        water[i] = land_[i] ? 0 : 1;
    }
    std::vector<float> shore = distanceTo(water);
    std::queue<int> next;
    for (std::size_t i = 0; i < owner.size(); ++i) {
        if (owner[i] >= 0 && provinces_[static_cast<std::size_t>(owner[i])].group == 0) {
            next.push(static_cast<int>(i));
        }
    }
    while (!next.empty()) {
        int i = next.front();
        next.pop();
        int p = owner[static_cast<std::size_t>(i)];
        for (int k = 0; k < 8; ++k) {
            int nx = i % W + kStepX[k];
            int ny = i / W + kStepY[k];
            if (nx < 0 || ny < 0 || nx >= W || ny >= H) {
                continue;
            }
            std::size_t n = idx(nx, ny);
            const int step = steps[static_cast<std::size_t>(i)] + 1;
            if (land_[n] && owner[n] < 0 && !wall[n] && (shore[n] < 16.0f || step < 22) &&
                allowed(p, nx, ny)) {
                owner[n] = p;
                steps[n] = step;
                next.push(static_cast<int>(n));
            }
        }
    }
}

// The borders are warped by smooth noise so that they meander; the frontier rivers stay
// where they are, and so does the heart of every click rectangle.
void WorldMap::wobbleBorders(std::vector<int>& owner, const std::vector<float>& nearWall) const {
    std::vector<int> warped = owner;
    for (int y = 0; y < H; ++y) {
        for (int x = 0; x < W; ++x) {
            std::size_t i = idx(x, y);
            if (!land_[i] || owner[i] < 0 || nearWall[i] < 7.0f) {
                continue;
            }
            float wx = 5.0f * fbm(x * 0.04f, y * 0.04f, 611, 3);
            float wy = 5.0f * fbm(x * 0.04f, y * 0.04f, 612, 3);
            int sx = std::clamp(static_cast<int>(std::lround(x + wx)), 0, W - 1);
            int sy = std::clamp(static_cast<int>(std::lround(y + wy)), 0, H - 1);
            int p = owner[idx(sx, sy)];
            if (p < 0 || p == owner[i] || !land_[idx(sx, sy)] || !allowed(p, x, y)) {
                continue;
            }
            if (!isHeartOfRectangle(x, y, p)) {
                warped[i] = p;
            }
        }
    }
    owner = std::move(warped);
}

// The heart of a rectangle of another province than p: every pixel within two of it in the
// same province.
bool WorldMap::isHeartOfRectangle(int x, int y, int p) const {
    int q = provinceAt(x, y);
    bool deep = q >= 0 && q != p;
    for (int ky = -2; ky <= 2 && deep; ky += 2) {
        for (int kx = -2; kx <= 2 && deep; kx += 2) {
            deep = provinceAt(x + kx, y + ky) == q;
        }
    }
    return deep;
}

// Frontier river banks go to the province beside them, so that no sliver of a province's
// colour lies outside its overlay.
void WorldMap::growOntoBanks(std::vector<int>& owner, const std::vector<std::uint8_t>& wall) const {
    for (int pass = 0; pass < 3; ++pass) {
        std::vector<int> grown = owner;
        for (int y = 1; y < H - 1; ++y) {
            for (int x = 1; x < W - 1; ++x) {
                std::size_t i = idx(x, y);
                if (land_[i] && wall[i] && owner[i] < 0) {
                    for (std::size_t n : {i - 1, i + 1, i - W, i + W}) {
                        grown[i] = grown[i] < 0 && owner[n] >= 0 ? owner[n] : grown[i];
                    }
                }
            }
        }
        owner = std::move(grown);
    }
}

// The rules the player relies on come last: a province's land lies inside its overlay
// frame, so the overlay covers all of it; a click-rectangle pixel on land is its own
// province's land, whatever the growth and the wobbles did.
void WorldMap::keepRulesOfTheMap(std::vector<int>& owner) const {
    for (int y = 0; y < H; ++y) {
        for (int x = 0; x < W; ++x) {
            std::size_t i = idx(x, y);
            if (owner[i] >= 0 && !inFrame(owner[i], x, y, 0)) {
                owner[i] = -1;
            }
            if (land_[i] && hits_[i] >= 0) {
                owner[i] = hits_[i];
            }
        }
    }
}

void WorldMap::setLabels(const std::vector<int>& owner, const std::vector<std::uint8_t>& wall) {
    for (std::size_t i = 0; i < labels_.size(); ++i) {
        if (!land_[i]) {
            labels_[i] = -1;
        } else if (owner[i] >= 0) {
            labels_[i] = owner[i];
        } else if (wall[i]) {
            labels_[i] = -3;
        } else {
            labels_[i] = -2;
        }
    }
}

void WorldMap::giveFrontierToNeighbours(std::vector<int>& owner,
                                        const std::vector<std::uint8_t>& wall) const {
    // Frontier pixels (river banks, the Wall) on land that no province grew into take a
    // province beside them, one within three pixels along the row or the column whose overlay
    // frame holds them, so that the overlay covers them when the province changes hands.
    {
        std::vector<int> next = owner;
        for (int y = 0; y < H; ++y) {
            for (int x = 0; x < W; ++x) {
                const std::size_t i = idx(x, y);
                if (!land_[i] || !wall[i] || owner[i] >= 0) {
                    continue;
                }
                for (int r = 1; r < 4 && next[i] < 0; ++r) {
                    for (int k = 0; k < 4 && next[i] < 0; ++k) {
                        const int nx = x + (k == 0 ? r : k == 1 ? -r : 0);
                        const int ny = y + (k == 2 ? r : k == 3 ? -r : 0);
                        if (nx < 0 || ny < 0 || nx >= W || ny >= H) {
                            continue;
                        }
                        const int p = owner[idx(nx, ny)];
                        if (p >= 0 && inFrame(p, x, y, 0)) {
                            next[i] = p;
                        }
                    }
                }
            }
        }
        owner = std::move(next);
    }
}

bool WorldMap::inFrame(int p, int x, int y, float inset) const {
    const ProvinceData& d = provinces_[static_cast<std::size_t>(p)];
    if (d.overlay < 0) {
        return true;
    }
    const Overlay& o = overlays_[static_cast<std::size_t>(d.overlay)];
    const int left = (o.x - 180) * S;
    const int top = (o.y - 30) * S;
    return x >= left + inset && y >= top + inset && x < left + o.width * S - inset &&
           y < top + o.height * S - inset;
}

bool WorldMap::isBorder(int x, int y) const {
    int l = label(x, y);
    if (l < 0 && l != -2) {
        return false;
    }
    // A border is a map pixel wide on a larger grid too.
    for (int step = 1; step <= S; ++step) {
        const int ox[2] = {step, 0};
        const int oy[2] = {0, step};
        for (int k = 0; k < 2; ++k) {
            int nx = x + ox[k];
            int ny = y + oy[k];
            if (nx < W && ny < H) {
                int n = label(nx, ny);
                if (n != l && (n >= 0 || n == -2)) {
                    return true;
                }
            }
        }
    }
    return false;
}

}  // namespace tessarion::art
