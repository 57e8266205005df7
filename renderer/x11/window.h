// The X11 host's window seam: its own window (a size, or the whole screen),
// a window someone else made (XScreenSaver's, by id), or the root window.
// It reports size changes, changes of the monitors, the user's wish to
// close, and the window's end. Over the whole screen (the root window, or
// its own window made full-screen) it lists the RandR monitors, so that each
// gets a scene of its own; otherwise the window is the one monitor.
#pragma once

#include <X11/Xlib.h>

#include <cstdint>
#include <string>
#include <vector>

#include "renderer/scene/monitor_layout.h"
#include "renderer/x11/options.h"

namespace orvelle {

class X11Window {
public:
    X11Window() = default;
    ~X11Window();
    X11Window(const X11Window&) = delete;
    X11Window& operator=(const X11Window&) = delete;

    // Opens the display and the window: its own on a visual OpenGL can
    // draw on double-buffered where openGl says so, on the screen's
    // default visual otherwise. False, with why in error, when the display
    // cannot be opened or the id names no window.
    bool open(x11::Target target, unsigned long existing, int width, int height, bool fullscreen,
              bool openGl, std::string& error);

    Display* display() const { return display_; }
    Window window() const { return window_; }
    int width() const { return width_; }
    int height() const { return height_; }

    // The monitors in window coordinates, the primary first: RandR's over
    // the whole screen (the screen itself where RandR has none), otherwise
    // the window. Fills the list in place.
    void monitors(std::vector<ScreenRect>& found) const;
    // The display's refresh rate in hertz; 0 where RandR does not say.
    uint32_t refreshHz() const;

    enum class Event { Nothing, Resized, Monitors, Close, Gone, Key };
    // The next pending event that matters, without waiting; for Key, key()
    // holds the virtual-key code the renderer's keys are given in.
    Event poll();
    uint32_t key() const { return key_; }
    // An X error said the window is gone (a drawing call on it failed).
    bool lost() const;

private:
    void followMonitors();

    Display* display_ = nullptr;
    Window window_ = 0;
    bool own_ = false;
    int randrEvents_ = -1;  // RandR's first event number where it lists monitors; -1: none
    Atom deleteWindow_ = 0;
    int width_ = 0;
    int height_ = 0;
    uint32_t key_ = 0;
};

}  // namespace orvelle
