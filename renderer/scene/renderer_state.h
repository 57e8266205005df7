// What the host hands the scene every frame: the view's size, the scene clock
// and the values the arrow keys change. Host-only values (the display mode,
// the counter, the window) stay with each host.
#pragma once

#include <cstdint>

namespace orvelle {

struct RendererState {
    // Current client size; everything projects onto it.
    uint32_t viewWidth = 1024;
    uint32_t viewHeight = 768;
    // Scene clock in seconds and its step in the last frame.
    float sceneTime = 0.0f;
    // Seconds the lights' and the attractor's paths run ahead of the scene
    // clock: 0 for a run's own scene; another monitor's scene takes its own,
    // so that it flies its own figure rather than the same one at once.
    float pathTimeOffset = 0.0f;
    float frameDelta = 0.0f;
    // Damping of particle velocities for this frame.
    float velocityDecay = 0.0f;
    // Speed factor of the lights and the attractor; grows after every frame.
    float motionSpeed = 20.0f;
    // Strength of the attractor's pull on the particles.
    float pullStrength = 600000.0f;
};

}  // namespace orvelle
