#pragma once

#include <array>
#include <deque>
#include <functional>
#include <list>
#include <memory>
#include <string>
#include <vector>

#include "engine/RogueRomans.h"
#include "engine/RomanEmpire.h"
#include "model/Empire.h"
#include "model/Province.h"
#include "model/ProvinceTable.h"
#include "opponents/Barbarians.h"
#include "opponents/GameEvent.h"
#include "opponents/Sassanids.h"

namespace tessarion {

// A named regional group of provinces, used by the mutiny and bonus rules.
struct ArmyGroup {
    std::vector<Province*> provinces;
    std::string name;
};

inline constexpr int kStartingTreasury[3] = {100000, 75000, 50000};
inline constexpr std::size_t kNewsLogLimit = 10;

// The whole state of the running game. There is one per process, reached with
// Game::current(); New Game, a scenario, play-again and loading all reset it
// in place.
class Game {
  public:
    Game();
    ~Game();

    Game(const Game&) = delete;
    Game& operator=(const Game&) = delete;

    // The process-wide game (null before start-up or after exit).
    static Game* current();
    // The process-wide game, created by construction alone if none exists.
    static Game& instance();

    std::function<void(int)> playSound;
    std::array<std::unique_ptr<Province>, kProvinceCount> provinces;
    int skillLevel = 1;
    std::function<void(Province*, Province*)> animateMove;
    std::function<void(const std::string&, Province*)> flashLegion;
    std::function<void()> refreshReports;
    int turn = 0;
    RomanEmpire romans;
    Barbarians barbarians;
    Sassanids sassanids;
    RogueRomans rogueRomans;
    std::vector<ArmyGroup> armyGroups;
    int invasionCount = 0;
    int plagueCount = 0;
    int rebellionCount = 0;
    bool sassanidWarningPending = true;
    std::list<std::unique_ptr<GameEvent>> events;
    std::deque<std::string> newsLog;
    Province* dragSource = nullptr;
    Province* dropTarget = nullptr;

    int year() const { return 235 + turn; }

    // Raises NotFoundError (after telling the player) for a name not in the table.
    Province* findProvince(const std::string& name);
    // Who holds the province, reporting a province held twice.
    Empire* getOwner(const Province* province);
    // Who holds the province, without any report (for displays and checks).
    Empire* ownerOf(const Province* province);
    Empire* getEmpire(const std::string& name);
    void addLegions(const std::string& provinceName, Empire* empire, int count);
    void addNews(const std::string& text);
    void resetGame();
    void assignStartingOwners();
    void startNewGame();

    // The four powers in the fixed order of lists, saves and displays.
    std::array<Empire*, 4> powers() { return {&romans, &barbarians, &sassanids, &rogueRomans}; }
};

}  // namespace tessarion
