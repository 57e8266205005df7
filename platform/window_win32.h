// One C++ object per window: the object's pointer is stored at WM_NCCREATE
// and every message is forwarded to its handle(). The window class is
// registered on first use, with the options the derived class gives; its
// name, Derived::kClassName, is ASCII.
#pragma once

#include <windows.h>

#include <string>

#include "platform/text_win32.h"
#include "platform/virtual_keys.h"

namespace orvelle::win32 {

static_assert(keys::kReturn == VK_RETURN && keys::kEscape == VK_ESCAPE &&
              keys::kSpace == VK_SPACE && keys::kLeft == VK_LEFT && keys::kUp == VK_UP &&
              keys::kRight == VK_RIGHT && keys::kDown == VK_DOWN);

struct WindowClassOptions {
    UINT style = 0;
    HCURSOR cursor = nullptr;  // null: the standard arrow
    HBRUSH background = nullptr;
    HICON icon = nullptr;
};

template <typename Derived>
class WindowBase {
public:
    WindowBase() = default;
    WindowBase(const WindowBase&) = delete;
    WindowBase& operator=(const WindowBase&) = delete;
    virtual ~WindowBase() {
        if (window_ != nullptr) {
            SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
            DestroyWindow(window_);
        }
    }

    HWND window() const { return window_; }

protected:
    // Creates the window; the class is registered once per process. A child
    // gets id as its control identifier.
    bool createWindow(DWORD exStyle, const wchar_t* caption, DWORD style, int x, int y, int width,
                      int height, HWND parent, const WindowClassOptions& options = {}, int id = 0) {
        HINSTANCE instance = GetModuleHandleW(nullptr);
        const std::wstring className = widen(Derived::kClassName);
        WNDCLASSW probe{};
        if (!GetClassInfoW(instance, className.c_str(), &probe)) {
            WNDCLASSW wc{};
            wc.style = options.style;
            wc.lpfnWndProc = &WindowBase::procedure;
            wc.hInstance = instance;
            wc.hIcon = options.icon;
            wc.hCursor =
                options.cursor != nullptr ? options.cursor : LoadCursorW(nullptr, IDC_ARROW);
            wc.hbrBackground = options.background;
            wc.lpszClassName = className.c_str();
            if (!RegisterClassW(&wc)) return false;
        }
        HMENU menu =
            (style & WS_CHILD) != 0 ? reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)) : nullptr;
        return CreateWindowExW(exStyle, className.c_str(), caption, style, x, y, width, height,
                               parent, menu, instance, this) != nullptr;
    }

    virtual LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) {
        return DefWindowProcW(window_, message, wParam, lParam);
    }

    // The window is gone; the object may react (it must not destroy it again).
    virtual void destroyed() {}

private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        WindowBase* self = nullptr;
        if (message == WM_NCCREATE) {
            auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
            self = static_cast<WindowBase*>(create->lpCreateParams);
            self->window_ = window;
            SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        } else {
            self = reinterpret_cast<WindowBase*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        }
        if (self == nullptr) return DefWindowProcW(window, message, wParam, lParam);
        const LRESULT result = self->handle(message, wParam, lParam);
        if (message == WM_NCDESTROY) {
            SetWindowLongPtrW(window, GWLP_USERDATA, 0);
            self->window_ = nullptr;
            self->destroyed();
        }
        return result;
    }

    HWND window_ = nullptr;
};

}  // namespace orvelle::win32
