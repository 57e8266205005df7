// One flight of the scene as a host drives it: the renderer's state, the
// scene, and the target its records go to.
#pragma once

#include <cstdint>
#include <memory>

#include "renderer/scene/frame_target.h"
#include "renderer/scene/renderer_state.h"
#include "renderer/scene/scene.h"

namespace orvelle {

class SceneRenderer {
public:
    // The scene initialised with the seed, for a view of width x height, its
    // figure turned by turnDegrees; the lights take their first positions
    // (the clock still at 0).
    SceneRenderer(uint32_t seed, uint32_t width, uint32_t height, float turnDegrees = 0.0f);

    // One frame at the scene's clock reading, into the target.
    void frame(uint64_t elapsedMs) { stepFrame(state, *scene, elapsedMs, *target); }

    // A new target (a new view, or the view's context made anew): the atlas,
    // where it is built already, goes to it at once.
    void attach(std::unique_ptr<FrameTarget> next);

    // The target's objects given back; call with the view's context current.
    void release();

    RendererState state;
    std::unique_ptr<Scene> scene;
    std::unique_ptr<FrameTarget> target;
};

}  // namespace orvelle
