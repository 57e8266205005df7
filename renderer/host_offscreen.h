// An off-screen host for the renderer (Mesa's OSMesa): the same frame step as
// on Windows, driven by a scripted clock and seed, into a memory buffer that
// tests, benchmarks and asset scripts read back.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "ppm.h"
#include "scene_renderer.h"

namespace orvelle {

class OffscreenRenderer {
public:
    // Creates the context and starts the renderer.
    OffscreenRenderer(uint32_t width, uint32_t height, uint32_t seed, float pathTimeOffset = 0.0f);
    ~OffscreenRenderer();
    OffscreenRenderer(const OffscreenRenderer&) = delete;
    OffscreenRenderer& operator=(const OffscreenRenderer&) = delete;

    bool ok() const { return context_ != nullptr; }

    // One frame at the given clock reading.
    void frameAt(uint32_t elapsedMs);

    // Frames every stepMs after the last one until the clock reaches ms.
    void runUntil(uint32_t ms, uint32_t stepMs);

    // RGBA bytes, rows from the bottom of the window up.
    const std::vector<uint8_t>& pixels();

    SceneRenderer& renderer() { return *renderer_; }
    uint32_t width() const { return width_; }
    uint32_t height() const { return height_; }

private:
    uint32_t width_;
    uint32_t height_;
    uint32_t lastMs_ = 0;
    std::vector<uint8_t> buffer_;
    void* context_ = nullptr;
    std::unique_ptr<SceneRenderer> renderer_;
};

}  // namespace orvelle
