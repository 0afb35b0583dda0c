#include "model/LegionList.h"

#include <algorithm>
#include <string>

#include "model/InternalError.h"
#include "model/Province.h"

namespace tessarion {

LegionList::Place& LegionList::placeOf(const Province* province) const {
    if (province != nullptr && province->index >= 0 && province->index < kProvinceCount) {
        return places_[static_cast<std::size_t>(province->index)];
    }
    for (Place& place : otherPlaces_) {
        if (place.province == province) {
            return place;
        }
    }
    otherPlaces_.push_back({province, 0, 0});
    return otherPlaces_.back();
}

void LegionList::arrive(const Province* province, std::size_t slot) {
    Place& place = placeOf(province);
    place.first = place.count == 0 ? slot : std::min(place.first, slot);
    place.count += 1;
}

std::unique_ptr<Legion>& LegionList::operator[](std::size_t position) {
    if (holes() > 0 && walks_ == 0) {
        compact();
    }
    if (holes() == 0) {
        return slots_[position];
    }
    // A walk holds the slots still: count the legions.
    for (auto& slot : slots_) {
        if (slot && position-- == 0) {
            return slot;
        }
    }
    throw InternalError("no legion at position " + std::to_string(position));
}

const std::unique_ptr<Legion>& LegionList::operator[](std::size_t position) const {
    for (const auto& slot : slots_) {
        if (slot && position-- == 0) {
            return slot;
        }
    }
    throw InternalError("no legion at position " + std::to_string(position));
}

std::unique_ptr<Legion>& LegionList::back() {
    for (auto slot = slots_.rbegin(); slot != slots_.rend(); ++slot) {
        if (*slot) {
            return *slot;
        }
    }
    throw InternalError("no legion in an empty list");
}

void LegionList::push_back(std::unique_ptr<Legion> legion) {
    compactIfWorthIt();
    legion->slot = static_cast<std::uint32_t>(slots_.size());
    arrive(legion->province, legion->slot);
    slots_.push_back(std::move(legion));
    live_ += 1;
}

void LegionList::pop_back() {
    destroy(*back());
}

void LegionList::resize(std::size_t count) {
    while (live_ > count) {
        pop_back();
    }
}

void LegionList::clear() {
    slots_.clear();
    live_ = 0;
    rebuildPlaces();
}

void LegionList::swap(Slots& other) {
    compact();
    slots_.swap(other);
    // The incoming vector may hold empty entries; they are not legions.
    std::erase(slots_, nullptr);
    live_ = slots_.size();
    for (std::size_t s = 0; s < slots_.size(); ++s) {
        slots_[s]->slot = static_cast<std::uint32_t>(s);
    }
    rebuildPlaces();
}

std::size_t LegionList::nextFrom(std::size_t slot) const {
    for (; slot < slots_.size(); ++slot) {
        if (slots_[slot]) {
            return slot;
        }
    }
    return npos;
}

void LegionList::destroy(std::size_t slot) {
    Legion& legion = *slots_[slot];
    placeOf(legion.province).count -= 1;
    if (walks_ > 0 && watched_ != npos) {
        if (slot < watched_) {
            lostBefore_ += 1;
        } else if (slot == watched_) {
            lostWatched_ = true;
        }
    }
    slots_[slot].reset();
    live_ -= 1;
    if (walks_ == 0) {
        while (!slots_.empty() && !slots_.back()) {
            slots_.pop_back();
        }
        compactIfWorthIt();
    }
}

void LegionList::destroyAllIn(const Province* province) {
    std::size_t s = 0;
    while ((s = findFirstIn(province, [](const Legion&) { return true; })) != npos) {
        destroy(s);
    }
}

void LegionList::moved(const Legion& legion, const Province* from) {
    if (!holds(legion) || from == legion.province) {
        return;
    }
    placeOf(from).count -= 1;
    arrive(legion.province, legion.slot);
}

void LegionList::compact() {
    if (holes() == 0) {
        return;
    }
    std::erase(slots_, nullptr);
    for (std::size_t s = 0; s < slots_.size(); ++s) {
        slots_[s]->slot = static_cast<std::uint32_t>(s);
    }
    rebuildPlaces();
}

void LegionList::compactIfWorthIt() {
    // Closing the holes costs a pass over the list: worth it once there are
    // about as many holes as legions, never while a walk holds the slots.
    if (walks_ == 0 && holes() > 64 && holes() > live_) {
        compact();
    }
}

void LegionList::rebuildPlaces() {
    places_.fill(Place{});
    otherPlaces_.clear();
    for (std::size_t s = 0; s < slots_.size(); ++s) {
        if (slots_[s]) {
            arrive(slots_[s]->province, s);
        }
    }
}

LegionList::Walk::~Walk() {
    list_.walks_ -= 1;
    if (list_.walks_ == 0) {
        list_.watched_ = npos;
        list_.compactIfWorthIt();
    }
}

void LegionList::Walk::watch(std::size_t slot) {
    list_.watched_ = slot;
    list_.lostBefore_ = 0;
    list_.lostWatched_ = false;
}

std::size_t LegionList::Walk::skip(std::size_t slot, std::size_t count) const {
    std::size_t s = list_.nextFrom(slot + 1);
    for (; count > 0 && s != npos; --count) {
        s = list_.nextFrom(s + 1);
    }
    return s;
}

}  // namespace tessarion
