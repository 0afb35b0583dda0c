#include "game/GeneralPlayer.h"

#include <algorithm>

#include "engine/Orders.h"
#include "engine/Routes.h"
#include "game/Game.h"
#include "game/TurnCycle.h"

namespace tessarion {

namespace {

constexpr int kCount = kProvinceCount;
constexpr int kItaliaGarrison = 3;

bool special(const Province* p) {
    return p->is(ProvinceId::Britannia) || p->is(ProvinceId::Aegyptus) || p->is(ProvinceId::Italia);
}

}  // namespace

bool GeneralPlayer::acceptsPeace(int treasury, int price, int years) {
    // Gold cannot raise legions, but a tribe at war sends an army every five to
    // nine years, and every legion of it costs one of ours on average: peace
    // is worth whatever the treasury holds.
    (void)years;
    return price <= treasury;
}

bool GeneralPlayer::paysBonus(int treasury, int amount) {
    return amount <= treasury;
}

int GeneralPlayer::View::indexOf(const Province* p) const {
    // The view lists the game's provinces in table order.
    if (p != nullptr && p->index >= 0 && p->index < kCount &&
        province[static_cast<std::size_t>(p->index)] == p) {
        return p->index;
    }
    return -1;
}

namespace {

// The part of the view that stays while the game does: the provinces, who
// neighbours whom, and which provinces belong to an army group.
void mapProvinces(Game& game, GeneralPlayer::View& v) {
    v = GeneralPlayer::View();
    v.game = &game;
    for (int i = 0; i < kCount; ++i) {
        const auto u = static_cast<std::size_t>(i);
        v.province[u] = game.provinces[u].get();
        v.beyond[u] = isBeyondBorder(v.province[u]);
    }
    for (int i = 0; i < kCount; ++i) {
        const Province* p = v.province[static_cast<std::size_t>(i)];
        for (int n = 0; n < p->neighbourCount; ++n) {
            const int j = v.indexOf(p->neighbours[static_cast<std::size_t>(n)]);
            if (j < 0) {
                continue;
            }
            v.strikes[static_cast<std::size_t>(i)].push_back(j);
            auto& a = v.around[static_cast<std::size_t>(i)];
            auto& b = v.around[static_cast<std::size_t>(j)];
            if (std::find(a.begin(), a.end(), j) == a.end()) {
                a.push_back(j);
            }
            if (std::find(b.begin(), b.end(), i) == b.end()) {
                b.push_back(i);
            }
        }
    }
    for (const ArmyGroup& group : game.armyGroups) {
        for (const Province* p : group.provinces) {
            if (const int i = v.indexOf(p); i >= 0) {
                v.inArmyGroup[static_cast<std::size_t>(i)] = true;
            }
        }
    }
}

// Enemy legions a province may see next turn, by where they stand now.
struct Threats {
    std::array<int, kCount> foreign{};   // German and Persian legions
    std::array<int, kCount> incoming{};  // routed rebels whose next step is there
};

// Who holds each province and whose legions stand where.
Threats countLegions(Game& game, GeneralPlayer::View& v) {
    using View = GeneralPlayer::View;
    Threats threats;
    v.owner.fill(-1);
    v.roman.fill(0);
    v.ready.fill(0);
    v.enemy.fill(0);
    v.persians.fill(0);
    const auto powers = game.powers();
    for (int k = 0; k < 4; ++k) {
        Empire* e = powers[static_cast<std::size_t>(k)];
        for (const Province* p : e->provinces) {
            if (const int i = v.indexOf(p); i >= 0) {
                v.owner[static_cast<std::size_t>(i)] = k;
            }
        }
        v.powerLegions[static_cast<std::size_t>(k)] = e->legionCount();
        for (const auto& l : e->legions) {
            const int i = v.indexOf(l->province);
            if (i < 0) {
                continue;
            }
            const auto u = static_cast<std::size_t>(i);
            if (k == View::kRomans) {
                v.roman[u] += 1;
                v.ready[u] += !l->moved && !l->hasRoute;
                continue;
            }
            v.enemy[u] += 1;
            if (k == View::kPersians) {
                v.persians[u] += 1;
            }
            if (k != View::kRebels) {
                threats.foreign[u] += 1;
            } else if (l->hasRoute && l->routeIndex + 1 < static_cast<int>(l->route.size())) {
                if (const int next = v.indexOf(l->nextStep()); next >= 0) {
                    threats.incoming[static_cast<std::size_t>(next)] += 1;
                }
            }
        }
    }
    return threats;
}

// How many enemy legions may strike each province, and the garrison the
// general keeps there against them.
void weighDanger(const Threats& threats, GeneralPlayer::View& v) {
    using View = GeneralPlayer::View;
    v.danger.fill(0);
    v.wanted.fill(0);
    // Foreign legions strike along their own neighbour lists; rebels only
    // march where their routes lead.
    for (int q = 0; q < kCount; ++q) {
        const int band = threats.foreign[static_cast<std::size_t>(q)];
        if (band == 0) {
            continue;
        }
        for (int j : v.strikes[static_cast<std::size_t>(q)]) {
            auto& d = v.danger[static_cast<std::size_t>(j)];
            d = std::max(d, band);
        }
    }
    for (int i = 0; i < kCount; ++i) {
        const auto u = static_cast<std::size_t>(i);
        v.danger[u] += threats.incoming[u];
        if (v.owner[u] != View::kRomans) {
            continue;
        }
        if (v.danger[u] > 0) {
            v.wanted[u] = v.danger[u] + 1;
        } else if (special(v.province[u])) {
            v.wanted[u] = 1;
        }
        if (v.province[u]->is(ProvinceId::Italia)) {
            // Rome plundered halves the treasury: Italia is never left thin.
            v.wanted[u] = std::max(v.wanted[u], kItaliaGarrison);
        }
    }
}

// Beating the last band of the Germans or the Persians in a province of an
// army group may make the victors proclaim their own emperor: let such a band
// break on our garrisons instead.
bool risky(const GeneralPlayer::View& v, int t) {
    using View = GeneralPlayer::View;
    const auto ut = static_cast<std::size_t>(t);
    const int k = v.owner[ut];
    return (k > View::kRomans && k != View::kRebels &&
            v.powerLegions[static_cast<std::size_t>(k)] <= 1 && v.inArmyGroup[ut]) ||
           // The Persians march again only once their last band is gone.
           (v.persians[ut] > 0 && v.powerLegions[View::kPersians] <= 1);
}

// What an order from `s` to its neighbour `t` is worth; 0 or less for none.
int neighbourScore(const GeneralPlayer::View& v, int s, int t) {
    using View = GeneralPlayer::View;
    const auto us = static_cast<std::size_t>(s);
    const auto ut = static_cast<std::size_t>(t);
    const int spare = v.spare(s);
    const int here = v.roman[us];
    const int enemies = v.enemy[ut];
    // Every battle is a coin toss that costs one side a legion, so an enemy
    // band costs us a legion on average whoever strikes first; striking first
    // keeps it from marching through empty provinces. Only a province's last
    // legion stays put while others threaten it.
    const bool canStrike = enemies > 0 && !risky(v, t) && (spare > 0 || v.danger[us] <= enemies);
    if (v.beyond[ut]) {
        // A raid leaves the legion at home: best against a band about to cross.
        return canStrike ? 55 + std::min(here - enemies, 9) : 0;
    }
    if (v.owner[ut] != View::kRomans) {
        const int bonus = special(v.province[ut]) ? 5 : 0;
        if (enemies == 0) {
            return spare > 0 ? 90 + bonus : here >= 2 ? 75 + bonus : 0;
        }
        return canStrike ? 60 + std::min(here - enemies, 9) : 0;
    }
    const int deficit = v.wanted[ut] - v.roman[ut];
    if (deficit > 0 && spare > 0) {
        return 50 + std::min(deficit, 9) + (special(v.province[ut]) ? 1 : 0);
    }
    return 0;
}

// The first step from `s` towards the nearest province that is short of
// legions or lost, over our own land; -1 when there is none.
int stepTowardsNeed(const GeneralPlayer::View& v, int s) {
    using View = GeneralPlayer::View;
    const int spare = v.spare(s);
    std::array<int, kCount> firstStep;
    firstStep.fill(-1);
    std::array<int, kCount> queue{};
    int head = 0;
    int tail = 0;
    firstStep[static_cast<std::size_t>(s)] = s;
    queue[static_cast<std::size_t>(tail++)] = s;
    while (head < tail) {
        const int m = queue[static_cast<std::size_t>(head++)];
        const auto um = static_cast<std::size_t>(m);
        const bool goal = m != s && ((v.owner[um] == View::kRomans && v.wanted[um] > v.roman[um]) ||
                                     (v.owner[um] != View::kRomans && v.enemy[um] < spare));
        if (goal) {
            return firstStep[um];
        }
        if (m != s && v.owner[um] != View::kRomans) {
            continue;  // the way on leads through our own provinces only
        }
        for (int n : v.around[um]) {
            const auto un = static_cast<std::size_t>(n);
            if (firstStep[un] >= 0 || v.beyond[un]) {
                continue;
            }
            firstStep[un] = m == s ? n : firstStep[um];
            queue[static_cast<std::size_t>(tail++)] = n;
        }
    }
    return -1;
}

}  // namespace

void GeneralPlayer::look(Game& game, View& v) {
    if (v.game != &game) {
        mapProvinces(game, v);
    }
    weighDanger(countLegions(game, v), v);
}

GeneralPlayer::Order GeneralPlayer::chooseOrder(const View& v) const {
    Order best;
    auto consider = [&](int from, int to, int score) {
        if (score > best.score && !refused_.count({from, to})) {
            best = Order{from, to, score};
        }
    };
    for (int s = 0; s < kCount; ++s) {
        if (v.ready[static_cast<std::size_t>(s)] == 0) {
            continue;
        }
        const int before = best.score;
        for (int t : v.around[static_cast<std::size_t>(s)]) {
            consider(s, t, neighbourScore(v, s, t));
        }
        // A march is worth 20: not worth the search once a better order is found.
        if (v.spare(s) <= 0 || best.score > before || best.score >= 20) {
            continue;
        }
        // Nothing to do next door: a step towards where legions are needed.
        if (const int step = stepTowardsNeed(v, s); step >= 0) {
            consider(s, step, 20);
        }
    }
    return best;
}

void GeneralPlayer::playTurn(Game& game) {
    refused_.clear();
    const int year = game.year();
    // Every order moves a legion, fights (a legion is lost or spent) or is
    // refused and never tried again this turn, so this ends; the bound is a
    // safeguard.
    for (int guard = 0; guard < 500; ++guard) {
        look(game, view_);
        const Order order = chooseOrder(view_);
        if (order.from < 0) {
            return;
        }
        const auto from = static_cast<std::size_t>(order.from);
        const int readyBefore = view_.ready[from];
        const std::size_t legionsBefore = game.romans.legions.size();
        const OrderResult result =
            orderLegion(game, view_.province[from], view_.province[static_cast<std::size_t>(order.to)]);
        if (!result.carriedOut()) {
            refused_.insert({order.from, order.to});
            continue;
        }
        if (game.year() != year || game.romans.legions.empty()) {
            return;  // the turn ended by itself, or the game is over
        }
        int readyAfter = 0;
        for (const auto& l : game.romans.legions) {
            readyAfter +=
                sameProvince(l->province, view_.province[from]) && !l->moved && !l->hasRoute;
        }
        if (game.romans.legions.size() == legionsBefore && readyAfter == readyBefore) {
            // Nothing visibly happened; do not ask for it again this turn.
            refused_.insert({order.from, order.to});
        }
    }
}

}  // namespace tessarion
