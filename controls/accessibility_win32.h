// What a screen reader learns of a custom control: each window answers
// WM_GETOBJECT (OBJID_CLIENT) with a standard accessible object whose role,
// name, state, value and default action it supplies itself, and whose
// place, parent and navigation come from the platform's own proxy.
#pragma once

#include <windows.h>

#include <string>

namespace orvelle {

struct AccessibleDescription {
    LONG role = 0;      // ROLE_SYSTEM_...
    std::wstring name;  // what the control is called
    LONG state = 0;     // STATE_SYSTEM_... besides focus and unavailable
    std::wstring value;
    std::wstring defaultAction;
};

// Sent by the accessible object to its window, with lParam an
// AccessibleDescription* to fill, each time a client asks.
inline constexpr UINT kDescribeAccessible = WM_USER + 0x310;
// Sent to the window when a client asks for its default action.
inline constexpr UINT kDoDefaultAction = WM_USER + 0x311;

// The answer to WM_GETOBJECT: the object for OBJID_CLIENT, or
// DefWindowProc's answer for anything else.
LRESULT answerGetObject(HWND window, WPARAM wParam, LPARAM lParam);

// Tells clients that the window's state changed, or that it has the focus.
void announceStateChange(HWND window);
void announceFocus(HWND window);

}  // namespace orvelle
