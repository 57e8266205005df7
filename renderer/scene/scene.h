// The scene: three coloured lights on closed-form paths, the invisible
// attractor that pulls the particles, the particle ring and the puff atlas,
// and the frame step that moves them and asks a target to draw them.
// Nothing here knows about windows, clocks or OpenGL: the host passes the
// time and the target draws.
#pragma once

#include <array>
#include <cstdint>

#include "renderer/scene/frame_target.h"
#include "renderer/scene/particles.h"
#include "renderer/scene/puff_texture.h"
#include "renderer/scene/random.h"
#include "renderer/scene/renderer_state.h"
#include "renderer/scene/vec.h"

namespace orvelle {

// Where a path of the lights' family is at angle A with radius factor R and the
// phase terms D, E and F. x1 and y1 are rounded to single precision on the way,
// and the result is stored as single precision.
Vec3 pathPosition(double angle, double radius, double phaseD, double phaseE, double phaseF);

// The window pixel (from the bottom-left) that a point of the scene projects
// to: the focal length is the view's width for both axes.
struct ScreenPoint {
    float x;
    float y;
};
ScreenPoint projectToView(const Vec3& p, float viewWidth, float viewHeight);

class Light {
public:
    int32_t phase = 0;
    Vec3 position;
    Vec3 velocity;
    Color4 color;

    // Recomputes position and velocity from sceneTime, motionSpeed, frameDelta
    // and phase. With a frameDelta of 0 the previous velocity is kept.
    void update(const RendererState& state);

    // The light as a flickering star of twelve rays, with new random angles
    // and lengths (drawn angle, length, ray after ray).
    StarRecord star(const RendererState& state, RandomGenerator& random) const;
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
    PuffAtlas puffAtlas{};
};

// Seeds the generator, gives the lights their colours and phases and frees
// every particle. Always succeeds.
bool initScene(Scene& scene, uint32_t seed);

// The lights' positions before the first frame (the clock still at 0).
void primeLights(const RendererState& state, Scene& scene);

// Ends the first minutes of a run: from this frame on the lights' and the
// attractor's angles advance by the speed per second of each frame, from
// where motionSpeed x time has brought them. The speed becomes the pace
// the paths had at that moment (the speed and what its growth added, which
// motionSpeed x time moved them by as well), and grows no more: hours of
// running look like the first minutes, and an arrow key late in a run
// changes the pace without a jump. Nothing moves in this frame.
void foldPaths(RendererState& state);

// One frame: the clock from elapsedMs, the fade, the updates (attractor,
// lights 0 to 2, particles), after the first second the stars and the puffs,
// and last, in the first minutes, the speed's per-frame growth. The growth
// belongs after the picture is shown; nothing reads the speed in between,
// so it is done here.
void stepFrame(RendererState& state, Scene& scene, uint64_t elapsedMs, FrameTarget& target);

}  // namespace orvelle
