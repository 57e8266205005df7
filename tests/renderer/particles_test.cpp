// What the digests cannot see: the ring's wrap, the capture boundary, the
// lifetime by width, the culling, a capture at emission, a full glow.
#include "renderer/particles.h"

#include <gtest/gtest.h>

#include <memory>

#include "renderer/scene.h"
#include "tests/renderer/recording_target.h"

namespace orvelle {
namespace {

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
    void updateAt(float t) {
        state.frameDelta = t - state.sceneTime;
        state.sceneTime = t;
        scene->particles.update(state, scene->lights, scene->attractor);
    }
    void drawAt(float t) {
        state.frameDelta = t - state.sceneTime;
        state.sceneTime = t;
        scene->particles.draw(state, scene->puffAtlas, scene->random, target);
    }
    Particle& live(int i, Vec3 at, float born) {
        Particle& p = scene->particles.particles[static_cast<size_t>(i)];
        p = Particle{{1.0f, 0.5f, 0.25f, 1.0f}, at, {}, ParticleState::Live, born};
        return p;
    }
    Particle& particle(int i) { return scene->particles.particles[static_cast<size_t>(i)]; }

    std::unique_ptr<Scene> scene;
    RendererState state;
    testing::RecordingTarget target;
};

TEST_F(Particles, EmissionWaitsItsTurnAndTheRingWraps) {
    updateAt(0.299f);
    EXPECT_EQ(scene->particles.emitIndex, 0) << "not before 0.25 + 0.05";
    updateAt(0.31f);
    EXPECT_EQ(scene->particles.emitIndex, 3);
    EXPECT_NEAR(particle(1).position.x, 300.0f, 0.1f) << "light 1 into the second slot";
    updateAt(5.0f);
    EXPECT_EQ(scene->particles.emitIndex, 6) << "one emission per frame, however long";
    scene->particles.lastEmitTime = 0.0f;
    state.sceneTime = 0.0f;
    updateAt(0.05f);
    EXPECT_EQ(scene->particles.emitIndex, 6) << "more than 0.05 s must have passed";

    scene->particles.emitIndex = 2098;
    updateAt(6.0f);
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
    updateAt(0.21f);
    EXPECT_EQ(edge.state, ParticleState::Live);
    // k = pull / d2^1.5 = 0.6 per unit of distance, applied once.
    EXPECT_FLOAT_EQ(edge.velocity.x, -60.0f);
    EXPECT_FLOAT_EQ(edge.position.x, a.x + 100.0f - 0.6f);
    EXPECT_EQ(inside.state, ParticleState::Captured);
    EXPECT_EQ(inside.position.x, a.x) << "a captured particle does not move";
    EXPECT_EQ(inside.color.green, 0.5f) << "nor change colour";
    // On the lights, in a frame that took no time: their glow is full.
    Particle& onLights = live(12, {}, 0.0f);
    updateAt(0.21f);
    EXPECT_EQ(onLights.color.blue, 1.0f);
}

TEST_F(Particles, ALifeLastsLongerOnAWiderWindow) {
    for (const auto& [width, life] : {std::pair{1024u, 12.625f}, std::pair{2048u, 25.125f}}) {
        SetUp();
        state.viewWidth = width;
        live(0, {0.0f, 0.0f, 2000.0f}, 10.0f);
        state.sceneTime = 10.0f;
        drawAt(10.0f + life - 0.01f);
        EXPECT_EQ(particle(0).state, ParticleState::Live) << width;
        drawAt(10.0f + life + 0.001f);
        EXPECT_EQ(particle(0).state, ParticleState::Free) << width;
    }
}

TEST_F(Particles, LeavingTheBoundsOrComingTooNearFrees) {
    // Just beyond each bound (a tenth of the view), and one just inside.
    const Vec3 places[] = {{0.0f, 0.0f, 99.0f},      {652.0f, 0.0f, 1000.0f},
                           {-652.0f, 0.0f, 1000.0f}, {0.0f, 487.0f, 1000.0f},
                           {0.0f, -487.0f, 1000.0f}, {590.0f, 420.0f, 1000.0f}};
    for (int i = 0; i < 6; ++i) live(i, places[i], 1.0f);
    drawAt(1.5f);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(particle(i).state, ParticleState::Free) << i;
    EXPECT_EQ(particle(5).state, ParticleState::Live) << "inside the tenth's margin";
    EXPECT_EQ(target.puffs.size(), 1u);
}

TEST_F(Particles, OneCapturedAsItIsEmittedKeepsItsSlotsOldColour) {
    scene->lights[0].position = {scene->attractor.position.x + 10.0f, scene->attractor.position.y,
                                 scene->attractor.position.z};
    particle(0).color = {0.25f, 0.5f, 0.75f, 1.0f};  // the previous occupant's
    updateAt(0.5f);
    EXPECT_EQ(particle(0).state, ParticleState::Captured);
    EXPECT_EQ(particle(0).color.blue, 0.75f);
}

}  // namespace
}  // namespace orvelle
