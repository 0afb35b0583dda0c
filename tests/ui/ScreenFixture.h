#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <set>
#include <string>

#include "game/Game.h"
#include "res/MapLand.h"
#include "support/TestGame.h"
#include "ui/Font.h"
#include "ui/Layout.h"
#include "ui/MapColours.h"
#include "ui/Pictures.h"
#include "ui/Screen.h"

namespace tessarion::test {

// Every picture a flat colour of its own that no text or frame uses, so that
// pixels read back say which picture they came from whatever the real art is.
constexpr std::uint32_t colourOf(int pictureId) {
    return 0xFF000040u | (static_cast<std::uint32_t>(pictureId) << 8);
}

inline bool isMaskId(int id) {
    static const std::set<int> masks = [] {
        std::set<int> m;
        const Pictures p;
        const Sprite swords(pic::crossedSwords);
        for (const Sprite* s : {&p.parchment, &p.romanLegion, &p.barbarianLegion, &p.sassanidLegion,
                                &p.rebelLegion, &swords}) {
            m.insert(s->maskId);
        }
        for (const OverlayEntry& o : kOverlays) {
            m.insert(o.mask);
        }
        return m;
    }();
    return masks.count(id) != 0;
}

// Rectangles of colour, fully opaque masks.
inline store::Image flatPicture(int id) {
    const PictureSize size = pictureDrawSize(id);
    store::Image image;
    image.width = size.width;
    image.height = size.height;
    image.pixels.assign(
        static_cast<std::size_t>(size.width) * static_cast<std::size_t>(size.height),
        isMaskId(id) ? kBlack : colourOf(id));
    return image;
}

// Plain grey pictures of the right sizes, for a window that only has to run.
inline store::Image greyPicture(int id) {
    const PictureSize size = pictureDrawSize(id);
    return {
        size.width, size.height,
        std::vector<std::uint32_t>(static_cast<std::size_t>(size.width * size.height), 0xFF808080)};
}

// Whether the text, drawn transparently in colour over a plain background,
// stands at (x, y) of the surface: its whole cell is compared.
inline ::testing::AssertionResult textAt(const Surface& s, int x, int y, const std::string& text,
                                         std::uint32_t colour, std::uint32_t background) {
    Font& font = defaultFont();
    const int w = font.width(text);
    Surface expected(w, font.height(), background);
    expected.text = {colour, background, false};
    expected.drawText(0, 0, text);
    for (int dy = 0; dy < expected.height(); ++dy) {
        for (int dx = 0; dx < w; ++dx) {
            if (s.pixel(x + dx, y + dy) != expected.pixel(dx, dy)) {
                return ::testing::AssertionFailure()
                       << "\"" << text << "\" differs at (" << x + dx << ", " << y + dy << ")";
            }
        }
    }
    return ::testing::AssertionSuccess();
}

inline int countColour(const Surface& s, std::uint32_t colour) {
    return static_cast<int>(std::count(s.pixels().begin(), s.pixels().end(), colour));
}

inline int countPixels(const Surface& s, int left, int top, int right, int bottom,
                       std::uint32_t colour) {
    int n = 0;
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x) {
            n += s.pixel(x, y) == colour;
        }
    }
    return n;
}

// The median colour of pixels gathered from anywhere.
inline std::uint32_t typicalOf(const std::vector<std::uint32_t>& pixels) {
    Surface gathered(static_cast<int>(pixels.size()), 1);
    std::copy(pixels.begin(), pixels.end(), gathered.row(0));
    return typicalColour(gathered);
}

// The median colour of the map's pixels whose land (the land drawn for the map's own pixels)
// the test picks: a kind of ground's usual colour.
template <typename Where>
std::uint32_t mapColourWhere(const Surface& map, const res::MapLand& land, Where where) {
    std::vector<std::uint32_t> pixels;
    for (int y = 0; y < land.height(); ++y) {
        for (int x = 0; x < land.width(); ++x) {
            if (where(land.at(x, y))) {
                pixels.push_back(map.pixel(x, y));
            }
        }
    }
    return typicalOf(pixels);
}

// A new game with nobody's legions on the map, drawn with flat pictures on a
// laptop's screen.
class ScreenFixture : public GameTest {
  protected:
    void SetUp() override {
        GameTest::SetUp();
        display_ = std::make_unique<Screen>(game(), 1366, 768);
        display_->view = &view;
        display_->buildOverlayKeys();
        display_->loadPictures(flatPicture);
        newGame();
        clearAllLegions();
    }
    void TearDown() override {
        display_.reset();
        GameTest::TearDown();
    }

    Screen& display() { return *display_; }
    // What the shell would keep: the province under the pointer, the refusal.
    WindowState view;

    // Where a province's legion icons stand in the window.
    Point iconAt(const std::string& name) {
        const Province* q = p(name);
        return {layout::windowXOfMap(q->legionX, display().layoutOffsetX),
                layout::windowYOfMap(q->legionY)};
    }

    Surface paint() {
        Surface target(display().width(), display().height(), kBlack, display().scale());
        display().paintScreen(target);
        return target;
    }

  private:
    std::unique_ptr<Screen> display_;
};

}  // namespace tessarion::test
