#include "renderer/x11/window.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xrandr.h>

#include <GL/glx.h>

#include <atomic>
#include <cstdio>
#include <utility>

#include "renderer/scene/keys.h"

namespace orvelle {
namespace {

// X reports errors asynchronously through one process-wide handler (the
// default one would end the program at once): the window's end shows up as
// BadWindow or BadDrawable, or as any error about the window itself (an
// OpenGL extension's own error codes included).
std::atomic<bool> windowErrors{false};
std::atomic<unsigned long> watched{0};

int recordError(Display*, XErrorEvent* event) {
    if (event->error_code == BadWindow || event->error_code == BadDrawable ||
        event->error_code == BadMatch || (watched != 0 && event->resourceid == watched)) {
        windowErrors = true;
    }
    return 0;
}

std::string windowName(unsigned long id) {
    char text[32];
    std::snprintf(text, sizeof text, "0x%lx", id);
    return std::string("window ") + text;
}

}  // namespace

X11Window::~X11Window() {
    if (display_ == nullptr) return;
    if (own_ && window_ != 0) XDestroyWindow(display_, window_);
    XCloseDisplay(display_);
}

bool X11Window::open(x11::Target mode, unsigned long existing, int width, int height,
                     bool fullscreen, bool openGl, std::string& error) {
    display_ = XOpenDisplay(nullptr);
    if (display_ == nullptr) {
        error = "cannot open the X display";
        return false;
    }
    XSetErrorHandler(recordError);
    const int screen = DefaultScreen(display_);
    if (mode == x11::Target::Root) existing = RootWindow(display_, screen);
    if (mode != x11::Target::Own) {
        windowErrors = false;
        XWindowAttributes attributes{};
        const Status found = XGetWindowAttributes(display_, existing, &attributes);
        XSync(display_, False);
        if (!found || windowErrors) {
            error = windowName(existing) + " does not exist";
            return false;
        }
        if (attributes.c_class == InputOnly) {
            error = windowName(existing) + " is input-only: nothing can be drawn in it";
            return false;
        }
        window_ = existing;
        watched = existing;
        width_ = attributes.width;
        height_ = attributes.height;
        // Its size changes and its end reach us; its keys are its owner's.
        XSelectInput(display_, window_, StructureNotifyMask);
        if (mode == x11::Target::Root) followMonitors();
        return true;
    }

    // Our own window, with a visual OpenGL can draw on double-buffered,
    // or the screen's own for a picture from memory.
    int attributes[] = {
        GLX_RGBA, GLX_DOUBLEBUFFER, GLX_RED_SIZE, 8, GLX_GREEN_SIZE, 8, GLX_BLUE_SIZE, 8, None};
    XVisualInfo* visual = nullptr;
    if (openGl) {
        visual = glXChooseVisual(display_, screen, attributes);
    } else {
        XVisualInfo wanted{};
        wanted.visualid = XVisualIDFromVisual(DefaultVisual(display_, screen));
        int count = 0;
        visual = XGetVisualInfo(display_, VisualIDMask, &wanted, &count);
    }
    if (visual == nullptr) {
        error = openGl ? "no double-buffered RGBA visual for OpenGL" : "no visual for the screen";
        return false;
    }
    if (fullscreen) {
        width = DisplayWidth(display_, screen);
        height = DisplayHeight(display_, screen);
    }
    XSetWindowAttributes set{};
    set.colormap =
        XCreateColormap(display_, RootWindow(display_, screen), visual->visual, AllocNone);
    set.background_pixel = BlackPixel(display_, screen);
    set.border_pixel = 0;
    set.event_mask = StructureNotifyMask | KeyPressMask | ExposureMask;
    window_ =
        XCreateWindow(display_, RootWindow(display_, screen), 0, 0, static_cast<unsigned>(width),
                      static_cast<unsigned>(height), 0, visual->depth, InputOutput, visual->visual,
                      CWColormap | CWBackPixel | CWBorderPixel | CWEventMask, &set);
    XFree(visual);
    own_ = true;
    watched = window_;
    width_ = width;
    height_ = height;
    XStoreName(display_, window_, "Orvelle");
    deleteWindow_ = XInternAtom(display_, "WM_DELETE_WINDOW", False);
    XSetWMProtocols(display_, window_, &deleteWindow_, 1);
    if (fullscreen) {
        const Atom state = XInternAtom(display_, "_NET_WM_STATE", False);
        const Atom full = XInternAtom(display_, "_NET_WM_STATE_FULLSCREEN", False);
        XChangeProperty(display_, window_, state, XA_ATOM, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(&full), 1);
    }
    XMapRaised(display_, window_);
    if (fullscreen) followMonitors();
    return true;
}

void X11Window::followMonitors() {
    // Monitors came with RandR 1.5; before it the whole screen is the one.
    int events = 0, errors = 0, major = 0, minor = 0;
    if (!XRRQueryExtension(display_, &events, &errors) ||
        !XRRQueryVersion(display_, &major, &minor) || std::pair(major, minor) < std::pair(1, 5)) {
        return;
    }
    randrEvents_ = events;
    XRRSelectInput(display_, RootWindow(display_, DefaultScreen(display_)),
                   RRScreenChangeNotifyMask | RRCrtcChangeNotifyMask | RROutputChangeNotifyMask);
}

void X11Window::monitors(std::vector<ScreenRect>& found) const {
    found.clear();
    if (randrEvents_ >= 0) {
        int count = 0;
        XRRMonitorInfo* list =
            XRRGetMonitors(display_, RootWindow(display_, DefaultScreen(display_)), True, &count);
        for (int i = 0; i < count; ++i) {
            const XRRMonitorInfo& m = list[i];
            const ScreenRect rect{m.x, m.y, m.width, m.height};
            found.insert(m.primary ? found.begin() : found.end(), rect);
        }
        if (list != nullptr) XRRFreeMonitors(list);
    }
    if (found.empty()) found.push_back({0, 0, width_, height_});
}

uint32_t X11Window::refreshHz() const {
    int events = 0, errors = 0;
    if (!XRRQueryExtension(display_, &events, &errors)) return 0;
    XRRScreenConfiguration* config =
        XRRGetScreenInfo(display_, RootWindow(display_, DefaultScreen(display_)));
    if (config == nullptr) return 0;
    const short rate = XRRConfigCurrentRate(config);
    XRRFreeScreenConfigInfo(config);
    return rate > 0 ? static_cast<uint32_t>(rate) : 0;
}

X11Window::Event X11Window::poll() {
    while (XPending(display_) > 0) {
        XEvent event{};
        XNextEvent(display_, &event);
        if (randrEvents_ >= 0 && (event.type == randrEvents_ + RRScreenChangeNotify ||
                                  event.type == randrEvents_ + RRNotify)) {
            XRRUpdateConfiguration(&event);
            if (own_) {  // full-screen: the screen's new size
                const int screen = DefaultScreen(display_);
                XResizeWindow(display_, window_,
                              static_cast<unsigned>(DisplayWidth(display_, screen)),
                              static_cast<unsigned>(DisplayHeight(display_, screen)));
            }
            return Event::Monitors;
        }
        switch (event.type) {
            case ConfigureNotify:
                if (event.xconfigure.window == window_ &&
                    (event.xconfigure.width != width_ || event.xconfigure.height != height_)) {
                    width_ = event.xconfigure.width;
                    height_ = event.xconfigure.height;
                    return Event::Resized;
                }
                break;
            case DestroyNotify:
                if (event.xdestroywindow.window == window_) {
                    window_ = 0;
                    return Event::Gone;
                }
                break;
            case ClientMessage:
                if (static_cast<Atom>(event.xclient.data.l[0]) == deleteWindow_)
                    return Event::Close;
                break;
            case KeyPress: {
                const KeySym sym = XLookupKeysym(&event.xkey, 0);
                if (sym == XK_Escape) return Event::Close;
                const struct {
                    KeySym sym;
                    uint32_t key;
                } arrows[] = {{XK_Left, keys::kLeft},
                              {XK_Right, keys::kRight},
                              {XK_Up, keys::kUp},
                              {XK_Down, keys::kDown}};
                for (const auto& arrow : arrows) {
                    if (sym == arrow.sym) {
                        key_ = arrow.key;
                        return Event::Key;
                    }
                }
                break;
            }
            default:
                break;
        }
    }
    return Event::Nothing;
}

bool X11Window::lost() const {
    return windowErrors;
}

}  // namespace orvelle
