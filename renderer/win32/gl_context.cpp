#include "renderer/win32/gl_context.h"

#include <cstdarg>
#include <cstdio>
#include <string>

#include "renderer/gl/extensions.h"

namespace orvelle {
namespace {

// The pixel-format line on the debugger output, where the renderer says
// what it does.
void debugPrint(const char* format, ...) {
    char buffer[1024];
    va_list args;
    va_start(args, format);
    std::vsnprintf(buffer, sizeof buffer, format, args);  // longer output is cut
    va_end(args);
    OutputDebugStringA(buffer);
}

bool setupPixelFormat(HDC dc, uint8_t colorBits, std::string& why) {
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
    if (index == 0) {
        why = "no pixel format for " + std::to_string(colorBits) + " bits (error " +
              std::to_string(GetLastError()) + ")";
        return false;
    }
    if (!SetPixelFormat(dc, index, &pfd)) {
        why = "pixel format " + std::to_string(index) + " could not be set (error " +
              std::to_string(GetLastError()) + ")";
        return false;
    }
    return true;
}

template <typename Function>
Function glProc(const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(wglGetProcAddress(name)));
}

}  // namespace

bool WglContext::create(HDC dc, uint8_t colorBits, std::string& why) {
    if (!setupPixelFormat(dc, colorBits, why)) return false;
    context_ = wglCreateContext(dc);
    if (context_ == nullptr) {
        why = "no OpenGL context (error " + std::to_string(GetLastError()) + ")";
        return false;
    }
    dc_ = dc;
    if (wglMakeCurrent(dc, context_)) return true;
    why = "the OpenGL context could not be made current (error " + std::to_string(GetLastError()) +
          ")";
    destroy();
    return false;
}

bool WglContext::requestSwapPerRefresh() {
    using ExtensionsArb = const char*(WINAPI*)(HDC);
    using ExtensionsExt = const char*(WINAPI*)();
    using SwapInterval = BOOL(WINAPI*)(int);
    const char* list = nullptr;
    if (auto arb = glProc<ExtensionsArb>("wglGetExtensionsStringARB")) {
        list = arb(dc_);
    } else if (auto ext = glProc<ExtensionsExt>("wglGetExtensionsStringEXT")) {
        list = ext();
    }
    if (list == nullptr || !hasExtension(list, "WGL_EXT_swap_control")) return false;
    const auto swapInterval = glProc<SwapInterval>("wglSwapIntervalEXT");
    return swapInterval != nullptr && swapInterval(1);
}

void WglContext::destroy() {
    if (context_ == nullptr) return;
    wglMakeCurrent(nullptr, nullptr);
    wglDeleteContext(context_);
    context_ = nullptr;
}

}  // namespace orvelle
