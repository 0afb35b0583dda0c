#include "WorldMap.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <functional>
#include <iostream>
#include <limits>
#include <queue>
#include <sstream>

#define STB_PERLIN_IMPLEMENTATION
#include <stb/stb_perlin.h>

#include "game/Game.h"
#include "model/Province.h"

namespace tessarion::art {

namespace {

constexpr int W = WorldMap::kWidth;
constexpr int H = WorldMap::kHeight;

// Where a province's legions stand: the icon at the anchor, and the count beside it in the
// small sans font (on the icon's left where the right would leave the map). Labels keep off
// both; the rest of the box beside the icon is free.
constexpr int kIconWidth = 35;
constexpr int kIconHeight = 65;
constexpr int kCountWidth = 24;  // room for two digits and their white box
std::array<std::array<int, 4>, 2> legionShapes(int legionX, int legionY) {
    const int countX = legionX + 40 + kCountWidth > W ? legionX - kCountWidth - 2 : legionX + 38;
    return {{{legionX, legionY, kIconWidth, kIconHeight}, {countX, legionY + 23, kCountWidth, 22}}};
}

std::size_t idx(int x, int y) {
    return static_cast<std::size_t>(y) * W + x;
}

// Smooth noise in -1..1; every caller passes its own seed so that the coasts, the borders and
// the texture do not wobble in step.
float noise(float x, float y, int seed) {
    return stb_perlin_noise3_seed(x, y, 0.37f * seed, 0, 0, 0, seed);
}
float fbm(float x, float y, int seed, int octaves = 3) {
    float sum = 0;
    float amp = 1;
    float norm = 0;
    for (int o = 0; o < octaves; ++o) {
        sum += amp * noise(x, y, seed + o);
        norm += amp;
        x *= 2.03f;
        y *= 2.03f;
        amp *= 0.5f;
    }
    return sum / norm;
}
float hash01(int x, int y, int seed) {
    std::uint32_t h = static_cast<std::uint32_t>(x) * 374761393u +
                      static_cast<std::uint32_t>(y) * 668265263u +
                      static_cast<std::uint32_t>(seed) * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    h ^= h >> 16;
    return static_cast<float>(h & 0xFFFFFFu) / static_cast<float>(0xFFFFFF);
}

// Resamples an outline to short steps and pushes each point along its normal by a little
// noise, which turns smooth curves into coasts.
std::vector<Point> roughen(const std::vector<Point>& in, bool closed, float amplitude, int seed) {
    // Two scales: headlands and bays, and the crinkle of the shore.
    std::vector<Point> dense;
    std::size_t n = in.size();
    std::size_t segments = closed ? n : n - 1;
    for (std::size_t i = 0; i < segments; ++i) {
        Point a = in[i];
        Point b = in[(i + 1) % n];
        float len = std::hypot(b.x - a.x, b.y - a.y);
        int steps = std::max(1, static_cast<int>(len / 1.5f));
        for (int s = 0; s < steps; ++s) {
            float t = static_cast<float>(s) / steps;
            dense.push_back({a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t});
        }
    }
    if (!closed) {
        dense.push_back(in.back());
    }
    if (amplitude <= 0) {
        return dense;
    }
    std::vector<Point> out(dense.size());
    for (std::size_t i = 0; i < dense.size(); ++i) {
        Point prev = dense[i == 0 ? (closed ? dense.size() - 1 : 0) : i - 1];
        Point next = dense[i + 1 == dense.size() ? (closed ? 0 : i) : i + 1];
        float dx = next.x - prev.x;
        float dy = next.y - prev.y;
        float len = std::max(1e-3f, std::hypot(dx, dy));
        float d = amplitude * fbm(dense[i].x * 0.045f, dense[i].y * 0.045f, seed, 2) +
                  0.45f * amplitude * fbm(dense[i].x * 0.2f, dense[i].y * 0.2f, seed + 50, 2);
        bool end = !closed && (i == 0 || i + 1 == dense.size());
        out[i] = end ? dense[i] : Point{dense[i].x - dy / len * d, dense[i].y + dx / len * d};
    }
    return out;
}

void fillPolygon(const std::vector<Point>& poly, const std::function<void(int, int)>& plot) {
    for (int y = 0; y < H; ++y) {
        float cy = y + 0.5f;
        std::vector<float> xs;
        std::size_t n = poly.size();
        for (std::size_t i = 0; i < n; ++i) {
            Point a = poly[i];
            Point b = poly[(i + 1) % n];
            if ((a.y <= cy && b.y > cy) || (b.y <= cy && a.y > cy)) {
                xs.push_back(a.x + (cy - a.y) / (b.y - a.y) * (b.x - a.x));
            }
        }
        std::sort(xs.begin(), xs.end());
        for (std::size_t i = 0; i + 1 < xs.size(); i += 2) {
            int x0 = std::max(0, static_cast<int>(std::ceil(xs[i] - 0.5f)));
            int x1 = std::min(W - 1, static_cast<int>(std::floor(xs[i + 1] - 0.5f)));
            for (int x = x0; x <= x1; ++x) {
                plot(x, y);
            }
        }
    }
}

float segmentDistance(Point p, Point a, Point b) {
    float vx = b.x - a.x;
    float vy = b.y - a.y;
    float len2 = vx * vx + vy * vy;
    float t = len2 > 0 ? std::clamp(((p.x - a.x) * vx + (p.y - a.y) * vy) / len2, 0.0f, 1.0f) : 0;
    return std::hypot(p.x - (a.x + t * vx), p.y - (a.y + t * vy));
}

// Calls plot(x, y, distance) for every pixel within reach of the polyline. Only the line's
// bounding box is scanned: rivers are stroked segment by segment, hundreds of times.
void strokePolyline(const std::vector<Point>& line, float reach,
                    const std::function<void(int, int, float)>& plot) {
    if (line.empty()) {
        return;
    }
    float minX = line[0].x;
    float maxX = line[0].x;
    float minY = line[0].y;
    float maxY = line[0].y;
    for (const Point& p : line) {
        minX = std::min(minX, p.x);
        maxX = std::max(maxX, p.x);
        minY = std::min(minY, p.y);
        maxY = std::max(maxY, p.y);
    }
    int bx0 = std::max(0, static_cast<int>(std::floor(minX - reach)));
    int bx1 = std::min(W - 1, static_cast<int>(std::ceil(maxX + reach)));
    int by0 = std::max(0, static_cast<int>(std::floor(minY - reach)));
    int by1 = std::min(H - 1, static_cast<int>(std::ceil(maxY + reach)));
    if (bx0 > bx1 || by0 > by1) {
        return;
    }
    int bw = bx1 - bx0 + 1;
    int bh = by1 - by0 + 1;
    std::vector<float> best(static_cast<std::size_t>(bw) * bh, std::numeric_limits<float>::max());
    auto at = [&](int x, int y) -> float& {
        return best[static_cast<std::size_t>(y - by0) * bw + (x - bx0)];
    };
    for (std::size_t i = 0; i + 1 < line.size(); ++i) {
        Point a = line[i];
        Point b = line[i + 1];
        int x0 = std::max(bx0, static_cast<int>(std::floor(std::min(a.x, b.x) - reach)));
        int x1 = std::min(bx1, static_cast<int>(std::ceil(std::max(a.x, b.x) + reach)));
        int y0 = std::max(by0, static_cast<int>(std::floor(std::min(a.y, b.y) - reach)));
        int y1 = std::min(by1, static_cast<int>(std::ceil(std::max(a.y, b.y) + reach)));
        for (int y = y0; y <= y1; ++y) {
            for (int x = x0; x <= x1; ++x) {
                float d = segmentDistance({x + 0.5f, y + 0.5f}, a, b);
                at(x, y) = std::min(at(x, y), d);
            }
        }
    }
    for (int y = by0; y < by0 + bh; ++y) {
        for (int x = bx0; x < bx0 + bw; ++x) {
            if (at(x, y) <= reach) {
                plot(x, y, at(x, y));
            }
        }
    }
}

// Catmull-Rom through the hand-placed points, so rivers bend instead of kinking.
std::vector<Point> spline(const std::vector<Point>& pts) {
    if (pts.size() < 3) {
        return pts;
    }
    std::vector<Point> out;
    for (std::size_t i = 0; i + 1 < pts.size(); ++i) {
        Point p0 = pts[i == 0 ? 0 : i - 1];
        Point p1 = pts[i];
        Point p2 = pts[i + 1];
        Point p3 = pts[std::min(pts.size() - 1, i + 2)];
        for (int s = 0; s < 6; ++s) {
            float t = s / 6.0f;
            float t2 = t * t;
            float t3 = t2 * t;
            auto f = [&](float a, float b, float c, float d) {
                return 0.5f * (2 * b + (-a + c) * t + (2 * a - 5 * b + 4 * c - d) * t2 +
                               (-a + 3 * b - 3 * c + d) * t3);
            };
            out.push_back({f(p0.x, p1.x, p2.x, p3.x), f(p0.y, p1.y, p2.y, p3.y)});
        }
    }
    out.push_back(pts.back());
    return out;
}

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

// Chamfer distance from every pixel to the nearest pixel set in mask.
std::vector<float> distanceTo(const std::vector<std::uint8_t>& mask) {
    std::vector<float> d(mask.size());
    for (std::size_t i = 0; i < d.size(); ++i) {
        d[i] = mask[i] ? 0.0f : 1e6f;
    }
    for (int pass = 0; pass < 2; ++pass) {
        for (int yy = 0; yy < H; ++yy) {
            int y = pass == 0 ? yy : H - 1 - yy;
            for (int xx = 0; xx < W; ++xx) {
                int x = pass == 0 ? xx : W - 1 - xx;
                std::size_t i = idx(x, y);
                int s = pass == 0 ? -1 : 1;
                const int ox[4] = {s, 0, s, -s};
                const int oy[4] = {0, s, s, s};
                const float c[4] = {1.0f, 1.0f, 1.4142f, 1.4142f};
                for (int k = 0; k < 4; ++k) {
                    int nx = x + ox[k];
                    int ny = y + oy[k];
                    if (nx >= 0 && ny >= 0 && nx < W && ny < H) {
                        d[i] = std::min(d[i], d[idx(nx, ny)] + c[k]);
                    }
                }
            }
        }
    }
    return d;
}

// The palette: a warm, flat fresco look.
const std::uint32_t kRoman = rgb(232, 150, 128);
const std::uint32_t kGermanic = rgb(236, 206, 96);
const std::uint32_t kPersian = rgb(204, 104, 184);
const std::uint32_t kNeutral = rgb(214, 198, 158);
const std::uint32_t kWhite = rgb(246, 242, 232);
const std::uint32_t kSeaShallow = rgb(140, 182, 208);
const std::uint32_t kSeaDeep = rgb(92, 138, 178);
const std::uint32_t kCoast = rgb(40, 66, 96);
const std::uint32_t kBorder = rgb(96, 52, 40);
const std::uint32_t kRiver = rgb(58, 108, 160);
const std::uint32_t kInk = rgb(52, 30, 22);
const std::uint32_t kSeaInk = rgb(30, 60, 96);

const char* const kGermanicNames[] = {"Upper Rhine", "Upper Danube", "Sarmatia", "Lower Rhine",
                                      "Lower Danube"};
const char* const kPersianNames[] = {"Armenia", "Mesopotamia"};

std::string upper(std::string s) {
    for (char& c : s) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return s;
}

}  // namespace

bool WorldMap::readProvinces() {
    Game game;
    provinces_.clear();
    for (const auto& p : game.provinces) {
        ProvinceData d;
        d.name = p->name;
        d.legionX = p->legionX;
        d.legionY = p->legionY;
        for (const Rect& r : p->hitRects) {
            d.rects.push_back({r.left, r.top, r.right, r.bottom});
        }
        for (const char* g : kGermanicNames) {
            d.group = d.name == g ? 1 : d.group;
        }
        for (const char* g : kPersianNames) {
            d.group = d.name == g ? 2 : d.group;
        }
        provinces_.push_back(std::move(d));
    }
    return true;
}

int WorldMap::provinceIndex(const std::string& name) const {
    for (std::size_t i = 0; i < provinces_.size(); ++i) {
        if (provinces_[i].name == name) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

int WorldMap::provinceAt(int x, int y) const {
    if (x < 0 || y < 0 || x >= W || y >= H) {
        return -1;
    }
    if (!hits_.empty()) {
        return hits_[idx(x, y)];
    }
    for (std::size_t i = 0; i < provinces_.size(); ++i) {
        for (const auto& r : provinces_[i].rects) {
            if (r[0] < x && x < r[2] && r[1] < y && y < r[3]) {
                return static_cast<int>(i);
            }
        }
    }
    return -1;
}

namespace {

// Hands each line of the file to `read` with "path:line" for its messages; false when the file
// cannot be read or `read` finds a fault (and has said which in `error`).
bool readLines(const std::string& path, std::string& error,
               const std::function<bool(std::string&, const std::string&)>& read) {
    std::ifstream in(path);
    if (!in) {
        error = "cannot read " + path;
        return false;
    }
    std::string line;
    for (int lineNo = 1; std::getline(in, line); ++lineNo) {
        if (!read(line, path + ":" + std::to_string(lineNo))) {
            return false;
        }
    }
    return true;
}

}  // namespace

bool WorldMap::readCoasts(const std::string& path) {
    const bool read = readLines(path, error_, [&](std::string& line, const std::string& where) {
        if (line.empty() || line[0] == '#') {
            return true;
        }
        std::istringstream pts(line);
        std::string token;
        std::vector<Point> ring;
        while (pts >> token) {
            Point p;
            if (std::sscanf(token.c_str(), "%f,%f", &p.x, &p.y) != 2) {
                error_ = where + ": bad point " + token;
                return false;
            }
            ring.push_back(p);
        }
        if (ring.size() >= 3) {
            coasts_.push_back(std::move(ring));
        }
        return true;
    });
    if (read && coasts_.empty()) {
        error_ = path + ": no land";
        return false;
    }
    return read;
}

// The overlays are listed with every other picture; the other lines are not the map's.
bool WorldMap::readOverlays(const std::string& path) {
    return readLines(path, error_, [&](std::string& line, const std::string& where) {
        line.erase(std::min(line.find('#'), line.size()));
        std::istringstream words(line);
        std::string word;
        if (!(words >> word) || word != "overlay") {
            return true;
        }
        Overlay o;
        words >> o.province >> o.x >> o.y >> o.width >> o.height >> o.plain >> o.yellow >> o.blue >>
            o.mask;
        std::replace(o.province.begin(), o.province.end(), '_', ' ');
        const int p = provinceIndex(o.province);
        if (p < 0 || !words) {
            error_ = where + ": bad overlay line";
            return false;
        }
        provinces_[static_cast<std::size_t>(p)].overlay = static_cast<int>(overlays_.size());
        overlays_.push_back(o);
        return true;
    });
}

bool WorldMap::load(const std::string& worldPath) {
    readProvinces();
    std::vector<int> hits(static_cast<std::size_t>(W) * H);
    for (int y = 0; y < H; ++y) {
        for (int x = 0; x < W; ++x) {
            hits[idx(x, y)] = provinceAt(x, y);
        }
    }
    hits_ = std::move(hits);
    std::ifstream in(worldPath);
    if (!in) {
        error_ = "cannot read " + worldPath;
        return false;
    }
    const std::string folder =
        worldPath.find('/') == std::string::npos ? "." : worldPath.substr(0, worldPath.rfind('/'));
    std::string line;
    int lineNo = 0;
    Shape* current = nullptr;
    while (std::getline(in, line)) {
        ++lineNo;
        if (auto hash = line.find('#'); hash != std::string::npos) {
            line.erase(hash);
        }
        std::istringstream words(line);
        std::string word;
        if (!(words >> word)) {
            continue;
        }
        auto fail = [&](const std::string& what) {
            error_ = worldPath + ":" + std::to_string(lineNo) + ": " + what;
            return false;
        };
        const bool numbers = std::isdigit(static_cast<unsigned char>(word.back())) != 0;
        if (!numbers) {
            current = nullptr;  // points follow only their strait or river line
        }
        if (word == "strait" || word == "river" || word == "wall") {
            Shape s;
            s.kind = word;
            std::string flag;
            if (!(words >> s.name >> s.width)) {
                return fail("bad " + word + " line");
            }
            s.frontier = (words >> flag) && flag == "frontier";
            shapes_.push_back(s);
            current = &shapes_.back();
        } else if (word == "coasts") {
            std::string file;
            words >> file;
            if (!readCoasts(folder + "/" + file)) {
                return false;
            }
        } else if (word == "pin") {
            std::string name;
            Pin pin;
            if (!(words >> name >> pin.lonLat.x >> pin.lonLat.y >> pin.pixel.x >> pin.pixel.y)) {
                return fail("bad pin line");
            }
            pins_.push_back(pin);
        } else if (word == "island") {
            std::string province;
            Island island;
            words >> province >> island.lonLat.x >> island.lonLat.y;
            std::replace(province.begin(), province.end(), '_', ' ');
            island.province = provinceIndex(province);
            if (island.province < 0 || !words) {
                return fail("bad island line");
            }
            islands_.push_back(island);
        } else if (word == "sealabel") {
            SeaLabel l;
            words >> l.x >> l.y >> l.size;
            std::getline(words, l.text);
            l.text.erase(0, l.text.find_first_not_of(' '));
            seaLabels_.push_back(l);
        } else if (word == "capital") {
            words >> capital_.x >> capital_.y >> capitalBox_[0] >> capitalBox_[1] >>
                capitalBox_[2] >> capitalBox_[3];
        } else if (word == "pictures") {
            std::string file;
            words >> file;
            if (!readOverlays(folder + "/" + file)) {
                return false;
            }
        } else if (current != nullptr) {
            std::istringstream pts(line);
            std::string token;
            while (pts >> token) {
                Point p;
                std::string second;
                if (std::sscanf(token.c_str(), "%f", &p.x) != 1 || !(pts >> second) ||
                    std::sscanf(second.c_str(), "%f", &p.y) != 1) {
                    return fail("bad point " + token);
                }
                current->points.push_back(p);
            }
        } else {
            return fail("unknown line " + word);
        }
    }
    if (overlays_.size() != 23) {
        error_ = "expected 23 overlays, found " + std::to_string(overlays_.size());
        return false;
    }
    if (coasts_.empty()) {
        error_ = worldPath + ": no coasts line";
        return false;
    }
    fitWarp();
    return true;
}

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

namespace {

// Projects a line of longitude/latitude points, cut into short steps first so that the warp
// bends it instead of only moving its corners.
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

}  // namespace

void WorldMap::buildLand() {
    // Rings are filled even-odd, so a lake inside land toggles back to water.
    land_.assign(static_cast<std::size_t>(W) * H, 0);
    for (const auto& ring : coasts_) {
        fillPolygon(projectLine(*this, ring, true), [&](int x, int y) { land_[idx(x, y)] ^= 1; });
    }
    // Straits narrower than a pixel would close at this scale: they are cut open.
    for (const Shape& s : shapes_) {
        if (s.kind == "strait") {
            strokePolyline(projectLine(*this, s.points, false), s.width / 2,
                           [&](int x, int y, float) { land_[idx(x, y)] = 0; });
        }
    }
    if (capitalBox_[2] > 0) {
        for (int y = capitalBox_[1]; y < capitalBox_[1] + capitalBox_[3]; ++y) {
            for (int x = capitalBox_[0]; x < capitalBox_[0] + capitalBox_[2]; ++x) {
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
    // Land components (4-connected) that no province reached.
    std::vector<int> component(land_.size(), -1);
    std::vector<int> sizes;
    std::vector<std::uint8_t> owned;
    for (std::size_t start = 0; start < land_.size(); ++start) {
        if (!land_[start] || component[start] >= 0) {
            continue;
        }
        const int c = static_cast<int>(sizes.size());
        sizes.push_back(0);
        owned.push_back(0);
        std::vector<std::size_t> stack = {start};
        component[start] = c;
        while (!stack.empty()) {
            std::size_t i = stack.back();
            stack.pop_back();
            ++sizes.back();
            owned.back() = owned.back() || owner[i] >= 0;
            forNeighbours(i, [&](std::size_t n) {
                if (land_[n] && component[n] < 0) {
                    component[n] = c;
                    stack.push_back(n);
                }
            });
        }
    }
    std::vector<int> given(sizes.size(), -1);
    for (const Island& island : islands_) {
        Point p = project(island.lonLat);
        int x = static_cast<int>(p.x);
        int y = static_cast<int>(p.y);
        if (x >= 0 && y >= 0 && x < W && y < H && land_[idx(x, y)]) {
            // Only land no province reached: a peninsula stays with the growth.
            auto c = static_cast<std::size_t>(component[idx(x, y)]);
            given[c] = owned[c] ? given[c] : island.province;
        } else {
            std::cerr << "artgen: island of "
                      << provinces_[static_cast<std::size_t>(island.province)].name
                      << " is not on land\n";
        }
    }
    // The rest go to the province whose land is nearest across the water, when it is near.
    std::vector<int> nearest(land_.size(), -1);
    std::vector<int> reach(land_.size(), 0);
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
    std::vector<std::vector<int>> votes(sizes.size());
    for (std::size_t i = 0; i < land_.size(); ++i) {
        const int c = component[i];
        if (c >= 0 && !owned[static_cast<std::size_t>(c)] && nearest[i] >= 0 &&
            sizes[static_cast<std::size_t>(c)] < 3000) {
            auto& v = votes[static_cast<std::size_t>(c)];
            v.resize(provinces_.size(), 0);
            ++v[static_cast<std::size_t>(nearest[i])];
        }
    }
    for (std::size_t c = 0; c < sizes.size(); ++c) {
        if (given[c] < 0 && !owned[c] && !votes[c].empty()) {
            given[c] = static_cast<int>(std::max_element(votes[c].begin(), votes[c].end()) -
                                        votes[c].begin());
        }
    }
    for (std::size_t i = 0; i < land_.size(); ++i) {
        if (component[i] >= 0 && given[static_cast<std::size_t>(component[i])] >= 0) {
            owner[i] = given[static_cast<std::size_t>(component[i])];
        }
    }
}

void WorldMap::buildProvinces() {
    // Frontier rivers are walls: no province grows across them.
    std::vector<std::uint8_t> wall(static_cast<std::size_t>(W) * H, 0);
    std::vector<std::uint8_t> landWall(static_cast<std::size_t>(W) * H, 0);
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

    // Geodesic growth from the click rectangles (and the islands given to a province): each
    // land pixel goes to the nearest province over land, with a noisy cost so that borders
    // wander like real ones, kept inside the province's overlay frame.
    const std::vector<float> nearWall = distanceTo(wall);
    const std::vector<float> nearLandWall = distanceTo(landWall);
    std::vector<float> dist(static_cast<std::size_t>(W) * H, std::numeric_limits<float>::max());
    std::vector<int> owner(static_cast<std::size_t>(W) * H, -1);
    using Item = std::pair<float, std::pair<int, int>>;  // distance, (pixel, province)
    std::priority_queue<Item, std::vector<Item>, std::greater<>> queue;
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
                dist[idx(x, y)] = 0;
                owner[idx(x, y)] = p;
                queue.push({0.0f, {static_cast<int>(idx(x, y)), p}});
            }
        }
    }
    auto allowed = [&](int p, int x, int y) {
        // The frame's edge is frayed so that it never shows as a straight line.
        return inFrame(p, x, y, 2.5f + 2.5f * fbm(x * 0.07f, y * 0.07f, 300 + p));
    };
    const int dx[8] = {1, -1, 0, 0, 1, 1, -1, -1};
    const int dy[8] = {0, 0, 1, -1, 1, -1, 1, -1};
    while (!queue.empty()) {
        auto [d, item] = queue.top();
        queue.pop();
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
            int nx = x + dx[k];
            int ny = y + dy[k];
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
                queue.push({nd, {static_cast<int>(n), p}});
            }
        }
    }
    // Coastal land beyond the reach (capes, deltas, the shores of gulfs) goes to the province
    // beside it, and so do the gaps between two Roman provinces, so that neither the coast nor
    // the inland shows a strip of no one's land inside the empire.
    {
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
                int nx = i % W + dx[k];
                int ny = i / W + dy[k];
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
            // The heart of a rectangle: every pixel within two of it in the same province.
            int q = provinceAt(x, y);
            bool deep = q >= 0 && q != p;
            for (int ky = -2; ky <= 2 && deep; ky += 2) {
                for (int kx = -2; kx <= 2 && deep; kx += 2) {
                    deep = provinceAt(x + kx, y + ky) == q;
                }
            }
            if (deep) {
                continue;
            }
            warped[i] = p;
        }
    }
    owner = std::move(warped);
    claimIslands(owner);

