#include "Raster.h"

#include <algorithm>
#include <cmath>

#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#include <stb/stb_image.h>
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>

namespace tessarion::art {

namespace {
int channel(std::uint32_t c, int shift) {
    return static_cast<int>((c >> shift) & 0xFFu);
}
}  // namespace

std::uint32_t rgb(int r, int g, int b) {
    auto clamp = [](int v) { return static_cast<std::uint32_t>(std::clamp(v, 0, 255)); };
    return 0xFF000000u | (clamp(r) << 16) | (clamp(g) << 8) | clamp(b);
}

std::uint32_t mix(std::uint32_t a, std::uint32_t b, float t) {
    t = std::clamp(t, 0.0f, 1.0f);
    auto lerp = [t](int x, int y) { return static_cast<int>(std::lround(x + (y - x) * t)); };
    std::uint32_t alpha = a & 0xFF000000u;
    return alpha | (rgb(lerp(channel(a, 16), channel(b, 16)), lerp(channel(a, 8), channel(b, 8)),
                        lerp(channel(a, 0), channel(b, 0))) &
                    0x00FFFFFFu);
}

std::uint32_t scale(std::uint32_t c, float f) {
    return (c & 0xFF000000u) | (rgb(static_cast<int>(std::lround(channel(c, 16) * f)),
                                    static_cast<int>(std::lround(channel(c, 8) * f)),
                                    static_cast<int>(std::lround(channel(c, 0) * f))) &
                                0x00FFFFFFu);
}

void Raster::blend(int x, int y, std::uint32_t colour, float coverage) {
    if (!contains(x, y) || coverage <= 0.0f) {
        return;
    }
    std::uint32_t& p = at(x, y);
    p = mix(p, colour, coverage);
}

Raster Raster::crop(int x, int y, int w, int h) const {
    Raster out(w, h, 0xFF000000u);
    for (int j = 0; j < h; ++j) {
        for (int i = 0; i < w; ++i) {
            if (contains(x + i, y + j)) {
                out.at(i, j) = at(x + i, y + j);
            }
        }
    }
    return out;
}

bool readPng(const std::string& path, Raster& out) {
    int w = 0;
    int h = 0;
    int n = 0;
    unsigned char* data = stbi_load(path.c_str(), &w, &h, &n, 4);
    if (data == nullptr) {
        return false;
    }
    out = Raster(w, h);
    for (std::size_t i = 0; i < out.pixels.size(); ++i) {
        const unsigned char* p = data + i * 4;
        out.pixels[i] = (std::uint32_t{p[3]} << 24) | (std::uint32_t{p[0]} << 16) |
                        (std::uint32_t{p[1]} << 8) | p[2];
    }
    stbi_image_free(data);
    return true;
}

bool writePng(const std::string& path, const Raster& image) {
    std::vector<unsigned char> bytes(image.pixels.size() * 4);
    bool opaque = true;
    for (std::size_t i = 0; i < image.pixels.size(); ++i) {
        std::uint32_t c = image.pixels[i];
        bytes[i * 4 + 0] = static_cast<unsigned char>(c >> 16);
        bytes[i * 4 + 1] = static_cast<unsigned char>(c >> 8);
        bytes[i * 4 + 2] = static_cast<unsigned char>(c);
        bytes[i * 4 + 3] = static_cast<unsigned char>(c >> 24);
        opaque = opaque && (c >> 24) == 0xFFu;
    }
    if (opaque) {
        // Opaque pictures are stored as RGB: smaller, and what the game draws anyway.
        std::vector<unsigned char> rgbBytes(image.pixels.size() * 3);
        for (std::size_t i = 0; i < image.pixels.size(); ++i) {
            for (int k = 0; k < 3; ++k) {
                rgbBytes[i * 3 + k] = bytes[i * 4 + k];
            }
        }
        return stbi_write_png(path.c_str(), image.width, image.height, 3, rgbBytes.data(),
                              image.width * 3) != 0;
    }
    return stbi_write_png(path.c_str(), image.width, image.height, 4, bytes.data(),
                          image.width * 4) != 0;
}

}  // namespace tessarion::art
