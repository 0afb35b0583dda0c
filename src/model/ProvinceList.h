#pragma once

#include <cstddef>
#include <vector>

#include "model/Power.h"

namespace tessarion {

struct Province;

// The provinces a power holds, in the order it gained them (the order the
// rules visit them in and the saved games list them in). Every change goes
// through here so that each province knows how many times every power holds
// it, which makes "who owns this province?" a lookup. One list per power in a
// world.
class ProvinceList {
  public:
    using const_iterator = std::vector<Province*>::const_iterator;

    explicit ProvinceList(Power holder) : holder_(powerIndex(holder)) {}
    ~ProvinceList() { clear(); }

    ProvinceList(const ProvinceList&) = delete;
    ProvinceList& operator=(const ProvinceList&) = delete;

    const_iterator begin() const { return list_.begin(); }
    const_iterator end() const { return list_.end(); }
    std::size_t size() const { return list_.size(); }
    bool empty() const { return list_.empty(); }
    Province* operator[](std::size_t i) const { return list_[i]; }
    Province* front() const { return list_.front(); }
    Province* back() const { return list_.back(); }
    operator const std::vector<Province*>&() const { return list_; }

    // In constant time: whether the list holds the province.
    bool contains(const Province* province) const;

    // Appends the province, even one already listed (addProvince checks).
    void push_back(Province* province);
    const_iterator erase(const_iterator position);
    void clear();
    // Takes the provinces of `other` in their order and gives it this list's.
    void swap(std::vector<Province*>& other);

  private:
    std::vector<Province*> list_;
    std::size_t holder_;
};

}  // namespace tessarion
