#pragma once

#include <functional>
#include <map>
#include <string>

#include "ui/Pictures.h"
#include "ui/Surface.h"

namespace tessarion {

class Game;
struct Province;

struct Point {
    int x = 0;
    int y = 0;
};

// The game's screen: the window's picture, composed in a back buffer from the
// game state at every paint. Everything is laid out for 1366 x 768 and moved
// right by layoutOffsetX on wider screens.
class Screen {
  public:
    static constexpr int kLayoutWidth = 1366;
    static constexpr int kLayoutHeight = 768;

    // The logical screen is at least 1366 x 768; any extra width centres the
    // layout.
    Screen(Game& game, int width, int height);
    // The overlay lookups point into the screen's own pictures.
    Screen(const Screen&) = delete;
    Screen& operator=(const Screen&) = delete;

    // Decodes every picture (the store's own unless told otherwise) and fills
    // overlaySprites and overlayPositions.
    void loadPictures(const PictureProvider& provider);
    void loadPictures();
    void buildOverlayKeys();
    // A window of another shape: new buffers, and the layout centred again.
    void resize(int width, int height);

    // Composes the whole window in the back buffer and copies it to target,
    // then draws the frame and the instructions on target alone.
    void paintScreen(Surface& target);
    // paintScreen onto the window, then shows it.
    void redrawScreen();
    void drawOwnerOverlays();
    // Shows the window surface, for whoever drew straight onto it.
    void present() const;

    int width() const { return backBuffer.width(); }
    int height() const { return backBuffer.height(); }
    // Layout x plus the offset.
    int x(int layoutX) const { return layoutX + layoutOffsetX; }

    // The game whose state every paint shows.
    Game& game() const { return game_; }

    int layoutOffsetX = 0;
    // The province under the mouse, kept up to date by the shell.
    const Province* hoveredProvince = nullptr;
    // Why the last drop gave no order: shown in the province line instead of
    // the province until the player moves on.
    std::string refusal;

    Surface backBuffer;
    Surface baseMap;
    // The map with its overlays but without label or legions, for repairing
    // the background under moving figures.
    Surface cleanMap;
    // What the player sees; presented by the platform after each drawing.
    Surface window;
    std::function<void(const Surface&)> onPresent;

    Pictures pictures;
    std::map<std::string, Sprite*> overlaySprites;
    std::map<std::string, std::map<int, std::string>> overlayKeys;
    std::map<std::string, Point> overlayPositions;

  private:
    void placeOverlays();

    Game& game_;
};

}  // namespace tessarion
