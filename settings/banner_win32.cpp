#include "settings/banner_win32.h"

#include <oleacc.h>
#include <windowsx.h>

#include "controls/accessibility_win32.h"
#include "settings/dialog_parts_win32.h"

namespace orvelle {

bool Banner::create(HWND parent, int id, const RECT& box, HCURSOR hand, const std::wstring& name,
                    const std::wstring& address) {
    hand_ = hand;
    name_ = name;
    address_ = address;
    return createWindow(0, name.c_str(), WS_CHILD | WS_VISIBLE | WS_TABSTOP, box.left, box.top,
                        box.right - box.left, box.bottom - box.top, parent, {}, id);
}

void Banner::open() {
    SendMessageW(GetParent(window()), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(window()), BN_CLICKED),
                 reinterpret_cast<LPARAM>(window()));
}

void Banner::show(HBITMAP picture) {
    picture_ = picture;
    InvalidateRect(window(), nullptr, FALSE);
}

LRESULT Banner::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT:
            paintBuffered(window(), false, [&](HDC dc, RECT client) {
                drawCentred(dc, picture_, client);
                if (GetFocus() == window()) {
                    InflateRect(&client, -1, -1);
                    SetTextColor(dc, RGB(255, 255, 255));
                    DrawFocusRect(dc, &client);
                }
            });
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            InvalidateRect(window(), nullptr, FALSE);
            if (message == WM_SETFOCUS) announceFocus(window());
            return 0;
        case WM_GETDLGCODE: {
            const auto* msg = reinterpret_cast<const MSG*>(lParam);
            return msg != nullptr && msg->message == WM_KEYDOWN && msg->wParam == VK_RETURN
                       ? DLGC_WANTMESSAGE
                       : 0;
        }
        case WM_KEYDOWN:
            if (BannerLink::keyOpens(static_cast<int>(wParam))) open();
            return 0;
        case WM_SETCURSOR:
            SetCursor(hand_);
            return TRUE;
        case WM_LBUTTONDOWN:
            link_.press();
            SetCapture(window());
            return 0;
        case WM_LBUTTONUP: {
            RECT client{};
            GetClientRect(window(), &client);
            const POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            const bool opens = link_.release(PtInRect(&client, at) != FALSE);
            ReleaseCapture();
            if (opens) open();
            return 0;
        }
        case WM_CAPTURECHANGED:
            link_.cancel();
            return 0;
        case WM_GETOBJECT:
            return answerGetObject(window(), wParam, lParam);
        case kDescribeAccessible: {
            auto* d = reinterpret_cast<AccessibleDescription*>(lParam);
            d->value = address_;
            d->defaultAction = L"Jump";
            return describeAs(lParam, ROLE_SYSTEM_LINK, name_, STATE_SYSTEM_LINKED);
        }
        case kDoDefaultAction:
            open();
            return 0;
        default:
            return WindowBase::handle(message, wParam, lParam);
    }
}

}  // namespace orvelle
