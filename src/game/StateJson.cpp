#include "game/StateJson.h"

#include <cstdio>
#include <sstream>

#include "game/Game.h"
#include "model/YearRecord.h"

namespace tessarion {

namespace {

std::string jsonString(const std::string& s) {
    std::string out = "\"";
    for (unsigned char c : s) {
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                if (c < 0x20) {
                    char buf[8];
                    std::snprintf(buf, sizeof buf, "\\u%04x", c);
                    out += buf;
                } else {
                    out += static_cast<char>(c);
                }
        }
    }
    return out + "\"";
}

const char* boolText(bool b) {
    return b ? "true" : "false";
}

// Writes `[a, b, c]`, each item by `write`.
template <typename Range, typename Write>
void writeList(std::ostream& o, const Range& items, Write write) {
    o << '[';
    bool first = true;
    for (const auto& item : items) {
        o << (first ? "" : ", ");
        write(item);
        first = false;
    }
    o << ']';
}

void writeNames(std::ostream& o, const std::vector<Province*>& provinces) {
    writeList(o, provinces, [&](const Province* p) { o << jsonString(p->name); });
}

void writeCounters(std::ostream& o, Game& game) {
    RomanEmpire& r = game.romans;
    o << "{\"turn\": " << game.turn << ", \"year\": " << game.year()
      << ", \"skillLevel\": " << game.skillLevel() << ", \"treasury\": " << r.treasury
      << ", \"lastIncome\": " << r.lastIncome << ", \"upkeep\": " << r.upkeep
      << ", \"plague\": " << boolText(r.plague) << ", \"plagueCounter\": " << r.plagueCounter
      << ", \"tribeCountdown\": ";
    writeList(o, game.barbarians.tribeCountdown, [&](int countdown) { o << countdown; });
    o << ", \"invasionCount\": " << game.invasionCount << ", \"plagueCount\": " << game.plagueCount
      << ", \"rebellionCount\": " << game.rebellionCount
      << ", \"sassanidWarningPending\": " << boolText(game.sassanidWarningPending);
}

void writeProvince(std::ostream& o, Game& game, Province* p) {
    Empire* owner = game.ownerOf(p);
    o << "{\"name\": " << jsonString(p->name)
      << ", \"owner\": " << (owner ? jsonString(owner->name) : "null")
      << ", \"recruitCounter\": " << p->recruitCounter << ", \"hostility\": " << p->hostility
      << "}";
}

void writePower(std::ostream& o, const Empire& e) {
    o << "{\"name\": " << jsonString(e.name) << ", \"provinces\": ";
    writeNames(o, e.provinces);
    o << ", \"legions\": ";
    writeList(o, e.legions, [&](const auto& l) {
        o << "{\"province\": " << jsonString(l->province->name)
          << ", \"moved\": " << boolText(l->moved) << ", \"hasRoute\": " << boolText(l->hasRoute)
          << ", \"routeIndex\": " << l->routeIndex << ", \"route\": ";
        writeNames(o, l->route);
        o << "}";
    });
    o << "}";
}

std::string powerJson(int index) {
    return index == kNobody ? "null"
                            : jsonString(std::string(powerName(static_cast<Power>(index))));
}

std::string provinceJson(Game& game, int index) {
    return index < 0 ? "null" : jsonString(game.provinces[static_cast<std::size_t>(index)]->name);
}

void writeTally(std::ostream& o, const Tally& t) {
    o << "{\"legions\": ";
    writeList(o, t.legions, [&](int n) { o << n; });
    o << ", \"provinces\": ";
    writeList(o, t.provinces, [&](int n) { o << n; });
    o << ", \"treasury\": " << t.treasury << "}";
}

// The last closed year, so that a pipe can check its books: each entry's
// legions per power and sesterces add up to after minus before.
void writeLastYear(std::ostream& o, Game& game) {
    const YearRecord& r = game.lastYear;
    if (r.empty()) {
        o << "null";
        return;
    }
    o << "{\"year\": " << r.year << ", \"before\": ";
    writeTally(o, r.before);
    o << ", \"after\": ";
    writeTally(o, r.after);
    o << ", \"entries\": ";
    writeList(o, r.entries, [&](const YearEntry& e) {
        o << "{\"kind\": " << jsonString(std::string(entryKindName(e.kind)));
        if (e.kind == EntryKind::Battle) {
            o << ", \"battle\": " << jsonString(std::string(battleKindName(e.battle)));
        }
        o << ", \"province\": " << provinceJson(game, e.province)
          << ", \"from\": " << provinceJson(game, e.from)
          << ", \"attacker\": " << powerJson(e.attacker)
          << ", \"defender\": " << powerJson(e.defender) << ", \"holder\": " << powerJson(e.holder)
          << ", \"legions\": ";
        writeList(o, e.legions, [&](int n) { o << n; });
        o << ", \"sesterces\": " << e.sesterces
          << ", \"text\": " << jsonString(describeEntry(e, game)) << "}";
    });
    o << "}";
}

}  // namespace

std::string stateJson(Game& game) {
    std::ostringstream o;
    writeCounters(o, game);
    o << ", \"news\": ";
    writeList(o, game.newsLog, [&](const std::string& line) { o << jsonString(line); });
    o << ", \"events\": ";
    writeList(o, game.events, [&](const auto& e) {
        o << "{\"year\": " << e->year << ", \"kind\": " << jsonString(e->kind()) << "}";
    });
    o << ", \"provinces\": ";
    writeList(o, game.provinces, [&](const auto& p) { writeProvince(o, game, p.get()); });
    o << ", \"powers\": ";
    writeList(o, game.powers(), [&](const Empire* e) { writePower(o, *e); });
    o << ", \"lastYear\": ";
    writeLastYear(o, game);
    o << "}";
    return o.str();
}

}  // namespace tessarion
