#include "ui/Resample.h"

#include <algorithm>

namespace tessarion {

namespace {

// For each of n new pixels along a line of `from` old ones: the old pixels
// it covers and how much of each, in 1/65536ths of the new pixel.
struct Taps {
    std::vector<int> first;
    std::vector<int> count;
    std::vector<std::uint32_t> weights;  // count[i] weights for pixel i, in order
    std::vector<std::size_t> start;
};

Taps tapsFor(int from, int n) {
    Taps t;
    t.first.resize(static_cast<std::size_t>(n));
    t.count.resize(static_cast<std::size_t>(n));
    t.start.resize(static_cast<std::size_t>(n));
    // Old pixel k covers [k * n, (k + 1) * n) and new pixel i covers
    // [i * from, (i + 1) * from), both in units of 1 / (from * n).
    const long long unit = static_cast<long long>(from);
    for (int i = 0; i < n; ++i) {
        const long long lo = static_cast<long long>(i) * from;
        const long long hi = lo + unit;
        const int k0 = static_cast<int>(lo / n);
        const int k1 = static_cast<int>(std::min<long long>((hi + n - 1) / n, from));
        const auto k = static_cast<std::size_t>(i);
        t.first[k] = k0;
        t.count[k] = k1 - k0;
        t.start[k] = t.weights.size();
        std::uint32_t given = 0;
        for (int j = k0; j < k1; ++j) {
            const long long a = std::max(lo, static_cast<long long>(j) * n);
            const long long b = std::min(hi, static_cast<long long>(j + 1) * n);
            auto w = static_cast<std::uint32_t>(((b - a) << 16) / unit);
            if (j + 1 == k1) {
                w = 65536 - given;  // the rounding goes to the last, so weights sum to one
            }
            given += w;
            t.weights.push_back(w);
        }
    }
    return t;
}

// Reduces one old row across into `Channels` 16.16 sums a new pixel.
template <typename Pixel, int Channels>
void narrowRow(const Pixel* src, const Taps& across, std::uint32_t* dst) {
    for (std::size_t x = 0; x < across.count.size(); ++x) {
        for (int c = 0; c < Channels; ++c) {
            std::uint64_t sum = 0;
            for (int j = 0; j < across.count[x]; ++j) {
                const std::uint32_t p = src[across.first[x] + j];
                sum += static_cast<std::uint64_t>((p >> (8 * c)) & 0xFF) *
                       across.weights[across.start[x] + static_cast<std::size_t>(j)];
            }
            dst[x * Channels + static_cast<std::size_t>(c)] = static_cast<std::uint32_t>(sum);
        }
    }
}

// Resamples `channels` interleaved 8-bit channels a pixel; each old row is
// reduced across into 16.16 sums, then the new rows are made down the
// columns. Only the old rows the new row in hand needs are kept reduced, so a
// large picture costs no more than a few rows besides its input and output.
template <typename Pixel, int Channels>
void resize(const Pixel* in, int width, int height, Pixel* out, std::size_t outStride, int toWidth,
            int toHeight) {
    if (width <= 0 || height <= 0 || toWidth <= 0 || toHeight <= 0) {
        return;
    }
    const Taps across = tapsFor(width, toWidth);
    const Taps down = tapsFor(height, toHeight);
    const auto rowLength = static_cast<std::size_t>(toWidth) * Channels;
    const int kept = *std::max_element(down.count.begin(), down.count.end());
    std::vector<std::uint32_t> narrow(rowLength * static_cast<std::size_t>(kept));
    const auto narrowed = [&](int row) {
        return narrow.data() + rowLength * static_cast<std::size_t>(row % kept);
    };
    int ready = 0;  // the old rows reduced so far
    for (std::size_t y = 0; y < static_cast<std::size_t>(toHeight); ++y) {
        for (; ready < down.first[y] + down.count[y]; ++ready) {
            narrowRow<Pixel, Channels>(
                in + static_cast<std::size_t>(ready) * static_cast<std::size_t>(width), across,
                narrowed(ready));
        }
        Pixel* dst = out + y * outStride;
        for (std::size_t x = 0; x < static_cast<std::size_t>(toWidth); ++x) {
            std::uint32_t pixel = 0;
            for (int c = 0; c < Channels; ++c) {
                std::uint64_t sum = 0;
                for (int j = 0; j < down.count[y]; ++j) {
                    sum += static_cast<std::uint64_t>(narrowed(
                               down.first[y] + j)[x * Channels + static_cast<std::size_t>(c)]) *
                           down.weights[down.start[y] + static_cast<std::size_t>(j)];
                }
                const auto v = static_cast<std::uint32_t>(
                    std::min<std::uint64_t>((sum + (std::uint64_t{1} << 31)) >> 32, 255));
                pixel |= v << (8 * c);
            }
            dst[x] = static_cast<Pixel>(pixel);
        }
    }
}

template <typename Pixel, int Channels>
std::vector<Pixel> resized(const Pixel* in, int width, int height, int toWidth, int toHeight) {
    std::vector<Pixel> out(static_cast<std::size_t>(std::max(toWidth, 0)) *
                           static_cast<std::size_t>(std::max(toHeight, 0)));
    resize<Pixel, Channels>(in, width, height, out.data(),
                            static_cast<std::size_t>(std::max(toWidth, 0)), toWidth, toHeight);
    return out;
}

}  // namespace

std::vector<std::uint32_t> resample(const std::uint32_t* pixels, int width, int height, int toWidth,
                                    int toHeight) {
    return resized<std::uint32_t, 4>(pixels, width, height, toWidth, toHeight);
}

void resampleInto(const std::uint32_t* pixels, int width, int height, std::uint32_t* out,
                  std::size_t outStride, int toWidth, int toHeight) {
    resize<std::uint32_t, 4>(pixels, width, height, out, outStride, toWidth, toHeight);
}

std::vector<std::uint8_t> resample(const std::uint8_t* bytes, int width, int height, int toWidth,
                                   int toHeight) {
    return resized<std::uint8_t, 1>(bytes, width, height, toWidth, toHeight);
}

}  // namespace tessarion
