#pragma once

#include <deque>
#include <functional>
#include <optional>

#include "model/Legion.h"
#include "model/Province.h"

namespace tessarion::test {

// A breadth-first search written the plain way: every partial route in a
// queue, nothing remembered between them, neighbours tried in list order. The
// game's own searches must agree with it, tie-breaks included.
inline std::optional<Route> referenceSearch(Province* start,
                                            const std::function<bool(const Province*)>& goal) {
    std::deque<Route> queue{{start}};
    while (!queue.empty()) {
        const Route r = queue.front();
        queue.pop_front();
        const Province* last = r.back();
        for (int i = 0; i < last->neighbourCount; ++i) {
            Province* n = last->neighbours[static_cast<std::size_t>(i)];
            bool seen = false;
            for (const Province* q : r) {
                seen = seen || q->name == n->name;
            }
            if (seen) {
                continue;
            }
            Route longer = r;
            longer.push_back(n);
            if (goal(n)) {
                return longer;
            }
            queue.push_back(longer);
        }
    }
    return std::nullopt;
}

}  // namespace tessarion::test
