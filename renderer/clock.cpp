#include "clock.h"

#include <cmath>

namespace orvelle {

uint32_t elapsedMsFrom(int64_t now, int64_t start, int64_t frequency) {
    if (frequency <= 0) return 0;
    // Wrapping multiply: a counter that has run for centuries must not be UB.
    const auto scaled = static_cast<int64_t>(static_cast<uint64_t>(now - start) * 1000u);
    return static_cast<uint32_t>(static_cast<uint64_t>(scaled / frequency));
}

void advanceSceneClock(RendererState& state) {
    const float previous = state.sceneTime;
    state.sceneTime = static_cast<float>(static_cast<double>(state.elapsedMs) * 0.001);
    state.frameDelta = state.sceneTime - previous;
    state.velocityDecay =
        static_cast<float>(std::pow(0.99375, static_cast<double>(state.frameDelta) * 85.0));
}

void growMotionSpeed(RendererState& state) {
    state.motionSpeed = state.motionSpeed + 0.001f;
}

}  // namespace orvelle
