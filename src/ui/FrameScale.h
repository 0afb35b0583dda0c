#pragma once

#include "ui/Layout.h"

namespace tessarion {

// How the frame fits a window: the layout is drawn at `scale` device pixels a
// point, the frame measuring `width` x `height` points (menu bar included),
// which is pixelWidth x pixelHeight device pixels. The platform shows the
// frame as it is, centred in the window; what is left over is the difference
// in shape.
struct FrameScale {
    // The frame's height, in points, that the 1366 x 768 look fits into: the
    // menu bar and the shortest client area the layout allows.
    static constexpr int kFittedHeight = layout::kMenuBarHeight + 672;
    static constexpr double kLeastScale = 0.7;
    static constexpr double kMostScale = 3.0;

    double scale = 1.0;
    int width = layout::kLayoutWidth;
    int height = layout::kLayoutHeight;
    int pixelWidth = layout::kLayoutWidth;
    int pixelHeight = layout::kLayoutHeight;

    bool operator==(const FrameScale&) const = default;

    // The frame for a window of w x h pixels: as large as the window allows,
    // exactly 1:1 when within 2 % of it, so that the laptop's look stays pixel
    // for pixel. No window yet: the laptop's full screen.
    static FrameScale forWindow(int w, int h);
    // A point's device pixel (rounded to the nearest edge).
    int toPixels(int points) const;
    // The point a device pixel lies in.
    int toPoints(int pixels) const;
};

}  // namespace tessarion
