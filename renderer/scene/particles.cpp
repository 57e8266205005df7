#include "renderer/scene/particles.h"

#include <algorithm>
#include <cmath>

#include "renderer/scene/scene.h"

namespace orvelle {
namespace {

float squaredLength(float dx, float dy, float dz) {
    const double x = dx, y = dy, z = dz;
    return static_cast<float>(x * x + y * y + z * z);
}

}  // namespace

void ParticleSystem::freeAll() {
    for (auto& p : particles) p.state = ParticleState::Free;
}

void ParticleSystem::shiftTimes(float seconds) {
    for (auto& p : particles) p.birthTime -= seconds;
    lastEmitTime -= seconds;
    lastTileTime -= seconds;
}

void ParticleSystem::update(const RendererState& state, std::span<const Light, 3> lights,
                            const Attractor& attractor) {
    if (state.sceneTime - lastEmitTime > 0.05f) {
        for (const Light& light : lights) {
            Particle& p = particles[static_cast<size_t>(emitIndex)];
            p.position = light.position;
            p.velocity = light.velocity;
            p.state = ParticleState::Live;
            p.birthTime = state.sceneTime;
            if (++emitIndex == kCount) emitIndex = 0;
        }
        lastEmitTime = state.sceneTime;
    }

    const Vec3 a = attractor.position;
    const double pull = state.pullStrength;
    const float decay = state.velocityDecay;
    const float dt = state.frameDelta;
    for (Particle& p : particles) {
        const float dx = p.position.x - a.x;
        const float dy = p.position.y - a.y;
        const float dz = p.position.z - a.z;
        const float d2 = squaredLength(dx, dy, dz);
        if (d2 < 10000.0f) {
            p.state = ParticleState::Captured;
            continue;
        }
        const double k = (1.0 / std::sqrt(static_cast<double>(d2))) * (pull / d2);
        p.velocity.x = static_cast<float>(p.velocity.x - k * dx) * decay;
        p.velocity.y = static_cast<float>(p.velocity.y - k * dy) * decay;
        p.velocity.z = static_cast<float>(p.velocity.z - k * dz) * decay;
        p.position.x += dt * p.velocity.x;
        p.position.y += dt * p.velocity.y;
        p.position.z += dt * p.velocity.z;

        float channel[3];
        for (size_t j = 0; j < 3; ++j) {
            const Vec3& l = lights[j].position;
            const float e2 =
                squaredLength(p.position.x - l.x, p.position.y - l.y, p.position.z - l.z);
            channel[j] = e2 == 0.0f ? 1.0f : std::min(1.0f, glowConstant / e2 + glowConstant / d2);
        }
        p.color = {channel[0], channel[1], channel[2], 1.0f};
    }
}

void ParticleSystem::draw(const RendererState& state, PuffAtlas& atlas, RandomGenerator& random,
                          FrameTarget& target) {
    if (textureDirty) {
        textureDirty = false;
        buildPuffAtlas(atlas, random);
        target.uploadPuffAtlas(atlas);
    }
    if (state.sceneTime - lastTileTime > 0.1f) {
        tileCounter += 1;
        lastTileTime = state.sceneTime;
    }
    const float w = static_cast<float>(state.viewWidth);
    const float h = static_cast<float>(state.viewHeight);
    const float dt = state.frameDelta;
    const float lifeLimit = w * 244.140625f;

    target.beginPuffs();
    float u = static_cast<float>(tileCounter % 8) * 0.125f;
    float v = static_cast<float>(tileCounter / 8) * 0.125f;
    for (Particle& p : particles) {
        const float ageUnits = static_cast<float>(
            (static_cast<double>(state.sceneTime) - 0.125 - p.birthTime) * 20000.0);
        if (ageUnits >= lifeLimit) p.state = ParticleState::Free;
        if (p.state == ParticleState::Free) continue;

        const float z = p.position.z;
        const ScreenPoint now = projectToView(p.position, w, h);
        const float sx = now.x, sy = now.y;
        if (sx > 1.1f * w || sx < -0.1f * w || sy > 1.1f * h || sy < -0.1f * h || z < 100.0f) {
            p.state = ParticleState::Free;
            continue;
        }

        const bool captured = p.state == ParticleState::Captured;
        float size = std::max(ageUnits / z, 0.75f);
        if (captured) size *= 0.25f;

        // Where the particle was one frame ago, on the screen.
        const ScreenPoint before =
            projectToView({p.position.x - dt * p.velocity.x, p.position.y - dt * p.velocity.y,
                           z - dt * p.velocity.z},
                          w, h);
        const float px = before.x, py = before.y;
        const float dx = sx - px;
        const float dy = sy - py;

        const float adx = std::fabs(dx), ady = std::fabs(dy);
        const float m = std::min(adx, ady);
        const float length = size + (adx + ady - m * 0.5f - m * 0.25f + m * 0.0625f);

        u += 0.125f;
        if (u >= 1.0f) {
            u = 0.0f;
            v += 0.125f;
            if (v >= 1.0f) v = 0.0f;
        }

        float c = 1.375f - ageUnits / lifeLimit;
        if (captured) {
            c *= 0.125f;
            p.state = ParticleState::Free;
        }

        target.puff(
            {static_cast<float>((sx + px) * 0.5),
             static_cast<float>((sy + py) * 0.5),
             static_cast<float>(std::atan2(static_cast<double>(dy), static_cast<double>(dx)) *
                                57.29577951308232),
             length,
             size,
             u,
             v,
             {c * p.color.red, c * p.color.green, c * p.color.blue, c * p.color.alpha}});
    }
    target.endPuffs();
}

}  // namespace orvelle
