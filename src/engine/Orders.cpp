#include "engine/Orders.h"

#include <utility>

#include "model/YearRecord.h"

#include "engine/Realm.h"
#include "engine/Rebellions.h"
#include "engine/Routes.h"
#include "model/FrontEnd.h"
#include "model/InternalError.h"
#include "model/Random.h"
#include "model/Wording.h"

namespace tessarion {

bool hasReadyLegion(const Empire& empire, const Province* province) {
    for (const auto& l : empire.legions) {
        if (sameProvince(l->province, province) && !l->moved && !l->hasRoute) {
            return true;
        }
    }
    return false;
}

bool hasUnmovedLegionIn(const Empire& empire, const Province* province) {
    for (const auto& l : empire.legions) {
        if (sameProvince(l->province, province) && !l->moved) {
            return true;
        }
    }
    return false;
}

Legion* setLegionRoute(Empire& empire, const Province* province, const Route& route) {
    for (auto& l : empire.legions) {
        if (sameProvince(l->province, province) && !l->moved) {
            l->setRoute(route);
            return l.get();
        }
    }
    showMessage(empire.world, "ERROR: setLegionRoute didn't find a legion to move");
    return nullptr;
}

namespace {

constexpr RefusalReason kRefusals[] = {
    {OrderRefusal::None, false, ""},
    // TRANSLATORS: FROM and TO are replaced by the provinces' names: keep them as they are.
    {OrderRefusal::NoLegion, false, N_("no Roman legion stands in FROM")},
    {OrderRefusal::AllMoved, true, N_("all the legions in FROM have already moved")},
    {OrderRefusal::Marching, false, N_("the legions in FROM are already marching to their orders")},
    {OrderRefusal::SamePlace, false, N_("the legion is already in TO")},
    {OrderRefusal::NoProvince, false, N_("there is no province there")},
    {OrderRefusal::BorderRule, true,
     N_("Roman troops stay out of TO unless there is an enemy to attack")},
    {OrderRefusal::TooFarBeyond, false, N_("too far beyond the frontier")},
    {OrderRefusal::NoRoute, false, N_("there is no way from FROM to TO")},
};

void replaceAll(std::string& text, const std::string& what, const std::string& by) {
    for (std::size_t at = text.find(what); at != std::string::npos;
         at = text.find(what, at + by.size())) {
        text.replace(at, what.size(), by);
    }
}

OrderPlan refused(OrderRefusal why, std::string explanation = {}) {
    OrderPlan plan;
    plan.refusal = why;
    plan.explanation = std::move(explanation);
    return plan;
}

}  // namespace

const RefusalReason& refusalReason(OrderRefusal refusal) {
    for (const RefusalReason& reason : kRefusals) {
        if (reason.refusal == refusal) {
            return reason;
        }
    }
    throw InternalError("a refusal without a reason");
}

std::string refusalText(OrderRefusal refusal, const Province* from, const Province* to,
                        const Wording& wording) {
    std::string text = wording.text(refusalReason(refusal).text);
    replaceAll(text, "FROM", from != nullptr ? from->name : "");
    replaceAll(text, "TO", to != nullptr ? to->name : "");
    return text;
}

// The checks of an order, in the order the rules make them.
OrderPlan planOrder(Realm& realm, const Province* from, const Province* to) {
    RomanEmpire& romans = realm.romans;
    if (from == nullptr || romans.legions.empty() || !hasReadyLegion(romans, from)) {
        if (from == nullptr || romans.legionsIn(from) == 0) {
            return refused(OrderRefusal::NoLegion);
        }
        if (hasUnmovedLegionIn(romans, from)) {
            return refused(OrderRefusal::Marching);
        }
        return refused(OrderRefusal::AllMoved,
                       N_("Princeps,\r\n\r\nAll the units in the province have already "
                          "moved.\r\nNotice how the legion icon appears grayed out.  You will "
                          "be\r\nable to move grayed out legions again next turn."));
    }
    if (to == nullptr) {
        return refused(OrderRefusal::NoProvince);
    }
    if (to == from) {
        return refused(OrderRefusal::SamePlace);
    }
    const Empire* owner = realm.ownerOf(to);
    const bool defended = owner != nullptr && owner->legionsIn(to) > 0;
    if (isBeyondBorder(to) && !defended) {
        return refused(OrderRefusal::BorderRule, borderRuleExplanation(to));
    }
    OrderPlan plan;
    if (isNeighbour(from, to) || isNeighbour(to, from)) {
        const bool hostile = owner != nullptr && owner != &romans;
        plan.kind = !hostile || !defended ? OrderKind::Move
                    : isBeyondBorder(to)  ? OrderKind::Raid
                                          : OrderKind::Attack;
        plan.route = {const_cast<Province*>(from), const_cast<Province*>(to)};
        return plan;
    }
    if (isBeyondBorder(to)) {
        return refused(OrderRefusal::TooFarBeyond);
    }
    plan.route = findRoute(realm, const_cast<Province*>(from), const_cast<Province*>(to));
    if (plan.route.size() < 2) {
        return refused(OrderRefusal::NoRoute);
    }
    plan.kind = OrderKind::Route;
    return plan;
}

OrderResult dropLegion(Realm& realm, Province* from, Province* to) {
    const OrderPlan plan = planOrder(realm, from, to);
    if (!plan.accepted()) {
        if (!plan.explanation.empty()) {
            showMessage(realm, plan.explanation);
        }
        return {OrderOutcome::Refused, plan.refusal};
    }
    RomanEmpire& romans = realm.romans;
    if (plan.kind != OrderKind::Route) {
        const OrderOutcome outcome = attackProvince(to, romans, from);
        return {outcome,
                outcome == OrderOutcome::Refused ? OrderRefusal::NoLegion : OrderRefusal::None};
    }
    Legion* legion = setLegionRoute(romans, from, plan.route);
    if (legion == nullptr) {
        return {OrderOutcome::Refused, OrderRefusal::NoLegion};
    }
    romans.moveLegionStep(legion);
    return {OrderOutcome::Marched, OrderRefusal::None};
}

namespace {

Legion* readyLegionIn(RomanEmpire& attacker, const Province* source) {
    for (auto& l : attacker.legions) {
        if (sameProvince(l->province, source) && !l->hasRoute && !l->moved) {
            return l.get();
        }
    }
    return nullptr;
}

// One battle against the legions holding `target`: either side may lose a
// legion, and the last defender lost gives up the province.
OrderOutcome fightFor(Province* target, RomanEmpire& attacker, Province* source, Legion* acting,
                      Empire* owner) {
    Realm& realm = attacker.realm;
    const RecordCause battle(realm, isBeyondBorder(target) ? BattleKind::Raid : BattleKind::Attack,
                             target, source, attacker.power, owner->power);
    attacker.realm.frontEnd().animateMove(acting->province, target);
    const int r = realm.random.draw();
    if (r % 2 == 0) {
        attacker.realm.frontEnd().flashLegion(attacker.power, source);
        attacker.destroyFirstLegionIn(source, [](const Legion& l) { return !l.moved; });
        realm.addNews(formatText("Our attack on %s failed", target->name.c_str()));
        return OrderOutcome::BattleLost;
    }
    attacker.realm.frontEnd().flashLegion(owner->power, target);
    owner->destroyFirstLegionIn(target, [](const Legion&) { return true; });
    if (owner->legionsIn(target) > 0) {
        acting->moved = true;
        realm.addNews(formatText("Enemy legion in %s defeated", target->name.c_str()));
        return OrderOutcome::BattleWon;
    }
    takeProvince(&attacker, target, realm, owner);
    moveLegionInto(acting, target);
    if (owner->legions.empty() && owner->power != Power::RebellingLegions) {
        const int r2 = realm.random.draw();
        if (r2 % kSkill.victorsRebelOdds[realm.skillLevel()] == 0) {
            rebelLegions(target, attacker);
        }
    }
    return isBeyondBorder(target) ? OrderOutcome::BattleWon : OrderOutcome::TookProvince;
}

}  // namespace

OrderOutcome attackProvince(Province* target, RomanEmpire& attacker, Province* source) {
    Realm& realm = attacker.realm;
    Legion* acting = readyLegionIn(attacker, source);
    if (acting == nullptr) {
        // Callers check for a ready legion first; without one there is nobody
        // to carry out the order.
        return OrderOutcome::Refused;
    }
    // readyLegionIn found it standing in `source`: anything else is a fault
    // of the rules, never a word for the player.
    if (acting->province != source) {
        throw InternalError("legion's current province (" + acting->province->name +
                            ") doesn't match from->name() (" + source->name + ")");
    }
    Empire* owner = realm.getOwner(target);
    const bool hostile = owner != nullptr && owner != &attacker;
    if (!hostile) {
        takeProvince(&attacker, target, realm, nullptr);
        moveLegionInto(acting, target);
        return owner == nullptr ? OrderOutcome::TookProvince : OrderOutcome::Moved;
    }
    if (owner->legionsIn(target) == 0) {
        takeProvince(&attacker, target, realm, owner);
        moveLegionInto(acting, target);
        return OrderOutcome::TookProvince;
    }
    return fightFor(target, attacker, source, acting, owner);
}

void moveLegionInto(Legion* legion, Province* province) {
    if (!isBeyondBorder(province)) {
        Province* from = legion->province;
        legion->province = province;
        if (legion->owner != nullptr) {
            legion->owner->legionMoved(*legion, from);
        }
    }
    legion->moved = true;
}

}  // namespace tessarion
