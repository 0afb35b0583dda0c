#include "model/Random.h"

#include <chrono>

#include "model/InternalError.h"

namespace tessarion {

int Random::draw() {
    state_ = state_ * 214013u + 2531011u;
    if (!rigged_.empty()) {
        const int value = rigged_.front();
        rigged_.pop_front();
        return value;
    }
    return static_cast<int>((state_ >> 16) & 0x7fffu);
}

void Random::rig(std::initializer_list<int> values) {
    for (int v : values) {
        if (v < 0 || v > 0x7fff) {
            throw InternalError("a rigged draw out of the generator's range");
        }
        rigged_.push_back(v);
    }
}

std::uint32_t clockSeed() {
    // Milliseconds since the process started would be nearly the same at every
    // start; the wall clock is not.
    auto now = std::chrono::system_clock::now().time_since_epoch();
    auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(now).count();
    return static_cast<std::uint32_t>(ms) ^ static_cast<std::uint32_t>(ms >> 32);
}

}  // namespace tessarion
