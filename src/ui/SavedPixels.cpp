#include <algorithm>
#include <cmath>

#include "ui/Surface.h"

namespace tessarion {

void SavedPixels::keep(const Surface& s, std::span<const Area> points) {
    width_ = s.pixelWidth();
    height_ = s.pixelHeight();
    areas_.clear();
    std::size_t size = 0;
    for (const Area& b : points) {
        const auto edge = [&](int at, int more, int limit) {
            return std::clamp(static_cast<int>(std::floor(at * s.scale())) + more, 0, limit);
        };
        const Area a{edge(b.left, -1, s.pixelWidth()), edge(b.top, -1, s.pixelHeight()),
                     edge(b.right, 2, s.pixelWidth()), edge(b.bottom, 2, s.pixelHeight())};
        areas_.push_back(a);
        size +=
            static_cast<std::size_t>(a.right - a.left) * static_cast<std::size_t>(a.bottom - a.top);
    }
    // Sized once: a box at a large scale keeps megabytes.
    pixels_.resize(size);
    if (size == 0) {
        pixels_.shrink_to_fit();
    }
    std::uint32_t* to = pixels_.data();
    for (const Area& a : areas_) {
        for (int y = a.top; y < a.bottom; ++y) {
            to = std::copy(s.row(y) + a.left, s.row(y) + a.right, to);
        }
    }
}

void SavedPixels::putBack(Surface& s) const {
    if (s.pixelWidth() != width_ || s.pixelHeight() != height_) {
        return;
    }
    const std::uint32_t* from = pixels_.data();
    for (const Area& a : areas_) {
        const auto w = static_cast<std::size_t>(a.right - a.left);
        for (int y = a.top; y < a.bottom; ++y, from += w) {
            std::copy_n(from, w, s.rowAt(y) + a.left);
        }
        s.noteDrawn(a.left, a.top, a.right, a.bottom);
    }
}

}  // namespace tessarion
