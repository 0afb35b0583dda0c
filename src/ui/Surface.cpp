#include "ui/Surface.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <utility>

#include "ui/Font.h"
#include "ui/Resample.h"

namespace tessarion {

namespace {

// [lo, hi) of the offsets i in [0, n) for which start + i lies in [0, limit).
// 64-bit so that absurd coordinates clip instead of overflowing.
void clipSpan(long long start, long long limit, long long& lo, long long& hi) {
    lo = std::max(lo, -start);
    hi = std::min(hi, limit - start);
}

std::uint32_t blend(std::uint32_t dst, std::uint32_t colour, unsigned coverage) {
    if (coverage >= 255) {
        return colour;
    }
    // Red and blue side by side in one product, green in another; coverage
    // scaled to 0..256 so that the division is a shift.
    const std::uint32_t a = coverage + (coverage >> 7);
    const std::uint32_t b = 256 - a;
    const std::uint32_t rb = (((colour & 0xFF00FF) * a + (dst & 0xFF00FF) * b) >> 8) & 0xFF00FF;
    const std::uint32_t g = (((colour & 0xFF00) * a + (dst & 0xFF00) * b) >> 8) & 0xFF00;
    return 0xFF000000 | rb | g;
}

std::uint32_t addClamped(std::uint32_t a, std::uint32_t b) {
    std::uint32_t out = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        const std::uint32_t sum = ((a >> shift) & 0xFF) + ((b >> shift) & 0xFF);
        out |= std::min<std::uint32_t>(sum, 255) << shift;
    }
    return out;
}

}  // namespace

Surface::Surface(int width, int height, std::uint32_t fill, double scale)
    : width_(static_cast<int>(std::lround(std::max(width, 0) * scale))),
      height_(static_cast<int>(std::lround(std::max(height, 0) * scale))),
      pointWidth_(std::max(width, 0)),
      pointHeight_(std::max(height, 0)),
      scale_(scale),
      pixels_(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), fill),
      data_(pixels_.data()) {}

Surface::Surface(int width, int height, double scale, int pixelWidth, int pixelHeight,
                 std::uint32_t fill)
    : width_(std::max(pixelWidth, 0)),
      height_(std::max(pixelHeight, 0)),
      pointWidth_(std::max(width, 0)),
      pointHeight_(std::max(height, 0)),
      scale_(scale),
      pixels_(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), fill),
      data_(pixels_.data()) {}

Surface::Surface(int width, int height, double scale, int pixelWidth, int pixelHeight,
                 std::vector<std::uint32_t>&& pixels)
    : Surface(width, height, scale, 0, 0) {
    if (pixels.size() == static_cast<std::size_t>(std::max(pixelWidth, 0)) *
                             static_cast<std::size_t>(std::max(pixelHeight, 0))) {
        width_ = std::max(pixelWidth, 0);
        height_ = std::max(pixelHeight, 0);
        pixels_ = std::move(pixels);
        data_ = pixels_.data();
    }
}

Surface::Surface(const Surface& other)
    : width_(other.width_),
      height_(other.height_),
      pointWidth_(other.pointWidth_),
      pointHeight_(other.pointHeight_),
      scale_(other.scale_),
      pixels_(other.pixels().begin(), other.pixels().end()),
      data_(pixels_.data()),
      scaled_(other.scaled_),
      logging_(other.logging_),
      logOverflowed_(other.logOverflowed_),
      drawn_(other.drawn_) {}

Surface::Surface(Surface&& other) noexcept
    : width_(std::exchange(other.width_, 0)),
      height_(std::exchange(other.height_, 0)),
      pointWidth_(std::exchange(other.pointWidth_, 0)),
      pointHeight_(std::exchange(other.pointHeight_, 0)),
      scale_(other.scale_),
      pixels_(std::move(other.pixels_)),
      data_(std::exchange(other.data_, nullptr)),
      scaled_(std::move(other.scaled_)),
      logging_(other.logging_),
      logOverflowed_(other.logOverflowed_),
      drawn_(std::move(other.drawn_)) {
    other.pixels_.clear();
}

Surface& Surface::operator=(const Surface& other) {
    if (this != &other) {
        *this = Surface(other);
    }
    return *this;
}

