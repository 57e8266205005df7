#include "renderer/webgl/view.h"

#include <GLES3/gl3.h>

#include <cmath>
#include <cstddef>
#include <cstdio>

namespace orvelle {
namespace {

static_assert(sizeof(PuffQuad) == 11 * sizeof(float), "puff records are the instance data");

// gluOrtho2D(-0.5, width + 0.5, -0.5, height + 0.5), as on the hosts.
constexpr const char* kVertexHeader = R"(#version 300 es
uniform vec2 view;
vec4 project(vec2 pixel) {
    return vec4((pixel + 0.5) / (view + 1.0) * 2.0 - 1.0, 0.0, 1.0);
}
)";

// The fixed pipeline clamps vertex colours to [0, 1] before anything else:
// a young puff's brightness above 1 must not reach the texel's product.
constexpr const char* kPlainVertex = R"(
layout(location = 0) in vec2 position;
layout(location = 1) in vec4 colour;
out vec4 shade;
void main() {
    gl_Position = project(position);
    shade = clamp(colour, 0.0, 1.0);
}
)";

// The unit quad of each puff turned by its angle, stretched by its length
// along the motion and by its size across it, at its centre; its tile's
// corners follow the quad's ((-1, -1) samples (u, v)).
constexpr const char* kPuffVertex = R"(
layout(location = 0) in vec2 corner;
layout(location = 1) in vec4 placement;  // centre x, y, angle (degrees), length
layout(location = 2) in vec3 tile;       // size, u, v
layout(location = 3) in vec4 colour;
out vec4 shade;
out vec2 texel;
void main() {
    float angle = radians(placement.z);
    vec2 along = vec2(cos(angle), sin(angle));
    vec2 across = vec2(-along.y, along.x);
    gl_Position = project(placement.xy + along * (corner.x * placement.w) +
                          across * (corner.y * tile.x));
    shade = clamp(colour, 0.0, 1.0);
    texel = tile.yz + (corner + 1.0) * 0.0625;
}
)";

constexpr const char* kFragmentHeader = R"(#version 300 es
precision highp float;
in vec4 shade;
out vec4 fragment;
)";

constexpr const char* kPlainFragment = R"(
void main() { fragment = shade; }
)";

// Modulation: the colour times the texel's luminance, the alpha times its
// alpha (a luminance-alpha texture samples as (L, L, L, A)).
constexpr const char* kPuffFragment = R"(
uniform sampler2D atlas;
in vec2 texel;
void main() {
    vec4 t = texture(atlas, texel);
    fragment = vec4(shade.rgb * t.r, shade.a * t.a);
}
)";

GLuint compile(GLenum type, const char* header, const char* body) {
    const GLuint shader = glCreateShader(type);
    const char* parts[] = {header, body};
    glShaderSource(shader, 2, parts, nullptr);
    glCompileShader(shader);
    GLint compiled = GL_FALSE;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &compiled);
    if (compiled == GL_FALSE) {
        char log[512] = "";
        glGetShaderInfoLog(shader, sizeof log, nullptr, log);
        std::fprintf(stderr, "orvelle: a shader does not compile: %s\n", log);
        glDeleteShader(shader);
        return 0;
    }
    return shader;
}

GLuint link(const char* vertexBody, const char* fragmentBody) {
    const GLuint vertex = compile(GL_VERTEX_SHADER, kVertexHeader, vertexBody);
    const GLuint fragment = compile(GL_FRAGMENT_SHADER, kFragmentHeader, fragmentBody);
    GLuint program = 0;
    if (vertex != 0 && fragment != 0) {
        program = glCreateProgram();
        glAttachShader(program, vertex);
        glAttachShader(program, fragment);
        glLinkProgram(program);
        GLint linked = GL_FALSE;
        glGetProgramiv(program, GL_LINK_STATUS, &linked);
        if (linked == GL_FALSE) {
            glDeleteProgram(program);
            program = 0;
        }
    }
    // Attached shaders go with their program.
    if (vertex != 0) glDeleteShader(vertex);
    if (fragment != 0) glDeleteShader(fragment);
    return program;
}

void floatAttribute(GLuint location, GLint size, GLsizei stride, size_t offset) {
    glEnableVertexAttribArray(location);
    glVertexAttribPointer(location, size, GL_FLOAT, GL_FALSE, stride,
                          reinterpret_cast<const void*>(offset));
}

}  // namespace

void WebGlFrameView::release() {
    // Names of 0 are ignored; names of a context that is lost, too.
    if (plainProgram_ != 0) glDeleteProgram(plainProgram_);
    if (puffProgram_ != 0) glDeleteProgram(puffProgram_);
    const GLuint arrays[] = {plainArray_, puffArray_};
    glDeleteVertexArrays(2, arrays);
    const GLuint buffers[] = {plainBuffer_, cornerBuffer_, puffBuffer_};
    glDeleteBuffers(3, buffers);
    plainProgram_ = puffProgram_ = plainArray_ = puffArray_ = 0;
    plainBuffer_ = cornerBuffer_ = puffBuffer_ = 0;
}

