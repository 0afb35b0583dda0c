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

// Resamples `channels` interleaved 8-bit channels a pixel; one pass along rows
// into 16.16 sums, then one down the columns.
template <typename Pixel, int Channels>
std::vector<Pixel> resize(const Pixel* in, int width, int height, int toWidth, int toHeight) {
    std::vector<Pixel> out(static_cast<std::size_t>(std::max(toWidth, 0)) *
                           static_cast<std::size_t>(std::max(toHeight, 0)));
    if (width <= 0 || height <= 0 || toWidth <= 0 || toHeight <= 0) {
        return out;
    }
    const Taps across = tapsFor(width, toWidth);
    const Taps down = tapsFor(height, toHeight);
    const auto rowLength = static_cast<std::size_t>(toWidth) * Channels;
    // Each old row reduced across, channel by channel, in 1/65536ths.
    std::vector<std::uint32_t> narrow(rowLength * static_cast<std::size_t>(height));
    for (int y = 0; y < height; ++y) {
        const Pixel* src = in + static_cast<std::size_t>(y) * static_cast<std::size_t>(width);
        std::uint32_t* dst = narrow.data() + rowLength * static_cast<std::size_t>(y);
        for (std::size_t x = 0; x < static_cast<std::size_t>(toWidth); ++x) {
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
    for (std::size_t y = 0; y < static_cast<std::size_t>(toHeight); ++y) {
        Pixel* dst = out.data() + y * static_cast<std::size_t>(toWidth);
        for (std::size_t x = 0; x < static_cast<std::size_t>(toWidth); ++x) {
            std::uint32_t pixel = 0;
            for (int c = 0; c < Channels; ++c) {
                std::uint64_t sum = 0;
                for (int j = 0; j < down.count[y]; ++j) {
                    const auto row = static_cast<std::size_t>(down.first[y] + j);
                    sum +=
                        static_cast<std::uint64_t>(
                            narrow[row * rowLength + x * Channels + static_cast<std::size_t>(c)]) *
                        down.weights[down.start[y] + static_cast<std::size_t>(j)];
                }
                const auto v = static_cast<std::uint32_t>(
                    std::min<std::uint64_t>((sum + (std::uint64_t{1} << 31)) >> 32, 255));
                pixel |= v << (8 * c);
            }
            dst[x] = static_cast<Pixel>(pixel);
        }
    }
    return out;
}

}  // namespace

std::vector<std::uint32_t> resample(const std::uint32_t* pixels, int width, int height, int toWidth,
                                    int toHeight) {
    return resize<std::uint32_t, 4>(pixels, width, height, toWidth, toHeight);
}

std::vector<std::uint8_t> resample(const std::uint8_t* bytes, int width, int height, int toWidth,
                                   int toHeight) {
    return resize<std::uint8_t, 1>(bytes, width, height, toWidth, toHeight);
}

}  // namespace tessarion