Surface& Surface::operator=(Surface&& other) noexcept {
    if (this != &other) {
        width_ = std::exchange(other.width_, 0);
        height_ = std::exchange(other.height_, 0);
        pointWidth_ = std::exchange(other.pointWidth_, 0);
        pointHeight_ = std::exchange(other.pointHeight_, 0);
        scale_ = other.scale_;
        pixels_ = std::move(other.pixels_);
        other.pixels_.clear();
        data_ = std::exchange(other.data_, nullptr);
        scaled_ = std::move(other.scaled_);
        logging_ = other.logging_;
        logOverflowed_ = other.logOverflowed_;
        drawn_ = std::move(other.drawn_);
    }
    return *this;
}

Surface Surface::viewOf(Surface& whole, int topPixel, int height) {
    Surface view;
    const int top = std::clamp(topPixel, 0, whole.height_);
    view.width_ = whole.width_;
    view.height_ = whole.height_ - top;
    view.pointWidth_ = whole.pointWidth_;
    view.pointHeight_ = std::max(height, 0);
    view.scale_ = whole.scale_;
    view.data_ =
        whole.data_ + static_cast<std::size_t>(top) * static_cast<std::size_t>(whole.width_);
    return view;
}

Surface Surface::over(std::uint32_t* pixels, int width, int height, double scale, int pixelWidth,
                      int pixelHeight) {
    Surface view(width, height, scale, 0, 0);
    if (pixels != nullptr) {
        view.width_ = std::max(pixelWidth, 0);
        view.height_ = std::max(pixelHeight, 0);
        view.data_ = pixels;
    }
    return view;
}

bool operator==(PixelRows a, PixelRows b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end());
}

namespace {

TextOverflowWatcher& overflowWatcher() {
    static TextOverflowWatcher watcher;
    return watcher;
}

}  // namespace

void watchTextOverflow(TextOverflowWatcher watcher) {
    overflowWatcher() = std::move(watcher);
}

int Surface::toPixels(int points) const {
    return scale_ == 1.0 ? points : static_cast<int>(std::lround(points * scale_));
}

void Surface::pixelSpan(long long lo, long long hi, long long& from, long long& to) const {
    from = std::llround(static_cast<double>(lo) * scale_);
    to = std::llround(static_cast<double>(hi) * scale_);
    if (hi > lo && to <= from) {
        to = from + 1;
    }
}

const Surface& Surface::atScale(double scale) const {
    if (scale == scale_) {
        return *this;
    }
    if (!scaled_ || scaled_->scale_ != scale) {
        // Made straight from the resampled pixels, the old one let go first:
        // no second picture's worth of memory for a moment.
        scaled_.reset();
        auto copy = std::make_shared<Surface>();
        copy->pointWidth_ = pointWidth_;
        copy->pointHeight_ = pointHeight_;
        copy->scale_ = scale;
        copy->width_ = static_cast<int>(std::lround(pointWidth_ * scale));
        copy->height_ = static_cast<int>(std::lround(pointHeight_ * scale));
        copy->pixels_ = resample(data_, width_, height_, copy->width_, copy->height_);
        copy->data_ = copy->pixels_.data();
        scaled_ = std::move(copy);
    }
    return *scaled_;
}

void Surface::copyPixels(const Surface& src, const Area& a) {
    blitPixels(src, a.left, a.top, a.right - a.left, a.bottom - a.top, a.left, a.top, Op::Copy,
               false);
}

void Surface::setPixel(int x, int y, std::uint32_t colour) {
    if (x >= 0 && y >= 0 && x < width_ && y < height_) {
        data_[index(x, y)] = colour;
        noteDrawn(x, y, x + 1, y + 1);
    }
}

void Surface::keepDamageLog(bool keep) {
    logging_ = keep;
    logOverflowed_ = false;
    drawn_.clear();
}

std::optional<std::vector<Area>> Surface::damage() const {
    if (!logging_ || logOverflowed_) {
        return std::nullopt;
    }
    return drawn_;
}

std::optional<std::vector<Area>> Surface::takeDamage() {
    std::optional<std::vector<Area>> taken;
    if (logging_ && !logOverflowed_) {
        taken = std::move(drawn_);
    }
    logOverflowed_ = false;
    drawn_.clear();
    return taken;
}

