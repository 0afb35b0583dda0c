#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>

#include "model/Power.h"

namespace tessarion {

// A rectangle of the map picture: left < x < right, top < y < bottom.
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    bool containsStrictly(int x, int y) const {
        return left < x && x < right && top < y && y < bottom;
    }
};

// The 30 provinces in table order: the order of every walk over the map.
enum class ProvinceId {
    Italia,
    Aquitania,
    Terraconensis,
    UpperRhine,
    Mauretania,
    Africa,
    Aegyptus,
    Dalmatia,
    Macedonia,
    Pontus,
    Palestina,
    Armenia,
    Sarmatia,
    Syria,
    Dacia,
    Pannonia,
    Britannia,
    Thracia,
    Belgica,
    LowerRhine,
    LowerDanube,
    Mesopotamia,
    UpperDanube,
    Lusitania,
    Lugdunensis,
    Narbonensis,
    Raetia,
    Lydia,
    Phrygia,
    Cappadocia,
};

// Which river a land beyond the frontier lies across, if any.
enum class Frontier : std::uint8_t { None, Germanic, Tigris };

// One of the 30 fixed regions of the map. Each game makes its own from the
// shared table; only recruitCounter and hostility change during play. Who owns
// a province is membership in one power's province list; the lists keep
// `heldBy` in step so that the owner is a lookup.
struct Province {
    static constexpr int kMaxNeighbours = 6;

    Province(std::string provinceName, int recruitCounter);

    std::string attributes = "Supports 1 legion";
    std::string name;
    int recruitCounter;
    std::array<Province*, kMaxNeighbours> neighbours{};
    int neighbourCount = 0;
    int legionX = -1;
    int legionY = -1;
    std::span<const Rect> hitRects;
    int taxValue = 2;
    int hostility = 0;  // 0 none, 1 friendly, 2 hostile
    // Its place in the table; -1 for a province made on its own.
    int index = -1;
    Frontier frontier = Frontier::None;
    // How many times each power's province list holds it (by Power).
    std::array<std::uint16_t, kPowerCount> heldBy{};

    bool is(ProvinceId id) const { return index == static_cast<int>(id); }
    void addNeighbour(Province* other);
};

// The legion anchor; raises "legionX not initialized" / "legionY not
// initialized" when the table never set it.
int legionX(const Province& province);
int legionY(const Province& province);

// The seven lands beyond the Rhine, the Danube and the Tigris: a legion that
// takes one raids it and comes back.
bool isBeyondBorder(const Province* province);
// The five of them beyond the Rhine and the Danube.
bool isGermanicSide(const Province* province);

// True when b is one of a's neighbours (one direction only).
bool isNeighbour(const Province* a, const Province* b);

// Provinces are the same when they are the same record: every rule works on
// the game's own provinces.
inline bool sameProvince(const Province* a, const Province* b) {
    return a == b;
}

}  // namespace tessarion
