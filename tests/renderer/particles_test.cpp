#include "renderer/particles.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

#include "renderer/scene.h"

namespace orvelle {
namespace {

// Records what the particle draw asks of the pipeline.
class RecordingPuffs : public PuffTarget {
public:
    int builds = 0;
    int begins = 0;
    int ends = 0;
    std::vector<PuffQuad> quads;
    void buildTexture() override { ++builds; }
    void begin() override { ++begins; }
    void quad(const PuffQuad& q) override { quads.push_back(q); }
    void end() override { ++ends; }
};

class Particles : public ::testing::Test {
protected:
    void SetUp() override {
        scene = std::make_unique<Scene>();
        initScene(*scene, 1);
        state.viewWidth = 1024;
        state.viewHeight = 768;
        state.velocityDecay = 1.0f;
        // Lights and attractor far apart, at rest, in front of the viewer.
        place(0, {-300.0f, 0.0f, 2000.0f});
        place(1, {300.0f, 0.0f, 2000.0f});
        place(2, {0.0f, 300.0f, 2000.0f});
        scene->attractor.position = {0.0f, -400.0f, 2500.0f};
    }
    void place(int light, Vec3 at) {
        scene->lights[light].position = at;
        scene->lights[light].velocity = {};
    }
    void updateAt(float t) {
        state.frameDelta = t - state.sceneTime;
        state.sceneTime = t;
        scene->particles.update(state, scene->lights, scene->attractor);
    }
    void drawAt(float t, RecordingPuffs& puffs) {
        state.frameDelta = t - state.sceneTime;
        state.sceneTime = t;
        scene->particles.draw(state, puffs);
    }
    Particle& particle(int i) { return scene->particles.particles[static_cast<size_t>(i)]; }

