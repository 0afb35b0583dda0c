#include "model/YearRecord.h"

#include "model/Empire.h"
#include "model/Province.h"
#include "model/World.h"

namespace tessarion {

EntryGroup entryGroup(EntryKind kind) {
    if (kind == EntryKind::Battle) {
        return EntryGroup::Battles;
    }
    if (kind == EntryKind::ProvinceChange) {
        return EntryGroup::Provinces;
    }
    return kind >= EntryKind::Taxes ? EntryGroup::Treasury : EntryGroup::Legions;
}

namespace {

constexpr std::array<std::string_view, kEntryKinds> kEntryNames = {
    "battle",      "province", "raised",        "disbanded", "went-over",  "revolt",
    "grain-riots", "settlers", "peoples-front", "invasion",  "event-army", "unaccounted",
    "taxes",       "pay",      "tribute",       "plunder",   "bonus"};
constexpr std::array<std::string_view, kBattleKinds> kBattleNames = {"attack", "raid", "on-route",
                                                                     "defence", "enemy-attack"};

}  // namespace

std::string_view entryKindName(EntryKind kind) {
    return kEntryNames[static_cast<std::size_t>(kind)];
}

std::string_view battleKindName(BattleKind kind) {
    return kBattleNames[static_cast<std::size_t>(kind)];
}

void YearRecord::open(int playedYear, const Tally& now) {
    year = playedYear;
    before = now;
    after = now;
    closed = false;
    entries.clear();
    openCause_ = npos;
    leaving_ = -1;
}

void YearRecord::close(const Tally& now) {
    flushProvince();
    after = now;
    closed = true;
}

void YearRecord::bookLegions(std::size_t entry, Power power, int change) {
    entries[entry].legions[powerIndex(power)] += change;
}

void YearRecord::legionsChanged(Power power, int change) {
    if (year == 0 || closed) {
        return;
    }
    if (openCause_ != npos) {
        bookLegions(openCause_, power, change);
        return;
    }
    // Nobody said why: kept, so that the sums still add up and a test sees it.
    if (entries.empty() || entries.back().kind != EntryKind::Unaccounted) {
        entries.push_back({});
    }
    bookLegions(entries.size() - 1, power, change);
}

void YearRecord::flushProvince() {
    if (leaving_ < 0) {
        return;
    }
    YearEntry e;
    e.kind = EntryKind::ProvinceChange;
    e.province = leaving_;
    e.defender = leavingFrom_;
    leaving_ = -1;
    entries.push_back(e);
}

void YearRecord::provinceLeft(const Province& province, Power from) {
    if (year == 0 || closed) {
        return;
    }
    flushProvince();
    leaving_ = province.index;
    leavingFrom_ = static_cast<int>(powerIndex(from));
}

void YearRecord::provinceJoined(const Province& province, Power to) {
    if (year == 0 || closed) {
        return;
    }
    const int toIndex = static_cast<int>(powerIndex(to));
    int fromIndex = kNobody;
    // Left by one power and joined by another at once: one change of hands.
    // Left and joined again by the same is two: it was nobody's meanwhile.
    if (leaving_ == province.index && leavingFrom_ != toIndex) {
        fromIndex = leavingFrom_;
        leaving_ = -1;
    } else {
        flushProvince();
    }
    YearEntry e;
    e.kind = EntryKind::ProvinceChange;
    e.province = province.index;
    e.attacker = toIndex;
    e.defender = fromIndex;
    e.holder = toIndex;
    entries.push_back(e);
}

void YearRecord::money(EntryKind kind, std::int64_t sesterces) {
    if (year == 0 || closed || sesterces == 0) {
        return;
    }
    // One line a kind: the taxes, the pay and the rest are booked once a year
    // each, except payments met more than once (two tributes in a year).
    if (!entries.empty() && entries.back().kind == kind) {
        entries.back().sesterces += sesterces;
        return;
    }
    YearEntry e;
    e.kind = kind;
    e.sesterces = sesterces;
    entries.push_back(e);
}

std::array<int, kPowerCount> YearRecord::legionChange() const {
    std::array<int, kPowerCount> sum{};
    for (const YearEntry& e : entries) {
        for (std::size_t i = 0; i < kPowerCount; ++i) {
            sum[i] += e.legions[i];
        }
    }
    return sum;
}

std::int64_t YearRecord::moneyChange() const {
    std::int64_t sum = 0;
    for (const YearEntry& e : entries) {
        sum += e.sesterces;
    }
    return sum;
}

std::int64_t YearRecord::moneyOf(EntryKind kind) const {
    std::int64_t sum = 0;
    for (const YearEntry& e : entries) {
        if (e.kind == kind) {
            sum += e.sesterces;
        }
    }
    return sum;
}

int YearRecord::count(EntryKind kind) const {
    int n = 0;
    for (const YearEntry& e : entries) {
        n += e.kind == kind ? 1 : 0;
    }
    return n;
}

namespace {

constexpr int kRomans = static_cast<int>(powerIndex(Power::Romans));

bool romanBattle(const YearEntry& e) {
    return e.kind == EntryKind::Battle && (e.attacker == kRomans || e.defender == kRomans);
}

}  // namespace

int YearRecord::romanBattles() const {
    int n = 0;
    for (const YearEntry& e : entries) {
        n += romanBattle(e) ? 1 : 0;
    }
    return n;
}

int YearRecord::romanBattlesWon() const {
    int n = 0;
    for (const YearEntry& e : entries) {
        // One coin toss, one legion lost: the side that lost none won.
        n += romanBattle(e) && e.legions[powerIndex(Power::Romans)] == 0 ? 1 : 0;
    }
    return n;
}

RecordCause::RecordCause(World& world, EntryKind kind, const Province* where, Power actor)
    : world_(world), entry_(YearRecord::npos), previous_(world.yearRecord.openCause_) {
    YearRecord& r = world.yearRecord;
    if (r.year == 0 || r.closed) {
        return;
    }
    r.flushProvince();
    const int place = where != nullptr ? where->index : -1;
    const int who = static_cast<int>(powerIndex(actor));
    // A cause met again at once (a province raising its second legion, the
    // next legion of the same disbanding) adds to the line it has.
    if (!r.entries.empty()) {
        const YearEntry& last = r.entries.back();
        if (last.kind == kind && last.province == place && last.attacker == who) {
            entry_ = r.entries.size() - 1;
        }
    }
    if (entry_ == YearRecord::npos) {
        YearEntry e;
        e.kind = kind;
        e.province = place;
        e.attacker = who;
        r.entries.push_back(e);
        entry_ = r.entries.size() - 1;
    }
    r.openCause_ = entry_;
}

RecordCause::RecordCause(World& world, BattleKind kind, const Province* target,
                         const Province* from, Power attacker, Power defender)
    : world_(world), entry_(YearRecord::npos), previous_(world.yearRecord.openCause_) {
    YearRecord& r = world.yearRecord;
    if (r.year == 0 || r.closed) {
        return;
    }
    r.flushProvince();
    YearEntry e;
    e.kind = EntryKind::Battle;
    e.battle = kind;
    e.province = target->index;
    e.from = from != nullptr ? from->index : -1;
    e.attacker = static_cast<int>(powerIndex(attacker));
    e.defender = static_cast<int>(powerIndex(defender));
    r.entries.push_back(e);
    entry_ = r.entries.size() - 1;
    r.openCause_ = entry_;
}

RecordCause::~RecordCause() {
    YearRecord& r = world_.yearRecord;
    if (entry_ == YearRecord::npos) {
        return;
    }
    r.flushProvince();
    YearEntry& e = r.entries[entry_];
    // A cause that made and lost nothing (a revolt in a province without
    // legions) tells nothing the province's own entry does not.
    if (e.kind != EntryKind::Battle && e.legions == std::array<int, kPowerCount>{}) {
        r.entries.erase(r.entries.begin() + static_cast<std::ptrdiff_t>(entry_));
        r.openCause_ = previous_;
        return;
    }
    if (e.kind == EntryKind::Battle) {
        const Empire* holder =
            world_.ownerOf(world_.provinces[static_cast<std::size_t>(e.province)].get());
        e.holder = holder != nullptr ? static_cast<int>(powerIndex(holder->power)) : kNobody;
    }
    r.openCause_ = previous_;
}

std::string YearRecord::checkBooks() const {
    std::string wrong;
    const std::array<int, kPowerCount> legions = legionChange();
    std::array<int, kPowerCount> provinces{};
    for (const YearEntry& e : entries) {
        if (e.kind == EntryKind::Unaccounted) {
            wrong += " legions made or lost without a cause;";
        }
        if (e.kind == EntryKind::ProvinceChange) {
            if (e.attacker != kNobody) {
                provinces[static_cast<std::size_t>(e.attacker)] += 1;
            }
            if (e.defender != kNobody) {
                provinces[static_cast<std::size_t>(e.defender)] -= 1;
            }
        }
    }
    for (std::size_t i = 0; i < kPowerCount; ++i) {
        const std::string who(powerName(static_cast<Power>(i)));
        if (legions[i] != after.legions[i] - before.legions[i]) {
            wrong += " " + who + " legions booked " + std::to_string(legions[i]) + ", changed " +
                     std::to_string(after.legions[i] - before.legions[i]) + ";";
        }
        if (provinces[i] != after.provinces[i] - before.provinces[i]) {
            wrong += " " + who + " provinces booked " + std::to_string(provinces[i]) +
                     ", changed " + std::to_string(after.provinces[i] - before.provinces[i]) + ";";
        }
    }
    if (moneyChange() != after.treasury - before.treasury) {
        wrong += " treasury booked " + std::to_string(moneyChange()) + ", changed " +
                 std::to_string(after.treasury - before.treasury) + ";";
    }
    return wrong.empty() ? wrong : std::to_string(year) + " AD:" + wrong;
}

std::string groupedNumber(std::int64_t value) {
    const bool negative = value < 0;
    std::string digits = std::to_string(negative ? -value : value);
    for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3) {
        digits.insert(static_cast<std::size_t>(at), ",");
    }
    return negative ? "-" + digits : digits;
}