void Surface::noteDrawn(long long left, long long top, long long right, long long bottom) {
    scaled_.reset();
    if (!logging_ || logOverflowed_) {
        return;
    }
    const Area a{static_cast<int>(std::max<long long>(left, 0)),
                 static_cast<int>(std::max<long long>(top, 0)),
                 static_cast<int>(std::min<long long>(right, width_)),
                 static_cast<int>(std::min<long long>(bottom, height_))};
    if (a.left >= a.right || a.top >= a.bottom) {
        return;
    }
    const auto area = [](const Area& r) {
        return static_cast<long long>(r.right - r.left) * (r.bottom - r.top);
    };
    if (!drawn_.empty()) {
        // Runs of small drawings (a line's brush, a text's letters) join the
        // area before them while that wastes little.
        Area& last = drawn_.back();
        const Area both{std::min(last.left, a.left), std::min(last.top, a.top),
                        std::max(last.right, a.right), std::max(last.bottom, a.bottom)};
        if (area(both) <= (area(last) + area(a)) * 3 / 2 + 64) {
            last = both;
            return;
        }
    }
    // Beyond this many the areas cost more to follow than the whole surface.
    constexpr std::size_t kMostAreas = 1024;
    if (drawn_.size() >= kMostAreas) {
        logOverflowed_ = true;
        drawn_.clear();
        return;
    }
    drawn_.push_back(a);
}

void Surface::blit(const Surface& src, int sx, int sy, int w, int h, int dx, int dy, Op op,
                   bool mirrored) {
    if (scale_ == 1.0 && src.scale_ == 1.0) {
        blitPixels(src, sx, sy, w, h, dx, dy, op, mirrored);
        return;
    }
    const Surface& from = src.atScale(scale_);
    long long x0 = 0;
    long long x1 = 0;
    long long y0 = 0;
    long long y1 = 0;
    pixelSpan(dx, static_cast<long long>(dx) + w, x0, x1);
    pixelSpan(dy, static_cast<long long>(dy) + h, y0, y1);
    blitPixels(from, toPixels(sx), toPixels(sy), static_cast<int>(x1 - x0),
               static_cast<int>(y1 - y0), static_cast<int>(x0), static_cast<int>(y0), op, mirrored);
}

void Surface::drawResized(const Surface& src, int dx, int dy) {
    long long x0 = 0;
    long long x1 = 0;
    long long y0 = 0;
    long long y1 = 0;
    pixelSpan(dx, static_cast<long long>(dx) + src.pointWidth_, x0, x1);
    pixelSpan(dy, static_cast<long long>(dy) + src.pointHeight_, y0, y1);
    if (src.scale_ == scale_ || x0 < 0 || y0 < 0 || x1 > width_ || y1 > height_) {
        blit(src, 0, 0, src.pointWidth_, src.pointHeight_, dx, dy);
        return;
    }
    noteDrawn(x0, y0, x1, y1);
    resampleInto(src.data_, src.width_, src.height_, rowAt(static_cast<int>(y0)) + x0,
                 static_cast<std::size_t>(width_), static_cast<int>(x1 - x0),
                 static_cast<int>(y1 - y0));
}

void Surface::blitPixels(const Surface& src, int sx, int sy, int w, int h, int dx, int dy, Op op,
                         bool mirrored) {
    long long c0 = 0;
    long long c1 = w;
    clipSpan(dx, width_, c0, c1);
    if (mirrored) {
        // Column i shows source column sx + w - 1 - i.
        const long long last = static_cast<long long>(sx) + w - 1;
        c0 = std::max(c0, last - (src.width_ - 1));
        c1 = std::min(c1, last + 1);
    } else {
        clipSpan(sx, src.width_, c0, c1);
    }
    long long r0 = 0;
    long long r1 = h;
    clipSpan(dy, height_, r0, r1);
    clipSpan(sy, src.height_, r0, r1);
    if (c0 >= c1 || r0 >= r1) {
        return;
    }
    const auto count = static_cast<std::size_t>(c1 - c0);
    noteDrawn(dx + c0, dy + r0, dx + c1, dy + r1);
    for (long long r = r0; r < r1; ++r) {
        std::uint32_t* out = rowAt(static_cast<int>(dy + r)) + (dx + c0);
        const std::uint32_t* in = src.row(static_cast<int>(sy + r));
        if (mirrored) {
            // Walk the source backwards from the column that lands first.
            const std::uint32_t* from = in + (sx + w - 1 - c0);
            for (std::size_t i = 0; i < count; ++i) {
                const std::uint32_t p = *(from - i);
                out[i] = op == Op::Copy ? p : op == Op::And ? (out[i] & p) : (out[i] | p);
            }
            continue;
        }
        // Plain loops, one per operation, so that the compiler can widen them.
        const std::uint32_t* from = in + (sx + c0);
        switch (op) {
            case Op::Copy:
                std::memmove(out, from, count * sizeof(std::uint32_t));
                break;
            case Op::And:
                for (std::size_t i = 0; i < count; ++i) {
                    out[i] &= from[i];
                }
                break;
            case Op::Or:
                for (std::size_t i = 0; i < count; ++i) {
                    out[i] |= from[i];
                }
                break;
        }
    }
}

