// The renderer's window seam on Windows: class "OGLC_Class" with a device
// context of its own (CS_OWNDC), caption "Zelkor_VC", a borderless popup.
// It is made hidden, so that the pixel format and the context are settled
// before anything shows, and is then laid over the monitors. Escape, or any
// other end of the window, ends the run; the arrow keys go to the host; a
// change of the displays asks the host to look at the monitors again.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

#include "platform/names.h"
#include "platform/window_win32.h"
#include "renderer/monitor_layout.h"

namespace orvelle {

class RendererWindow final : public win32::WindowBase<RendererWindow> {
public:
    static constexpr const char* kClassName = names::kRendererClass;

    explicit RendererWindow(std::function<void(uint32_t)> arrowKey)
        : arrowKey_(std::move(arrowKey)) {}

    // The hidden window; false when it cannot be had.
    bool create();
    // The class's own device context, valid as long as the window.
    HDC dc() const { return dc_; }
    // Placed over the area (desktop coordinates), shown on top and given the
    // keyboard; nothing happens when it is there already.
    void cover(const ScreenRect& area);
    // True once after each change of the displays, and after each
    // half-second check.
    bool takeMonitorCheck() { return std::exchange(monitorCheck_, false); }

protected:
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    std::function<void(uint32_t)> arrowKey_;
    HDC dc_ = nullptr;
    ScreenRect covered_;
    bool monitorCheck_ = false;
};

// The monitors of the desktop, the primary first; the primary screen alone
// where they cannot be listed.
std::vector<ScreenRect> desktopMonitors();

}  // namespace orvelle
