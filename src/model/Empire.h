#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "model/Legion.h"
#include "model/LegionList.h"
#include "model/Power.h"
#include "model/ProvinceList.h"

namespace tessarion {

struct Province;
class World;

// Every power on the map: a list of provinces it owns and the legions it
// commands, and the yearly work the turn cycle asks of it.
class Empire {
  public:
    Empire(World& inWorld, Power which, int colour = 3);
    virtual ~Empire();

    Empire(const Empire&) = delete;
    Empire& operator=(const Empire&) = delete;

    // The power's year; the base one only recruits.
    virtual void endTurn();
    // Advances every routed legion one step.
    virtual void updateLegions();
    // New-game set-up (only the Romans have one).
    virtual void setUp() {}
    // Per-province recruitment: a legion every third turn a province is held.
    virtual void recruit();
    // A legion of this power has stepped into a province the power now holds.
    virtual void onConquest(Province* province) { (void)province; }
    // An enemy has taken this power's capital from it (only Rome counts).
    virtual void onCapitalTaken() {}

    // The map this power plays on.
    World& world;

    // Which power this is; the rules compare this, never the name.
    const Power power;
    // The name the player reads and saved games are written with.
    std::string name;
    ProvinceList provinces;
    LegionList legions;
    int colourIndex;

    void addProvince(Province* province);
    void removeProvince(Province* province);
    bool ownsProvince(const Province* province) const { return provinces.contains(province); }
    int legionsIn(const Province* province) const;
    void removeLegionsIn(const Province* province);
    void clearLegions();
    void setRouteForLegionsIn(const Province* province, const Route& route);
    bool hasLegionInAny(const std::vector<Province*>& list) const;
    bool isRomans() const { return power == Power::Romans; }
    int legionCount() const { return static_cast<int>(legions.size()); }

    // Creates a legion standing in the province at the end of the list.
    Legion* createLegion(Province* where);
    // Removes and destroys the first legion standing in the province for
    // which the predicate holds; false when there is none.
    template <typename Pred>
    bool destroyFirstLegionIn(const Province* province, Pred pred);
    // Removes and destroys one legion given by its position in the list.
    void destroyLegionAt(std::size_t index);
    // Removes and destroys one of this power's legions.
    void destroyLegion(const Legion& legion);

    // The one step rule by which any routed legion advances and fights.
    void moveLegionStep(Legion* legion);

    // One of this power's legions has left `from` for where it stands now
    // (Legion and the orders tell; the counts of legionsIn follow).
    void legionMoved(const Legion& legion, const Province* from) { legions.moved(legion, from); }

  private:
    // Books a legion about to be destroyed in the year's record.
    void legionLost();
    // Debug builds check the quick answers against the plain ones.
    void checkFirstLegionIn(const Province* province, std::size_t found,
                            bool (*pred)(const Legion&, const void*), const void* context) const;
};

// The province changes hands (or is raided when beyond the frontier).
void takeProvince(Empire* empire, Province* province, World& world, Empire* previousOwner);

template <typename Pred>
bool Empire::destroyFirstLegionIn(const Province* province, Pred pred) {
    const std::size_t slot = legions.findFirstIn(province, pred);
#ifndef NDEBUG
    checkFirstLegionIn(
        province, slot,
        [](const Legion& l, const void* p) { return (*static_cast<const Pred*>(p))(l); }, &pred);
#endif
    if (slot == LegionList::npos) {
        return false;
    }
    legionLost();
    legions.destroy(slot);
    return true;
}

}  // namespace tessarion
