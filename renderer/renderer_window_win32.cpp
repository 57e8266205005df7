#include "renderer/renderer_window_win32.h"

#include <string>

namespace orvelle {
namespace {

// Wine does not tell every window about monitors that come and go under
// it (no WM_DISPLAYCHANGE when the X server's outputs change), so the list
// is also looked at twice a second: a cheap call, compared before anything
// is redone.
constexpr UINT_PTR kMonitorTimer = 1;
constexpr UINT kMonitorCheckMs = 500;

BOOL CALLBACK addMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM list) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (!GetMonitorInfoW(monitor, &info)) return TRUE;
    const RECT& r = info.rcMonitor;
    auto& monitors = *reinterpret_cast<std::vector<ScreenRect>*>(list);
    const ScreenRect rect{r.left, r.top, r.right - r.left, r.bottom - r.top};
    const bool primary = (info.dwFlags & MONITORINFOF_PRIMARY) != 0;
    monitors.insert(primary ? monitors.begin() : monitors.end(), rect);
    return TRUE;
}

}  // namespace

bool RendererWindow::create() {
    const win32::WindowClassOptions options{CS_VREDRAW | CS_HREDRAW | CS_OWNDC};
    const std::wstring caption = win32::widen(names::kRendererCaption);
    if (!createWindow(0, caption.c_str(), WS_POPUP, 0, 0, 0, 0, nullptr, options)) return false;
    SetTimer(window(), kMonitorTimer, kMonitorCheckMs, nullptr);
    return dc_ != nullptr;
}

void RendererWindow::cover(const ScreenRect& area) {
    if (area == covered_) return;
    covered_ = area;
    SetWindowPos(window(), HWND_TOP, area.left, area.top, area.width, area.height, SWP_SHOWWINDOW);
    SetForegroundWindow(window());
}

LRESULT RendererWindow::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            // The class's own DC (CS_OWNDC): it lives as long as the window
            // and is never released, so it is fetched once.
            dc_ = GetDC(window());
            return 0;
        case WM_KEYDOWN:
            if (wParam == VK_ESCAPE) {
                DestroyWindow(window());
            } else {
                arrowKey_(static_cast<uint32_t>(wParam));
            }
            return 0;
        case WM_DISPLAYCHANGE:
        case WM_TIMER:
            monitorCheck_ = true;
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return WindowBase::handle(message, wParam, lParam);
    }
}

std::vector<ScreenRect> desktopMonitors() {
    std::vector<ScreenRect> monitors;
    EnumDisplayMonitors(nullptr, nullptr, addMonitor, reinterpret_cast<LPARAM>(&monitors));
    if (monitors.empty()) {
        monitors.push_back({0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)});
    }
    return monitors;
}

}  // namespace orvelle
