// The trail particles: a fixed ring of 2100 records that the lights shed into,
// the attractor pulls, and that are drawn as stretched, fading puffs.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "renderer_state.h"
#include "vec.h"

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

// One puff as the particle draw asks for it: translate to the centre, rotate
// by the angle (degrees, about z), scale the unit quad by length and size,
// sample the 1/8 x 1/8 tile at (u, v) and modulate by the colour.
struct PuffQuad {
    float centerX;
    float centerY;
    double angleDegrees;
    float length;
    float size;
    float u;
    float v;
    Color4 color;
};

// Where the particle draw sends its work: the texture build on first use and
// the quads between begin and end. The OpenGL targets live beside the frame.
class PuffTarget {
public:
    virtual ~PuffTarget() = default;
    virtual void buildTexture() = 0;
    virtual void begin() = 0;
    virtual void quad(const PuffQuad& quad) = 0;
    virtual void end() = 0;
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

    // Emission, then pull, damping, motion and colour of every particle.
    void update(const RendererState& state, std::span<const Light, 3> lights,
                const Attractor& attractor);

    // Ages, culls and draws the particles in index order.
    void draw(const RendererState& state, PuffTarget& target);
};

}  // namespace orvelle
