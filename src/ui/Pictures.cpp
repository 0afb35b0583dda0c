#include "ui/Pictures.h"

namespace tessarion {

Pictures::Pictures() {
    for (int id : kFullPictureIds) {
        fullPictures.emplace_back(id, 600, 400);
    }
    overlays.reserve(kOverlays.size() * 3);
    for (const OverlaySpec& o : kOverlays) {
        for (int id : {o.plain, o.yellow, o.blue}) {
            overlays.emplace_back(id, o.mask, o.width, o.height);
        }
    }
}

void Pictures::load(const PictureProvider& provider) {
    for (Graphic* g : std::initializer_list<Graphic*>{
             &parchment, &constantinople, &romanLegion, &romanLegionMoved, &barbarianLegion,
             &sassanidLegion, &rebelLegion, &routeMarker, &legendTitle, &fullCoin, &emptyCoin,
             &turnBanner, &turnBannerSave, &playButton, &stopButton}) {
        g->load(provider);
    }
    for (Graphic& g : fullPictures) {
        g.load(provider);
    }
    for (Sprite& s : overlays) {
        s.load(provider);
    }
}

const Graphic* Pictures::fullPicture(int id) const {
    for (const Graphic& g : fullPictures) {
        if (g.id == id) {
            return &g;
        }
    }
    return nullptr;
}

PictureSize pictureDrawSize(int id) {
    if (id == kBaseMapId) {
        return {kMapWidth, kMapHeight};
    }
    static const Pictures table;
    for (const Sprite* s :
         {&table.parchment, &table.romanLegion, &table.romanLegionMoved, &table.barbarianLegion,
          &table.sassanidLegion, &table.rebelLegion, &table.routeMarker}) {
        if (s->id == id || s->maskId == id) {
            return {s->width, s->height};
        }
    }
    for (const Graphic* g :
         {&table.constantinople, &table.legendTitle, &table.fullCoin, &table.emptyCoin,
          &table.turnBanner, &table.playButton, &table.stopButton}) {
        if (g->id == id) {
            return {g->width, g->height};
        }
    }
    if (table.fullPicture(id) != nullptr) {
        return {600, 400};
    }
    for (const Sprite& s : table.overlays) {
        if (s.id == id || s.maskId == id) {
            return {s.width, s.height};
        }
    }
    return {};
}

}  // namespace tessarion
