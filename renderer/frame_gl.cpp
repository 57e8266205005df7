#include "frame_gl.h"

#include "clock.h"
#include "gl_api.h"

namespace orvelle {
namespace {

void loadPixelProjection(uint32_t width, uint32_t height) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluOrtho2D(-0.5, width + 0.5, -0.5, height + 0.5);
    glMatrixMode(GL_MODELVIEW);
}

}  // namespace

void resizeViewport(int32_t width, int32_t height) {
    if (height == 0) height = 1;
    glViewport(0, 0, width, height);
}

void applyViewSize(RendererState& state, uint32_t width, uint32_t height) {
    state.viewWidth = width;
    state.viewHeight = height;
    resizeViewport(static_cast<int32_t>(width), static_cast<int32_t>(height));
    loadPixelProjection(width, height);
}

namespace detail {

void setupGLState(const RendererState& state) {
    glDisable(GL_DEPTH_TEST);
    glShadeModel(GL_SMOOTH);
    glEnable(GL_DITHER);
    glDisable(GL_LIGHTING);
    glDisable(GL_CULL_FACE);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    glEnable(GL_BLEND);
    glViewport(0, 0, static_cast<GLsizei>(state.viewWidth), static_cast<GLsizei>(state.viewHeight));
    loadPixelProjection(state.viewWidth, state.viewHeight);
    glLoadIdentity();
}

void clearColor() {
    glClear(GL_COLOR_BUFFER_BIT);
}

void primeLights(const RendererState& state, Scene& scene) {
    for (Light& light : scene.lights) light.update(state);
}

}  // namespace detail

void renderFrame(RendererState& state, Scene& scene, PuffTarget& puffs) {
    advanceSceneClock(state);

    // Keep three quarters of the picture already there: the glowing trails.
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glColor4d(0.0, 0.0, 0.0, 0.25);
    glRectd(-1.0, -1.0, state.viewWidth + 1.0, state.viewHeight + 1.0);
    // Everything after this adds light.
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);

    updateScene(state, scene);

    if (state.sceneTime > 1.0f) {
        for (const Light& light : scene.lights) light.draw(state, scene.random);
        scene.particles.draw(state, puffs);
    }
}

}  // namespace orvelle
