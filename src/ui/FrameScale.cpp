#include "ui/FrameScale.h"

#include <algorithm>
#include <cmath>

namespace tessarion {

FrameScale FrameScale::forWindow(int w, int h) {
    FrameScale f;
    if (w <= 0 || h <= 0) {
        return f;
    }
    double s = std::min(static_cast<double>(w) / layout::kLayoutWidth,
                        static_cast<double>(h) / kFittedHeight);
    if (std::abs(s - 1.0) <= 0.02) {
        s = 1.0;
    }
    s = std::clamp(s, kLeastScale, kMostScale);
    f.scale = s;
    // The points the window holds: wider than the layout centres it, taller
    // gives the client area more rows up to its full height.
    const int mostHeight = layout::kMenuBarHeight + layout::kLayoutHeight;
    f.width = std::max(layout::kLayoutWidth, static_cast<int>(std::floor(w / s + 1e-6)));
    f.height = std::clamp(static_cast<int>(std::floor(h / s + 1e-6)), kFittedHeight, mostHeight);
    f.pixelWidth = f.toPixels(f.width);
    f.pixelHeight = f.toPixels(f.height);
    return f;
}

int FrameScale::toPixels(int points) const {
    return static_cast<int>(std::lround(points * scale));
}

int FrameScale::toPoints(int pixels) const {
    // Point p covers the pixels from its edge, round(p * scale), to the next.
    return static_cast<int>(std::floor((pixels + 0.5) / scale));
}

}  // namespace tessarion
