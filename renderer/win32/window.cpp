#include "renderer/win32/window.h"

namespace orvelle {
namespace {

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

bool RendererWindow::create(std::string& why) {
    const win32::WindowClassOptions options{CS_VREDRAW | CS_HREDRAW | CS_OWNDC};
    const std::wstring caption = win32::widen(names::kRendererCaption);
    if (!createWindow(0, caption.c_str(), WS_POPUP, 0, 0, 0, 0, nullptr, options)) {
        const DWORD error = GetLastError();
        WNDCLASSW registered{};
        const bool classThere =
            GetClassInfoW(GetModuleHandleW(nullptr), win32::widen(kClassName).c_str(), &registered);
        why = std::string(classThere ? "the window" : "the window class") +
              " could not be created (error " + std::to_string(error) + ")";
        return false;
    }
    if (dc() == nullptr) why = "the window has no device context";
    return dc() != nullptr;
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
            dc_.emplace(window());
            return 0;
        case WM_KEYDOWN:
            if (wParam == VK_ESCAPE) {
                DestroyWindow(window());
            } else {
                keys_.push_back(static_cast<uint32_t>(wParam));
            }
            return 0;
        case WM_DISPLAYCHANGE:
            displayChanged_ = true;
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return WindowBase::handle(message, wParam, lParam);
    }
}

void desktopMonitors(std::vector<ScreenRect>& monitors) {
    monitors.clear();
    EnumDisplayMonitors(nullptr, nullptr, addMonitor, reinterpret_cast<LPARAM>(&monitors));
    if (monitors.empty()) {
        monitors.push_back({0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)});
    }
}

uint32_t displayRefreshHz() {
    DEVMODEW mode{};
    mode.dmSize = sizeof mode;
    if (!EnumDisplaySettingsW(nullptr, ENUM_CURRENT_SETTINGS, &mode)) return 0;
    // 0 and 1 stand for the hardware's default rate.
    return mode.dmDisplayFrequency > 1 ? mode.dmDisplayFrequency : 0;
}

}  // namespace orvelle
