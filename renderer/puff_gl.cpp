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

GlPuffTarget::GlPuffTarget(PuffTexture& puff, RandomGenerator& random, PuffSubmission submission)
    : puff_(puff), random_(random), submission_(submission) {
    // The unit quad's corners, the same for every puff: filled once.
    static constexpr float kCorners[8] = {-1.0f, -1.0f, -1.0f, 1.0f, 1.0f, 1.0f, 1.0f, -1.0f};
    for (size_t i = 0; i < positions_.size(); ++i) positions_[i] = kCorners[i % 8];
}

void GlPuffTarget::buildTexture() {
    texture_ = buildPuffTexture(puff_, random_);
}

void GlPuffTarget::releaseTexture() {
    if (texture_ != 0) {
        GLuint name = texture_;
        glDeleteTextures(1, &name);
        texture_ = 0;
    }
}

void GlPuffTarget::begin() {
    glEnable(GL_TEXTURE_2D);
    quadCount_ = 0;
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

PuffMatrix puffMatrix(float centerX, float centerY, double angleDegrees, float length, float size) {
    // What glTranslatef, glRotated and glScalef build from the identity, in
    // the pipeline's single precision: the translation lands unchanged, the
    // rotation about z is taken from the angle as a float, and the scale
    // multiplies the first two columns (and zeroes the third).
    const float angle = static_cast<float>(angleDegrees);
    const float s = std::sin(static_cast<float>(angle * 3.14159265358979323846 / 180.0));
    const float c = std::cos(static_cast<float>(angle * 3.14159265358979323846 / 180.0));
    PuffMatrix m{};
    m[0] = c * length;
    m[1] = s * length;
    m[4] = -s * size;
    m[5] = c * size;
    m[12] = centerX;
    m[13] = centerY;
    m[15] = 1.0f;
    return m;
}

void GlPuffTarget::batchQuad(const PuffQuad& q) {
    if (quadCount_ >= static_cast<size_t>(ParticleSystem::kCount)) return;
    matrices_[quadCount_] = puffMatrix(q.centerX, q.centerY, q.angleDegrees, q.length, q.size);
    const float tu[4] = {q.u, q.u, q.u + 0.125f, q.u + 0.125f};
    const float tv[4] = {q.v, q.v + 0.125f, q.v + 0.125f, q.v};
    for (size_t k = 0; k < 4; ++k) {
        const size_t i = quadCount_ * 4 + k;
        texCoords_[i * 2] = tu[k];
        texCoords_[i * 2 + 1] = tv[k];
        colors_[i * 4] = q.color.red;
        colors_[i * 4 + 1] = q.color.green;
        colors_[i * 4 + 2] = q.color.blue;
        colors_[i * 4 + 3] = q.color.alpha;
    }
    ++quadCount_;
}

void GlPuffTarget::end() {
    if (submission_ == PuffSubmission::Batched && quadCount_ > 0) {
        // Each puff's matrix is loaded as the modelview over the unit quad's
        // corners, so the pipeline transforms exactly as for the literal
        // submission.
        glEnableClientState(GL_VERTEX_ARRAY);
        glEnableClientState(GL_TEXTURE_COORD_ARRAY);
        glEnableClientState(GL_COLOR_ARRAY);
        glVertexPointer(2, GL_FLOAT, 0, positions_.data());
        glTexCoordPointer(2, GL_FLOAT, 0, texCoords_.data());
        glColorPointer(4, GL_FLOAT, 0, colors_.data());
        glPushMatrix();
        for (size_t i = 0; i < quadCount_; ++i) {
            glLoadMatrixf(matrices_[i].data());
            glDrawArrays(GL_QUADS, static_cast<GLint>(i * 4), 4);
        }
        glPopMatrix();
        glDisableClientState(GL_COLOR_ARRAY);
        glDisableClientState(GL_TEXTURE_COORD_ARRAY);
        glDisableClientState(GL_VERTEX_ARRAY);
    }
    quadCount_ = 0;
    glDisable(GL_TEXTURE_2D);
}

}  // namespace orvelle
