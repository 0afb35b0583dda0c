#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "ui/ColourScheme.h"
#include "ui/Layout.h"
#include "ui/Pictures.h"
#include "ui/Surface.h"
#include "ui/WindowState.h"

namespace tessarion {

class Game;
class Platform;
struct MapCursor;
struct Province;

struct Point {
    int x = 0;
    int y = 0;
    bool operator==(const Point&) const = default;
};

// The game's screen: the window's picture, composed straight in the window
// from the game state at every paint. Everything is laid out in points for 1366 x 768,
// moved right by layoutOffsetX on wider screens, and drawn at `scale` device
// pixels a point.
//
// What changes only with the map's owners and the year's label (the black
// ground, the parchment, the map with its overlays, the label and the legend)
// is kept composed in a background of its own and made again only when one of
// those changes (the map resized straight into it each time: no resized copy
// of it is kept). The window keeps a log of where it was drawn on, so a paint
// puts back from the background only what was drawn over it since the last
// (legions, texts, a figure, the banner) and draws the legions, the reports
// and the province line again. No copy of the whole window is kept: at 4K
// each would take 33 MB.
class Screen {
  public:
    static constexpr int kLayoutWidth = layout::kLayoutWidth;
    static constexpr int kLayoutHeight = layout::kLayoutHeight;
    // The layout's last row in use is the parchment's (664): a shorter screen
    // may drop the empty rows below it, no more.
    static constexpr int kMinLayoutHeight = 672;

    // The logical screen is at least 1366 x 768; any extra width centres the
    // layout.
    Screen(Game& game, int width, int height, double scale = 1.0);
    // The overlay lookups point into the screen's own pictures.
    Screen(const Screen&) = delete;
    Screen& operator=(const Screen&) = delete;
    ~Screen();

    // Draws the frame in the window's own pixels where the platform lends
    // them, so that it is shown without a copy: from now on (the frame moves
    // there at once) and at every resize. Null keeps pixels of the screen's own.
    void borrowFrameFrom(Platform* lender);

    // Decodes every picture (the store's own unless told otherwise) and fills
    // overlaySprites and overlayPositions. The pictures come from `large`,
    // drawn at store::kLargePictureScale times their size, whenever the
    // screen is drawn larger than the layout and it has them; they are
    // reduced to the screen's scale, and made again when it changes.
    void loadPictures(const PictureProvider& provider, const PictureProvider& large = {});
    void loadPictures();
    // Another colour scheme: the map's pictures are decoded again in it (the
    // pictures of the other scheme are not kept).
    void setColourScheme(ColourScheme scheme, const PictureProvider& provider);
    // How many pixels a point the map's pictures were drawn at (the land they
    // were coloured on, the overlays'): store::kLargePictureScale from the
    // large pictures, else 1.
    int mapPixelsPerPoint() const { return mapPixelsPerPoint_; }
    void buildOverlayKeys();
    // The map's picture, at whatever scale it was made: the map drawn from now on.
    void setMapPicture(const Surface& source);
    // A window of another shape or scale: new buffers, and the layout
    // centred again.
    void resize(int width, int height, double scale = 1.0);
    double scale() const { return window.scale(); }

    // Composes the whole window from the game as it stands, the map's frame,
    // the instructions and the End turn button too; any other target gets a
    // copy of it.
    void paintScreen(Surface& target);
    // paintScreen onto the window, then shows it.
    void redrawScreen();
    // paintScreen onto the window, all of it taken afresh from the
    // background: something drew on it unseen.
    void repaintAll();
    // The overlay each province slot shows now, in slot order; an overlay
    // without a position is an internal error.
    struct Overlay {
        const Sprite* sprite = nullptr;
        Point at;
        bool operator==(const Overlay&) const = default;
    };
    std::vector<Overlay> ownerOverlays() const;
    // The overlay of pictures.overlays[index] as the background draws it:
    // decoded from the map's pictures for this size, in the scheme's colours.
    // Only the background keeps them drawn: all 69 would take 47 MB at their
    // large size.
    Sprite overlayPicture(std::size_t index) const;
    // The background as the next paint will use it.
    const Surface& background();
    // The background as the last paint made it: the ground under the
    // legions, which the animations mend a moving figure's place from.
    const Surface& ground() const { return background_; }
    // The map's part of it, at the screen's scale (a copy).
    Surface groundMap() const;
    // Shows the window surface, for whoever drew straight onto it.
    void present() const;

