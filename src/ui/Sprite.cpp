#include "ui/Sprite.h"

#include <algorithm>
#include <utility>

namespace tessarion {

void Sprite::load(const PictureProvider& provider, int pixelsPerPoint) {
    Graphic::load(provider, pixelsPerPoint);
    mask = Mask(decode(provider, maskId, pixelsPerPoint));
    // Art whose transparent parts are not quite black would tint whatever lies
    // under the sprite; blacken them once here rather than trust every file.
    if (mask.width() == surface.pixelWidth() && mask.height() == surface.pixelHeight()) {
        for (int y = 0; y < surface.pixelHeight(); ++y) {
            std::uint32_t* pic = surface.row(y);
            const std::uint8_t* m = mask.row(y);
            for (int x = 0; x < surface.pixelWidth(); ++x) {
                pic[x] &= m[x] == 0xFF ? kBlack : 0xFFFFFFFF;
            }
        }
    }
}

bool Sprite::complete() const {
    return !surface.empty() && mask.width() == surface.pixelWidth() &&
           mask.height() == surface.pixelHeight();
}

void Sprite::reduceTo(double scale) {
    // The picture is black where the mask is white, so the two reduced alike
    // still add up: an edge pixel shows the ground by the mask's grey and the
    // picture's colour by its coverage.
    Graphic::reduceTo(scale);
    if (mask.width() != surface.pixelWidth() || mask.height() != surface.pixelHeight()) {
        Mask reduced = mask.resized(surface.pixelWidth(), surface.pixelHeight());
        mask = std::move(reduced);
    }
}

void Sprite::drawTransparent(Surface& target, int x, int y, bool mirrored) const {
    // Both were cut to the draw size at loading; a bitmap short of it draws
    // what it has, and mirroring keeps to that same rectangle.
    target.blitMasked(surface, mask, surface.width(), surface.height(), x, y, mirrored);
}

}  // namespace tessarion
