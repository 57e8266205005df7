#include "renderer/scene.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

namespace orvelle {
namespace {

RendererState clockAt(float sceneTime, float motionSpeed = 20.0f) {
    RendererState state;
    state.sceneTime = sceneTime;
    state.motionSpeed = motionSpeed;
    return state;
}

std::unique_ptr<Scene> newScene(uint32_t seed = 1) {
    auto scene = std::make_unique<Scene>();
    initScene(*scene, seed);
    return scene;
}

TEST(RandomGenerator, FollowsTheLinearCongruentialSequence) {
    RandomGenerator random;
    // Unseeded, the state is 1.
    EXPECT_EQ(random.nextRandom(), 41u);
    EXPECT_EQ(random.nextRandom(), 18467u);
    EXPECT_EQ(random.nextRandom(), 6334u);
    EXPECT_EQ(random.nextRandom(), 26500u);
    EXPECT_EQ(random.nextRandom(), 19169u);

    random.seedRandom(12345);
    EXPECT_EQ(random.nextRandom(), ((12345u * 214013u + 2531011u) >> 16) & 0x7FFFu);
    random.seedRandom(0xFFFFFFFFu);
    for (int i = 0; i < 1000; ++i) EXPECT_LE(random.nextRandom(), 32767u);
}

TEST(InitScene, GivesColoursAndPhasesAndFreesEveryParticle) {
    auto scene = std::make_unique<Scene>();
    scene->particles.particles[5].state = ParticleState::Live;
    EXPECT_TRUE(initScene(*scene, 7));
    EXPECT_EQ(scene->random.state(), 7u);
    EXPECT_EQ(scene->lights[0].phase, 450);
    EXPECT_EQ(scene->lights[1].phase, 900);
    EXPECT_EQ(scene->lights[2].phase, 1350);
    EXPECT_EQ(scene->lights[0].color.red, 1.0f);
    EXPECT_EQ(scene->lights[0].color.green, 0.125f);
    EXPECT_EQ(scene->lights[1].color.green, 1.0f);
    EXPECT_EQ(scene->lights[2].color.blue, 1.0f);
    EXPECT_EQ(scene->lights[2].color.alpha, 1.0f);
    for (const auto& p : scene->particles.particles) ASSERT_EQ(p.state, ParticleState::Free);
}

TEST(LightPath, CheckValuesAtTimeZero) {
    auto scene = newScene();
    const auto state = clockAt(0.0f);
    for (auto& light : scene->lights) light.update(state);
    EXPECT_NEAR(scene->lights[0].position.x, 0.0f, 0.001f);
    EXPECT_NEAR(scene->lights[0].position.y, 0.0f, 0.001f);
    EXPECT_NEAR(scene->lights[0].position.z, 2000.0f, 0.001f);
    EXPECT_NEAR(scene->lights[2].position.x, 0.0f, 0.002f);
    EXPECT_NEAR(scene->lights[2].position.y, 0.0f, 0.002f);
    EXPECT_NEAR(scene->lights[2].position.z, 2000.0f, 0.002f);
    EXPECT_NEAR(scene->lights[1].position.x, -22.207f, 0.001f);
    EXPECT_NEAR(scene->lights[1].position.y, 254.560f, 0.001f);
    EXPECT_NEAR(scene->lights[1].position.z, 1377.239f, 0.001f);
}

TEST(LightPath, CheckValuesAtTenSeconds) {
    auto scene = newScene();
    const auto state = clockAt(10.0f);
    scene->lights[0].update(state);
    scene->attractor.update(state);
    EXPECT_NEAR(scene->lights[0].position.x, 235.962f, 0.001f);
    EXPECT_NEAR(scene->lights[0].position.y, 256.689f, 0.001f);
    EXPECT_NEAR(scene->lights[0].position.z, 2353.173f, 0.001f);
    EXPECT_NEAR(scene->attractor.position.x, 182.090f, 0.001f);
    EXPECT_NEAR(scene->attractor.position.y, 272.521f, 0.001f);
    EXPECT_NEAR(scene->attractor.position.z, 1730.861f, 0.001f);
}

TEST(LightPath, DependsOnlyOnTimeSpeedAndPhase) {
    auto a = newScene(), b = newScene(99);
    // b reaches 10 s through many small frames, a in one step.
    for (int ms = 0; ms <= 10000; ms += 7) {
        auto state = clockAt(static_cast<float>(ms * 0.001));
        b->lights[1].update(state);
    }
    a->lights[1].update(clockAt(static_cast<float>(9996 * 0.001)));
    EXPECT_EQ(a->lights[1].position.x, b->lights[1].position.x);
    EXPECT_EQ(a->lights[1].position.y, b->lights[1].position.y);
    EXPECT_EQ(a->lights[1].position.z, b->lights[1].position.z);
}

TEST(LightPath, StaysWithinItsSphereAroundTheCentre) {
    auto scene = newScene();
    for (float t = 0.0f; t < 600.0f; t += 0.37f) {
        const auto state = clockAt(t, 20.0f + t * 0.06f);
        scene->attractor.update(state);
        const auto& a = scene->attractor.position;
        ASSERT_LE(std::hypot(a.x, a.y, a.z - 2000.0f), 507.8f + 0.01f) << t;
        for (auto& light : scene->lights) {
            light.update(state);
            const auto& p = light.position;
            ASSERT_LE(std::hypot(p.x, p.y, p.z - 2000.0f), 918.6f + 0.01f) << t;
        }
    }
}

TEST(LightVelocity, IsTheStepOverTheFrameAndKeptWhenNoTimePasses) {
    auto scene = newScene();
    Light& light = scene->lights[0];
    auto state = clockAt(5.0f);
    light.update(state);
    const Vec3 before = light.position;

    state.sceneTime = 5.016f;
    state.frameDelta = state.sceneTime - 5.0f;
    light.update(state);
    EXPECT_EQ(light.velocity.x, (light.position.x - before.x) / state.frameDelta);
    EXPECT_EQ(light.velocity.z, (light.position.z - before.z) / state.frameDelta);
    const Vec3 velocity = light.velocity;

    // Same millisecond: no division by zero, the previous velocity stays.
    state.frameDelta = 0.0f;
    light.update(state);
    EXPECT_EQ(light.velocity.x, velocity.x);
    EXPECT_EQ(light.velocity.y, velocity.y);
    EXPECT_EQ(light.velocity.z, velocity.z);
}

TEST(Projection, UsesTheWindowWidthAsFocalLength) {
    const auto centre = projectToView({0.0f, 0.0f, 2000.0f}, 800, 600);
    EXPECT_FLOAT_EQ(centre.x, 400.0f);
    EXPECT_FLOAT_EQ(centre.y, 300.0f);
    const auto p = projectToView({100.0f, -50.0f, 1000.0f}, 800, 600);
    EXPECT_FLOAT_EQ(p.x, 480.0f);
    EXPECT_FLOAT_EQ(p.y, 260.0f);
}

}  // namespace
}  // namespace orvelle
