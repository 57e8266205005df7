// The renderer's OpenGL context on a window's own device context (the class
// has CS_OWNDC): the pixel format, the context made current, one frame per
// display refresh where the driver grants it, the swap, and the release.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

namespace orvelle {

class WglContext {
public:
    WglContext() = default;
    ~WglContext() { destroy(); }
    WglContext(const WglContext&) = delete;
    WglContext& operator=(const WglContext&) = delete;

    // Chooses and sets the pixel format for colorBits, creates the context
    // and makes it current; false, with why, when any of that fails.
    bool create(HDC dc, uint8_t colorBits, std::string& why);

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
};

}  // namespace orvelle