std::string signedGroupedNumber(std::int64_t value) {
    return value >= 0 ? "+" + groupedNumber(value) : groupedNumber(value);
}

namespace {

std::string powerText(int index, const Wording& w) {
    static constexpr const char* kPowers[kPowerCount] = {
        N_("the Romans"), N_("the Germanic Tribes"), N_("the Sassanids"),
        N_("the Rebelling Legions")};
    return index == kNobody ? w.text(N_("nobody")) : w.text(kPowers[index]);
}

std::string provinceText(World& world, int index) {
    return index < 0 ? std::string("?") : world.provinces[static_cast<std::size_t>(index)]->name;
}

std::string lossText(int lost, const Wording& w) {
    return lost == 0   ? w.text(N_("none"))
           : lost == 1 ? w.text(N_("1 legion"))
                       : w.format(N_("%d legions"), {std::to_string(lost)});
}

// "Battle for Syria (defence): the Sassanids from Armenia attacked the
// Romans; the Sassanids lost 1 legion, the Romans none; the Romans hold Syria".
std::string battleText(const YearEntry& e, World& world, const Wording& w) {
    static constexpr const char* kKinds[kBattleKinds] = {
        N_("attack"), N_("raid"), N_("on the march"), N_("defence"), N_("between enemies")};
    const std::string where = provinceText(world, e.province);
    const std::string kind = w.text(kKinds[static_cast<int>(e.battle)]);
    const std::string attacker = powerText(e.attacker, w);
    const std::string defender = powerText(e.defender, w);
    const std::string attackerLost = lossText(-e.legions[static_cast<std::size_t>(e.attacker)], w);
    const std::string defenderLost = lossText(-e.legions[static_cast<std::size_t>(e.defender)], w);
    const std::string holds = e.holder == kNobody
                                  ? w.format(N_("nobody holds %s"), {where})
                                  : w.format(N_("%s hold %s"), {powerText(e.holder, w), where});
    if (e.from >= 0) {
        return w.format(N_("Battle for %s (%s): %s from %s attacked %s; %s lost %s, %s %s; %s"),
                        {where, kind, attacker, provinceText(world, e.from), defender, attacker,
                         attackerLost, defender, defenderLost, holds});
    }
    return w.format(
        N_("Battle for %s (%s): %s attacked %s; %s lost %s, %s %s; %s"),
        {where, kind, attacker, defender, attacker, attackerLost, defender, defenderLost, holds});
}

std::string provinceChangeText(const YearEntry& e, World& world, const Wording& w) {
    const std::string where = provinceText(world, e.province);
    const std::string attacker = powerText(e.attacker, w);
    const std::string defender = powerText(e.defender, w);
    if (e.attacker == kRomans) {
        return e.defender == kNobody ? w.format(N_("%s retaken"), {where})
                                     : w.format(N_("%s retaken from %s"), {where, defender});
    }
    if (e.defender == kRomans) {
        return e.attacker == kNobody ? w.format(N_("%s lost: it rose against us"), {where})
                                     : w.format(N_("%s lost to %s"), {where, attacker});
    }
    if (e.attacker == kNobody) {
        return w.format(N_("%s given up by %s"), {where, defender});
    }
    return e.defender == kNobody
               ? w.format(N_("%s taken by %s"), {where, attacker})
               : w.format(N_("%s taken by %s from %s"), {where, attacker, defender});
}

// The legions an entry made or lost, power by power: "the Romans -3, the
// Rebelling Legions +3".
std::string legionChangesText(const YearEntry& e, const Wording& w) {
    std::string text;
    for (std::size_t i = 0; i < kPowerCount; ++i) {
        if (e.legions[i] == 0) {
            continue;
        }
        text += (text.empty() ? "" : ", ") + powerText(static_cast<int>(i), w) + " " +
                (e.legions[i] > 0 ? "+" : "") + std::to_string(e.legions[i]);
    }
    return text.empty() ? w.text(N_("no legion")) : text;
}

std::string legionEntryText(const YearEntry& e, World& world, const Wording& w) {
    static constexpr const char* kWhat[] = {
        N_("Legions raised"),
        N_("Legions disbanded for want of pay"),
        N_("Legions went over to a rebel emperor"),
        N_("A revolt"),
        N_("Grain riots"),
        N_("A tribe settled"),
        N_("The People's Front of Judea"),
        N_("An invasion army"),
        N_("An army of the year's events"),
        N_("Legions made or lost without a cause"),
    };
    const auto at = static_cast<std::size_t>(e.kind) - static_cast<std::size_t>(EntryKind::Raised);
    const std::string what = w.text(kWhat[at]);
    const std::string changes = legionChangesText(e, w);
    if (e.province >= 0) {
        return w.format(N_("%s in %s: %s"), {what, provinceText(world, e.province), changes});
    }
    return w.format(N_("%s: %s"), {what, changes});
}

std::string signedNumber(std::int64_t value, const Wording& w) {
    return (value >= 0 ? "+" : "") + w.number(value);
}

std::string moneyText(const YearEntry& e, const Wording& w) {
    static constexpr const char* kWhat[] = {N_("Taxes"), N_("Pay of the legions"),
                                            N_("Tribute for peace"), N_("Rome plundered"),
                                            N_("Bonus to the legions")};
    const auto at = static_cast<std::size_t>(e.kind) - static_cast<std::size_t>(EntryKind::Taxes);
    return w.format(N_("%s: %s sesterces"), {w.text(kWhat[at]), signedNumber(e.sesterces, w)});
}

}  // namespace

