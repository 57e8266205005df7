// The renderer's OpenGL 1.1 backend: the view (the initial state, the
// viewports of the monitors, the clear, the read-back) and the target that
// draws a scene's records (the fade, the stars and the puffs). The program
// owns the window and the context, and keeps it current.
//
// Supports: one context shared by every scene of a window, each scene with
// a texture of its own; a scissor per viewport, so a scene never draws into
// its neighbour's monitor.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "renderer/scene/frame_target.h"
#include "renderer/scene/particles.h"

namespace orvelle {

// A column-major 4 x 4 matrix as OpenGL takes it.
using PuffMatrix = std::array<float, 16>;

// Draws a frame's records with OpenGL. The puffs are batched: each puff's
// matrix is computed on the CPU and loaded over the unit quad's corners from
// vertex arrays, which transforms exactly as a push, translate, rotate,
// scale and immediate-mode quad would, without the per-particle matrix
// stack and glBegin/glEnd work. Fixed arrays: nothing is allocated per frame.
//
// The large puffs (kLargePuffSize units across their short side and more)
// are drawn from a copy of the atlas without mipmaps: at that size every
// pixel of them samples the full-size level anyway, and a renderer in
// software then skips choosing the level per pixel. After the fade all
// records add light with saturation, which does not depend on their order,
// so drawing the large puffs first changes no pixel.
class GlFrameTarget final : public FrameTarget {
public:
    GlFrameTarget();
    GlFrameTarget(const GlFrameTarget&) = delete;
    GlFrameTarget& operator=(const GlFrameTarget&) = delete;

    void fade(uint32_t viewWidth, uint32_t viewHeight) override;
    void star(const StarRecord& star) override;
    void uploadPuffAtlas(const PuffAtlas& atlas) override;
    void beginPuffs() override;
    void puff(const PuffQuad& quad) override;
    void endPuffs() override;
    // Gives the texture names back.
    void release() override;

    // 48 pixels: 32 texels of a tile over at least 48 pixels are magnified
    // in every direction, on any view one pixel wide or more.
    static constexpr float kLargePuffSize = 48.0f;

private:
    static constexpr size_t kMaxQuads = static_cast<size_t>(ParticleSystem::kCount);
    static constexpr size_t kMaxVertices = kMaxQuads * 4;

    void drawQuads(const std::array<uint16_t, kMaxQuads>& order, size_t count);

    uint32_t texture_ = 0;
    uint32_t largeTexture_ = 0;  // the full-size level alone
    size_t quadCount_ = 0;
    size_t largeCount_ = 0;
    size_t smallCount_ = 0;
    std::array<uint16_t, kMaxQuads> large_{};
    std::array<uint16_t, kMaxQuads> small_{};
    std::array<PuffMatrix, kMaxQuads> matrices_{};
    std::array<float, kMaxVertices * 2> positions_{};
    std::array<float, kMaxVertices * 2> texCoords_{};
    std::array<float, kMaxVertices * 4> colors_{};
};

class GlFrameView final : public FrameView {
public:
    bool start(uint32_t width, uint32_t height) override;
    void resize(uint32_t width, uint32_t height) override;
    void viewport(const ScreenRect& area) override;
    void clear() override;
    std::unique_ptr<FrameTarget> newTarget() override;
    bool readPixels(std::vector<uint8_t>& rgba) override;
    void release() override {}

private:
    uint32_t width_ = 0;
    uint32_t height_ = 0;
};

}  // namespace orvelle
