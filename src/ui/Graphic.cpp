#include "ui/Graphic.h"

#include <algorithm>
#include <utility>

#include "ui/PaintedWords.h"
#include "ui/Resample.h"

namespace tessarion {

Surface Graphic::decode(const PictureProvider& provider, int pictureId, int pixelsPerPoint) const {
    store::Image image = provider(pictureId);
    const int w = std::min(image.width, width * pixelsPerPoint);
    const int h = std::min(image.height, height * pixelsPerPoint);
    if (w <= 0 || h <= 0 ||
        image.pixels.size() <
            static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height)) {
        return {};
    }
    // Drawing is all opaque: alpha is set so that AND and OR leave it so.
    if (w == image.width && h == image.height && w % pixelsPerPoint == 0 &&
        h % pixelsPerPoint == 0) {
        // The decoded pixels themselves, no copy: a large picture is megabytes.
        std::vector<std::uint32_t> pixels = std::move(image.pixels);
        pixels.resize(static_cast<std::size_t>(w) * static_cast<std::size_t>(h));
        for (std::uint32_t& p : pixels) {
            p |= 0xFF000000;
        }
        return Surface(w / pixelsPerPoint, h / pixelsPerPoint, pixelsPerPoint, w, h,
                       std::move(pixels));
    }
    // A bitmap short of whole points leaves the last one's missing pixels black.
    Surface s((w + pixelsPerPoint - 1) / pixelsPerPoint, (h + pixelsPerPoint - 1) / pixelsPerPoint,
              kBlack, pixelsPerPoint);
    for (int y = 0; y < h; ++y) {
        const std::uint32_t* in = image.pixels.data() + static_cast<std::size_t>(y) *
                                                            static_cast<std::size_t>(image.width);
        std::uint32_t* out = s.row(y);
        // Drawing is all opaque: alpha is set so that AND and OR leave it so.
        for (int x = 0; x < w; ++x) {
            out[x] = in[x] | 0xFF000000;
        }
    }
    return s;
}

void Graphic::load(const PictureProvider& provider, int pixelsPerPoint) {
    surface = decode(provider, id, pixelsPerPoint);
}

void Graphic::loadFor(const PictureSource& source) {
    if (source.scale > 1.0 && source.large) {
        load(source.large, store::kLargePictureScale);
        if (complete()) {
            reduceTo(source.scale);
            return;
        }
    }
    load(source.pictures);
}

void Graphic::reduceTo(double scale) {
    if (surface.scale() == scale || surface.empty()) {
        return;
    }
    // Straight into the new pixels: no copy is kept with the large ones.
    Surface reduced(surface.width(), surface.height(), kBlack, scale);
    resampleInto(std::as_const(surface).row(0), surface.pixelWidth(), surface.pixelHeight(),
                 reduced.row(0), static_cast<std::size_t>(reduced.pixelWidth()),
                 reduced.pixelWidth(), reduced.pixelHeight());
    surface = std::move(reduced);
}

void Graphic::draw(Surface& target, int x, int y) const {
    // A picture as large as a box's (a lesson's, the splash) that is not at
    // the screen's scale (below 1, where the pictures are the layout's own)
    // is resized into place each time it is drawn rather than kept resized:
    // the box is shown now and then.
    constexpr int kResizedEachTime = 400 * 300;
    if (surface.width() * surface.height() >= kResizedEachTime) {
        target.drawResized(surface, x, y);
    } else {
        target.blit(surface, 0, 0, surface.width(), surface.height(), x, y);
    }
    // The picture's words, in the window's language and at its pixels.
    painted::letter(target, id, x, y);
}

}  // namespace tessarion
