#include "model/Province.h"

#include <algorithm>
#include <iterator>

#include "model/InternalError.h"
#include "model/Random.h"

namespace tessarion {

namespace {

const char* const kGermanicSide[] = {"Upper Rhine", "Upper Danube", "Sarmatia", "Lower Rhine",
                                     "Lower Danube"};
const char* const kTigrisSide[] = {"Armenia", "Mesopotamia"};

bool nameIn(const Province* p, const auto& names) {
    return p != nullptr && std::any_of(std::begin(names), std::end(names),
                                       [&](const char* n) { return p->name == n; });
}

}  // namespace

bool isBeyondBorder(const Province* province) {
    return nameIn(province, kGermanicSide) || nameIn(province, kTigrisSide);
}

bool isGermanicSide(const Province* province) {
    return nameIn(province, kGermanicSide);
}

Province::Province(std::string provinceName, int startingRecruitCounter)
    : name(std::move(provinceName)), recruitCounter(startingRecruitCounter) {}

void Province::addNeighbour(Province* other) {
    if (neighbourCount >= kMaxNeighbours) {
        throw InternalError("too many neighbours for " + name);
    }
    neighbours[static_cast<std::size_t>(neighbourCount++)] = other;
}

int legionX(const Province& province) {
    if (province.legionX == -1) {
        throw InternalError("legionX not initialized");
    }
    return province.legionX;
}

int legionY(const Province& province) {
    if (province.legionY == -1) {
        throw InternalError("legionY not initialized");
    }
    return province.legionY;
}

bool isNeighbour(const Province* a, const Province* b) {
    if (a == nullptr || b == nullptr) {
        return false;
    }
    for (int i = 0; i < a->neighbourCount; ++i) {
        const Province* n = a->neighbours[static_cast<std::size_t>(i)];
        if (n != nullptr && n->name == b->name) {
            return true;
        }
    }
    return false;
}

}  // namespace tessarion
