#include "renderer/gl/view.h"

#include <algorithm>
#include <cmath>

#include "renderer/gl/api.h"

namespace orvelle {
namespace {

void loadPixelProjection(uint32_t width, uint32_t height) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluOrtho2D(-0.5, width + 0.5, -0.5, height + 0.5);
    glMatrixMode(GL_MODELVIEW);
}

}  // namespace

bool GlFrameView::start(uint32_t width, uint32_t height) {
    width_ = width;
    height_ = height;
    glDisable(GL_DEPTH_TEST);
    glShadeModel(GL_SMOOTH);
    glEnable(GL_DITHER);
    glDisable(GL_LIGHTING);
    glDisable(GL_CULL_FACE);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    glEnable(GL_BLEND);
    glViewport(0, 0, static_cast<GLsizei>(width), static_cast<GLsizei>(height));
    loadPixelProjection(width, height);
    glLoadIdentity();
    return true;
}

void GlFrameView::resize(uint32_t width, uint32_t height) {
    width_ = width;
    height_ = height;
}

void GlFrameView::viewport(const ScreenRect& area) {
    const GLsizei height = area.height == 0 ? 1 : area.height;
    glViewport(area.left, area.top, area.width, height);
    glScissor(area.left, area.top, area.width, height);
    glEnable(GL_SCISSOR_TEST);
    loadPixelProjection(static_cast<uint32_t>(area.width), static_cast<uint32_t>(area.height));
}

void GlFrameView::clear() {
    // The parts of the window outside every monitor, never seen, stay black too.
    glDisable(GL_SCISSOR_TEST);
    glClear(GL_COLOR_BUFFER_BIT);
}

std::unique_ptr<FrameTarget> GlFrameView::newTarget() {
    return std::make_unique<GlFrameTarget>();
}

bool GlFrameView::readPixels(std::vector<uint8_t>& rgba) {
    rgba.resize(static_cast<size_t>(width_) * height_ * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, static_cast<GLsizei>(width_), static_cast<GLsizei>(height_), GL_RGBA,
                 GL_UNSIGNED_BYTE, rgba.data());
    return true;
}

GlFrameTarget::GlFrameTarget() {
    // The unit quad's corners, the same for every puff: filled once.
    static constexpr float kCorners[8] = {-1.0f, -1.0f, -1.0f, 1.0f, 1.0f, 1.0f, 1.0f, -1.0f};
    for (size_t i = 0; i < positions_.size(); ++i) positions_[i] = kCorners[i % 8];
}

void GlFrameTarget::fade(uint32_t viewWidth, uint32_t viewHeight) {
    // Keep three quarters of the picture already there: the glowing trails.
    // The picture times the rectangle's alpha alone, which is the colours
    // that a black rectangle of alpha 0.25 over it leaves, with no black to
    // blend in.
    glBlendFunc(GL_ZERO, GL_SRC_ALPHA);
    glColor4d(0.0, 0.0, 0.0, 0.75);
    glRectd(-1.0, -1.0, viewWidth + 1.0, viewHeight + 1.0);
    // Everything after this adds light.
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
}

void GlFrameTarget::star(const StarRecord& star) {
    glPushMatrix();
    glTranslatef(star.centerX, star.centerY, 0.0f);
    glScalef(star.scale, star.scale, 0.0f);
    for (const StarRay& ray : star.rays) {
        glRotatef(ray.angleDegrees, 0.0f, 0.0f, 1.0f);
        // Two quads, black at the sides and the tip: only the centre adds light.
        glBegin(GL_QUAD_STRIP);
        glColor4f(0.0f, 0.0f, 0.0f, 1.0f);
        glVertex2f(-3.0f, 0.0f);
        glVertex2f(-3.0f, ray.length);
        glColor4f(star.color.red, star.color.green, star.color.blue, star.color.alpha);
        glVertex2f(0.0f, 0.0f);
        glColor4f(0.0f, 0.0f, 0.0f, 1.0f);
        glVertex2f(0.0f, ray.length);
        glVertex2f(3.0f, 0.0f);
        glVertex2f(3.0f, ray.length);
        glEnd();
    }
    glPopMatrix();
}

