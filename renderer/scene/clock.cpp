#include "renderer/scene/clock.h"

#include <cmath>

namespace orvelle {

uint32_t elapsedMsFrom(int64_t now, int64_t start, int64_t frequency) {
    if (frequency <= 0) return 0;
    // Wrapping multiply: a counter that has run for centuries must not be UB.
    const auto scaled = static_cast<int64_t>(static_cast<uint64_t>(now - start) * 1000u);
    return static_cast<uint32_t>(static_cast<uint64_t>(scaled / frequency));
}

void advanceSceneClock(RendererState& state, uint32_t elapsedMs) {
    const float previous = state.sceneTime;
    state.sceneTime = static_cast<float>(static_cast<double>(elapsedMs) * 0.001);
    state.frameDelta = state.sceneTime - previous;
    // Per second of scene time the velocities keep 0.99375^85, whatever the
    // frame rate.
    state.velocityDecay =
        static_cast<float>(std::pow(0.99375, static_cast<double>(state.frameDelta) * 85.0));
}

}  // namespace orvelle
