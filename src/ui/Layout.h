#pragma once

namespace tessarion::layout {

// The menu bar is drawn by the game above the client area: the frame the
// platform shows is the menu bar's strip, then the client area.
inline constexpr int kMenuBarHeight = 20;
// The width and height everything is laid out for, in points.
inline constexpr int kLayoutWidth = 1366;
inline constexpr int kLayoutHeight = 768;

constexpr int frameYOfClient(int clientY) {
    return clientY + kMenuBarHeight;
}
constexpr int clientYOfFrame(int frameY) {
    return frameY - kMenuBarHeight;
}

// Where the map picture sits in the client area (below the menu bar), before
// the horizontal offset that centres the layout on a wide window. The rules'
// map points (click rectangles, legion anchors) are pixels of that picture.
inline constexpr int kMapLeft = 180;
inline constexpr int kMapTop = 30;

// A map point in the client area, and a client point on the map.
constexpr int windowXOfMap(int mapX, int layoutOffsetX) {
    return mapX + layoutOffsetX + kMapLeft;
}
constexpr int windowYOfMap(int mapY) {
    return mapY + kMapTop;
}
constexpr int mapXOfWindow(int windowX, int layoutOffsetX) {
    return windowX - layoutOffsetX - kMapLeft;
}
constexpr int mapYOfWindow(int windowY) {
    return windowY - kMapTop;
}

}  // namespace tessarion::layout
