// The renderer's one random generator: a 32-bit linear congruential state.
#pragma once

#include <cstdint>

namespace orvelle {

class RandomGenerator {
public:
    void seedRandom(uint32_t value) { state_ = value; }

    // Advances the state and returns its bits 16 to 30 (0 to 32767).
    uint32_t nextRandom() {
        state_ = state_ * 214013u + 2531011u;
        return (state_ >> 16) & 0x7FFFu;
    }

    uint32_t state() const { return state_; }

private:
    uint32_t state_ = 1;
};

}  // namespace orvelle
