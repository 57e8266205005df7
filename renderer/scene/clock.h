// The renderer's clock arithmetic: the run's whole milliseconds, the scene
// clock in single precision, and the per-frame damping derived from it.
#pragma once

#include <cstdint>

#include "renderer/scene/renderer_state.h"

namespace orvelle {

// A counter's ticks at the given frequency (ticks per second) in whole
// microseconds, without overflow for any count a counter reaches.
int64_t microsecondsOf(int64_t ticks, int64_t frequency);

// The first minutes of a run: the lights' paths follow motionSpeed x time
// and the speed grows every frame until then (see foldPaths).
inline constexpr uint64_t kFoldAfterMs = 300'000;
// How far the scene clock is moved back at a time, once the paths are folded.
inline constexpr uint64_t kRebaseStepMs = 300'000;

// Step 1 of a frame: sceneTime from the whole milliseconds, frameDelta and
// velocityDecay. A clock reading earlier than the last counts as the last
// (a frame that took no time). Until the paths are folded the step is the
// difference of two single-precision clock readings; after, the readings'
// exact difference.
void advanceSceneClock(RendererState& state, uint64_t elapsedMs);

// Once the paths are folded, the scene clock never needs to count from the
// start of the run: when it would pass 2 x kRebaseStepMs, the epoch moves
// on by whole steps, and the seconds it moved by come back from sceneTime
// (the caller takes them from every other stored time). Returns them, 0
// when nothing moved.
float rebaseSceneTime(RendererState& state, uint64_t elapsedMs);

}  // namespace orvelle
