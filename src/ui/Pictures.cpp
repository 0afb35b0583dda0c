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

void Pictures::load(const PictureSource& source) {
    source_ = source;
    for (Graphic* g : std::initializer_list<Graphic*>{
             &romanLegion, &romanLegionMoved, &barbarianLegion, &sassanidLegion,
             &rebelLegion, &romanLegionColourBlind, &romanLegionMovedColourBlind,
             &barbarianLegionColourBlind, &sassanidLegionColourBlind, &rebelLegionColourBlind,
             &legendTitle, &fullCoin, &emptyCoin, &turnBanner, &playButton, &stopButton}) {
        g->loadFor(source_);
    }
    for (Graphic& g : fullPictures) {
        g.surface = Surface();
    }
}

void Pictures::rescale(double scale) {
    // At the layout's scale and below, or with no large pictures, they are
    // the same at every scale.
    const bool same = !source_.large || (scale <= 1.0 && source_.scale <= 1.0);
    PictureSource source = source_;
    source.scale = scale;
    if (!source_.pictures || same) {
        source_ = source;
    } else if (scale != source_.scale) {
        load(source);
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
    if (wanted != nullptr && wanted->surface.empty() && source_.pictures) {
        wanted->loadFor(source_);
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
