#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string_view>
#include <utility>
#include <vector>

namespace tessarion {

class Font;
class Mask;

// Visits the points of the straight line from (x0, y0) to (x1, y1), both
// ends included, in order (Bresenham).
template <typename Visit>
void forEachPointOfLine(long long x0, long long y0, long long x1, long long y1, Visit visit) {
    const long long dx = x1 > x0 ? x1 - x0 : x0 - x1;
    const long long dy = -(y1 > y0 ? y1 - y0 : y0 - y1);
    const int stepX = x0 < x1 ? 1 : -1;
    const int stepY = y0 < y1 ? 1 : -1;
    long long err = dx + dy;
    for (long long x = x0, y = y0;;) {
        visit(x, y);
        if (x == x1 && y == y1) {
            return;
        }
        const long long e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x += stepX;
        }
        if (e2 <= dx) {
            err += dx;
            y += stepY;
        }
    }
}

// Pixels are 0xAARRGGBB; everything the game draws is opaque.
inline constexpr std::uint32_t kBlack = 0xFF000000;
inline constexpr std::uint32_t kWhite = 0xFFFFFFFF;
inline constexpr std::uint32_t kRed = 0xFFFF0000;

// How text is drawn on a surface. A fresh surface writes black on an opaque
// white box, as a fresh drawing context does; the drawing code changes it and
// puts it back the way it found it.
struct TextStyle {
    std::uint32_t colour = kBlack;
    std::uint32_t background = kWhite;
    bool opaque = true;
};

// A surface's pixels, row after row; two are equal when every pixel is.
class PixelRows : public std::span<const std::uint32_t> {
  public:
    using std::span<const std::uint32_t>::span;
    friend bool operator==(PixelRows a, PixelRows b);
};

// A rectangle of a surface, right and bottom edges excluded.
struct Area {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool operator==(const Area&) const = default;
};

// A rectangle of 32-bit pixels with the few raster operations the game needs.
// Every operation clips to both surfaces, so any coordinates are safe.
//
// A surface has a size in layout points and a scale, the device pixels a
// point; it holds pixelWidth() x pixelHeight() pixels. Drawing takes points and
// lands on whole pixels: fills of adjacent rectangles meet without a gap, a
// line of one point is at least one pixel wide, text is rendered at the scaled
// size, and a picture of another scale is resized once (and kept) to this one.
// pixel(), setPixel() and row() work on the device pixels themselves.
//
// A surface may keep a log of where it has been drawn on, so that whoever
// keeps a copy of it can bring the copy up to date by the changed areas alone.
//
// A surface may also be a view of another's rows (the window under the menu
// bar, in the frame the platform shows): drawing on it draws on those. A copy
// of a view has pixels of its own.
class Surface {
  public:
    enum class Op { Copy, And, Or };

    Surface() = default;
    Surface(int width, int height, std::uint32_t fill = kBlack, double scale = 1.0);
    // Exactly pixelWidth x pixelHeight pixels for width x height points.
    Surface(int width, int height, double scale, int pixelWidth, int pixelHeight,
            std::uint32_t fill = kBlack);
    // Taking over pixels already made: pixelWidth x pixelHeight of them.
    Surface(int width, int height, double scale, int pixelWidth, int pixelHeight,
            std::vector<std::uint32_t>&& pixels);
    Surface(const Surface& other);
    Surface(Surface&& other) noexcept;
    Surface& operator=(const Surface& other);
    Surface& operator=(Surface&& other) noexcept;
    ~Surface() = default;

    // The pixel rows of `whole` from `topPixel` down, as a surface of width x
    // height points at whole's scale; valid while whole keeps its pixels.
    static Surface viewOf(Surface& whole, int topPixel, int height);
    // pixelWidth x pixelHeight pixels that belong to someone else (the
    // window's own, lent by the platform), as a surface of width x height
    // points; valid while the owner keeps them.
    static Surface over(std::uint32_t* pixels, int width, int height, double scale, int pixelWidth,
                        int pixelHeight);

