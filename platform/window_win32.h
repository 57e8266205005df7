// One C++ object per window: the object's pointer is stored at WM_NCCREATE
// and every message is forwarded to its handle(). The window class is
// registered on first use.
#pragma once

#include <windows.h>

namespace orvelle::win32 {

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
    // Creates the window (the class is registered once per process).
    bool createWindow(DWORD exStyle, const wchar_t* caption, DWORD style, int x, int y, int width,
                      int height, HWND parent, HBRUSH background = nullptr) {
        HINSTANCE instance = GetModuleHandleW(nullptr);
        WNDCLASSW probe{};
        if (!GetClassInfoW(instance, Derived::kClassName, &probe)) {
            WNDCLASSW wc{};
            wc.lpfnWndProc = &WindowBase::procedure;
            wc.hInstance = instance;
            wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
            wc.hbrBackground = background;
            wc.lpszClassName = Derived::kClassName;
            if (!RegisterClassW(&wc)) return false;
        }
        return CreateWindowExW(exStyle, Derived::kClassName, caption, style, x, y, width, height,
                               parent, nullptr, instance, this) != nullptr;
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
