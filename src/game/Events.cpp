#include "game/Events.h"

#include "engine/Rebellions.h"
#include "engine/Routes.h"
#include "game/Game.h"
#include "game/GameEvent.h"
#include "model/FrontEnd.h"
#include "model/Wording.h"
#include "model/YearRecord.h"

namespace tessarion {

void GameEvent::fire(Game& game) {
    if (hasMessage) {
        showMessage(game, message);
    }
}

void RebellionEvent::fire(Game& game) {
    GameEvent::fire(game);
    for (const std::string& name : provinceNames) {
        revoltProvince(game, game.findProvince(name));
    }
}

void InvasionEvent::fire(Game& game) {
    GameEvent::fire(game);
    const Route route = findRoute(game, origin, target);
    const RecordCause army(game, EntryKind::EventArmy, origin, invader->power);
    for (int i = 0; i < legionCount; ++i) {
        Legion* l = invader->createLegion(origin);
        if (route.size() >= 2) {
            l->setRoute(route);
        }
    }
}

void setUpEvents(Game& game) {
    while (!game.events.empty()) {
        game.events.pop_front();
    }
    auto rebellion = [&](int year, const char* text, std::vector<std::string> names) {
        game.events.push_back(std::make_unique<RebellionEvent>(year, text, std::move(names)));
    };
    auto invasion = [&](int year, const char* text, Empire* invader, const char* from,
                        const char* to, int count) {
        game.events.push_back(std::make_unique<InvasionEvent>(
            year, text, invader, game.findProvince(from), game.findProvince(to), count));
    };
    rebellion(260, "",
              {"Britannia", "Lugdunensis", "Aquitania", "Belgica", "Terraconensis", "Narbonensis",
               "Raetia", "Lusitania", "Palestina", "Syria", "Aegyptus", "Lydia", "Cappadocia"});
    rebellion(
        286,
        N_("The governor of Britannia, Marcus Carausius, has rebelled\r\nand several provinces "
           "in Gaul have joined "
           "him!"),
        {"Britannia", "Lugdunensis", "Belgica"});
    rebellion(298, N_("Princeps,\r\nThe Egyptians have rebelled!"), {"Aegyptus"});
    rebellion(306,
              N_("Princeps,\r\n\r\nThe eastern emperor Licinius is trying to claim\r\nthe whole "
                 "empire for himself. He is "
                 "marching on \r\nRome with 3 legions!"),
              {"Palestina", "Syria", "Aegyptus", "Lydia", "Cappadocia", "Africa", "Mauretania",
               "Macedonia", "Thracia", "Dalmatia", "Pontus", "Phrygia"});
    invasion(306, "", &game.rogueRomans, "Thracia", "Italia", 3);
    rebellion(407,
              N_("Princeps,\r\n\r\nA usurper in Britannia calling himself Constantine III,\r\nhas "
                 "rebelled, and is "
                 "marching in Gaul!"),
              {"Britannia"});
    invasion(407, "", &game.rogueRomans, "Britannia", "Aquitania", 7);
    Empire* germans = game.getEmpire("Germanic Tribes");
    invasion(411, N_("Princeps,\r\n\r\nThe Visigoth king Alaric is marching on Rome!"), germans,
             "Sarmatia", "Italia", 15);
    invasion(411, N_("Princeps,\r\n\r\nThe Saxons are preparing to attack Britannia!"), germans,
             "Upper Rhine", "Britannia", 5);
    invasion(430, N_("Princeps,\r\n\r\nA tribe called the Vandals is crossing the Rhine river!"),
             germans, "Upper Rhine", "Africa", 15);
    invasion(451, N_("Princeps,\r\n\r\nThe Huns have massed a large army across the Rhine!"),
             germans, "Upper Rhine", "Aquitania", 20);
}

void runEvents(Game& game) {
    const int year = game.year();
    while (!game.events.empty() && game.events.front()->year < year) {
        game.events.pop_front();
    }
    while (!game.events.empty() && game.events.front()->year == year) {
        // Take the event off the list before it fires, so that whatever it
        // sets in motion never sees it again.
        std::unique_ptr<GameEvent> event = std::move(game.events.front());
        game.events.pop_front();
        event->fire(game);
    }
}

}  // namespace tessarion
