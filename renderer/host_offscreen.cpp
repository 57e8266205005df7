#include "host_offscreen.h"

#include <GL/osmesa.h>

#include <cstdio>

#include "clock.h"
#include "frame_gl.h"
#include "gl_api.h"

namespace orvelle {

OffscreenRenderer::OffscreenRenderer(uint32_t width, uint32_t height, uint32_t seed,
                                     PuffSubmission submission)
    : width_(width),
      height_(height),
      buffer_(static_cast<size_t>(width) * height * 4),
      scene_(std::make_unique<Scene>()) {
    puffs_ = std::make_unique<GlPuffTarget>(scene_->puff, scene_->random, submission);
    OSMesaContext context = OSMesaCreateContextExt(OSMESA_RGBA, 0, 0, 0, nullptr);
    if (context == nullptr) return;
    if (!OSMesaMakeCurrent(context, buffer_.data(), GL_UNSIGNED_BYTE, static_cast<GLsizei>(width),
                           static_cast<GLsizei>(height))) {
        OSMesaDestroyContext(context);
        return;
    }
    context_ = context;
    initScene(*scene_, seed);
    state_.viewWidth = width;
    state_.viewHeight = height;
    state_.screenWidth = static_cast<int32_t>(width);
    state_.screenHeight = static_cast<int32_t>(height);
    // One buffer: presenting is finishing the work.
    setupGL(state_, *scene_, [] { glFinish(); });
}

OffscreenRenderer::~OffscreenRenderer() {
    if (context_ != nullptr) {
        puffs_->releaseTexture();
        OSMesaDestroyContext(static_cast<OSMesaContext>(context_));
    }
}

void OffscreenRenderer::frameAt(uint32_t elapsedMs) {
    state_.elapsedMs = elapsedMs;
    renderFrame(state_, *scene_, *puffs_);
    glFinish();
    growMotionSpeed(state_);
}

void OffscreenRenderer::runUntil(uint32_t ms, uint32_t stepMs) {
    for (uint32_t t = state_.elapsedMs + stepMs; t <= ms; t += stepMs) frameAt(t);
}

void OffscreenRenderer::simulateUntil(uint32_t ms, uint32_t stepMs) {
    simulateScene(state_, *scene_, ms, stepMs);
}

const std::vector<uint8_t>& OffscreenRenderer::pixels() {
    glFinish();
    return buffer_;
}

uint32_t OffscreenRenderer::pixelAt(uint32_t x, uint32_t y) {
    const auto& p = pixels();
    const size_t at = (static_cast<size_t>(y) * width_ + x) * 4;
    return (uint32_t{p[at]} << 16) | (uint32_t{p[at + 1]} << 8) | p[at + 2];
}

bool writePpm(const char* path, const std::vector<uint8_t>& rgba, uint32_t width, uint32_t height) {
    FILE* f = std::fopen(path, "wb");
    if (f == nullptr) return false;
    std::fprintf(f, "P6\n%u %u\n255\n", width, height);
    std::vector<uint8_t> row(static_cast<size_t>(width) * 3);
    for (uint32_t y = height; y-- > 0;) {
        for (uint32_t x = 0; x < width; ++x) {
            const size_t at = (static_cast<size_t>(y) * width + x) * 4;
            row[x * 3] = rgba[at];
            row[x * 3 + 1] = rgba[at + 1];
            row[x * 3 + 2] = rgba[at + 2];
        }
        std::fwrite(row.data(), 1, row.size(), f);
    }
    return std::fclose(f) == 0;
}

}  // namespace orvelle
