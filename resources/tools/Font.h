#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "Raster.h"

namespace tessarion::art {

// A TrueType/OpenType face for the map's lettering.
class Font {
  public:
    bool load(const std::string& path);

    // How far the baseline lies below the top of the text, and how tall the capitals stand,
    // in pixels at the given pixel height.
    float ascent(float size) const;
    float capHeight(float size) const;
    // Width in pixels of text at the given pixel height, with extra spacing between letters.
    float measure(const std::string& text, float size, float spacing = 0.0f) const;
    // Coverage (0..255) of the text, baseline at y = ascent; width from measure().
    struct Coverage {
        int width = 0;
        int height = 0;
        int baseline = 0;
        std::vector<std::uint8_t> alpha;
    };
    Coverage render(const std::string& text, float size, float spacing = 0.0f) const;

    // Paints text with its top-left corner at (x, y); a halo of the given colour first when
    // haloStrength > 0, so that names stay legible on textured land.
    void draw(Raster& target, float x, float y, const std::string& text, float size,
              std::uint32_t colour, float spacing = 0.0f, std::uint32_t halo = 0,
              float haloStrength = 0.0f) const;

  private:
    std::vector<unsigned char> data_;
    std::vector<unsigned char> info_;  // stbtt_fontinfo, kept opaque here
};

}  // namespace tessarion::art
