#include "app/GeneralPlayer.h"

#include <vector>

#include "engine/Orders.h"
#include "engine/Routes.h"
#include "model/Game.h"
#include "model/Presentation.h"
#include "ui/Shell.h"

namespace tessarion {

namespace {

// Every province one step away, in either direction of the neighbour lists.
std::vector<Province*> around(Game& game, Province* p) {
    std::vector<Province*> out;
    for (int i = 0; i < p->neighbourCount; ++i) {
        out.push_back(p->neighbours[static_cast<std::size_t>(i)]);
    }
    for (auto& q : game.provinces) {
        if (isNeighbour(q.get(), p) && !isNeighbour(p, q.get())) {
            out.push_back(q.get());
        }
    }
    return out;
}

int hostileLegionsIn(Game& game, Province* p) {
    int n = 0;
    for (Empire* e : game.powers()) {
        if (e != &game.romans) {
            n += e->legionsIn(p);
        }
    }
    return n;
}

bool threatened(Game& game, Province* p) {
    for (Province* q : around(game, p)) {
        if (hostileLegionsIn(game, q) > 0) {
            return true;
        }
    }
    return false;
}

int readyLegionsIn(const Empire& e, const Province* p) {
    int n = 0;
    for (const auto& l : e.legions) {
        n += sameProvince(l->province, p) && !l->moved && !l->hasRoute;
    }
    return n;
}

bool mustGarrison(const Province* p) {
    return p->name == "Britannia" || p->name == "Aegyptus";
}

}  // namespace

bool GeneralPlayer::acceptsPeace(int treasury, int price) {
    return price <= treasury / 4;
}

bool GeneralPlayer::paysBonus(int treasury, int amount) {
    return amount <= treasury - 5000;
}

GeneralPlayer::Order GeneralPlayer::chooseOrder(Game& game) {
    RomanEmpire& romans = game.romans;
    Order best;
    auto consider = [&](Province* from, Province* to, int score) {
        if (score > best.score && !refused_.count({from->name, to->name})) {
            best = Order{from, to, score};
        }
    };
    for (auto& slot : game.provinces) {
        Province* p = slot.get();
        const int ready = readyLegionsIn(romans, p);
        if (ready == 0) {
            continue;
        }
        const int here = romans.legionsIn(p);
        const bool holdHere = romans.ownsProvince(p) && (threatened(game, p) || mustGarrison(p));
        const int spare = holdHere ? here - 1 : here;
        for (Province* n : around(game, p)) {
            const int enemies = hostileLegionsIn(game, n);
            if (isBeyondBorder(n)) {
                // A raid leaves the legion at home: worth it against a small band.
                if (enemies > 0 && enemies <= ready) {
                    consider(p, n, 40 + ready - enemies);
                }
                continue;
            }
            Empire* owner = game.ownerOf(n);
            if (owner != &romans) {
                if (enemies == 0 && spare > 0) {
                    consider(p, n, mustGarrison(n) ? 95 : 90);
                } else if (enemies > 0 && enemies < ready + (holdHere ? 0 : 1)) {
                    consider(p, n, 60 + (ready - enemies) * 5);
                }
            } else if (spare > 0 && romans.legionsIn(n) == 0 &&
                       (threatened(game, n) || mustGarrison(n))) {
                consider(p, n, mustGarrison(n) ? 70 : 50);
            }
        }
        // Spare legions march on the nearest lost province.
        if (spare >= 2 && best.score < 20) {
            std::size_t shortest = 7;
            Province* goal = nullptr;
            for (auto& q : game.provinces) {
                if (isBeyondBorder(q.get()) || game.ownerOf(q.get()) == &romans ||
                    sameProvince(q.get(), p)) {
                    continue;
                }
                const Route r = findRoute(game, p, q.get());
                if (r.size() >= 2 && r.size() < shortest) {
                    shortest = r.size();
                    goal = q.get();
                }
            }
            if (goal != nullptr) {
                consider(p, goal, 20);
            }
        }
    }
    return best;
}

void GeneralPlayer::playTurn(Shell& shell) {
    Game& game = Game::instance();
    refused_.clear();
    const int year = game.year();
    // Every order either moves a legion, fights (a legion is lost) or is
    // refused and never tried again, so this ends; the bound is a safeguard.
    for (int guard = 0; guard < 500; ++guard) {
        const Order order = chooseOrder(game);
        if (order.from == nullptr) {
            return;
        }
        const std::size_t legionsBefore = game.romans.legions.size();
        const int readyBefore = readyLegionsIn(game.romans, order.from);
        shell.dragLegion(order.from, order.to);
        if (game.year() != year || game.romans.legions.empty()) {
            return;  // the turn ended by itself, or the game is over
        }
        if (game.romans.legions.size() == legionsBefore &&
            readyLegionsIn(game.romans, order.from) == readyBefore) {
            // Nothing visibly happened; do not ask for it again this turn.
            refused_.insert({order.from->name, order.to->name});
        }
    }
}

}  // namespace tessarion
