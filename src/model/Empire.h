#pragma once

#include <memory>
#include <string>
#include <vector>

#include "model/Legion.h"

namespace tessarion {

struct Province;
class World;

// Every power on the map: a list of provinces it owns and the legions it
// commands, and the yearly work the turn cycle asks of it.
class Empire {
  public:
    Empire(World& inWorld, std::string empireName, int colour = 3);
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

    std::string name;
    std::vector<Province*> provinces;
    std::vector<std::unique_ptr<Legion>> legions;
    int colourIndex;

    void addProvince(Province* province);
    void removeProvince(Province* province);
    bool ownsProvince(const Province* province) const;
    int legionsIn(const Province* province) const;
    void removeLegionsIn(const Province* province);
    void clearLegions();
    void setRouteForLegionsIn(const Province* province, const Route& route);
    bool hasLegionInAny(const std::vector<Province*>& list) const;
    bool isRomans() const { return name == "Romans"; }
    int legionCount() const { return static_cast<int>(legions.size()); }

    // Creates a legion standing in the province at the end of the list.
    Legion* createLegion(Province* where);
    // Removes and destroys the first legion standing in the province (by name)
    // for which the predicate holds; false when there is none.
    template <typename Pred>
    bool destroyFirstLegionIn(const Province* province, Pred pred);
    // Removes and destroys one legion given by position.
    void destroyLegionAt(std::size_t index);
    std::size_t indexOf(const Legion* legion) const;

    // The one step rule by which any routed legion advances and fights.
    void moveLegionStep(Legion* legion);

    // One of this power's legions has left `from` for `to` (Legion and the
    // orders tell; the counts of legionsIn follow).
    void legionMoved(const Province* from, const Province* to);
    // The legion list was changed other than through the operations above
    // (a saved game put in place): count again before the next question.
    void recountLegions() { countsValid_ = false; }

  private:
    struct ProvinceCount {
        const Province* province;
        int legions;
    };
    // How many legions stand in each province, kept in step with `legions`:
    // the walks over a power's legions ask it for every legion, and counting
    // the list each time made a year cost the square of the legion count.
    mutable std::vector<ProvinceCount> counts_;
    // The length of `legions` the counts describe: a list changed behind the
    // power's back (a legion popped off it) shows as a different length.
    mutable std::size_t counted_ = 0;
    mutable bool countsValid_ = false;

    int& countIn(const Province* province) const;
    // False, and the counts dropped, when the list changed behind our back.
    bool countsInStep();
    void legionGone(const Legion& legion);
};

bool sameProvince(const Province* a, const Province* b);

// The province changes hands (or is raided when beyond the frontier).
void takeProvince(Empire* empire, Province* province, World& world, Empire* previousOwner);

template <typename Pred>
bool Empire::destroyFirstLegionIn(const Province* province, Pred pred) {
    if (legionsIn(province) == 0) {
        return false;
    }
    for (std::size_t i = 0; i < legions.size(); ++i) {
        if (sameProvince(legions[i]->province, province) && pred(*legions[i])) {
            destroyLegionAt(i);
            return true;
        }
    }
    return false;
}

}  // namespace tessarion
