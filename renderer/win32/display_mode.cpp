#include "renderer/win32/display_mode.h"

#include <windows.h>

#include "config/settings_keys.h"
#include "platform/win32_handles.h"

namespace orvelle {
namespace {

int32_t storedDimension(const char* key, int32_t defaultValue) {
    const auto stored = static_cast<int32_t>(
        GetPrivateProfileIntA(settings::kSection, key, defaultValue, settings::kPath));
    return settings::usableDimension(stored, defaultValue);
}

}  // namespace

DisplayRequest recordedDisplayMode() {
    DisplayRequest request;
    request.width = storedDimension(settings::kWidth, settings::kDefaultWidth);
    request.height = storedDimension(settings::kHeight, settings::kDefaultHeight);
    win32::WindowDC screen(nullptr);
    request.colorBits = static_cast<uint8_t>(GetDeviceCaps(screen.get(), BITSPIXEL) & 0xFF);
    return request;
}

ScopedDisplayMode::ScopedDisplayMode(const DisplayRequest& request) {
    // Only size and depth are asked for; the display keeps its refresh rate.
    DEVMODEA mode{};
    mode.dmSize = sizeof(DEVMODEA);
    mode.dmPelsWidth = static_cast<DWORD>(request.width);
    mode.dmPelsHeight = static_cast<DWORD>(request.height);
    mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT;
    if (request.colorBits != 0) {
        mode.dmBitsPerPel = request.colorBits;
        mode.dmFields |= DM_BITSPERPEL;
    }
    ChangeDisplaySettingsA(&mode, CDS_FULLSCREEN);
    ShowCursor(FALSE);
}

ScopedDisplayMode::~ScopedDisplayMode() {
    ChangeDisplaySettingsA(nullptr, 0);
    ShowCursor(TRUE);
}

}  // namespace orvelle
