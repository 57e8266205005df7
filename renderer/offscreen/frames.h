// Frames off screen (Mesa's OSMesa): the programs' host core and OpenGL
// view over a memory buffer, on a scripted clock and seed, for the frames
// tool, the tests and the benchmarks.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "renderer/gl/view.h"
#include "renderer/scene/host_core.h"

namespace orvelle {

class OffscreenRenderer final : private HostWindow {
public:
    // Creates the context and starts the run: one monitor of width x height
    // with the scene that a window over several monitors makes as its
    // scene-th (0: the run's own).
    OffscreenRenderer(uint32_t width, uint32_t height, uint32_t seed, uint32_t scene = 0);
    ~OffscreenRenderer() override;
    OffscreenRenderer(const OffscreenRenderer&) = delete;
    OffscreenRenderer& operator=(const OffscreenRenderer&) = delete;

    bool ok() const { return started_; }

    // One frame at the given clock reading.
    void frameAt(uint32_t elapsedMs);

    // Frames every stepMs after the last one until the clock reaches ms.
    void runUntil(uint32_t ms, uint32_t stepMs);

    // RGBA bytes, rows from the bottom of the window up.
    const std::vector<uint8_t>& pixels();

    SceneRenderer& renderer() { return *core_.scenes().first(); }
    uint32_t width() const { return width_; }
    uint32_t height() const { return height_; }

private:
    void layout(Layout& layout) override;
    void present() override;

    uint32_t width_;
    uint32_t height_;
    uint32_t lastMs_ = 0;
    std::vector<uint8_t> buffer_;
    void* context_ = nullptr;
    GlFrameView view_;
    HostCore core_;
    bool started_ = false;
};

}  // namespace orvelle
