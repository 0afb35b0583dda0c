#pragma once

#include <cstdint>
#include <deque>
#include <initializer_list>

namespace tessarion {

// A game's random generator. Every rule draws from its game's own in a fixed
// order, so a game started from the same seed replays exactly, and games never
// share one. state = state * 214013 + 2531011 (mod 2^32); a draw is bits 16 to 30.
class Random {
  public:
    explicit Random(std::uint32_t seed = 1) : state_(seed) {}

    void seed(std::uint32_t seed) {
        state_ = seed;
        rigged_.clear();
    }
    int draw();  // 0 .. 32767
    std::uint32_t state() const { return state_; }

    // The next draws return these values (each 0 .. 32767) instead of the
    // rule's, in order; the state still steps once a draw. For tests that need
    // a battle won or a plague struck.
    void rig(std::initializer_list<int> values);
    bool rigged() const { return !rigged_.empty(); }

  private:
    std::uint32_t state_;
    std::deque<int> rigged_;
};

// A seed that differs from run to run (wall clock based).
std::uint32_t clockSeed();

}  // namespace tessarion
