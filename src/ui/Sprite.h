#pragma once

#include "ui/Graphic.h"

namespace tessarion {

// A picture with a transparency mask: the picture is black where it is
// transparent, the mask white there and black where the picture shows.
class Sprite : public Graphic {
  public:
    Sprite(int pictureId, int maskPictureId, int drawWidth, int drawHeight)
        : Graphic(pictureId, drawWidth, drawHeight), maskId(maskPictureId) {}
    explicit Sprite(const PictureEntry& picture)
        : Sprite(picture.id, picture.mask, picture.width, picture.height) {}

    void load(const PictureProvider& provider, int pixelsPerPoint = 1) override;
    // Mask ANDed in, then picture ORed in, over the draw rectangle at (x, y);
    // mirrored left to right in the same rectangle when asked.
    void drawTransparent(Surface& target, int x, int y, bool mirrored = false) const;

    int maskId;
    Mask mask;

  protected:
    bool complete() const override;
    void reduceTo(double scale) override;
};

}  // namespace tessarion
