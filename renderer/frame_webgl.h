// The renderer's WebGL 2 side, for the web build: the same records as the
// OpenGL 1.1 target (the fade, the stars, the puffs) drawn with two small
// shader programs, in the same projection of one unit per pixel. The page
// owns the canvas and the context; this target never clears the picture.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "frame_target.h"
#include "particles.h"

namespace orvelle {

// Supports: the fade over the whole view, the stars (their rays' accumulated
// turns computed on the CPU), and the puffs as one instanced draw per frame
// whose instances are the puff records themselves.
class WebGlFrameTarget final : public FrameTarget {
public:
    WebGlFrameTarget() = default;
    // With the context current: gives back every object it made.
    ~WebGlFrameTarget() override;
    WebGlFrameTarget(const WebGlFrameTarget&) = delete;
    WebGlFrameTarget& operator=(const WebGlFrameTarget&) = delete;

    // With the context current: the programs, buffers and blending. False
    // when a shader does not compile or the programs do not link.
    bool start();

    // A new drawing-buffer size: the viewport and the projection.
    void resize(uint32_t width, uint32_t height);

    void fade(uint32_t viewWidth, uint32_t viewHeight) override;
    void star(const StarRecord& star) override;
    void uploadPuffAtlas(const PuffAtlas& atlas) override;
    void beginPuffs() override;
    void puff(const PuffQuad& quad) override;
    void endPuffs() override;

private:
    // A vertex of the plain program: x, y (pixels), red, green, blue, alpha.
    static constexpr size_t kVertexFloats = 6;
    // A ray: the three triangles that touch its centre (the fourth is black).
    static constexpr size_t kRayVertices = 9;
    static constexpr size_t kStarFloats = 12 * kRayVertices * kVertexFloats;
    static constexpr size_t kMaxPuffs = static_cast<size_t>(ParticleSystem::kCount);

    void drawPlain(uint32_t mode, const float* vertices, size_t count);

    uint32_t plainProgram_ = 0;
    uint32_t puffProgram_ = 0;
    int32_t plainView_ = -1;
    int32_t puffView_ = -1;
    uint32_t plainArray_ = 0;
    uint32_t puffArray_ = 0;
    uint32_t plainBuffer_ = 0;
    uint32_t cornerBuffer_ = 0;
    uint32_t puffBuffer_ = 0;
    uint32_t texture_ = 0;
    size_t puffCount_ = 0;
    std::array<float, kStarFloats> starVertices_{};
    std::array<PuffQuad, kMaxPuffs> puffs_{};
};

}  // namespace orvelle
