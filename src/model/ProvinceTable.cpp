#include "model/ProvinceTable.h"

#include <memory>

#include "model/Province.h"
#include "model/World.h"

namespace tessarion {

namespace {

struct ProvinceGeometry {
    const char* name;
    int legionX;
    int legionY;
    std::vector<std::array<int, 4>> rects;  // left, top, width, height
};

const char* const kNames[kProvinceCount] = {
    "Italia",      "Aquitania",   "Terraconensis", "Upper Rhine", "Mauretania",   "Africa",
    "Aegyptus",    "Dalmatia",    "Macedonia",     "Pontus",      "Palestina",    "Armenia",
    "Sarmatia",    "Syria",       "Dacia",         "Pannonia",    "Britannia",    "Thracia",
    "Belgica",     "Lower Rhine", "Lower Danube",  "Mesopotamia", "Upper Danube", "Lusitania",
    "Lugdunensis", "Narbonensis", "Raetia",        "Lydia",       "Phrygia",      "Cappadocia",
};

struct NeighbourList {
    const char* name;
    std::vector<const char*> neighbours;
};

const std::vector<NeighbourList>& neighbourTable() {
    static const std::vector<NeighbourList> table = {
        {"Italia", {"Aquitania", "Narbonensis", "Pannonia", "Dalmatia", "Raetia"}},
        {"Aquitania", {"Italia", "Terraconensis", "Lugdunensis", "Raetia", "Narbonensis"}},
        {"Terraconensis", {"Aquitania", "Lusitania", "Narbonensis"}},
        {"Upper Rhine", {"Belgica", "Pannonia", "Raetia"}},
        {"Mauretania", {"Lusitania", "Africa"}},
        {"Africa", {"Mauretania", "Aegyptus"}},
        {"Aegyptus", {"Africa", "Palestina"}},
        {"Dalmatia", {"Pannonia", "Italia", "Dacia", "Macedonia", "Thracia"}},
        {"Macedonia", {"Dalmatia", "Thracia"}},
        {"Pontus", {"Thracia", "Phrygia", "Lydia", "Cappadocia"}},
        {"Palestina", {"Syria", "Aegyptus"}},
        {"Armenia", {"Syria", "Cappadocia"}},
        {"Sarmatia", {"Dacia", "Thracia"}},
        {"Syria", {"Palestina", "Lydia", "Cappadocia"}},
        {"Dacia", {"Dalmatia", "Thracia"}},
        {"Pannonia", {"Italia", "Dalmatia", "Raetia"}},
        {"Britannia", {"Belgica"}},
        {"Thracia", {"Pontus", "Phrygia", "Dacia", "Dalmatia", "Macedonia"}},
        {"Belgica", {"Britannia", "Lugdunensis", "Raetia"}},
        {"Lower Rhine", {"Britannia", "Belgica"}},
        {"Lower Danube", {"Pannonia", "Dacia"}},
        {"Mesopotamia", {"Syria"}},
        {"Upper Danube", {"Pannonia"}},
        {"Lusitania", {"Terraconensis", "Mauretania"}},
        {"Lugdunensis", {"Aquitania", "Belgica", "Raetia"}},
        {"Narbonensis", {"Terraconensis", "Italia", "Aquitania"}},
        {"Raetia", {"Lugdunensis", "Belgica", "Italia", "Aquitania", "Pannonia"}},
        {"Lydia", {"Syria", "Cappadocia", "Phrygia", "Pontus"}},
        {"Phrygia", {"Pontus", "Lydia", "Thracia"}},
        {"Cappadocia", {"Pontus", "Lydia", "Syria"}},
    };
    return table;
}

const std::vector<ProvinceGeometry>& geometryTable() {
    static const std::vector<ProvinceGeometry> table = {
        {"Italia",
         295,
         200,
         {{240, 200, 76, 35}, {289, 238, 35, 37}, {293, 190, 35, 30}, {320, 245, 20, 45}}},
        {"Aquitania",
         150,
         160,
         {{141, 183, 85, 35}, {131, 220, 30, 30}, {133, 190, 25, 80}, {150, 220, 20, 20}}},
        {"Terraconensis",
         86,
         256,
         {{80, 253, 50, 100}, {130, 275, 50, 20}, {90, 336, 60, 20}, {124, 290, 40, 50}}},
        {"Upper Rhine", 275, 67, {{262, 30, 64, 107}, {272, 135, 17, 13}, {283, 136, 22, 8}}},
        {"Mauretania", 161, 351, {{55, 386, 200, 43}, {183, 371, 55, 18}}},
        {"Africa", 374, 418, {{253, 371, 40, 80}, {287, 431, 165, 62}, {240, 368, 20, 20}}},
        {"Aegyptus", 544, 457, {{454, 442, 60, 50}, {509, 467, 100, 80}}},
        {"Dalmatia", 390, 205, {{346, 214, 90, 50}, {387, 222, 50, 65}}},
        {"Macedonia", 437, 272, {{418, 293, 75, 90}}},
        {"Pontus",
         600,
         250,
         {{589, 282, 50, 50}, {570, 298, 25, 25}, {556, 299, 27, 16}, {597, 330, 31, 9}}},
        {"Palestina", 625, 423, {{634, 429, 40, 50}, {606, 483, 35, 30}, {622, 463, 30, 30}}},
        {"Armenia", 752, 264, {{742, 182, 58, 190}, {726, 297, 28, 61}, {685, 191, 55, 47}}},
        {"Sarmatia", 520, 150, {{480, 109, 150, 66}, {510, 180, 50, 30}}},
        {"Syria", 662, 335, {{651, 381, 17, 40}, {664, 351, 50, 60}, {714, 343, 20, 60}}},
        {"Dacia",
         450,
         150,
         {{433, 189, 58, 34},
          {446, 176, 40, 20},
          {487, 189, 20, 20},
          {469, 219, 23, 26},
          {425, 198, 22, 22},
          {439, 180, 59, 9}}},
        {"Pannonia", 327, 125, {{277, 158, 135, 34}, {340, 193, 70, 20}, {295, 144, 35, 20}}},
        {"Britannia", 104, 12, {{88, 17, 70, 87}}},
        {"Thracia", 470, 220, {{434, 237, 100, 40}, {480, 280, 70, 30}, {440, 265, 100, 25}}},
        {"Belgica",
         180,
         40,
         {{165, 98, 87, 37},
          {195, 77, 41, 27},
          {185, 120, 25, 23},
          {244, 108, 12, 30},
          {146, 113, 36, 21},
          {171, 83, 29, 14}}},
        {"Lower Rhine", 218, 10, {{209, 47, 54, 23}, {246, 71, 18, 29}}},
        {"Lower Danube", 425, 100, {{413, 98, 63, 76}}},
        {"Mesopotamia",
         735,
         356,
         {{711, 404, 78, 46},
          {695, 411, 28, 20},
          {726, 390, 44, 23},
          {734, 380, 12, 12},
          {750, 416, 50, 12}}},
        {"Upper Danube", 360, 80, {{328, 28, 86, 114}, {334, 142, 78, 11}}},
        {"Lusitania", 34, 287, {{17, 258, 65, 128}}},
        {"Lugdunensis",
         150,
         100,
         {{104, 143, 100, 26},
          {205, 150, 20, 17},
          {80, 147, 30, 20},
          {119, 134, 50, 20},
          {116, 160, 15, 30}}},
        {"Narbonensis",
         187,
         188,
         {{180, 228, 49, 35}, {160, 250, 30, 20}, {216, 244, 25, 20}, {173, 230, 30, 30}}},
        {"Raetia", 240, 115, {{230, 140, 40, 50}}},
        {"Lydia",
         610,
         310,
         {{597, 343, 50, 35},
          {644, 350, 16, 24},
          {583, 359, 15, 21},
          {590, 378, 39, 13},
          {588, 352, 15, 11}}},
        {"Phrygia",
         536,
         294,
         {{518, 324, 60, 50},
          {513, 311, 41, 18},
          {575, 330, 17, 22},
          {530, 370, 47, 17},
          {550, 315, 18, 12}}},
        {"Cappadocia",
         670,
         264,
         {{645, 296, 74, 40}, {660, 335, 24, 16}, {683, 333, 16, 12}, {640, 310, 7, 20}}},
    };
    return table;
}

struct Territory {
    const char* name;
    const char* attributes;
};

const Territory kTerritories[] = {
    {"Upper Rhine", "Vandal, Frankish territory"},
    {"Lower Rhine", "Saxon territory"},
    {"Upper Danube", "Marcommani territory"},
    {"Lower Danube", "Goth territory"},
    {"Sarmatia", "Goth territory"},
    {"Armenia", "Sassanid territory"},
    {"Mesopotamia", "Sassanid territory"},
};

void buildArmyGroups(World& world) {
    struct GroupDef {
        const char* name;
        std::vector<const char*> provinces;
    };
    const GroupDef defs[] = {
        {"Rhine legions", {"Britannia", "Belgica", "Raetia"}},
        {"Danube legions", {"Raetia", "Dacia", "Thracia", "Pannonia"}},
        {"Eastern legions",
         {"Syria", "Palestina", "Pontus", "Aegyptus", "Lydia", "Cappadocia", "Phrygia"}},
        {"North african legions", {"Mauretania", "Africa"}},
    };
    world.armyGroups.clear();
    for (const GroupDef& def : defs) {
        ArmyGroup group;
        group.name = def.name;
        for (const char* p : def.provinces) {
            group.provinces.push_back(world.findProvince(p));
        }
        world.armyGroups.push_back(std::move(group));
    }
}

}  // namespace

void buildProvinceTable(World& world) {
    // 1. The provinces, in index order (each draws its recruit counter).
    for (int i = 0; i < kProvinceCount; ++i) {
        world.provinces[static_cast<std::size_t>(i)] =
            std::make_unique<Province>(kNames[i], world.random.draw() % 3);
    }
    // 2. Neighbours, anchors and rectangles.
    for (const NeighbourList& entry : neighbourTable()) {
        Province* p = world.findProvince(entry.name);
        for (const char* n : entry.neighbours) {
            p->addNeighbour(world.findProvince(n));
        }
    }
    for (const ProvinceGeometry& g : geometryTable()) {
        Province* p = world.findProvince(g.name);
        p->legionX = g.legionX;
        p->legionY = g.legionY;
        for (const auto& r : g.rects) {
            p->hitRects.push_back(Rect{r[0], r[1], r[0] + r[2], r[1] + r[3]});
        }
    }
    // 3. Attributes of the special provinces and of the lands beyond the frontier.
    Province* britannia = world.findProvince("Britannia");
    britannia->attributes = "Rebellious. Supports 2 legions";
    britannia->taxValue = 3;
    Province* aegyptus = world.findProvince("Aegyptus");
    aegyptus->attributes = "Rebellious. Supports 3 legions";
    aegyptus->taxValue = 4;
    Province* dacia = world.findProvince("Dacia");
    dacia->attributes = "Does not raise or support legions";
    dacia->taxValue = 1;
    for (const Territory& t : kTerritories) {
        Province* p = world.findProvince(t.name);
        p->taxValue = 0;
        p->attributes = t.attributes;
        p->hostility = 2;
    }
    // 4. The army groups (the starting owners are the game's to assign).
    buildArmyGroups(world);
}

Province* provinceAt(World& world, int x, int y) {
    for (auto& p : world.provinces) {
        if (!p) {
            continue;
        }
        for (const Rect& r : p->hitRects) {
            if (r.containsStrictly(x, y)) {
                return p.get();
            }
        }
    }
    return nullptr;
}

}  // namespace tessarion
