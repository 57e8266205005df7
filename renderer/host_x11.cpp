// orvelle: the scene on X11, for XScreenSaver and its users. The same frame
// step as on Windows, drawn into a window of its own, into a window someone
// else made (XScreenSaver's, by id), or onto the root window; over the whole
// screen (-root, -fullscreen) each monitor shows a flight of its own. It
// follows the window's size and the monitors, never switches the display
// mode, and ends on Escape, the window's close button, its destruction,
// SIGTERM or SIGINT.
#include <X11/Xlib.h>

#include <GL/gl.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "renderer/glx_context.h"
#include "renderer/monitor_scenes.h"
#include "renderer/ppm.h"
#include "renderer/x11_window.h"

namespace orvelle {
namespace {

volatile std::sig_atomic_t stopRequested = 0;

void requestStop(int) {
    stopRequested = 1;
}

struct Options {
    X11Window::Mode mode = X11Window::Mode::Own;
    unsigned long windowId = 0;
    bool fullscreen = false;
    bool fps = false;
    int width = 1024;
    int height = 768;
    uint32_t seed = 0;
    bool seeded = false;
    uint32_t clockStep = 0;  // 0: the real clock
    uint32_t snapshotAt = 0;
    std::string snapshotFile;
    bool help = false;
};

const char* const kUsage =
    "usage: orvelle [-window-id ID | -root | -window] [-fullscreen] [-geometry WxH] [-fps]\n"
    "               [-seed N] [-clock-step MS] [-snapshot-at MS FILE.ppm] [-h]\n"
    "  -window-id ID   draw into an existing window (decimal or 0x hex); so does\n"
    "                  the XSCREENSAVER_WINDOW environment variable\n"
    "  -root           draw on the root window, or in the window XSCREENSAVER_WINDOW\n"
    "                  names\n"
    "  -window         draw in an own window (the default)\n"
    "  -fullscreen     the own window over the whole screen\n"
    "  -geometry WxH   the own window's size (otherwise 1024x768)\n"
    "  -fps            show the frames per second (and print them every second)\n"
    "  -seed N         the random seed (otherwise the time)\n"
    "  -clock-step MS  advance the scene clock by MS per frame, not in real time\n"
    "  -snapshot-at MS FILE.ppm  write the frame at that clock reading and end\n"
    "  -h, -help       print this text and end\n"
    "Each option may also be written with two dashes.\n";

bool number(const char* text, unsigned long& value) {
    char* end = nullptr;
    value = std::strtoul(text, &end, 0);  // decimal or 0x hex
    return end != text && *end == '\0';
}

bool parse(int argc, char** argv, Options& o) {
    // XScreenSaver names the window it made for its saver here and starts the
    // saver with -root: that window stands in for the root (a virtual root).
    unsigned long virtualRoot = 0;
    if (const char* fromEnvironment = std::getenv("XSCREENSAVER_WINDOW")) {
        if (number(fromEnvironment, virtualRoot) && virtualRoot != 0) {
            o.mode = X11Window::Mode::Existing;
            o.windowId = virtualRoot;
        }
    }
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        // XScreenSaver writes its savers' options with two dashes as well.
        if (a.size() > 2 && a.starts_with("--")) a.erase(0, 1);
        const bool more = i + 1 < argc;
        unsigned long v = 0;
        if (a == "-h" || a == "-help") {
            o.help = true;
        } else if (a == "-window-id" && more && number(argv[i + 1], v)) {
            o.mode = X11Window::Mode::Existing;
            o.windowId = v;
            ++i;
        } else if (a == "-root") {
            o.mode = virtualRoot != 0 ? X11Window::Mode::Existing : X11Window::Mode::Root;
            o.windowId = virtualRoot;
        } else if (a == "-window") {
            o.mode = X11Window::Mode::Own;
        } else if (a == "-fullscreen") {
            o.fullscreen = true;
        } else if (a == "-fps") {
            o.fps = true;
        } else if (a == "-geometry" && more &&
                   std::sscanf(argv[i + 1], "%dx%d", &o.width, &o.height) == 2 && o.width > 0 &&
                   o.height > 0) {
            ++i;
        } else if (a == "-seed" && more && number(argv[i + 1], v)) {
            o.seed = static_cast<uint32_t>(v);
            o.seeded = true;
            ++i;
        } else if (a == "-clock-step" && more && number(argv[i + 1], v) && v > 0) {
            o.clockStep = static_cast<uint32_t>(v);
            ++i;
        } else if (a == "-snapshot-at" && i + 2 < argc && number(argv[i + 1], v)) {
            o.snapshotAt = static_cast<uint32_t>(v);
            o.snapshotFile = argv[i + 2];
            i += 2;
        } else {
            return false;
        }
    }
    return true;
}

// The frames per second in the bottom-left corner of a monitor, in X's
// "fixed" font, and on the standard output once a second.
class FpsOverlay {
public:
    void create(Display* display) {
        XFontStruct* font = XLoadQueryFont(display, "fixed");
        if (font == nullptr) return;
        lists_ = glGenLists(96);
        glXUseXFont(font->fid, 32, 96, static_cast<int>(lists_));
        XFreeFont(display, font);
    }
    void frame(std::chrono::steady_clock::time_point now) {
        ++frames_;
        const double seconds = std::chrono::duration<double>(now - since_).count();
        if (seconds >= 1.0) {
            std::snprintf(text_, sizeof text_, "FPS: %.1f", frames_ / seconds);
            std::printf("%s\n", text_);
            std::fflush(stdout);
            frames_ = 0;
            since_ = now;
        }
        if (lists_ == 0) return;
        glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
        glRasterPos2i(8, 8);
        glListBase(lists_ - 32);
        glCallLists(static_cast<GLsizei>(std::strlen(text_)), GL_UNSIGNED_BYTE, text_);
    }

private:
    GLuint lists_ = 0;
    int frames_ = 0;
    std::chrono::steady_clock::time_point since_ = std::chrono::steady_clock::now();
    char text_[32] = "FPS: -";
};

bool writeSnapshot(const std::string& file, int width, int height) {
    std::vector<uint8_t> rgba(static_cast<size_t>(width) * static_cast<size_t>(height) * 4);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    return writePpm(file.c_str(), rgba, static_cast<uint32_t>(width),
                    static_cast<uint32_t>(height));
}

int run(const Options& options) {
    X11Window window;
    std::string error;
    if (!window.open(options.mode, options.windowId, options.width, options.height,
                     options.fullscreen, error)) {
        std::fprintf(stderr, "orvelle: %s\n", error.c_str());
        return 1;
    }
    GlxContext context;
    if (!context.create(window.display(), window.window(), error)) {
        std::fprintf(stderr, "orvelle: %s\n", error.c_str());
        return 1;
    }
    const bool paced = context.requestSwapPerRefresh();
    FpsOverlay fps;
    if (options.fps) fps.create(window.display());

    const auto started = std::chrono::steady_clock::now();
    MonitorScenes scenes(
        options.seeded ? options.seed : static_cast<uint32_t>(started.time_since_epoch().count()));
    const auto layout = [&](uint32_t ms) {
        const ScreenRect whole{0, 0, window.width(), window.height()};
        scenes.setLayout(whole, window.monitors(), ms, [&] { context.swap(); });
    };
    layout(0);
    // Where the driver gives no frame per refresh, no more than 240 frames a
    // second either: never the card flat out.
    const auto shortest = std::chrono::microseconds(paced ? 0 : 4167);
    uint32_t frame = 0;
    int status = 0;
    bool ended = false, changed = false;
    while (!stopRequested && !ended) {
        for (X11Window::Event event; (event = window.poll()) != X11Window::Event::Nothing;) {
            ended = ended || event == X11Window::Event::Close || event == X11Window::Event::Gone;
            changed = changed || event == X11Window::Event::Resized ||
                      event == X11Window::Event::Monitors;
            if (event == X11Window::Event::Key) scenes.arrowKey(window.key());
        }
        if (ended || window.lost()) break;  // drawing on a window that is gone

        const auto now = std::chrono::steady_clock::now();
        const uint32_t ms =
            options.clockStep != 0
                ? ++frame * options.clockStep
                : static_cast<uint32_t>(
                      std::chrono::duration_cast<std::chrono::milliseconds>(now - started).count());
        if (std::exchange(changed, false)) layout(ms);
        scenes.frame(ms);
        if (options.fps) fps.frame(now);
        if (!options.snapshotFile.empty() && ms >= options.snapshotAt) {
            if (!writeSnapshot(options.snapshotFile, window.width(), window.height())) status = 1;
            break;
        }
        context.swap();
        std::this_thread::sleep_until(now + shortest);
    }
    scenes.releaseGl();
    context.release();
    return status;
}

}  // namespace
}  // namespace orvelle

int main(int argc, char** argv) {
    orvelle::Options options;
    if (!orvelle::parse(argc, argv, options)) {
        std::fputs(orvelle::kUsage, stderr);
        return 1;
    }
    if (options.help) {
        std::fputs(orvelle::kUsage, stdout);
        return 0;
    }
    struct sigaction stop {};
    stop.sa_handler = orvelle::requestStop;
    sigaction(SIGTERM, &stop, nullptr);
    sigaction(SIGINT, &stop, nullptr);
    return orvelle::run(options);
}
