#include "ui/Screen.h"
#include "ui/Layout.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <tuple>

#include "game/Game.h"
#include "model/InternalError.h"
#include "platform/Platform.h"
#include "ui/EndTurnButton.h"
#include "ui/Font.h"
#include "ui/Language.h"
#include "ui/LegionDrawing.h"
#include "ui/MapColours.h"
#include "ui/MapCursor.h"
#include "ui/MapLabels.h"
#include "ui/Reports.h"
#include "ui/Shell.h"
#include "ui/YearSummary.h"

namespace tessarion {

Screen::Screen(Game& game, int width, int height, double scale)
    : baseMap(kMapWidth, kMapHeight), game_(game) {
    resize(width, height, scale);
}

Screen::~Screen() {
    endFrameLoan();
}

void Screen::borrowFrameFrom(Platform* lender) {
    if (lender != lender_) {
        if (borrowed_) {
            keepFrame();
            lender_->endFrameLoan();
        }
        lender_ = lender;
    }
    if (borrowed_ || lender_ == nullptr || frame.empty()) {
        return;
    }
    if (std::uint32_t* lent = borrowPixels(frame.pixelWidth(), frame.pixelHeight())) {
        std::copy(frame.pixels().begin(), frame.pixels().end(), lent);
        setFrame(Surface::over(lent, frame.width(), frame.height(), frame.scale(),
                               frame.pixelWidth(), frame.pixelHeight()));
    }
}

std::uint32_t* Screen::borrowPixels(int pixelWidth, int pixelHeight) {
    std::uint32_t* lent = lender_ == nullptr ? nullptr
                                             : lender_->lendFrame(pixelWidth, pixelHeight,
                                                                  [this] { return keepFrame(); });
    borrowed_ = lent != nullptr;
    return lent;
}

Surface Screen::makeFrame(int width, int height, double scale, int pixelWidth, int pixelHeight) {
    std::uint32_t* lent = borrowPixels(pixelWidth, pixelHeight);
    if (lent == nullptr) {
        return Surface(width, height, scale, pixelWidth, pixelHeight);
    }
    std::fill_n(lent, static_cast<std::size_t>(pixelWidth) * static_cast<std::size_t>(pixelHeight),
                kBlack);
    return Surface::over(lent, width, height, scale, pixelWidth, pixelHeight);
}

const std::uint32_t* Screen::keepFrame() {
    borrowed_ = false;
    setFrame(Surface(frame));  // a copy of a view has pixels of its own
    return frame.pixels().data();
}

void Screen::endFrameLoan() {
    if (borrowed_ && lender_ != nullptr) {
        lender_->endFrameLoan();
    }
    borrowed_ = false;
}

void Screen::setFrame(Surface&& f) {
    const int barRows = frame.pixelHeight() - window.pixelHeight();
    const int h = window.height();
    frame = std::move(f);
    window = Surface::viewOf(frame, barRows, h);
}

void Screen::resize(int width, int height, double scale) {
    layoutOffsetX = Shell::layoutOffsetFor(width);
    // The old buffers go before the new are made, so that a large screen's
    // never live side by side.
    endFrameLoan();
    window = Surface();
    frame = Surface();
    background_ = Surface();
    shown_.reset();
    const int w = std::max(width, kLayoutWidth);
    const int h = std::max(height, kMinLayoutHeight);
    // The client area's pixels, as a surface of its points would have them.
    const auto pixels = [scale](int points) {
        return static_cast<int>(std::lround(points * scale));
    };
    const int barRows = pixels(layout::kMenuBarHeight);
    frame = makeFrame(w, layout::frameYOfClient(h), scale, pixels(w), barRows + pixels(h));
    window = Surface::viewOf(frame, barRows, h);
    pictures.rescale(scale);  // the pictures made for this scale
    if (map_ && (wantsLargeMap(scale) || mapPixelsPerPoint() > 1) && baseMap.scale() != scale) {
        loadMapPictures();  // the pictures made for this size
    } else if (!overlayPositions.empty()) {
        placeOverlays();
    }
}

void Screen::placeOverlays() {
    overlayPositions.clear();
    for (const OverlayEntry& o : kOverlays) {
        overlayPositions[o.province] = {x(o.x), o.y};
    }
}

void Screen::loadPictures() {
    loadPictures(store::decodePicture, store::decodeLargePicture);
}

void Screen::loadPictures(const PictureProvider& provider, const PictureProvider& large) {
    if (view != nullptr) {
        colours_ = view->colours;
    }
    pictures.load({provider, large, scale()});
    map_ = provider;
    largeMap_ = large;
    loadMapPictures();
}

void Screen::setColourScheme(ColourScheme scheme, const PictureProvider& provider) {
    colours_ = scheme;
    map_ = provider;
    loadMapPictures();
}

void Screen::setMapPicture(const Surface& source) {
    // Kept at its own scale, where its colours are worked on; the background
    // takes it resized to the screen's (once a scale, and kept).
    baseMap = Surface(kMapWidth, kMapHeight, kBlack, source.scale());
    baseMap.blit(source, 0, 0, kMapWidth, kMapHeight, 0, 0);
}

void Screen::loadMapPictures() {
    Graphic map(kBaseMapId, kMapWidth, kMapHeight);
    int& pixelsPerPoint = mapPixelsPerPoint_;
    pixelsPerPoint = 1;
    baseMap = Surface();
    if (wantsLargeMap(scale())) {
        map.load(largeMap_, store::kLargePictureScale);
        pixelsPerPoint = map.surface.empty() ? 1 : store::kLargePictureScale;
    }
    if (pixelsPerPoint == 1) {
        map.load(map_);
    }
    const bool large = pixelsPerPoint > 1;
    pictures.loadMap(large ? largeMap_ : map_, pixelsPerPoint);
    overlaysFrom_ = large ? largeMap_ : map_;
    if (map.surface.width() == kMapWidth && map.surface.height() == kMapHeight) {
        baseMap = std::move(map.surface);  // a large map is 16 MB: no copy
    } else {
        setMapPicture(map.surface);
    }
    // Coloured on the land of the pixels it was drawn at, then reduced to
    // the screen's scale and the large pixels let go.
    if (colours_ == ColourScheme::ColourBlind) {
        paintColourBlind(*this);
    } else {
        paintLandOfNoProvince(*this);
    }
    if (large && baseMap.scale() != scale()) {
        Surface reduced(kMapWidth, kMapHeight, kBlack, scale());
        reduced.drawResized(baseMap, 0, 0);
        baseMap = std::move(reduced);
        pictures.constantinople.rescale(scale());
    }
    ++picturesLoaded_;

    overlaySprites.clear();
    for (std::size_t i = 0; i < kOverlays.size(); ++i) {
        const std::string name = kOverlays[i].province;
        overlaySprites[name] = &pictures.overlays[3 * i];
        overlaySprites[name + "-yellow"] = &pictures.overlays[3 * i + 1];
        overlaySprites[name + "-blue"] = &pictures.overlays[3 * i + 2];
    }
    placeOverlays();
}

void Screen::buildOverlayKeys() {
    overlayKeys.clear();
    for (const OverlayEntry& o : kOverlays) {
        const std::string name = o.province;
        overlayKeys[name] = {{3, name}, {1, name + "-yellow"}, {2, name + "-blue"}};
    }
}

std::vector<Screen::Overlay> Screen::ownerOverlays() const {
    Game& game = game_;
    std::vector<Overlay> shown(game.provinces.size());
    for (std::size_t i = 0; i < game.provinces.size(); ++i) {
        const Province& province = *game.provinces[i];
        // Roman land is already in the Roman colour on the map.
        const bool roman = std::any_of(game.romans.provinces.begin(), game.romans.provinces.end(),
                                       [&](const Province* p) { return p->name == province.name; });
        if (roman) {
            continue;
        }
        // ownerOf rather than getOwner: a province held twice must not open a
        // message box in the middle of a paint, which would paint again.
        const Empire* owner = game.ownerOf(&province);
        const int colour = owner != nullptr ? owner->colourIndex : 3;
        const auto keys = overlayKeys.find(province.name);
        if (keys == overlayKeys.end()) {
            continue;
        }
        const auto key = keys->second.find(colour);
        if (key == keys->second.end()) {
            continue;
        }
        const auto sprite = overlaySprites.find(key->second);
        if (sprite == overlaySprites.end()) {
            continue;
        }
        const auto at = overlayPositions.find(province.name);
        if (at == overlayPositions.end()) {
            throw InternalError("Couldn't find coords for province " + province.name);
        }
        shown[i] = {sprite->second, at->second};
    }
    return shown;
}

Sprite Screen::overlayPicture(std::size_t index) const {
    Sprite overlay = pictures.overlays.at(index);
    overlay.load(overlaysFrom_, mapPixelsPerPoint());
    if (colours_ == ColourScheme::ColourBlind) {
        recolourOverlay(overlay, index);
    }
    return overlay;
}

Screen::Scenery Screen::scenery() const {
    return {window.width(),  window.height(),     window.scale(), layoutOffsetX,
            picturesLoaded_, game_.year() >= 313, ownerOverlays()};
}

void Screen::buildBackground(Scenery wanted) {
    Surface& b = background_;
    // New owners or Constantinople's name change the map alone: the rest
    // stays as it is (the parchment would be decoded again for nothing).
    const bool mapOnly = shown_ && !b.empty() && shown_->width == wanted.width &&
                         shown_->height == wanted.height && shown_->scale == wanted.scale &&
                         shown_->layoutOffsetX == wanted.layoutOffsetX &&
                         shown_->pictures == wanted.pictures;
    if (!mapOnly) {
        b = Surface();
        b = Surface(wanted.width, wanted.height, kBlack, wanted.scale);
        // The parchment is decoded for the background alone and let go of.
        if (pictures.source().pictures) {
            Sprite parchment = pictures.parchment;
            parchment.loadFor(pictures.source());
            parchment.drawTransparent(b, x(980), 0);
        }
        drawLegend(*this, b);
    }
    b.drawResized(baseMap, x(layout::kMapLeft), layout::kMapTop);
    for (const Overlay& o : wanted.overlays) {
        if (o.sprite != nullptr) {
            const auto index = static_cast<std::size_t>(o.sprite - pictures.overlays.data());
            overlayPicture(index).drawTransparent(b, o.at.x, o.at.y);
        }
    }
    drawMapNames(b, game_, x(layout::kMapLeft), layout::kMapTop, b.scale());
    if (wanted.constantinople) {
        pictures.constantinople.draw(b, x(724), 294);
    }
    shown_ = std::move(wanted);
}

bool Screen::refreshBackground() {
    Scenery wanted = scenery();
    if (shown_ && *shown_ == wanted) {
        return false;
    }
    buildBackground(std::move(wanted));
    return true;
}

Surface Screen::groundMap() const {
    Surface map(kMapWidth, kMapHeight, kBlack, background_.scale());
    map.blit(background_, x(layout::kMapLeft), layout::kMapTop, kMapWidth, kMapHeight, 0, 0);
    return map;
}

const Surface& Screen::background() {
    refreshBackground();
    return background_;
}

void Screen::compose() {
    const bool rebuilt = refreshBackground();
    const Surface& ground = background_;
    // What was drawn over the background since the last paint (legions,
    // text, a figure, the banner, anything): put back, and nothing else.
    std::optional<std::vector<Area>> drawn = window.takeDamage();
    if (rebuilt || !window.keepsDamageLog()) {
        drawn.reset();
    }
    window.keepDamageLog(false);
    if (drawn) {
        // A paint like the last one draws the same areas again.
        std::vector<Area>& areas = *drawn;
        std::sort(areas.begin(), areas.end(), [](const Area& a, const Area& b) {
            return std::tie(a.top, a.left, a.bottom, a.right) <
                   std::tie(b.top, b.left, b.bottom, b.right);
        });
        areas.erase(std::unique(areas.begin(), areas.end()), areas.end());
        for (const Area& a : areas) {
            window.copyPixels(ground, a);
        }
    } else {
        window.blit(ground, 0, 0, ground.width(), ground.height(), 0, 0);
    }
    window.keepDamageLog(true);

    drawLegions(*this);
    drawMapFrame(*this, window);
    if (drawOverMap) {
        drawOverMap(window);
    }
    drawReports(*this);
    drawProvinceInfo(*this, window);
    YearSummary::draw(*this, window);
}

void Screen::paintScreen(Surface& target) {
    if (&target != &window) {
        paintScreen(window);
        target.blit(window, 0, 0, window.width(), window.height(), 0, 0);
        return;
    }
    compose();
    const TextStyle saved = target.text;
    target.text = {kWhite, kBlack, false};
    target.drawLine(x(175), 590, x(985), 590, kWhite);
    target.drawLine(x(175), 590, x(175), 620, kWhite);
    target.drawLine(x(985), 590, x(985), 620, kWhite);
    target.drawLine(x(175), 620, x(985), 620, kWhite);
    // Up to the End turn button, however long the language's sentence.
    const TextRoom instructions(target, x(230), x(EndTurnButton::kLeft - 4));
    target.drawText(
        x(230), 630,
        cutToWidth(defaultFont(), tr("Instructions:  Left-click and drag to move legions.  "),
                   EndTurnButton::kLeft - 4 - 230, target.scale()));
    target.text = saved;
    EndTurnButton::draw(target, layoutOffsetX, false, endTurnBusy);
    if (mapCursor != nullptr) {
        drawMapCursor(target, layoutOffsetX, *mapCursor);
    }
}

void Screen::redrawScreen() {
    paintScreen(window);
    present();
}

void Screen::repaintAll() {
    window.keepDamageLog(false);
    paintScreen(window);
}

void Screen::present() const {
    if (onPresent) {
        onPresent(window);
    }
}

}  // namespace tessarion
