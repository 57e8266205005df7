#include "renderer/offscreen/frames.h"

#include <GL/osmesa.h>

#include "renderer/gl/api.h"
#include "renderer/gl/view.h"

namespace orvelle {
namespace {

std::unique_ptr<FrameView> newView(const OffscreenOptions& options) {
    if (options.rendering == Rendering::Cpu) return std::make_unique<CpuFrameView>(options.cpu);
    return std::make_unique<GlFrameView>();
}

}  // namespace

OffscreenRenderer::OffscreenRenderer(uint32_t width, uint32_t height, uint32_t seed, uint32_t scene,
                                     const OffscreenOptions& options)
    : width_(width),
      height_(height),
      rendering_(options.rendering),
      buffer_(static_cast<size_t>(width) * height * 4),
      view_(newView(options)),
      core_(*this, *view_, HostSettings{.seed = seed, .firstScene = scene}) {
    if (rendering_ == Rendering::Gl) {
        OSMesaContext context = OSMesaCreateContextExt(OSMESA_RGBA, 0, 0, 0, nullptr);
        if (context == nullptr) return;
        if (!OSMesaMakeCurrent(context, buffer_.data(), GL_UNSIGNED_BYTE,
                               static_cast<GLsizei>(width), static_cast<GLsizei>(height))) {
            OSMesaDestroyContext(context);
            return;
        }
        context_ = context;
    }
    // The scripted clock starts at 0: frameAt's readings are the scene's.
    started_ = core_.start(0);
}

OffscreenRenderer::~OffscreenRenderer() {
    if (rendering_ == Rendering::Cpu || context_ != nullptr) core_.release();
    if (context_ != nullptr) OSMesaDestroyContext(static_cast<OSMesaContext>(context_));
}

void OffscreenRenderer::layout(Layout& layout) {
    const ScreenRect whole{0, 0, static_cast<int32_t>(width_), static_cast<int32_t>(height_)};
    layout.window = whole;
    layout.monitors.assign(1, whole);
}

void OffscreenRenderer::finish() {
    if (rendering_ == Rendering::Gl) {
        glFinish();
    } else {
        static_cast<CpuFrameView&>(*view_).picture();
    }
}

void OffscreenRenderer::present() {
    // One buffer: presenting is finishing the work.
    finish();
}

void OffscreenRenderer::frameAt(uint32_t elapsedMs) {
    lastMs_ = elapsedMs;
    core_.frame(int64_t{elapsedMs} * 1000);
    finish();
}

void OffscreenRenderer::runUntil(uint32_t ms, uint32_t stepMs) {
    for (uint32_t t = lastMs_ + stepMs; t <= ms; t += stepMs) frameAt(t);
}

const std::vector<uint8_t>& OffscreenRenderer::pixels() {
    if (rendering_ == Rendering::Gl) {
        glFinish();
    } else {
        view_->readPixels(buffer_);
    }
    return buffer_;
}

}  // namespace orvelle
