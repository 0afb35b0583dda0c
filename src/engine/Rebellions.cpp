#include "engine/Rebellions.h"

#include "engine/Orders.h"
#include "engine/Routes.h"
#include "model/Advisor.h"
#include "model/Game.h"
#include "model/Random.h"

namespace tessarion {

ArmyGroup* findArmyGroup(const Province* province, Game& game) {
    for (ArmyGroup& group : game.armyGroups) {
        for (const Province* p : group.provinces) {
            if (sameProvince(p, province)) {
                return &group;
            }
        }
    }
    return nullptr;
}

void rebelLegions(Province* province, Empire& empire) {
    Game& game = Game::instance();
    ArmyGroup* group = findArmyGroup(province, game);
    if (group == nullptr) {
        return;
    }
    Province* italia = game.findProvince("Italia");
    bool firstWithLegions = true;
    for (Province* q : group->provinces) {
        if (!empire.ownsProvince(q)) {
            continue;
        }
        const int n = empire.legionsIn(q);
        empire.removeLegionsIn(q);
        empire.removeProvince(q);
        game.rogueRomans.addProvince(q);
        revoltProvince(game, q);
        if (n > 0) {
            if (firstWithLegions) {
                const Route route = findRoute(game, q, italia);
                addRebelLegions(game, q, n, &route);
                firstWithLegions = false;
            } else {
                addRebelLegions(game, q, n);
            }
        }
    }
    showMessage("Princeps,\r\n\r\nThe " + group->name +
                " have rebelled! They have\r\nproclaimed their commander the new Emperor and "
                "are\r\nmarching on "
                "Rome!");
    RomanEmpire* romans = dynamic_cast<RomanEmpire*>(&empire);
    if (romans != nullptr && !romans->rebellionExplained) {
        showMessage(
            "When a province rebels it is shown in white, and any legions\r\nin it are shown in "
            "red.  You no longer "
            "control rebelling\r\nlegions.  To regain control of a rebelling province you\r\nmust "
            "move a "
            "non-rebelling legion into it.");
        romans->rebellionExplained = true;
    }
    game.rogueRomans.setRouteForLegionsIn(province, findRoute(game, province, italia));
}

void revoltProvince(Game& game, Province* province) {
    Empire* holder = nullptr;
    if (game.romans.ownsProvince(province)) {
        holder = &game.romans;
    } else {
        holder = game.getOwner(province);
    }
    if (holder == nullptr) {
        return;
    }
    const int n = holder->legionsIn(province);
    if (n > 0) {
        holder->removeLegionsIn(province);
    }
    takeProvince(&game.rogueRomans, province, game, holder);
    addRebelLegions(game, province, n);
}

void addRebelLegions(Game& game, Province* province, int count, const Route* route) {
    for (int i = 0; i < count; ++i) {
        Legion* l = game.rogueRomans.createLegion(province);
        if (route != nullptr && route->size() >= 2) {
            l->setRoute(*route);
        }
    }
}

namespace {

bool unrest(RomanEmpire& romans, Game& game, const char* name, const char* message,
            const char* news) {
    Province* p = game.findProvince(name);
    if (!romans.ownsProvince(p) || romans.legionsIn(p) > 0) {
        return false;
    }
    static constexpr int kOdds[3] = {10, 5, 3};
    if (gameRand() % kOdds[game.skillLevel] != 0) {
        return false;
    }
    game.rebellionCount += 1;
    showMessage(message);
    game.addNews(news);
    romans.removeProvince(p);
    return true;
}

}  // namespace

void provinceRevolts(RomanEmpire& romans) {
    Game& game = Game::instance();
    unrest(romans, game, "Britannia",
           "Princeps,\r\n\r\nThe tribes of Britannia have rebelled against Roman rule!\r\n\r\nWe "
           "should send a legion "
           "there to restore order.",
           "Britannia has rebelled");
    unrest(romans, game, "Aegyptus",
           "Princeps,\r\n\r\nThe people of Aegyptus have rebelled against Roman rule!\r\n\r\nWe "
           "should send a legion "
           "there to restore order.",
           "Aegyptus has rebelled");
    Province* italia = game.findProvince("Italia");
    if (lacksGrain(game) && romans.ownsProvince(italia)) {
        static constexpr int kOdds[3] = {20, 10, 5};
        if (gameRand() % kOdds[game.skillLevel] == 0) {
            romans.removeLegionsIn(italia);
            romans.removeProvince(italia);
            showMessage(
                "Princeps,\r\n\r\nThe people of Italia are rioting over the lack of "
                "grain!\r\n\r\nWe should send a "
                "legion there to restore order.");
        }
    }
}

bool lacksGrain(Game& game) {
    for (const char* name : {"Aegyptus", "Mauretania", "Africa"}) {
        if (game.romans.ownsProvince(game.findProvince(name))) {
            return false;
        }
    }
    return true;
}

void peoplesFront() {
    Game& game = Game::instance();
    Province* palestina = game.findProvince("Palestina");
    if (game.romans.ownsProvince(palestina)) {
        if (game.playSound) {
            game.playSound(5);
        }
        showMessage("The People's Front of Judea has rallied to your cause!");
        if (game.romans.legionCount() < legionCap(game.romans)) {
            game.addLegions("Palestina", &game.romans, 5);
        }
        return;
    }
    if (game.playSound) {
        game.playSound(5);
    }
    showMessage("Palestina has been overthrown by the\r\nPeople's Front of Judea (the PFJ)!");
    if (Empire* owner = game.getOwner(palestina)) {
        owner->removeLegionsIn(palestina);
        owner->removeProvince(palestina);
    }
    game.romans.addProvince(palestina);
    game.addLegions("Palestina", &game.romans, 15);
}

}  // namespace tessarion