    int width() const { return window.width(); }
    int height() const { return window.height(); }
    // Layout x plus the offset.
    int x(int layoutX) const { return layoutX + layoutOffsetX; }

    // The game whose state every paint shows.
    Game& game() const { return game_; }

    // Where the layout starts on a window wider than it; the shell and the
    // desktop read it here.
    int layoutOffsetX = 0;
    // The colours the map's pictures were decoded in; change them with
    // setColourScheme.
    ColourScheme colours() const { return colours_; }
    // The player's choices and the province under the pointer, as the shell
    // keeps them; nothing hovered and no refusal while none is given.
    const WindowState* view = nullptr;
    // The keyboard's highlight and picked-up legion, drawn over the map.
    const MapCursor* mapCursor = nullptr;
    // The game plays out an order or a turn: the end-turn button says so.
    bool endTurnBusy = false;

    // The map at the screen's scale, or the layout's at 1 and below (its
    // colours depend on the scheme).
    Surface baseMap;
    // What the platform shows: the menu bar's rows, then the window.
    Surface frame;
    // What the player sees below the menu bar: a view of the frame's rows.
    Surface window;
    std::function<void(const Surface&)> onPresent;
    // Drawn over the legions at every paint (the routes on the map).
    std::function<void(Surface&)> drawOverMap;

    Pictures pictures;
    std::map<std::string, Sprite*> overlaySprites;
    std::map<std::string, std::map<int, std::string>> overlayKeys;
    std::map<std::string, Point> overlayPositions;

  private:
    // Everything the background shows that can change.
    struct Scenery {
        int width = 0;
        int height = 0;
        double scale = 1.0;
        int layoutOffsetX = 0;
        int pictures = 0;
        bool constantinople = false;
        std::vector<Overlay> overlays;
        bool operator==(const Scenery&) const = default;
    };
    // The frame of pixelWidth x pixelHeight pixels for width x height points,
    // in the lender's pixels when it lends them (black), else in its own.
    Surface makeFrame(int width, int height, double scale, int pixelWidth, int pixelHeight);
    // The lender's pixels for a frame of that size, or null where it lends none.
    std::uint32_t* borrowPixels(int pixelWidth, int pixelHeight);
    // The loan ends: the frame keeps its picture in pixels of its own.
    const std::uint32_t* keepFrame();
    void endFrameLoan();
    // The frame is now `f`, its picture already there; the window a view of it.
    void setFrame(Surface&& f);
    void placeOverlays();
    void loadMapPictures();
    bool wantsLargeMap(double scale) const { return scale > 1.0 && static_cast<bool>(largeMap_); }
    Scenery scenery() const;
    void buildBackground(Scenery wanted);
    // Makes the background again if what it shows changed; true when it did.
    bool refreshBackground();

    // The window's legions, reports and province line drawn afresh over the
    // background: where the window was drawn on since the last paint is put
    // back from it first (all of it when that is not known).
    void compose();

    Game& game_;
    Platform* lender_ = nullptr;
    bool borrowed_ = false;
    ColourScheme colours_ = ColourScheme::Standard;
    Surface background_;
    std::optional<Scenery> shown_;
    // Counts the pictures' loadings, so that new pictures make a new background.
    int picturesLoaded_ = 0;
    // Where the map's pictures come from, at the layout's size and larger.
    PictureProvider map_;
    PictureProvider largeMap_;
    // The one the map's pictures in use came from, and at how many pixels a point.
    PictureProvider overlaysFrom_;
    int mapPixelsPerPoint_ = 1;
};

}  // namespace tessarion
