// The renderer's process-wide state: written by the host, read by the scene.
#pragma once

#include <cstdint>

namespace orvelle {

struct RendererState {
    // Display size from the settings file, in pixels.
    int32_t screenWidth = 0;
    int32_t screenHeight = 0;
    // Bits per pixel of the desktop at start (low byte of BITSPIXEL).
    uint8_t colorBits = 0;
    // Current client size; everything projects onto it.
    uint32_t viewWidth = 1024;
    uint32_t viewHeight = 768;
    // High-resolution counter frequency and its value just before GL set-up.
    int64_t counterFrequency = 0;
    int64_t counterStart = 0;
    // Whole milliseconds since counterStart, recomputed before each frame.
    uint32_t elapsedMs = 0;
    // Scene clock in seconds and its step in the last frame.
    float sceneTime = 0.0f;
    float frameDelta = 0.0f;
    // Damping of particle velocities for this frame.
    float velocityDecay = 0.0f;
    // Speed factor of the lights and the attractor; grows after every frame.
    float motionSpeed = 20.0f;
    // Strength of the attractor's pull on the particles.
    float pullStrength = 600000.0f;
};

}  // namespace orvelle
