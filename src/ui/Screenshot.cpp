#include "ui/Screenshot.h"

#include <optional>
#include <string_view>
#include <vector>

#include "model/PrintableText.h"
#include "platform/FileSystem.h"
#include "ui/Screen.h"

// Private copies of the writer's functions, so they cannot clash with another
// library that builds its own.
#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>

namespace tessarion {

namespace {

void appendBytes(void* context, void* data, int size) {
    auto* out = static_cast<std::vector<unsigned char>*>(context);
    const auto* bytes = static_cast<const unsigned char*>(data);
    out->insert(out->end(), bytes, bytes + size);
}

}  // namespace

std::vector<unsigned char> encodePng(const Surface& surface) {
    std::vector<unsigned char> png;
    if (surface.empty()) {
        return png;
    }
    std::vector<unsigned char> rgb;
    rgb.reserve(surface.pixels().size() * 3);
    for (std::uint32_t p : surface.pixels()) {
        rgb.push_back(static_cast<unsigned char>(p >> 16));
        rgb.push_back(static_cast<unsigned char>(p >> 8));
        rgb.push_back(static_cast<unsigned char>(p));
    }
    if (stbi_write_png_to_func(appendBytes, &png, surface.pixelWidth(), surface.pixelHeight(), 3,
                               rgb.data(), surface.pixelWidth() * 3) == 0) {
        png.clear();
    }
    return png;
}

bool writePng(const Surface& surface, const std::string& path, std::string& error) {
    if (surface.empty()) {
        error = "nothing to write";
        return false;
    }
    // Encoded in memory first so that a failed write can say why.
    const std::vector<unsigned char> png = encodePng(surface);
    if (png.empty()) {
        error = "could not encode the picture";
        return false;
    }
    if (std::optional<std::string> why = files::writeWholeFile(
            path, std::string_view(reinterpret_cast<const char*>(png.data()), png.size()))) {
        error = printableText(path) + ": " + *why;
        return false;
    }
    return true;
}

bool writeScreenshot(Screen& screen, const std::string& path, std::string& error) {
    Surface shot(screen.width(), screen.height(), kBlack, screen.scale());
    screen.paintScreen(shot);
    return writePng(shot, path, error);
}

}  // namespace tessarion
