#include "game/StateJson.h"

#include <cstdio>
#include <sstream>

#include "game/Game.h"

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

}  // namespace

std::string stateJson(Game& game) {
    std::ostringstream o;
    RomanEmpire& r = game.romans;
    o << "{\"turn\": " << game.turn << ", \"year\": " << game.year()
      << ", \"skillLevel\": " << game.skillLevel() << ", \"treasury\": " << r.treasury
      << ", \"lastIncome\": " << r.lastIncome << ", \"upkeep\": " << r.upkeep
      << ", \"plague\": " << boolText(r.plague) << ", \"plagueCounter\": " << r.plagueCounter
      << ", \"tribeCountdown\": [";
    for (std::size_t i = 0; i < 4; ++i) {
        o << (i ? ", " : "") << game.barbarians.tribeCountdown[i];
    }
    o << "], \"invasionCount\": " << game.invasionCount << ", \"plagueCount\": " << game.plagueCount
      << ", \"rebellionCount\": " << game.rebellionCount
      << ", \"sassanidWarningPending\": " << boolText(game.sassanidWarningPending)
      << ", \"news\": [";
    bool first = true;
    for (const std::string& line : game.newsLog) {
        o << (first ? "" : ", ") << jsonString(line);
        first = false;
    }
    o << "], \"events\": [";
    first = true;
    for (const auto& e : game.events) {
        o << (first ? "" : ", ") << "{\"year\": " << e->year
          << ", \"kind\": " << jsonString(e->kind()) << "}";
        first = false;
    }
    o << "], \"provinces\": [";
    first = true;
    for (auto& p : game.provinces) {
        Empire* owner = game.ownerOf(p.get());
        o << (first ? "" : ", ") << "{\"name\": " << jsonString(p->name)
          << ", \"owner\": " << (owner ? jsonString(owner->name) : "null")
          << ", \"recruitCounter\": " << p->recruitCounter << ", \"hostility\": " << p->hostility
          << "}";
        first = false;
    }
    o << "], \"powers\": [";
    first = true;
    for (Empire* e : game.powers()) {
        o << (first ? "" : ", ") << "{\"name\": " << jsonString(e->name) << ", \"provinces\": [";
        bool firstP = true;
        for (Province* p : e->provinces) {
            o << (firstP ? "" : ", ") << jsonString(p->name);
            firstP = false;
        }
        o << "], \"legions\": [";
        bool firstL = true;
        for (const auto& l : e->legions) {
            o << (firstL ? "" : ", ") << "{\"province\": " << jsonString(l->province->name)
              << ", \"moved\": " << boolText(l->moved)
              << ", \"hasRoute\": " << boolText(l->hasRoute)
              << ", \"routeIndex\": " << l->routeIndex << ", \"route\": [";
            bool firstR = true;
            for (Province* step : l->route) {
                o << (firstR ? "" : ", ") << jsonString(step->name);
                firstR = false;
            }
            o << "]}";
            firstL = false;
        }
        o << "]}";
        first = false;
    }
    o << "]}";
    return o.str();
}

}  // namespace tessarion
