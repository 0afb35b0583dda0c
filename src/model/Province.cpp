#include "model/Province.h"

#include "model/InternalError.h"
#include "model/Random.h"

namespace tessarion {

bool isBeyondBorder(const Province* province) {
    return province != nullptr && province->frontier != Frontier::None;
}

bool isGermanicSide(const Province* province) {
    return province != nullptr && province->frontier == Frontier::Germanic;
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
        if (a->neighbours[static_cast<std::size_t>(i)] == b) {
            return true;
        }
    }
    return false;
}

}  // namespace tessarion