void Surface::blitMasked(const Surface& picture, const Mask& mask, int w, int h, int dx, int dy,
                         bool mirrored) {
    if (scale_ != 1.0 || picture.scale_ != 1.0) {
        blitMaskedScaled(picture, mask, w, h, dx, dy, mirrored);
        return;
    }
    w = std::min({w, picture.width_, mask.width()});
    h = std::min({h, picture.height_, mask.height()});
    long long c0 = 0;
    long long c1 = w;
    clipSpan(dx, width_, c0, c1);
    long long r0 = 0;
    long long r1 = h;
    clipSpan(dy, height_, r0, r1);
    if (c0 >= c1 || r0 >= r1) {
        return;
    }
    noteDrawn(dx + c0, dy + r0, dx + c1, dy + r1);
    for (long long r = r0; r < r1; ++r) {
        std::uint32_t* out = rowAt(static_cast<int>(dy + r));
        const std::uint32_t* pic = picture.row(static_cast<int>(r));
        const std::uint8_t* m = mask.row(static_cast<int>(r));
        for (long long c = c0; c < c1; ++c) {
            // Mirrored, column c shows source column w - 1 - c.
            const long long from = mirrored ? w - 1 - c : c;
            const std::uint32_t grey = m[from];
            std::uint32_t& o = out[dx + c];
            o = (o & (0xFF000000u | grey * 0x010101u)) | pic[from];
        }
    }
}

void Surface::fillRect(int left, int top, int right, int bottom, std::uint32_t colour) {
    if (scale_ == 1.0) {
        fillPixels(left, top, right, bottom, colour);
        return;
    }
    long long x0 = 0;
    long long x1 = 0;
    long long y0 = 0;
    long long y1 = 0;
    pixelSpan(left, right, x0, x1);
    pixelSpan(top, bottom, y0, y1);
    const auto clamp = [](long long v, int limit) {
        return static_cast<int>(std::clamp<long long>(v, -1, limit + 1));
    };
    fillPixels(clamp(x0, width_), clamp(y0, height_), clamp(x1, width_), clamp(y1, height_),
               colour);
}

void Surface::fillPixels(int left, int top, int right, int bottom, std::uint32_t colour) {
    const int x0 = std::max(left, 0);
    const int x1 = std::min(right, width_);
    const int y0 = std::max(top, 0);
    const int y1 = std::min(bottom, height_);
    noteDrawn(x0, y0, x1, y1);
    for (int y = y0; y < y1; ++y) {
        std::fill(rowAt(y) + x0, rowAt(y) + std::max(x0, x1), colour);
    }
}

