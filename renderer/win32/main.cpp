// Orvelle.dll, the renderer's Windows program: the window, the OpenGL
// context and the display mode for the length of a run, and a loop of
// messages and frames. The clock, the pacing and a scene on each monitor
// are the portable host core's. Where OpenGL would draw in software (a
// pixel format without hardware acceleration, "GDI Generic", Mesa's
// llvmpipe) or ORVELLE_RENDERING=cpu says so, the processor backend draws
// and its picture is shown through a DIB section, a frame per refresh.
#include <windows.h>

#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "renderer/cpu/choice.h"
#include "renderer/cpu/view.h"
#include "renderer/gl/view.h"
#include "renderer/scene/clock.h"
#include "renderer/scene/host_core.h"
#include "renderer/win32/dib_section.h"
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

void debugLine(const std::string& text) {
    OutputDebugStringA(("Orvelle.dll: " + text + "\n").c_str());
}

// A start that cannot go on ends quietly with 0, as a run does; why goes to
// the debugger output.
int startFailed(const std::string& why) {
    debugLine("no run: " + why);
    return 0;
}

// The window over every monitor and the frame shown in it: by the
// context's swap, or the processor's picture through a DIB section.
class Presentation : public HostWindow {
public:
    explicit Presentation(RendererWindow& window) : window_(window) {}
    void layout(Layout& layout) override {
        desktopMonitors(layout.monitors);
        layout.window = boundingBox(layout.monitors);
        window_.cover(layout.window);
    }

protected:
    RendererWindow& window_;
};

class GlPresentation final : public Presentation {
public:
    GlPresentation(RendererWindow& window, WglContext& context)
        : Presentation(window), context_(context) {}
    void present() override { context_.swap(); }

private:
    WglContext& context_;
};

class DibPresentation final : public Presentation {
public:
    DibPresentation(RendererWindow& window, CpuFrameView& view)
        : Presentation(window), view_(view) {}
    void present() override { section_.show(window_.dc(), view_.picture()); }

private:
    CpuFrameView& view_;
    DibSection section_;
};

// Frames whenever no message is pending and the pace allows, until
// WM_QUIT; one presentation per frame for all the monitors.
int loop(RendererWindow& window, HostCore& core, HostWindow& presentation) {
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
        presentation.present();
    }
    core.release();
    return static_cast<int>(msg.wParam);
}

HostSettings baseSettings() {
    HostSettings settings;
    settings.seed = GetTickCount();
    settings.refreshHz = displayRefreshHz();
    // Wine does not tell every window about monitors that come and go under
    // it (no WM_DISPLAYCHANGE when the X server's outputs change), so they
    // are also looked at twice a second.
    settings.layoutPollMs = 500;
    return settings;
}

// Every way out returns through here, so the scoped display mode, context
// and window end in order: the context released, the display restored, the
// cursor shown.
int runGl(const DisplayRequest& request) {
    std::string why;
    RendererWindow window;
    if (!window.create(why)) return startFailed(why);
    // The pixel format and the context before the display is touched: when
    // they cannot be had, the display and the cursor stay as they were.
    WglContext context;
    if (!context.create(window.dc(), request.colorBits, why)) return startFailed(why);
    HostSettings settings = baseSettings();
    settings.pacedByDisplay = context.requestSwapPerRefresh();
    const ScopedDisplayMode display(request);

    GlFrameView view;
    GlPresentation presentation(window, context);
    HostCore core(presentation, view, settings);
    if (!core.start(counterMicroseconds())) return startFailed("the OpenGL view did not start");
    const int status = loop(window, core, presentation);
    context.destroy();
    return status;
}

int runCpu(const DisplayRequest& request) {
    std::string why;
    RendererWindow window;
    if (!window.create(why)) return startFailed(why);
    HostSettings settings = baseSettings();
    settings.pacedByDisplay = false;  // shown as soon as drawn: the core paces the frames
    CpuFrameView view;
    // The renderer's one line on the debugger output, where the OpenGL
    // run has its pixel format's.
    debugLine(std::string("drawing on the processor (") + view.instructions() + ", " +
              std::to_string(view.threads()) + " threads)");
    const ScopedDisplayMode display(request);

    DibPresentation presentation(window, view);
    HostCore core(presentation, view, settings);
    if (!core.start(counterMicroseconds())) {
        return startFailed("no memory for the picture of the monitors");
    }
    return loop(window, core, presentation);
}

int run() {
    const DisplayRequest request = recordedDisplayMode();
    const char* variable = std::getenv(kRenderingVariable);
    const std::optional<std::string_view> asked =
        variable != nullptr ? std::optional<std::string_view>(variable) : std::nullopt;
    const RenderingRequest wanted = renderingRequested(asked);
    if (!wanted.understood) {
        debugLine(std::string(kRenderingVariable) + " is neither cpu nor gl; chosen by OpenGL");
    }
    if (wanted.rendering == Rendering::Gl) return runGl(request);
    if (wanted.rendering == Rendering::Cpu) return runCpu(request);
    // Unasked: what OpenGL draws with here decides; without it, the processor.
    const OpenGlLook look = lookAtOpenGl(request.colorBits);
    if (look.made &&
        chooseRendering(std::nullopt, look.renderer, look.softwareFormat) == Rendering::Gl) {
        return runGl(request);
    }
    return runCpu(request);
}

}  // namespace
}  // namespace orvelle

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    return orvelle::run();
}
