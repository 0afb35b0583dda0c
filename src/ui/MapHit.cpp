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

}  // namespace tessarion