namespace {

GLuint newAtlasTexture(GLint minFilter) {
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, minFilter);
    return name;
}

void deleteTexture(uint32_t& texture) {
    if (texture == 0) return;
    GLuint name = texture;
    glDeleteTextures(1, &name);
    texture = 0;
}

}  // namespace

void GlFrameTarget::uploadPuffAtlas(const PuffAtlas& atlas) {
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    largeTexture_ = newAtlasTexture(GL_LINEAR);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_LUMINANCE_ALPHA, kAtlasSize, kAtlasSize, 0,
                 GL_LUMINANCE_ALPHA, GL_UNSIGNED_BYTE, atlas.data());
    texture_ = newAtlasTexture(GL_LINEAR_MIPMAP_NEAREST);
    gluBuild2DMipmaps(GL_TEXTURE_2D, 2, kAtlasSize, kAtlasSize, GL_LUMINANCE_ALPHA,
                      GL_UNSIGNED_BYTE, atlas.data());
    glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
}

void GlFrameTarget::release() {
    deleteTexture(texture_);
    deleteTexture(largeTexture_);
}

namespace {

// The modelview that glTranslatef(x, y, 0), glRotatef(angle, 0, 0, 1) and
// glScalef(length, size, 0) build from the identity, in the pipeline's
// single precision: the translation lands unchanged, the rotation is about
// z, and the scale multiplies the first two columns (and zeroes the third).
// Checked bit for bit against Mesa's own matrices when the batching came in.
PuffMatrix puffMatrix(float centerX, float centerY, float angle, float length, float size) {
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

}  // namespace

void GlFrameTarget::beginPuffs() {
    glEnable(GL_TEXTURE_2D);
    quadCount_ = largeCount_ = smallCount_ = 0;
}

void GlFrameTarget::puff(const PuffQuad& q) {
    if (quadCount_ >= kMaxQuads) return;
    const auto index = static_cast<uint16_t>(quadCount_);
    if (2.0f * std::min(q.size, q.length) >= kLargePuffSize) {
        large_[largeCount_++] = index;
    } else {
        small_[smallCount_++] = index;
    }
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

void GlFrameTarget::drawQuads(const std::array<uint16_t, kMaxQuads>& order, size_t count) {
    for (size_t k = 0; k < count; ++k) {
        const size_t i = order[k];
        glLoadMatrixf(matrices_[i].data());
        glDrawArrays(GL_QUADS, static_cast<GLint>(i * 4), 4);
    }
}

void GlFrameTarget::endPuffs() {
    if (quadCount_ > 0) {
        glEnableClientState(GL_VERTEX_ARRAY);
        glEnableClientState(GL_TEXTURE_COORD_ARRAY);
        glEnableClientState(GL_COLOR_ARRAY);
        glVertexPointer(2, GL_FLOAT, 0, positions_.data());
        glTexCoordPointer(2, GL_FLOAT, 0, texCoords_.data());
        glColorPointer(4, GL_FLOAT, 0, colors_.data());
        glPushMatrix();
        // Each scene's target has textures of its own; several share a context.
        glBindTexture(GL_TEXTURE_2D, largeTexture_);
        drawQuads(large_, largeCount_);
        glBindTexture(GL_TEXTURE_2D, texture_);
        drawQuads(small_, smallCount_);
        glPopMatrix();
        glDisableClientState(GL_COLOR_ARRAY);
        glDisableClientState(GL_TEXTURE_COORD_ARRAY);
        glDisableClientState(GL_VERTEX_ARRAY);
    }
    quadCount_ = largeCount_ = smallCount_ = 0;
    glDisable(GL_TEXTURE_2D);
}

}  // namespace orvelle
