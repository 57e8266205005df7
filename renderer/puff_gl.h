// OpenGL side of the particle draw: uploads the puff atlas, and submits the
// puffs either literally (one matrix push, rotate and immediate-mode quad per
// particle) or batched (corners computed on the CPU into vertex arrays,
// drawn quad by quad). Both give the same pixels; the batch saves the
// per-particle matrix and glBegin/glEnd work.
#pragma once

#include <array>
#include <cstdint>

#include "particles.h"
#include "puff_texture.h"
#include "random.h"

namespace orvelle {

// Builds the atlas and hands it to OpenGL with mipmaps; leaves the texture
// bound with its environment set. Returns the texture name.
uint32_t buildPuffTexture(PuffTexture& puff, RandomGenerator& random);

enum class PuffSubmission { Literal, Batched };

// A column-major 4 x 4 matrix as OpenGL takes it.
using PuffMatrix = std::array<float, 16>;

// The modelview that glTranslatef(x, y, 0), glRotated(angle, 0, 0, 1) and
// glScalef(length, size, 0) make from the identity, computed on the CPU.
PuffMatrix puffMatrix(float centerX, float centerY, double angleDegrees, float length, float size);

class GlPuffTarget final : public PuffTarget {
public:
    GlPuffTarget(PuffTexture& puff, RandomGenerator& random, PuffSubmission submission);
    GlPuffTarget(const GlPuffTarget&) = delete;
    GlPuffTarget& operator=(const GlPuffTarget&) = delete;

    void buildTexture() override;
    void begin() override;
    void quad(const PuffQuad& quad) override;
    void end() override;

    // Gives the texture name back; call while the context is still current.
    void releaseTexture();
    uint32_t textureName() const { return texture_; }

private:
    void literalQuad(const PuffQuad& quad);
    void batchQuad(const PuffQuad& quad);

    static constexpr size_t kMaxQuads = static_cast<size_t>(ParticleSystem::kCount);
    static constexpr size_t kMaxVertices = kMaxQuads * 4;

    PuffTexture& puff_;
    RandomGenerator& random_;
    PuffSubmission submission_;
    uint32_t texture_ = 0;
    size_t quadCount_ = 0;
    std::array<PuffMatrix, kMaxQuads> matrices_{};
    std::array<float, kMaxVertices * 2> positions_{};
    std::array<float, kMaxVertices * 2> texCoords_{};
    std::array<float, kMaxVertices * 4> colors_{};
};

}  // namespace orvelle
