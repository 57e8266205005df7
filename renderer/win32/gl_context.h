// The renderer's OpenGL context on a window's own device context (the class
// has CS_OWNDC): the pixel format, the context made current, one frame per
// display refresh where the driver grants it, the swap, and the release.
// And a look at the OpenGL a window would get, before the renderer's own
// window settles on OpenGL or on a picture from memory.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

namespace orvelle {

// What OpenGL draws with on this desktop: its renderer's name, and
// whether the pixel format is the system's own without hardware
// acceleration. None where no context can be had.
struct OpenGlLook {
    bool made = false;
    std::string renderer;
    bool softwareFormat = false;
};
// Made on a hidden window of its own, which goes again with the context.
OpenGlLook lookAtOpenGl(uint8_t colorBits);

class WglContext {
public:
    WglContext() = default;
    ~WglContext() { destroy(); }
    WglContext(const WglContext&) = delete;
    WglContext& operator=(const WglContext&) = delete;

    // Chooses and sets the pixel format for colorBits, creates the context
    // and makes it current; false, with why, when any of that fails. The
    // pixel format chosen is the renderer's line on the debugger output,
    // unless quiet.
    bool create(HDC dc, uint8_t colorBits, std::string& why, bool quiet = false);

    // Whether the pixel format is the system's own without hardware
    // acceleration (Windows' "GDI Generic").
    bool softwareFormat() const { return softwareFormat_; }

    // Asks the driver for one frame per display refresh (WGL_EXT_swap_control,
    // interval 1); true when it granted that. Otherwise the host core paces
    // the frames itself.
    bool requestSwapPerRefresh();

    void swap() { SwapBuffers(dc_); }

    // Not current any more, and deleted.
    void destroy();

private:
    HDC dc_ = nullptr;
    HGLRC context_ = nullptr;
    bool softwareFormat_ = false;
};

}  // namespace orvelle
