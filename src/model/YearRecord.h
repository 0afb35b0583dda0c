#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/Power.h"
#include "model/Wording.h"

namespace tessarion {

struct Province;
class World;

// Who fought whom, as the year report counts battles.
enum class BattleKind : std::uint8_t {
    Attack,       // a Roman legion ordered against a province of the empire's lands
    Raid,         // a Roman legion ordered across the frontier
    OnRoute,      // a Roman legion met resistance on its route
    Defence,      // a foreign power or the rebels attacked Roman legions
    EnemyAttack,  // two of the other powers fought each other
};
inline constexpr std::size_t kBattleKinds = 5;
static_assert(static_cast<std::size_t>(BattleKind::EnemyAttack) + 1 == kBattleKinds);

// What an entry of the year's record tells. The order is that of the groups
// the year report shows: battles, provinces, legions, treasury.
enum class EntryKind : std::uint8_t {
    Battle,
    ProvinceChange,
    // legions made and lost
    Raised,        // a power's provinces raised legions
    Disbanded,     // the treasury could not pay them
    WentOver,      // an army group proclaimed its own emperor
    Revolt,        // a province rose against whoever held it
    GrainRiots,    // Italia rose for want of African grain
    Settlers,      // a tribe settled inside the empire
    PeoplesFront,  // the People's Front of Judea
    Invasion,      // a tribe or the Persians crossed with a new army
    EventArmy,     // the army of a historical event
    Unaccounted,   // a legion made or lost with no cause named: a fault of the rules
    // the treasury
    Taxes,
    Pay,
    Tribute,
    Plunder,
    Bonus,
};
inline constexpr std::size_t kEntryKinds = 17;
static_assert(static_cast<std::size_t>(EntryKind::Bonus) + 1 == kEntryKinds);

enum class EntryGroup : std::uint8_t { Battles, Provinces, Legions, Treasury };
EntryGroup entryGroup(EntryKind kind);

// The names the console's state and the saved games give the kinds:
// "battle", "province", "raised", ..., "bonus"; "attack", ..., "enemy-attack".
std::string_view entryKindName(EntryKind kind);
std::string_view battleKindName(BattleKind kind);

// The power as the record keeps it: its place in the fixed order, or
// kNobody (a province nobody holds).
inline constexpr int kNobody = -1;

// One thing that changed the map, the legions or the treasury.
struct YearEntry {
    EntryKind kind = EntryKind::Unaccounted;
    BattleKind battle = BattleKind::Attack;
    int province = -1;  // where it happened (place in the map's table), or -1
    int from = -1;      // where the attacker came from, for battles
    // Battles: who attacked, who defended and who holds the province after.
    // A province changing hands: its new holder (attacker), its old one
    // (defender) and the new one again (holder). Legions: the power they
    // belong to is the attacker. kNobody where nobody.
    int attacker = kNobody;
    int defender = kNobody;
    int holder = kNobody;
    // The change of each power's legion count this entry made.
    std::array<int, kPowerCount> legions{};
    // The change of the treasury this entry made.
    std::int64_t sesterces = 0;

    bool operator==(const YearEntry&) const = default;
};

// The whole state the record compares itself with: the four powers' legion
// counts and provinces and the treasury.
struct Tally {
    std::array<int, kPowerCount> legions{};
    std::array<int, kPowerCount> provinces{};
    std::int64_t treasury = 0;

    bool operator==(const Tally&) const = default;
};

// Everything that happened from one end of turn to the next: the player's
// orders of a year, the end of it and the new year's events. The rules book
// every change where it happens, so the entries add up to the change of the
// state (`before` to `after`) with nothing left out.
class YearRecord {
  public:
    int year = 0;  // the year played; 0 for no record yet
    Tally before;
    Tally after;
    bool closed = false;
    std::vector<YearEntry> entries;

    bool empty() const { return year == 0; }
    // Starts a new year's record against the state as it stands.
    void open(int playedYear, const Tally& now);
    // Ends it: books the provinces still in flight and keeps the state.
    void close(const Tally& now);

    // Called by the powers as legions come and go and provinces change
    // hands: booked to the cause that is open, if any.
    void legionsChanged(Power power, int change);
    void provinceLeft(const Province& province, Power from);
    void provinceJoined(const Province& province, Power to);
    // A movement of the treasury, always an entry of its own.
    void money(EntryKind kind, std::int64_t sesterces);
    // A province that has left its holder and joined nobody yet is booked as
    // left to nobody (before the record is written down).
    void flushProvince();

    // Sums over the entries.
    std::array<int, kPowerCount> legionChange() const;
    std::int64_t moneyChange() const;
    std::int64_t moneyOf(EntryKind kind) const;
    int count(EntryKind kind) const;
    // Battles the Romans fought, and of those the ones they won (the enemy
    // lost the legion).
    int romanBattles() const;
    int romanBattlesWon() const;

    // Empty when the closed record's entries add up to the change of every
    // power's legions and provinces and of the treasury, each booked to a
    // cause; otherwise what does not add up.
    std::string checkBooks() const;

  private:
    friend class RecordCause;
    void bookLegions(std::size_t entry, Power power, int change);

    // The entry legions are booked to, or npos when no cause is open.
    static constexpr std::size_t npos = static_cast<std::size_t>(-1);
    std::size_t openCause_ = npos;
    // A province that left its holder and has not yet joined another.
    int leaving_ = -1;
    int leavingFrom_ = kNobody;
};

// Names the cause of the changes made while it lives: every legion made or
// lost meanwhile is booked to its entry. Causes nest; the innermost books.
// A battle learns who holds the province when it ends.
class RecordCause {
  public:
    RecordCause(World& world, EntryKind kind, const Province* where, Power actor);
    // A battle for `target`, fought from `from`.
    RecordCause(World& world, BattleKind kind, const Province* target, const Province* from,
                Power attacker, Power defender);
    ~RecordCause();
    RecordCause(const RecordCause&) = delete;
    RecordCause& operator=(const RecordCause&) = delete;

  private:
    World& world_;
    std::size_t entry_;
    std::size_t previous_;
};

// The state at the start of a year, as the chronicle keeps it: the first row
// is the game as set up, then one a year as each year's record closes.
struct ChronicleRow {
    int year = 0;
    Tally tally;

    bool operator==(const ChronicleRow&) const = default;
};

// One line of the record as the player reads it.
std::string describeEntry(const YearEntry& entry, World& world,
                          const Wording& wording = englishWording());
// The year in one line, as shown under the map after the computer's turn:
// "235 AD: 3 battles, 2 won; Belgica lost; treasury +6,450".
std::string summariseYear(const YearRecord& record, World& world,
                          const Wording& wording = englishWording());
// "6,450", "-24,000": thousands grouped as the reports write them.
std::string groupedNumber(std::int64_t value);
std::string signedGroupedNumber(std::int64_t value);

}  // namespace tessarion
