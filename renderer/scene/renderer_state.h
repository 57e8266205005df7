// What the host hands the scene every frame: the view's size, the scene clock
// and the values the arrow keys change. Host-only values (the display mode,
// the counter, the window) stay with each host.
#pragma once

#include <cstdint>

#include "config/settings_keys.h"

namespace orvelle {

struct RendererState {
    // Current client size; everything projects onto it.
    uint32_t viewWidth = settings::kDefaultWidth;
    uint32_t viewHeight = settings::kDefaultHeight;
    // The run's clock in whole milliseconds, 64 bits wide so that it never
    // wraps, and the part of it that sceneTime no longer counts (see
    // rebaseSceneTime): a single-precision clock keeps its millisecond only
    // for a few hours.
    uint64_t elapsedMs = 0;
    uint64_t epochMs = 0;
    // Scene clock in seconds and its step in the last frame.
    float sceneTime = 0.0f;
    // How far the figure is turned about its vertical axis, in degrees: 0
    // for a run's own scene; another monitor's scene sees the same family of
    // flights from another side, at the same pace.
    float figureTurnDegrees = 0.0f;
    float frameDelta = 0.0f;
    // Damping of particle velocities for this frame.
    float velocityDecay = 0.0f;
    // Speed factor of the lights and the attractor; grows after every frame
    // of the first minutes (speedGrowth keeps how much).
    float motionSpeed = 20.0f;
    double speedGrowth = 0.0;
    // Once the paths are folded (after the first minutes), the lights and the
    // attractor no longer stand at motionSpeed x time on their paths: their
    // angles advance by motionSpeed per second of each frame, so a change of
    // speed changes their pace and never their place.
    bool pathsFolded = false;
    double lightAngle = 0.0;
    double attractorAngle = 0.0;
    // Strength of the attractor's pull on the particles.
    float pullStrength = 600000.0f;
};

}  // namespace orvelle
