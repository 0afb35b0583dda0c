// Presenting frames: the last frame the game finished, fitted to the window.

#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/SdlPlatformImpl.h"

#ifdef __EMSCRIPTEN__
#include <emscripten.h>
#endif

namespace tessarion {

namespace {

// Where each of n shown pixels takes its colour from a line of `from`
// pixels. Larger than the frame: the nearest pixel, so that the pictures
// stay crisp. Smaller: the two nearest, weighted (out of 256) by nearness,
// so that no stroke of a letter drops out.
void taps(int from, int n, std::vector<int>& first, std::vector<int>& weight) {
    first.assign(static_cast<std::size_t>(std::max(n, 0)), 0);
    weight.assign(first.size(), 0);
    for (int i = 0; i < n; ++i) {
        const auto k = static_cast<std::size_t>(i);
        if (n >= from) {
            first[k] = static_cast<int>((2LL * i + 1) * from / (2LL * n));
            continue;
        }
        // The middle of shown pixel i, in the frame's pixels, times 256.
        const long long at = std::max(0LL, ((2LL * i + 1) * from * 256) / (2LL * n) - 128);
        first[k] = static_cast<int>(std::min<long long>(at >> 8, from - 1));
        weight[k] = first[k] + 1 < from ? static_cast<int>(at & 255) : 0;
    }
}

std::uint32_t mixPixels(std::uint32_t a, std::uint32_t b, unsigned w) {
    const std::uint32_t rb = (((a & 0xFF00FFu) * (256 - w) + (b & 0xFF00FFu) * w) >> 8) & 0xFF00FFu;
    const std::uint32_t g = (((a & 0xFF00u) * (256 - w) + (b & 0xFF00u) * w) >> 8) & 0xFF00u;
    return 0xFF000000u | rb | g;
}

}  // namespace

// Fits the frame into a window of w x h pixels.
void SdlPlatform::Impl::place(int w, int h) {
    SDL_Rect r{0, 0, w, h};
    if (frameWidth > 0 && frameHeight > 0 && w >= frameWidth && h >= frameHeight) {
        // The game draws at the window's own pixels: shown as it is.
        r = SDL_Rect{(w - frameWidth) / 2, (h - frameHeight) / 2, frameWidth, frameHeight};
    } else if (frameWidth > 0 && frameHeight > 0 && w > 0 && h > 0) {
        const double scale =
            std::min(static_cast<double>(w) / frameWidth, static_cast<double>(h) / frameHeight);
        r.w = std::max(1, static_cast<int>(frameWidth * scale));
        r.h = std::max(1, static_cast<int>(frameHeight * scale));
        r.x = (w - r.w) / 2;
        r.y = (h - r.h) / 2;
    }
    if (r.w != static_cast<int>(columns.size()) || columnsFor != frameWidth) {
        columnsFor = frameWidth;
        taps(frameWidth, r.w, columns, columnWeights);
    }
    placed = r;
}

// A window pixel as a point of the frame's layout.
void SdlPlatform::Impl::toFrame(int& x, int& y) const {
    if (placed.w <= 0 || placed.h <= 0) {
        return;
    }
    const double across = static_cast<double>(frameWidth) / placed.w / pixelsPerPoint;
    const double down = static_cast<double>(frameHeight) / placed.h / pixelsPerPoint;
    // A point covers the pixels from its edge, rounded to the nearest, to the next.
    x = static_cast<int>(std::floor((x * pixelsPerUnit - placed.x + 0.5) * across));
    y = static_cast<int>(std::floor((y * pixelsPerUnit - placed.y + 0.5) * down));
}

// Fills a window row's part of the placed frame, from the frame's rows:
// copied as it is at 1:1, otherwise through the taps.
void SdlPlatform::Impl::fillRow(std::uint32_t* to, int fy) const {
    const int fw = frameWidth;
    const auto ky = static_cast<std::size_t>(fy);
    const std::uint32_t* in = lastFrame + static_cast<std::ptrdiff_t>(rows[ky]) * fw;
    if (placed.w == fw && placed.h == frameHeight) {
        std::memcpy(to, in, static_cast<std::size_t>(fw) * 4);
        return;
    }
    const unsigned wy = static_cast<unsigned>(rowWeights[ky]);
    const std::uint32_t* below = wy != 0 ? in + fw : in;
    for (int x = 0; x < placed.w; ++x) {
        const auto kx = static_cast<std::size_t>(x);
        const int c = columns[kx];
        const unsigned wx = static_cast<unsigned>(columnWeights[kx]);
        std::uint32_t top = in[c];
        std::uint32_t bottom = below[c];
        if (wx != 0) {
            top = mixPixels(top, in[c + 1], wx);
            bottom = mixPixels(bottom, below[c + 1], wx);
        }
        to[x] = wy != 0 ? mixPixels(top, bottom, wy) : top;
    }
}

// An unusual screen: SDL converts (and scales, nearest neighbour).
void SdlPlatform::Impl::showConverted(SDL_Surface* out) {
    SDL_Surface* in = SDL_CreateRGBSurfaceWithFormatFrom(const_cast<std::uint32_t*>(lastFrame),
                                                         frameWidth, frameHeight, 32,
                                                         frameWidth * 4, SDL_PIXELFORMAT_ARGB8888);
    if (in != nullptr) {
        SDL_FillRect(out, nullptr, SDL_MapRGB(out->format, 0, 0, 0));
        SDL_Rect to = placed;
        SDL_BlitScaled(in, nullptr, out, &to);
        SDL_FreeSurface(in);
    }
    SDL_UpdateWindowSurface(window);
}

#ifdef __EMSCRIPTEN__
void SdlPlatform::Impl::showInCanvas() {
    int w = 0;
    int h = 0;
    int units = 0;
    SDL_GetWindowSizeInPixels(window, &w, &h);
    SDL_GetWindowSize(window, &units, nullptr);
    pixelsPerUnit = units > 0 && w > 0 ? static_cast<double>(w) / units : 1.0;
    place(w, h);
    if (static_cast<int>(rows.size()) != placed.h || rowsFor != frameHeight) {
        rowsFor = frameHeight;
        taps(frameHeight, placed.h, rows, rowWeights);
    }
    // The canvas takes bytes red, green, blue, alpha: 0xAABBGGRR read as a word.
    canvasPixels.resize(static_cast<std::size_t>(placed.w) * static_cast<std::size_t>(placed.h));
    for (int y = 0; y < placed.h; ++y) {
        std::uint32_t* row = canvasPixels.data() + static_cast<std::ptrdiff_t>(y) * placed.w;
        fillRow(row, y);
        for (int x = 0; x < placed.w; ++x) {
            const std::uint32_t p = row[x];
            row[x] = 0xFF000000u | (p & 0xFF00u) | (p & 0xFFu) << 16 | (p >> 16 & 0xFFu);
        }
    }
    EM_ASM(
        {
            const canvas = Module['canvas'];
            if (canvas.width != $0 || canvas.height != $1) {
                canvas.width = $0;
                canvas.height = $1;
            }
            const context = canvas.getContext('2d');
            if ($4 < $0 || $5 < $1) {
                context.fillStyle = '#000';
                context.fillRect(0, 0, $0, $1);
            }
            const bytes = new Uint8ClampedArray(HEAPU8.buffer, $6, $4 * $5 * 4);
            context.putImageData(new ImageData(bytes, $4, $5), $2, $3);
        },
        w, h, placed.x, placed.y, placed.w, placed.h, canvasPixels.data());
}
#endif

// Draws the last frame into the window's own surface and shows it. No GPU,
// no GL: the window's plain surface is all the game needs (in a browser, the
// canvas).
void SdlPlatform::Impl::showFrame() {
    if (window == nullptr || lastFrame == nullptr) {
        return;
    }
#ifdef __EMSCRIPTEN__
    showInCanvas();
#else
    if (lent != nullptr && lastFrame == lent) {
        if (SDL_UpdateWindowSurface(window) == 0) {
            return;
        }
        // Resized since: the lent pixels are about to go.
        takeBackFrame();
    }
    SDL_Surface* out = windowSurface();
    if (out == nullptr || lastFrame == nullptr) {
        return;
    }
    place(out->w, out->h);
    const Uint32 format = out->format->format;
    if (format != SDL_PIXELFORMAT_RGB888 && format != SDL_PIXELFORMAT_ARGB8888) {
        showConverted(out);
        return;
    }
    if (SDL_MUSTLOCK(out) && SDL_LockSurface(out) != 0) {
        return;
    }
    auto* base = static_cast<Uint8*>(out->pixels);
    if (static_cast<int>(rows.size()) != placed.h || rowsFor != frameHeight) {
        rowsFor = frameHeight;
        taps(frameHeight, placed.h, rows, rowWeights);
    }
    for (int y = 0; y < out->h; ++y) {
        auto* row =
            reinterpret_cast<std::uint32_t*>(base + static_cast<std::ptrdiff_t>(y) * out->pitch);
        const int fy = y - placed.y;
        if (fy < 0 || fy >= placed.h) {
            std::fill(row, row + out->w, 0xFF000000u);
            continue;
        }
        std::fill(row, row + placed.x, 0xFF000000u);
        std::fill(row + placed.x + placed.w, row + out->w, 0xFF000000u);
        fillRow(row + placed.x, fy);
    }
    if (SDL_MUSTLOCK(out)) {
        SDL_UnlockSurface(out);
    }
    SDL_UpdateWindowSurface(window);
#endif
}

SDL_Surface* SdlPlatform::Impl::windowSurface() {
    takeBackFrame();
    return SDL_GetWindowSurface(window);
}

void SdlPlatform::Impl::takeBackFrame() {
    if (lent == nullptr) {
        return;
    }
    const bool shown = lastFrame == lent;
    const std::function<const std::uint32_t*()> give = std::move(giveBack);
    endLoan();
    const std::uint32_t* kept = give ? give() : nullptr;
    if (shown) {
        lastFrame = kept;
    }
}

void SdlPlatform::Impl::endLoan() {
    if (lastFrame == lent) {
        lastFrame = nullptr;
    }
    lent = nullptr;
    lentFrom = nullptr;
    giveBack = nullptr;
}

std::uint32_t* SdlPlatform::lendFrame(int width, int height,
                                      std::function<const std::uint32_t*()> giveBack) {
#ifdef __EMSCRIPTEN__
    // The canvas is filled from the frame: there is no window surface to lend.
    (void)width, (void)height, (void)giveBack;
    return nullptr;
#else
    if (impl_->window == nullptr || width <= 0 || height <= 0) {
        return nullptr;
    }
    SDL_Surface* out = impl_->windowSurface();
    if (out == nullptr) {
        return nullptr;
    }
    setFrameSize(width, height);
    impl_->place(out->w, out->h);
    const SDL_Rect& at = impl_->placed;
    const Uint32 format = out->format->format;
    if ((format != SDL_PIXELFORMAT_RGB888 && format != SDL_PIXELFORMAT_ARGB8888) ||
        SDL_MUSTLOCK(out) || out->w != width || out->pitch != width * 4 || at.x != 0 ||
        at.w != width || at.h != height) {
        return nullptr;
    }
    auto* base = static_cast<std::uint32_t*>(out->pixels);
    const auto rows = [width](int n) { return static_cast<std::ptrdiff_t>(n) * width; };
    // The rows above and below the frame stay black while the loan lasts.
    std::fill(base, base + rows(at.y), 0xFF000000u);
    std::fill(base + rows(at.y + height), base + rows(out->h), 0xFF000000u);
    impl_->lent = base + rows(at.y);
    impl_->lentFrom = out;
    impl_->giveBack = std::move(giveBack);
    return impl_->lent;
#endif
}

void SdlPlatform::endFrameLoan() {
    impl_->endLoan();
}

void SdlPlatform::present(const std::uint32_t* pixels, int width, int height) {
    if (impl_->window == nullptr) {
        return;
    }
    setFrameSize(width, height);
    impl_->lastFrame = pixels;
    impl_->showFrame();
}

}  // namespace tessarion
