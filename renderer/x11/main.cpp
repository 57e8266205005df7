// orvelle: the scene on X11, for XScreenSaver and its users, drawn into a
// window of its own, into a window someone else made (XScreenSaver's, by
// id), or onto the root window; over the whole screen (-root, -fullscreen)
// each monitor shows a flight of its own. It follows the window's size and
// the monitors, never switches the display mode, and ends on Escape, the
// window's close button, its destruction, SIGTERM or SIGINT. The clock,
// the pacing and the scenes are the portable host core's; this program
// keeps the window, the context, the events and the presentation.
#include <X11/Xlib.h>

#include <GL/gl.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "renderer/gl/view.h"
#include "renderer/scene/host_core.h"
#include "renderer/scene/ppm.h"
#include "renderer/x11/gl_context.h"
#include "renderer/x11/options.h"
#include "renderer/x11/window.h"

namespace orvelle {
namespace {

volatile std::sig_atomic_t stopRequested = 0;

void requestStop(int) {
    stopRequested = 1;
}

int64_t steadyMicroseconds() {
    return std::chrono::duration_cast<std::chrono::microseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

int fail(const std::string& why) {
    std::fprintf(stderr, "orvelle: %s\n", why.c_str());
    return 1;
}

// The frames per second in the bottom-left corner of the last monitor
// drawn, in X's "fixed" font; each new figure also on the standard output.
class FpsOverlay {
public:
    void create(Display* display) {
        XFontStruct* font = XLoadQueryFont(display, "fixed");
        if (font == nullptr) return;
        lists_ = glGenLists(96);
        glXUseXFont(font->fid, 32, 96, static_cast<int>(lists_));
        XFreeFont(display, font);
    }
    void draw(const FrameRate& rate) {
        if (rate.fresh()) {
            std::snprintf(text_, sizeof text_, "FPS: %.1f", rate.perSecond());
            std::printf("%s\n", text_);
            std::fflush(stdout);
        }
        if (lists_ == 0) return;
        glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
        glRasterPos2i(8, 8);
        glListBase(lists_ - 32);
        glCallLists(static_cast<GLsizei>(std::strlen(text_)), GL_UNSIGNED_BYTE, text_);
    }

private:
    GLuint lists_ = 0;
    char text_[32] = "FPS: -";
};

// The window's monitors, presented by the context's swap.
class Presentation final : public HostWindow {
public:
    Presentation(X11Window& window, GlxContext& context) : window_(window), context_(context) {}
    void layout(Layout& layout) override {
        layout.window = {0, 0, window_.width(), window_.height()};
        window_.monitors(layout.monitors);
    }
    void present() override { context_.swap(); }

private:
    X11Window& window_;
    GlxContext& context_;
};

int run(const x11::Options& options) {
    X11Window window;
    std::string error;
    if (!window.open(options.target, options.windowId, static_cast<int>(options.width),
                     static_cast<int>(options.height), options.fullscreen, error)) {
        return fail(error);
    }
    GlxContext context;
    if (!context.create(window.display(), window.window(), error)) return fail(error);
    XSync(window.display(), False);
    if (window.lost()) return fail("the window is gone");
    GLint largest[2] = {0, 0};
    glGetIntegerv(GL_MAX_VIEWPORT_DIMS, largest);
    if (window.width() > largest[0] || window.height() > largest[1] ||
        window.width() > static_cast<int>(x11::kMaxSize) ||
        window.height() > static_cast<int>(x11::kMaxSize)) {
        return fail("the window's " + std::to_string(window.width()) + "x" +
                    std::to_string(window.height()) + " is beyond the largest drawable " +
                    std::to_string(std::min<GLint>(largest[0], x11::kMaxSize)) + "x" +
                    std::to_string(std::min<GLint>(largest[1], x11::kMaxSize)));
    }
    HostSettings settings;
    settings.seed = options.seed.value_or(static_cast<uint32_t>(steadyMicroseconds()));
    settings.pacedByDisplay = context.requestSwapPerRefresh();
    settings.refreshHz = window.refreshHz();
    settings.clockStepMs = options.clockStepMs;
    FpsOverlay fps;
    if (options.fps) fps.create(window.display());

    GlFrameView view;
    Presentation presentation(window, context);
    HostCore core(presentation, view, settings);
    if (!core.start(steadyMicroseconds())) return fail("the OpenGL view did not start");
    int status = 0;
    for (bool closed = false; !stopRequested && !closed;) {
        bool gone = false;
        for (X11Window::Event event; (event = window.poll()) != X11Window::Event::Nothing;) {
            closed = closed || event == X11Window::Event::Close;
            gone = gone || event == X11Window::Event::Gone;
            if (event == X11Window::Event::Resized || event == X11Window::Event::Monitors)
                core.layoutChanged();
            if (event == X11Window::Event::Key) core.key(window.key());
        }
        // Its owner destroyed the window (XScreenSaver's end of a saver), or
        // a drawing call on it failed: nothing more to draw in.
        if (gone || window.lost()) {
            std::fprintf(stderr, "orvelle: the window is gone\n");
            break;
        }
        if (closed) break;

        core.frame(steadyMicroseconds());
        if (options.fps) fps.draw(core.rate());
        if (options.snapshotAtMs && core.sceneMs() >= *options.snapshotAtMs) {
            std::vector<uint8_t> rgba;
            const ScreenRect& area = core.layout().window;
            if (!view.readPixels(rgba) ||
                !writePpm(options.snapshotFile.c_str(), rgba, static_cast<uint32_t>(area.width),
                          static_cast<uint32_t>(area.height))) {
                status = fail("the snapshot could not be written to " + options.snapshotFile);
            }
            break;
        }
        context.swap();
        std::this_thread::sleep_until(
            std::chrono::steady_clock::time_point(std::chrono::microseconds(core.nextFrameAt())));
    }
    core.release();
    context.release();
    return status;
}

}  // namespace
}  // namespace orvelle

int main(int argc, char** argv) {
    const std::vector<std::string_view> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    const char* variable = std::getenv("XSCREENSAVER_WINDOW");
    const orvelle::x11::Parsed parsed = orvelle::x11::parseOptions(
        args, variable != nullptr ? std::optional<std::string_view>(variable) : std::nullopt);
    if (!parsed.error.empty()) {
        std::fprintf(stderr, "orvelle: %s\n%s", parsed.error.c_str(),
                     orvelle::x11::usage().c_str());
        return 1;
    }
    if (parsed.options.help) {
        std::fputs(orvelle::x11::usage().c_str(), stdout);
        return 0;
    }
    struct sigaction stop {};
    stop.sa_handler = orvelle::requestStop;
    sigaction(SIGTERM, &stop, nullptr);
    sigaction(SIGINT, &stop, nullptr);
    return orvelle::run(parsed.options);
}
