// The scene's numbers: the lights' and the attractor's paths at their check
// values, the clock, the keys, and known-answer digests (regression guards)
// of the atlas (and so of the generator) and of whole seconds of a fixed
// scene's records (its colours and phases too);
// then what the digests cannot see of the particles: the ring's wrap, the
// capture boundary, the lifetime by width, the culling, a capture at
// emission, a full glow.
#include "renderer/scene/scene.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <tuple>

#include "config/settings_keys.h"
#include "renderer/scene/clock.h"
#include "renderer/scene/keys.h"
#include "renderer/scene/particles.h"
#include "tests/renderer/scene/recording_target.h"

namespace orvelle {
namespace {

TEST(Paths, CheckValuesOfTheLightsAndTheAttractorAndTheStepBetween) {
    const std::tuple<float, int, Vec3> cases[] = {
        // The time, the light (3: the attractor) and where it is.
        {0.0f, 0, {0.0f, 0.0f, 2000.0f}},
        {0.0f, 1, {-22.207f, 254.560f, 1377.239f}},
        {0.0f, 2, {0.0f, 0.0f, 2000.0f}},
        {10.0f, 0, {235.962f, 256.689f, 2353.173f}},
        {10.0f, 3, {182.090f, 272.521f, 1730.861f}},
    };
    const auto near = [](Vec3 p, Vec3 q, float by) {
        return std::max({std::abs(p.x - q.x), std::abs(p.y - q.y), std::abs(p.z - q.z)}) < by;
    };
    auto scene = std::make_unique<Scene>();
    initScene(*scene, 1);
    RendererState state;
    for (const auto& [time, light, want] : cases) {
        state.frameDelta = time - state.sceneTime;
        state.sceneTime = time;
        scene->attractor.update(state);
        for (Light& l : scene->lights) l.update(state);
        const Vec3 p = light == 3 ? scene->attractor.position : scene->lights[light].position;
        EXPECT_TRUE(near(p, want, 0.002f)) << "t " << time << " light " << light;
    }
    // Light 0's velocity: the step from 0 s to 10 s, in one frame of 10 s,
    // per second; kept through the frame after it, which took no time.
    EXPECT_TRUE(near(scene->lights[0].velocity, {23.5962f, 25.6689f, 35.3173f}, 0.0002f));
}

TEST(Clock, MillisecondsSceneTimeAndDamping) {
    EXPECT_EQ(microsecondsOf(3000, 1000), 3'000'000);
    EXPECT_EQ(microsecondsOf(1999, 1'000'000), 1999) << "truncated";
    EXPECT_EQ(microsecondsOf(10'000'000, 0), 0) << "no counter";
    // A 10 MHz counter after 30 years: ticks x 1000000 would overflow.
    EXPECT_EQ(microsecondsOf(9'467'280'000'000'001, 10'000'000), 946'728'000'000'000);
    // The decay is 0.99375^85 per second of the frame, none for a frame
    // that took no time.
    RendererState state;
    advanceSceneClock(state, 1500);
    EXPECT_EQ(std::tuple(state.sceneTime, state.frameDelta), std::tuple(1.5f, 1.5f));
    advanceSceneClock(state, 2500);
    EXPECT_EQ(state.frameDelta, 1.0f);
    EXPECT_NEAR(state.velocityDecay, 0.58689f, 0.00001f);
    advanceSceneClock(state, 2500);
    EXPECT_EQ(state.velocityDecay, 1.0f);
}

TEST(Settings, AStoredSizeBelowOneMeansTheDefault) {
    EXPECT_EQ(settings::usableDimension(800, 1024), 800);
    EXPECT_EQ(settings::usableDimension(0, 1024), 1024);
    EXPECT_EQ(settings::usableDimension(-800, 768), 768);
}

TEST(Keys, ArrowsMoveSpeedAndPullTowardsTheirBounds) {
    // The key, the speed and pull before, and after.
    const std::tuple<uint32_t, float, float, float, float> cases[] = {
        {keys::kLeft, 0.4f, 1e5f, 0.25f, 1e5f},
        {keys::kLeft, 10.0f, 1e5f, 9.75f, 1e5f},
        {keys::kRight, 74.9f, 1e5f, 75.0f, 1e5f},
        {keys::kRight, 80.0f, 1e5f, 75.0f, 1e5f},
        {keys::kLeft, 80.0f, 1e5f, 79.75f, 1e5f},
        {keys::kUp, 20.0f, 4990000.0f, 20.0f, 5e6f},
        {keys::kUp, 20.0f, 1e5f, 20.0f, 150000.0f},
        {keys::kDown, 20.0f, 60000.0f, 20.0f, 50000.0f},
        {keys::kDown, 20.0f, 1e4f, 20.0f, 50000.0f},
        {keys::kEscape, 20.0f, 1e5f, 20.0f, 1e5f},
    };
    for (const auto& [key, speed, pull, wantSpeed, wantPull] : cases) {
        RendererState state;
        state.motionSpeed = speed;
        state.pullStrength = pull;
        handleArrowKey(state, key);
        EXPECT_EQ(std::tuple(state.motionSpeed, state.pullStrength),
                  std::tuple(wantSpeed, wantPull))
            << key << " " << speed << " " << pull;
    }
}

// Known answers, the same in every build of the tests: sanitized, at the
// shipping optimisation, and as a Windows program under Wine, whose cos,
// sin, pow and atan2 come from the mingw-w64 runtime (x87 instructions)
// rather than glibc. Those differ in the last bits of some double results;
// the scene stores single precision, which absorbs that (the puffs' angle
// is kept as a float for this reason too).
TEST(Digests, TheAtlasForAFixedSeed) {
    auto atlas = std::make_unique<PuffAtlas>();
    RandomGenerator random;
    random.seedRandom(20261206);
    buildPuffAtlas(*atlas, random);
    EXPECT_EQ(testing::Digest().add(*atlas).value(), 6310220058594881851ull);
    EXPECT_EQ(random.state(), 302575031u) << "the random numbers the atlas drew";
}

TEST(Digests, FourSecondsOfAFixedScene) {
    auto scene = std::make_unique<Scene>();
    initScene(*scene, 20261206);
    RendererState state;
    state.viewWidth = 1024;
    state.viewHeight = 768;
    primeLights(state, *scene);
    testing::RecordingTarget target;
    for (uint32_t ms = 20; ms <= 4000; ms += 20) stepFrame(state, *scene, ms, target);
    EXPECT_EQ(std::tuple(target.fades, target.uploads, target.stars.size(), target.puffs.size()),
              std::tuple(200, 1, 3u * 150, 16875u));
    EXPECT_NEAR(state.motionSpeed, 20.2f, 0.0002f) << "0.001 per frame";
    EXPECT_EQ(target.digest.value(), 3145382174954528936ull);
}

class Particles : public ::testing::Test {
protected:
    void SetUp() override {
        scene = std::make_unique<Scene>();
        initScene(*scene, 1);
        state.velocityDecay = 1.0f;
        // Lights and attractor far apart, at rest, in front of the viewer.
        scene->lights[0].position = {-300.0f, 0.0f, 2000.0f};
        scene->lights[1].position = {300.0f, 0.0f, 2000.0f};
        scene->lights[2].position = {0.0f, 300.0f, 2000.0f};
        scene->attractor.position = {0.0f, -400.0f, 2500.0f};
    }
    // A frame at time t: the particles' update, or their drawing.
    void stepAt(float t, bool draw = false) {
        state.frameDelta = t - state.sceneTime;
        state.sceneTime = t;
        if (draw)
            scene->particles.draw(state, scene->puffAtlas, scene->random, target);
        else
            scene->particles.update(state, scene->lights, scene->attractor);
    }
    Particle& particle(int i) { return scene->particles.particles[static_cast<size_t>(i)]; }
    Particle& live(int i, Vec3 at, float born) {
        return particle(i) = {{1.0f, 0.5f, 0.25f, 1.0f}, at, {}, ParticleState::Live, born};
    }

    std::unique_ptr<Scene> scene;
    RendererState state;
    testing::RecordingTarget target;
};

TEST_F(Particles, EmissionWaitsItsTurnAndTheRingWraps) {
    stepAt(0.299f);
    EXPECT_EQ(scene->particles.emitIndex, 0) << "not before 0.25 + 0.05";
    stepAt(0.31f);
    EXPECT_EQ(scene->particles.emitIndex, 3);
    EXPECT_NEAR(particle(1).position.x, 300.0f, 0.1f) << "light 1 into the second slot";
    stepAt(5.0f);
    EXPECT_EQ(scene->particles.emitIndex, 6) << "one emission per frame, however long";
    scene->particles.lastEmitTime = 0.0f;
    state.sceneTime = 0.0f;
    stepAt(0.05f);
    EXPECT_EQ(scene->particles.emitIndex, 6) << "more than 0.05 s must have passed";

    scene->particles.emitIndex = 2098;
    stepAt(6.0f);
    EXPECT_EQ(scene->particles.emitIndex, 1);
    for (int i : {2098, 2099, 0}) EXPECT_EQ(particle(i).birthTime, 6.0f) << i;
    EXPECT_EQ(particle(1).birthTime, 0.31f);
}

TEST_F(Particles, TheAttractorCapturesInsideAHundredUnitsAndPullsFromThere) {
    scene->lights = {};  // out of the way
    const Vec3 a = scene->attractor.position;
    Particle& edge = live(10, {a.x + 100.0f, a.y, a.z}, 0.0f);
    Particle& inside = live(11, {a.x, a.y + 99.0f, a.z}, 0.0f);
    inside.velocity = {5.0f, 0.0f, 0.0f};
    state.sceneTime = 0.2f;
    stepAt(0.21f);
    EXPECT_EQ(edge.state, ParticleState::Live);
    // k = pull / d2^1.5 = 0.6 per unit of distance, applied once.
    EXPECT_FLOAT_EQ(edge.velocity.x, -60.0f);
    EXPECT_FLOAT_EQ(edge.position.x, a.x + 100.0f - 0.6f);
    EXPECT_EQ(inside.state, ParticleState::Captured);
    EXPECT_EQ(inside.position.x, a.x) << "a captured particle does not move";
    EXPECT_EQ(inside.color.green, 0.5f) << "nor change colour";
    // On the lights, in a frame that took no time: their glow is full.
    Particle& onLights = live(12, {}, 0.0f);
    stepAt(0.21f);
    EXPECT_EQ(onLights.color.blue, 1.0f);
    // One captured as it is emitted keeps its slot's old colour.
    scene->lights[0].position = {a.x + 10.0f, a.y, a.z};
    particle(0).color = {0.25f, 0.5f, 0.75f, 1.0f};  // the previous occupant's
    stepAt(0.5f);
    EXPECT_EQ(particle(0).state, ParticleState::Captured);
    EXPECT_EQ(particle(0).color.blue, 0.75f);
}

TEST_F(Particles, ALifeLastsLongerOnAWiderWindow) {
    for (const auto& [width, life] : {std::pair{1024u, 12.625f}, std::pair{2048u, 25.125f}}) {
        SetUp();
        state.viewWidth = width;
        live(0, {0.0f, 0.0f, 2000.0f}, 10.0f);
        state.sceneTime = 10.0f;
        stepAt(10.0f + life - 0.01f, true);
        EXPECT_EQ(particle(0).state, ParticleState::Live) << width;
        stepAt(10.0f + life + 0.001f, true);
        EXPECT_EQ(particle(0).state, ParticleState::Free) << width;
    }
}

TEST_F(Particles, LeavingTheBoundsOrComingTooNearFrees) {
    // Just beyond each bound (a tenth of the view), and one just inside.
    const Vec3 places[] = {{0.0f, 0.0f, 99.0f},      {652.0f, 0.0f, 1000.0f},
                           {-652.0f, 0.0f, 1000.0f}, {0.0f, 487.0f, 1000.0f},
                           {0.0f, -487.0f, 1000.0f}, {590.0f, 420.0f, 1000.0f}};
    for (int i = 0; i < 6; ++i) live(i, places[i], 1.0f);
    stepAt(1.5f, true);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(particle(i).state, ParticleState::Free) << i;
    EXPECT_EQ(particle(5).state, ParticleState::Live) << "inside the tenth's margin";
    EXPECT_EQ(target.puffs.size(), 1u);
}

}  // namespace
}  // namespace orvelle
