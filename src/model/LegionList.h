#pragma once

#include <array>
#include <cstddef>
#include <iterator>
#include <memory>
#include <vector>

#include "model/Legion.h"
#include "model/ProvinceTable.h"

namespace tessarion {

struct Province;

// A power's legions in list order, which the rules depend on ("the first
// legion in the list that ..."). To everyone outside it looks like a vector of
// owned legions. Inside, a destroyed legion leaves a hole that is closed later
// (in one pass), and each province keeps its count of legions and a slot no
// legion standing there comes before: so losing a legion, counting and
// finding the first legion in a province cost the same in a crowded year as
// in a quiet one, and walks over the list keep their places while battles
// destroy legions around them.
class LegionList {
  public:
    using Slots = std::vector<std::unique_ptr<Legion>>;
    static constexpr std::size_t npos = static_cast<std::size_t>(-1);

    template <typename Slot, typename Owned>
    class Iterator {
      public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = std::unique_ptr<Legion>;
        using difference_type = std::ptrdiff_t;
        using pointer = Owned*;
        using reference = Owned&;

        Iterator() = default;
        Iterator(Slot at, Slot end) : at_(at), end_(end) { skipHoles(); }
        reference operator*() const { return *at_; }
        pointer operator->() const { return &*at_; }
        Iterator& operator++() {
            ++at_;
            skipHoles();
            return *this;
        }
        Iterator operator++(int) {
            Iterator before = *this;
            ++*this;
            return before;
        }
        bool operator==(const Iterator& other) const { return at_ == other.at_; }

      private:
        void skipHoles() {
            while (at_ != end_ && !*at_) {
                ++at_;
            }
        }
        Slot at_{};
        Slot end_{};
    };
    using iterator = Iterator<Slots::iterator, std::unique_ptr<Legion>>;
    using const_iterator = Iterator<Slots::const_iterator, const std::unique_ptr<Legion>>;

    LegionList() = default;
    LegionList(const LegionList&) = delete;
    LegionList& operator=(const LegionList&) = delete;

    // The vector's face.
    std::size_t size() const { return live_; }
    bool empty() const { return live_ == 0; }
    iterator begin() { return {slots_.begin(), slots_.end()}; }
    iterator end() { return {slots_.end(), slots_.end()}; }
    const_iterator begin() const { return {slots_.begin(), slots_.end()}; }
    const_iterator end() const { return {slots_.end(), slots_.end()}; }
    // The legion at a position in list order.
    std::unique_ptr<Legion>& operator[](std::size_t position);
    const std::unique_ptr<Legion>& operator[](std::size_t position) const;
    std::unique_ptr<Legion>& front() { return (*this)[0]; }
    std::unique_ptr<Legion>& back();
    void push_back(std::unique_ptr<Legion> legion);
    void pop_back();
    // Keeps the first `count` legions (never grows the list).
    void resize(std::size_t count);
    void reserve(std::size_t count) { slots_.reserve(count); }
    void clear();
    // Takes the legions of `other` in their order and gives it this list's.
    void swap(Slots& other);

    // The rules' side. A slot is a legion's place in the list: it does not
    // move while a walk is on, and slots in increasing order are list order.
    int countIn(const Province* province) const { return placeOf(province).count; }
    // The slot of the first legion in list order standing in the province
    // for which `pred` holds, or npos.
    template <typename Pred>
    std::size_t findFirstIn(const Province* province, Pred pred);
    // The first slot at or after `slot` that holds a legion, or npos.
    std::size_t nextFrom(std::size_t slot) const;
    Legion* at(std::size_t slot) const { return slots_[slot].get(); }
    void destroy(std::size_t slot);
    void destroy(const Legion& legion) { destroy(legion.slot); }
    void destroyAllIn(const Province* province);
    // The legion has stepped from `from` to where it stands now.
    void moved(const Legion& legion, const Province* from);
    bool holds(const Legion& legion) const {
        return legion.slot < slots_.size() && slots_[legion.slot].get() == &legion;
    }

    // While a walk is on, the slots stay put. It can watch the step of one
    // legion and learn how many legions at or before that one were lost in it
    // (they move the legions after them one place up in list order).
    class Walk {
      public:
        explicit Walk(LegionList& list) : list_(list) { ++list_.walks_; }
        ~Walk();
        Walk(const Walk&) = delete;
        Walk& operator=(const Walk&) = delete;

        void watch(std::size_t slot);
        std::size_t lostBefore() const { return list_.lostBefore_; }
        bool lostWatched() const { return list_.lostWatched_; }
        // The slot of the legion `count` places after the one in `slot`.
        std::size_t skip(std::size_t slot, std::size_t count) const;

      private:
        LegionList& list_;
    };

  private:
    // Where a province's legions are: how many, and a slot none of them comes
    // before.
    struct Place {
        const Province* province = nullptr;
        int count = 0;
        std::size_t first = 0;
    };

    Place& placeOf(const Province* province) const;
    void arrive(const Province* province, std::size_t slot);
    void compact();
    void compactIfWorthIt();
    std::size_t holes() const { return slots_.size() - live_; }
    void rebuildPlaces();

    Slots slots_;
    std::size_t live_ = 0;
    int walks_ = 0;
    std::size_t watched_ = npos;
    std::size_t lostBefore_ = 0;
    bool lostWatched_ = false;
    // By table index; provinces made outside a table go with the others.
    mutable std::array<Place, kProvinceCount> places_{};
    mutable std::vector<Place> otherPlaces_;
};

template <typename Pred>
std::size_t LegionList::findFirstIn(const Province* province, Pred pred) {
    Place& place = placeOf(province);
    if (place.count == 0) {
        return npos;
    }
    bool first = true;
    for (std::size_t s = place.first; s < slots_.size(); ++s) {
        const Legion* l = slots_[s].get();
        if (l == nullptr || l->province != province) {
            continue;
        }
        if (first) {
            place.first = s;
            first = false;
        }
        if (pred(*l)) {
            return s;
        }
    }
    return npos;
}

}  // namespace tessarion
