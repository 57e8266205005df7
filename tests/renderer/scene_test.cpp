// The scene's numbers: the lights' and the attractor's paths, the clock, the
// keys, and known-answer digests of the atlas (and so of the generator) and
// of whole seconds of a fixed scene's records (its colours and phases too).
#include "renderer/scene.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <tuple>

#include "platform/settings_keys.h"
#include "renderer/clock.h"
#include "renderer/keys.h"
#include "tests/renderer/recording_target.h"

namespace orvelle {
namespace {

std::unique_ptr<Scene> newScene(uint32_t seed) {
    auto scene = std::make_unique<Scene>();
    initScene(*scene, seed);
    return scene;
}

TEST(Paths, CheckValuesOfTheLightsAndTheAttractor) {
    const struct {
        float time;
        int light;  // 3: the attractor
        Vec3 want;
    } cases[] = {
        {0.0f, 0, {0.0f, 0.0f, 2000.0f}},
        {0.0f, 1, {-22.207f, 254.560f, 1377.239f}},
        {0.0f, 2, {0.0f, 0.0f, 2000.0f}},
        {10.0f, 0, {235.962f, 256.689f, 2353.173f}},
        {10.0f, 3, {182.090f, 272.521f, 1730.861f}},
    };
    for (const auto& c : cases) {
        auto scene = newScene(1);
        RendererState state;
        state.sceneTime = c.time;
        scene->attractor.update(state);
        for (Light& light : scene->lights) light.update(state);
        const Vec3 p = c.light == 3 ? scene->attractor.position : scene->lights[c.light].position;
        EXPECT_LT(std::max({std::abs(p.x - c.want.x), std::abs(p.y - c.want.y),
                            std::abs(p.z - c.want.z)}),
                  0.002f)
            << "t " << c.time << " light " << c.light;
    }
    // The light at the screen's centre projects there.
    const ScreenPoint centre = projectToView({0.0f, 0.0f, 2000.0f}, 800.0f, 600.0f);
    EXPECT_EQ(std::tuple(centre.x, centre.y), std::tuple(400.0f, 300.0f));
    const ScreenPoint off = projectToView({-22.207f, 254.560f, 1377.239f}, 800.0f, 600.0f);
    EXPECT_LT(std::max(std::abs(off.x - 387.1f), std::abs(off.y - 447.9f)), 0.05f);
}

TEST(Paths, VelocityIsTheStepOverTheFrameAndKeptWhenTheFrameTookNoTime) {
    auto scene = newScene(1);
    Light& light = scene->lights[1];
    RendererState state;
    light.update(state);
    const Vec3 before = light.position;
    state.sceneTime = 0.5f;
    state.frameDelta = 0.5f;
    light.update(state);
    EXPECT_FLOAT_EQ(light.velocity.y, (light.position.y - before.y) / 0.5f);
    const Vec3 velocity = light.velocity;
    state.frameDelta = 0.0f;
    light.update(state);
    EXPECT_EQ(light.velocity.z, velocity.z);
}

TEST(Clock, MillisecondsSceneTimeAndDamping) {
    EXPECT_EQ(elapsedMsFrom(3000, 1000, 1000), 2000u);
    EXPECT_EQ(elapsedMsFrom(1999, 1000, 1000000), 0u) << "truncated";
    EXPECT_EQ(elapsedMsFrom(10'000'000, 0, 0), 0u) << "no counter";
    EXPECT_EQ(elapsedMsFrom(4'294'967'296'000LL, 0, 1000), 0u) << "the low 32 bits";
    RendererState state;
    advanceSceneClock(state, 1500);
    EXPECT_EQ(std::tuple(state.sceneTime, state.frameDelta), std::tuple(1.5f, 1.5f));
    advanceSceneClock(state, 2500);
    EXPECT_EQ(state.frameDelta, 1.0f);
    EXPECT_NEAR(state.velocityDecay, 0.58689f, 0.00001f) << "0.99375^85 per second";
    advanceSceneClock(state, 2500);
    EXPECT_EQ(state.velocityDecay, 1.0f);
}

TEST(Settings, AStoredSizeBelowOneMeansTheDefault) {
    EXPECT_EQ(settings::usableDimension(800, 1024), 800);
    EXPECT_EQ(settings::usableDimension(0, 1024), 1024);
    EXPECT_EQ(settings::usableDimension(-800, 768), 768);
}

TEST(Keys, ArrowsMoveSpeedAndPullTowardsTheirBounds) {
    const struct {
        uint32_t key;
        float speed, pull, wantSpeed, wantPull;
    } cases[] = {
        {kKeyLeft, 0.4f, 1e5f, 0.25f, 1e5f},      {kKeyLeft, 10.0f, 1e5f, 9.75f, 1e5f},
        {kKeyRight, 74.9f, 1e5f, 75.0f, 1e5f},    {kKeyRight, 80.0f, 1e5f, 75.0f, 1e5f},
        {kKeyLeft, 80.0f, 1e5f, 79.75f, 1e5f},    {kKeyUp, 20.0f, 4990000.0f, 20.0f, 5e6f},
        {kKeyUp, 20.0f, 1e5f, 20.0f, 150000.0f},  {kKeyDown, 20.0f, 60000.0f, 20.0f, 50000.0f},
        {kKeyDown, 20.0f, 1e4f, 20.0f, 50000.0f}, {kKeyEscape, 20.0f, 1e5f, 20.0f, 1e5f},
    };
    for (const auto& c : cases) {
        RendererState state;
        state.motionSpeed = c.speed;
        state.pullStrength = c.pull;
        handleArrowKey(state, c.key);
        EXPECT_FLOAT_EQ(state.motionSpeed, c.wantSpeed) << c.key << " " << c.speed;
        EXPECT_FLOAT_EQ(state.pullStrength, c.wantPull) << c.key << " " << c.pull;
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
    EXPECT_EQ(testing::Digest().addAll(*atlas).value(), 6310220058594881851ull);
    EXPECT_EQ(random.state(), 302575031u) << "the random numbers the atlas drew";
}

TEST(Digests, FourSecondsOfAFixedScene) {
    auto scene = newScene(20261206);
    RendererState state;
    state.viewWidth = 1024;
    state.viewHeight = 768;
    primeLights(state, *scene);
    testing::RecordingTarget target;
    for (uint32_t ms = 20; ms <= 4000; ms += 20) stepFrame(state, *scene, ms, target);
    EXPECT_EQ(target.fades, 200);
    EXPECT_EQ(target.uploads, 1);
    EXPECT_EQ(target.stars.size(), 3u * 150);
    EXPECT_EQ(target.puffs.size(), 16875u);
    EXPECT_NEAR(state.motionSpeed, 20.2f, 0.0002f) << "0.001 per frame";
    EXPECT_EQ(target.digest.value(), 3145382174954528936ull);
}

}  // namespace
}  // namespace orvelle
