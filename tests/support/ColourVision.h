#pragma once

// How far apart two colours look to eyes without one kind of cone: Machado, Oliveira and
// Fernandes' simulation matrices at full severity, on linear light, and the distance in
// CIELAB. For the checks of the colour-blind map.

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

inline double seenDistance(std::uint32_t a, std::uint32_t b, Vision v) {
    const auto p = seenLab(a, v);
    const auto q = seenLab(b, v);
    return std::hypot(p[0] - q[0], p[1] - q[1], p[2] - q[2]);
}

}  // namespace tessarion::test
