#include "model/ProvinceList.h"

#include "model/Province.h"

namespace tessarion {

bool ProvinceList::contains(const Province* province) const {
    return province != nullptr && province->heldBy[holder_] > 0;
}

void ProvinceList::push_back(Province* province) {
    list_.push_back(province);
    province->heldBy[holder_] += 1;
}

ProvinceList::const_iterator ProvinceList::erase(const_iterator position) {
    (*position)->heldBy[holder_] -= 1;
    return list_.erase(position);
}

void ProvinceList::clear() {
    for (Province* p : list_) {
        p->heldBy[holder_] -= 1;
    }
    list_.clear();
}

void ProvinceList::swap(std::vector<Province*>& other) {
    for (Province* p : list_) {
        p->heldBy[holder_] -= 1;
    }
    for (Province* p : other) {
        p->heldBy[holder_] += 1;
    }
    list_.swap(other);
}

}  // namespace tessarion
