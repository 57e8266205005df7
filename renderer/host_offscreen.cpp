#include "host_offscreen.h"

#include <GL/osmesa.h>

#include "gl_api.h"

namespace orvelle {

OffscreenRenderer::OffscreenRenderer(uint32_t width, uint32_t height, uint32_t seed,
                                     float pathTimeOffset)
    : width_(width),
      height_(height),
      buffer_(static_cast<size_t>(width) * height * 4),
      renderer_(std::make_unique<SceneRenderer>(seed)) {
    OSMesaContext context = OSMesaCreateContextExt(OSMESA_RGBA, 0, 0, 0, nullptr);
    if (context == nullptr) return;
    if (!OSMesaMakeCurrent(context, buffer_.data(), GL_UNSIGNED_BYTE, static_cast<GLsizei>(width),
                           static_cast<GLsizei>(height))) {
        OSMesaDestroyContext(context);
        return;
    }
    context_ = context;
    // One buffer: presenting is finishing the work.
    renderer_->state.pathTimeOffset = pathTimeOffset;
    renderer_->start(width, height, [] { glFinish(); });
}

OffscreenRenderer::~OffscreenRenderer() {
    if (context_ != nullptr) {
        renderer_->releaseGl();
        OSMesaDestroyContext(static_cast<OSMesaContext>(context_));
    }
}

void OffscreenRenderer::frameAt(uint32_t elapsedMs) {
    lastMs_ = elapsedMs;
    renderer_->frame(elapsedMs);
    glFinish();
}

void OffscreenRenderer::runUntil(uint32_t ms, uint32_t stepMs) {
    for (uint32_t t = lastMs_ + stepMs; t <= ms; t += stepMs) frameAt(t);
}

const std::vector<uint8_t>& OffscreenRenderer::pixels() {
    glFinish();
    return buffer_;
}

}  // namespace orvelle
