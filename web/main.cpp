// The lights in a web page: the host core's frame on requestAnimationFrame,
// drawn by the WebGL 2 view into the page's canvas. The canvas fills the
// window; its drawing buffer is the window's size times the device pixel
// ratio, and that is the one monitor. The clock is real time, as in the
// programs; the arrow keys do what they do there, and Escape does nothing:
// a page has nothing to end.
#include <emscripten/emscripten.h>
#include <emscripten/html5.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <memory>

#include "renderer/scene/host_core.h"
#include "renderer/scene/keys.h"
#include "renderer/webgl/view.h"

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

int64_t nowMicroseconds() {
    return static_cast<int64_t>(emscripten_get_now() * 1000.0);
}

// The canvas as the one monitor. Its drawing buffer follows the canvas's
// size on the screen in device pixels.
class Page final : public HostWindow {
public:
    explicit Page(const HostSettings& settings) : core(*this, view, settings) {}

    void layout(Layout& layout) override {
        double cssWidth = 0.0, cssHeight = 0.0;
        emscripten_get_element_css_size(kCanvas, &cssWidth, &cssHeight);
        const double ratio = emscripten_get_device_pixel_ratio();
        const auto pixels = [ratio](double css) {
            return static_cast<int32_t>(std::clamp(std::round(css * ratio), 1.0, 16384.0));
        };
        const ScreenRect canvas{0, 0, pixels(cssWidth), pixels(cssHeight)};
        if (canvas != layout.window) {
            emscripten_set_canvas_element_size(kCanvas, canvas.width, canvas.height);
        }
        layout.window = canvas;
        layout.monitors.assign(1, canvas);
    }
    // The browser shows the canvas when the frame's callback returns.
    void present() override {}

    WebGlFrameView view;
    HostCore core;
    bool lost = false;  // the context, until the browser gives it back
};

uint32_t virtualKey(const char* domKey) {
    static constexpr struct {
        const char* name;
        uint32_t key;
    } kKeys[] = {{"ArrowLeft", keys::kLeft},
                 {"ArrowUp", keys::kUp},
                 {"ArrowRight", keys::kRight},
                 {"ArrowDown", keys::kDown}};
    for (const auto& k : kKeys) {
        if (std::strcmp(domKey, k.name) == 0) return k.key;
    }
    return 0;
}

EM_BOOL onKeyDown(int, const EmscriptenKeyboardEvent* event, void* page) {
    const uint32_t key = virtualKey(event->key);
    if (key == 0) return EM_FALSE;  // Escape and the rest stay the browser's
    static_cast<Page*>(page)->core.key(key);
    return EM_TRUE;  // an arrow does not scroll
}

// The browser may take the context back (a device reset, a tab in the
// background); asked for again, it returns empty: everything is made anew
// and the picture starts again from black, while the scenes fly on.
EM_BOOL onContextLost(int, const void*, void* data) {
    static_cast<Page*>(data)->lost = true;
    return EM_TRUE;  // asks for it back
}

EM_BOOL onContextRestored(int, const void*, void* data) {
    Page& page = *static_cast<Page*>(data);
    page.lost = !page.core.restartView();
    return EM_TRUE;
}

void frame(void* data) {
    Page& page = *static_cast<Page*>(data);
    if (page.lost) return;
    // A new pixel ratio (zoom, another monitor) need not come with a resize
    // event: the canvas is looked at every frame, which costs a size query.
    page.core.layoutChanged();
    page.core.frame(nowMicroseconds());
    if (page.core.rate().fresh()) reportFps(page.core.rate().perSecond());
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
    HostSettings settings;
    settings.seed =
        static_cast<uint32_t>(std::chrono::system_clock::now().time_since_epoch().count());
    settings.pacedByDisplay = true;  // requestAnimationFrame
    // The page lives as long as the loop below, which never returns.
    auto page = std::make_unique<Page>(settings);
    const EMSCRIPTEN_WEBGL_CONTEXT_HANDLE context =
        emscripten_webgl_create_context(kCanvas, &attributes);
    if (context <= 0 ||
        emscripten_webgl_make_context_current(context) != EMSCRIPTEN_RESULT_SUCCESS ||
        !page->core.start(nowMicroseconds())) {
        reportUnsupported();
        return 1;
    }
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