std::string describeEntry(const YearEntry& entry, World& world, const Wording& wording) {
    switch (entryGroup(entry.kind)) {
        case EntryGroup::Battles:
            return battleText(entry, world, wording);
        case EntryGroup::Provinces:
            return provinceChangeText(entry, world, wording);
        case EntryGroup::Legions:
            return legionEntryText(entry, world, wording);
        case EntryGroup::Treasury:
            return moneyText(entry, wording);
    }
    return {};
}

std::string summariseYear(const YearRecord& record, World& world, const Wording& w) {
    const int battles = record.romanBattles();
    std::string text = battles == 1
                           ? w.format(N_("%d AD: 1 battle"), {std::to_string(record.year)})
                           : w.format(N_("%d AD: %d battles"),
                                      {std::to_string(record.year), std::to_string(battles)});
    if (battles > 0) {
        text = w.format(N_("%s, %d won"), {text, std::to_string(record.romanBattlesWon())});
    }
    std::string lost;
    std::string won;
    for (const YearEntry& e : record.entries) {
        if (e.kind != EntryKind::ProvinceChange ||
            (e.defender != kRomans && e.attacker != kRomans)) {
            continue;
        }
        std::string& list = e.defender == kRomans ? lost : won;
        list += (list.empty() ? "" : ", ") + provinceText(world, e.province);
    }
    if (!lost.empty()) {
        text += "; " + w.format(N_("%s lost"), {lost});
    }
    if (!won.empty()) {
        text += "; " + w.format(N_("%s retaken"), {won});
    }
    const int legions = record.after.legions[powerIndex(Power::Romans)] -
                        record.before.legions[powerIndex(Power::Romans)];
    text += "; " + w.format(N_("legions %s"), {signedNumber(legions, w)});
    return text + "; " +
           w.format(N_("treasury %s"),
                    {signedNumber(record.after.treasury - record.before.treasury, w)});
}

}  // namespace tessarion
