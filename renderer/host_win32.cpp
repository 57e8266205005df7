// The renderer's Windows host: the settings, the display mode, the
// "Zelkor_VC" window with its OpenGL context, the message-and-frame loop with
// its clock, the keys and the shutdown. The scene and its frame step are the
// portable SceneRenderer; this file only binds it to Windows.
#include <windows.h>

#include <memory>

#include "config/settings_keys.h"
#include "platform/names.h"
#include "platform/win32_handles.h"
#include "platform/window_win32.h"
#include "renderer/clock.h"
#include "renderer/keys.h"
#include "renderer/scene_renderer.h"
#include "renderer/wgl_context_win32.h"

namespace orvelle {
namespace {

// The screen size from the settings file and the desktop's colour depth.
struct DisplaySettings {
    int32_t width = settings::kDefaultWidth;
    int32_t height = settings::kDefaultHeight;
    uint8_t colorBits = 0;
};

int32_t storedDimension(const char* key, int32_t defaultValue) {
    const auto stored = static_cast<int32_t>(
        GetPrivateProfileIntA(settings::kSection, key, defaultValue, settings::kPath));
    return settings::usableDimension(stored, defaultValue);
}

DisplaySettings readSettings() {
    DisplaySettings settings;
    settings.width = storedDimension(settings::kWidth, settings::kDefaultWidth);
    settings.height = storedDimension(settings::kHeight, settings::kDefaultHeight);
    win32::WindowDC screen(nullptr);
    settings.colorBits = static_cast<uint8_t>(GetDeviceCaps(screen.get(), BITSPIXEL) & 0xFF);
    return settings;
}

// Only size and depth are asked for; the display keeps its refresh rate.
void changeDisplayMode(uint32_t width, uint32_t height, uint8_t colorBits) {
    DEVMODEA mode{};
    mode.dmSize = sizeof(DEVMODEA);
    mode.dmPelsWidth = width;
    mode.dmPelsHeight = height;
    mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT;
    if (colorBits != 0) {
        mode.dmBitsPerPel = colorBits;
        mode.dmFields |= DM_BITSPERPEL;
    }
    ChangeDisplaySettingsA(&mode, CDS_FULLSCREEN);
}

void restoreDisplayMode() {
    ChangeDisplaySettingsA(nullptr, 0);
}

int64_t queryCounter() {
    LARGE_INTEGER value;
    QueryPerformanceCounter(&value);
    return value.QuadPart;
}

class RendererWindow final : public win32::WindowBase<RendererWindow> {
public:
    static constexpr const char* kClassName = names::kRendererClass;

    RendererWindow(SceneRenderer& renderer, const DisplaySettings& display)
        : renderer_(renderer), display_(display) {}

    // The window over the whole screen; false when it cannot be had.
    bool open() {
        const win32::WindowClassOptions options{CS_VREDRAW | CS_HREDRAW | CS_OWNDC};
        const std::wstring caption = win32::widen(names::kRendererCaption);
        if (!createWindow(0, caption.c_str(), WS_POPUP, 0, 0, display_.width, display_.height,
                          nullptr, options)) {
            return false;
        }
        ShowWindow(window(), SW_SHOW);
        UpdateWindow(window());
        return true;
    }

    // Frames whenever no message is pending, until WM_QUIT.
    int run() {
        LARGE_INTEGER frequency;
        QueryPerformanceFrequency(&frequency);
        const int64_t start = queryCounter();
        renderer_.start(renderer_.state.viewWidth, renderer_.state.viewHeight,
                        [&] { SwapBuffers(dc_); });
        MSG msg{};
        PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);
        while (msg.message != WM_QUIT) {
            if (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
                TranslateMessage(&msg);
                DispatchMessageW(&msg);
                continue;
            }
            renderer_.frame(elapsedMsFrom(queryCounter(), start, frequency.QuadPart));
            SwapBuffers(dc_);
        }
        return static_cast<int>(msg.wParam);
    }

protected:
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override {
        switch (message) {
            case WM_CREATE:
                // The class's own DC (CS_OWNDC): it lives as long as the
                // window and is never released, so it is fetched once.
                dc_ = GetDC(window());
                changeDisplayMode(renderer_.state.viewWidth, renderer_.state.viewHeight,
                                  display_.colorBits);
                ShowCursor(FALSE);
                context_.create(dc_, display_.colorBits);
                context_.requestSwapPerRefresh(dc_);
                return 0;
            case WM_SIZE:
                renderer_.resize(LOWORD(lParam), HIWORD(lParam));
                return 0;
            case WM_KEYDOWN:
                if (wParam == kKeyEscape) {
                    DestroyWindow(window());
                } else {
                    handleArrowKey(renderer_.state, static_cast<uint32_t>(wParam));
                }
                return 0;
            case WM_DESTROY:
                renderer_.releaseGl();
                context_.destroy();
                restoreDisplayMode();
                ShowCursor(TRUE);
                PostQuitMessage(0);
                return 0;
            default:
                return WindowBase::handle(message, wParam, lParam);
        }
    }

private:
    SceneRenderer& renderer_;
    DisplaySettings display_;
    HDC dc_ = nullptr;
    WglContext context_;
};

int run() {
    const DisplaySettings display = readSettings();
    // Allocated once, before the window: nothing is allocated while the scene runs.
    auto renderer = std::make_unique<SceneRenderer>(GetTickCount());
    renderer->state.viewWidth = static_cast<uint32_t>(display.width);
    renderer->state.viewHeight = static_cast<uint32_t>(display.height);
    RendererWindow window(*renderer, display);
    if (!window.open()) return 0;
    return window.run();
}

}  // namespace
}  // namespace orvelle

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    return orvelle::run();
}