void Surface::drawLine(int x0, int y0, int x1, int y1, std::uint32_t colour) {
    if (y0 == y1 || x0 == x1) {
        // Pulling far ends in to just outside the surface keeps the arithmetic
        // below from overflowing and draws the same pixels.
        x0 = std::clamp(x0, -1, pointWidth_);
        x1 = std::clamp(x1, -1, pointWidth_);
        y0 = std::clamp(y0, -1, pointHeight_);
        y1 = std::clamp(y1, -1, pointHeight_);
    }
    if (y0 == y1) {
        fillRect(std::min(x0, x1 + 1), y0, std::max(x0 + 1, x1), y0 + 1, colour);
        return;
    }
    if (x0 == x1) {
        fillRect(x0, std::min(y0, y1 + 1), x0 + 1, std::max(y0 + 1, y1), colour);
        return;
    }
    // Bresenham for the slanted lines nothing in the game draws yet; the last
    // point is left out, as for the straight ones.
    x0 = toPixels(x0);
    y0 = toPixels(y0);
    x1 = toPixels(x1);
    y1 = toPixels(y1);
    noteDrawn(std::min(x0, x1), std::min(y0, y1), std::max(x0, x1) + 1, std::max(y0, y1) + 1);
    forEachPointOfLine(x0, y0, x1, y1, [&](long long x, long long y) {
        if ((x != x1 || y != y1) && x >= 0 && y >= 0 && x < width_ && y < height_) {
            data_[index(static_cast<int>(x), static_cast<int>(y))] = colour;
        }
    });
}

void Surface::drawFrame(int left, int top, int right, int bottom, std::uint32_t colour) {
    if (right <= left || bottom <= top) {
        return;
    }
    fillRect(left, top, right, top + 1, colour);
    fillRect(left, bottom - 1, right, bottom, colour);
    fillRect(left, top, left + 1, bottom, colour);
    fillRect(right - 1, top, right, bottom, colour);
}

void Surface::drawText(int x, int y, std::string_view s) {
    drawText(x, y, s, defaultFont());
}

void Surface::drawText(int x, int y, std::string_view s, Font& font) {
    if (scale_ != 1.0) {
        drawTextScaled(x, y, s, font);
        return;
    }
    if (text.opaque) {
        fillRect(x, y, x + font.width(s), y + font.height(), text.background);
    }
    drawGlyphs(x, y + font.ascent(), y, s, font);
}

void Surface::drawTextScaled(int x, int y, std::string_view s, Font& font) {
    Font& scaled = font.at(scale_);
    long long x0 = 0;
    long long x1 = 0;
    long long y0 = 0;
    long long y1 = 0;
    pixelSpan(x, static_cast<long long>(x) + font.width(s), x0, x1);
    pixelSpan(y, static_cast<long long>(y) + font.height(), y0, y1);
    // A text held to the least legible size may outgrow its cell: it keeps
    // the cell's left edge and middle.
    const long long top = y0 + (y1 - y0 - scaled.height()) / 2;
    if (text.opaque) {
        fillPixels(static_cast<int>(x0), static_cast<int>(std::min(y0, top)),
                   static_cast<int>(std::max(x1, x0 + scaled.width(s))),
                   static_cast<int>(std::max(y1, top + scaled.height())), text.background);
    }
    drawGlyphs(static_cast<int>(x0), static_cast<int>(top) + scaled.ascent(), static_cast<int>(top),
               s, scaled);
}

void Surface::drawLetters(double penX, int baseline, std::string_view s, Font& font,
                          double tracking) {
    drawGlyphs(penX, baseline, baseline - font.ascent(), s, font, tracking);
}

void Surface::drawGlyphs(double pen, int baseline, int y, std::string_view s, Font& font,
                         double tracking) {
    // Where the letters' ink reaches, for the log.
    const long long penStart = std::lround(pen);
    long long inkLeft = penStart;
    long long inkTop = y;
    long long inkRight = penStart;
    long long inkBottom = y;
    int penX = static_cast<int>(penStart);
    for (std::size_t at = 0; at < s.size();) {
        if (at > 0) {
            pen += tracking;
        }
        penX = static_cast<int>(std::lround(pen));
        const Glyph& g = font.glyph(nextCharacter(s, at));
        if (g.width > 0 && g.height > 0) {
            inkLeft = std::min<long long>(inkLeft, penX + g.left);
            inkRight = std::max<long long>(inkRight, penX + g.left + g.width);
            inkTop = std::min<long long>(inkTop, baseline - g.top);
            inkBottom = std::max<long long>(inkBottom, baseline - g.top + g.height);
        }
        for (int gy = 0; gy < g.height; ++gy) {
            const int ty = baseline - g.top + gy;
            if (ty < 0 || ty >= height_) {
                continue;
            }
            std::uint32_t* out = rowAt(ty);
            const unsigned char* cov = g.coverage.data() + static_cast<std::size_t>(gy * g.width);
            for (int gx = 0; gx < g.width; ++gx) {
                const int tx = penX + g.left + gx;
                if (cov[gx] != 0 && tx >= 0 && tx < width_) {
                    out[tx] = blend(out[tx], text.colour, cov[gx]);
                }
            }
        }
        pen += g.advance;
        penX = static_cast<int>(std::lround(pen));
    }
    noteDrawn(inkLeft, inkTop, inkRight, inkBottom);
    const TextOverflowWatcher& watcher = overflowWatcher();
    if (watcher && penX > penStart) {
        // By the letters' advances: a hair of a letter's overhang is no overrun.
        const long long left = textRoom_ ? toPixels(textRoom_->first) : 0;
        const long long right = textRoom_ ? toPixels(textRoom_->second) : width_;
        const long long overrun = std::max(left - penStart, penX - right);
        if (overrun > 0) {
            watcher(s, static_cast<int>(overrun));
        }
    }
}

