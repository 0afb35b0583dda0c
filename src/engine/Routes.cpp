#include "engine/Routes.h"

#include <algorithm>
#include <queue>
#include <string>
#include <unordered_set>

#include "model/FrontEnd.h"
#include "model/Province.h"
#include "model/World.h"

namespace tessarion {

void explainBorderRule(World& world, const Province* province) {
    if (isGermanicSide(province)) {
        showMessage(
            world,
            "In 9 AD, a Roman army of 15,000 men was ambushed\r\nand massacred in the Teutoburg "
            "Forest of "
            "Germania.\r\nConsequently, Roman troops will not enter that \r\nterritory unless "
            "there are barbarians "
            "to attack.");
    } else if (isBeyondBorder(province)) {
        showMessage(
            world,
            "The Romans believed the Tigris river was the\r\n\"natural\" border of the empire. "
            "Roman\r\ntroops "
            "will not cross it unless there is an\r\nimmediate military threat.");
    }
}

Route findRoute(World& world, Province* from, Province* to) {
    (void)world;
    Route result;
    if (from == nullptr || to == nullptr) {
        return result;
    }
    // Breadth-first from `from`, neighbours in list order. The first time a
    // province is reached is along the route that wins the tie-break (fewest
    // steps, then earliest list positions step by step), so later arrivals can
    // be ignored; this gives the same route as enumerating partial routes,
    // without the blow-up on large maps.
    std::vector<std::pair<Province*, int>> nodes;  // province, parent index
    std::unordered_set<std::string> reached;
    std::queue<int> queue;
    nodes.emplace_back(from, -1);
    reached.insert(from->name);
    queue.push(0);
    int found = -1;
    while (!queue.empty() && found < 0) {
        const int index = queue.front();
        queue.pop();
        Province* last = nodes[static_cast<std::size_t>(index)].first;
        if (isNeighbour(last, to)) {
            nodes.emplace_back(to, index);
            found = static_cast<int>(nodes.size()) - 1;
            break;
        }
        for (int n = 0; n < last->neighbourCount; ++n) {
            Province* next = last->neighbours[static_cast<std::size_t>(n)];
            if (next == nullptr || !reached.insert(next->name).second) {
                continue;
            }
            nodes.emplace_back(next, index);
            queue.push(static_cast<int>(nodes.size()) - 1);
        }
    }
    if (found < 0) {
        return result;
    }
    for (int i = found; i >= 0; i = nodes[static_cast<std::size_t>(i)].second) {
        result.push_back(nodes[static_cast<std::size_t>(i)].first);
    }
    std::reverse(result.begin(), result.end());
    checkRoute(world, result);
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
