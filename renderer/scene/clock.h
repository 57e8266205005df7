// The renderer's clock arithmetic: whole milliseconds from the counter, the
// scene clock in single precision, and the per-frame damping derived from it.
#pragma once

#include <cstdint>

#include "renderer/scene/renderer_state.h"

namespace orvelle {

// Low 32 bits of ((now - start) * 1000) / frequency, in signed 64-bit
// arithmetic with the quotient truncated. A frequency of 0 (no counter) gives 0.
uint32_t elapsedMsFrom(int64_t now, int64_t start, int64_t frequency);

// Step 1 of a frame: sceneTime from the whole milliseconds, frameDelta and
// velocityDecay.
void advanceSceneClock(RendererState& state, uint32_t elapsedMs);

}  // namespace orvelle