bool WebGlFrameView::start(uint32_t width, uint32_t height) {
    // Whatever an earlier context made is gone with it.
    plainProgram_ = puffProgram_ = plainArray_ = puffArray_ = 0;
    plainBuffer_ = cornerBuffer_ = puffBuffer_ = 0;
    width_ = width;
    height_ = height;
    plainProgram_ = link(kPlainVertex, kPlainFragment);
    if (plainProgram_ == 0) return false;
    puffProgram_ = link(kPuffVertex, kPuffFragment);
    if (puffProgram_ == 0) return false;
    plainView_ = glGetUniformLocation(plainProgram_, "view");
    puffView_ = glGetUniformLocation(puffProgram_, "view");
    glUseProgram(puffProgram_);
    glUniform1i(glGetUniformLocation(puffProgram_, "atlas"), 0);

    GLuint arrays[2];
    glGenVertexArrays(2, arrays);
    plainArray_ = arrays[0];
    puffArray_ = arrays[1];
    GLuint buffers[3];
    glGenBuffers(3, buffers);
    plainBuffer_ = buffers[0];
    cornerBuffer_ = buffers[1];
    puffBuffer_ = buffers[2];

    constexpr auto kStride = static_cast<GLsizei>(kVertexFloats * sizeof(float));
    glBindVertexArray(plainArray_);
    glBindBuffer(GL_ARRAY_BUFFER, plainBuffer_);
    floatAttribute(0, 2, kStride, 0);
    floatAttribute(1, 4, kStride, 2 * sizeof(float));

    // The unit quad's corners as a strip, for every instance; one puff
    // record per instance.
    static constexpr float kCorners[8] = {-1.0f, -1.0f, 1.0f, -1.0f, -1.0f, 1.0f, 1.0f, 1.0f};
    glBindVertexArray(puffArray_);
    glBindBuffer(GL_ARRAY_BUFFER, cornerBuffer_);
    glBufferData(GL_ARRAY_BUFFER, sizeof kCorners, kCorners, GL_STATIC_DRAW);
    floatAttribute(0, 2, 0, 0);
    glBindBuffer(GL_ARRAY_BUFFER, puffBuffer_);
    constexpr auto kPuffStride = static_cast<GLsizei>(sizeof(PuffQuad));
    floatAttribute(1, 4, kPuffStride, offsetof(PuffQuad, centerX));
    floatAttribute(2, 3, kPuffStride, offsetof(PuffQuad, size));
    floatAttribute(3, 4, kPuffStride, offsetof(PuffQuad, color));
    for (GLuint location = 1; location <= 3; ++location) glVertexAttribDivisor(location, 1);
    glBindVertexArray(0);

    glDisable(GL_DEPTH_TEST);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    viewport({0, 0, static_cast<int32_t>(width), static_cast<int32_t>(height)});
    return true;
}

void WebGlFrameView::resize(uint32_t width, uint32_t height) {
    width_ = width;
    height_ = height;
}

void WebGlFrameView::viewport(const ScreenRect& area) {
    const GLsizei height = area.height == 0 ? 1 : area.height;
    glViewport(area.left, area.top, area.width, height);
    glScissor(area.left, area.top, area.width, height);
    glEnable(GL_SCISSOR_TEST);
    const auto w = static_cast<GLfloat>(area.width);
    const auto h = static_cast<GLfloat>(area.height);
    glUseProgram(plainProgram_);
    glUniform2f(plainView_, w, h);
    glUseProgram(puffProgram_);
    glUniform2f(puffView_, w, h);
}

void WebGlFrameView::clear() {
    glDisable(GL_SCISSOR_TEST);
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT);
}

std::unique_ptr<FrameTarget> WebGlFrameView::newTarget() {
    return std::make_unique<WebGlFrameTarget>(*this);
}

bool WebGlFrameView::readPixels(std::vector<uint8_t>& rgba) {
    rgba.resize(static_cast<size_t>(width_) * height_ * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, static_cast<GLsizei>(width_), static_cast<GLsizei>(height_), GL_RGBA,
                 GL_UNSIGNED_BYTE, rgba.data());
    return true;
}

void WebGlFrameView::drawPlain(GLenum mode, const float* vertices, size_t count) {
    glUseProgram(plainProgram_);
    glBindVertexArray(plainArray_);
    glBindBuffer(GL_ARRAY_BUFFER, plainBuffer_);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(count * kVertexFloats * sizeof(float)),
                 vertices, GL_STREAM_DRAW);
    glDrawArrays(mode, 0, static_cast<GLsizei>(count));
}

