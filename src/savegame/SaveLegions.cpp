// Each power's legions in a saved game: where each stands and where it is
// bound, with the notes that resume its march (the moved mark, the route and
// the step it has reached).

#include <algorithm>
#include <array>

#include "engine/Routes.h"
#include "savegame/SaveFormat.h"
#include "savegame/SaveLimits.h"

namespace tessarion::save {

namespace {

// The route and the step a legion on its way has reached, unless a fresh
// route from where it stands is the very same.
std::string routeNote(const Game& game, const Legion& legion) {
    const Route& route = legion.route;
    const std::string whose =
        "a legion of the " + legion.owner->name + " in " + legion.province->name;
    if (legion.routeIndex < 0 || static_cast<std::size_t>(legion.routeIndex) + 1 >= route.size()) {
        throw SaveRefusal{whose + " is at step " + std::to_string(legion.routeIndex) +
                          " of a route of " + std::to_string(route.size()) + " provinces"};
    }
    if (legion.routeIndex == 0 && route.front() == legion.province &&
        route == shortestRoute(legion.province, route.back())) {
        return "";
    }
    std::string codes;
    for (const Province* p : route) {
        const int index = tableIndex(game, p);
        if (index < 0) {
            throw SaveRefusal{whose + " marches through a province not on the map"};
        }
        codes += kCodes[static_cast<std::size_t>(index)];
    }
    return std::string(note::kRoute) + codes + std::string(note::kStep) +
           std::to_string(legion.routeIndex);
}

void writeLegion(const Game& game, Writer& out, const Legion& legion) {
    out.line(legion.province->name, label::kCurrent, legion.moved ? note::kMoved : "");
    if (!legion.hasRoute) {
        out.line("0", label::kNoRoute);
        return;
    }
    out.line("1", label::kHasRoute);
    if (legion.route.empty() || legion.route.back() == nullptr) {
        throw SaveRefusal{"a legion of the " + legion.owner->name + " in " + legion.province->name +
                          " marches without a destination"};
    }
    out.line(legion.route.back()->name, label::kDestination, routeNote(game, legion));
}

// The provinces of a route's note, by their codes.
Route routeOfCodes(Game& game, const LineReader& in, std::string_view codes) {
    Route route;
    for (char c : codes) {
        const int index = codeValue(c);
        if (index < 0 || index >= static_cast<int>(game.provinces.size())) {
            in.fail("the route of a legion holds an unknown province: " + inQuotes(codes));
        }
        route.push_back(game.provinces[static_cast<std::size_t>(index)].get());
    }
    return route;
}

// The route of a destination line's notes, checked the way the rules build
// routes: each step to a neighbour or a year standing still, the legion on
// the step it has reached or, pushed on by a won battle, on the next one.
void readRoute(Game& game, const LineReader& in, std::string_view notes, Legion& legion,
               Province* destination) {
    const std::string_view codes = notes.substr(0, notes.find(' '));
    const std::string_view after = notes.substr(codes.size());
    if (codes.size() < 2 || after.substr(0, note::kStep.size()) != note::kStep) {
        in.fail(
            "the route of a legion should read \"route\", the provinces, \"at\" and a step, "
            "not " +
            inQuotes(notes));
    }
    const Route route = routeOfCodes(game, in, codes);
    const std::int64_t step = in.number(after.substr(note::kStep.size()), "the step of a route");
    in.within(step, {0, static_cast<std::int64_t>(route.size()) - 2}, "the step of a route");
    if (route.back() != destination) {
        in.fail("the route of a legion ends in " + route.back()->name + ", not in " +
                destination->name);
    }
    for (std::size_t i = 0; i + 1 < route.size(); ++i) {
        if (route[i] != route[i + 1] && !isNeighbour(route[i], route[i + 1])) {
            in.fail("the route of a legion goes from " + route[i]->name + " to " +
                    route[i + 1]->name + ", which do not border");
        }
    }
    const auto at = static_cast<std::size_t>(step);
    if (legion.province != route[at] && legion.province != route[at + 1]) {
        in.fail("a legion in " + legion.province->name + " is not on its route");
    }
    legion.setRoute(route);
    legion.routeIndex = static_cast<int>(step);
}

// Where a legion with a route is bound: its own route's note, or the route
// the rules would plan from where it stands.
void readDestination(Game& game, LineReader& in, Legion& legion, SavedGame& saved) {
    const std::string what = "the destination of a legion of the " + legion.owner->name;
    const ValueLine line = in.value(label::kDestination, what);
    Province* destination = namedProvince(game, in, line.value);
    if (line.notes.substr(0, note::kRoute.size()) == note::kRoute) {
        readRoute(game, in, line.notes.substr(note::kRoute.size()), legion, destination);
        saved.shows(FormatVersion::Notes);
        return;
    }
    if (!line.notes.empty()) {
        in.failComment(label::kDestination, what);
    }
    const Route route = findRoute(game, legion.province, destination);
    if (route.size() < 2) {
        in.fail("there is no route from " + legion.province->name + " to " + destination->name);
    }
    legion.setRoute(route);
}

std::unique_ptr<Legion> readLegion(Game& game, LineReader& in, Empire* owner, SavedGame& saved) {
    const std::string& power = owner->name;
    const std::string where = "the province of a legion of the " + power;
    const ValueLine current = in.value(label::kCurrent, where);
    if (!current.notes.empty() && current.notes != note::kMoved) {
        in.failComment(label::kCurrent, where);
    }
    auto legion = std::make_unique<Legion>(owner, namedProvince(game, in, current.value));
    legion->moved = !current.notes.empty();
    if (legion->moved) {
        saved.shows(FormatVersion::Notes);
    }

    const std::string flagName = "the route flag of a legion of the " + power;
    const std::string_view flag = in.line(flagName);
    const std::string hasRoute = "1" + std::string(label::kHasRoute);
    const std::string noRoute = "0" + std::string(label::kNoRoute);
    if (flag == "0" || flag == noRoute) {
        return legion;
    }
    if (flag != "1" && flag != hasRoute) {
        in.fail(flagName + " should read " + inQuotes(hasRoute) + " or " + inQuotes(noRoute) +
                ", not " + inQuotes(flag));
    }
    readDestination(game, in, *legion, saved);
    return legion;
}

// The legions of every power together may not outweigh what a game of the
// saved year can have raised.
void checkLegionWeight(Game& game, const LineReader& in, const SavedGame& saved) {
    std::size_t others = 0;
    for (std::size_t p = 1; p < saved.powers.size(); ++p) {
        others += saved.powers[p].legions.size();
    }
    const std::vector<Province*>& roman = saved.powers[0].provinces;
    const bool palestina =
        std::find(roman.begin(), roman.end(), game.province(ProvinceId::Palestina)) != roman.end();
    const std::size_t weight =
        kSaveLimits.legionWeight(others, saved.powers[0].legions.size(), palestina);
    if (weight > kSaveLimits.legionsIn(saved.turn)) {
        in.fail("the legions of all the powers count as " + std::to_string(weight) +
                ", more than a saved game of " + std::to_string(235 + saved.turn) +
                " AD may hold (" + std::to_string(kSaveLimits.legionsIn(saved.turn)) + ")");
    }
}

}  // namespace

void writeLegions(const Game& game, Writer& out) {
    for (const Empire* power : game.powers()) {
        out.line(power->name + std::string(label::kLegions));
        out.line(std::to_string(power->legions.size()), label::kLegionCount);
        for (const auto& legion : power->legions) {
            writeLegion(game, out, *legion);
        }
    }
}

void readLegions(Game& game, LineReader& in, SavedGame& saved) {
    const std::array<Empire*, 4> powers = game.powers();
    // The Romans may hold the Front's legions beyond the bound (legionWeight).
    std::size_t left = kSaveLimits.legionsIn(saved.turn) + kSaveLimits.peoplesFrontRising;
    for (std::size_t p = 0; p < powers.size(); ++p) {
        const std::string& power = powers[p]->name;
        in.expect(power + std::string(label::kLegions),
                  "the heading of the legions of the " + power);
        // A legion takes two lines at least: where it stands and its route flag.
        const std::size_t count =
            readCount(in, label::kLegionCount, "the number of legions of the " + power, 2, left,
                      "more than a saved game may hold");
        left -= count;
        std::vector<std::unique_ptr<Legion>>& legions = saved.powers[p].legions;
        legions.reserve(count);
        for (std::size_t i = 0; i < count; ++i) {
            legions.push_back(readLegion(game, in, powers[p], saved));
        }
    }
    checkLegionWeight(game, in, saved);
}

}  // namespace tessarion::save
