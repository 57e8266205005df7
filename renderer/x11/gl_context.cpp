#include "renderer/x11/gl_context.h"

#include <X11/Xutil.h>

#include "renderer/gl/extensions.h"

namespace orvelle {

bool GlxContext::create(Display* display, Window window, std::string& error) {
    display_ = display;
    window_ = window;
    // The window's own visual: a window made by someone else keeps its visual.
    // It may have gone since it was looked at.
    XWindowAttributes attributes{};
    if (!XGetWindowAttributes(display, window, &attributes) || attributes.visual == nullptr) {
        error = "the window is gone";
        return false;
    }
    XVisualInfo wanted{};
    wanted.visualid = XVisualIDFromVisual(attributes.visual);
    int count = 0;
    XVisualInfo* visual = XGetVisualInfo(display, VisualIDMask, &wanted, &count);
    if (visual == nullptr) {
        error = "the window's visual is unknown";
        return false;
    }
    int usable = 0, doubled = 0;
    glXGetConfig(display, visual, GLX_USE_GL, &usable);
    glXGetConfig(display, visual, GLX_DOUBLEBUFFER, &doubled);
    if (usable) context_ = glXCreateContext(display, visual, nullptr, True);
    XFree(visual);
    if (context_ == nullptr || !doubled) {
        error = "the window's visual cannot take double-buffered OpenGL";
        return false;
    }
    if (!glXMakeCurrent(display, window, context_)) {
        error = "OpenGL cannot draw in the window (is it gone?)";
        return false;
    }
    return true;
}

bool GlxContext::requestSwapPerRefresh() {
    const char* list = glXQueryExtensionsString(display_, DefaultScreen(display_));
    if (list == nullptr) return false;
    using SwapExt = void (*)(Display*, GLXDrawable, int);
    using SwapMesa = int (*)(unsigned);
    if (hasExtension(list, "GLX_EXT_swap_control")) {
        if (auto swap = reinterpret_cast<SwapExt>(
                glXGetProcAddress(reinterpret_cast<const GLubyte*>("glXSwapIntervalEXT")))) {
            swap(display_, window_, 1);
            return true;
        }
    }
    if (hasExtension(list, "GLX_MESA_swap_control")) {
        if (auto swap = reinterpret_cast<SwapMesa>(
                glXGetProcAddress(reinterpret_cast<const GLubyte*>("glXSwapIntervalMESA")))) {
            return swap(1) == 0;
        }
    }
    return false;
}

void GlxContext::swap() {
    glXSwapBuffers(display_, window_);
}

void GlxContext::release() {
    if (context_ == nullptr) return;
    glXMakeCurrent(display_, None, nullptr);
    glXDestroyContext(display_, context_);
    context_ = nullptr;
}

}  // namespace orvelle
