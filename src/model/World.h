#pragma once

#include <array>
#include <cstddef>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "model/Province.h"
#include "model/ProvinceTable.h"
#include "model/Random.h"

namespace tessarion {

class Empire;

// A named regional group of provinces, used by the mutiny and bonus rules.
struct ArmyGroup {
    std::vector<Province*> provinces;
    std::string name;
};

inline constexpr std::size_t kNewsLogLimit = 10;

// The three skill levels. Every odds table of the rules has one entry per
// level, so the level is checked where it is set and nowhere else.
inline constexpr int kSkillLevels = 3;
inline constexpr int kDefaultSkillLevel = 1;

// The map and everything every power's rules share: the provinces, the year,
// the news and the counters of the Results box. What the player sees of it
// goes through the installed FrontEnd. The powers themselves are added by the
// layers above; the world only knows them as `Empire`s in their fixed order.
class World {
  public:
    explicit World(std::uint32_t seed = 1) : random(seed) {}
    virtual ~World() = default;

    World(const World&) = delete;
    World& operator=(const World&) = delete;

    // The four powers in the fixed order of lists, saves and displays:
    // Romans, Germanic Tribes, Sassanids, Rebelling Legions.
    virtual std::array<Empire*, 4> powers() = 0;

    // The game's own generator: every rule of this game draws from it, and
    // nothing else does (the provinces draw theirs as they are built).
    Random random;
    std::array<std::unique_ptr<Province>, kProvinceCount> provinces;
    int turn = 0;
    std::vector<ArmyGroup> armyGroups;
    int invasionCount = 0;
    int plagueCount = 0;
    int rebellionCount = 0;
    bool sassanidWarningPending = true;
    std::deque<std::string> newsLog;
    Province* dragSource = nullptr;

    int year() const { return 235 + turn; }

    // Always 0, 1 or 2: anything else (an old or damaged setting) plays at
    // the default level, so an odds table can be indexed with it as it is.
    int skillLevel() const { return skillLevel_; }
    void setSkillLevel(int level);

    // Raises NotFoundError (after telling the player) for a name not in the table.
    Province* findProvince(const std::string& name);
    // Who holds the province, reporting a province held twice.
    Empire* getOwner(const Province* province);
    // Who holds the province, without any report (for displays and checks).
    Empire* ownerOf(const Province* province);
    Empire* getEmpire(const std::string& name);
    void addLegions(const std::string& provinceName, Empire* empire, int count);
    void addNews(const std::string& text);

  private:
    int skillLevel_ = kDefaultSkillLevel;
};

}  // namespace tessarion
