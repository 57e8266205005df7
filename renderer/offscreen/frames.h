// Frames off screen: the programs' host core over a picture in memory, on
// a scripted clock and seed, drawn by the OpenGL backend (Mesa's OSMesa)
// or by the processor backend, for the frames tool, the tests and the
// benchmarks.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "renderer/cpu/choice.h"
#include "renderer/cpu/view.h"
#include "renderer/scene/host_core.h"

namespace orvelle {

struct OffscreenOptions {
    Rendering rendering = Rendering::Gl;
    CpuViewOptions cpu;  // for Rendering::Cpu
};

class OffscreenRenderer final : private HostWindow {
public:
    // Creates the context (for OpenGL) and starts the run: one monitor of
    // width x height with the scene that a window over several monitors
    // makes as its scene-th (0: the run's own).
    OffscreenRenderer(uint32_t width, uint32_t height, uint32_t seed, uint32_t scene = 0,
                      const OffscreenOptions& options = {});
    ~OffscreenRenderer() override;
    OffscreenRenderer(const OffscreenRenderer&) = delete;
    OffscreenRenderer& operator=(const OffscreenRenderer&) = delete;

    bool ok() const { return started_; }

    // One frame at the given clock reading, drawn to the last pixel.
    void frameAt(uint32_t elapsedMs);

    // Frames every stepMs after the last one until the clock reaches ms.
    void runUntil(uint32_t ms, uint32_t stepMs);

    // RGBA bytes, rows from the bottom of the window up.
    const std::vector<uint8_t>& pixels();

    SceneRenderer& renderer() { return *core_.scenes().first(); }
    FrameView& view() { return *view_; }
    uint32_t width() const { return width_; }
    uint32_t height() const { return height_; }

private:
    void layout(Layout& layout) override;
    void present() override;
    // The frame's drawing done: OpenGL finished, or the processor's picture drawn.
    void finish();

    uint32_t width_;
    uint32_t height_;
    uint32_t lastMs_ = 0;
    Rendering rendering_;
    std::vector<uint8_t> buffer_;
    void* context_ = nullptr;
    std::unique_ptr<FrameView> view_;
    HostCore core_;
    bool started_ = false;
};

}  // namespace orvelle
