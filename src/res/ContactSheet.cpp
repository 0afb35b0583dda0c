#include "res/ContactSheet.h"

#include <algorithm>
#include <cstdio>

#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_easy_font.h>
#include <stb/stb_image_write.h>

namespace tessarion::res {

namespace {

constexpr int kSheetWidth = 2000;
constexpr int kGap = 8;
constexpr int kLabel = 14;
constexpr std::uint32_t kBackground = 0xFF3C3A46u;
constexpr std::uint32_t kCheckerA = 0xFF55525Eu;
constexpr std::uint32_t kCheckerB = 0xFF4A4754u;

struct Canvas {
    int width;
    int height;
    std::vector<std::uint32_t> pixels;

    void put(int x, int y, std::uint32_t c) {
        if (x >= 0 && y >= 0 && x < width && y < height) {
            pixels[static_cast<std::size_t>(y) * width + x] = c;
        }
    }
};

void label(Canvas& canvas, int x, int y, const std::string& text) {
    // stb_easy_font gives quads of four vertices (x, y, z, colour) each.
    std::vector<char> buffer(text.size() * 300 + 64);
    std::string copy = text;
    int quads = stb_easy_font_print(0, 0, copy.data(), nullptr, buffer.data(),
                                    static_cast<int>(buffer.size()));
    const float* v = reinterpret_cast<const float*>(buffer.data());
    for (int q = 0; q < quads; ++q) {
        const float* quad = v + q * 16;
        int x0 = static_cast<int>(quad[0]);
        int y0 = static_cast<int>(quad[1]);
        int x1 = static_cast<int>(quad[8]);
        int y1 = static_cast<int>(quad[9]);
        for (int yy = y0; yy < y1; ++yy) {
            for (int xx = x0; xx < x1; ++xx) {
                canvas.put(x + xx, y + yy, 0xFFFFFFFFu);
            }
        }
    }
}

// Where each picture goes: shelf packing in id order, rows as tall as
// their tallest picture.
struct Placed {
    int x;
    int y;
    const std::pair<int, Image>* picture;
};

struct Shelves {
    std::vector<Placed> placed;
    int width;
    int height;
};

Shelves placeOnShelves(const std::vector<std::pair<int, Image>>& pictures) {
    Shelves shelves{{}, kGap, 0};
    int x = kGap;
    int y = kGap;
    int rowHeight = 0;
    for (const auto& p : pictures) {
        int w = std::max(p.second.width, 24);
        if (x + w + kGap > kSheetWidth && x > kGap) {
            x = kGap;
            y += rowHeight + kGap;
            rowHeight = 0;
        }
        shelves.placed.push_back({x, y, &p});
        x += w + kGap;
        shelves.width = std::max(shelves.width, x);
        rowHeight = std::max(rowHeight, p.second.height + kLabel);
    }
    shelves.height = y + rowHeight + kGap;
    return shelves;
}

// The picture under its id; transparent parts of pictures with alpha show on
// a checkerboard.
void drawPlaced(Canvas& canvas, const Placed& p) {
    const Image& image = p.picture->second;
    label(canvas, p.x, p.y + 2, std::to_string(p.picture->first));
    for (int j = 0; j < image.height; ++j) {
        for (int i = 0; i < image.width; ++i) {
            std::uint32_t c = image.pixels[static_cast<std::size_t>(j) * image.width + i];
            std::uint32_t a = c >> 24;
            if (a < 255) {
                std::uint32_t under = ((i / 4 + j / 4) % 2) ? kCheckerA : kCheckerB;
                auto blend = [a](std::uint32_t top, std::uint32_t bottom, int shift) {
                    std::uint32_t t = (top >> shift) & 0xFF;
                    std::uint32_t b = (bottom >> shift) & 0xFF;
                    return ((t * a + b * (255 - a)) / 255) << shift;
                };
                c = 0xFF000000u | blend(c, under, 16) | blend(c, under, 8) | blend(c, under, 0);
            }
            canvas.put(p.x + i, p.y + kLabel + j, c);
        }
    }
}

// Encoded in memory: the writer's own file output would not tell a failed
// write. Empty when encoding fails.
std::vector<unsigned char> encodePng(const Canvas& canvas) {
    std::vector<unsigned char> rgb(canvas.pixels.size() * 3);
    for (std::size_t i = 0; i < canvas.pixels.size(); ++i) {
        rgb[i * 3 + 0] = static_cast<unsigned char>(canvas.pixels[i] >> 16);
        rgb[i * 3 + 1] = static_cast<unsigned char>(canvas.pixels[i] >> 8);
        rgb[i * 3 + 2] = static_cast<unsigned char>(canvas.pixels[i]);
    }
    std::vector<unsigned char> png;
    const auto append = [](void* context, void* data, int size) {
        auto* out = static_cast<std::vector<unsigned char>*>(context);
        const auto* bytes = static_cast<const unsigned char*>(data);
        out->insert(out->end(), bytes, bytes + size);
    };
    if (stbi_write_png_to_func(append, &png, canvas.width, canvas.height, 3, rgb.data(),
                               canvas.width * 3) == 0) {
        png.clear();
    }
    return png;
}

}  // namespace

std::vector<unsigned char> contactSheetPng(const std::vector<std::pair<int, Image>>& pictures) {
    const Shelves shelves = placeOnShelves(pictures);
    Canvas canvas{shelves.width, shelves.height, {}};
    canvas.pixels.assign(static_cast<std::size_t>(canvas.width) * canvas.height, kBackground);
    for (const Placed& p : shelves.placed) {
        drawPlaced(canvas, p);
    }
    return encodePng(canvas);
}

}  // namespace tessarion::res
