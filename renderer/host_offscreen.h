// An off-screen host for the renderer (Mesa's OSMesa): the same frame step as
// on Windows, driven by a scripted clock and seed, into a memory buffer that
// tests, benchmarks and asset scripts read back.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "puff_gl.h"
#include "renderer_state.h"
#include "scene.h"

namespace orvelle {

class OffscreenRenderer {
public:
    // Creates the context and runs the scene's start-up and GL set-up.
    OffscreenRenderer(uint32_t width, uint32_t height, uint32_t seed,
                      PuffSubmission submission = PuffSubmission::Batched);
    ~OffscreenRenderer();
    OffscreenRenderer(const OffscreenRenderer&) = delete;
    OffscreenRenderer& operator=(const OffscreenRenderer&) = delete;

    bool ok() const { return context_ != nullptr; }

    // One frame at the given clock reading, then the speed's growth.
    void frameAt(uint32_t elapsedMs);

    // Frames every stepMs from the current clock until the clock reaches ms.
    void runUntil(uint32_t ms, uint32_t stepMs);

    // The scene's updates alone, without drawing, every stepMs until ms: a
    // quick way to a steady particle load.
    void simulateUntil(uint32_t ms, uint32_t stepMs);

    // RGBA bytes, rows from the bottom of the window up.
    const std::vector<uint8_t>& pixels();
    // The pixel at (x, y) from the bottom-left, as 0xRRGGBB.
    uint32_t pixelAt(uint32_t x, uint32_t y);

    RendererState& state() { return state_; }
    Scene& scene() { return *scene_; }
    GlPuffTarget& puffs() { return *puffs_; }
    uint32_t width() const { return width_; }
    uint32_t height() const { return height_; }

private:
    uint32_t width_;
    uint32_t height_;
    std::vector<uint8_t> buffer_;
    void* context_ = nullptr;
    RendererState state_;
    std::unique_ptr<Scene> scene_;
    std::unique_ptr<GlPuffTarget> puffs_;
};

// Writes an RGBA bottom-up buffer as a binary PPM (top row first).
bool writePpm(const char* path, const std::vector<uint8_t>& rgba, uint32_t width, uint32_t height);

}  // namespace orvelle
