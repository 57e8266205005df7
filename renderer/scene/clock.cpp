#include "renderer/scene/clock.h"

#include <algorithm>
#include <cmath>

namespace orvelle {

int64_t microsecondsOf(int64_t ticks, int64_t frequency) {
    if (frequency <= 0) return 0;
    return ticks / frequency * 1'000'000 + ticks % frequency * 1'000'000 / frequency;
}

void advanceSceneClock(RendererState& state, uint64_t elapsedMs) {
    elapsedMs = std::max(elapsedMs, state.elapsedMs);
    const uint64_t stepMs = elapsedMs - state.elapsedMs;
    state.elapsedMs = elapsedMs;
    const float previous = state.sceneTime;
    state.sceneTime = static_cast<float>(static_cast<double>(elapsedMs - state.epochMs) * 0.001);
    state.frameDelta = state.pathsFolded ? static_cast<float>(static_cast<double>(stepMs) * 0.001)
                                         : state.sceneTime - previous;
    // Per second of scene time the velocities keep 0.99375^85, whatever the
    // frame rate. A step of hours underflows to 0, never beyond.
    state.velocityDecay =
        static_cast<float>(std::pow(0.99375, static_cast<double>(state.frameDelta) * 85.0));
}

float rebaseSceneTime(RendererState& state, uint64_t elapsedMs) {
    elapsedMs = std::max(elapsedMs, state.elapsedMs);
    if (!state.pathsFolded || elapsedMs - state.epochMs < 2 * kRebaseStepMs) return 0.0f;
    // Whole steps, leaving the clock between one and two steps from its epoch.
    const uint64_t shiftMs =
        (elapsedMs - state.epochMs - kRebaseStepMs) / kRebaseStepMs * kRebaseStepMs;
    state.epochMs += shiftMs;
    const auto shift = static_cast<float>(static_cast<double>(shiftMs) * 0.001);
    state.sceneTime -= shift;
    return shift;
}

}  // namespace orvelle