    // Frontier river banks go to the province beside them, so that no sliver of a province's
    // colour lies outside its overlay.
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

    // The rules the player relies on come last: a province's land lies inside its overlay
    // frame, so the overlay covers all of it; a click-rectangle pixel on land is its own
    // province's land, whatever the growth and the wobbles did.
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
    giveFrontierToNeighbours(owner, wall);

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

    // Distance from land over the sea, for the shading of the water.
    seaDistance_ = distanceTo(land_);
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
    const int left = o.x - 180;
    const int top = o.y - 30;
    return x >= left + inset && y >= top + inset && x < left + o.width - inset &&
           y < top + o.height - inset;
}

bool WorldMap::isBorder(int x, int y) const {
    int l = label(x, y);
    if (l < 0 && l != -2) {
        return false;
    }
    const int ox[2] = {1, 0};
    const int oy[2] = {0, 1};
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
    return false;
}

void WorldMap::placeNames(const Font& serifBold) {
    names_.clear();
    // What a name may not cover: the legions' icons and counts, the sea names, the city's name
    // (which its label picture covers), its mark, and the names placed before it.
    std::vector<std::uint8_t> busy(static_cast<std::size_t>(W) * H, 0);
    auto occupy = [&](int left, int top, int width, int height) {
        for (int y = std::max(0, top); y < top + height && y < H; ++y) {
            for (int x = std::max(0, left); x < left + width && x < W; ++x) {
                busy[idx(x, y)] = 1;
            }
        }
    };
    for (const ProvinceData& d : provinces_) {
        for (const auto& [left, top, width, height] : legionShapes(d.legionX, d.legionY)) {
            occupy(left, top, width, height);
        }
    }
    // Sea names are capitals about three quarters of their size wide.
    for (const SeaLabel& l : seaLabels_) {
        occupy(static_cast<int>(l.x), static_cast<int>(l.y),
               static_cast<int>(0.75f * l.size * static_cast<float>(l.text.size())),
               static_cast<int>(l.size));
    }
    occupy(capitalBox_[0], capitalBox_[1], capitalBox_[2], capitalBox_[3]);
    occupy(static_cast<int>(capital_.x) - 4, static_cast<int>(capital_.y) - 4, 9, 9);
    for (std::size_t p = 0; p < provinces_.size(); ++p) {
        const int pi = static_cast<int>(p);
        // Summed tables: pixels of this province away from borders and rivers, sea its name may
        // spill over (narrow lands such as Greece), and busy pixels.
        std::vector<int> good(static_cast<std::size_t>(W + 1) * (H + 1), 0);
        std::vector<int> wet(static_cast<std::size_t>(W + 1) * (H + 1), 0);
        std::vector<int> crowd(static_cast<std::size_t>(W + 1) * (H + 1), 0);
        double cx = 0;
        double cy = 0;
        int count = 0;
        for (int y = 0; y < H; ++y) {
            for (int x = 0; x < W; ++x) {
                bool own = label(x, y) == pi && !isBorder(x, y);
                if (own) {
                    cx += x;
                    cy += y;
                    ++count;
                }
                std::size_t s = static_cast<std::size_t>(y + 1) * (W + 1) + (x + 1);
                good[s] = (own ? 1 : 0) + good[s - 1] + good[s - (W + 1)] - good[s - W - 2];
                const bool sea = label(x, y) == -1 && inFrame(pi, x, y, 0);
                wet[s] = (sea ? 1 : 0) + wet[s - 1] + wet[s - (W + 1)] - wet[s - W - 2];
                crowd[s] = busy[idx(x, y)] + crowd[s - 1] + crowd[s - (W + 1)] - crowd[s - W - 2];
            }
        }
        if (count == 0) {
            continue;
        }
        cx /= count;
        cy /= count;
        auto sum = [](const std::vector<int>& t, int x0, int y0, int x1, int y1) {
            auto at = [&t](int x, int y) { return t[static_cast<std::size_t>(y) * (W + 1) + x]; };
            return at(x1, y1) - at(x0, y1) - at(x1, y0) + at(x0, y0);
        };
        std::string name = upper(provinces_[p].name);
        std::vector<std::vector<std::string>> layouts = {{name}};
        if (auto space = name.find(' '); space != std::string::npos) {
            layouts.push_back({name.substr(0, space), name.substr(space + 1)});
        }
        PlacedName best;
        double bestScore = -1e18;
        // A name never goes under anything busy. Where the province's own land leaves no room
        // beside the legions (the small frontier provinces), it may reach over a neighbour's
        // land at a price, and shrink to the smallest size still legible on a laptop screen;
        // a province with little land of its own (the Lower Rhine's is mostly sea and icon)
        // takes a box only partly on its land when nothing better is free.
        for (double least : {0.35, 0.15}) {
            if (bestScore > -1e17) {
                break;
            }
            for (float size : {14.0f, 13.0f, 12.0f, 11.0f, 10.0f, 9.0f}) {
                for (const auto& lines : layouts) {
                    int bw = 0;
                    for (const auto& l : lines) {
                        bw = std::max(
                            bw, static_cast<int>(std::ceil(serifBold.measure(l, size, 0.6f))));
                    }
                    int lineHeight = static_cast<int>(size * 0.8f) + 2;
                    int bh = lineHeight * static_cast<int>(lines.size());
                    bw += 2;
                    for (int y = 1; y + bh < H - 1; ++y) {
                        for (int x = 1; x + bw < W - 1; ++x) {
                            int inside = sum(good, x, y, x + bw, y + bh);
                            int area = bw * bh;
                            if (inside < area * least || sum(crowd, x, y, x + bw, y + bh) > 0) {
                                continue;
                            }
                            int sea = sum(wet, x, y, x + bw, y + bh);
                            const double foreign = static_cast<double>(area - inside - sea) / area;
                            if (foreign > 0.45 + (0.35 - least) * 1.5) {
                                continue;
                            }
                            double dist = std::hypot(x + bw / 2.0 - cx, y + bh / 2.0 - cy);
                            // Its own land weighs too: a name half over the sea at the edge
                            // of its land (Pontus's by the Bosporus) reads
                            // as a name of the coast beside it.
                            double score = -(foreign > 0.03 ? 1500.0 : 0.0) - 2000.0 * foreign -
                                           300.0 * sea / area + 200.0 * inside / area - dist +
                                           size * 40 - (lines.size() > 1 ? 15 : 0);
                            if (score > bestScore) {
                                bestScore = score;
                                best = {pi,
                                        static_cast<float>(x),
                                        static_cast<float>(y),
                                        size,
                                        bw,
                                        bh,
                                        lines};
                            }
                        }
                    }
                }
            }
        }
        if (bestScore > -1e17) {
            names_.push_back(best);
            occupy(static_cast<int>(best.x), static_cast<int>(best.y), best.width, best.height);
        } else {
            std::cerr << "artgen: no room for the name of " << provinces_[p].name << "\n";
        }
    }
}

