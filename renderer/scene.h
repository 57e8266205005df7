// The scene: three coloured lights on closed-form paths, the invisible
// attractor that pulls the particles, the particle ring and the puff texture.
// Nothing here knows about windows or clocks: the host passes the state.
#pragma once

#include <array>
#include <cstdint>

#include "particles.h"
#include "puff_texture.h"
#include "random.h"
#include "renderer_state.h"
#include "vec.h"

namespace orvelle {

// Where a path of the lights' family is at angle A with radius factor R and the
// phase terms D, E and F. x1 and y1 are rounded to single precision on the way,
// and the result is stored as single precision.
Vec3 pathPosition(double angle, double radius, double phaseD, double phaseE, double phaseF);

class Light {
public:
    int32_t phase = 0;
    Vec3 position;
    Vec3 velocity;
    Color4 color;

    // Recomputes position and velocity from sceneTime, motionSpeed, frameDelta
    // and phase. With a frameDelta of 0 the previous velocity is kept.
    void update(const RendererState& state);

    // Draws the light as a flickering star of twelve rays (OpenGL).
    void draw(const RendererState& state, RandomGenerator& random) const;
};

class Attractor {
public:
    Vec3 position;

    void update(const RendererState& state);
};

struct Scene {
    RandomGenerator random;
    std::array<Light, 3> lights;
    Attractor attractor;
    ParticleSystem particles;
    PuffTexture puff;
};

// Seeds the generator, gives the lights their colours and phases and frees
// every particle. Always succeeds.
bool initScene(Scene& scene, uint32_t seed);

// The updates of one frame: the attractor, lights 0 to 2, then the particles.
void updateScene(const RendererState& state, Scene& scene);

// The scene's clock and updates alone, without drawing, for every stepMs
// from the current clock until untilMs: a quick way to a steady load.
void simulateScene(RendererState& state, Scene& scene, uint32_t untilMs, uint32_t stepMs);

// The window pixel (from the bottom-left) a point of the scene projects to.
struct ScreenPoint {
    float x;
    float y;
};
ScreenPoint projectToView(const Vec3& p, uint32_t viewWidth, uint32_t viewHeight);

}  // namespace orvelle
