#pragma once

// How far apart two colours look to eyes without one kind of cone: Machado, Oliveira and
// Fernandes' simulation matrices at full severity, on linear light, and the distance CIEDE2000
// (as the README promises it). For the checks of the colour-blind map.

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>

namespace tessarion::test {

enum class Vision { Normal, Protanopia, Deuteranopia, Tritanopia };
inline constexpr std::array<Vision, 4> kVisions = {Vision::Normal, Vision::Protanopia,
                                                   Vision::Deuteranopia, Vision::Tritanopia};

inline const char* nameOf(Vision v) {
    static constexpr const char* kNames[] = {"normal vision", "protanopia", "deuteranopia",
                                             "tritanopia"};
    return kNames[static_cast<std::size_t>(v)];
}

// The colour in CIELAB as the given eyes see it.
inline std::array<double, 3> seenLab(std::uint32_t colour, Vision v) {
    using M = std::array<std::array<double, 3>, 3>;
    static constexpr std::array<M, 4> kSimulation = {{
        {{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}},
        {{{0.152286, 1.052583, -0.204868},
          {0.114503, 0.786281, 0.099216},
          {-0.003882, -0.048116, 1.051998}}},
        {{{0.367322, 0.860646, -0.227968},
          {0.280085, 0.672501, 0.047413},
          {-0.011820, 0.042940, 0.968881}}},
        {{{1.255528, -0.076749, -0.178779},
          {-0.078411, 0.930809, 0.147602},
          {0.004733, 0.691367, 0.303900}}},
    }};
    std::array<double, 3> linear{};
    for (int i = 0; i < 3; ++i) {
        const double e = static_cast<double>((colour >> (16 - 8 * i)) & 0xFF) / 255.0;
        linear[i] = e <= 0.04045 ? e / 12.92 : std::pow((e + 0.055) / 1.055, 2.4);
    }
    const M& m = kSimulation[static_cast<std::size_t>(v)];
    std::array<double, 3> c{};
    for (int i = 0; i < 3; ++i) {
        c[i] = std::clamp(m[i][0] * linear[0] + m[i][1] * linear[1] + m[i][2] * linear[2], 0.0, 1.0);
    }
    auto f = [](double t) {
        return t > 216.0 / 24389.0 ? std::cbrt(t) : (24389.0 / 27.0 * t + 16.0) / 116.0;
    };
    const double x = f((0.4124564 * c[0] + 0.3575761 * c[1] + 0.1804375 * c[2]) / 0.95047);
    const double y = f(0.2126729 * c[0] + 0.7151522 * c[1] + 0.0721750 * c[2]);
    const double z = f((0.0193339 * c[0] + 0.1191920 * c[1] + 0.9503041 * c[2]) / 1.08883);
    return {116 * y - 16, 500 * (x - y), 200 * (y - z)};
}

inline double ciede2000(const std::array<double, 3>& p, const std::array<double, 3>& q) {
    constexpr double kDeg = 3.14159265358979323846 / 180;
    const double c7 = std::pow((std::hypot(p[1], p[2]) + std::hypot(q[1], q[2])) / 2, 7);
    const double g = 1.5 - 0.5 * std::sqrt(c7 / (c7 + std::pow(25.0, 7)));
    const double c1 = std::hypot(g * p[1], p[2]);
    const double c2 = std::hypot(g * q[1], q[2]);
    auto hue = [](double b, double a) {
        const double h = a == 0 && b == 0 ? 0 : std::atan2(b, a) / kDeg;
        return h < 0 ? h + 360 : h;
    };
    const double h1 = hue(p[2], g * p[1]);
    const double h2 = hue(q[2], g * q[1]);
    const double dh = c1 * c2 == 0 ? 0 : std::remainder(h2 - h1, 360.0);
    const double dH = 2 * std::sqrt(c1 * c2) * std::sin(dh * kDeg / 2);
    const double l = (p[0] + q[0]) / 2;
    const double c = (c1 + c2) / 2;
    double h = h1 + h2;
    if (c1 * c2 != 0) {
        h = std::abs(h1 - h2) <= 180 ? h / 2 : h < 360 ? (h + 360) / 2 : (h - 360) / 2;
    }
    const double t = 1 - 0.17 * std::cos((h - 30) * kDeg) + 0.24 * std::cos(2 * h * kDeg) +
                     0.32 * std::cos((3 * h + 6) * kDeg) - 0.20 * std::cos((4 * h - 63) * kDeg);
    const double rc = 2 * std::sqrt(std::pow(c, 7) / (std::pow(c, 7) + std::pow(25.0, 7)));
    const double rt = -std::sin(60 * std::exp(-std::pow((h - 275) / 25, 2)) * kDeg) * rc;
    const double sl = 1 + 0.015 * (l - 50) * (l - 50) / std::sqrt(20 + (l - 50) * (l - 50));
    const double dl = (q[0] - p[0]) / sl;
    const double dc = (c2 - c1) / (1 + 0.045 * c);
    const double dhs = dH / (1 + 0.015 * c * t);
    return std::sqrt(dl * dl + dc * dc + dhs * dhs + rt * dc * dhs);
}

inline double seenDistance(std::uint32_t a, std::uint32_t b, Vision v) {
    return ciede2000(seenLab(a, v), seenLab(b, v));
}

}  // namespace tessarion::test
