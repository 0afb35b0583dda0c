#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tessarion::art {

// A picture being made: 32-bit pixels 0xAARRGGBB, row-major.
struct Raster {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;

    Raster() = default;
    Raster(int w, int h, std::uint32_t fill = 0xFF000000u)
        : width(w), height(h), pixels(static_cast<std::size_t>(w) * h, fill) {}

    bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
    std::uint32_t& at(int x, int y) { return pixels[static_cast<std::size_t>(y) * width + x]; }
    std::uint32_t at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }

    // Mixes colour into the pixel by coverage 0..1 (alpha of the pixel unchanged).
    void blend(int x, int y, std::uint32_t colour, float coverage);
    Raster crop(int x, int y, int w, int h) const;
};

std::uint32_t rgb(int r, int g, int b);
std::uint32_t mix(std::uint32_t a, std::uint32_t b, float t);
std::uint32_t scale(std::uint32_t c, float f);

bool readPng(const std::string& path, Raster& out);
bool writePng(const std::string& path, const Raster& image);

}  // namespace tessarion::art