    // In points.
    int width() const { return pointWidth_; }
    int height() const { return pointHeight_; }
    double scale() const { return scale_; }
    int pixelWidth() const { return width_; }
    int pixelHeight() const { return height_; }
    // A point coordinate's device pixel: its edge, rounded to the nearest.
    int toPixels(int points) const;
    bool empty() const { return width_ == 0 || height_ == 0; }
    std::uint32_t pixel(int x, int y) const { return data_[index(x, y)]; }
    void setPixel(int x, int y, std::uint32_t colour);
    // Writing through a row counts as drawing on all of it.
    std::uint32_t* row(int y) {
        noteDrawn(0, y, width_, y + 1);
        return rowAt(y);
    }
    const std::uint32_t* row(int y) const { return data_ + index(0, y); }
    PixelRows pixels() const {
        return {data_, static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_)};
    }

    // The w x h rectangle at (sx, sy) of src onto (dx, dy), combined by op.
    // Mirrored, the columns land right to left in the same rectangle.
    // Points of both; a source of another scale is resized to this one.
    void blit(const Surface& src, int sx, int sy, int w, int h, int dx, int dy, Op op = Op::Copy,
              bool mirrored = false);
    // A sprite in one pass: the w x h rectangle at the origin of picture and
    // mask onto (dx, dy), each pixel ANDed with the mask's grey and ORed with
    // the picture, exactly as the two copies would leave it. Resized, the
    // mask's edge turns grey and the picture is laid over by its coverage.
    void blitMasked(const Surface& picture, const Mask& mask, int w, int h, int dx, int dy,
                    bool mirrored = false);
    // Right and bottom edges excluded.
    void fillRect(int left, int top, int right, int bottom, std::uint32_t colour);
    // One pixel wide; the end point is left out, so lines chain without
    // drawing their joints twice.
    void drawLine(int x0, int y0, int x1, int y1, std::uint32_t colour);
    // The outline of the rectangle, right and bottom edges excluded.
    void drawFrame(int left, int top, int right, int bottom, std::uint32_t colour);

    TextStyle text;
    // The text's cell has its top-left corner at (x, y); in the game's own
    // font unless told otherwise.
    void drawText(int x, int y, std::string_view s);
    void drawText(int x, int y, std::string_view s, Font& font);
    // The columns, in points, the text drawn from now on must keep to: a
    // button's face, a box's field. Letters beyond them (or beyond the
    // surface, where no room is set) are reported to the text watcher.
    void setTextRoom(int left, int right) { textRoom_ = {left, right}; }
    // Letters placed in device pixels: the pen starts at penX on the baseline,
    // and tracking pixels stand between letters. The text room applies.
    void drawLetters(double penX, int baseline, std::string_view s, Font& font, double tracking);
    void clearTextRoom() { textRoom_.reset(); }

    // The whole of src at (dx, dy), resized to this scale straight into
    // place: no resized copy is made or kept (for a large picture drawn
    // seldom). Where it would not lie wholly on this surface, as blit.
    void drawResized(const Surface& src, int dx, int dy);

    // The area's device pixels of src onto the same place here, as they are
    // (the damage log is in device pixels; the surfaces are of one scale).
    void copyPixels(const Surface& src, const Area& area);

    // This surface at another scale, resized by area and kept until the
    // surface is drawn on; this one itself at its own scale.
    const Surface& atScale(double scale) const;
    // Lets go of the resized copy atScale keeps (for a picture drawn once
    // into a surface that keeps it: each copy may take megabytes at 4K).
    void forgetScaled() const { scaled_.reset(); }

    // The log of drawn areas, in device pixels: started (empty) or stopped. While it is kept,
    // every operation notes the area it drew on.
    void keepDamageLog(bool keep);
    bool keepsDamageLog() const { return logging_; }
    // The areas drawn on since the log was started or last taken, which
    // starts it afresh; nothing when it ran over (take everything as drawn)
    // or is not kept.
    std::optional<std::vector<Area>> takeDamage();
    // The same, leaving the log as it is.
    std::optional<std::vector<Area>> damage() const;

  private:
    friend class SavedPixels;
    std::uint32_t* rowAt(int y) { return data_ + index(0, y); }
    void noteDrawn(long long left, long long top, long long right, long long bottom);
    // The operations in device pixels.
    void blitPixels(const Surface& src, int sx, int sy, int w, int h, int dx, int dy, Op op,
                    bool mirrored);
    void fillPixels(int left, int top, int right, int bottom, std::uint32_t colour);
    void blitMaskedScaled(const Surface& picture, const Mask& mask, int w, int h, int dx, int dy,
                          bool mirrored);
    void drawTextScaled(int x, int y, std::string_view s, Font& font);
    // The letters with the pen at penX on the baseline, in device pixels; y
    // is the cell's top.
    void drawGlyphs(double penX, int baseline, int y, std::string_view s, Font& font,
                    double tracking = 0);
    // A point span [lo, hi) in device pixels, at least one pixel when not empty.
    void pixelSpan(long long lo, long long hi, long long& from, long long& to) const;

    std::size_t index(int x, int y) const {
        return static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
               static_cast<std::size_t>(x);
    }

    int width_ = 0;  // device pixels
    int height_ = 0;
    int pointWidth_ = 0;
    int pointHeight_ = 0;
    double scale_ = 1.0;
    // The pixels, the surface's own or (a view) another's.
    std::vector<std::uint32_t> pixels_;
    std::uint32_t* data_ = nullptr;
    // The last resized copy atScale made, shared by copies of this surface
    // until either is drawn on.
    mutable std::shared_ptr<const Surface> scaled_;
    std::optional<std::pair<int, int>> textRoom_;
    bool logging_ = false;
    bool logOverflowed_ = false;
    std::vector<Area> drawn_;
};

