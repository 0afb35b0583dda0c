#pragma once

#include <array>
#include <cstddef>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "model/FrontEnd.h"
#include "model/Province.h"
#include "model/ProvinceTable.h"
#include "model/Random.h"
#include "model/Skill.h"
#include "model/YearRecord.h"

namespace tessarion {

class Empire;

// A named regional group of provinces, used by the mutiny and bonus rules.
struct ArmyGroup {
    std::vector<Province*> provinces;
    std::string name;
};

inline constexpr std::size_t kNewsLogLimit = 10;

// The map and everything every power's rules share: the provinces, the year,
// the news and the counters of the Results box, its generator and the front
// end installed on it, through which goes all the player sees of it. The powers themselves are
// added by the layers above; the world only knows them as `Empire`s in their fixed order.
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
    // The news lines, oldest first, and beside them the year each happened
    // in; both change only through addNews and clearNews.
    std::deque<std::string> newsLog;
    std::deque<int> newsYears;
    // What happens from one end of turn to the next, the year before's, and
    // the chronicle of the whole game; the rules book, the rest only show.
    YearRecord yearRecord;
    YearRecord lastYear;
    std::vector<ChronicleRow> chronicle;
    // True from the first tax of an end of turn to the last event of the new
    // year: the computer's turn, when the report shows the year being made.
    bool endingTurn = false;

    int year() const { return 235 + turn; }

    // Whoever shows this game: the one a FrontEndScope installed, or nobody.
    FrontEnd& frontEnd() { return frontEnd_ != nullptr ? *frontEnd_ : nobody_; }
    // Installs `frontEnd` (nothing for nobody) and returns the one it replaces.
    FrontEnd* installFrontEnd(FrontEnd* frontEnd) {
        FrontEnd* previous = frontEnd_;
        frontEnd_ = frontEnd;
        return previous;
    }

    // Always 0, 1 or 2: anything else (an old or damaged setting) plays at
    // the default level, so an odds table can be indexed with it as it is.
    int skillLevel() const { return skillLevel_; }
    void setSkillLevel(int level);

    // Raises NotFoundError (after telling the player) for a name not in the table.
    Province* findProvince(const std::string& name);
    // The rules name their provinces by place in the table.
    Province* province(ProvinceId id) { return provinces[static_cast<std::size_t>(id)].get(); }
    // Who holds the province, reporting a province held twice.
    Empire* getOwner(const Province* province);
    // Who holds the province, without any report (for displays and checks).
    Empire* ownerOf(const Province* province);
    // By the name the player reads ("Rogue Romans" too, the rebels' old name).
    Empire* getEmpire(const std::string& name);
    Empire* empire(Power power) { return powerAt(powerIndex(power)); }
    void addLegions(const std::string& provinceName, Empire* empire, int count);
    void addNews(const std::string& text);
    void clearNews();

  private:
    // The powers never change for a world: asked once, at the first lookup
    // (the powers are built by then).
    Empire* powerAt(std::size_t index) {
        if (powerTable_[0] == nullptr) {
            powerTable_ = powers();
        }
        return powerTable_[index];
    }

    int skillLevel_ = kDefaultSkillLevel;
    FrontEnd* frontEnd_ = nullptr;
    NullFrontEnd nobody_;
    std::array<Empire*, kPowerCount> powerTable_{};
};

}  // namespace tessarion
