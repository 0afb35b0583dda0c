#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

// Stand-ins for the embedded resource store, with the same shape: plain
// pictures of the right sizes, and the system's copy of the UI font.
namespace tessarion::placeholder {

struct Image {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;  // 0xAARRGGBB, row-major
};

Image decodePicture(int id);
std::span<const unsigned char> fontData(const std::string& name);

}  // namespace tessarion::placeholder
