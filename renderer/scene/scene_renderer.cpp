#include "renderer/scene/scene_renderer.h"

#include <utility>

namespace orvelle {

SceneRenderer::SceneRenderer(uint32_t seed, uint32_t width, uint32_t height, float turnDegrees)
    : scene(std::make_unique<Scene>()) {
    initScene(*scene, seed);
    state.viewWidth = width;
    state.viewHeight = height;
    state.figureTurnDegrees = turnDegrees;
    primeLights(state, *scene);
}

void SceneRenderer::attach(std::unique_ptr<FrameTarget> next) {
    release();
    target = std::move(next);
    if (target && !scene->particles.textureDirty) target->uploadPuffAtlas(scene->puffAtlas);
}

void SceneRenderer::release() {
    if (target) target->release();
}

}  // namespace orvelle
