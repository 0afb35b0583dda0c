#pragma once

#include <optional>
#include <utility>

#include "game/Game.h"
#include "ui/MapHit.h"
#include "ui/Shell.h"

namespace tessarion::test {

// Window points for the window's tests to press and release at: one where a
// press picks up the province's legions (inside its legion box, not taken by
// a lower slot's), and one where a release drops on the province.
inline std::optional<std::pair<int, int>> pressPointFor(const Shell& shell, const Province* p) {
    for (int dy = 0; dy <= 59; ++dy) {
        for (int dx = 0; dx <= 73; ++dx) {
            if (shell.legionBoxAt(p->legionX + dx, p->legionY + dy) == p) {
                return std::make_pair(p->legionX + dx + shell.mapOriginX(),
                                      p->legionY + dy + Shell::kMapOriginY);
            }
        }
    }
    return std::nullopt;
}

inline std::optional<std::pair<int, int>> dropPointFor(const Shell& shell, const Province* p) {
    for (const Rect& r : p->hitRects) {
        for (int y = (r.top + r.bottom) / 2; y < r.bottom; ++y) {
            for (int x = (r.left + r.right) / 2; x < r.right; ++x) {
                if (provinceShownAt(shell.game(), x, y) == p) {
                    return std::make_pair(x + shell.mapOriginX(), y + Shell::kMapOriginY);
                }
            }
        }
    }
    return std::nullopt;
}

}  // namespace tessarion::test
