// The renderer's window on Windows: class "OGLC_Class" with a device
// context of its own (CS_OWNDC), caption "Zelkor_VC", a borderless popup.
// It is made hidden, so that the pixel format and the context are settled
// before anything shows, and is then laid over the monitors. Escape, or any
// other end of the window, ends the run; other keys and changes of the
// displays wait for the loop to take them.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/names.h"
#include "platform/win32_handles.h"
#include "platform/window_win32.h"
#include "renderer/scene/monitor_layout.h"

namespace orvelle {

class RendererWindow final : public win32::WindowBase<RendererWindow> {
public:
    static constexpr const char* kClassName = names::kRendererClass;

    // The hidden window; false, with why, when it cannot be had.
    bool create(std::string& why);
    // The class's own device context, valid as long as the window.
    HDC dc() const { return dc_ ? dc_->get() : nullptr; }
    // Placed over the area (desktop coordinates), shown on top and given the
    // keyboard; nothing happens when it is there already.
    void cover(const ScreenRect& area);
    // The keys pressed since the last call, and whether the displays changed.
    std::vector<uint32_t> takeKeys() { return std::exchange(keys_, {}); }
    bool takeDisplayChange() { return std::exchange(displayChanged_, false); }

protected:
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // The class's own DC (CS_OWNDC) lives as long as the window: taken once,
    // when the window is made, and given back before it goes.
    std::optional<win32::WindowDC> dc_;
    ScreenRect covered_;
    std::vector<uint32_t> keys_;
    bool displayChanged_ = false;
};

// The monitors of the desktop, the primary first; the primary screen alone
// where they cannot be listed. Fills the list in place.
void desktopMonitors(std::vector<ScreenRect>& monitors);

// The primary display's refresh rate in hertz; 0 where the driver gives
// only its default.
uint32_t displayRefreshHz();

}  // namespace orvelle
