#pragma once

#include <string>

#include "model/Legion.h"
#include "model/Wording.h"

namespace tessarion {

class Empire;
class Realm;
class RomanEmpire;
struct Province;

// Why the Romans' legion in one province cannot be sent to another. Each has
// one line in the table of reasons (Orders.cpp).
enum class OrderRefusal {
    None,
    NoLegion,      // no Roman legion stands in the province
    AllMoved,      // every legion there has moved this turn
    Marching,      // the legions there that have not moved follow their routes
    SamePlace,     // dropped where it stands
    NoProvince,    // dropped where no province is (the window's sea)
    BorderRule,    // beyond the frontier, with no enemy there to strike
    TooFarBeyond,  // beyond the frontier and not next door: no route goes there
    NoRoute,       // not a neighbour, and no way leads there
};

// What an accepted order does.
enum class OrderKind {
    Move,    // into a neighbouring province without enemy legions (taking it if it is not ours)
    Attack,  // a battle for a neighbouring province
    Raid,    // a battle beyond the frontier: the legion stays at home
    Route,   // a march along `route`, the first step at once
};

// The answer to "can the Romans' legion in `from` go to `to`?"
struct OrderPlan {
    OrderRefusal refusal = OrderRefusal::None;
    OrderKind kind = OrderKind::Move;
    // Every province from the source to the target, both included; empty when
    // refused.
    Route route;
    // What the advisor tells the player when the order is given anyway (all
    // the legions have moved, the frontier rules); empty when the rules say
    // nothing.
    std::string explanation;

    bool accepted() const { return refusal == OrderRefusal::None; }
};

// Changes nothing, draws nothing and shows nothing: the order a drag from
// `from` to `to` would give (`to` may be none, for a drop on no province),
// with what the advisor would say of a refusal.
OrderPlan planOrder(Realm& realm, const Province* from, const Province* to);

// What carrying out an order did.
enum class OrderOutcome {
    Refused,
    Moved,         // into a province already ours, or beyond the frontier after a raid
    TookProvince,  // without a battle, or by winning the last battle for it
    BattleWon,     // a defender fell; more stand there, or it was a raid
    BattleLost,    // our legion fell
    Marched,       // route given and its first step taken
};

struct OrderResult {
    OrderOutcome outcome = OrderOutcome::Refused;
    OrderRefusal refusal = OrderRefusal::None;
    bool carriedOut() const { return outcome != OrderOutcome::Refused; }
};

// Carries out the order planned for a drag from `from` to `to`: the plan's
// explanation shown when it is refused, and the same draws in the same order
// as the player's drag.
// A carried out order leaves the map to be redrawn.
OrderResult dropLegion(Realm& realm, Province* from, Province* to);

// One line of the table of reasons.
struct RefusalReason {
    OrderRefusal refusal;
    // The rules tell the player themselves with an advisor box.
    bool explainedByAdvisor;
    // The short text; "FROM" and "TO" stand for the provinces' names.
    const char* text;
};
const RefusalReason& refusalReason(OrderRefusal refusal);
// The short text of a refusal for the player ("too far beyond the frontier").
std::string refusalText(OrderRefusal refusal, const Province* from, const Province* to,
                        const Wording& wording = englishWording());

// A legion of the empire stands in the province with neither moved nor a route.
bool hasReadyLegion(const Empire& empire, const Province* province);
// A legion of the empire stands in the province and has not moved.
bool hasUnmovedLegionIn(const Empire& empire, const Province* province);

// Gives the route to the first unmoved legion in the province.
Legion* setLegionRoute(Empire& empire, const Province* province, const Route& route);

// Move into, or attack, a neighbouring province; what came of it.
OrderOutcome attackProvince(Province* target, RomanEmpire& attacker, Province* source);

void moveLegionInto(Legion* legion, Province* province);

}  // namespace tessarion