void Surface::blitMaskedScaled(const Surface& picture, const Mask& mask, int w, int h, int dx,
                               int dy, bool mirrored) {
    // The mask belongs to the picture's pixels; both are resized to this scale.
    const Surface& pic = picture.atScale(scale_);
    const Mask& cover =
        mask.width() == picture.pixelWidth() && mask.height() == picture.pixelHeight()
            ? mask.resized(pic.pixelWidth(), pic.pixelHeight())
            : mask;
    long long x0 = 0;
    long long x1 = 0;
    long long y0 = 0;
    long long y1 = 0;
    pixelSpan(dx, static_cast<long long>(dx) + std::min(w, picture.width()), x0, x1);
    pixelSpan(dy, static_cast<long long>(dy) + std::min(h, picture.height()), y0, y1);
    const int pw = std::min({static_cast<int>(x1 - x0), pic.width_, cover.width()});
    const int ph = std::min({static_cast<int>(y1 - y0), pic.height_, cover.height()});
    long long c0 = 0;
    long long c1 = pw;
    clipSpan(x0, width_, c0, c1);
    long long r0 = 0;
    long long r1 = ph;
    clipSpan(y0, height_, r0, r1);
    if (c0 >= c1 || r0 >= r1) {
        return;
    }
    noteDrawn(x0 + c0, y0 + r0, x0 + c1, y0 + r1);
    for (long long r = r0; r < r1; ++r) {
        std::uint32_t* out = rowAt(static_cast<int>(y0 + r));
        const std::uint32_t* in = pic.row(static_cast<int>(r));
        const std::uint8_t* m = cover.row(static_cast<int>(r));
        for (long long c = c0; c < c1; ++c) {
            const long long from = mirrored ? pw - 1 - c : c;
            std::uint32_t& o = out[x0 + c];
            // The picture is black where the sprite is clear, so what lies
            // under shows through by the mask's grey and the picture adds to it.
            const std::uint32_t keep = blend(0xFF000000u, o, m[from]);
            o = 0xFF000000u | addClamped(keep, in[from]);
        }
    }
}

Mask::Mask(int width, int height, std::uint8_t fill)
    : width_(std::max(width, 0)),
      height_(std::max(height, 0)),
      bits_(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), fill) {}

Mask::Mask(const Surface& picture) : Mask(picture.pixelWidth(), picture.pixelHeight()) {
    for (int y = 0; y < height_; ++y) {
        const std::uint32_t* in = picture.row(y);
        std::uint8_t* out = row(y);
        for (int x = 0; x < width_; ++x) {
            out[x] = static_cast<std::uint8_t>(in[x] & 0xFF);
        }
    }
}

}  // namespace tessarion

namespace tessarion {

const Mask& Mask::resized(int w, int h) const {
    if (w == width_ && h == height_) {
        return *this;
    }
    if (!scaled_ || scaled_->width_ != w || scaled_->height_ != h) {
        auto copy = std::make_shared<Mask>();
        copy->width_ = std::max(w, 0);
        copy->height_ = std::max(h, 0);
        copy->bits_ = resample(bits_.data(), width_, height_, copy->width_, copy->height_);
        scaled_ = std::move(copy);
    }
    return *scaled_;
}

}  // namespace tessarion