// Told of every text whose letters run out of their room (see setTextRoom),
// with the device pixels they overrun it by: the check that every language's
// texts fit their boxes. Nobody is told when no watcher is set.
using TextOverflowWatcher = std::function<void(std::string_view text, int overrun)>;
void watchTextOverflow(TextOverflowWatcher watcher);

// The text room of a surface for as long as this lives.
class TextRoom {
  public:
    TextRoom(Surface& s, int left, int right) : surface_(s) { s.setTextRoom(left, right); }
    ~TextRoom() { surface_.clearTextRoom(); }
    TextRoom(const TextRoom&) = delete;
    TextRoom& operator=(const TextRoom&) = delete;

  private:
    Surface& surface_;
};

// The device pixels under some rectangles of a surface, kept to be put back
// there later: what lies under a box or a figure.
class SavedPixels {
  public:
    // The pixels under each rectangle of points, rounded outward with one
    // more pixel each side for the drawing's own rounding; kept afresh, in
    // the same memory when it is large enough.
    void keep(const Surface& s, std::span<const Area> points);
    // Onto the surface they were kept from; nothing on one of another size.
    void putBack(Surface& s) const;
    // The kept areas, in device pixels.
    const std::vector<Area>& areas() const { return areas_; }

  private:
    std::vector<Area> areas_;
    std::vector<std::uint32_t> pixels_;
    int width_ = 0;
    int height_ = 0;
};

// A sprite's transparency mask at one byte a pixel, the grey of the picture
// it was cut from: 255 (white) where the sprite is transparent, 0 where its
// picture shows. The game's masks are black and white, so nothing is lost
// against the 32-bit picture, at a quarter of its size.
class Mask {
  public:
    Mask() = default;
    Mask(int width, int height, std::uint8_t fill = 0);
    // The grey of a 32-bit mask picture (its low byte).
    explicit Mask(const Surface& picture);

    int width() const { return width_; }
    int height() const { return height_; }
    bool empty() const { return width_ == 0 || height_ == 0; }
    std::uint8_t at(int x, int y) const {
        return bits_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
                     static_cast<std::size_t>(x)];
    }
    const std::uint8_t* row(int y) const {
        return bits_.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width_);
    }
    std::uint8_t* row(int y) {
        scaled_.reset();
        return bits_.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width_);
    }
    // The mask resized by area to w x h (kept until it changes).
    const Mask& resized(int w, int h) const;
    void forgetResized() const { scaled_.reset(); }

  private:
    int width_ = 0;
    int height_ = 0;
    std::vector<std::uint8_t> bits_;
    mutable std::shared_ptr<const Mask> scaled_;
};

}  // namespace tessarion
