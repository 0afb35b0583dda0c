#pragma once

// How a colour looks to eyes without one kind of cone (Machado, Oliveira and
// Fernandes' simulation matrices at full severity) and how far apart two
// colours look (CIEDE2000), for the checks of the colour-blind map.

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>

namespace tessarion::test {

enum class Vision { Normal, Protanopia, Deuteranopia, Tritanopia };
inline constexpr std::array<Vision, 4> kVisions = {Vision::Normal, Vision::Protanopia,
                                                   Vision::Deuteranopia, Vision::Tritanopia};

inline const char* nameOf(Vision v) {
    switch (v) {
        case Vision::Protanopia:
            return "protanopia";
        case Vision::Deuteranopia:
            return "deuteranopia";
        case Vision::Tritanopia:
            return "tritanopia";
        default:
            return "normal vision";
    }
}

using Rgb = std::array<double, 3>;  // 0..255, sRGB

inline Rgb rgbOf(std::uint32_t c) {
    return {static_cast<double>((c >> 16) & 0xFF), static_cast<double>((c >> 8) & 0xFF),
            static_cast<double>(c & 0xFF)};
}

inline double toLinear(double v) {
    v /= 255.0;
    return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
}

inline double fromLinear(double v) {
    v = std::clamp(v, 0.0, 1.0);
    return 255.0 * (v <= 0.0031308 ? 12.92 * v : 1.055 * std::pow(v, 1 / 2.4) - 0.055);
}

// The matrices work on linear light; tools that apply them to the encoded
// values directly are common too, so the checks take the worse of the two.
inline Rgb simulate(const Rgb& c, Vision v, bool linearLight) {
    using M = std::array<std::array<double, 3>, 3>;
    static constexpr M kProtan = {{{0.152286, 1.052583, -0.204868},
                                   {0.114503, 0.786281, 0.099216},
                                   {-0.003882, -0.048116, 1.051998}}};
    static constexpr M kDeutan = {{{0.367322, 0.860646, -0.227968},
                                   {0.280085, 0.672501, 0.047413},
                                   {-0.011820, 0.042940, 0.968881}}};
    static constexpr M kTritan = {{{1.255528, -0.076749, -0.178779},
                                   {-0.078411, 0.930809, 0.147602},
                                   {0.004733, 0.691367, 0.303900}}};
    if (v == Vision::Normal) {
        return c;
    }
    const M& m = v == Vision::Protanopia ? kProtan : v == Vision::Deuteranopia ? kDeutan : kTritan;
    Rgb in = c;
    if (linearLight) {
        for (double& x : in) {
            x = toLinear(x);
        }
    }
    Rgb out{};
    for (int i = 0; i < 3; ++i) {
        out[i] = m[i][0] * in[0] + m[i][1] * in[1] + m[i][2] * in[2];
        out[i] = linearLight ? fromLinear(out[i]) : std::clamp(out[i], 0.0, 255.0);
    }
    return out;
}

inline std::array<double, 3> lab(const Rgb& c) {
    const double r = toLinear(c[0]);
    const double g = toLinear(c[1]);
    const double b = toLinear(c[2]);
    const double x = (0.4124564 * r + 0.3575761 * g + 0.1804375 * b) / 0.95047;
    const double y = 0.2126729 * r + 0.7151522 * g + 0.0721750 * b;
    const double z = (0.0193339 * r + 0.1191920 * g + 0.9503041 * b) / 1.08883;
    auto f = [](double t) {
        return t > 216.0 / 24389.0 ? std::cbrt(t) : (24389.0 / 27.0 * t + 16.0) / 116.0;
    };
    return {116 * f(y) - 16, 500 * (f(x) - f(y)), 200 * (f(y) - f(z))};
}

inline double ciede2000(const std::array<double, 3>& p, const std::array<double, 3>& q) {
    constexpr double kPi = 3.14159265358979323846;
    auto deg = [](double r) { return r * 180.0 / kPi; };
    auto rad = [](double d) { return d * kPi / 180.0; };
    const double c1 = std::hypot(p[1], p[2]);
    const double c2 = std::hypot(q[1], q[2]);
    const double cMean7 = std::pow((c1 + c2) / 2, 7);
    const double g = 0.5 * (1 - std::sqrt(cMean7 / (cMean7 + std::pow(25.0, 7))));
    const double a1 = (1 + g) * p[1];
    const double a2 = (1 + g) * q[1];
    const double c1p = std::hypot(a1, p[2]);
    const double c2p = std::hypot(a2, q[2]);
    auto hue = [&](double b, double a) {
        if (a == 0 && b == 0) {
            return 0.0;
        }
        const double h = deg(std::atan2(b, a));
        return h < 0 ? h + 360 : h;
    };
    const double h1 = hue(p[2], a1);
    const double h2 = hue(q[2], a2);
    const double dL = q[0] - p[0];
    const double dC = c2p - c1p;
    double dh = 0;
    if (c1p * c2p != 0) {
        dh = h2 - h1;
        dh = dh > 180 ? dh - 360 : dh < -180 ? dh + 360 : dh;
    }
    const double dH = 2 * std::sqrt(c1p * c2p) * std::sin(rad(dh) / 2);
    const double lMean = (p[0] + q[0]) / 2;
    const double cMean = (c1p + c2p) / 2;
    double hMean = h1 + h2;
    if (c1p * c2p != 0) {
        hMean = std::abs(h1 - h2) <= 180 ? (h1 + h2) / 2
                : h1 + h2 < 360          ? (h1 + h2 + 360) / 2
                                         : (h1 + h2 - 360) / 2;
    }
    const double t = 1 - 0.17 * std::cos(rad(hMean - 30)) + 0.24 * std::cos(rad(2 * hMean)) +
                     0.32 * std::cos(rad(3 * hMean + 6)) - 0.20 * std::cos(rad(4 * hMean - 63));
    const double dTheta = 30 * std::exp(-std::pow((hMean - 275) / 25, 2));
    const double cMeanp7 = std::pow(cMean, 7);
    const double rc = 2 * std::sqrt(cMeanp7 / (cMeanp7 + std::pow(25.0, 7)));
    const double sl = 1 + 0.015 * std::pow(lMean - 50, 2) / std::sqrt(20 + std::pow(lMean - 50, 2));
    const double sc = 1 + 0.045 * cMean;
    const double sh = 1 + 0.015 * cMean * t;
    const double rt = -std::sin(rad(2 * dTheta)) * rc;
    return std::sqrt(std::pow(dL / sl, 2) + std::pow(dC / sc, 2) + std::pow(dH / sh, 2) +
                     rt * (dC / sc) * (dH / sh));
}

// How far apart two colours look to the given eyes, the worse of the two ways
// of simulating them.
inline double seenDistance(std::uint32_t a, std::uint32_t b, Vision v) {
    double d = 1e9;
    for (bool linearLight : {true, false}) {
        d = std::min(d, ciede2000(lab(simulate(rgbOf(a), v, linearLight)),
                                  lab(simulate(rgbOf(b), v, linearLight))));
    }
    return d;
}

}  // namespace tessarion::test
