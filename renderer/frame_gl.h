// The renderer's OpenGL steps: the initial state, the per-frame step that
// fades the picture and draws the scene, and the reaction to a new size.
// OpenGL 1.1 and GLU only; the host owns the window and the context.
#pragma once

#include <cstdint>

#include "renderer_state.h"
#include "scene.h"

namespace orvelle {

class PuffTarget;

// glViewport(0, 0, width, height) with a height of 0 replaced by 1.
void resizeViewport(int32_t width, int32_t height);

// A new client size: the viewport and a projection of one unit per pixel.
void applyViewSize(RendererState& state, uint32_t width, uint32_t height);

// Initial OpenGL state, two cleared buffers (presenting once in between),
// then the lights primed with a position. present() is the host's swap.
template <typename Present>
void setupGL(RendererState& state, Scene& scene, Present&& present);

// One frame step: clock, fade, updates, and after the first second the draw.
void renderFrame(RendererState& state, Scene& scene, PuffTarget& puffs);

namespace detail {
void setupGLState(const RendererState& state);
void clearColor();
void primeLights(const RendererState& state, Scene& scene);
}  // namespace detail

template <typename Present>
void setupGL(RendererState& state, Scene& scene, Present&& present) {
    detail::setupGLState(state);
    detail::clearColor();
    present();
    detail::clearColor();
    detail::primeLights(state, scene);
}

}  // namespace orvelle
