// The renderer's Windows host: settings, display mode, the "Zelkor_VC" window
// and its OpenGL context, the message-and-frame loop with its clock, keys and
// shutdown. Everything the scene needs it finds in one process-wide host.
#include <windows.h>

#include <cstdarg>
#include <cstdio>

#include "platform/settings_keys.h"
#include "platform/win32_handles.h"
#include "renderer/clock.h"
#include "renderer/frame_gl.h"
#include "renderer/keys.h"
#include "renderer/puff_gl.h"
#include "renderer/screen_settings.h"

namespace orvelle {
namespace {

constexpr const char* kClassName = "OGLC_Class";
constexpr const char* kWindowCaption = "Zelkor_VC";

// The renderer's process-wide state and its process-lifetime objects, in
// static storage: nothing is allocated while the scene runs.
struct Host {
    RendererState state;
    Scene scene;
    GlPuffTarget puffs{scene.puff, scene.random, PuffSubmission::Batched};
    HWND mainWindow = nullptr;
    HGLRC glContext = nullptr;
    PIXELFORMATDESCRIPTOR pixelFormat{};
    bool pixelFormatComplete = false;
};

Host host;

void debugPrint(const char* format, ...) {
    char buffer[1024];
    va_list args;
    va_start(args, format);
    std::vsnprintf(buffer, sizeof buffer, format, args);  // longer output is cut
    va_end(args);
    OutputDebugStringA(buffer);
}

void readSettings() {
    const auto stored = screenSizeFromStored(
        static_cast<int32_t>(GetPrivateProfileIntA(settings::kSection, settings::kWidth,
                                                   settings::kDefaultWidth, settings::kPath)),
        static_cast<int32_t>(GetPrivateProfileIntA(settings::kSection, settings::kHeight,
                                                   settings::kDefaultHeight, settings::kPath)));
    host.state.screenWidth = stored.width;
    host.state.screenHeight = stored.height;
    win32::WindowDC screen(nullptr);
    host.state.colorBits = static_cast<uint8_t>(GetDeviceCaps(screen.get(), BITSPIXEL) & 0xFF);
}

void changeDisplayMode() {
    DEVMODEA mode{};
    mode.dmSize = sizeof(DEVMODEA);
    mode.dmPelsWidth = host.state.viewWidth;
    mode.dmPelsHeight = host.state.viewHeight;
    if (host.state.colorBits != 0) {
        mode.dmBitsPerPel = host.state.colorBits;
        mode.dmFields = DM_BITSPERPEL | DM_PELSWIDTH | DM_PELSHEIGHT;
    } else {
        mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT;
    }
    ChangeDisplaySettingsA(&mode, CDS_FULLSCREEN);
}

void restoreDisplayMode() {
    ChangeDisplaySettingsA(nullptr, 0);
}

void setupPixelFormat(HDC dc) {
    PIXELFORMATDESCRIPTOR& pfd = host.pixelFormat;
    if (!host.pixelFormatComplete) {
        pfd.nSize = sizeof(PIXELFORMATDESCRIPTOR);
        pfd.nVersion = 1;
        pfd.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
        pfd.iPixelType = PFD_TYPE_RGBA;
        pfd.cColorBits = host.state.colorBits;
        pfd.cDepthBits = host.state.colorBits;
        pfd.iLayerType = PFD_MAIN_PLANE;
        host.pixelFormatComplete = true;
    }
    const int index = ChoosePixelFormat(dc, &pfd);
    debugPrint("PixelFormat Selected: %d\nBPP: %d\n", index, GetDeviceCaps(dc, BITSPIXEL));
    SetPixelFormat(dc, index, &pfd);
}

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE: {
            win32::WindowDC dc(window);
            changeDisplayMode();
            ShowCursor(FALSE);
            setupPixelFormat(dc.get());
            host.glContext = wglCreateContext(dc.get());
            wglMakeCurrent(dc.get(), host.glContext);
            return 0;
        }
        case WM_SIZE: {
            win32::WindowDC dc(window);
            applyViewSize(host.state, LOWORD(lParam), HIWORD(lParam));
            return 0;
        }
        case WM_KEYDOWN:
            if (wParam == VK_ESCAPE) {
                DestroyWindow(window);
            } else {
                handleArrowKey(host.state, static_cast<uint32_t>(wParam));
            }
            return 0;
        case WM_DESTROY: {
            win32::WindowDC dc(window);
            // The texture belongs to the context: give it back while current.
            host.puffs.releaseTexture();
            wglMakeCurrent(dc.get(), nullptr);
            wglDeleteContext(host.glContext);
            host.glContext = nullptr;
            restoreDisplayMode();
            ShowCursor(TRUE);
            PostQuitMessage(0);
            return 0;
        }
        default:
            return DefWindowProcA(window, message, wParam, lParam);
    }
}

int64_t queryCounter() {
    LARGE_INTEGER value;
    QueryPerformanceCounter(&value);
    return value.QuadPart;
}

int run(HINSTANCE instance) {
    readSettings();
    initScene(host.scene, GetTickCount());
    host.state.viewWidth = static_cast<uint32_t>(host.state.screenWidth);
    host.state.viewHeight = static_cast<uint32_t>(host.state.screenHeight);

    WNDCLASSA windowClass{};
    windowClass.style = CS_VREDRAW | CS_HREDRAW | CS_OWNDC;
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.lpszClassName = kClassName;
    if (!RegisterClassA(&windowClass)) return 0;

    host.mainWindow =
        CreateWindowExA(0, kClassName, kWindowCaption, WS_POPUP, 0, 0, host.state.screenWidth,
                        host.state.screenHeight, nullptr, nullptr, instance, nullptr);
    if (host.mainWindow == nullptr) return 0;
    ShowWindow(host.mainWindow, SW_SHOW);
    UpdateWindow(host.mainWindow);

    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    host.state.counterFrequency = frequency.QuadPart;
    host.state.counterStart = queryCounter();

    {
        win32::WindowDC dc(host.mainWindow);
        setupGL(host.state, host.scene, [&] { SwapBuffers(dc.get()); });
    }

    MSG msg{};
    PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);
    while (msg.message != WM_QUIT) {
        if (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
            continue;
        }
        host.state.elapsedMs =
            elapsedMsFrom(queryCounter(), host.state.counterStart, host.state.counterFrequency);
        {
            win32::WindowDC dc(host.mainWindow);
            renderFrame(host.state, host.scene, host.puffs);
            SwapBuffers(dc.get());
        }
        growMotionSpeed(host.state);
    }
    return static_cast<int>(msg.wParam);
}

}  // namespace
}  // namespace orvelle

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    return orvelle::run(instance);
}
