// The renderer's Windows host: WinMain and the run's loop with its clock.
// The window, the OpenGL context and the display mode are seams of their
// own; the scenes, one per monitor, are the portable MonitorScenes.
#include <windows.h>

#include <vector>

#include "renderer/clock.h"
#include "renderer/display_mode_win32.h"
#include "renderer/monitor_scenes.h"
#include "renderer/renderer_window_win32.h"
#include "renderer/wgl_context_win32.h"

namespace orvelle {
namespace {

int64_t queryCounter() {
    LARGE_INTEGER value;
    QueryPerformanceCounter(&value);
    return value.QuadPart;
}

// Every way out returns through here, so the scoped display mode, context
// and window end in order: the context released, the display restored, the
// cursor shown. Start-up failures end quietly with 0, like a run.
int run() {
    const DisplayRequest request = recordedDisplayMode();
    MonitorScenes scenes(GetTickCount());
    RendererWindow window([&](uint32_t key) { scenes.arrowKey(key); });
    if (!window.create()) return 0;
    // The pixel format and the context before the display is touched: when
    // they cannot be had, the display and the cursor stay as they were.
    WglContext context;
    if (!context.create(window.dc(), request.colorBits)) return 0;
    context.requestSwapPerRefresh();
    const ScopedDisplayMode display(request);

    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    const int64_t start = queryCounter();
    const auto now = [&] { return elapsedMsFrom(queryCounter(), start, frequency.QuadPart); };
    // The window over every monitor (after the switch: the primary's new
    // size), a scene in each; again whenever the monitors change.
    const auto followMonitors = [&] {
        const std::vector<ScreenRect> monitors = desktopMonitors();
        const ScreenRect area = boundingBox(monitors);
        window.cover(area);
        scenes.setLayout(area, monitors, now(), [&] { context.swap(); });
    };
    followMonitors();

    // Frames whenever no message is pending, until WM_QUIT; one swap per
    // frame for all the monitors.
    MSG msg{};
    PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);
    while (msg.message != WM_QUIT) {
        if (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
            continue;
        }
        if (window.takeMonitorCheck()) followMonitors();
        scenes.frame(now());
        context.swap();
    }
    scenes.releaseGl();
    context.destroy();
    return static_cast<int>(msg.wParam);
}

}  // namespace
}  // namespace orvelle

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    return orvelle::run();
}
