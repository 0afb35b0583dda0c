#pragma once

#include <string>

namespace tessarion {

class Screen;
class Surface;

// Writes the surface as an RGB PNG; false with a reason when the file cannot
// be written.
bool writePng(const Surface& surface, const std::string& path, std::string& error);
// Composes the window as a paint does, instructions included, and writes it.
bool writeScreenshot(Screen& screen, const std::string& path, std::string& error);

}  // namespace tessarion
