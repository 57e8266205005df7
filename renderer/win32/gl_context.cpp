#include "renderer/win32/gl_context.h"

#include <cstdarg>
#include <cstdio>
#include <string>

#include "platform/win32_handles.h"
#include "renderer/gl/api.h"
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

bool setupPixelFormat(HDC dc, uint8_t colorBits, std::string& why, bool quiet,
                      bool& softwareFormat) {
    PIXELFORMATDESCRIPTOR pfd{};
    pfd.nSize = sizeof(PIXELFORMATDESCRIPTOR);
    pfd.nVersion = 1;
    pfd.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    pfd.iPixelType = PFD_TYPE_RGBA;
    pfd.cColorBits = colorBits;
    pfd.cDepthBits = colorBits;  // the same value as the colour depth
    pfd.iLayerType = PFD_MAIN_PLANE;
    const int index = ChoosePixelFormat(dc, &pfd);
    if (!quiet)
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
    PIXELFORMATDESCRIPTOR chosen{};
    DescribePixelFormat(dc, index, sizeof chosen, &chosen);
    softwareFormat = (chosen.dwFlags & PFD_GENERIC_FORMAT) != 0 &&
                     (chosen.dwFlags & PFD_GENERIC_ACCELERATED) == 0;
    return true;
}

template <typename Function>
Function glProc(const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(wglGetProcAddress(name)));
}

}  // namespace

bool WglContext::create(HDC dc, uint8_t colorBits, std::string& why, bool quiet) {
    if (!setupPixelFormat(dc, colorBits, why, quiet, softwareFormat_)) return false;
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

OpenGlLook lookAtOpenGl(uint8_t colorBits) {
    // A window of a system class, never shown: a pixel format, once set,
    // stays with its window, which the renderer's own must not have when
    // it shows a picture from memory.
    const win32::UniqueWindow window(CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1,
                                                     nullptr, nullptr, GetModuleHandleW(nullptr),
                                                     nullptr));
    OpenGlLook look;
    if (!window) return look;
    const win32::WindowDC dc(window.get());
    WglContext context;
    std::string why;
    if (!dc || !context.create(dc.get(), colorBits, why, true)) return look;
    const auto* name = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
    look.made = true;
    look.renderer = name != nullptr ? name : "";
    look.softwareFormat = context.softwareFormat();
    return look;
}

void WglContext::destroy() {
    if (context_ == nullptr) return;
    wglMakeCurrent(nullptr, nullptr);
    wglDeleteContext(context_);
    context_ = nullptr;
}

}  // namespace orvelle
