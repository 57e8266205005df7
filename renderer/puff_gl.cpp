#include "puff_gl.h"

#include <cmath>

#include "gl_api.h"

namespace orvelle {

uint32_t buildPuffTexture(PuffTexture& puff, RandomGenerator& random) {
    puff.buildAtlas(random);
    GLuint name = 0;
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_NEAREST);
    gluBuild2DMipmaps(GL_TEXTURE_2D, 2, PuffTexture::kAtlasSize, PuffTexture::kAtlasSize,
                      GL_LUMINANCE_ALPHA, GL_UNSIGNED_BYTE, puff.puffAtlas.data());
    glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    return name;
}

void GlPuffTarget::buildTexture() { texture_ = buildPuffTexture(puff_, random_); }

void GlPuffTarget::releaseTexture() {
    if (texture_ != 0) {
        GLuint name = texture_;
        glDeleteTextures(1, &name);
        texture_ = 0;
    }
}

void GlPuffTarget::begin() {
    glEnable(GL_TEXTURE_2D);
    vertexCount_ = 0;
}

void GlPuffTarget::quad(const PuffQuad& quad) {
    if (submission_ == PuffSubmission::Literal) {
        literalQuad(quad);
    } else {
        batchQuad(quad);
    }
}

void GlPuffTarget::literalQuad(const PuffQuad& q) {
    glPushMatrix();
    glTranslatef(q.centerX, q.centerY, 0.0f);
    glRotated(q.angleDegrees, 0.0, 0.0, 1.0);
    glScalef(q.length, q.size, 0.0f);
    glBegin(GL_QUADS);
    glColor4f(q.color.red, q.color.green, q.color.blue, q.color.alpha);
    glTexCoord2f(q.u, q.v);
    glVertex2f(-1.0f, -1.0f);
    glTexCoord2f(q.u, q.v + 0.125f);
    glVertex2f(-1.0f, 1.0f);
    glTexCoord2f(q.u + 0.125f, q.v + 0.125f);
    glVertex2f(1.0f, 1.0f);
    glTexCoord2f(q.u + 0.125f, q.v);
    glVertex2f(1.0f, -1.0f);
    glEnd();
    glPopMatrix();
}

void GlPuffTarget::batchQuad(const PuffQuad& q) {
    if (vertexCount_ + 4 > kMaxVertices) return;
    // The modelview that translate, rotate and scale would build, with the
    // rotation taken in single precision as the pipeline takes it.
    const float angle = static_cast<float>(q.angleDegrees);
    const float radians = static_cast<float>(angle * 3.14159265358979323846 / 180.0);
    const float s = std::sin(radians);
    const float c = std::cos(radians);
    const float m00 = c * q.length, m01 = -s * q.size;
    const float m10 = s * q.length, m11 = c * q.size;

    static constexpr float kCornerX[4] = {-1.0f, -1.0f, 1.0f, 1.0f};
    static constexpr float kCornerY[4] = {-1.0f, 1.0f, 1.0f, -1.0f};
    const float tu[4] = {q.u, q.u, q.u + 0.125f, q.u + 0.125f};
    const float tv[4] = {q.v, q.v + 0.125f, q.v + 0.125f, q.v};
    for (size_t k = 0; k < 4; ++k) {
        const size_t i = vertexCount_ + k;
        positions_[i * 2] = m00 * kCornerX[k] + m01 * kCornerY[k] + q.centerX;
        positions_[i * 2 + 1] = m10 * kCornerX[k] + m11 * kCornerY[k] + q.centerY;
        texCoords_[i * 2] = tu[k];
        texCoords_[i * 2 + 1] = tv[k];
        colors_[i * 4] = q.color.red;
        colors_[i * 4 + 1] = q.color.green;
        colors_[i * 4 + 2] = q.color.blue;
        colors_[i * 4 + 3] = q.color.alpha;
    }
    vertexCount_ += 4;
}

void GlPuffTarget::end() {
    if (submission_ == PuffSubmission::Batched && vertexCount_ > 0) {
        glEnableClientState(GL_VERTEX_ARRAY);
        glEnableClientState(GL_TEXTURE_COORD_ARRAY);
        glEnableClientState(GL_COLOR_ARRAY);
        glVertexPointer(2, GL_FLOAT, 0, positions_.data());
        glTexCoordPointer(2, GL_FLOAT, 0, texCoords_.data());
        glColorPointer(4, GL_FLOAT, 0, colors_.data());
        // One draw per quad: the rasteriser's rounding depends on how quads
        // are grouped, and one call per quad keeps the literal pixels.
        for (size_t first = 0; first < vertexCount_; first += 4) {
            glDrawArrays(GL_QUADS, static_cast<GLint>(first), 4);
        }
        glDisableClientState(GL_COLOR_ARRAY);
        glDisableClientState(GL_TEXTURE_COORD_ARRAY);
        glDisableClientState(GL_VERTEX_ARRAY);
        // The colour array leaves the current colour undefined; nothing after
        // the particles relies on it, the fade sets its own.
    }
    vertexCount_ = 0;
    glDisable(GL_TEXTURE_2D);
}

}  // namespace orvelle
