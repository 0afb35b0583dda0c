#include "ui/Pictures.h"

namespace tessarion {

Pictures::Pictures() {
    for (const PictureEntry& p : pic::kBoxed) {
        fullPictures.emplace_back(p);
    }
    overlays.reserve(kOverlays.size() * 3);
    for (const OverlayEntry& o : kOverlays) {
        for (int id : {o.plain, o.yellow, o.blue}) {
            overlays.emplace_back(id, o.mask, o.width, o.height);
        }
    }
}

void Pictures::load(const PictureProvider& provider) {
    for (Graphic* g : std::initializer_list<Graphic*>{
             &parchment, &romanLegion, &romanLegionMoved, &barbarianLegion, &sassanidLegion,
             &rebelLegion, &romanLegionColourBlind, &romanLegionMovedColourBlind,
             &barbarianLegionColourBlind, &sassanidLegionColourBlind, &rebelLegionColourBlind,
             &legendTitle, &fullCoin, &emptyCoin, &turnBanner, &playButton, &stopButton}) {
        g->load(provider);
    }
    provider_ = provider;
    for (Graphic& g : fullPictures) {
        g.surface = Surface();
    }
}

void Pictures::loadMap(const PictureProvider& provider, int pixelsPerPoint) {
    constantinople.load(provider, pixelsPerPoint);
}

const PictureEntry* pictureNamed(std::string_view name) {
    for (const NamedPicture& p : pic::kEvery) {
        if (name == p.name) {
            return &p.picture;
        }
    }
    return nullptr;
}

const Graphic* Pictures::fullPicture(int id) {
    Graphic* wanted = nullptr;
    for (Graphic& g : fullPictures) {
        if (g.id == id) {
            wanted = &g;
        } else {
            // 600 x 400 pictures are a megabyte each; a lesson shows one.
            g.surface = Surface();
        }
    }
    if (wanted != nullptr && wanted->surface.empty() && provider_) {
        wanted->load(provider_);
    }
    return wanted;
}

PictureSize pictureDrawSize(int id) {
    for (const NamedPicture& entry : pic::kEvery) {
        const PictureEntry& p = entry.picture;
        if (p.id == id || p.mask == id) {
            return {p.width, p.height};
        }
    }
    for (const OverlayEntry& o : kOverlays) {
        if (id == o.plain || id == o.yellow || id == o.blue || id == o.mask) {
            return {o.width, o.height};
        }
    }
    return {};
}

}  // namespace tessarion
