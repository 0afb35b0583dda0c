#include "game/Scenarios.h"

#include "engine/Routes.h"
#include "game/Chronicle.h"
#include "game/Commands.h"
#include "game/Events.h"
#include "game/Game.h"
#include "game/TurnCycle.h"
#include "model/FrontEnd.h"
#include "model/Wording.h"

namespace tessarion {

namespace {

struct Garrison {
    const char* province;
    int count;
};

void ownersLegions(Game& game, std::initializer_list<Garrison> list) {
    for (const Garrison& g : list) {
        addLegionsToOwner(game, game.findProvince(g.province), g.count);
    }
}

void legionsOf(Game& game, Empire& empire, std::initializer_list<Garrison> list) {
    for (const Garrison& g : list) {
        game.addLegions(g.province, &empire, g.count);
    }
}

void moveProvinces(Game& game, Empire* from, Empire* to, std::initializer_list<const char*> names) {
    for (const char* name : names) {
        Province* p = game.findProvince(name);
        if (from != nullptr) {
            from->removeProvince(p);
        }
        if (to != nullptr) {
            to->addProvince(p);
        }
    }
}

// The crisis years keep the whole empire of 235 and its garrisons, topped up.
void setUpCrisisYear(Game& game, std::initializer_list<Garrison> garrisons) {
    game.romans.treasury = 50000;
    ownersLegions(game, garrisons);
}

void setUp260(Game& game) {
    setUpCrisisYear(game, {{"Italia", 3},
                           {"Britannia", 3},
                           {"Aegyptus", 3},
                           {"Aquitania", 2},
                           {"Syria", 1},
                           {"Palestina", 1},
                           {"Lugdunensis", 1},
                           {"Narbonensis", 1},
                           {"Raetia", 1},
                           {"Pontus", 3}});
}

void setUp308(Game& game) {
    setUpCrisisYear(game, {{"Italia", 3},
                           {"Britannia", 1},
                           {"Aegyptus", 1},
                           {"Aquitania", 2},
                           {"Syria", 1},
                           {"Palestina", 1},
                           {"Lugdunensis", 1},
                           {"Narbonensis", 1},
                           {"Raetia", 1},
                           {"Macedonia", 1},
                           {"Pontus", 1}});
    moveProvinces(game, &game.romans, &game.barbarians, {"Dacia"});
}

void setUp410(Game& game) {
    game.romans.treasury = 20000;
    moveProvinces(game, &game.romans, nullptr, {"Britannia", "Dacia", "Thracia"});
    moveProvinces(game, nullptr, &game.barbarians, {"Thracia", "Dacia"});
    legionsOf(game, game.romans,
              {{"Italia", 5},
               {"Lydia", 2},
               {"Cappadocia", 2},
               {"Syria", 2},
               {"Terraconensis", 1},
               {"Aquitania", 1},
               {"Raetia", 1}});
    legionsOf(game, game.barbarians, {{"Thracia", 3}, {"Dacia", 3}});
}

void setUp455(Game& game) {
    // The late-empire base.
    game.romans.provinces.clear();
    // Mauretania stays Roman: after the treaty of 442 the Vandals handed the
    // Mauretanias back to the western court, and it leaves the player one
    // grain province, with the Vandal army of Africa marching through it.
    moveProvinces(game, nullptr, &game.romans, {"Italia", "Lugdunensis", "Dalmatia", "Mauretania"});
    legionsOf(game, game.romans, {{"Italia", 2}, {"Mauretania", 1}});
    moveProvinces(game, nullptr, &game.rogueRomans,
                  {"Pontus", "Lydia", "Phrygia", "Cappadocia", "Syria", "Macedonia", "Thracia",
                   "Palestina", "Aegyptus"});
    legionsOf(game, game.rogueRomans,
              {{"Pontus", 3}, {"Syria", 2}, {"Aegyptus", 2}, {"Thracia", 1}, {"Macedonia", 1}});
    moveProvinces(game, nullptr, &game.barbarians,
                  {"Aquitania", "Narbonensis", "Terraconensis", "Lusitania", "Africa", "Belgica",
                   "Britannia", "Dacia", "Pannonia", "Raetia"});
    // The year itself: the barbarians' whole strength is the Vandal army of
    // Africa.
    game.romans.treasury = 40000;
    game.barbarians.clearLegions();
    legionsOf(game, game.barbarians, {{"Africa", 10}});
    Province* africa = game.findProvince("Africa");
    game.barbarians.setRouteForLegionsIn(africa,
                                         findRoute(game, africa, game.findProvince("Italia")));
}

// The scenarios' years must agree with their menu labels and their events:
// the 260 and 308 set-ups stand in the year before their crises, whose events
// the first end of turn fires; the 410 and 455 ones are played from their eve.
constexpr Scenario kScenarios[] = {
    {1100, N_("Valerian (260 AD)"), 260, 259, setUp260, true},
    {1101, N_("Constantine (308 AD)"), 308, 305, setUp308, true},
    {1102, N_("Honorius (410 AD)"), 410, 409, setUp410, false},
    {1103, N_("Valentinian III (455 AD)"), 455, 454, setUp455, false},
};
static_assert(cmd::tableIds(kScenarios, cmd::kScenarioIds, [](const Scenario& s) { return s.id; }),
              "a scenario's id is another's, or outside the scenarios' range");

}  // namespace

std::span<const Scenario> scenarios() {
    return kScenarios;
}

const Scenario* findScenario(int command) {
    for (const Scenario& s : kScenarios) {
        if (s.id == command) {
            return &s;
        }
    }
    return nullptr;
}

const Scenario* scenarioOfYear(int year) {
    for (const Scenario& s : kScenarios) {
        if (s.year == year) {
            return &s;
        }
    }
    return nullptr;
}

bool isScenario(int command) {
    return findScenario(command) != nullptr;
}

std::string scenarioIds(const std::string& separator) {
    std::string out;
    for (const Scenario& s : kScenarios) {
        out += (out.empty() ? "" : separator) + std::to_string(s.id);
    }
    return out;
}

void startScenario(Game& game, int command) {
    const Scenario* scenario = findScenario(command);
    if (scenario == nullptr) {
        return;
    }
    game.resetGame();
    game.assignStartingOwners();
    setUpEvents(game);
    game.turn = scenario->setUpYear - 235;
    scenario->setUp(game);
    beginChronicle(game);
    game.frontEnd().redrawScreen();
    if (scenario->endTurnFollows) {
        endTurnCycle(game);
    }
}

void addLegionsToOwner(Game& game, Province* province, int count) {
    if (Empire* owner = game.getOwner(province)) {
        for (int i = 0; i < count; ++i) {
            owner->createLegion(province);
        }
    }
}

void newGame(Game& game, bool skipConfirmation) {
    if (!skipConfirmation && !askYesNo(game, "Discard the current game?")) {
        return;
    }
    game.startNewGame();
    game.frontEnd().redrawScreen();
}

void showWelcome(Game& game) {
    if (askYesNo(game,
                 "Welcome, Princeps\r\n\r\nI am your advisor and I will be providing you "
                 "with\r\ninformation to help "
                 "you guide the Roman Empire\r\nthrough the \"Crisis of the Third "
                 "Century.\"\r\n\r\nWould you like a "
                 "few hints on playing before we start?")) {
        showMessage(
            game,
            "Your empire consists of provinces.  Each turn, your provinces\r\nwill pay taxes and "
            "create legions for "
            "you. Roman provinces are\r\nshown in light-red.  Enemy-held provinces are other "
            "colors.");
        showMessage(
            game,
            "To move a legion, left-click and drag it where you want it to\r\ngo.  If there are "
            "enemy legions in the "
            "destination or any\r\nprovinces on the way, your legion will attack them.");
        showMessage(
            game,
            "When you have moved all your legions, your enemies will move\r\ntheir legions.  If "
            "you don't want to "
            "move all your legions, \r\njust right-click the mouse to advance the game one turn.");
        showMessage(
            game,
            "Your goal is to hold on to as many Roman provinces\r\nas possible. To win, you must "
            "control at least "
            "one\r\nprovince when the \"Crisis of the Third Century\" ends\r\nin 285 AD - Good "
            "luck, Princeps!\r\n");
    } else {
        showMessage(
            game,
            "If at any time you need help, you can refer to\r\nthe video tutorial under the Help "
            "menu.\r\n\r\nGood "
            "luck, Princeps!");
    }
}

}  // namespace tessarion
