// The X11 host's OpenGL context seam: a GLX context on the window's own
// visual, made current, asked for one frame per display refresh where the
// driver offers swap control, and released.
#pragma once

#include <X11/Xlib.h>

#include <GL/glx.h>

#include <string>

namespace orvelle {

class GlxContext {
public:
    GlxContext() = default;
    ~GlxContext() { release(); }
    GlxContext(const GlxContext&) = delete;
    GlxContext& operator=(const GlxContext&) = delete;

    // False, with why in error, when the window's visual cannot take OpenGL.
    bool create(Display* display, Window window, std::string& error);
    // True when the driver was asked for one frame per refresh.
    bool requestSwapPerRefresh();
    void swap();
    // Not current any more, and destroyed.
    void release();

private:
    Display* display_ = nullptr;
    Window window_ = 0;
    GLXContext context_ = nullptr;
};

}  // namespace orvelle