    std::unique_ptr<Scene> scene;
    RendererState state;
};

TEST_F(Particles, NoEmissionBeforeThreeTenthsOfASecond) {
    updateAt(0.1f);
    updateAt(0.299f);
    EXPECT_EQ(scene->particles.emitIndex, 0);
    updateAt(0.31f);
    EXPECT_EQ(scene->particles.emitIndex, 3);
    EXPECT_EQ(scene->particles.lastEmitTime, 0.31f);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(particle(i).state, ParticleState::Live);
        EXPECT_EQ(particle(i).birthTime, 0.31f);
    }
    EXPECT_EQ(particle(3).state, ParticleState::Free);
    // At most one emission per frame, however long the frame.
    updateAt(5.0f);
    EXPECT_EQ(scene->particles.emitIndex, 6);
}

TEST_F(Particles, EmissionTakesEachLightsPositionAndVelocityInOrder) {
    scene->lights[1].velocity = {1.0f, 2.0f, 3.0f};
    state.frameDelta = 0.0f;
    state.sceneTime = 0.4f;
    // Zero frameDelta: the particles do not move after emission.
    scene->particles.update(state, scene->lights, scene->attractor);
    EXPECT_EQ(particle(0).position.x, -300.0f);
    EXPECT_EQ(particle(1).position.x, 300.0f);
    EXPECT_EQ(particle(2).position.y, 300.0f);
    // The pull has acted on the emitted velocity once.
    const Vec3 a = scene->attractor.position;
    const double dx = 300.0 - a.x, dy = 0.0 - a.y, dz = 2000.0 - a.z;
    const double d2 = dx * dx + dy * dy + dz * dz;
    const double k = (1.0 / std::sqrt(d2)) * (600000.0 / d2);
    EXPECT_FLOAT_EQ(particle(1).velocity.x, static_cast<float>(1.0 - k * dx));
    EXPECT_FLOAT_EQ(particle(1).velocity.z, static_cast<float>(3.0 - k * dz));
}

TEST_F(Particles, TheRingWrapsAndReusesTheOldestSlotFirst) {
    scene->particles.emitIndex = 2098;
    updateAt(1.0f);
    EXPECT_EQ(scene->particles.emitIndex, 1);
    EXPECT_EQ(particle(2098).birthTime, 1.0f);
    EXPECT_EQ(particle(2099).birthTime, 1.0f);
    EXPECT_EQ(particle(0).birthTime, 1.0f);

    // 700 emissions of three fill the ring exactly once.
    scene->particles.emitIndex = 0;
    float t = 2.0f;
    for (int i = 0; i < 700; ++i) updateAt(t += 0.06f);
    EXPECT_EQ(scene->particles.emitIndex, 0);
    const float oldest = particle(0).birthTime;
    updateAt(t += 0.06f);
    EXPECT_GT(particle(0).birthTime, oldest) << "slot 0 held the oldest particle";
    EXPECT_LT(particle(3).birthTime, particle(0).birthTime) << "only one emission replaced";
}

TEST_F(Particles, AParticleAtExactlyOneHundredUnitsIsPulledANearerOneCaptured) {
    scene->lights = {};  // lights at the origin, far from everything
    Particle& edge = particle(10);
    edge.state = ParticleState::Live;
    edge.position = {scene->attractor.position.x + 100.0f, scene->attractor.position.y,
                     scene->attractor.position.z};
    Particle& inside = particle(11);
    inside.state = ParticleState::Live;
    inside.position = {scene->attractor.position.x, scene->attractor.position.y + 99.0f,
                       scene->attractor.position.z};
    inside.color = {0.5f, 0.25f, 0.125f, 1.0f};
    state.sceneTime = 0.2f;  // no emission
    state.frameDelta = 0.01f;
    scene->particles.update(state, scene->lights, scene->attractor);

    EXPECT_EQ(edge.state, ParticleState::Live);
    // Pulled towards the attractor: k = pull / d2^1.5 = 0.6 per unit of distance.
    EXPECT_FLOAT_EQ(edge.velocity.x, -60.0f);
    EXPECT_FLOAT_EQ(edge.position.x, scene->attractor.position.x + 100.0f - 0.6f);

    EXPECT_EQ(inside.state, ParticleState::Captured);
    EXPECT_EQ(inside.velocity.y, 0.0f) << "a captured particle does not move";
    EXPECT_EQ(inside.color.red, 0.5f) << "nor change colour";
}

TEST_F(Particles, AParticleOnALightTakesThatChannelAtFullBrightness) {
    Particle& p = particle(20);
    p.state = ParticleState::Live;
    p.position = scene->lights[1].position;
    state.sceneTime = 0.2f;
    state.frameDelta = 0.0f;  // stays where it is after the pull
    scene->particles.update(state, scene->lights, scene->attractor);
    EXPECT_EQ(p.color.green, 1.0f);
    EXPECT_LT(p.color.red, 0.2f);
    EXPECT_LT(p.color.blue, 0.2f);
    EXPECT_EQ(p.color.alpha, 1.0f);
    // Near the attractor every channel brightens.
    Particle& q = particle(21);
    q.position = {scene->attractor.position.x, scene->attractor.position.y + 150.0f,
                  scene->attractor.position.z};
    scene->particles.update(state, scene->lights, scene->attractor);
    for (float channel : {q.color.red, q.color.green, q.color.blue}) {
        EXPECT_GT(channel, 15000.0f / (150.0f * 150.0f));
    }
}

TEST_F(Particles, FreeParticlesStillMove) {
    Particle& p = particle(30);
    ASSERT_EQ(p.state, ParticleState::Free);
    p.position = {0.0f, 0.0f, 1000.0f};
    state.sceneTime = 0.2f;
    state.frameDelta = 0.1f;
    scene->particles.update(state, scene->lights, scene->attractor);
    EXPECT_NE(p.position.z, 1000.0f);
    EXPECT_EQ(p.state, ParticleState::Free);
}

TEST_F(Particles, LifetimeDependsOnTheWindowWidth) {
    for (const auto& [width, life] : {std::pair{1024u, 12.625f}, std::pair{2048u, 25.125f}}) {
        SetUp();
        state.viewWidth = width;
        Particle& p = particle(0);
        p.state = ParticleState::Live;
        p.position = {0.0f, 0.0f, 2000.0f};
        p.birthTime = 10.0f;
        RecordingPuffs puffs;
        state.sceneTime = 10.0f;
        drawAt(10.0f + life - 0.01f, puffs);
        EXPECT_EQ(puffs.quads.size(), 1u) << width;
        EXPECT_EQ(p.state, ParticleState::Live);
        drawAt(10.0f + life + 0.001f, puffs);
        EXPECT_EQ(puffs.quads.size(), 1u) << width << ": drawn after its life";
        EXPECT_EQ(p.state, ParticleState::Free);
    }
}

TEST_F(Particles, LeavingTheBoundsOrComingTooNearFrees) {
    const Vec3 places[] = {
        {0.0f, 0.0f, 99.0f},       // nearer than z 100
        {1300.0f, 0.0f, 1000.0f},  // right of 1.1 W
        {-700.0f, 0.0f, 1000.0f},  // left of -0.1 W
        {0.0f, 500.0f, 1000.0f},   // above 1.1 H
        {0.0f, -500.0f, 1000.0f},  // below -0.1 H
    };
    for (int i = 0; i < 5; ++i) {
        particle(i).state = ParticleState::Live;
        particle(i).position = places[i];
        particle(i).birthTime = 1.0f;
    }
    particle(5).state = ParticleState::Live;
    particle(5).position = {600.0f, 400.0f, 1000.0f};  // inside the margin
    particle(5).birthTime = 1.0f;
    RecordingPuffs puffs;
    drawAt(1.5f, puffs);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(particle(i).state, ParticleState::Free) << i;
    EXPECT_EQ(particle(5).state, ParticleState::Live);
    EXPECT_EQ(puffs.quads.size(), 1u);
}

TEST_F(Particles, AYoungParticleIsSmallAndOverBright) {
    Particle& p = particle(0);
    p.state = ParticleState::Live;
    p.position = {0.0f, 0.0f, 2000.0f};
    p.velocity = {0.0f, 0.0f, 0.0f};
    p.color = {1.0f, 0.5f, 0.25f, 1.0f};
    p.birthTime = 3.0f;
    state.sceneTime = 3.0f;
    RecordingPuffs puffs;
    drawAt(3.05f, puffs);
    ASSERT_EQ(puffs.quads.size(), 1u);
    const PuffQuad& q = puffs.quads[0];
    EXPECT_EQ(q.size, 0.75f);
    EXPECT_EQ(q.length, 0.75f) << "no motion, no stretch";
    EXPECT_GT(q.color.red, 1.375f);
    EXPECT_FLOAT_EQ(q.color.green, q.color.red * 0.5f);
    EXPECT_FLOAT_EQ(q.centerX, 512.0f);
    EXPECT_FLOAT_EQ(q.centerY, 384.0f);
}

TEST_F(Particles, ACapturedParticleIsDrawnOnceSmallAndDimThenFree) {
    for (int i : {0, 1}) {
        particle(i).state = ParticleState::Live;
        particle(i).position = {0.0f, 0.0f, 1000.0f};
        particle(i).color = {1.0f, 1.0f, 1.0f, 1.0f};
        particle(i).birthTime = 1.0f;
    }
    particle(1).state = ParticleState::Captured;
    RecordingPuffs puffs;
    state.sceneTime = 4.0f;
    drawAt(4.0f, puffs);
    ASSERT_EQ(puffs.quads.size(), 2u);
    EXPECT_FLOAT_EQ(puffs.quads[1].size, puffs.quads[0].size * 0.25f);
    EXPECT_FLOAT_EQ(puffs.quads[1].color.red, puffs.quads[0].color.red * 0.125f);
    EXPECT_EQ(particle(1).state, ParticleState::Free);
    drawAt(4.01f, puffs);
    EXPECT_EQ(puffs.quads.size(), 3u) << "the freed particle is not drawn again";
}

TEST_F(Particles, OneCapturedInTheUpdateThatEmitsItKeepsItsSlotsOldColour) {
    // Light 0 sits inside the attractor's sphere.
    place(0, {scene->attractor.position.x + 10.0f, scene->attractor.position.y,
              scene->attractor.position.z});
    particle(0).color = {0.25f, 0.5f, 0.75f, 1.0f};  // the previous occupant's
    updateAt(0.5f);
    EXPECT_EQ(particle(0).state, ParticleState::Captured);
    EXPECT_EQ(particle(0).color.red, 0.25f);
    EXPECT_EQ(particle(0).color.blue, 0.75f);
    EXPECT_EQ(particle(1).state, ParticleState::Live);
    RecordingPuffs puffs;
    drawAt(1.1f, puffs);
    ASSERT_FALSE(puffs.quads.empty());
    EXPECT_FLOAT_EQ(puffs.quads[0].color.blue / puffs.quads[0].color.red, 3.0f);
}

TEST_F(Particles, TheTextureIsBuiltOnTheFirstDrawOnlyAndTilesWalkRowByRow) {
    RecordingPuffs puffs;
    for (int i = 0; i < 10; ++i) {
        particle(i).state = ParticleState::Live;
        particle(i).position = {0.0f, 0.0f, 1000.0f};
        particle(i).birthTime = 1.0f;
    }
    scene->particles.tileCounter = 6;  // the frame starts at tile 6 (u 0.75, v 0)
    scene->particles.lastTileTime = 1.0f;
    drawAt(1.05f, puffs);
    drawAt(1.09f, puffs);
    EXPECT_EQ(puffs.builds, 1);
    EXPECT_EQ(puffs.begins, 2);
    EXPECT_EQ(puffs.ends, 2);
    ASSERT_EQ(puffs.quads.size(), 20u);
    EXPECT_EQ(puffs.quads[0].u, 0.875f);
    EXPECT_EQ(puffs.quads[0].v, 0.0f);
    EXPECT_EQ(puffs.quads[1].u, 0.0f) << "wraps to the next row";
    EXPECT_EQ(puffs.quads[1].v, 0.125f);
    EXPECT_EQ(puffs.quads[2].u, 0.125f);
    // The counter steps only when more than a tenth of a second has passed.
    EXPECT_EQ(scene->particles.tileCounter, 6);
    drawAt(1.2f, puffs);
    EXPECT_EQ(scene->particles.tileCounter, 7);
}

}  // namespace
}  // namespace orvelle
