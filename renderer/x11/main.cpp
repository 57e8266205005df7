// orvelle: the scene on X11, for XScreenSaver and its users, drawn into a
// window of its own, into a window someone else made (XScreenSaver's, by
// id), or onto the root window; over the whole screen (-root, -fullscreen)
// each monitor shows a flight of its own. It follows the window's size and
// the monitors, never switches the display mode, and ends on Escape, the
// window's close button, its destruction, SIGTERM or SIGINT. The clock,
// the pacing and the scenes are the portable host core's; this program
// keeps the window, the context, the events and the presentation. Where
// OpenGL draws in software (llvmpipe and the like) or ORVELLE_RENDERING=cpu
// says so, the processor backend draws and the picture is put into the
// window as an image, a frame per display refresh.
#include <X11/Xlib.h>

#include <GL/gl.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "renderer/cpu/choice.h"
#include "renderer/cpu/view.h"
#include "renderer/gl/view.h"
#include "renderer/scene/host_core.h"
#include "renderer/scene/ppm.h"
#include "renderer/x11/gl_context.h"
#include "renderer/x11/image.h"
#include "renderer/x11/options.h"
#include "renderer/x11/presentation.h"
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

// Frames until the window closes or ends, a signal, or the snapshot.
int loop(X11Window& window, HostCore& core, FrameView& view, Presentation& presentation,
         const x11::Options& options) {
    FpsFigure fps;
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
        if (options.fps) {
            fps.update(core.rate());
            presentation.overlay = fps.text();
        }
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
        presentation.present();
        std::this_thread::sleep_until(
            std::chrono::steady_clock::time_point(std::chrono::microseconds(core.nextFrameAt())));
    }
    core.release();
    return status;
}

std::string sizeText(int width, int height) {
    return std::to_string(width) + "x" + std::to_string(height);
}

int runGl(X11Window& window, GlxContext& context, HostSettings settings,
          const x11::Options& options) {
    GLint largest[2] = {0, 0};
    glGetIntegerv(GL_MAX_VIEWPORT_DIMS, largest);
    if (window.width() > largest[0] || window.height() > largest[1] ||
        window.width() > static_cast<int>(x11::kMaxSize) ||
        window.height() > static_cast<int>(x11::kMaxSize)) {
        return fail("the window's " + sizeText(window.width(), window.height()) +
                    " is beyond the largest drawable " +
                    sizeText(std::min<GLint>(largest[0], x11::kMaxSize),
                             std::min<GLint>(largest[1], x11::kMaxSize)));
    }
    settings.pacedByDisplay = context.requestSwapPerRefresh();
    GlFrameView view;
    GlPresentation presentation(window, context, options.fps);
    HostCore core(presentation, view, settings);
    if (!core.start(steadyMicroseconds())) return fail("the OpenGL view did not start");
    const int status = loop(window, core, view, presentation, options);
    context.release();
    return status;
}

int runCpu(X11Window& window, HostSettings settings, const x11::Options& options) {
    const int largest = static_cast<int>(std::min(x11::kMaxSize, CpuFrameView::kMaxSide));
    if (window.width() > largest || window.height() > largest) {
        return fail("the window's " + sizeText(window.width(), window.height()) +
                    " is beyond the largest picture " + sizeText(largest, largest));
    }
    std::string error;
    X11Image image;
    if (!image.create(window.display(), window.window(), error)) return fail(error);
    // Shown as soon as drawn: the core paces the frames at the refresh.
    settings.pacedByDisplay = false;
    CpuFrameView view;
    ImagePresentation presentation(window, image, view);
    HostCore core(presentation, view, settings);
    if (!core.start(steadyMicroseconds())) {
        return fail("no memory for a picture of " + sizeText(window.width(), window.height()));
    }
    return loop(window, core, view, presentation, options);
}

int run(const x11::Options& options) {
    const char* variable = std::getenv(kRenderingVariable);
    const std::optional<std::string_view> asked =
        variable != nullptr ? std::optional<std::string_view>(variable) : std::nullopt;
    const RenderingRequest request = renderingRequested(asked);
    if (!request.understood) {
        std::fprintf(stderr,
                     "orvelle: %s is neither cpu nor gl: \"%s\"; chosen by OpenGL's renderer\n",
                     kRenderingVariable, variable);
    }
    // OpenGL is asked for unless the processor is: its renderer's name
    // decides where the variable does not.
    bool openGl = request.rendering != Rendering::Cpu;
    std::string error;
    auto window = std::make_unique<X11Window>();
    if (!window->open(options.target, options.windowId, static_cast<int>(options.width),
                      static_cast<int>(options.height), options.fullscreen, openGl, error)) {
        if (request.rendering || !openGl) return fail(error);
        // No visual for OpenGL on this display: the processor draws.
        window = std::make_unique<X11Window>();
        openGl = false;
        if (!window->open(options.target, options.windowId, static_cast<int>(options.width),
                          static_cast<int>(options.height), options.fullscreen, false, error)) {
            return fail(error);
        }
    }
    GlxContext context;
    Rendering rendering = Rendering::Cpu;
    if (openGl) {
        if (context.create(window->display(), window->window(), error)) {
            const auto* name = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
            rendering = chooseRendering(asked, name != nullptr ? name : "", false);
            if (rendering == Rendering::Cpu) context.release();
        } else if (request.rendering == Rendering::Gl || window->lost()) {
            return fail(error);
        }
    }
    XSync(window->display(), False);
    if (window->lost()) return fail("the window is gone");

    HostSettings settings;
    settings.seed = options.seed.value_or(static_cast<uint32_t>(steadyMicroseconds()));
    settings.refreshHz = window->refreshHz();
    settings.clockStepMs = options.clockStepMs;
    return rendering == Rendering::Gl ? runGl(*window, context, settings, options)
                                      : runCpu(*window, settings, options);
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
