#pragma once

#include <string_view>
#include <vector>

#include "PictureManifest.h"
#include "model/ProvinceTable.h"
#include "ui/Graphic.h"
#include "ui/Sprite.h"

namespace tessarion {

// resources/art/pictures.txt is where every picture's id and size are set.
using pic::kOverlays;
inline constexpr int kBaseMapId = pic::baseMap.id;

// Every picture of the game but the map, made for the screen's scale. The
// small ones are decoded at start-up and again when the scale changes; the big
// pictures of the picture box when one is shown, and only the last one shown
// is kept.
struct Pictures {
    // Drawn into the screen's background alone, which decodes it for that
    // (Screen::buildBackground): kept, it would take 9 MB at 4K.
    Sprite parchment{pic::parchment};
    Graphic constantinople{pic::constantinople};
    Sprite romanLegion{pic::romanLegion};
    Sprite romanLegionMoved{pic::romanLegionMoved};  // the pale copy
    Sprite barbarianLegion{pic::barbarianLegion};
    Sprite sassanidLegion{pic::sassanidLegion};
    Sprite rebelLegion{pic::rebelLegion};
    // The legions of the colour-blind map, in their lands' colours.
    Sprite romanLegionColourBlind{pic::romanLegionColourBlind};
    Sprite romanLegionMovedColourBlind{pic::romanLegionMovedColourBlind};
    Sprite barbarianLegionColourBlind{pic::barbarianLegionColourBlind};
    Sprite sassanidLegionColourBlind{pic::sassanidLegionColourBlind};
    Sprite rebelLegionColourBlind{pic::rebelLegionColourBlind};
    Graphic legendTitle{pic::legendTitle};
    Graphic fullCoin{pic::fullCoin};
    Graphic emptyCoin{pic::emptyCoin};
    Graphic turnBanner{pic::turnBanner};
    Graphic playButton{pic::playButton};
    Graphic stopButton{pic::stopButton};
    // The pictures the picture box shows, in the order of pic::kBoxed; empty
    // until shown.
    std::vector<Graphic> fullPictures;
    // Three per entry of kOverlays: plain, yellow, blue. Their pixels are
    // not kept: the screen decodes one when it draws it (Screen::overlayPicture).
    std::vector<Sprite> overlays;

    Pictures();
    // Every picture but the map's, which loadMap decodes, for the source's
    // scale (Graphic::loadFor); the big pictures when they are shown.
    void load(const PictureSource& source);
    // The same pictures again for a screen of another scale; nothing before load.
    void rescale(double scale);
    // Where the pictures come from, at the screen's scale.
    const PictureSource& source() const { return source_; }
    // The Constantinople label, from a bitmap drawn at pixelsPerPoint times
    // its size.
    void loadMap(const PictureProvider& provider, int pixelsPerPoint);
    // A picture of the picture box by id, decoded (the one shown before it is
    // let go); null for any other id.
    const Graphic* fullPicture(int id);

  private:
    PictureSource source_;
};

// A picture of resources/art/pictures.txt by its name there (an animation's
// first frame); null for a name the list does not have.
const PictureEntry* pictureNamed(std::string_view name);

// The draw size of any picture or mask the game knows; 0 x 0 otherwise.
struct PictureSize {
    int width = 0;
    int height = 0;
};
PictureSize pictureDrawSize(int id);

}  // namespace tessarion
