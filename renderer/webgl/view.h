// The renderer's WebGL 2 backend, for the web build: the view (the two
// small shader programs, the viewports, the clear, the read-back) and a
// target per scene that draws the same records as the OpenGL 1.1 backend
// (the fade, the stars, the puffs) in the same projection of one unit per
// pixel. The page owns the canvas and the context.
//
// Supports: the fade over the whole viewport, the stars (their rays'
// accumulated turns computed on the CPU), and the puffs as one instanced
// draw per frame whose instances are the puff records themselves; a
// context made anew (start() again, then new targets).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "renderer/scene/frame_target.h"
#include "renderer/scene/particles.h"

namespace orvelle {

class WebGlFrameView final : public FrameView {
public:
    WebGlFrameView() = default;
    ~WebGlFrameView() override { release(); }
    WebGlFrameView(const WebGlFrameView&) = delete;
    WebGlFrameView& operator=(const WebGlFrameView&) = delete;

    bool start(uint32_t width, uint32_t height) override;
    void resize(uint32_t width, uint32_t height) override;
    void viewport(const ScreenRect& area) override;
    void clear() override;
    std::unique_ptr<FrameTarget> newTarget() override;
    bool readPixels(std::vector<uint8_t>& rgba) override;
    void release() override;

    // What the targets draw with. A vertex of the plain program: x, y
    // (pixels), red, green, blue, alpha.
    static constexpr size_t kVertexFloats = 6;
    void drawPlain(uint32_t mode, const float* vertices, size_t count);
    void drawPuffs(uint32_t texture, const PuffQuad* puffs, size_t count);

private:
    uint32_t plainProgram_ = 0;
    uint32_t puffProgram_ = 0;
    int32_t plainView_ = -1;
    int32_t puffView_ = -1;
    uint32_t plainArray_ = 0;
    uint32_t puffArray_ = 0;
    uint32_t plainBuffer_ = 0;
    uint32_t cornerBuffer_ = 0;
    uint32_t puffBuffer_ = 0;
    uint32_t width_ = 0;
    uint32_t height_ = 0;
};

class WebGlFrameTarget final : public FrameTarget {
public:
    explicit WebGlFrameTarget(WebGlFrameView& view) : view_(view) {}

    void fade(uint32_t viewWidth, uint32_t viewHeight) override;
    void star(const StarRecord& star) override;
    void uploadPuffAtlas(const PuffAtlas& atlas) override;
    void beginPuffs() override;
    void puff(const PuffQuad& quad) override;
    void endPuffs() override;
    void release() override;

private:
    // A ray: the three triangles that touch its centre (the fourth is black).
    static constexpr size_t kRayVertices = 9;
    static constexpr size_t kStarFloats = 12 * kRayVertices * WebGlFrameView::kVertexFloats;
    static constexpr size_t kMaxPuffs = static_cast<size_t>(ParticleSystem::kCount);

    WebGlFrameView& view_;
    uint32_t texture_ = 0;
    size_t puffCount_ = 0;
    std::array<float, kStarFloats> starVertices_{};
    std::array<PuffQuad, kMaxPuffs> puffs_{};
};

}  // namespace orvelle
