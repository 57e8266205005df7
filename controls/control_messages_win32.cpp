#include "controls/control_messages_win32.h"

#include <cwctype>

#include "platform/win32_handles.h"

namespace orvelle {
namespace {

struct AccessKeySearch {
    wchar_t key;
    HWND found;
};

BOOL CALLBACK findAccessKey(HWND child, LPARAM param) {
    auto* search = reinterpret_cast<AccessKeySearch*>(param);
    if (!IsWindowVisible(child) || !IsWindowEnabled(child)) return TRUE;
    if (static_cast<wchar_t>(SendMessageW(child, kGetAccessKey, 0, 0)) == search->key) {
        search->found = child;
        return FALSE;
    }
    return TRUE;
}

struct Announcement {
    AmbientValue value;
    LPARAM newValue;
};

BOOL CALLBACK announce(HWND child, LPARAM param) {
    const auto* a = reinterpret_cast<const Announcement*>(param);
    SendMessageW(child, kAmbientChanged, static_cast<WPARAM>(a->value), a->newValue);
    return TRUE;
}

}  // namespace

bool routeAccessKey(HWND root, wchar_t key) {
    AccessKeySearch search{static_cast<wchar_t>(std::towlower(key)), nullptr};
    if (search.key == 0) return false;
    EnumChildWindows(root, findAccessKey, reinterpret_cast<LPARAM>(&search));
    if (search.found == nullptr) return false;
    SendMessageW(search.found, kAccessKeyPressed, 0, 0);
    return true;
}

void announceAmbientChange(HWND root, AmbientValue value, LPARAM newValue) {
    Announcement a{value, newValue};
    EnumChildWindows(root, announce, reinterpret_cast<LPARAM>(&a));
}

UINT dpiOfWindow(HWND window) {
    using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
    static const auto getDpiForWindow = reinterpret_cast<GetDpiForWindowFunction>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32"), "GetDpiForWindow")));
    if (getDpiForWindow != nullptr && window != nullptr) {
        if (const UINT dpi = getDpiForWindow(window)) return dpi;
    }
    const win32::WindowDC screen(nullptr);
    const int dpi = GetDeviceCaps(screen.get(), LOGPIXELSY);
    return dpi > 0 ? static_cast<UINT>(dpi) : 96;
}

}  // namespace orvelle
