// Orvelle.dll, the renderer's Windows program: the window, the OpenGL
// context and the display mode for the length of a run, and a loop of
// messages and frames. The clock, the pacing and a scene on each monitor
// are the portable host core's.
#include <windows.h>

#include <string>

#include "renderer/gl/view.h"
#include "renderer/scene/clock.h"
#include "renderer/scene/host_core.h"
#include "renderer/win32/display_mode.h"
#include "renderer/win32/gl_context.h"
#include "renderer/win32/window.h"

namespace orvelle {
namespace {

// The high-resolution counter in microseconds.
int64_t counterMicroseconds() {
    LARGE_INTEGER frequency, now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&now);
    return microsecondsOf(now.QuadPart, frequency.QuadPart);
}

// A start that cannot go on ends quietly with 0, as a run does; why goes to
// the debugger output.
int startFailed(const std::string& why) {
    OutputDebugStringA(("Orvelle.dll: no run: " + why + "\n").c_str());
    return 0;
}

// The window over every monitor, presented by the context's swap.
class Presentation final : public HostWindow {
public:
    Presentation(RendererWindow& window, WglContext& context)
        : window_(window), context_(context) {}
    void layout(Layout& layout) override {
        desktopMonitors(layout.monitors);
        layout.window = boundingBox(layout.monitors);
        window_.cover(layout.window);
    }
    void present() override { context_.swap(); }

private:
    RendererWindow& window_;
    WglContext& context_;
};

// Every way out returns through here, so the scoped display mode, context
// and window end in order: the context released, the display restored, the
// cursor shown.
int run() {
    const DisplayRequest request = recordedDisplayMode();
    std::string why;
    RendererWindow window;
    if (!window.create(why)) return startFailed(why);
    // The pixel format and the context before the display is touched: when
    // they cannot be had, the display and the cursor stay as they were.
    WglContext context;
    if (!context.create(window.dc(), request.colorBits, why)) return startFailed(why);
    HostSettings settings;
    settings.seed = GetTickCount();
    settings.pacedByDisplay = context.requestSwapPerRefresh();
    settings.refreshHz = displayRefreshHz();
    // Wine does not tell every window about monitors that come and go under
    // it (no WM_DISPLAYCHANGE when the X server's outputs change), so they
    // are also looked at twice a second.
    settings.layoutPollMs = 500;
    const ScopedDisplayMode display(request);

    GlFrameView view;
    Presentation presentation(window, context);
    HostCore core(presentation, view, settings);
    if (!core.start(counterMicroseconds())) return startFailed("the OpenGL view did not start");

    // Frames whenever no message is pending, until WM_QUIT; one swap per
    // frame for all the monitors.
    MSG msg{};
    PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);
    while (msg.message != WM_QUIT) {
        if (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
            for (uint32_t key : window.takeKeys()) core.key(key);
            if (window.takeDisplayChange()) core.layoutChanged();
            continue;
        }
        const int64_t now = counterMicroseconds();
        if (now < core.nextFrameAt()) {
            // Paced by the core: wait for the next frame or for a message.
            const auto ms = static_cast<DWORD>((core.nextFrameAt() - now + 999) / 1000);
            MsgWaitForMultipleObjectsEx(0, nullptr, ms, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
            continue;
        }
        core.frame(now);
        context.swap();
    }
    core.release();
    context.destroy();
    return static_cast<int>(msg.wParam);
}

}  // namespace
}  // namespace orvelle

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    return orvelle::run();
}
