#pragma once

#include <string>
#include <vector>

namespace tessarion {

class Screen;
class Surface;

// The surface as the bytes of an RGB PNG; empty when it cannot be encoded.
std::vector<unsigned char> encodePng(const Surface& surface);
// Writes the surface as an RGB PNG; false with a reason when the file cannot
// be written.
bool writePng(const Surface& surface, const std::string& path, std::string& error);
// Composes the window as a paint does, instructions included, and writes it.
bool writeScreenshot(Screen& screen, const std::string& path, std::string& error);

}  // namespace tessarion
