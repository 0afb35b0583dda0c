#include "ui/Sprite.h"

#include <algorithm>

namespace tessarion {

void Sprite::load(const PictureProvider& provider) {
    Graphic::load(provider);
    mask = decode(provider, maskId);
    // Art whose transparent parts are not quite black would tint whatever lies
    // under the sprite; blacken them once here rather than trust every file.
    if (mask.width() == surface.width() && mask.height() == surface.height()) {
        for (int y = 0; y < surface.height(); ++y) {
            std::uint32_t* pic = surface.row(y);
            const std::uint32_t* m = mask.row(y);
            for (int x = 0; x < surface.width(); ++x) {
                pic[x] &= m[x] == kWhite ? kBlack : 0xFFFFFFFF;
            }
        }
    }
}

void Sprite::drawTransparent(Surface& target, int x, int y, bool mirrored) const {
    // Both were cut to the draw size at loading; a bitmap short of it draws
    // what it has, and mirroring keeps to that same rectangle.
    const int w = std::min(surface.width(), mask.width());
    const int h = std::min(surface.height(), mask.height());
    target.blit(mask, 0, 0, w, h, x, y, Surface::Op::And, mirrored);
    target.blit(surface, 0, 0, w, h, x, y, Surface::Op::Or, mirrored);
}

}  // namespace tessarion
