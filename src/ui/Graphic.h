#pragma once

#include <functional>

#include "ui/PictureEntry.h"
#include "ui/PictureStore.h"
#include "ui/Surface.h"

namespace tessarion {

// Decodes a picture by resource id; an empty image for an unknown one.
using PictureProvider = std::function<store::Image(int id)>;

// A picture made ready to draw opaque, with the words that belong to it
// lettered over it (PaintedWords.h). The draw size belongs to the picture's
// description: a bitmap larger than it is cut, a smaller one draws what it has.
class Graphic {
  public:
    Graphic(int pictureId, int drawWidth, int drawHeight)
        : id(pictureId), width(drawWidth), height(drawHeight) {}
    explicit Graphic(const PictureEntry& picture)
        : Graphic(picture.id, picture.width, picture.height) {}
    virtual ~Graphic() = default;

    // The provider's bitmap drawn at pixelsPerPoint times the draw size (the
    // build draws some pictures at twice their size for larger screens).
    virtual void load(const PictureProvider& provider, int pixelsPerPoint = 1);
    virtual void draw(Surface& target, int x, int y) const;

    int id;
    int width;
    int height;
    Surface surface;

  protected:
    Surface decode(const PictureProvider& provider, int pictureId, int pixelsPerPoint = 1) const;
};

}  // namespace tessarion
