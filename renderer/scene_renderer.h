// Everything a host drives, in one object: the renderer's state, the scene
// and the OpenGL target. A host supplies the window, the context, the clock
// and the presentation; the frame step is the same on every host.
#pragma once

#include <cstdint>
#include <memory>

#include "frame_gl.h"
#include "renderer_state.h"
#include "scene.h"

namespace orvelle {

class SceneRenderer {
public:
    // The scene is initialised with the seed; no OpenGL yet.
    explicit SceneRenderer(uint32_t seed);

    // With the context current: the initial OpenGL state for a view of
    // width x height, both buffers cleared (present() swaps them), and the
    // lights primed.
    template <typename Present>
    void start(uint32_t width, uint32_t height, Present&& present) {
        state.viewWidth = width;
        state.viewHeight = height;
        setupGL(state, *scene, present);
    }

    // A new client size.
    void resize(uint32_t width, uint32_t height) { applyViewSize(state, width, height); }

    // One frame at the given clock reading; the host presents it.
    void frame(uint32_t elapsedMs) { stepFrame(state, *scene, elapsedMs, target); }

    // Before the context goes: the texture belongs to it.
    void releaseGl() { target.releaseTexture(); }

    RendererState state;
    std::unique_ptr<Scene> scene;
    GlFrameTarget target;
};

}  // namespace orvelle