void WorldMap::paintRivers(Raster& image) const {
    for (std::size_t r = 0; r < riverPaths_.size(); ++r) {
        const auto& path = riverPaths_[r];
        float width = riverWidths_[r];
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

void WorldMap::paintNames(Raster& image, const Font& serifBold, const Font& italic) const {
    for (const SeaLabel& l : seaLabels_) {
        italic.draw(image, l.x, l.y, l.text, l.size, kSeaInk, 1.2f);
    }
    for (const PlacedName& n : names_) {
        int lineHeight = static_cast<int>(n.size * 0.8f) + 2;
        for (std::size_t i = 0; i < n.lines.size(); ++i) {
            float w = serifBold.measure(n.lines[i], n.size, 0.6f);
            float bw = 0;
            for (const auto& l : n.lines) {
                bw = std::max(bw, serifBold.measure(l, n.size, 0.6f));
            }
            float x = n.x + 1 + (bw - w) / 2;
            float y = n.y + static_cast<float>(i * lineHeight) - n.size * 0.18f;
            serifBold.draw(image, x, y, n.lines[i], n.size, kInk, 0.6f, rgb(250, 240, 220), 0.35f);
        }
    }
}

Raster WorldMap::render(int variant) const {
    Raster image(W, H);
    for (int y = 0; y < H; ++y) {
        for (int x = 0; x < W; ++x) {
            std::size_t i = idx(x, y);
            int l = labels_[i];
            if (l == -1) {
                float d = seaDistance_[i];
                float t = std::clamp((d - 2.0f) / 40.0f, 0.0f, 1.0f);
                std::uint32_t c = mix(kSeaShallow, kSeaDeep, t);
                c = scale(c, 0.97f + 0.05f * fbm(x * 0.03f, y * 0.05f, 500, 2));
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
            float grain = 0.94f + 0.06f * fbm(x * 0.06f, y * 0.06f, 700, 4) +
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

bool WorldMap::make(const Font& serifBold, const Font& italic, const std::string& dir) {
    buildLand();
    buildProvinces();
    placeNames(serifBold);

    auto finish = [&](Raster& image) {
        paintNames(image, serifBold, italic);
        // Byzantium: a city mark at the tip of Thrace.
        for (int y = -3; y <= 3; ++y) {
            for (int x = -3; x <= 3; ++x) {
                float d = std::hypot(static_cast<float>(x), static_cast<float>(y));
                int px = static_cast<int>(capital_.x) + x;
                int py = static_cast<int>(capital_.y) + y;
                if (d <= 2.9f) {
                    image.blend(px, py, d <= 1.7f ? rgb(150, 20, 20) : rgb(255, 245, 225),
                                std::clamp(3.2f - d, 0.0f, 1.0f));
                }
            }
        }
    };
    auto capitalText = [&](Raster& image, const std::string& text, int width) {
        float size = 11;
        while (serifBold.measure(text, size, 0.3f) > width - 4 && size > 6) {
            size -= 0.5f;
        }
        float w = serifBold.measure(text, size, 0.3f);
        serifBold.draw(image, capitalBox_[0] + (width - w) / 2.0f,
                       capitalBox_[1] + (capitalBox_[3] - size) / 2.0f - 1.5f, text, size,
                       rgb(248, 238, 210), 0.3f);
    };
    // The old name keeps clear of a legion box that reaches into the label's box (Pontus's),
    // so the icon never hides it; the new name fills its whole picture.
    int oldWidth = capitalBox_[2];
    for (const ProvinceData& d : provinces_) {
        const bool rows =
            d.legionY < capitalBox_[1] + capitalBox_[3] && d.legionY + 60 > capitalBox_[1];
        if (rows && d.legionX > capitalBox_[0] && d.legionX < capitalBox_[0] + oldWidth) {
            oldWidth = d.legionX - capitalBox_[0] - 1;
        }
    }

    Raster base = render(0);
    finish(base);
    Raster bare = base.crop(capitalBox_[0], capitalBox_[1], capitalBox_[2], capitalBox_[3]);
    capitalText(base, capitalOld_, oldWidth);
    Raster newLabel = bare;
    {
        // Draw the new name in map coordinates so it sits exactly where the old one did.
        Raster scratch = base;
        for (int y = 0; y < bare.height; ++y) {
            for (int x = 0; x < bare.width; ++x) {
                scratch.at(capitalBox_[0] + x, capitalBox_[1] + y) = bare.at(x, y);
            }
        }
        capitalText(scratch, capitalNew_, capitalBox_[2]);
        newLabel = scratch.crop(capitalBox_[0], capitalBox_[1], capitalBox_[2], capitalBox_[3]);
    }
    if (!writePng(dir + "/111.png", base) || !writePng(dir + "/251.png", newLabel) ||
        !writeLand(dir + "/map-land.bin") || !writeNames(dir + "/map-names.txt")) {
        error_ = "cannot write the map into " + dir;
        return false;
    }

    std::array<Raster, 3> variants;
    for (int v = 0; v < 3; ++v) {
        variants[static_cast<std::size_t>(v)] = render(v + 1);
        finish(variants[static_cast<std::size_t>(v)]);
    }
    for (const Overlay& o : overlays_) {
        int p = provinceIndex(o.province);
        int left = o.x - 180;
        int top = o.y - 30;
        Raster mask(o.width, o.height, rgb(255, 255, 255));
        std::array<Raster, 3> pictures;
        for (auto& pic : pictures) {
            pic = Raster(o.width, o.height, rgb(0, 0, 0));
        }
        for (int y = 0; y < o.height; ++y) {
            for (int x = 0; x < o.width; ++x) {
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
                error_ = "cannot write overlays into " + dir;
                return false;
            }
        }
        if (!writePng(dir + "/" + std::to_string(o.mask) + ".png", mask)) {
            error_ = "cannot write overlays into " + dir;
            return false;
        }
    }
    return true;
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

bool WorldMap::writeNames(const std::string& path) const {
    // Where each province's name went, for the checks that keep it clear of the legions.
    std::ofstream file(path);
    file << "# left top width height size province\n";
    for (const PlacedName& n : names_) {
        file << static_cast<int>(n.x) << ' ' << static_cast<int>(n.y) << ' ' << n.width << ' '
             << n.height << ' ' << n.size << ' '
             << provinces_[static_cast<std::size_t>(n.province)].name << '\n';
    }
    return static_cast<bool>(file);
}

Raster WorldMap::groupMap(const std::vector<Group>& groups) const {
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
            float grain = 0.94f + 0.06f * fbm(x * 0.06f, y * 0.06f, 700, 4);
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
