#pragma once

#include <functional>

#include "ui/PictureEntry.h"
#include "ui/PictureStore.h"
#include "ui/Surface.h"

namespace tessarion {

// Decodes a picture by resource id; an empty image for an unknown one.
using PictureProvider = std::function<store::Image(int id)>;

// Where the pictures of a screen of one scale come from: the bitmaps at the
// layout's size and, for a screen drawn larger than the layout, those the build
// drew at store::kLargePictureScale times it.
struct PictureSource {
    PictureProvider pictures;
    PictureProvider large;  // none: every picture from its own size
    double scale = 1.0;     // the screen's pixels a point
};

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
    // build draws the pictures again at store::kLargePictureScale times their
    // size for larger screens).
    virtual void load(const PictureProvider& provider, int pixelsPerPoint = 1);
    // The picture for the source's scale. Above 1 the large bitmap is reduced
    // to it by area once and let go, so only what is drawn is kept; no screen
    // is drawn larger than the large bitmaps, so none is ever enlarged. At 1
    // and below, and for a picture with no large bitmap, the provider's own as
    // load() gives it.
    void loadFor(const PictureSource& source);
    // The loaded picture made of the scale, its pixels of another scale let go
    // (a picture loaded large and worked on there, then kept at the screen's).
    void rescale(double scale) { reduceTo(scale); }
    virtual void draw(Surface& target, int x, int y) const;

    int id;
    int width;
    int height;
    Surface surface;

  protected:
    Surface decode(const PictureProvider& provider, int pictureId, int pixelsPerPoint = 1) const;
    // Whether load() found everything the picture needs.
    virtual bool complete() const { return !surface.empty(); }
    // The loaded picture made of the scale, its pixels of another scale let go.
    virtual void reduceTo(double scale);
};

}  // namespace tessarion
