#include "model/ProvinceTable.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <iterator>
#include <memory>
#include <vector>

#include "model/Province.h"
#include "model/Wording.h"
#include "model/World.h"

namespace tessarion {

namespace {

// A short list held in place, so that the table is one constant.
template <typename T, std::size_t N>
struct Few {
    std::array<T, N> items{};
    std::size_t count = 0;

    constexpr Few(std::initializer_list<T> list) {
        for (const T& t : list) {
            items[count++] = t;
        }
    }
};

constexpr Rect box(int left, int top, int width, int height) {
    return Rect{left, top, left + width, top + height};
}

using P = ProvinceId;

// One row per province, in table order: what never changes during a game.
// Every game's provinces are made from these rows; the rectangles are shared.
struct ProvinceRow {
    const char* name;
    const char* attributes;
    int taxValue;
    int hostility;
    Frontier frontier;
    int legionX;
    int legionY;
    Few<ProvinceId, Province::kMaxNeighbours> neighbours;
    Few<Rect, 6> rects;  // left, top, width, height on the map picture
};

constexpr ProvinceRow kRows[] = {
    {"Italia",
     N_("Supports 1 legion"),
     2,
     0,
     Frontier::None,
     295,
     200,
     {P::Aquitania, P::Narbonensis, P::Pannonia, P::Dalmatia, P::Raetia},
     {box(240, 200, 76, 35), box(289, 238, 35, 37), box(293, 190, 35, 30), box(320, 245, 20, 45)}},
    {"Aquitania",
     N_("Supports 1 legion"),
     2,
     0,
     Frontier::None,
     150,
     160,
     {P::Italia, P::Terraconensis, P::Lugdunensis, P::Raetia, P::Narbonensis},
     {box(141, 183, 85, 35), box(131, 220, 30, 30), box(133, 190, 25, 80), box(150, 220, 20, 20)}},
    {"Terraconensis",
     N_("Supports 1 legion"),
     2,
     0,
     Frontier::None,
     86,
     256,
     {P::Aquitania, P::Lusitania, P::Narbonensis},
     {box(80, 253, 50, 100), box(130, 275, 50, 20), box(90, 336, 60, 20), box(124, 290, 40, 50)}},
    {N_("Upper Rhine"),
     N_("Vandal, Frankish territory"),
     0,
     2,
     Frontier::Germanic,
     275,
     67,
     {P::Belgica, P::Pannonia, P::Raetia},
     {box(262, 30, 64, 107), box(272, 135, 17, 13), box(283, 136, 22, 8)}},
    {"Mauretania",
     N_("Supports 1 legion"),
     2,
     0,
     Frontier::None,
     161,
     351,
     {P::Lusitania, P::Africa},
     {box(55, 386, 200, 43), box(183, 371, 55, 18)}},
    {"Africa",
     N_("Supports 1 legion"),
     2,
     0,
     Frontier::None,
     374,
     418,
     {P::Mauretania, P::Aegyptus},
     {box(253, 371, 40, 80), box(287, 431, 165, 62), box(240, 368, 20, 20)}},
    {"Aegyptus",
     N_("Rebellious. Supports 3 legions"),
     4,
     0,
     Frontier::None,
     544,
     457,
     {P::Africa, P::Palestina},
     {box(454, 442, 60, 50), box(509, 467, 100, 80)}},
    {"Dalmatia",
     N_("Supports 1 legion"),
     2,
     0,
     Frontier::None,
     390,
     205,
     {P::Pannonia, P::Italia, P::Dacia, P::Macedonia, P::Thracia},
     {box(346, 214, 90, 50), box(387, 222, 50, 65)}},
    {"Macedonia",
     N_("Supports 1 legion"),
     2,
     0,
     Frontier::None,
     437,
     272,
     {P::Dalmatia, P::Thracia},
     {box(418, 293, 75, 90)}},
    {"Pontus",
     N_("Supports 1 legion"),
     2,
     0,
     Frontier::None,
     600,
     250,
     {P::Thracia, P::Phrygia, P::Lydia, P::Cappadocia},
     {box(589, 282, 50, 50), box(570, 298, 25, 25), box(556, 299, 27, 16), box(597, 330, 31, 9)}},
    {"Palestina",
     N_("Supports 1 legion"),
     2,
     0,
     Frontier::None,
     625,
     423,
     {P::Syria, P::Aegyptus},
     {box(634, 429, 40, 50), box(606, 483, 35, 30), box(622, 463, 30, 30)}},
    {"Armenia",
     N_("Sassanid territory"),
     0,
     2,
     Frontier::Tigris,
     752,
     264,
     {P::Syria, P::Cappadocia},
     {box(742, 182, 58, 190), box(726, 297, 28, 61), box(685, 191, 55, 47)}},
    {"Sarmatia",
     N_("Goth territory"),
     0,
     2,
     Frontier::Germanic,
     520,
     150,
     {P::Dacia, P::Thracia},
     {box(480, 109, 150, 66), box(510, 180, 50, 30)}},
    {"Syria",
     N_("Supports 1 legion"),
     2,
     0,
     Frontier::None,
     662,
     335,
     {P::Palestina, P::Lydia, P::Cappadocia},
     {box(651, 381, 17, 40), box(664, 351, 50, 60), box(714, 343, 20, 60)}},
    {"Dacia",
     N_("Does not raise or support legions"),
     1,
     0,
     Frontier::None,
     450,
     150,
     {P::Dalmatia, P::Thracia},
     {box(433, 189, 58, 34), box(446, 176, 40, 20), box(487, 189, 20, 20), box(469, 219, 23, 26),
      box(425, 198, 22, 22), box(439, 180, 59, 9)}},
    {"Pannonia",
     N_("Supports 1 legion"),
     2,
     0,
     Frontier::None,
     327,
     125,
     {P::Italia, P::Dalmatia, P::Raetia},
     {box(277, 158, 135, 34), box(340, 193, 70, 20), box(295, 144, 35, 20)}},
    {"Britannia",
     N_("Rebellious. Supports 2 legions"),
     3,
     0,
     Frontier::None,
     104,
     12,
     {P::Belgica},
     {box(88, 17, 70, 87)}},
    {"Thracia",
     N_("Supports 1 legion"),
     2,
     0,
     Frontier::None,
     470,
     220,
     {P::Pontus, P::Phrygia, P::Dacia, P::Dalmatia, P::Macedonia},
     {box(434, 237, 100, 40), box(480, 280, 70, 30), box(440, 265, 100, 25)}},
    {"Belgica",
     N_("Supports 1 legion"),
     2,
     0,
     Frontier::None,
     180,
     40,
     {P::Britannia, P::Lugdunensis, P::Raetia},
     {box(165, 98, 87, 37), box(195, 77, 41, 27), box(185, 120, 25, 23), box(244, 108, 12, 30),
      box(146, 113, 36, 21), box(171, 83, 29, 14)}},
    {N_("Lower Rhine"),
     N_("Saxon territory"),
     0,
     2,
     Frontier::Germanic,
     218,
     10,
     {P::Britannia, P::Belgica},
     {box(209, 47, 54, 23), box(246, 71, 18, 29)}},
    {N_("Lower Danube"),
     N_("Goth territory"),
     0,
     2,
     Frontier::Germanic,
     425,
     100,
     {P::Pannonia, P::Dacia},
     {box(413, 98, 63, 76)}},
    {"Mesopotamia",
     N_("Sassanid territory"),
     0,
     2,
     Frontier::Tigris,
     735,
     356,
     {P::Syria},
     {box(711, 404, 78, 46), box(695, 411, 28, 20), box(726, 390, 44, 23), box(734, 380, 12, 12),
      box(750, 416, 50, 12)}},
    {N_("Upper Danube"),
     N_("Marcommani territory"),
     0,
     2,
     Frontier::Germanic,
     360,
     80,
     {P::Pannonia},
     {box(328, 28, 86, 114), box(334, 142, 78, 11)}},
    {"Lusitania",
     N_("Supports 1 legion"),
     2,
     0,
     Frontier::None,
     34,
     287,
     {P::Terraconensis, P::Mauretania},
     {box(17, 258, 65, 128)}},
    {"Lugdunensis",
     N_("Supports 1 legion"),
     2,
     0,
     Frontier::None,
     150,
     100,
     {P::Aquitania, P::Belgica, P::Raetia},
     {box(104, 143, 100, 26), box(205, 150, 20, 17), box(80, 147, 30, 20), box(119, 134, 50, 20),
      box(116, 160, 15, 30)}},
    {"Narbonensis",
     N_("Supports 1 legion"),
     2,
     0,
     Frontier::None,
     187,
     188,
     {P::Terraconensis, P::Italia, P::Aquitania},
     {box(180, 228, 49, 35), box(160, 250, 30, 20), box(216, 244, 25, 20), box(173, 230, 30, 30)}},
    {"Raetia",
     N_("Supports 1 legion"),
     2,
     0,
     Frontier::None,
     240,
     115,
     {P::Lugdunensis, P::Belgica, P::Italia, P::Aquitania, P::Pannonia},
     {box(230, 140, 40, 50)}},
    {"Lydia",
     N_("Supports 1 legion"),
     2,
     0,
     Frontier::None,
     610,
     310,
     {P::Syria, P::Cappadocia, P::Phrygia, P::Pontus},
     {box(597, 343, 50, 35), box(644, 350, 16, 24), box(583, 359, 15, 21), box(590, 378, 39, 13),
      box(588, 352, 15, 11)}},
    {"Phrygia",
     N_("Supports 1 legion"),
     2,
     0,
     Frontier::None,
     536,
     294,
     {P::Pontus, P::Lydia, P::Thracia},
     {box(518, 324, 60, 50), box(513, 311, 41, 18), box(575, 330, 17, 22), box(530, 370, 47, 17),
      box(550, 315, 18, 12)}},
    {"Cappadocia",
     N_("Supports 1 legion"),
     2,
     0,
     Frontier::None,
     670,
     264,
     {P::Pontus, P::Lydia, P::Syria},
     {box(645, 296, 74, 40), box(660, 335, 24, 16), box(683, 333, 16, 12), box(640, 310, 7, 20)}},

};

static_assert(std::size(kRows) == kProvinceCount);

struct GroupRow {
    const char* name;
    Few<ProvinceId, 7> provinces;
};

constexpr GroupRow kArmyGroups[] = {
    {N_("Rhine legions"), {P::Britannia, P::Belgica, P::Raetia}},
    {N_("Danube legions"), {P::Raetia, P::Dacia, P::Thracia, P::Pannonia}},
    {N_("Eastern legions"),
     {P::Syria, P::Palestina, P::Pontus, P::Aegyptus, P::Lydia, P::Cappadocia, P::Phrygia}},
    {N_("North african legions"), {P::Mauretania, P::Africa}},
};

void buildArmyGroups(World& world) {
    world.armyGroups.clear();
    for (const GroupRow& row : kArmyGroups) {
        ArmyGroup group;
        group.name = row.name;
        for (std::size_t i = 0; i < row.provinces.count; ++i) {
            group.provinces.push_back(world.province(row.provinces.items[i]));
        }
        world.armyGroups.push_back(std::move(group));
    }
}

}  // namespace

void buildProvinceTable(World& world) {
    // The provinces in table order (each draws its recruit counter), then
    // their neighbours, which must all exist first.
    for (std::size_t i = 0; i < std::size(kRows); ++i) {
        const ProvinceRow& row = kRows[i];
        auto p = std::make_unique<Province>(row.name, world.random.draw() % 3);
        p->attributes = row.attributes;
        p->taxValue = row.taxValue;
        p->hostility = row.hostility;
        p->frontier = row.frontier;
        p->legionX = row.legionX;
        p->legionY = row.legionY;
        p->hitRects = std::span<const Rect>(row.rects.items.data(), row.rects.count);
        p->index = static_cast<int>(i);
        world.provinces[i] = std::move(p);
    }
    for (std::size_t i = 0; i < std::size(kRows); ++i) {
        const auto& neighbours = kRows[i].neighbours;
        for (std::size_t n = 0; n < neighbours.count; ++n) {
            world.provinces[i]->addNeighbour(world.province(neighbours.items[n]));
        }
    }
    buildArmyGroups(world);
}

Province* provinceAt(World& world, int x, int y) {
    // Which province each point of the map belongs to, worked out once from
    // the rows as the rule reads: provinces in table order, the first whose
    // rectangle holds the point strictly. Every rectangle lies on the map.
    static const std::vector<std::int8_t> owners = [] {
        std::vector<std::int8_t> grid(static_cast<std::size_t>(kMapWidth) * kMapHeight, -1);
        for (std::size_t i = std::size(kRows); i-- > 0;) {
            const auto& rects = kRows[i].rects;
            for (std::size_t r = 0; r < rects.count; ++r) {
                const Rect& rect = rects.items[r];
                for (int py = std::max(rect.top + 1, 0); py < std::min(rect.bottom, kMapHeight);
                     ++py) {
                    for (int px = std::max(rect.left + 1, 0); px < std::min(rect.right, kMapWidth);
                         ++px) {
                        grid[static_cast<std::size_t>(py) * kMapWidth +
                             static_cast<std::size_t>(px)] = static_cast<std::int8_t>(i);
                    }
                }
            }
        }
        return grid;
    }();
    if (x < 0 || x >= kMapWidth || y < 0 || y >= kMapHeight) {
        return nullptr;
    }
    const int index = owners[static_cast<std::size_t>(y) * kMapWidth + static_cast<std::size_t>(x)];
    return index < 0 ? nullptr : world.provinces[static_cast<std::size_t>(index)].get();
}

}  // namespace tessarion
