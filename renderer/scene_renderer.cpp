#include "scene_renderer.h"

namespace orvelle {

SceneRenderer::SceneRenderer(uint32_t seed) : scene(std::make_unique<Scene>()) {
    initScene(*scene, seed);
}

}  // namespace orvelle
