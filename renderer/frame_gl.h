// The renderer's OpenGL 1.1 side: the initial state, the reaction to a new
// size, and the target that draws a frame's records (the fade, the stars and
// the puffs). The host owns the window and the context.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "frame_target.h"
#include "particles.h"
#include "renderer_state.h"
#include "scene.h"

namespace orvelle {

// glViewport(0, 0, width, height) with a height of 0 replaced by 1.
void resizeViewport(int32_t width, int32_t height);

// A new client size: the view, the viewport and a projection of one unit per
// pixel, x to the right, y upwards, the origin at the bottom-left.
void applyViewSize(RendererState& state, uint32_t width, uint32_t height);

// One view of several in a window: the viewport and the scissor box at
// (x, y) from the window's bottom-left, and the pixel projection of a view
// of width x height.
void applyViewArea(int32_t x, int32_t y, uint32_t width, uint32_t height);

// Initial OpenGL state and two cleared buffers (presenting once in between);
// then the lights get their first positions. present() is the host's swap.
template <typename Present>
void setupGL(RendererState& state, Scene& scene, Present&& present);

// A column-major 4 x 4 matrix as OpenGL takes it.
using PuffMatrix = std::array<float, 16>;

// Draws a frame's records with OpenGL. The puffs are batched: each puff's
// matrix is computed on the CPU and loaded over the unit quad's corners from
// vertex arrays, which transforms exactly as a push, translate, rotate,
// scale and immediate-mode quad would, without the per-particle matrix
// stack and glBegin/glEnd work. Fixed arrays: nothing is allocated per frame.
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

    // Gives the texture name back; call while the context is still current.
    void releaseTexture();

private:
    static constexpr size_t kMaxQuads = static_cast<size_t>(ParticleSystem::kCount);
    static constexpr size_t kMaxVertices = kMaxQuads * 4;

    uint32_t texture_ = 0;
    size_t quadCount_ = 0;
    std::array<PuffMatrix, kMaxQuads> matrices_{};
    std::array<float, kMaxVertices * 2> positions_{};
    std::array<float, kMaxVertices * 2> texCoords_{};
    std::array<float, kMaxVertices * 4> colors_{};
};

namespace detail {
void setupGLState(const RendererState& state);
void clearColor();
}  // namespace detail

template <typename Present>
void setupGL(RendererState& state, Scene& scene, Present&& present) {
    detail::setupGLState(state);
    detail::clearColor();
    present();
    detail::clearColor();
    primeLights(state, scene);
}

}  // namespace orvelle