void WebGlFrameView::drawPuffs(GLuint texture, const PuffQuad* puffs, size_t count) {
    glUseProgram(puffProgram_);
    // Each scene's target has a texture of its own; several share the view.
    glBindTexture(GL_TEXTURE_2D, texture);
    glBindVertexArray(puffArray_);
    glBindBuffer(GL_ARRAY_BUFFER, puffBuffer_);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(count * sizeof(PuffQuad)), puffs,
                 GL_STREAM_DRAW);
    glDrawArraysInstanced(GL_TRIANGLE_STRIP, 0, 4, static_cast<GLsizei>(count));
}

void WebGlFrameTarget::fade(uint32_t viewWidth, uint32_t viewHeight) {
    // Keep three quarters of the picture already there: the glowing trails.
    const float right = static_cast<float>(viewWidth) + 1.0f;
    const float top = static_cast<float>(viewHeight) + 1.0f;
    const float quad[4 * WebGlFrameView::kVertexFloats] = {
        -1.0f, -1.0f, 0.0f, 0.0f, 0.0f, 0.25f, right, -1.0f, 0.0f, 0.0f, 0.0f, 0.25f,
        -1.0f, top,   0.0f, 0.0f, 0.0f, 0.25f, right, top,   0.0f, 0.0f, 0.0f, 0.25f};
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    view_.drawPlain(GL_TRIANGLE_STRIP, quad, 4);
    // Everything after this adds light.
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
}

void WebGlFrameTarget::star(const StarRecord& star) {
    // The upper-left block of the modelview, [a c; b d]: the scale, then each
    // ray turns on from the one before, in single precision as the fixed
    // pipeline multiplies its matrices.
    float a = star.scale, b = 0.0f, c = 0.0f, d = star.scale;
    float* out = starVertices_.data();
    const auto vertex = [&](float x, float y, const Color4& colour) {
        const float v[WebGlFrameView::kVertexFloats] = {star.centerX + a * x + c * y,
                                                        star.centerY + b * x + d * y,
                                                        colour.red,
                                                        colour.green,
                                                        colour.blue,
                                                        colour.alpha};
        for (float f : v) *out++ = f;
    };
    constexpr Color4 kBlack{0.0f, 0.0f, 0.0f, 1.0f};
    const Color4& centre = star.color;
    for (const StarRay& ray : star.rays) {
        const auto radians = static_cast<float>(ray.angleDegrees * 3.14159265358979323846 / 180.0);
        const float cs = std::cos(radians), sn = std::sin(radians);
        const float a2 = a * cs + c * sn, b2 = b * cs + d * sn;
        c = c * cs - a * sn;
        d = d * cs - b * sn;
        a = a2;
        b = b2;
        // The ray's two quads (-3 .. 0 and 0 .. 3 wide, len long), each split
        // from its bottom-left to its top-right corner as Mesa splits a quad
        // strip; the triangle without the centre is black and adds nothing.
        const float len = ray.length;
        vertex(-3.0f, 0.0f, kBlack);
        vertex(0.0f, 0.0f, centre);
        vertex(0.0f, len, kBlack);
        vertex(0.0f, 0.0f, centre);
        vertex(3.0f, 0.0f, kBlack);
        vertex(3.0f, len, kBlack);
        vertex(0.0f, 0.0f, centre);
        vertex(3.0f, len, kBlack);
        vertex(0.0f, len, kBlack);
    }
    view_.drawPlain(GL_TRIANGLES, starVertices_.data(), star.rays.size() * kRayVertices);
}

void WebGlFrameTarget::uploadPuffAtlas(const PuffAtlas& atlas) {
    if (texture_ == 0) glGenTextures(1, &texture_);
    glBindTexture(GL_TEXTURE_2D, texture_);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_LUMINANCE_ALPHA, kAtlasSize, kAtlasSize, 0,
                 GL_LUMINANCE_ALPHA, GL_UNSIGNED_BYTE, atlas.data());
    glGenerateMipmap(GL_TEXTURE_2D);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_NEAREST);
}

void WebGlFrameTarget::beginPuffs() {
    puffCount_ = 0;
}

void WebGlFrameTarget::puff(const PuffQuad& quad) {
    if (puffCount_ < puffs_.size()) puffs_[puffCount_++] = quad;
}

void WebGlFrameTarget::endPuffs() {
    if (puffCount_ != 0) view_.drawPuffs(texture_, puffs_.data(), puffCount_);
    puffCount_ = 0;
}

void WebGlFrameTarget::release() {
    if (texture_ != 0) glDeleteTextures(1, &texture_);
    texture_ = 0;
}

}  // namespace orvelle
