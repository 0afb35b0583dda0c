#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tessarion {

// Resizes a picture by area: each new pixel is the average of the old pixels
// it covers, each weighed by how much of it is covered. Reducing, that is the
// box filter that keeps thin strokes and coasts from dropping out; enlarging,
// every new pixel takes its one old pixel's colour and only those straddling
// two mix them, so edges stay within one pixel instead of being smeared.
//
// Pixels are 0xAARRGGBB, rows without padding.
std::vector<std::uint32_t> resample(const std::uint32_t* pixels, int width, int height, int toWidth,
                                    int toHeight);
// The same straight into rows of `out` lying outStride pixels apart.
void resampleInto(const std::uint32_t* pixels, int width, int height, std::uint32_t* out,
                  std::size_t outStride, int toWidth, int toHeight);
// The same for one byte a pixel (a sprite's mask).
std::vector<std::uint8_t> resample(const std::uint8_t* bytes, int width, int height, int toWidth,
                                   int toHeight);

}  // namespace tessarion
