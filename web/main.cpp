// The lights in a web page: the scene's frame step on requestAnimationFrame,
// drawn by the WebGL 2 target into the page's canvas. The canvas fills the
// window; its drawing buffer is the window's size times the device pixel
// ratio, and that is the scene's view. The clock is real time in whole
// milliseconds since the start, as on the hosts; the arrow keys do what they
// do there, and Escape does nothing: a page has nothing to end.
#include <emscripten/emscripten.h>
#include <emscripten/html5.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <memory>

#include "renderer/frame_webgl.h"
#include "renderer/keys.h"
#include "renderer/scene.h"

namespace orvelle {
namespace {

constexpr const char* kCanvas = "#canvas";

// The page's own functions (index.html): the frames per second once a
// second, and the line shown where WebGL 2 is missing.
EM_JS(void, reportFps, (double fps), {
    if (Module.onFps) Module.onFps(fps);
});
EM_JS(void, reportUnsupported, (), {
    if (Module.onUnsupported) Module.onUnsupported();
});

struct Page {
    RendererState state;
    Scene scene;
    WebGlFrameTarget target;
    double started = 0.0;
    double fpsSince = 0.0;
    int frames = 0;
    bool lost = false;  // the context, until the browser gives it back
};

uint32_t virtualKey(const char* domKey) {
    static constexpr struct {
        const char* name;
        uint32_t key;
    } kKeys[] = {{"ArrowLeft", kKeyLeft},
                 {"ArrowUp", kKeyUp},
                 {"ArrowRight", kKeyRight},
                 {"ArrowDown", kKeyDown}};
    for (const auto& k : kKeys) {
        if (std::strcmp(domKey, k.name) == 0) return k.key;
    }
    return 0;
}

EM_BOOL onKeyDown(int, const EmscriptenKeyboardEvent* event, void* page) {
    const uint32_t key = virtualKey(event->key);
    if (key == 0) return EM_FALSE;  // Escape and the rest stay the browser's
    handleArrowKey(static_cast<Page*>(page)->state, key);
    return EM_TRUE;  // an arrow does not scroll
}

// The drawing buffer follows the canvas's size on the screen in device
// pixels: checked every frame, since a new pixel ratio (zoom, another
// monitor) need not come with a resize event.
void followSize(Page& page) {
    double cssWidth = 0.0, cssHeight = 0.0;
    emscripten_get_element_css_size(kCanvas, &cssWidth, &cssHeight);
    const double ratio = emscripten_get_device_pixel_ratio();
    const auto pixels = [ratio](double css) {
        return static_cast<uint32_t>(std::clamp(std::round(css * ratio), 1.0, 16384.0));
    };
    const uint32_t width = pixels(cssWidth), height = pixels(cssHeight);
    if (width == page.state.viewWidth && height == page.state.viewHeight) return;
    emscripten_set_canvas_element_size(kCanvas, static_cast<int>(width), static_cast<int>(height));
    page.state.viewWidth = width;
    page.state.viewHeight = height;
    page.target.resize(width, height);
}

// The browser may take the context back (a device reset, a tab in the
// background); asked for again, it returns empty: everything is made anew
// and the picture starts again from black, while the scene flies on.
EM_BOOL onContextLost(int, const void*, void* data) {
    static_cast<Page*>(data)->lost = true;
    return EM_TRUE;  // asks for it back
}

EM_BOOL onContextRestored(int, const void*, void* data) {
    Page& page = *static_cast<Page*>(data);
    if (!page.target.start()) return EM_TRUE;  // stays lost
    if (!page.scene.particles.textureDirty) page.target.uploadPuffAtlas(page.scene.puffAtlas);
    page.state.viewWidth = page.state.viewHeight = 0;  // the next frame sets the size again
    page.lost = false;
    return EM_TRUE;
}

void frame(void* data) {
    Page& page = *static_cast<Page*>(data);
    if (page.lost) return;
    followSize(page);
    const double now = emscripten_get_now();
    // The low 32 bits of the whole milliseconds, as the hosts' clocks.
    const auto elapsedMs = static_cast<uint32_t>(static_cast<uint64_t>(now - page.started));
    stepFrame(page.state, page.scene, elapsedMs, page.target);
    ++page.frames;
    if (now - page.fpsSince >= 1000.0) {
        reportFps(page.frames * 1000.0 / (now - page.fpsSince));
        page.frames = 0;
        page.fpsSince = now;
    }
}

int run() {
    EmscriptenWebGLContextAttributes attributes;
    emscripten_webgl_init_context_attributes(&attributes);
    attributes.alpha = EM_FALSE;
    attributes.depth = EM_FALSE;
    attributes.stencil = EM_FALSE;
    attributes.antialias = EM_FALSE;
    // The picture is never cleared: each frame fades what the last one left.
    attributes.preserveDrawingBuffer = EM_TRUE;
    attributes.majorVersion = 2;
    attributes.minorVersion = 0;
    // The page lives as long as the loop below, which never returns.
    auto page = std::make_unique<Page>();
    const EMSCRIPTEN_WEBGL_CONTEXT_HANDLE context =
        emscripten_webgl_create_context(kCanvas, &attributes);
    if (context <= 0 ||
        emscripten_webgl_make_context_current(context) != EMSCRIPTEN_RESULT_SUCCESS ||
        !page->target.start()) {
        reportUnsupported();
        return 1;
    }
    initScene(page->scene,
              static_cast<uint32_t>(std::chrono::system_clock::now().time_since_epoch().count()));
    page->state.viewWidth = page->state.viewHeight = 0;  // set by the first followSize
    followSize(*page);
    primeLights(page->state, page->scene);
    page->started = page->fpsSince = emscripten_get_now();
    emscripten_set_keydown_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, page.get(), EM_FALSE,
                                    onKeyDown);
    emscripten_set_webglcontextlost_callback(kCanvas, page.get(), EM_FALSE, onContextLost);
    emscripten_set_webglcontextrestored_callback(kCanvas, page.get(), EM_FALSE, onContextRestored);
    // On requestAnimationFrame; simulating an infinite loop keeps this
    // function's frame, and so the page, alive.
    emscripten_set_main_loop_arg(frame, page.get(), 0, EM_TRUE);
    return 0;
}

}  // namespace
}  // namespace orvelle

int main() {
    return orvelle::run();
}
