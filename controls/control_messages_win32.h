// How a container and the custom controls on it talk on Windows.
#pragma once

#include <windows.h>

namespace orvelle {

// Sent by a container to the controls on it when one of its ambient values
// changes: wParam names the value (AmbientValue), lParam holds the new one
// (a 0x00BBGGRR colour for the background). Both controls redraw on it.
inline constexpr UINT kAmbientChanged = WM_USER + 0x300;
enum class AmbientValue : WPARAM { BackColour = 1, DisplayAsDefault = 2 };

// Asks a control for its access key: the lower-case character, 0 for none.
inline constexpr UINT kGetAccessKey = WM_USER + 0x301;
// The user pressed Alt and the control's access key.
inline constexpr UINT kAccessKeyPressed = WM_USER + 0x302;

// Alt plus key: the first enabled, visible control under root that claims
// the key gets kAccessKeyPressed. True when one did.
bool routeAccessKey(HWND root, wchar_t key);

// kAmbientChanged to every control under root.
void announceAmbientChange(HWND root, AmbientValue value, LPARAM newValue);

// The DPI of the monitor a window is on (the system DPI where the platform
// cannot tell).
UINT dpiOfWindow(HWND window);

}  // namespace orvelle
