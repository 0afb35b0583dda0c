#pragma once

#include <array>
#include <string>
#include <vector>

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

// One of the 30 fixed regions of the map. Built once with the Game; only
// recruitCounter and hostility change during play. Who owns a province is not
// stored here: it is membership in one power's province list.
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
    std::vector<Rect> hitRects;
    int taxValue = 2;
    int hostility = 0;  // 0 none, 1 friendly, 2 hostile

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

// True when b is one of a's neighbours (by name; one direction only).
bool isNeighbour(const Province* a, const Province* b);

}  // namespace tessarion
