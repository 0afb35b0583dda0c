#include "ui/Placeholders.h"

#include <fstream>
#include <iterator>

#include "ui/Pictures.h"

namespace tessarion::placeholder {

namespace {

constexpr std::uint32_t kSea = 0xFF35597F;
constexpr std::uint32_t kRomanLand = 0xFFC2AE7C;
constexpr std::uint32_t kGermanicLand = 0xFFD8C248;
constexpr std::uint32_t kPersianLand = 0xFFB048A8;

bool isMask(int id) {
    for (const OverlaySpec& o : kOverlays) {
        if (o.mask == id) {
            return true;
        }
    }
    for (int m : {265, 169, 180, 119, 184, 230}) {
        if (m == id) {
            return true;
        }
    }
    return false;
}

struct Canvas : Image {
    Canvas(int w, int h, std::uint32_t fill) {
        width = w;
        height = h;
        pixels.assign(static_cast<std::size_t>(w) * static_cast<std::size_t>(h), fill);
    }
    void ellipse(int x, int y, int w, int h, std::uint32_t colour) {
        const double cx = x + w / 2.0;
        const double cy = y + h / 2.0;
        for (int py = std::max(y, 0); py < std::min(y + h, height); ++py) {
            for (int px = std::max(x, 0); px < std::min(x + w, width); ++px) {
                const double dx = (px + 0.5 - cx) / (w / 2.0);
                const double dy = (py + 0.5 - cy) / (h / 2.0);
                if (dx * dx + dy * dy <= 1.0) {
                    pixels[static_cast<std::size_t>(py * width + px)] = colour;
                }
            }
        }
    }
    void frame(std::uint32_t colour) {
        for (int x = 0; x < width; ++x) {
            pixels[static_cast<std::size_t>(x)] = colour;
            pixels[static_cast<std::size_t>((height - 1) * width + x)] = colour;
        }
        for (int y = 0; y < height; ++y) {
            pixels[static_cast<std::size_t>(y * width)] = colour;
            pixels[static_cast<std::size_t>(y * width + width - 1)] = colour;
        }
    }
};

Image baseMap() {
    Canvas c(kMapWidth, kMapHeight, kSea);
    c.ellipse(250, -60, 420, 190, kGermanicLand);
    c.ellipse(640, 220, 220, 180, kPersianLand);
    for (const OverlaySpec& o : kOverlays) {
        c.ellipse(o.x - 180, o.y - 30, o.width, o.height, kRomanLand);
    }
    return c;
}

std::uint32_t pictureColour(int id) {
    for (const OverlaySpec& o : kOverlays) {
        if (id == o.plain) {
            return 0xFFF4F4F4;
        }
        if (id == o.yellow) {
            return 0xFFE8D040;
        }
        if (id == o.blue) {
            return 0xFFC040C0;
        }
    }
    switch (id) {
        case 168:
            return 0xFFB02020;
        case 170:
            return 0xFFD8A8A8;
        case 179:
            return 0xFF8A6A20;
        case 114:
            return 0xFF6A3AA0;
        case 183:
            return 0xFFE07020;
        case 264:
            return 0xFFE4D2A2;
        case 268:
            return 0xFFE0B030;
        default:
            return 0xFF707070;
    }
}

}  // namespace

Image decodePicture(int id) {
    const PictureSize size = pictureDrawSize(id);
    if (size.width == 0) {
        return {};
    }
    const bool shaped = size.width < 300 && size.height < 300;
    if (id == kBaseMapId) {
        return baseMap();
    }
    if (isMask(id)) {
        Canvas c(size.width, size.height, shaped ? 0xFFFFFFFF : 0xFF000000);
        c.ellipse(0, 0, size.width, size.height, 0xFF000000);
        return c;
    }
    Canvas c(size.width, size.height, 0xFF000000);
    if (id == 269) {
        c.ellipse(2, 2, 16, 16, 0xFF808080);
        c.ellipse(5, 5, 10, 10, 0xFF000000);
    } else if (shaped && id != 251 && id != 185 && id != 234) {
        c.ellipse(0, 0, size.width, size.height, pictureColour(id));
    } else {
        c = Canvas(size.width, size.height, pictureColour(id));
        c.frame(0xFFFFFFFF);
    }
    return c;
}

std::span<const unsigned char> fontData(const std::string& name) {
    static const std::vector<unsigned char> sans = [] {
        std::ifstream in("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf", std::ios::binary);
        return std::vector<unsigned char>(std::istreambuf_iterator<char>(in), {});
    }();
    if (name != "sans") {
        return {};
    }
    return sans;
}

}  // namespace tessarion::placeholder
