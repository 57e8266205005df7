#include "renderer/scene/scene.h"

#include <cmath>

#include "renderer/scene/clock.h"

namespace orvelle {
namespace {

// pi/8192 rounded to single precision.
constexpr double kAngleFactor = 0.0003834952076431364;
// 1/6 in single precision.
constexpr double kSixth = 0.1666666716337204;
// pi in single precision divided by 900.
constexpr double kPhaseD = 0.0034906586011250814;
constexpr double kPhaseE = 0.0027833333333333334;
constexpr double kPhaseF = 0.04722777777777778;

// The attractor's phase terms: those of a phase of 2323.232421875.
constexpr double kAttractorD = 8.109611235830622;
constexpr double kAttractorE = 6.466330240885417;
constexpr double kAttractorF = 109.72110454644097;

// The paths repeat after 2000 pi of angle: every term turns a whole number
// of times in it (0.501 and 2.501 times the angle included).
constexpr double kPathPeriod = 2000.0 * 3.14159265358979323846;

double radiusWave(double a) {
    return (std::cos(7.0 * a) + std::cos(3.0 * a) + std::cos(13.0 * a)) * kSixth;
}

}  // namespace

Vec3 pathPosition(double a, double r, double d, double e, double f) {
    const double x1 = static_cast<float>(250.0 * r * std::cos(11.0 * (d + 3.0 * a)));
    const double y1 = static_cast<float>(250.0 * r * std::sin(12.0 * (d + 4.0 * a)));
    const double z1 = 250.0 * std::cos(23.0 * (d + 12.0 * a));
    const double cosE = std::cos(e);
    const double sinE = std::sin(e);
    const double x2 = x1 * cosE - y1 * sinE;
    const double y2 = y1 * cosE + x1 * sinE;
    const double x3 = z1 * cosE + x2 * sinE;
    const double z3 = x2 * cosE - z1 * sinE;
    const double y4 = y2 * cosE - x3 * sinE;
    const double z4 = y2 * sinE + x3 * cosE + 2000.0;
    const double cosF = std::cos(f);
    const double sinF = std::sin(f);
    return {static_cast<float>(z3 * cosF - y4 * sinF), static_cast<float>(z3 * sinF + y4 * cosF),
            static_cast<float>(z4)};
}

ScreenPoint projectToView(const Vec3& p, float w, float h) {
    return {static_cast<float>(w * p.x / p.z + w * 0.5),
            static_cast<float>(w * p.y / p.z + h * 0.5)};
}

namespace {

double pathTime(const RendererState& state) {
    return state.sceneTime;
}

// The figure as another monitor's scene sees it: turned about the vertical
// axis through its centre, (0, 0, 2000). A turn keeps every distance, so the
// lights fly at the same pace and jump alike at a key.
Vec3 turned(const Vec3& p, const RendererState& state) {
    if (state.figureTurnDegrees == 0.0f) return p;
    const double radians =
        static_cast<double>(state.figureTurnDegrees) * 3.14159265358979323846 / 180.0;
    const double c = std::cos(radians), s = std::sin(radians);
    const double x = p.x, z = static_cast<double>(p.z) - 2000.0;
    return {static_cast<float>(x * c + z * s), p.y, static_cast<float>(z * c - x * s + 2000.0)};
}

double attractorRate(float motionSpeed) {
    // Half the lights' speed.
    return static_cast<float>(static_cast<double>(motionSpeed) * kAngleFactor * 0.5);
}

void advancePaths(RendererState& state) {
    const double seconds = state.frameDelta;
    state.lightAngle = std::fmod(
        state.lightAngle + static_cast<double>(state.motionSpeed) * kAngleFactor * seconds,
        kPathPeriod);
    state.attractorAngle =
        std::fmod(state.attractorAngle + attractorRate(state.motionSpeed) * seconds, kPathPeriod);
}

}  // namespace

void foldPaths(RendererState& state) {
    const double speed = state.motionSpeed;
    state.lightAngle = static_cast<float>(speed * kAngleFactor * pathTime(state));
    state.attractorAngle = pathTime(state) * attractorRate(state.motionSpeed);
    state.motionSpeed = static_cast<float>(speed + state.speedGrowth);
    state.pathsFolded = true;
}

void Light::update(const RendererState& state) {
    const double p = phase;
    // In the first minutes the angle is rounded to single precision; later it
    // is kept in double precision, where its fraction stays fine at any age.
    const double a = state.pathsFolded ? state.lightAngle
                                       : static_cast<float>(static_cast<double>(state.motionSpeed) *
                                                            kAngleFactor * pathTime(state));
    const double r = static_cast<float>(radiusWave(a) + 2.0);
    const double d = p * kPhaseD;
    const double e = 0.501 * a + p * kPhaseE;
    const double f = p * kPhaseF + 2.501 * a;
    const Vec3 next = turned(pathPosition(a, r, d, e, f), state);
    if (state.frameDelta != 0.0f) {
        velocity = {(next.x - position.x) / state.frameDelta,
                    (next.y - position.y) / state.frameDelta,
                    (next.z - position.z) / state.frameDelta};
    }
    position = next;
}

StarRecord Light::star(const RendererState& state, RandomGenerator& random) const {
    const float w = static_cast<float>(state.viewWidth);
    const float h = static_cast<float>(state.viewHeight);
    const ScreenPoint centre = projectToView(position, w, h);
    StarRecord star{};
    star.centerX = centre.x;
    star.centerY = centre.y;
    // About W * 4.6875 / z; 0.02 in single precision.
    star.scale = static_cast<float>(w * 58.59375 * 4.0 / position.z) * 0.02f;
    for (StarRay& ray : star.rays) {
        ray.angleDegrees = static_cast<float>(random.nextRandom() % 3600) * 0.1f;
        ray.length = static_cast<float>(random.nextRandom() & 255) * 0.0625f + 2.0f;
    }
    star.color = color;
    return star;
}

void Attractor::update(const RendererState& state) {
    // Half the lights' speed, and a smaller figure.
    const double a = state.pathsFolded ? state.attractorAngle
                                       : pathTime(state) * attractorRate(state.motionSpeed);
    const double r = radiusWave(a) + 0.75;
    position = turned(
        pathPosition(a, r, kAttractorD, 0.501 * a + kAttractorE, 2.501 * a + kAttractorF), state);
}

bool initScene(Scene& scene, uint32_t seed) {
    scene.random.seedRandom(seed);
    static constexpr Color4 kColors[3] = {
        {1.0f, 0.125f, 0.125f, 1.0f}, {0.125f, 1.0f, 0.125f, 1.0f}, {0.125f, 0.125f, 1.0f, 1.0f}};
    static constexpr int32_t kPhases[3] = {450, 900, 1350};
    for (size_t i = 0; i < scene.lights.size(); ++i) {
        scene.lights[i].color = kColors[i];
        scene.lights[i].phase = kPhases[i];
    }
    scene.particles.freeAll();
    return true;
}

void primeLights(const RendererState& state, Scene& scene) {
    for (Light& light : scene.lights) light.update(state);
}

void stepFrame(RendererState& state, Scene& scene, uint64_t elapsedMs, FrameTarget& target) {
    if (const float shift = rebaseSceneTime(state, elapsedMs); shift != 0.0f) {
        scene.particles.shiftTimes(shift);
    }
    advanceSceneClock(state, elapsedMs);
    if (state.pathsFolded) {
        advancePaths(state);
    } else if (state.elapsedMs > kFoldAfterMs) {
        foldPaths(state);
    }
    target.fade(state.viewWidth, state.viewHeight);
    scene.attractor.update(state);
    for (Light& light : scene.lights) light.update(state);
    scene.particles.update(state, scene.lights, scene.attractor);
    if (state.sceneTime > 1.0f) {
        for (const Light& light : scene.lights) target.star(light.star(state, scene.random));
        scene.particles.draw(state, scene.puffAtlas, scene.random, target);
    }
    // Per frame: the lights speed up faster on faster machines, until the
    // paths are folded.
    if (!state.pathsFolded) {
        state.motionSpeed = state.motionSpeed + 0.001f;
        state.speedGrowth += 0.001;
    }
}

}  // namespace orvelle
