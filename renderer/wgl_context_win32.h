// The renderer's OpenGL context on a window's own device context (the class
// has CS_OWNDC): the pixel format, the context made current, one frame per
// display refresh where the driver offers it, the swap, and the release.
#pragma once

#include <windows.h>

#include <cstdint>

namespace orvelle {

class WglContext {
public:
    WglContext() = default;
    ~WglContext() { destroy(); }
    WglContext(const WglContext&) = delete;
    WglContext& operator=(const WglContext&) = delete;

    // Chooses and sets the pixel format for colorBits, creates the context
    // and makes it current; false when any of that fails.
    bool create(HDC dc, uint8_t colorBits);

    // Asks the driver for one frame per display refresh (WGL_EXT_swap_control,
    // interval 1) where it offers that. Without it the loop would redraw as
    // fast as the card allows, and the trails, which fade by a quarter per
    // frame, would vanish within milliseconds on a fast card.
    void requestSwapPerRefresh();

    void swap() { SwapBuffers(dc_); }

    // Not current any more, and deleted.
    void destroy();

private:
    HDC dc_ = nullptr;
    HGLRC context_ = nullptr;
};

}  // namespace orvelle
