// The trail particles: a fixed ring of 2100 records that the lights shed into,
// the attractor pulls, and that are drawn as stretched, fading puffs.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "renderer/scene/frame_target.h"
#include "renderer/scene/puff_texture.h"
#include "renderer/scene/random.h"
#include "renderer/scene/renderer_state.h"
#include "renderer/scene/vec.h"

namespace orvelle {

class Light;
class Attractor;

enum class ParticleState : int32_t { Live = 0, Free = 1, Captured = 3 };

struct Particle {
    Color4 color;
    Vec3 position;
    Vec3 velocity;
    ParticleState state = ParticleState::Live;
    float birthTime = 0.0f;
};

class ParticleSystem {
public:
    static constexpr int32_t kCount = 2100;

    std::array<Particle, kCount> particles{};
    int32_t emitIndex = 0;
    float lastEmitTime = 0.25f;
    float glowConstant = 15000.0f;
    bool textureDirty = true;
    int32_t tileCounter = 0;
    float lastTileTime = 0.0f;

    void freeAll();

    // Every stored time (births, the last emission, the last tile step)
    // moved back by the seconds the scene clock was moved back.
    void shiftTimes(float seconds);

    // Emission, then pull, damping, motion and colour of every particle.
    void update(const RendererState& state, std::span<const Light, 3> lights,
                const Attractor& attractor);

    // Ages, culls and draws the particles in index order; on the first call
    // it builds the atlas and hands it to the target.
    void draw(const RendererState& state, PuffAtlas& atlas, RandomGenerator& random,
              FrameTarget& target);
};

}  // namespace orvelle
