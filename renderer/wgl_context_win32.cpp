#include "renderer/wgl_context_win32.h"

#include <cstdarg>
#include <cstdio>

#include "renderer/gl_extensions.h"

namespace orvelle {
namespace {

// The renderer's only text output: the pixel-format line on the debugger output.
void debugPrint(const char* format, ...) {
    char buffer[1024];
    va_list args;
    va_start(args, format);
    std::vsnprintf(buffer, sizeof buffer, format, args);  // longer output is cut
    va_end(args);
    OutputDebugStringA(buffer);
}

bool setupPixelFormat(HDC dc, uint8_t colorBits) {
    PIXELFORMATDESCRIPTOR pfd{};
    pfd.nSize = sizeof(PIXELFORMATDESCRIPTOR);
    pfd.nVersion = 1;
    pfd.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    pfd.iPixelType = PFD_TYPE_RGBA;
    pfd.cColorBits = colorBits;
    pfd.cDepthBits = colorBits;  // the same value as the colour depth
    pfd.iLayerType = PFD_MAIN_PLANE;
    const int index = ChoosePixelFormat(dc, &pfd);
    debugPrint("PixelFormat Selected: %d\nBPP: %d\n", index, GetDeviceCaps(dc, BITSPIXEL));
    return index != 0 && SetPixelFormat(dc, index, &pfd);
}

template <typename Function>
Function glProc(const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(wglGetProcAddress(name)));
}

}  // namespace

bool WglContext::create(HDC dc, uint8_t colorBits) {
    if (!setupPixelFormat(dc, colorBits)) return false;
    context_ = wglCreateContext(dc);
    if (context_ == nullptr) return false;
    dc_ = dc;
    if (wglMakeCurrent(dc, context_)) return true;
    destroy();
    return false;
}

void WglContext::requestSwapPerRefresh() {
    using ExtensionsArb = const char*(WINAPI*)(HDC);
    using ExtensionsExt = const char*(WINAPI*)();
    using SwapInterval = BOOL(WINAPI*)(int);
    const char* list = nullptr;
    if (auto arb = glProc<ExtensionsArb>("wglGetExtensionsStringARB")) {
        list = arb(dc_);
    } else if (auto ext = glProc<ExtensionsExt>("wglGetExtensionsStringEXT")) {
        list = ext();
    }
    if (list == nullptr || !hasExtension(list, "WGL_EXT_swap_control")) return;
    if (auto swapInterval = glProc<SwapInterval>("wglSwapIntervalEXT")) swapInterval(1);
}

void WglContext::destroy() {
    if (context_ == nullptr) return;
    wglMakeCurrent(nullptr, nullptr);
    wglDeleteContext(context_);
    context_ = nullptr;
}

}  // namespace orvelle
