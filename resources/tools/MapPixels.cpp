#include "MapPixels.h"

#include <algorithm>
#include <cmath>
#include <limits>

#define STB_PERLIN_IMPLEMENTATION
#include <stb/stb_perlin.h>

namespace tessarion::art {

// Smooth noise in -1..1; every caller passes its own seed so that the coasts, the borders and
// the texture do not wobble in step.
float noise(float x, float y, int seed) {
    return stb_perlin_noise3_seed(x, y, 0.37f * seed, 0, 0, 0, seed);
}
float fbm(float x, float y, int seed, int octaves) {
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

}  // namespace tessarion::art
