#include "Font.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iterator>

#define STB_TRUETYPE_IMPLEMENTATION
#include <stb/stb_truetype.h>

namespace tessarion::art {

namespace {
const stbtt_fontinfo* face(const std::vector<unsigned char>& info) {
    return reinterpret_cast<const stbtt_fontinfo*>(info.data());
}
}  // namespace

bool Font::load(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return false;
    }
    data_.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    info_.assign(sizeof(stbtt_fontinfo), 0);
    auto* f = reinterpret_cast<stbtt_fontinfo*>(info_.data());
    return stbtt_InitFont(f, data_.data(), stbtt_GetFontOffsetForIndex(data_.data(), 0)) != 0;
}

float Font::ascent(float size) const {
    const stbtt_fontinfo* f = face(info_);
    int ascent = 0;
    int descent = 0;
    int gap = 0;
    stbtt_GetFontVMetrics(f, &ascent, &descent, &gap);
    return std::ceil(static_cast<float>(ascent) * stbtt_ScaleForPixelHeight(f, size));
}

float Font::capHeight(float size) const {
    const stbtt_fontinfo* f = face(info_);
    int x0 = 0;
    int y0 = 0;
    int x1 = 0;
    int y1 = 0;
    stbtt_GetCodepointBox(f, 'H', &x0, &y0, &x1, &y1);
    return static_cast<float>(y1) * stbtt_ScaleForPixelHeight(f, size);
}

float Font::measure(const std::string& text, float size, float spacing) const {
    const stbtt_fontinfo* f = face(info_);
    float s = stbtt_ScaleForPixelHeight(f, size);
    float x = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        int advance = 0;
        int lsb = 0;
        stbtt_GetCodepointHMetrics(f, static_cast<unsigned char>(text[i]), &advance, &lsb);
        x += advance * s + spacing;
        if (i + 1 < text.size()) {
            x += s * stbtt_GetCodepointKernAdvance(f, static_cast<unsigned char>(text[i]),
                                                   static_cast<unsigned char>(text[i + 1]));
        }
    }
    return x - spacing;
}

Font::Coverage Font::render(const std::string& text, float size, float spacing) const {
    const stbtt_fontinfo* f = face(info_);
    float s = stbtt_ScaleForPixelHeight(f, size);
    int ascent = 0;
    int descent = 0;
    int gap = 0;
    stbtt_GetFontVMetrics(f, &ascent, &descent, &gap);
    Coverage out;
    out.baseline = static_cast<int>(std::ceil(ascent * s));
    out.height = out.baseline + static_cast<int>(std::ceil(-descent * s)) + 1;
    out.width = static_cast<int>(std::ceil(measure(text, size, spacing))) + 2;
    out.alpha.assign(static_cast<std::size_t>(out.width) * out.height, 0);
    float x = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        int c = static_cast<unsigned char>(text[i]);
        int advance = 0;
        int lsb = 0;
        stbtt_GetCodepointHMetrics(f, c, &advance, &lsb);
        float shift = x - std::floor(x);
        int x0 = 0;
        int y0 = 0;
        int x1 = 0;
        int y1 = 0;
        stbtt_GetCodepointBitmapBoxSubpixel(f, c, s, s, shift, 0, &x0, &y0, &x1, &y1);
        int gw = x1 - x0;
        int gh = y1 - y0;
        if (gw > 0 && gh > 0) {
            std::vector<unsigned char> glyph(static_cast<std::size_t>(gw) * gh);
            stbtt_MakeCodepointBitmapSubpixel(f, glyph.data(), gw, gh, gw, s, s, shift, 0, c);
            int ox = static_cast<int>(std::floor(x)) + x0;
            int oy = out.baseline + y0;
            for (int j = 0; j < gh; ++j) {
                for (int i = 0; i < gw; ++i) {
                    int px = ox + i;
                    int py = oy + j;
                    if (px < 0 || py < 0 || px >= out.width || py >= out.height) {
                        continue;
                    }
                    auto& a = out.alpha[static_cast<std::size_t>(py) * out.width + px];
                    a = static_cast<std::uint8_t>(
                        std::min(255, a + glyph[static_cast<std::size_t>(j) * gw + i]));
                }
            }
        }
        x += advance * s + spacing;
        if (i + 1 < text.size()) {
            x += s * stbtt_GetCodepointKernAdvance(f, c, static_cast<unsigned char>(text[i + 1]));
        }
    }
    return out;
}

void Font::draw(Raster& target, float x, float y, const std::string& text, float size,
                std::uint32_t colour, float spacing, std::uint32_t halo, float haloStrength) const {
    Coverage cov = render(text, size, spacing);
    int ox = static_cast<int>(std::lround(x));
    int oy = static_cast<int>(std::lround(y));
    auto alphaAt = [&cov](int i, int j) -> float {
        if (i < 0 || j < 0 || i >= cov.width || j >= cov.height) {
            return 0.0f;
        }
        return cov.alpha[static_cast<std::size_t>(j) * cov.width + i] / 255.0f;
    };
    if (haloStrength > 0.0f) {
        for (int j = -1; j <= cov.height; ++j) {
            for (int i = -1; i <= cov.width; ++i) {
                float m = 0.0f;
                for (int dj = -1; dj <= 1; ++dj) {
                    for (int di = -1; di <= 1; ++di) {
                        m = std::max(m, alphaAt(i + di, j + dj));
                    }
                }
                target.blend(ox + i, oy + j, halo, m * haloStrength);
            }
        }
    }
    for (int j = 0; j < cov.height; ++j) {
        for (int i = 0; i < cov.width; ++i) {
            target.blend(ox + i, oy + j, colour, alphaAt(i, j));
        }
    }
}

}  // namespace tessarion::art
