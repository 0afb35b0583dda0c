#include "ui/MapHit.h"

#include "game/Game.h"
#include "model/Province.h"
#include "model/ProvinceTable.h"
#include "res/MapLand.h"

namespace tessarion {

Province* provinceShownAt(Game& game, int mapX, int mapY) {
    if (Province* hit = provinceAt(game, mapX, mapY)) {
        return hit;
    }
    const int land = res::MapLand::embedded().at(mapX, mapY);
    if (land < 0 || static_cast<std::size_t>(land) >= game.provinces.size()) {
        return nullptr;
    }
    return game.provinces[static_cast<std::size_t>(land)].get();
}

std::optional<std::pair<int, int>> clickPointIn(Game& game, const Province& province) {
    // The centre of a rectangle will do unless an earlier rectangle covers it.
    for (const Rect& r : province.hitRects) {
        const int cx = (r.left + r.right) / 2;
        const int cy = (r.top + r.bottom) / 2;
        if (provinceAt(game, cx, cy) == &province) {
            return std::make_pair(cx, cy);
        }
    }
    for (const Rect& r : province.hitRects) {
        for (int y = r.top + 1; y < r.bottom; ++y) {
            for (int x = r.left + 1; x < r.right; ++x) {
                if (provinceAt(game, x, y) == &province) {
                    return std::make_pair(x, y);
                }
            }
        }
    }
    return std::nullopt;
}

}  // namespace tessarion
