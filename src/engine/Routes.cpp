#include "engine/Routes.h"

#include <array>
#include <cstdint>

#include "model/FrontEnd.h"
#include "model/Province.h"
#include "model/ProvinceTable.h"
#include "model/Wording.h"
#include "model/World.h"

namespace tessarion {

const char* borderRuleExplanation(const Province* province) {
    if (isGermanicSide(province)) {
        return N_(
            "In 9 AD, a Roman army of 15,000 men was ambushed\r\nand massacred in the Teutoburg "
            "Forest of Germania.\r\nConsequently, Roman troops will not enter that "
            "\r\nterritory unless there are barbarians to attack.");
    }
    if (isBeyondBorder(province)) {
        return N_(
            "The Romans believed the Tigris river was the\r\n\"natural\" border of the "
            "empire. Roman\r\ntroops will not cross it unless there is an\r\nimmediate "
            "military threat.");
    }
    return "";
}

Route findRoute(World& world, Province* from, Province* to) {
    Route result = shortestRoute(from, to);
    checkRoute(world, result);
    return result;
}

Route shortestRoute(Province* from, Province* to) {
    Route result;
    if (from == nullptr || to == nullptr || from->index < 0) {
        return result;
    }
    // Breadth-first from `from`, neighbours in list order. The first time a
    // province is reached is along the route that wins the tie-break (fewest
    // steps, then earliest list positions step by step), so later arrivals can
    // be ignored; this gives the same route as enumerating partial routes.
    // Each province enters the search once, so it fits in place.
    struct Node {
        Province* province;
        int parent;
    };
    std::array<Node, kProvinceCount + 1> nodes;
    int count = 0;
    std::uint32_t reached = 0;
    const auto reach = [&](Province* p, int parent) {
        reached |= std::uint32_t{1} << p->index;
        nodes[static_cast<std::size_t>(count++)] = Node{p, parent};
    };
    reach(from, -1);
    int found = -1;
    // The nodes double as the queue: they are appended in the order reached.
    for (int index = 0; index < count && found < 0; ++index) {
        Province* last = nodes[static_cast<std::size_t>(index)].province;
        if (isNeighbour(last, to)) {
            nodes[static_cast<std::size_t>(count)] = Node{to, index};
            found = count++;
            break;
        }
        for (int n = 0; n < last->neighbourCount; ++n) {
            Province* next = last->neighbours[static_cast<std::size_t>(n)];
            if (next != nullptr && next->index >= 0 &&
                (reached & (std::uint32_t{1} << next->index)) == 0) {
                reach(next, index);
            }
        }
    }
    if (found < 0) {
        return result;
    }
    int steps = 0;
    for (int i = found; i >= 0; i = nodes[static_cast<std::size_t>(i)].parent) {
        ++steps;
    }
    result.resize(static_cast<std::size_t>(steps));
    for (int i = found; i >= 0; i = nodes[static_cast<std::size_t>(i)].parent) {
        result[static_cast<std::size_t>(--steps)] = nodes[static_cast<std::size_t>(i)].province;
    }
    return result;
}

void checkRoute(World& world, const Route& route) {
    for (std::size_t i = 0; i + 1 < route.size(); ++i) {
        if (!isNeighbour(route[i], route[i + 1])) {
            showMessage(world, "Route is invalid");
            return;
        }
    }
}

}  // namespace tessarion
